// The preview window's shape (edges' magenta cut out, caption background and buttons
// combined), the animation's frame cycle and quick repaint, the banner's raster
// modes, and resizing the window by its left edge.
#include "PreviewTestSupport.h"

#include "document/UisFile.h"
#include "preview/Blitter.h"
#include "preview/FrameAnimation.h"
#include "preview/PreviewSources.h"
#include "preview/Composition.h"
#include "preview/PreviewForm.h"
#include "preview/SceneRenderer.h"
#include "preview/TitleButtons.h"
#include "preview/WindowShape.h"
#include "store/AcceleratedIniFile.h"

#include <QMenu>
#include <QRandomGenerator>
#include <QTimer>

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A 100 x 60 scene: left and right edges 4 wide with 2 magenta pixels each at the top
// corner, a top edge 20 high with a 10 x 3 magenta notch, a bottom edge without
// magenta, and a caption background 30 x 20 over the top edge, opaque but for 5 pixels.
PreviewScene shapedScene()
{
    PreviewScene scene;
    scene.ClientSize = QSize(100, 60);
    auto add = [&](const char* name, QImage image, QPoint at) {
        PreviewLayer layer;
        layer.Name = name;
        layer.Image = image;
        layer.Rect = QRect(at, image.size());
        layer.Transparent = true;
        scene.Layers.push_back(layer);
    };
    QImage side = filled(4, 60, 0xFF000080u);
    side.setPixel(0, 0, kMagenta);
    side.setPixel(1, 0, kMagenta);
    add("ImageLeft", side, {0, 0});
    add("ImageRight", side, {96, 0});
    QImage top = filled(92, 20, 0xFF0000C0u);
    blit::fill(top, QRect(40, 0, 10, 3), kMagenta);
    add("ImageTop", top, {4, 0});
    add("ImageBottom", filled(92, 4, 0xFF000040u), {4, 56});
    QImage back = filled(30, 20, 0xFF00C000u);
    blit::fill(back, QRect(0, 0, 5, 1), kMagenta);
    add("ImageTextBack", back, {30, 0});
    return scene;
}

TEST(WindowShape, RulesForTransparencyNoShapeAndCombineTextBack)
{
    const long long all = 100 * 60;
    const long long edges = 2 + 2 + 30;            // the magenta of the edges
    // The caption background (x 30..59, y 0..19) covers the whole notch (x 44..53 in the
    // window, as the top edge starts at 4); its magenta pixels (x 30..34 of the first
    // row) lie clear of it. So it adds all 30 notch pixels back.
    const struct {
        const char* name;
        ShapeRules rules;
        std::optional<long long> area;
    } rows[] = {
        {"shaped", {true, false, 0}, all - edges},
        {"transparency off", {false, false, 1}, std::nullopt},
        {"no shape", {true, true, 0}, std::nullopt},
        {"no shape, caption background", {true, true, 1}, all - edges + 30},
        {"caption background 1", {true, false, 1}, all - edges + 30},
        {"caption background 2 shapes but adds nothing", {true, false, 2}, all - edges},
        {"no shape, caption background 2", {true, true, 2}, all - edges},
    };
    const PreviewScene scene = shapedScene();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<QRegion> region = windowRegion(scene, row.rules);
        ASSERT_EQ(region.has_value(), row.area.has_value());
        if (!region)
            continue;
        EXPECT_EQ(regionArea(*region), *row.area);
        EXPECT_FALSE(region->contains(QPoint(96, 0)));
        EXPECT_TRUE(region->contains(QPoint(98, 0)));
    }
}

TEST(WindowShape, RunsGiveTheSamePixelsAsCountingOneByOne)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        const int w = 1 + int(random.bounded(40)), h = 1 + int(random.bounded(30));
        QImage image(w, h, QImage::Format_RGB32);
        // Rows repeat now and then, so bands of equal rows are exercised too.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, y > 0 && random.bounded(3) == 0 ? image.pixel(x, y - 1)
                                     : random.bounded(2) ? kMagenta : 0xFF102030u);
        const QPoint at(int(random.bounded(10)), int(random.bounded(10)));
        const QRegion magenta = magentaRegion(image, at), opaque = magentaRegion(image, at, true);
        long long count = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool m = isMagenta(image.pixel(x, y));
                count += m;
                ASSERT_EQ(magenta.contains(at + QPoint(x, y)), m) << round << " " << x << "," << y;
                ASSERT_EQ(opaque.contains(at + QPoint(x, y)), !m);
            }
        EXPECT_EQ(regionArea(magenta), count);
        EXPECT_EQ(regionArea(opaque), (long long)w * h - count);
    }
}

