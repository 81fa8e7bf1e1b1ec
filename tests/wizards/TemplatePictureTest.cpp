// Reading template pictures: which files are taken as JPEG, and the pixel format
// each bitmap file names in its header.
#include "wizards/TemplatePicture.h"

#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

TEST(TemplatePicture, JpegIsChosenByExtension)
{
    const std::pair<const char*, bool> cases[] = {
        {"a.jpg", true}, {"a.JPEG", true}, {"a.jpe", true}, {"a.Jif", true}, {"a.jfif", true}, {"a.jfi", true},
        {"a.bmp", false}, {"a.dib", false}, {"jpg", false}, {"a.jpg.bmp", false}, {"a.jpgx", false},
    };
    for (const auto& [name, jpeg] : cases)
        EXPECT_EQ(isJpegName(name), jpeg) << name;
}

// A 2 x 1 16-bit bitmap: with bit fields (masks given) or plain (5-5-5).
std::string sixteenBitBmp(bool bitFields, std::uint32_t greenMask)
{
    auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char(i < 4 ? (v >> (8 * i)) & 0xFF : 0);
        return s;
    };
    const std::uint32_t masks = bitFields ? 12 : 0, offset = 14 + 40 + masks, size = offset + 4;
    std::string bmp = "BM" + le(size, 4) + le(0, 4) + le(offset, 4);
    bmp += le(40, 4) + le(2, 4) + le(1, 4) + le(1, 2) + le(16, 2) + le(bitFields ? 3 : 0, 4) + le(4, 4) + le(0, 16);
    if (bitFields)
        bmp += le(greenMask == 0x07E0 ? 0xF800 : 0x7C00, 4) + le(greenMask, 4) + le(0x001F, 4);
    return bmp + le(0xFFFF001F, 4);
}

TEST(TemplatePicture, FormatNamesComeFromTheFile)
{
    TempDir dir;
    auto qtBitmap = [&](const char* name, QImage::Format format) {
        // Twenty colours: fewer would be written with four bits.
        QImage image(20, 3, QImage::Format_RGB32);
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 3; ++y)
                image.setPixel(x, y, qRgb(x * 12, 100, 50));
        QImage converted = image.convertToFormat(format);
        EXPECT_TRUE(converted.save(QString::fromStdString(dir.file(name)), "BMP")) << name;
        return dir.file(name);
    };
    writeBytes(dir.file("565.bmp"), sixteenBitBmp(true, 0x07E0));
    writeBytes(dir.file("555.bmp"), sixteenBitBmp(false, 0));
    writeBytes(dir.file("555fields.bmp"), sixteenBitBmp(true, 0x03E0));
    writeBytes(dir.file("named.jpg"), "not a jpeg at all");
    const struct {
        std::string file;
        std::string format;  // empty: the file cannot be read
        QSize size;
    } cases[] = {
        {qtBitmap("mono.bmp", QImage::Format_Mono), "1 bit (2 colours)", {20, 3}},
        {qtBitmap("indexed.bmp", QImage::Format_Indexed8), "8 bit (256 colours)", {20, 3}},
        {qtBitmap("rgb.bmp", QImage::Format_RGB888), "24 bit (16M colours)", {20, 3}},
        {dir.file("565.bmp"), "16 bit (64k colours)", {2, 1}},
        {dir.file("555.bmp"), "15 bit (32k colours)", {2, 1}},
        {dir.file("555fields.bmp"), "15 bit (32k colours)", {2, 1}},
        {SKINWRT_TEST_DATA_DIR "/jpeg_load/colour-16x12.jpg", "24 bit (16M colours)", {16, 12}},
        {dir.file("named.jpg"), "", {0, 0}},
        {dir.file("missing.bmp"), "", {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const TemplatePicture picture = loadTemplatePicture(c.file);
        EXPECT_EQ(picture.formatName, c.format);
        EXPECT_EQ(picture.image.size(), c.size);
        if (c.format.empty()) {
            EXPECT_FALSE(picture.error.empty());
        } else {
            EXPECT_EQ(picture.image.format(), QImage::Format_RGB32);
        }
    }
    // The 16-bit picture's pixels: full blue (five bits) in the first, white in the
    // second, widened as Windows widens them (31 -> 255).
    const TemplatePicture sixteen = loadTemplatePicture(dir.file("565.bmp"));
    EXPECT_EQ(sixteen.image.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(sixteen.image.pixel(1, 0), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace sw
