// Painting a layer stack, and the render verb that writes a preview to a PNG file.
#include "PreviewTestSupport.h"

#include "RenderCommand.h"
#include "preview/Blitter.h"
#include "preview/SceneRenderer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sw::test {
namespace {

namespace fs = std::filesystem;

constexpr QRgb kBlue = 0xFF0000FFu, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u;

PreviewLayer imageLayer(const char* name, QRect rect, QImage image, bool transparent)
{
    PreviewLayer layer;
    layer.Name = name;
    layer.Rect = rect;
    layer.Image = std::move(image);
    layer.Transparent = transparent;
    return layer;
}

// Layers paint bottom first; a transparent image lets magenta show what lies below,
// an opaque one paints its magenta; images are cut to their rectangle; hidden
// layers paint nothing.
TEST(SceneRenderer, PaintsLayersInOrderHonouringMagentaAndRectangles)
{
    PreviewScene scene;
    scene.ClientSize = QSize(8, 4);
    scene.Background = kBlue;

    QImage see = filled(3, 3, kRed);
    see.setPixel(1, 1, kMagenta);
    scene.Layers.push_back(imageLayer("Opaque", {0, 0, 3, 3}, see, false));
    scene.Layers.push_back(imageLayer("SeeThrough", {4, 0, 3, 3}, see, true));
    // 4 pixels wide, cut to 2 columns, starting one column into the rectangle.
    PreviewLayer cut = imageLayer("Cut", {0, 3, 3, 1}, codedImage(4, 1), false);
    cut.ImageOffset = QPoint(1, 0);
    scene.Layers.push_back(cut);
    PreviewLayer hidden = imageLayer("Hidden", {0, 0, 8, 4}, filled(8, 4, kGreen), false);
    hidden.Visible = false;
    scene.Layers.push_back(hidden);

    const QImage picture = RenderScene(scene);
    ASSERT_EQ(picture.size(), QSize(8, 4));
    const QRgb expected[4][8] = {
        {kRed, kRed, kRed, kBlue, kRed, kRed, kRed, kBlue},
        {kRed, kMagenta, kRed, kBlue, kRed, kBlue, kRed, kBlue},
        {kRed, kRed, kRed, kBlue, kRed, kRed, kRed, kBlue},
        {kBlue, qRgb(0, 0, 0), qRgb(1, 0, 0), kBlue, kBlue, kBlue, kBlue, kBlue},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(picture.pixel(x, y), expected[y][x]) << x << "," << y;
}

// A tiled image repeats from the rectangle's corner and stops at its sides.
TEST(SceneRenderer, TiledImagesRepeatAcrossTheirRectangle)
{
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        QImage tile = codedImage(2, 2);
        tile.setPixel(1, 1, kMagenta);
        PreviewScene scene;
        scene.ClientSize = QSize(7, 5);
        scene.Background = kBlue;
        PreviewLayer layer = imageLayer("Tiles", {1, 1, 5, 3}, tile, transparent);
        layer.Tiled = true;
        scene.Layers.push_back(layer);
        const QImage picture = RenderScene(scene);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                QRgb want = kBlue;
                if (x >= 1 && x < 6 && y >= 1 && y < 4) {
                    const int tx = (x - 1) % 2, ty = (y - 1) % 2;
                    want = tx == 1 && ty == 1 ? (transparent ? kBlue : kMagenta) : qRgb(tx, ty, 0);
                }
                EXPECT_EQ(picture.pixel(x, y), want) << x << "," << y;
            }
    }
}

TEST(SceneRenderer, ShapesFillWithAnOutlineAndBannersCombineWithWhatIsBelow)
{
    PreviewScene scene;
    scene.ClientSize = QSize(5, 4);
    scene.Background = qRgb(0x10, 0x20, 0x30);
    PreviewLayer shape;
    shape.Name = "Shape";
    shape.Kind = LayerKind::Shape;
    shape.Rect = QRect(0, 0, 4, 3);
    shape.Fill = kGreen;
    shape.Pen = kRed;
    scene.Layers.push_back(shape);
    PreviewLayer banner;
    banner.Name = "Banner";
    banner.Kind = LayerKind::Banner;
    banner.Rect = QRect(1, 1, 4, 3);
    banner.Fill = qRgb(0xFF, 0x0F, 0x00);
    banner.Raster = RasterOp::Xor;
    scene.Layers.push_back(banner);

    const QImage picture = RenderScene(scene);
    EXPECT_EQ(picture.pixel(0, 0), kRed);
    EXPECT_EQ(picture.pixel(3, 0), kRed);
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0xFF ^ 0x00, 0x0F ^ 0xFF, 0x00));    // green fill xor
    EXPECT_EQ(picture.pixel(3, 1), qRgb(0xFF ^ 0xFF, 0x0F ^ 0x00, 0x00));    // red outline xor
    EXPECT_EQ(picture.pixel(4, 3), qRgb(0xFF ^ 0x10, 0x0F ^ 0x20, 0x30));    // background xor
    EXPECT_EQ(picture.pixel(4, 0), qRgb(0x10, 0x20, 0x30));                  // outside both
}

