// The preview's drawing beside work of the same size in the same run:
// DrawSkinBitmap filling a 1920 x 1080 bitmap from a nine-slice edge and from a
// background tile, each beside Qt's qDrawBorderPixmap doing the same; and the
// whole composition of both previews of the full sample skin at 1920 x 1080 beside
// one memcpy of a 32-bit frame of that size (a live resize composes on every step);
// painting one composed preview beside filling a frame of the same size.
#include "RatioReporter.h"

#include "document/UisFile.h"
#include "preview/Composition.h"
#include "preview/Blitter.h"
#include "preview/DrawSkinBitmap.h"
#include "preview/FrameAnimation.h"
#include "preview/WindowShape.h"
#include "preview/PreviewSources.h"
#include "preview/SceneRenderer.h"
#include "store/PlatformPaths.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QtWidgets/qdrawutil.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int W = 1920, H = 1080;

// A 64 x 64 edge picture with 16-pixel ends, and a 32 x 32 background tile.
QImage pattern(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 8));
    return image;
}

void NineSliceOurs(benchmark::State& state)
{
    const QImage source = pattern(64);
    QImage dest(W, H, QImage::Format_RGB32);
    for (auto _ : state) {
        sw::DrawSkinBitmap(source, dest, 16, 16, 16, 16, H, W, sw::LayoutSingle, 1, 1, sw::ModeStretch);
        benchmark::DoNotOptimize(dest.constBits());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(NineSliceOurs)->Unit(benchmark::kMicrosecond);

void NineSliceQt(benchmark::State& state)
{
    const QPixmap source = QPixmap::fromImage(pattern(64));
    QImage dest(W, H, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&dest);
        qDrawBorderPixmap(&painter, QRect(0, 0, W, H), QMargins(16, 16, 16, 16), source, source.rect(),
                          QMargins(16, 16, 16, 16), QTileRules(Qt::StretchTile));
        painter.end();
        benchmark::DoNotOptimize(dest.constBits());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(NineSliceQt)->Unit(benchmark::kMicrosecond);

void TiledBackgroundOurs(benchmark::State& state)
{
    const QImage source = pattern(32);
    QImage dest(W, H, QImage::Format_RGB32);
    for (auto _ : state) {
        sw::DrawSkinBitmap(source, dest, 0, 0, 0, 0, H, W, sw::LayoutSingle, 1, 1, sw::ModeTile);
        benchmark::DoNotOptimize(dest.constBits());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(TiledBackgroundOurs)->Unit(benchmark::kMicrosecond);

void TiledBackgroundQt(benchmark::State& state)
{
    const QPixmap source = QPixmap::fromImage(pattern(32));
    QImage dest(W, H, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&dest);
        qDrawBorderPixmap(&painter, QRect(0, 0, W, H), QMargins(), source, source.rect(), QMargins(),
                          QTileRules(Qt::RepeatTile));
        painter.end();
        benchmark::DoNotOptimize(dest.constBits());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(TiledBackgroundQt)->Unit(benchmark::kMicrosecond);

struct Skin {
    std::unique_ptr<sw::TUisFile> document;
    sw::TPreviewSources sources;

    Skin() : document(std::make_unique<sw::TUisFile>((sw::programFolder() / "skins/Tidewater/Tidewater.uis").string()))
    {
        sources.LoadSkin(*document, sw::PreviewSettings{});
    }
};

Skin& tidewater()
{
    static Skin skin;
    return skin;
}

void ComposeBothPreviews(benchmark::State& state)
{
    Skin& skin = tidewater();
    if (!skin.sources.PreviewAvailable) {
        state.SkipWithError("the sample skins are not beside the program");
        return;
    }
    for (auto _ : state) {
        auto active = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
        auto inactive = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), false);
        benchmark::DoNotOptimize(active);
        benchmark::DoNotOptimize(inactive);
    }
}
BENCHMARK(ComposeBothPreviews)->Unit(benchmark::kMicrosecond);

// Painting a composed preview into the window's picture, for comparison.
void PaintOnePreview(benchmark::State& state)
{
    Skin& skin = tidewater();
    const auto scene = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
    if (!scene) {
        state.SkipWithError("the sample skins are not beside the program");
        return;
    }
    QImage picture;
    for (auto _ : state) {
        sw::RenderScene(*scene, picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(PaintOnePreview)->Unit(benchmark::kMicrosecond);

// Filling a 1920 x 1080 picture with one colour, the least any paint of it costs.
void FillOneFrame(benchmark::State& state)
{
    QImage frame(W, H, QImage::Format_RGB32);
    uint32_t colour = 0xFF102030u;
    for (auto _ : state) {
        frame.fill(colour);
        colour ^= 0x00010101u;
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillOneFrame)->Unit(benchmark::kMicrosecond);

void MemcpyOneFrame(benchmark::State& state)
{
    std::vector<uint32_t> from(std::size_t(W) * H, 0x12345678u), to(std::size_t(W) * H);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MemcpyOneFrame)->Unit(benchmark::kMicrosecond);

// The window's shape of a 1920 x 1080 preview, beside a pass that only reads the
// same edge pixels and counts the magenta ones.
void WindowShape(benchmark::State& state)
{
    Skin& skin = tidewater();
    const auto scene = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
    if (!scene) {
        state.SkipWithError("the sample skins are not beside the program");
        return;
    }
    for (auto _ : state) {
        auto region = sw::windowRegion(*scene, sw::ShapeRules{});
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(WindowShape)->Unit(benchmark::kMicrosecond);

void ReadEdgePixels(benchmark::State& state)
{
    Skin& skin = tidewater();
    const auto scene = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
    if (!scene) {
        state.SkipWithError("the sample skins are not beside the program");
        return;
    }
    for (auto _ : state) {
        long long magenta = 0;
        // Sizes and rows are read once per image, never per pixel.
        auto count = [&magenta](const QImage& image) {
            const int width = image.width(), height = image.height();
            const uchar* bits = image.constBits();
            const qsizetype stride = image.bytesPerLine();
            for (int y = 0; y < height; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(bits + y * stride);
                for (int x = 0; x < width; ++x)
                    magenta += sw::isMagenta(row[x]);
            }
        };
        for (const char* name : {"ImageLeft", "ImageRight", "ImageTop", "ImageBottom"})
            count(scene->Layer(name).Image);
        if (const sw::PreviewLayer* back = scene->Find("ImageTextBack"); back && !back->Image.isNull())
            count(back->Image);
        benchmark::DoNotOptimize(magenta);
    }
}
BENCHMARK(ReadEdgePixels)->Unit(benchmark::kMicrosecond);

// One animation tick of a 1920 x 1080 preview beside composing and painting it anew.
void AnimationTick(benchmark::State& state)
{
    Skin& skin = tidewater();
    const auto scene = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
    if (!scene) {
        state.SkipWithError("the sample skins are not beside the program");
        return;
    }
    QImage window = sw::RenderScene(*scene);
    sw::AnimationBuffers buffers;
    std::array<int, 4> frames{1, 1, 1, 1};
    for (auto _ : state) {
        for (std::size_t e = 0; e < 4; ++e)
            frames[e] = sw::nextAnimationFrame(frames[e], scene->Edges[e].FrameCount);
        sw::FastPaint(skin.sources, *scene, frames, nullptr, buffers, window);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(AnimationTick)->Unit(benchmark::kMicrosecond);

void ComposeAndPaint(benchmark::State& state)
{
    Skin& skin = tidewater();
    QImage window;
    for (auto _ : state) {
        auto scene = sw::ComposePreview(*skin.document, skin.sources, QSize(W, H), true);
        if (scene)
            sw::RenderScene(*scene, window);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(ComposeAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no screen is needed.
    static int qtArgc = 3;
    static char program[] = "preview_bench", option[] = "-platform", platform[] = "offscreen";
    static char* qtArgv[] = {program, option, platform, nullptr};
    QGuiApplication application(qtArgc, qtArgv);

    benchmark::Initialize(&argc, argv);
    sw::bench::RatioReporter reporter({
        {"NineSliceOurs", "NineSliceQt", 0.5, "nine-slice edge to 1920x1080: ours / qDrawBorderPixmap"},
        {"TiledBackgroundOurs", "TiledBackgroundQt", 0.5, "tiled background 1920x1080: ours / qDrawBorderPixmap"},
        {"ComposeBothPreviews", "MemcpyOneFrame", 4.0, "compose both previews 1920x1080 / memcpy of one frame"},
        {"PaintOnePreview", "MemcpyOneFrame", 4.0, "paint one preview 1920x1080 / memcpy of one frame"},
        {"PaintOnePreview", "FillOneFrame", 2.0, "paint one preview 1920x1080 / one frame fill"},
        {"WindowShape", "ReadEdgePixels", 1.0, "window shape 1920x1080 / reading the same pixels"},
        {"AnimationTick", "ComposeAndPaint", 0.1, "animation tick 1920x1080 / compose and paint"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
