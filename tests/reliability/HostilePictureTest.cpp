// Pictures a personality may name that are not what they claim: a bitmap whose header
// claims a size no memory holds, a JPEG picture cut off half way. The readers give no
// picture, or the picture the header describes; never a crash or a huge allocation.
#include "preview/ImageCache.h"
#include "preview/JpegImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <chrono>
#include <climits>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

void put(std::string& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

// A BMP file whose info header claims the size, followed by a few bytes of pixels.
std::string bitmapClaiming(int32_t width, int32_t height, uint16_t bitsPerPixel)
{
    std::string info;
    put(info, 40, 4);
    put(info, uint32_t(width), 4);
    put(info, uint32_t(height), 4);
    put(info, 1, 2);
    put(info, bitsPerPixel, 2);
    put(info, 0, 4);  // no compression
    put(info, 0, 4);
    put(info, 2835, 4);
    put(info, 2835, 4);
    put(info, 0, 4);
    put(info, 0, 4);
    std::string file = "BM";
    put(file, uint32_t(14 + info.size() + 64), 4);
    put(file, 0, 4);
    put(file, 14 + 40, 4);
    return file + info + std::string(64, '\x7f');
}

TEST(HostilePicture, BitmapHeadersClaimingImpossibleSizesGiveNoPicture)
{
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"100000 x 100000, 24 bits", bitmapClaiming(100000, 100000, 24)},
        {"100000 x 100000, 32 bits", bitmapClaiming(100000, 100000, 32)},
        {"2147483647 x 1", bitmapClaiming(INT32_MAX, 1, 24)},
        {"1 x -2147483648", bitmapClaiming(1, INT32_MIN, 24)},
        {"0 x 0", bitmapClaiming(0, 0, 24)},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "huge.bmp";
        writeBytes(file, c.bytes);
        TImageCache cache;
        auto started = std::chrono::steady_clock::now();
        EXPECT_TRUE(cache.Load(file).isNull());
        EXPECT_EQ(cache.Size(), 0u);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    }
}

TEST(HostilePicture, AJpegCutShortIsRefusedWithAReason)
{
    TempDir dir;
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    const fs::path whole = dir.path() / "logo.jpg";
    ASSERT_TRUE(picture.save(QString::fromStdString(whole.string()), "JPEG", 90));
    const std::string bytes = test::readBytes(whole);
    ASSERT_GT(bytes.size(), 200u);
    const std::size_t scan = bytes.find("\xFF\xDA");  // where the compressed picture starts
    ASSERT_NE(scan, std::string::npos);

    struct Case {
        const char* name;
        std::size_t keep;
    } cases[] = {
        {"whole", bytes.size()},
        {"cut in half", bytes.size() / 2},
        {"cut half way through the picture data", scan + (bytes.size() - scan) / 2},
        {"only the first marker", 2},
        {"headers only", 160},
        {"empty", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "cut.jpg";
        writeBytes(file, bytes.substr(0, c.keep));
        std::string error;
        QImage read = readJpegImage(file, &error);
        if (c.keep == bytes.size()) {
            EXPECT_EQ(read.size(), QSize(64, 48)) << error;
            EXPECT_EQ(read.format(), QImage::Format_RGB32);
        } else {
            // A picture partly made up by the decoder is not shown as if it were whole.
            EXPECT_TRUE(read.isNull());
            EXPECT_NE(error, "") << "no picture and no reason";
        }
    }
}

// A progressive picture whose last scan is repeated: each scan is decoded over the
// whole picture, so a few hundred KB of them would take minutes. Past the limit the
// reader stops and refuses the picture; the picture as written reads whole.
TEST(HostilePicture, AJpegOfTooManyScansIsRefusedAtTheLimit)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(picture));
    const std::string bytes = buffer.data().toStdString();
    const std::size_t lastScan = bytes.rfind("\xFF\xDA");
    ASSERT_NE(lastScan, std::string::npos);
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
    const std::string scan = bytes.substr(lastScan, bytes.size() - 2 - lastScan);
    std::size_t scans = 0;
    for (std::size_t at = bytes.find("\xFF\xDA"); at != std::string::npos; at = bytes.find("\xFF\xDA", at + 2))
        ++scans;
    ASSERT_GT(scans, 1u) << "not progressive";

    TempDir dir;
    struct Case {
        const char* name;
        std::size_t repeats;
        std::string error;  // empty: read whole
    } cases[] = {
        {"as written", 0, ""},
        {"the last scan 1000 times more", 1000, "the picture has more than 32 scans, more than a picture of its size may have"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = bytes.substr(0, bytes.size() - 2);
        for (std::size_t i = 0; i < c.repeats; ++i)
            file += scan;
        file += "\xFF\xD9";
        const fs::path path = dir.path() / "top.jpg";
        writeBytes(path, file);
        std::string error;
        const QImage read = readJpegImage(path, &error);
        if (c.error.empty()) {
            EXPECT_EQ(read.size(), QSize(64, 48)) << error;
        } else {
            EXPECT_TRUE(read.isNull());
            EXPECT_EQ(error, c.error);
        }
    }
}

}  // namespace
}  // namespace sw
