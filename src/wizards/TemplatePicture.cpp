#include "wizards/TemplatePicture.h"

#include "preview/JpegImage.h"
#include "store/StringOps.h"

#include <QFile>
#include <QImageReader>

#include <cstring>

namespace sw {

bool isJpegName(const std::filesystem::path& file)
{
    const std::string extension = asciiUpper(file.extension().string());
    // The open dialog offers .jfi as well; reading it as a bitmap would only fail.
    for (const char* jpeg : {".JPG", ".JPEG", ".JPE", ".JIF", ".JFIF", ".JFI"})
        if (extension == jpeg)
            return true;
    return false;
}

std::string pixelFormatName(int bitsPerPixel, bool sixBitGreen)
{
    switch (bitsPerPixel) {
    case 1: return "1 bit (2 colours)";
    case 4: return "4 bit (16 colours)";
    case 8: return "8 bit (256 colours)";
    case 16: return sixBitGreen ? "16 bit (64k colours)" : "15 bit (32k colours)";
    case 24: return "24 bit (16M colours)";
    case 32: return "32 bit (16M colours + alpha)";
    default: return "Custom Format";
    }
}

namespace {

std::uint32_t little(const QByteArray& bytes, int at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

// The bits per pixel as the bitmap file's header gives them.
std::string bitmapFormatName(const std::filesystem::path& file, const QImage& image)
{
    QFile in(QString::fromStdString(file.string()));
    QByteArray head;
    if (in.open(QIODevice::ReadOnly))
        head = in.read(14 + 56);
    if (head.size() >= 30 && head.startsWith("BM")) {
        const std::uint32_t infoSize = little(head, 14, 4);
        if (infoSize == 12)  // the old OS/2 header: 16-bit fields
            return pixelFormatName(int(little(head, 24, 2)));
        const int bits = int(little(head, 28, 2));
        bool sixBitGreen = false;
        // With bit fields the green mask follows the red one, right after the 40-byte header.
        if (bits == 16 && head.size() >= 62 && little(head, 30, 4) == 3)
            sixBitGreen = little(head, 58, 4) == 0x07E0;
        return pixelFormatName(bits, sixBitGreen);
    }
    return pixelFormatName(image.depth() == 32 ? (image.hasAlphaChannel() ? 32 : 24) : image.depth());
}

}  // namespace

TemplatePicture loadTemplatePicture(const std::filesystem::path& file)
{
    TemplatePicture picture;
    QImage image;
    if (isJpegName(file)) {
        image = readJpegImage(file, &picture.error);
        if (!image.isNull())
            picture.formatName = pixelFormatName(24);
    } else {
        QImageReader reader(QString::fromStdString(file.string()));
        reader.setDecideFormatFromContent(true);
        image = reader.read();
        if (image.isNull())
            picture.error = reader.errorString().toStdString();
        else
            picture.formatName = bitmapFormatName(file, image);
    }
    if (!image.isNull())
        picture.image = image.convertToFormat(QImage::Format_RGB32);
    else if (picture.error.empty())
        picture.error = "not a picture";
    return picture;
}

}  // namespace sw