class ShapeSkin {
public:
    explicit ShapeSkin(const std::string& extra) : skin_("Shp")
    {
        skin_.writeBitmap("side.bmp", codedImage(4, 30));
        skin_.writeBitmap("top.bmp", codedImage(60, 20));
        skin_.writeBitmap("bottom.bmp", codedImage(60, 4));
        // A 3-frame strip of 8 x 6 frames: 6 magenta pixels in each frame.
        QImage strip = filled(24, 6, 0xFF336699u);
        for (int f = 0; f < 3; ++f)
            blit::fill(strip, QRect(f * 8, 0, 6, 1), kMagenta);
        skin_.writeBitmap("b.bmp", strip);
        file_ = skin_.writeUis("[TITLEBARSKIN]\nSkinName=Shp\nSkinAuthor=Someone\n[PERSONALITY]\nLEFT=Shp\\side.bmp\nRIGHT=Shp\\side.bmp\n"
                               "TOP=Shp\\top.bmp\nBOTTOM=Shp\\bottom.bmp\n" + extra);
    }
    const std::string& file() const { return file_; }

private:
    SkinFolder skin_;
    std::string file_;
};

TEST(WindowShape, ButtonsAddOrPunchOutTheirOpaquePixels)
{
    const struct {
        const char* combineOp;
        bool visible;
        std::optional<long long> change;
    } rows[] = {{"0", true, -42}, {"1", true, 42}, {"2", true, 42}, {"-1", true, std::nullopt},
                {"1", false, std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.combineOp) + (row.visible ? " visible" : " hidden"));
        ShapeSkin skin(std::string("ButtonCount=1\n[BUTTON0]\nButtonImage=Shp\\b.bmp\nCombineOp=") + row.combineOp + "\n");
        TUisFile document(skin.file());
        TTitleButtons buttons;
        buttons.Load(document, true);
        if (!row.visible)
            buttons.Hide(0);
        // Half inside the window's shape, half in a hole of it.
        buttons.Button(0).Layer.Rect.moveTopLeft(QPoint(46, 10));
        QRegion shape(0, 0, 100, 60);
        shape -= QRegion(50, 0, 50, 60);
        const std::optional<QRegion> combined = combineButtons(shape, buttons, ShapeRules{});
        ASSERT_EQ(combined.has_value(), row.change.has_value());
        if (!combined)
            continue;
        // Inside the shape: x 46..49, rows 10..15, magenta at row 10 -> 4 x 6 - 4 = 20 pixels.
        // In the hole: x 50..53, magenta at x 50, 51 of row 10 -> 4 x 6 - 2 = 22 pixels.
        const long long before = regionArea(shape);
        const long long expected = *row.change < 0 ? before - 20 : before + 22;
        EXPECT_EQ(regionArea(*combined), expected);
        EXPECT_EQ(combineButtons(shape, buttons, ShapeRules{true, true, 0}).has_value(), false);
    }
}

TEST(FrameAnimation, FrameCycle)
{
    const struct {
        int frames;
        std::vector<int> cycle;  // from frame 0
    } rows[] = {{5, {1, 2, 3, 1, 2, 3, 1}}, {4, {1, 2, 1, 2}}, {3, {1, 1, 1}}, {2, {1, 1}}, {1, {1, 1}}, {0, {1}}};
    for (const auto& row : rows) {
        int frame = 0;
        for (std::size_t i = 0; i < row.cycle.size(); ++i) {
            frame = nextAnimationFrame(frame, row.frames);
            EXPECT_EQ(frame, row.cycle[i]) << row.frames << " frames, tick " << i;
        }
    }
}

TEST(FrameAnimation, AllowedOnlyWithFramesAndARate)
{
    std::array<EdgeParameters, 4> edges{};
    for (auto& e : edges)
        e.FrameCount = 5;
    EXPECT_TRUE(animationAllowed(UisType2, 150, edges));
    EXPECT_TRUE(animationAllowed(UisType1p, 150, edges));
    EXPECT_FALSE(animationAllowed(UisType1, 150, edges));
    EXPECT_FALSE(animationAllowed(UisType2, 0, edges));
    edges[EdgeBottom].FrameCount = 1;
    EXPECT_FALSE(animationAllowed(UisType2, 150, edges));
}

