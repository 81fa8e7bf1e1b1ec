// The preview's paint path against a plain painter that fills the whole picture and
// draws every layer in full, pixel by pixel: both must give the same pixels on sample
// skins at several sizes and on stacks built to overlap in awkward ways.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "preview/Blitter.h"
#include "preview/Composition.h"
#include "preview/ImageCache.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <random>

namespace sw::test {
namespace {

// Every layer drawn whole, bottom first, one pixel at a time.
QImage referencePaint(const PreviewScene& scene)
{
    QImage out(scene.ClientSize, QImage::Format_RGB32);
    out.fill(scene.Background | 0xFF000000u);
    const QRect frame = out.rect();
    auto put = [&](int x, int y, QRgb pixel) {
        if (frame.contains(x, y))
            reinterpret_cast<QRgb*>(out.scanLine(y))[x] = pixel;
    };
    for (const PreviewLayer& layer : scene.Layers) {
        if (!layer.Visible)
            continue;
        const QRect r = layer.Rect;
        switch (layer.Kind) {
        case LayerKind::Image: {
            if (layer.Image.isNull())
                break;
            const QImage image = layer.Image.convertToFormat(QImage::Format_RGB32);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    int sx = x - r.left() - layer.ImageOffset.x(), sy = y - r.top() - layer.ImageOffset.y();
                    if (layer.Tiled) {
                        sx = (x - r.left()) % image.width();
                        sy = (y - r.top()) % image.height();
                    }
                    if (!image.valid(sx, sy))
                        continue;
                    const QRgb pixel = image.pixel(sx, sy);
                    if (!(layer.Transparent && isMagenta(pixel)))
                        put(x, y, pixel);
                }
            break;
        }
        case LayerKind::Shape:
            if (r.width() <= 0 || r.height() <= 0)
                break;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const bool outline = x == r.left() || x == r.right() || y == r.top() || y == r.bottom();
                    put(x, y, (outline ? layer.Pen : layer.Fill) | 0xFF000000u);
                }
            break;
        case LayerKind::Banner:
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (frame.contains(x, y))
                        put(x, y, combineRaster(layer.Raster, layer.Fill, out.pixel(x, y)));
            break;
        case LayerKind::SelectionFrame: {
            const int parity = layer.Raster == RasterOp::NotXor ? 1 : 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const bool outline = x == r.left() || x == r.right() || y == r.top() || y == r.bottom();
                    if (outline && ((x + y) & 1) == parity && frame.contains(x, y))
                        put(x, y, out.pixel(x, y) ^ 0x00FFFFFFu);
                }
            break;
        }
        case LayerKind::Label: {
            if (layer.Text.isEmpty() || r.width() <= 0 || r.height() <= 0)
                break;
            QPainter painter(&out);
            int flags = Qt::AlignTop | Qt::TextSingleLine | (layer.Centred ? Qt::AlignHCenter : Qt::AlignLeft);
            if (layer.ShortcutMarks)
                flags |= Qt::TextShowMnemonic;
            painter.setClipRect(r);
            painter.setFont(layer.Font);
            painter.setPen(QColor::fromRgb(layer.TextColour));
            painter.drawText(r, flags, layer.Text);
            break;
        }
        }
    }
    return out;
}

// The first differing pixel, or an empty text when the pictures are equal.
std::string firstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(a.pixel(x, y)) +
                       " vs " + std::to_string(b.pixel(x, y));
    return {};
}

struct SkinCase {
    const char* file;
    QSize client;
    bool active;
};

