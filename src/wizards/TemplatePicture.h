// Reading a template picture (BMP or JPEG) and naming its pixel format.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

namespace sw {

struct TemplatePicture {
    QImage image;              // Format_RGB32; null when the file could not be read
    std::string formatName;    // "24 bit (16M colours)", ...
    std::string error;         // why the file could not be read
};

// Whether the file is read as JPEG: by its extension (.jpg, .jpeg, .jpe, .jif, .jfif,
// .jfi), without regard to case. Anything else is read as a bitmap.
bool isJpegName(const std::filesystem::path& file);

TemplatePicture loadTemplatePicture(const std::filesystem::path& file);

// The name of a pixel format by its bits per pixel as a bitmap file stores it
// (16 bits with a 5-6-5 green mask count as 16, else as 15); "Custom Format" for others.
std::string pixelFormatName(int bitsPerPixel, bool sixBitGreen = false);

}  // namespace sw
