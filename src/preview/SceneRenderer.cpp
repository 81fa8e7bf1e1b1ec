#include "preview/SceneRenderer.h"

#include "preview/Blitter.h"

#include <QPainter>

#include <QRegion>

#include <cstring>
#include <vector>

namespace sw {

namespace {

// A transparent layer drawn with a `ground` lies straight on the window's
// background: its magenta pixels take that colour, so the background need not be
// filled below it first.
void copyKeyed(const QImage& source, const QRect& from, QImage& target, const QPoint& to, const uint32_t* ground)
{
    if (ground)
        blit::copyTransparentOnto(source, from, target, to, *ground);
    else
        blit::copyTransparent(source, from, target, to);
}

void drawTiledLayer(const PreviewLayer& layer, QImage& target, const uint32_t* ground)
{
    const QImage tile = toSkinFormat(layer.Image);
    if (!layer.Transparent) {
        blit::tile(tile, tile.rect(), target, layer.Rect);
        return;
    }
    // Tile by tile, each cut to the layer's rectangle; tiles wholly outside the
    // picture are never visited.
    const QRect area = layer.Rect.intersected(target.rect());
    const int w = tile.width(), h = tile.height();
    if (area.isEmpty() || w <= 0 || h <= 0)
        return;
    const int firstY = layer.Rect.top() + (area.top() - layer.Rect.top()) / h * h;
    const int firstX = layer.Rect.left() + (area.left() - layer.Rect.left()) / w * w;
    for (int y = firstY; y <= area.bottom(); y += h)
        for (int x = firstX; x <= area.right(); x += w) {
            const QRect piece = QRect(x, y, w, h).intersected(area);
            if (!piece.isEmpty())
                copyKeyed(tile, piece.translated(-x, -y), target, piece.topLeft(), ground);
        }
}

void drawImageLayer(const PreviewLayer& layer, QImage& target, const uint32_t* ground = nullptr)
{
    if (layer.Image.isNull())
        return;
    if (layer.Tiled) {
        drawTiledLayer(layer, target, ground);
        return;
    }
    const QPoint at = layer.Rect.topLeft() + layer.ImageOffset;
    // The part of the image that lies within the layer's rectangle.
    const QRect visible = layer.Rect.translated(-at).intersected(layer.Image.rect());
    if (visible.isEmpty())
        return;
    const QImage image = toSkinFormat(layer.Image);
    if (layer.Transparent)
        copyKeyed(image, visible, target, at + visible.topLeft(), ground);
    else
        blit::copy(image, visible, target, at + visible.topLeft());
}

// Where a layer may change pixels (`bounds`) and the part of that it paints over
// without looking at what lies below (`opaque`), both within the picture.
struct LayerCover {
    QRect bounds;
    QRect opaque;
};

LayerCover coverOf(const PreviewLayer& layer, const QRect& frame)
{
    LayerCover cover;
    if (!layer.Visible)
        return cover;
    const QRect area = layer.Rect.intersected(frame);
    switch (layer.Kind) {
    case LayerKind::Image: {
        if (layer.Image.isNull() || layer.Image.width() <= 0 || layer.Image.height() <= 0)
            return cover;
        if (layer.Tiled) {
            cover.bounds = area;
        } else {
            const QPoint at = layer.Rect.topLeft() + layer.ImageOffset;
            cover.bounds = layer.Rect.translated(-at).intersected(layer.Image.rect()).translated(at).intersected(frame);
        }
        if (!layer.Transparent)
            cover.opaque = cover.bounds;
        return cover;
    }
    case LayerKind::Shape:
        if (layer.Rect.width() > 0 && layer.Rect.height() > 0)
            cover.bounds = cover.opaque = area;
        return cover;
    case LayerKind::Banner:
        if (layer.Raster == RasterOp::Nop)
            return cover;
        cover.bounds = area;
        if (layer.Raster == RasterOp::Copy || layer.Raster == RasterOp::NotCopy)
            cover.opaque = area;
        return cover;
    case LayerKind::Label:
    case LayerKind::SelectionFrame:
        // A label is clipped to its rectangle; the frame is that rectangle's outline.
        cover.bounds = area;
        return cover;
    }
    return cover;
}

std::vector<LayerCover> layerCovers(const PreviewScene& scene, const QRect& frame)
{
    std::vector<LayerCover> covers;
    covers.reserve(scene.Layers.size());
    for (const PreviewLayer& layer : scene.Layers)
        covers.push_back(coverOf(layer, frame));
    return covers;
}

// Draws only the pixels of an image layer inside `clip`: the layer is drawn into a
// picture that shares the target's memory for that rectangle alone.
void drawImageLayerWithin(const PreviewLayer& layer, QImage& target, const QRect& clip, const uint32_t* ground)
{
    const qsizetype stride = target.bytesPerLine();
    uchar* bits = target.bits() + clip.top() * stride + qsizetype(clip.left()) * 4;
    QImage window(bits, clip.width(), clip.height(), stride, target.format());
    PreviewLayer moved;
    moved.Kind = layer.Kind;
    moved.Rect = layer.Rect.translated(-clip.topLeft());
    moved.Image = layer.Image;
    moved.ImageOffset = layer.ImageOffset;
    moved.Transparent = layer.Transparent;
    moved.Tiled = layer.Tiled;
    drawImageLayer(moved, window, ground);
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

// What a label left in its rectangle, beside what was there before it. The same text
// in the same font, colour, flags and rectangle over the same pixels always gives the
// same pixels, so a repaint copies them instead of laying the text out again.
struct LabelPrint {
    QRect rect;
    QString text;
    QFont font;
    QRgb colour = 0;
    bool centred = false;
    bool shortcutMarks = false;
    std::vector<uint32_t> before, after;

    bool sameLabel(const PreviewLayer& layer) const
    {
        return rect == layer.Rect && colour == layer.TextColour && centred == layer.Centred &&
               shortcutMarks == layer.ShortcutMarks && text == layer.Text && font == layer.Font;
    }
};

// Labels larger than this are always drawn; a preview's labels are a line of text each.
constexpr qsizetype kLargestPrint = 64 * 1024;
constexpr std::size_t kPrintsKept = 96;

void readPixels(const QImage& image, const QRect& area, std::vector<uint32_t>& pixels)
{
    pixels.resize(std::size_t(area.width()) * std::size_t(area.height()));
    uint32_t* out = pixels.data();
    for (int y = area.top(); y <= area.bottom(); ++y, out += area.width())
        std::memcpy(out, reinterpret_cast<const uint32_t*>(image.constScanLine(y)) + area.left(),
                    std::size_t(area.width()) * 4);
}

bool samePixels(const QImage& image, const QRect& area, const std::vector<uint32_t>& pixels)
{
    if (pixels.size() != std::size_t(area.width()) * std::size_t(area.height()))
        return false;
    const uint32_t* in = pixels.data();
    for (int y = area.top(); y <= area.bottom(); ++y, in += area.width())
        if (std::memcmp(in, reinterpret_cast<const uint32_t*>(image.constScanLine(y)) + area.left(),
                        std::size_t(area.width()) * 4) != 0)
            return false;
    return true;
}

void writePixels(QImage& image, const QRect& area, const std::vector<uint32_t>& pixels)
{
    const uint32_t* in = pixels.data();
    for (int y = area.top(); y <= area.bottom(); ++y, in += area.width())
        std::memcpy(reinterpret_cast<uint32_t*>(image.scanLine(y)) + area.left(), in, std::size_t(area.width()) * 4);
}

class LabelPrints {
public:
    void draw(const PreviewLayer& layer, QImage& target)
    {
        if (layer.Text.isEmpty() || layer.Rect.width() <= 0 || layer.Rect.height() <= 0)
            return;
        const QRect area = layer.Rect.intersected(target.rect());
        if (area.isEmpty())
            return;
        if (qsizetype(area.width()) * area.height() > kLargestPrint) {
            QPainter painter(&target);
            drawLabel(layer, painter);
            return;
        }
        for (const LabelPrint& print : prints_)
            if (print.sameLabel(layer) && samePixels(target, area, print.before)) {
                writePixels(target, area, print.after);
                return;
            }
        LabelPrint& print = slot();
        print.rect = layer.Rect;
        print.text = layer.Text;
        print.font = layer.Font;
        print.colour = layer.TextColour;
        print.centred = layer.Centred;
        print.shortcutMarks = layer.ShortcutMarks;
        readPixels(target, area, print.before);
        {
            QPainter painter(&target);
            drawLabel(layer, painter);
        }
        readPixels(target, area, print.after);
    }

private:
    LabelPrint& slot()
    {
        if (prints_.size() < kPrintsKept)
            return prints_.emplace_back();
        LabelPrint& reused = prints_[next_];
        next_ = (next_ + 1) % kPrintsKept;
        return reused;
    }

    std::vector<LabelPrint> prints_;
    std::size_t next_ = 0;
};

LabelPrints& labelPrints()
{
    thread_local LabelPrints prints;
    return prints;
}

}  // namespace

void drawLabelReusingPrint(const PreviewLayer& label, QImage& target)
{
    labelPrints().draw(label, target);
}

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
    const QRect frame = target.rect();
    const std::vector<LayerCover> covers = layerCovers(scene, frame);