TEST(PaintPath, SampleSkinsPaintAsEveryLayerDrawnWhole)
{
    const SkinCase cases[] = {
        {"Tidewater/Tidewater.uis", {1920, 1080}, true},   {"Tidewater/Tidewater.uis", {640, 480}, false},
        {"Tidewater/Tidewater.uis", {97, 61}, true},       {"Slate/Slate.uis", {800, 600}, true},
        {"Slate/Slate.uis", {333, 217}, true},    {"Slate/Slate.uis", {1024, 700}, true},
        {"Slate/Slate.uis", {150, 90}, false},             {"Tidewater/Tidewater.uis", {1920, 1080}, true},
    };
    for (const SkinCase& c : cases) {
        auto document = std::make_unique<TUisFile>((sampleSkins() / c.file).string());
        TPreviewSources sources;
        TImageCache cache;
        sources.LoadSkin(*document, PreviewSettings{}, cache);
        auto scene = ComposePreview(*document, sources, c.client, c.active);
        ASSERT_TRUE(scene) << c.file;
        QImage picture;
        // Twice into the same picture: the second paint starts from the first one's pixels.
        for (int pass = 0; pass < 2; ++pass) {
            RenderScene(*scene, picture);
            EXPECT_EQ(firstDifference(picture, referencePaint(*scene)), "")
                << c.file << " " << c.client.width() << "x" << c.client.height() << " pass " << pass;
        }
    }
}

PreviewLayer image(QRect rect, QImage picture, bool transparent, bool tiled = false)
{
    PreviewLayer layer;
    layer.Kind = LayerKind::Image;
    layer.Rect = rect;
    layer.Image = std::move(picture);
    layer.Transparent = transparent;
    layer.Tiled = tiled;
    return layer;
}

PreviewLayer label(QRect rect, const char* text, QRgb colour, bool centred = false)
{
    PreviewLayer layer;
    layer.Kind = LayerKind::Label;
    layer.Rect = rect;
    layer.Text = QString::fromUtf8(text);
    layer.TextColour = colour;
    layer.Centred = centred;
    layer.ShortcutMarks = true;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    layer.Font = font;
    return layer;
}

PreviewLayer shape(QRect rect, LayerKind kind, RasterOp raster = RasterOp::Nop)
{
    PreviewLayer layer;
    layer.Kind = kind;
    layer.Rect = rect;
    layer.Fill = 0xFF336699u;
    layer.Pen = 0xFF112233u;
    layer.Raster = raster;
    return layer;
}

// A coded picture with magenta in a diagonal band and in its corners.
QImage holed(int w, int h, int tag)
{
    QImage picture = codedImage(w, h, tag);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + y) % 7 < 2 || (x < 2 && y < 2) || (x >= w - 2 && y >= h - 2))
                picture.setPixel(x, y, kMagenta);
    return picture;
}

struct StackCase {
    const char* what;
    std::vector<PreviewLayer> layers;
};

TEST(PaintPath, OverlappingStacksPaintAsEveryLayerDrawnWhole)
{
    const StackCase cases[] = {
        {"opaque tile under opaque and see-through pictures",
         {image({-13, -7, 140, 90}, codedImage(9, 5, 1), false, true), image({20, 10, 40, 30}, codedImage(40, 30, 2), false),
          image({10, 5, 70, 50}, holed(70, 50, 3), true), image({50, 30, 60, 40}, codedImage(60, 40, 4), false)}},
        {"see-through tile cut by opaque pictures",
         {image({3, 4, 100, 70}, holed(11, 13, 5), true, true), image({0, 0, 30, 80}, codedImage(30, 80, 6), false),
          image({90, 60, 40, 40}, codedImage(40, 40, 7), false)}},
        {"labels below, between and above opaque pictures",
         {image({0, 0, 120, 50}, codedImage(12, 8, 8), false, true), label({5, 5, 80, 14}, "&Hidden", 0xFF000000u),
          image({0, 0, 100, 25}, codedImage(100, 25, 9), false), label({10, 30, 90, 14}, "Half &covered", 0xFFFFFFFFu, true),
          image({60, 28, 60, 10}, codedImage(60, 10, 10), false), label({2, 60, 110, 14}, "On top && plain", 0xFF0000FFu)}},
        {"shapes, banners and the selection frame",
         {image({0, 0, 120, 80}, codedImage(120, 80, 11), false), shape({10, 10, 50, 30}, LayerKind::Shape),
          shape({30, 20, 50, 40}, LayerKind::Banner, RasterOp::Xor), shape({5, 5, 30, 30}, LayerKind::SelectionFrame),
          shape({70, 50, 60, 40}, LayerKind::Banner, RasterOp::Copy), shape({40, 45, 40, 20}, LayerKind::SelectionFrame, RasterOp::NotXor),
          image({75, 55, 20, 20}, holed(20, 20, 12), true)}},
        {"pictures offset in their rectangles and outside the window",
         [] {
             PreviewLayer shifted = image({10, 10, 50, 40}, codedImage(80, 60, 13), false);
             shifted.ImageOffset = QPoint(-15, 4);
             PreviewLayer hidden = image({0, 0, 120, 80}, codedImage(120, 80, 14), false);
             hidden.Visible = false;
             return std::vector<PreviewLayer>{image({-40, -40, 30, 30}, codedImage(30, 30, 15), false), shifted,
                                              image({100, 70, 60, 60}, holed(60, 60, 16), true), hidden};
         }()},
    };
    for (const StackCase& c : cases) {
        PreviewScene scene;
        scene.ClientSize = QSize(120, 80);
        scene.Background = 0xFF808040u;
        scene.Layers = c.layers;
        QImage picture;
        RenderScene(scene, picture);
        EXPECT_EQ(firstDifference(picture, referencePaint(scene)), "") << c.what;
        // The same stack over another background colour: the labels must not come
        // back as they were drawn over the first one.
        scene.Background = 0xFF204060u;
        RenderScene(scene, picture);
        EXPECT_EQ(firstDifference(picture, referencePaint(scene)), "") << c.what << ", second background";
    }
}

