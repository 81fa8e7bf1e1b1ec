#include "preview/SceneRenderer.h"

#include "preview/Blitter.h"

#include <QPainter>

#include <optional>

namespace sw {

namespace {

void drawTiledLayer(const PreviewLayer& layer, QImage& target)
{
    const QImage tile = toSkinFormat(layer.Image);
    if (!layer.Transparent) {
        blit::tile(tile, tile.rect(), target, layer.Rect);
        return;
    }
    // Tile by tile, each cut to the layer's rectangle.
    const QRect area = layer.Rect.intersected(target.rect());
    const int w = tile.width(), h = tile.height();
    for (int y = layer.Rect.top(); y <= area.bottom(); y += h)
        for (int x = layer.Rect.left(); x <= area.right(); x += w) {
            const QRect piece = QRect(x, y, w, h).intersected(area);
            if (!piece.isEmpty())
                blit::copyTransparent(tile, piece.translated(-x, -y), target, piece.topLeft());
        }
}

void drawImageLayer(const PreviewLayer& layer, QImage& target)
{
    if (layer.Image.isNull())
        return;
    if (layer.Tiled) {
        drawTiledLayer(layer, target);
        return;
    }
    const QPoint at = layer.Rect.topLeft() + layer.ImageOffset;
    // The part of the image that lies within the layer's rectangle.
    const QRect visible = layer.Rect.translated(-at).intersected(layer.Image.rect());
    if (visible.isEmpty())
        return;
    const QImage image = toSkinFormat(layer.Image);
    if (layer.Transparent)
        blit::copyTransparent(image, visible, target, at + visible.topLeft());
    else
        blit::copy(image, visible, target, at + visible.topLeft());
}

void drawShapeLayer(const PreviewLayer& layer, QImage& target)
{
    const QRect r = layer.Rect;
    if (r.width() <= 0 || r.height() <= 0)
        return;
    blit::fill(target, r, layer.Fill | 0xFF000000u);
    const uint32_t pen = layer.Pen | 0xFF000000u;
    blit::fill(target, QRect(r.left(), r.top(), r.width(), 1), pen);
    blit::fill(target, QRect(r.left(), r.bottom(), r.width(), 1), pen);
    blit::fill(target, QRect(r.left(), r.top(), 1, r.height()), pen);
    blit::fill(target, QRect(r.right(), r.top(), 1, r.height()), pen);
}

// The selection frame: every other pixel of the outline inverted; the frame blinks
// by switching (NotXor) to the other half of its pixels.
void drawSelectionFrame(const PreviewLayer& layer, QImage& target)
{
    const QRect r = layer.Rect;
    const int parity = layer.Raster == RasterOp::NotXor ? 1 : 0;
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) == parity && target.valid(x, y)) {
            QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(y));
            row[x] ^= 0x00FFFFFFu;
        }
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        invert(x, r.top());
        if (r.bottom() != r.top())
            invert(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        invert(r.left(), y);
        if (r.right() != r.left())
            invert(r.right(), y);
    }
}

void drawBannerLayer(const PreviewLayer& layer, QImage& target)
{
    if (layer.Raster == RasterOp::Nop)
        return;
    const QRect area = layer.Rect.intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            row[x] = combineRaster(layer.Raster, layer.Fill, row[x]);
    }
}

void drawLabel(const PreviewLayer& layer, QPainter& painter)
{
    if (layer.Text.isEmpty() || layer.Rect.width() <= 0 || layer.Rect.height() <= 0)
        return;
    int flags = Qt::AlignTop | Qt::TextSingleLine | (layer.Centred ? Qt::AlignHCenter : Qt::AlignLeft);
    if (layer.ShortcutMarks)
        flags |= Qt::TextShowMnemonic;
    painter.setClipRect(layer.Rect);
    painter.setFont(layer.Font);
    painter.setPen(QColor::fromRgb(layer.TextColour));
    painter.drawText(layer.Rect, flags, layer.Text);
}

}  // namespace

QRgb combineRaster(RasterOp op, QRgb colour, QRgb below)
{
    const uint32_t c = colour & 0x00FFFFFFu, b = below & 0x00FFFFFFu;
    uint32_t result;
    switch (op) {
    case RasterOp::Nop: result = b; break;
    case RasterOp::Not: result = ~b; break;
    case RasterOp::Copy: result = c; break;
    case RasterOp::NotCopy: result = ~c; break;
    case RasterOp::MergePenNot: result = c | ~b; break;
    case RasterOp::MaskPenNot: result = c & ~b; break;
    case RasterOp::MergeNotPen: result = ~c | b; break;
    case RasterOp::MaskNotPen: result = ~c & b; break;
    case RasterOp::Merge: result = c | b; break;
    case RasterOp::NotMerge: result = ~(c | b); break;
    case RasterOp::Mask: result = c & b; break;
    case RasterOp::NotMask: result = ~(c & b); break;
    case RasterOp::Xor: result = c ^ b; break;
    case RasterOp::NotXor: result = ~(c ^ b); break;
    default: result = b; break;
    }
    return 0xFF000000u | (result & 0x00FFFFFFu);
}

void RenderScene(const PreviewScene& scene, QImage& target)
{
    const QSize size = scene.ClientSize.expandedTo(QSize(0, 0));
    if (target.size() != size || target.format() != kSkinFormat)
        target = size.isEmpty() ? QImage() : QImage(size, kSkinFormat);
    if (target.isNull())
        return;
    target.fill(scene.Background | 0xFF000000u);

    // Text goes through a painter, pixels straight into the image; the painter is
    // open only while labels follow one another.
    std::optional<QPainter> painter;
    for (const PreviewLayer& layer : scene.Layers) {
        if (!layer.Visible)
            continue;
        if (layer.Kind == LayerKind::Label) {
            if (!painter)
                painter.emplace(&target);
            drawLabel(layer, *painter);
            continue;
        }
        painter.reset();
        switch (layer.Kind) {
        case LayerKind::Image: drawImageLayer(layer, target); break;
        case LayerKind::Shape: drawShapeLayer(layer, target); break;
        case LayerKind::SelectionFrame: drawSelectionFrame(layer, target); break;
        case LayerKind::Banner: drawBannerLayer(layer, target); break;
        case LayerKind::Label: break;
        }
    }
}

QImage RenderScene(const PreviewScene& scene)
{
    QImage target;
    RenderScene(scene, target);
    return target;
}

}  // namespace sw
