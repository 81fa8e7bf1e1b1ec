// Reading JPEG pictures (the author logo) and writing them (skin shots) through libjpeg.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

namespace sw {

// The picture in the skin format, or a null image when the file cannot be read or
// is not a JPEG picture; `error` (when given) then says why.
QImage readJpegImage(const std::filesystem::path& file, std::string* error = nullptr);

// Writes the picture as a baseline (non-progressive) JPEG file. False, with `error`
// saying why, when the file cannot be written; a half-written file is left to the caller.
bool writeJpegImage(const QImage& image, const std::filesystem::path& file, int quality = 90,
                    std::string* error = nullptr);

}  // namespace sw
