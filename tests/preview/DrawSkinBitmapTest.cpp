// DrawSkinBitmap pixel by pixel: which frame is used, how margins, stretching,
// tiling, hollowing and centring fill the result, and what is left alone.
#include "PreviewTestSupport.h"

#include "preview/Blitter.h"
#include "preview/DrawSkinBitmap.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw::test {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

// The coded source pixel (x, y).
QRgb at(int x, int y)
{
    return qRgb(x, y, 0);
}

struct DrawCase {
    std::string name;
    QSize source;
    int left, top, right, bottom;
    int height, width;
    int layout, frameIndex, frameCount, mode;
    QSize size;                                   // of the result
    std::function<QRgb(int x, int y)> expected;  // every pixel of the result
};

std::string describe(const QPoint& p)
{
    return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
}

std::string describe(QRgb pixel)
{
    return "rgb(" + std::to_string(qRed(pixel)) + "," + std::to_string(qGreen(pixel)) + "," +
           std::to_string(qBlue(pixel)) + ")";
}

// Compares every pixel and reports the first few that differ.
::testing::AssertionResult pixelsMatch(const QImage& image, const std::function<QRgb(int, int)>& expected)
{
    int wrong = 0;
    std::string report;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y) | 0xFF000000u, want = expected(x, y) | 0xFF000000u;
            if (got != want && wrong++ < 5)
                report += " at " + describe(QPoint(x, y)) + " got " + describe(got) + " want " + describe(want) + ";";
        }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << report;
}

void PrintTo(const DrawCase& c, std::ostream* out)
{
    *out << c.name;
}

class DrawSkinBitmapCases : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawSkinBitmapCases, DrawsEveryPixelAsDescribed)
{
    const DrawCase& c = GetParam();
    const QImage source = codedImage(c.source.width(), c.source.height());
    QImage dest;
    EXPECT_TRUE(DrawSkinBitmap(source, dest, c.left, c.top, c.right, c.bottom, c.height, c.width, c.layout,
                               c.frameIndex, c.frameCount, c.mode));
    ASSERT_EQ(dest.size(), c.size);
    EXPECT_TRUE(pixelsMatch(dest, c.expected));
}

// A nine-slice of a 6 x 6 source with margins 2 onto 10 x 8: corners and edges one
// to one across their narrow side, the middle two pixels of each side spread evenly.
int nineSliceColumn(int x)
{
    return x < 2 ? x : x >= 8 ? x - 4 : (x < 5 ? 2 : 3);
}
int nineSliceRow(int y)
{
    return y < 2 ? y : y >= 6 ? y - 2 : (y < 4 ? 2 : 3);
}

const DrawCase kDrawCases[] = {
    {"StackedFrame2Of3UsesRows10To19", {4, 30}, 0, 0, 0, 0, -1, -1, LayoutStacked, 2, 3, ModeStretch, {4, 10},
     [](int x, int y) { return at(x, 10 + y); }},
    {"StackedFrame3Of3UsesRows20To29", {4, 30}, 0, 0, 0, 0, -1, -1, LayoutStacked, 3, 3, ModeStretch, {4, 10},
     [](int x, int y) { return at(x, 20 + y); }},
    {"StripOf31RowsIgnoresItsLastRow", {4, 31}, 0, 0, 0, 0, -1, -1, LayoutStacked, 3, 3, ModeTile, {4, 10},
     [](int x, int y) { return at(x, 20 + y); }},
    {"SideBySideFrame2Of3UsesColumns4To7", {12, 5}, 0, 0, 0, 0, -1, -1, LayoutSideBySide, 2, 3, ModeStretch,
     {4, 5}, [](int x, int y) { return at(4 + x, y); }},
    {"FrameCount0CountsAs1", {6, 4}, 0, 0, 0, 0, -1, -1, LayoutStacked, 1, 0, ModeStretch, {6, 4},
     [](int x, int y) { return at(x, y); }},
    {"ZeroMarginsStretchRepeatsPixels", {3, 2}, 0, 0, 0, 0, 4, 6, LayoutSingle, 1, 1, ModeStretch, {6, 4},
     [](int x, int y) { return at(x / 2, y / 2); }},
    {"ZeroMarginsStretchDropsPixelsTakingTheOneUnderTheCentre", {8, 6}, 0, 0, 0, 0, 3, 4, LayoutSingle, 1, 1,
     ModeStretch, {4, 3}, [](int x, int y) { return at(2 * x + 1, 2 * y + 1); }},
    {"NineSliceStretchKeepsCornersAndEnds", {6, 6}, 2, 2, 2, 2, 8, 10, LayoutSingle, 1, 1, ModeStretch, {10, 8},
     [](int x, int y) { return at(nineSliceColumn(x), nineSliceRow(y)); }},
    {"HollowLeavesMagentaInTheMiddle", {6, 6}, 2, 2, 2, 2, 8, 10, LayoutSingle, 1, 1, ModeHollow, {10, 8},
     [](int x, int y) {
         return (x >= 2 && x < 8 && y >= 2 && y < 6) ? kMagenta : at(nineSliceColumn(x), nineSliceRow(y));
     }},
    {"TileRepeatsTheMiddleAndTilesTheEdges", {6, 6}, 1, 1, 1, 1, 11, 13, LayoutSingle, 1, 1, ModeTile, {13, 11},
     [](int x, int y) {
         const int sx = x == 0 ? 0 : x == 12 ? 5 : 1 + (x - 1) % 4;
         const int sy = y == 0 ? 0 : y == 10 ? 5 : 1 + (y - 1) % 4;
         return at(sx, sy);
     }},
    {"TileAcrossTilesTheMiddleAcrossAndStretchesItDown", {16, 20}, 4, 0, 4, 0, 10, 40, LayoutSingle, 1, 1,
     ModeTileAcross, {40, 10},
     [](int x, int y) {
         const int sx = x < 4 ? x : x >= 36 ? 12 + (x - 36) : 4 + (x - 4) % 8;
         return at(sx, 2 * y + 1);
     }},
    {"TileAcrossStepsByTheMiddleWidthInASideBySideStrip", {32, 20}, 4, 0, 4, 0, 10, 40, LayoutSideBySide, 2, 2,
     ModeTileAcross, {40, 10},
     [](int x, int y) {
         const int sx = x < 4 ? 16 + x : x >= 36 ? 28 + (x - 36) : 20 + (x - 4) % 8;
         return at(sx, 2 * y + 1);
     }},
    {"StretchAcrossTakesRowsOneToOne", {28, 52}, 8, 0, 12, 0, 26, 60, LayoutStacked, 2, 2, ModeStretchAcross,
     {60, 26},
     [](int x, int y) {
         const int sx = x < 8 ? x : x >= 48 ? 16 + (x - 48) : 8 + (x - 8) / 5;
         return at(sx, 26 + y);
     }},
    {"MarginsAsWideAsTheFrameLeaveTheTiledMiddleBlank", {4, 4}, 2, 0, 2, 0, 4, 10, LayoutSingle, 1, 1, ModeTile,
     {10, 4},
     [](int x, int y) { return x < 2 ? at(x, y) : x >= 8 ? at(2 + x - 8, y) : kWhite; }},
    {"MarginsWiderThanTheFrameLeaveTheStretchedMiddleBlank", {4, 4}, 3, 0, 3, 0, 4, 10, LayoutSingle, 1, 1,
     ModeStretch, {10, 4},
     [](int x, int y) { return x < 3 ? at(x, y) : x >= 7 ? at(1 + x - 7, y) : kWhite; }},
    {"NegativeMarginsCountAsZero", {4, 4}, -2, -2, -2, -2, 8, 8, LayoutSingle, 1, 1, ModeStretch, {8, 8},
     [](int x, int y) { return at(x / 2, y / 2); }},
    {"FrameOutsideTheStripDrawsNothing", {4, 8}, 0, 0, 0, 0, -1, -1, LayoutStacked, 3, 2, ModeStretch, {4, 4},
     [](int, int) { return kWhite; }},
};