struct RowCase {
    const char* what;
    std::vector<uint32_t> source;
};

// Rows of every length up to 39 cut from each pattern, at every start within the
// first four pixels: each wide form of the copy, with and without a ground colour,
// and the run search against one pixel at a time.
TEST(PaintPath, TransparentRowsAndMagentaRunsMatchPixelByPixel)
{
    const uint32_t m = kMagenta, o = 0xFF102030u, n = 0x00FF00FFu /* magenta without alpha */, near = 0xFFFF01FFu;
    const RowCase cases[] = {
        {"no magenta", std::vector<uint32_t>(23, o)},
        {"all magenta", std::vector<uint32_t>(23, m)},
        {"alternating", {m, o, m, o, m, o, m, o, m, o, m, o, m, o, m, o, m, o, m, o, m, o, m}},
        {"runs of three", {o, o, o, m, m, m, o, o, o, m, m, m, o, o, o, m, m, m, o, o, o, m, m}},
        {"alpha ignored, near magenta kept", {n, near, n, o, near, n, m, near, o, o, o, o, n, n, n, n, near, m, o, n, n, o, o}},
    };
    const uint32_t paper = 0xFF445566u;
    const std::vector<blit::TransparentRowForm> forms = blit::copyTransparentRowForms();
    for (const RowCase& c : cases) {
        // Long enough for several groups of eight and a tail at every start.
        std::vector<uint32_t> source = c.source;
        source.insert(source.end(), c.source.begin(), c.source.begin() + 16);
        for (int start = 0; start < 4; ++start)
            for (int width = 0; width + start <= int(source.size()); ++width) {
                const uint32_t* row = source.data() + start;
                for (const uint32_t* ground : {static_cast<const uint32_t*>(nullptr), &paper})
                    for (std::size_t form = 0; form < forms.size(); ++form) {
                        std::vector<uint32_t> fast(std::size_t(width), 0xFFABCDEFu), slow = fast;
                        forms[form](row, fast.data(), width, ground);
                        for (int x = 0; x < width; ++x)
                            if (!isMagenta(row[x]))
                                slow[std::size_t(x)] = row[x];
                            else if (ground)
                                slow[std::size_t(x)] = *ground;
                        EXPECT_EQ(fast, slow) << c.what << " start " << start << " width " << width << " form "
                                              << form << (ground ? " on a ground" : "");
                    }
                for (bool magenta : {false, true})
                    for (int from = 0; from <= width; ++from) {
                        int expected = from;
                        while (expected < width && isMagenta(row[expected]) == magenta)
                            ++expected;
                        EXPECT_EQ(blit::runEnd(row, from, width, magenta), expected)
                            << c.what << " start " << start << " width " << width << " from " << from;
                    }
            }
    }
}