// A quick repaint draws the edges straight into the window where they lie apart in
// it and through bitmaps of their own otherwise (a window in another format forces
// that here): both ways give the same pixels, tick after tick, buttons and caption
// included.
TEST(FrameAnimation, DrawingStraightIntoTheWindowMatchesDrawingThroughBitmaps)
{
    for (const char* skin : {"Tidewater/Tidewater.uis", "Slate/Slate.uis"}) {
        TUisFile document((sampleSkins() / skin).string());
        TPreviewSources sources;
        sources.LoadSkin(document, PreviewSettings{});
        TTitleButtons buttons;
        buttons.Load(document, true);
        for (QSize size : {QSize(640, 400), QSize(37, 29)}) {
            const auto scene = ComposePreview(document, sources, size, true);
            ASSERT_TRUE(scene) << skin;
            buttons.RePaint(document, buttonFrame(*scene, false));
            QImage straight = RenderScene(*scene);
            QImage through = straight.convertToFormat(QImage::Format_ARGB32);
            AnimationBuffers straightBuffers, throughBuffers;
            std::array<int, 4> frames{};
            for (int tick = 0; tick < 4; ++tick) {
                for (std::size_t e = 0; e < 4; ++e)
                    frames[e] = nextAnimationFrame(frames[e], scene->Edges[e].FrameCount);
                FastPaint(sources, *scene, frames, &buttons, straightBuffers, straight);
                FastPaint(sources, *scene, frames, &buttons, throughBuffers, through);
                ASSERT_EQ(straight, through.convertToFormat(QImage::Format_RGB32))
                    << skin << " at " << size.width() << "x" << size.height() << ", tick " << tick;
            }
        }
    }
}