INSTANTIATE_TEST_SUITE_P(DrawSkinBitmap, DrawSkinBitmapCases, ::testing::ValuesIn(kDrawCases),
                         [](const auto& info) { return info.param.name; });

// Centre mode keeps the destination's size and content and lays the frame's middle
// over it, centred and cut to it; magenta pixels of the source are left out.
TEST(DrawSkinBitmapCentre, CentresTheMiddleClipsItAndLeavesMagentaOut)
{
    constexpr QRgb grey = 0xFF808080u;
    QImage source = codedImage(10, 10);
    source.setPixel(5, 5, kMagenta);

    QImage small(6, 6, QImage::Format_RGB32);
    small.fill(grey);
    DrawSkinBitmap(source, small, 0, 0, 0, 0, -1, -1, LayoutSingle, 1, 1, ModeCentre);
    ASSERT_EQ(small.size(), QSize(6, 6));
    EXPECT_TRUE(pixelsMatch(small, [&](int x, int y) { return x == 3 && y == 3 ? grey : at(x + 2, y + 2); }));

    QImage large(7, 5, QImage::Format_RGB32);
    large.fill(grey);
    DrawSkinBitmap(codedImage(2, 2), large, 0, 0, 0, 0, -1, -1, LayoutSingle, 1, 1, ModeCentre);
    EXPECT_TRUE(pixelsMatch(large, [&](int x, int y) {
        return x >= 2 && x < 4 && y >= 1 && y < 3 ? at(x - 2, y - 1) : grey;
    }));
}

// Sizing the destination keeps its pixels where nothing is drawn over them; pixels
// new to it start white.
TEST(DrawSkinBitmapResize, KeepsOldPixelsWhereNothingIsDrawnAndStartsNewOnesWhite)
{
    constexpr QRgb red = 0xFFFF0000u;
    QImage dest(4, 3, QImage::Format_RGB32);
    dest.fill(red);
    // Tile with a middle of width 0: only the two 1-pixel side columns are drawn.
    DrawSkinBitmap(codedImage(2, 2), dest, 1, 0, 1, 0, 5, 6, LayoutSingle, 1, 1, ModeTile);
    ASSERT_EQ(dest.size(), QSize(6, 5));
    EXPECT_TRUE(pixelsMatch(dest, [&](int x, int y) {
        if (x == 0)
            return at(0, y % 2);
        if (x == 5)
            return at(1, y % 2);
        return x < 4 && y < 3 ? red : kWhite;
    }));
}

TEST(DrawSkinBitmapSource, PaletteBitmapsDrawLikeTheirColours)
{
    QImage palette(4, 2, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(1, 2, 3), qRgb(250, 0, 250), qRgb(9, 8, 7)});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            palette.setPixel(x, y, uint((x + y) % 3));
    QImage dest;
    DrawSkinBitmap(palette, dest, 0, 0, 0, 0, -1, -1, LayoutSingle, 1, 1, ModeStretch);
    ASSERT_EQ(dest.size(), QSize(4, 2));
    EXPECT_TRUE(pixelsMatch(dest, [&](int x, int y) { return palette.color((x + y) % 3); }));
}

}  // namespace
}  // namespace sw::test