// ---------------------------------------------------------------- the render verb

TEST(RenderCommand, WritesThePreviewOfASampleSkin)
{
    TempDir dir;
    const QImage left = QImage(QString::fromStdString((sampleSkins() / "Tidewater/left.bmp").string()));
    for (bool inactive : {false, true}) {
        SCOPED_TRACE(inactive ? "inactive" : "active");
        const fs::path out = dir.path() / (inactive ? "inactive.png" : "active.png");
        std::ostringstream err;
        EXPECT_EQ(renderPreviewToPng((sampleSkins() / "Tidewater/Tidewater.uis").string(), out.string(), 360, 300,
                                     inactive, err),
                  0);
        EXPECT_EQ(err.str(), "");
        const QImage picture(QString::fromStdString(out.string()));
        ASSERT_EQ(picture.size(), QSize(360, 300));
        // The left edge's top end, from the first or the last frame.
        EXPECT_EQ(picture.pixel(3, 10), left.pixel(inactive ? 27 : 3, 10));
        // Its rounded corner is magenta and shows the window's ButtonFace.
        ASSERT_EQ(left.pixel(0, 0), kMagenta);
        EXPECT_EQ(picture.pixel(0, 0), qRgb(222, 229, 237));
    }
}

TEST(RenderCommand, FailuresExitWith2AndNameTheFile)
{
    TempDir dir;
    const std::string tidewater = (sampleSkins() / "Tidewater/Tidewater.uis").string();
    const std::string parchment = (sampleSkins() / "Parchment/Parchment.uis").string();
    const std::string missing = dir.file("missing.uis");
    const std::string unwritable = (dir.path() / "no-such-folder" / "out.png").string();
    SkinFolder broken("Broken");
    const std::string noEdges = broken.writeUis("[TITLEBARSKIN]\nSkinAuthor=x\n[PERSONALITY]\nLEFT=Broken\\l.bmp\n");
    SkinFolder photo("Photo");
    photo.writeBitmap("edge.bmp", codedImage(6, 6));
    ASSERT_TRUE(codedImage(6, 6).save(QString::fromStdString((photo.folder() / "top.bmp").string()), "JPEG"));
    const std::string jpegEdge = photo.writeUis("[TITLEBARSKIN]\nSkinAuthor=x\n[PERSONALITY]\nLEFT=Photo\\edge.bmp\n"
                                                "RIGHT=Photo\\edge.bmp\nTOP=Photo\\top.bmp\nBOTTOM=Photo\\edge.bmp\n");
    const struct {
        const char* name;
        std::string file, out;
        int width, height;
        std::string message;
    } rows[] = {
        {"missing file", missing, dir.file("a.png"), 100, 100, "skinwrt: " + missing + ": no such file\n"},
        {"old format", parchment, dir.file("b.png"), 100, 100,
         "skinwrt: " + parchment + ": no preview for this format (only UIS 2 and UIS 1+ files have one)\n"},
        {"missing edge", noEdges, dir.file("c.png"), 100, 100,
         "skinwrt: " + noEdges + ": cannot read the LEFT edge bitmap " +
             (broken.folder() / "l.bmp").string() + "\n"},
        {"an edge that is a JPEG picture", jpegEdge, dir.file("e.png"), 100, 100,
         "skinwrt: " + jpegEdge + ": cannot read the TOP edge bitmap " + (photo.folder() / "top.bmp").string() +
             ": the file is a JPEG picture, not a bitmap\n"},
        {"unwritable output", tidewater, unwritable, 100, 100, "skinwrt: " + unwritable + ": cannot write"},
        {"empty size", tidewater, dir.file("d.png"), 0, 100,
         "skinwrt: render: size 0x100 is not between 1x1 and 16384x16384\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::ostringstream err;
        EXPECT_EQ(renderPreviewToPng(row.file, row.out, row.width, row.height, false, err), 2);
        EXPECT_EQ(err.str().substr(0, row.message.size()), row.message);
    }
}

}  // namespace
}  // namespace sw::test