    // What the layers above each one hide, top of the stack first: covering[i] is
    // everything some opaque layer above layer i paints over.
    std::vector<QRegion> covering(covers.size() + 1);
    for (std::size_t i = covers.size(); i-- > 0;) {
        covering[i] = covering[i + 1];
        if (!covers[i].opaque.isEmpty())
            covering[i] += covers[i].opaque;
    }
    // Where a transparent image is the first layer to touch the picture, it is drawn
    // straight onto the background colour: onGround[i] is that part of layer i.
    const uint32_t background = scene.Background | 0xFF000000u;
    std::vector<QRegion> onGround(covers.size());
    QRegion touched, grounded;
    for (std::size_t i = 0; i < covers.size(); ++i) {
        const PreviewLayer& layer = scene.Layers[i];
        if (covers[i].bounds.isEmpty())
            continue;
        if (layer.Kind == LayerKind::Image && layer.Transparent) {
            onGround[i] = QRegion(covers[i].bounds) - touched - covering[i + 1];
            grounded += onGround[i];
        }
        touched += covers[i].bounds;
    }
    // The window's background shows only where no opaque layer lies.
    for (const QRect& r : QRegion(frame) - covering[0] - grounded)
        blit::fill(target, r, background);

    // Text goes through a painter (or the last print of the same label), pixels
    // straight into the image.
    LabelPrints& prints = labelPrints();
    for (std::size_t i = 0; i < covers.size(); ++i) {
        const PreviewLayer& layer = scene.Layers[i];
        if (!layer.Visible || covers[i].bounds.isEmpty())
            continue;
        // Pixels an opaque layer above paints over anyway are left alone.
        const QRegion shown = covering[i + 1].isEmpty() ? QRegion(covers[i].bounds)
                                                        : QRegion(covers[i].bounds) - covering[i + 1];
        if (shown.isEmpty())
            continue;
        switch (layer.Kind) {
        case LayerKind::Image:
            if (!onGround[i].isEmpty()) {
                for (const QRect& r : onGround[i])
                    drawImageLayerWithin(layer, target, r, &background);
                for (const QRect& r : shown - onGround[i])
                    drawImageLayerWithin(layer, target, r, nullptr);
            } else if (shown.rectCount() == 1 && shown.boundingRect() == covers[i].bounds) {
                drawImageLayer(layer, target);
            } else {
                for (const QRect& r : shown)
                    drawImageLayerWithin(layer, target, r, nullptr);
            }
            break;
        case LayerKind::Shape: drawShapeLayer(layer, target); break;
        case LayerKind::SelectionFrame: drawSelectionFrame(layer, target); break;
        case LayerKind::Banner: drawBannerLayer(layer, target); break;
        case LayerKind::Label: prints.draw(layer, target); break;
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
