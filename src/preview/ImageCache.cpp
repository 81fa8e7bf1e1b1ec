#include "preview/ImageCache.h"

#include "preview/BitmapImage.h"

namespace sw {

namespace fs = std::filesystem;

QImage TImageCache::Load(const fs::path& file, PixelBudget* budget, std::string* why)
{
    return Load(file, "bmp", [](const fs::path& path, PixelBudget* pixels, std::string* reason) {
        return readBitmapImage(path, reason, pixels);
    }, budget, why);
}

QImage TImageCache::Load(const fs::path& file, const std::string& decoderName, const Decoder& decode,
                         PixelBudget* budget, std::string* why)
{
    std::error_code ec;
    if (file.empty() || !fs::is_regular_file(file, ec))
        return {};
    const auto modified = fs::last_write_time(file, ec);
    if (ec)
        return {};
    const auto size = fs::file_size(file, ec);
    if (ec)
        return {};
    const std::string key = decoderName + '\n' + file.string();
    auto found = entries_.find(key);
    if (found != entries_.end() && found->second.modified == modified && found->second.size == size) {
        const QImage& image = found->second.image;
        if (budget && !budget->take(file.string(), int64_t(image.width()) * image.height())) {
            if (why)
                *why = "the preview cannot load it (" + budgetRefusal({image.width(), image.height()}) + ")";
            return {};
        }
        return image;
    }
    if (found != entries_.end()) {
        pixels_ -= int64_t(found->second.image.width()) * found->second.image.height();
        entries_.erase(found);
    }
    QImage image = decode(file, budget, why);
    if (image.isNull())
        return {};
    const int64_t pixels = int64_t(image.width()) * image.height();
    if (budget && !budget->take(file.string(), pixels)) {
        if (why)
            *why = "the preview cannot load it (" + budgetRefusal({image.width(), image.height()}) + ")";
        return {};
    }
    // A long session browsing many skins would otherwise keep every bitmap it saw,
    // or many a personality's worth of pixels.
    if (entries_.size() >= kMaximumEntries || pixels_ + pixels > 2 * kDocumentPixelBudget)
        Clear();
    entries_[key] = Entry{modified, size, image};
    pixels_ += pixels;
    return image;
}

TImageCache& TImageCache::Shared()
{
    static TImageCache cache;
    return cache;
}

}  // namespace sw
