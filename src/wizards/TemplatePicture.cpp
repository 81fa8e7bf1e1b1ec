#include "wizards/TemplatePicture.h"

#include "preview/BitmapImage.h"
#include "preview/JpegImage.h"
#include "store/StringOps.h"

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

TemplatePicture loadTemplatePicture(const std::filesystem::path& file)
{
    TemplatePicture picture;
    QImage image;
    if (isJpegName(file)) {
        image = readJpegImage(file, &picture.error);
        if (!image.isNull())
            picture.formatName = pixelFormatName(24);
    } else {
        // As the skin engine would read it: a JPEG picture under a bitmap's name is
        // refused, naming what it is, rather than cut into bitmaps that then show nothing.
        DecodedBitmap bitmap;
        if (readBitmapFile(file, bitmap, picture.error)) {
            picture.formatName = pixelFormatName(bitmap.format.bitsPerPixel, bitmap.format.sixBitGreen);
            image = toImage(std::move(bitmap));
        }
    }
    if (!image.isNull())
        picture.image = image.convertToFormat(QImage::Format_RGB32);
    else if (picture.error.empty())
        picture.error = "not a picture";
    return picture;
}

}  // namespace sw
