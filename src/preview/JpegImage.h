// Reading JPEG pictures (the author logo) through libjpeg.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

namespace sw {

// The picture in the skin format, or a null image when the file cannot be read or
// is not a JPEG picture; `error` (when given) then says why.
QImage readJpegImage(const std::filesystem::path& file, std::string* error = nullptr);

}  // namespace sw