// Copies (plain and see-through), tiles and stretches between random rectangles, many
// of them reaching outside both pictures or cut down to a pixel or two, against one
// pixel at a time.
TEST(PaintPath, CopiesTilesAndStretchesMatchPixelByPixel)
{
    std::mt19937 random(2024);
    auto between = [&](int low, int high) { return low + int(random() % uint32_t(high - low + 1)); };
    const char* names[] = {"copy", "tile", "stretch", "see-through copy", "see-through copy on a ground"};
    const uint32_t ground = 0xFF445566u;
    for (int i = 0; i < 5000; ++i) {
        const int kind = i % 5;
        QImage source = codedImage(between(1, 40), between(1, 40));
        // See-through sources have runs of magenta nine pixels long, shifted row by row.
        if (kind >= 3)
            for (int y = 0; y < source.height(); ++y)
                for (int x = 0; x < source.width(); ++x)
                    if ((x / 9 + y) % 3 == 0)
                        source.setPixel(x, y, kMagenta);
        QImage fast(between(1, 90), between(1, 70), QImage::Format_RGB32);
        fast.fill(0xFF010203u);
        QImage slow = fast.copy();
        const QRect from(between(-6, 40), between(-6, 40), between(0, 45), between(0, 45));
        const QRect to(between(-30, 90), between(-30, 70), between(0, 120), between(0, 90));
        // The source pixel destination pixel (x, y) shows, if any.
        std::function<std::optional<QPoint>(int, int)> shows;
        if (kind == 0 || kind >= 3) {
            if (kind == 0)
                blit::copy(source, from, fast, to.topLeft());
            else if (kind == 3)
                blit::copyTransparent(source, from, fast, to.topLeft());
            else
                blit::copyTransparentOnto(source, from, fast, to.topLeft(), ground);
            shows = [&](int x, int y) -> std::optional<QPoint> {
                const QPoint p(from.left() + x - to.left(), from.top() + y - to.top());
                if (x < to.left() || y < to.top() || !QRect(from.topLeft(), from.size()).contains(p))
                    return std::nullopt;
                return p;
            };
        } else if (kind == 1) {
            blit::tile(source, from, fast, to);
            // Only the part of the tile that exists repeats, from where it lies in the area.
            const QRect piece = from.intersected(source.rect());
            const QPoint anchor = to.topLeft() + piece.topLeft() - from.topLeft();
            shows = [&, piece, anchor](int x, int y) -> std::optional<QPoint> {
                if (piece.isEmpty() || !to.contains(x, y) || x < anchor.x() || y < anchor.y())
                    return std::nullopt;
                return piece.topLeft() + QPoint((x - anchor.x()) % piece.width(), (y - anchor.y()) % piece.height());
            };
        } else {
            blit::stretch(source, from, fast, to);
            shows = [&](int x, int y) -> std::optional<QPoint> {
                if (from.isEmpty() || !to.contains(x, y))
                    return std::nullopt;
                return QPoint(from.left() + (2 * (x - to.left()) + 1) * from.width() / (2 * to.width()),
                              from.top() + (2 * (y - to.top()) + 1) * from.height() / (2 * to.height()));
            };
        }
        for (int y = 0; y < slow.height(); ++y)
            for (int x = 0; x < slow.width(); ++x)
                if (const auto p = shows(x, y); p && source.rect().contains(*p)) {
                    const QRgb pixel = source.pixel(*p);
                    if (!isMagenta(pixel))
                        slow.setPixel(x, y, pixel);
                    else if (kind == 4)
                        slow.setPixel(x, y, ground);
                }
        ASSERT_EQ(fast, slow) << names[kind] << " " << i << ": from " << from.x() << "," << from.y() << " "
                              << from.width() << "x" << from.height() << " to " << to.x() << "," << to.y() << " "
                              << to.width() << "x" << to.height() << " source " << source.width() << "x"
                              << source.height();
    }
}

}  // namespace
}  // namespace sw::test
