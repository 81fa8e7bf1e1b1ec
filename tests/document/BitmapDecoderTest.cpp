// Every kind of BMP file drawn as Windows draws it, pixel for pixel, and the files
// it would not draw refused with the reason.
#include "document/BitmapDecoder.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::BmpLayout;
using test::bmpFile;
using test::le;
using test::paddedRows;

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += char(v);
    return out;
}
std::string words(std::initializer_list<uint32_t> values, int size)
{
    std::string out;
    for (uint32_t v : values)
        out += le(v, size);
    return out;
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000, M = 0xFF00FF;

TEST(BitmapDecoder, DrawsEveryKindAsWindowsDoes)
{
    struct Case {
        const char* name;
        BmpLayout layout;
        std::vector<uint32_t> pixels;  // 0xRRGGBB, rows top-down
        int width, height;
    } cases[] = {
        {"1 bit, rows bottom-up", {3, 2, 1, 0, 40, {R, B}, 0, {}, paddedRows({bytes({0xA0}), bytes({0x40})})},
         {R, B, R, B, R, B}, 3, 2},
        {"4 bits, a table shorter than the depth allows: past it black",
         {4, 1, 4, 0, 40, {R, G}, 0, {}, paddedRows({bytes({0x01, 0x5F})})}, {R, G, K, K}, 4, 1},
        {"1 bit, a table larger than the depth allows",
         {2, 1, 1, 0, 40, {G, B, R, W}, 0, {}, paddedRows({bytes({0x40})})}, {G, B}, 2, 1},
        {"8 bits, top-down", {2, -2, 8, 0, 40, {R, G, B}, 0, {}, paddedRows({bytes({0, 1}), bytes({2, 7})})},
         {R, G, B, K}, 2, 2},
        {"24 bits", {2, 1, 24, 0, 40, {}, 0, {}, paddedRows({bytes({1, 2, 3, 0xFF, 0, 0xFF})})}, {0x030201, M}, 2, 1},
        {"16 bits 5-5-5: fields widened by repeating their top bits",
         {4, 1, 16, 0, 40, {}, 0, {}, paddedRows({words({0x7FFF, 0x7C1F, 3u << 10, 0x8000}, 2)})},
         {W, M, 0x180000, K}, 4, 1},
        {"16 bits 5-6-5 bit fields",
         {4, 1, 16, 3, 40, {}, 0, {0xF800, 0x07E0, 0x001F}, paddedRows({words({0xF81F, 0x07E0, 3u << 5, 0xFFFF}, 2)})},
         {M, G, 0x000C00, W}, 4, 1},
        {"16 bits 4-4-4 bit fields", {3, 1, 16, 3, 40, {}, 0, {0x0F00, 0x00F0, 0x000F}, paddedRows({words({0x0F0F, 0x0011, 0xF000}, 2)})},
         {M, 0x001111, K}, 3, 1},
        {"32 bits: the alpha byte is copied, not blended",
         {2, 1, 32, 0, 40, {}, 0, {}, words({0x00FF00FF, 0x80102030}, 4)}, {M, 0x102030}, 2, 1},
        {"32 bits, fields in another order", {1, 1, 32, 3, 40, {}, 0, {0xFF, 0xFF00, 0xFF0000}, words({0x00332211}, 4)},
         {0x112233}, 1, 1},
        {"32 bits, 10-bit fields: their top bits",
         {1, 1, 32, 3, 40, {}, 0, {0x3FF00000, 0xFFC00, 0x3FF}, words({(0x3FFu << 20) | (0x200u << 10) | 0x004}, 4)},
         {0xFF8001}, 1, 1},
        {"OS/2 core header: three-byte table", {3, 1, 8, 0, 12, {R, G, B}, 0, {}, paddedRows({bytes({2, 1, 0})})}, {B, G, R}, 3, 1},
        {"version 4 header, 5-6-5 fields inside it", {2, 1, 16, 3, 108, {}, 0, {0xF800, 0x07E0, 0x001F}, paddedRows({words({0xF81F, 0x001F}, 2)})},
         {M, B}, 2, 1},
        {"version 5 header, 24 bits", {1, -1, 24, 0, 124, {}, 0, {}, paddedRows({bytes({0xFF, 0, 0xFF})})}, {M}, 1, 1},
        {"OS/2 second header, 8 bits", {2, 1, 8, 0, 64, {R, B}, 0, {}, paddedRows({bytes({1, 0})})}, {B, R}, 2, 1},
        {"pixels where the file header points, past a gap",
         {2, 1, 8, 0, 40, {R, G}, 0, {}, paddedRows({bytes({1, 0})}), -1, std::string(10, '\x01')}, {G, R}, 2, 1},
        // RLE8: a run of 3, then 3 pixels as they are (padded), end of line; a jump of
        // (1, 1) lands on row 2 (the top), one pixel, end of bitmap: the rest stays black.
        {"RLE8: runs, absolute pixels, end of line, jump, early end",
         {4, 3, 8, 1, 40, {R, G, B}, 0, {}, bytes({3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 1, 1, 1, 2, 0, 1})},
         {K, B, K, K, K, K, K, K, G, G, G, B}, 4, 3},
        {"RLE8: a run past the row's end is cut there, the data ends without an end code",
         {2, 2, 8, 1, 40, {R, G}, 0, {}, bytes({5, 1, 0, 0, 1, 0})}, {R, K, G, G}, 2, 2},
        // Five pixels as they are take three bytes and a byte of padding, which must
        // not be read as the next run.
        {"RLE4: absolute pixels with padding, then alternating runs",
         {7, 1, 4, 2, 40, {R, G, B}, 0, {}, bytes({0, 5, 0x21, 0x21, 0x20, 0x07, 2, 0x01, 0, 1})},
         {B, G, B, G, B, R, G}, 7, 1},
        // No pixel pointer: the pixels would follow a table of 256 entries, past the end.
        {"RLE8 whose colour table runs past the end of the file: nothing is read past it",
         {2, 1, 8, 1, 40, {}, 256, {}, le(0x00FF00, 4) + bytes({2, 0}), 0}, {K, K}, 2, 1},
        {"RLE4: a jump past the last row ends the picture",
         {2, 1, 4, 2, 40, {R, G}, 0, {}, bytes({0, 2, 0, 5, 2, 0x11})}, {K, K}, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedBitmap bitmap;
        std::string why;
        ASSERT_TRUE(decodeBitmap(bmpFile(c.layout), bitmap, why)) << why;
        EXPECT_EQ(bitmap.width(), c.width);
        EXPECT_EQ(bitmap.height(), c.height);
        std::vector<uint32_t> expected;
        for (uint32_t colour : c.pixels)
            expected.push_back(0xFF000000u | colour);
        EXPECT_EQ(bitmap.pixels, expected);
    }
}

TEST(BitmapDecoder, RefusesWhatWindowsDoesNotDrawNamingWhy)
{
    const std::string jpeg = bytes({0xFF, 0xD8, 0xFF, 0xE0}) + std::string(40, '\0');
    const std::string png = "\x89PNG\r\n\x1a\n" + std::string(40, '\0');
    struct Case {
        const char* name;
        std::string file;
        std::string why;
    } cases[] = {
        {"a JPEG picture", jpeg, "the file is a JPEG picture, not a bitmap"},
        {"a PNG picture", png, "the file is a PNG picture, not a bitmap"},
        {"no known kind", "hello there, I am no picture at all", "the file has no valid bitmap header"},
        {"rows cut short", bmpFile({4, 4, 24, 0, 40, {}, 0, {}, std::string(40, '\0')}),
         "the file ends before its pixels do (94 of 102 bytes)"},
        {"run-length rows top-down", bmpFile({2, -2, 8, 1, 40, {R}, 0, {}, bytes({0, 1})}),
         "the bitmap is run-length compressed with its rows top-down, which Windows does not draw"},
        {"a JPEG inside a bitmap", bmpFile({2, 2, 0, 4, 40, {}, 0, {}, jpeg}),
         "the bitmap holds a JPEG picture, which Windows does not draw as a bitmap"},
        {"RLE8 with 4 bits", bmpFile({2, 2, 4, 1, 40, {R}, 0, {}, bytes({0, 1})}),
         "the bitmap is compressed in a way Windows does not draw (compression 1 with 4 bits per pixel)"},
        {"2 bits per pixel", bmpFile({2, 2, 2, 0, 40, {R}, 0, {}, std::string(8, '\0')}),
         "the bitmap has 2 bits per pixel, which Windows does not draw"},
        {"a side over the limit", bmpFile({16385, 1, 8, 1, 40, {R}, 0, {}, bytes({0, 1})}),
         "the preview cannot load it (16385x1 pixels; a side may be at most 16384)"},
        {"fields that overlap", bmpFile({1, 1, 16, 3, 40, {}, 0, {0xFF00, 0x0FF0, 0x000F}, std::string(4, '\0')}),
         "the bitmap's colour fields (masks 0x0000FF00, 0x00000FF0, 0x0000000F) are not runs of bits apart from "
         "each other"},
        {"header of no known size", "BM" + std::string(12, '\0') + le(100, 4) + std::string(100, '\0'),
         "the file has a bitmap header of 100 bytes, which is of no known kind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedBitmap bitmap;
        std::string why;
        EXPECT_FALSE(decodeBitmap(c.file, bitmap, why));
        EXPECT_EQ(why, c.why);
        EXPECT_TRUE(bitmap.pixels.empty());
    }
}

// The budget is asked before a pixel is made: a refused picture allocates nothing,
// and a file read again is not counted twice.
TEST(BitmapDecoder, TheBudgetIsTakenOncePerFileBeforeDecoding)
{
    const std::string eightByEight = bmpFile({8, 8, 8, 1, 40, {R}, 0, {}, bytes({0, 1})});
    PixelBudget budget(100);
    DecodedBitmap bitmap;
    std::string why;
    EXPECT_TRUE(decodeBitmap(eightByEight, bitmap, why, &budget, "a.bmp"));
    EXPECT_TRUE(decodeBitmap(eightByEight, bitmap, why, &budget, "a.bmp"));
    EXPECT_EQ(budget.remaining(), 36);
    DecodedBitmap refused;
    EXPECT_FALSE(decodeBitmap(eightByEight, refused, why, &budget, "b.bmp"));
    EXPECT_EQ(why, "the preview cannot load it (8x8 pixels past the bitmaps before it; the bitmaps of a personality "
                   "may have at most 67108864 pixels in all)");
    EXPECT_TRUE(refused.pixels.empty());
    EXPECT_EQ(budget.remaining(), 36);
}

// A few bytes of run-length data may claim a huge picture; reading the file reads no
// more than such a picture could use, and the verdict of the headers alone is the
// verdict of decoding.
TEST(BitmapDecoder, HeadersAloneGiveTheVerdictOfDecoding)
{
    test::TempDir dir;
    struct Case {
        const char* name;
        std::string file;
    } cases[] = {
        {"RLE8 1024x768 ending at once", bmpFile({1024, 768, 8, 1, 40, {R}, 0, {}, bytes({0, 1})})},
        {"24 bits cut short", bmpFile({4, 4, 24, 0, 40, {}, 0, {}, std::string(40, '\0')})},
        {"a JPEG named .bmp", bytes({0xFF, 0xD8, 0xFF, 0xE1}) + std::string(100, 'x')},
        {"16 bits whole", bmpFile({2, 2, 16, 0, 40, {}, 0, {}, std::string(8, '\0')})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.path() / "p.bmp";
        test::writeBytes(file, c.file);
        std::string headersWhy, decodeWhy;
        const std::optional<BitmapFormat> format = readBitmapFormat(file, headersWhy);
        DecodedBitmap bitmap;
        const bool decoded = readBitmapFile(file, bitmap, decodeWhy);
        EXPECT_EQ(format.has_value(), decoded);
        EXPECT_EQ(headersWhy, decodeWhy);
        if (decoded)
            EXPECT_EQ(bitmap.pixels.size(), std::size_t(format->size.width) * std::size_t(format->size.height));
    }
}

}  // namespace
}  // namespace sw
