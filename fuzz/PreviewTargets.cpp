// The picture readers and the skin bitmap drawing of the preview. Any bytes as a BMP
// file (read through the image cache) or a JPEG file (the author logo) give either a
// picture in the skin format or nothing, with a reason for a JPEG; never a crash, a
// hang or an allocation beyond the sanitizers' limit. DrawSkinBitmap with any
// margins, frame strip, size and mode gives the size it promises.
#include "FuzzTargets.h"

#include "document/BitmapDecoder.h"
#include "preview/DrawSkinBitmap.h"
#include "preview/ImageCache.h"
#include "preview/JpegImage.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace sw::fuzz {

namespace {

// A 16-bit signed value, or now and then one at the ends of the range.
int anyInt(ByteReader& reader)
{
    uint8_t kind = reader.byte();
    if (kind == 255)
        return INT_MAX;
    if (kind == 254)
        return INT_MIN;
    return int16_t(uint16_t(reader.byte()) | uint16_t(reader.byte()) << 8);
}

// A wanted size: negative means the frame's own; large ones stay within what a
// preview would ask for.
int wantedSize(ByteReader& reader)
{
    int value = int(reader.byte()) - 3;
    return value > 200 ? value * 4 : value;
}

QImage smallPicture(ByteReader& reader)
{
    const int w = reader.byte() % 24, h = reader.byte() % 24;
    if (w == 0 || h == 0)
        return QImage();
    QImage picture(w, h, reader.byte() % 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    const uint32_t palette[] = {0xFFFF00FFu, 0xFF000000u, 0xFFFFFFFFu, 0x80123456u};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t b = reader.byte();
            picture.setPixel(x, y, b < 128 ? palette[b % 4] : 0xFF000000u | b * 0x010203u);
        }
    return picture;
}

// Draws the picture with margins and a size from the reader; checks the promised size.
// With ownSize false the wanted size is always given (a picture read from a file may
// be huge, and drawing it at its own size would only measure the memory).
void drawChecked(const QImage& source, ByteReader& reader, bool ownSize = true)
{
    QImage dest = reader.byte() % 3 == 0 ? QImage() : smallPicture(reader);
    const int left = anyInt(reader), top = anyInt(reader), right = anyInt(reader), bottom = anyInt(reader);
    int height = wantedSize(reader), width = wantedSize(reader);
    if (!ownSize) {
        height = std::max(height, 0);
        width = std::max(width, 0);
    }
    const int layout = reader.byte() % 4, frameIndex = anyInt(reader), frameCount = anyInt(reader);
    static const int modes[] = {ModeStretch, ModeTile, ModeHollow, ModeTileAcross, ModeCentre, ModeStretchAcross, 3};
    const int mode = modes[reader.byte() % 7];
    const QSize before = dest.size();
    require(DrawSkinBitmap(source, dest, left, top, right, bottom, height, width, layout, frameIndex, frameCount, mode),
            "DrawSkinBitmap returned false");
    if (mode == ModeCentre) {
        require(dest.size() == before, "DrawSkinBitmap in Centre mode resized the destination");
        return;
    }
    const QRect frame = skinFrameRect(source.size(), layout, frameIndex, frameCount);
    const int h = height < 0 ? frame.height() : height, w = width < 0 ? frame.width() : width;
    if (h <= 0 || w <= 0)
        require(dest.isNull(), "DrawSkinBitmap gave a picture of no size");
    else
        require(dest.size() == QSize(w, h) && dest.format() == QImage::Format_RGB32,
                "DrawSkinBitmap did not give the size and format it promises");
}

}  // namespace

void skinBitmap(std::string_view data)
{
    ByteReader reader(data);
    const QImage source = smallPicture(reader);
    for (int draws = 0; draws < 4 && !reader.empty(); ++draws)
        drawChecked(source, reader);
}

void bmpLoad(std::string_view data)
{
    const auto file = scratchFolder() / "fuzzed.bmp";
    writeFile(file, data);
    TImageCache cache;
    const QImage picture = cache.Load(file);
    if (picture.isNull())
        return;
    require(picture.format() == QImage::Format_RGB32, "a loaded bitmap is not in the skin format");
    // The validator's verdict from the headers alone is the preview's.
    std::string why;
    const std::optional<BitmapFormat> format = readBitmapFormat(file, why);
    require(format && format->size == BitmapSize{picture.width(), picture.height()},
            "the headers alone do not give the size of the decoded picture");
    ByteReader reader(data.substr(data.size() / 2));
    drawChecked(picture, reader, false);
}

namespace {

// The bytes as a JPEG file through the logo reader: a picture, or none with a reason.
QImage readJpegChecked(std::string_view bytes)
{
    const auto file = scratchFolder() / "fuzzed.jpg";
    writeFile(file, bytes);
    std::string error;
    QImage picture = readJpegImage(file, &error);
    if (picture.isNull())
        require(!error.empty(), "a JPEG picture that cannot be read comes without a reason");
    return picture;
}

}  // namespace

void jpegScans(std::string_view data)
{
    if (data.empty())
        return;
    // The first byte says how often (times 4) the last scan is repeated before the end.
    const std::size_t repeats = 4 * std::size_t(uint8_t(data[0]));
    std::string bytes(data.substr(1));
    const std::size_t last = bytes.rfind("\xFF\xDA");
    if (last != std::string::npos && repeats > 0) {
        const std::size_t end = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") == 0
                                    ? bytes.size() - 2
                                    : bytes.size();
        const std::string scan = bytes.substr(last, end - last);
        std::string grown = bytes.substr(0, end);
        for (std::size_t i = 0; i < repeats && grown.size() < (1u << 20); ++i)
            grown += scan;
        bytes = grown + bytes.substr(end);
    }
    if (readJpegChecked(bytes).isNull())
        return;
    std::size_t scans = 0;
    for (std::size_t at = bytes.find("\xFF\xDA"); at != std::string::npos; at = bytes.find("\xFF\xDA", at + 2))
        ++scans;
    require(scans <= 32, "a JPEG picture of more scans than the limit was read");
}

void jpegLoad(std::string_view data)
{
    const QImage picture = readJpegChecked(data);
    if (picture.isNull())
        return;
    require(picture.format() == QImage::Format_RGB32 && picture.width() > 0 && picture.height() > 0,
            "a read JPEG picture is not in the skin format");
}

}  // namespace sw::fuzz
