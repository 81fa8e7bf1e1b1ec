// Skin bitmaps as QImages, decoded by the one BMP decoder the validator and the cut
// wizard share, so every reader draws the same pixels and refuses the same files.
#pragma once

#include "document/BitmapDecoder.h"

#include <QImage>

#include <filesystem>
#include <string>

namespace sw {

// The decoded pixels as a skin-format image, without copying them.
QImage toImage(DecodedBitmap&& bitmap);

// The BMP file in the skin format, or a null image with `why` (when given) saying
// why, naming what the file really is when it is not a bitmap. The budget (when
// given) is asked for the pixels before they are decoded.
QImage readBitmapImage(const std::filesystem::path& file, std::string* why = nullptr, PixelBudget* budget = nullptr);

}  // namespace sw
