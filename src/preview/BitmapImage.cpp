#include "preview/BitmapImage.h"

#include "preview/Blitter.h"

#include <memory>

namespace sw {

static_assert(kSkinFormat == QImage::Format_RGB32, "the decoder writes 0xFFRRGGBB pixels");

QImage toImage(DecodedBitmap&& bitmap)
{
    if (bitmap.pixels.empty())
        return {};
    auto* pixels = new std::vector<uint32_t>(std::move(bitmap.pixels));
    const int width = bitmap.width(), height = bitmap.height();
    // The image owns the vector from here on and frees it with its last copy.
    QImage image(reinterpret_cast<uchar*>(pixels->data()), width, height, qsizetype(width) * 4, kSkinFormat,
                 [](void* held) { delete static_cast<std::vector<uint32_t>*>(held); }, pixels);
    if (image.isNull())
        delete pixels;
    return image;
}

QImage readBitmapImage(const std::filesystem::path& file, std::string* why, PixelBudget* budget)
{
    DecodedBitmap bitmap;
    std::string reason;
    if (!readBitmapFile(file, bitmap, reason, budget)) {
        if (why)
            *why = reason;
        return {};
    }
    return toImage(std::move(bitmap));
}

}  // namespace sw
