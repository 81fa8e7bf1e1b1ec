#include "preview/ImageCache.h"

#include "document/Validator.h"
#include "preview/Blitter.h"

#include <QImageReader>
#include <QString>

namespace sw {

namespace fs = std::filesystem;

namespace {

// The header decides first: a picture the validator reports as too large is never
// decoded, so the two always agree on what can be drawn.
QImage decodeWithQt(const fs::path& file)
{
    QImageReader reader(QString::fromStdString(file.string()));
    const QSize size = reader.size();
    if (size.isValid() && !bitmapRefusal(BitmapSize{size.width(), size.height()}).empty())
        return {};
    return toSkinFormat(reader.read());
}

}  // namespace

QImage TImageCache::Load(const fs::path& file)
{
    return Load(file, "qt", decodeWithQt);
}

QImage TImageCache::Load(const fs::path& file, const std::string& decoderName, const Decoder& decode)
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
    if (found != entries_.end() && found->second.modified == modified && found->second.size == size)
        return found->second.image;
    QImage image = decode(file);
    if (image.isNull()) {
        entries_.erase(key);
        return {};
    }
    // A long session browsing many skins would otherwise keep every bitmap it saw.
    if (entries_.size() >= kMaximumEntries)
        entries_.clear();
    entries_[key] = Entry{modified, size, image};
    return image;
}

TImageCache& TImageCache::Shared()
{
    static TImageCache cache;
    return cache;
}

}  // namespace sw