TEST(BannerEffects, EveryRasterModeOnAKnownPixel)
{
    const QRgb c = 0xFF0F0FF0u, b = 0xFF3366CCu;  // C = 0F0FF0, B = 3366CC
    const struct {
        RasterOp op;
        QRgb result;
    } rows[] = {
        {RasterOp::Nop, 0x3366CC},        {RasterOp::Not, 0xCC9933},         {RasterOp::Copy, 0x0F0FF0},
        {RasterOp::NotCopy, 0xF0F00F},    {RasterOp::MergePenNot, 0xCF9FF3}, {RasterOp::MaskPenNot, 0x0C0930},
        {RasterOp::MergeNotPen, 0xF3F6CF}, {RasterOp::MaskNotPen, 0x30600C}, {RasterOp::Merge, 0x3F6FFC},
        {RasterOp::NotMerge, 0xC09003},   {RasterOp::Mask, 0x0306C0},        {RasterOp::NotMask, 0xFCF93F},
        {RasterOp::Xor, 0x3C693C},        {RasterOp::NotXor, 0xC396C3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(combineRaster(row.op, c, b), 0xFF000000u | row.result) << int(row.op);
}

struct FormFixture {
    TempDir dir;
    std::unique_ptr<TAcceleratedIniFile> settings;
    std::unique_ptr<TUisFile> document;
    std::unique_ptr<TPreviewForm> form;

    explicit FormFixture(const std::string& uis, const std::string& settingsText = "")
    {
        writeBytes(dir.path() / "sw.ini", settingsText);
        settings = std::make_unique<TAcceleratedIniFile>((dir.path() / "sw.ini").string());
        document = std::make_unique<TUisFile>(uis);
        form = std::make_unique<TPreviewForm>(*settings);
        form->SetDocument(document.get());
        form->ReLoadSkin();
    }
};

TEST(PreviewWindow, SpecifiedColourCoversTheBannerAndUnchangedShowsIt)
{
    FormFixture f((sampleSkins() / "Tidewater/Tidewater.uis").string());
    ASSERT_NE(f.form->Scene(), nullptr);
    const QRect banner = f.form->Scene()->Layer("ShapeBanner").Rect;
    ASSERT_FALSE(banner.isEmpty());
    const QPoint p = banner.center();
    const QRgb plain = f.form->Picture().pixel(p);
    EXPECT_EQ(f.form->FilterColor(), 0xFFFFFF00u);  // yellow at start
    f.form->SetBannerEffect(RasterOp::Copy);
    EXPECT_EQ(f.form->Picture().pixel(p), 0xFFFFFF00u);
    EXPECT_EQ(f.form->Picture().pixel(banner.topLeft()), 0xFFFFFF00u);
    f.form->SetFilterColor(0xFF102030u);
    EXPECT_EQ(f.form->Picture().pixel(p), 0xFF102030u);
    f.form->SetBannerEffect(RasterOp::Nop);
    EXPECT_EQ(f.form->Picture().pixel(p), plain);
    // Fourteen modes, then "Specify Filter Color" after a separator.
    const auto items = f.form->BannerPopupMenu()->actions();
    ASSERT_EQ(items.size(), 16);
    EXPECT_EQ(items[2]->text(), QStringLiteral("Specified color"));
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(items[15]->text(), QStringLiteral("Specify Filter Color"));
}

TEST(PreviewWindow, TidewaterShapeAndAnimation)
{
    // Tidewater: edges of five frames, AniRate 150, CombineTextBack 1, a close button with CombineOp 1.
    FormFixture f((sampleSkins() / "Tidewater/Tidewater.uis").string());
    ASSERT_TRUE(f.form->WindowShape().has_value());
    EXPECT_LT(regionArea(*f.form->WindowShape()), (long long)f.form->width() * f.form->height());
    EXPECT_TRUE(f.form->AnimationAllowed());

    const QImage still = f.form->Picture().copy();
    f.form->Animate(true);
    EXPECT_TRUE(f.form->Animating());
    EXPECT_TRUE(f.form->TimerAnimation()->isActive());
    EXPECT_FALSE(f.form->Scene()->Layer("ImageTop").Visible);
    // Before the first tick the quick repaint shows the composed frames: the same
    // picture wherever the window's shape lets it be seen.
    {
        const QImage quick = f.form->Picture();
        int differ = 0;
        QRect where;
        for (int y = 0; y < still.height(); ++y)
            for (int x = 0; x < still.width(); ++x)
                if (quick.pixel(x, y) != still.pixel(x, y) && f.form->WindowShape()->contains(QPoint(x, y))) {
                    ++differ;
                    where |= QRect(x, y, 1, 1);
                }
        EXPECT_EQ(differ, 0) << where.x() << "," << where.y() << " " << where.width() << "x" << where.height();
    }
    f.form->TimerAnimationTimer();
    EXPECT_EQ(f.form->AnimationFrames()[EdgeTop], 1);
    f.form->TimerAnimationTimer();
    EXPECT_EQ(f.form->AnimationFrames()[EdgeTop], 2);
    // The second frame differs from the first somewhere on the top edge, and nowhere
    // below the edges.
    const QImage animated = f.form->Picture().copy();
    const QRect top = f.form->Scene()->Layer("ImageTop").Rect;
    int changedOnTop = 0, changedInside = 0;
    const QRect inside(top.left() + 10, top.bottom() + 30, top.width() - 20, 60);
    for (int y = 0; y < still.height(); ++y)
        for (int x = 0; x < still.width(); ++x)
            if (still.pixel(x, y) != animated.pixel(x, y)) {
                changedOnTop += top.contains(x, y);
                changedInside += inside.contains(x, y);
            }
    EXPECT_GT(changedOnTop, 0);
    EXPECT_EQ(changedInside, 0);
    f.form->Animate(false);
    EXPECT_TRUE(f.form->Scene()->Layer("ImageTop").Visible);
    EXPECT_FALSE(f.form->TimerAnimation()->isActive());
}

TEST(PreviewWindow, TransparencyOffLeavesAPlainRectangle)
{
    FormFixture f((sampleSkins() / "Tidewater/Tidewater.uis").string(), "[General]\nShowPreviewTransparrency=0\n");
    EXPECT_FALSE(f.form->WindowShape().has_value());
    EXPECT_TRUE(f.form->mask().isEmpty());
}

TEST(PreviewWindow, DraggingTheLeftEdgeKeepsTheRightSide)
{
    FormFixture f((sampleSkins() / "Tidewater/Tidewater.uis").string());
    f.form->setGeometry(200, 100, 400, 300);
    const QRect before = f.form->geometry();
    const QRect left = f.form->Scene()->Layer("ImageLeft").Rect;
    const QPoint at(left.left() + 1, left.center().y());
    EXPECT_EQ(f.form->DragModeFor("ImageLeft", at), 4);
    f.form->FormMouseDown(at, before.topLeft() + at);
    f.form->FormMouseMove(at - QPoint(40, 0), before.topLeft() + at - QPoint(40, 7));
    f.form->FormMouseUp();
    const QRect after = f.form->geometry();
    EXPECT_EQ(after.right(), before.right());
    EXPECT_EQ(after.left(), before.left() - 40);
    EXPECT_EQ(after.height(), before.height());
    f.form->ConstructPreview();  // a hidden window gets its resize event when shown
    EXPECT_EQ(f.form->Scene()->ClientSize, after.size());
    // By position on the window itself.
    const QRect bottom = f.form->Scene()->Layer("ImageBottom").Rect;
    const QRect right = f.form->Scene()->Layer("ImageRight").Rect;
    EXPECT_EQ(f.form->DragModeFor("", {right.left() + 1, bottom.top() + 1}), 16);
    EXPECT_EQ(f.form->DragModeFor("", {5, 2}), 2);
    EXPECT_EQ(f.form->DragModeFor("ImageBottom", {}), 8);
    EXPECT_EQ(f.form->DragModeFor("ImageCorner", {}), 16);
    EXPECT_EQ(f.form->DragModeFor("LabelCheckBoxChecked", {}), 0);
}

}  // namespace
}  // namespace sw::test
