// Decoded skin bitmaps kept between loads. A file is decoded again as soon as its
// size or modification time differs from when it was read, so what the cache hands
// out is always what reading the file anew would give.
#pragma once

#include <QImage>

#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>

namespace sw {

class TImageCache {
public:
    using Decoder = std::function<QImage(const std::filesystem::path&)>;

    // The picture of a BMP (or any format QImage reads) file in the skin format, or a
    // null image when the file does not exist or cannot be decoded.
    QImage Load(const std::filesystem::path& file);
    // The same with a decoder of one's own (the JPEG author logo); pictures decoded
    // by different decoders are kept apart.
    QImage Load(const std::filesystem::path& file, const std::string& decoderName, const Decoder& decode);

    void Clear() { entries_.clear(); }
    std::size_t Size() const { return entries_.size(); }

    // The cache both previews of the editor share.
    static TImageCache& Shared();

private:
    static constexpr std::size_t kMaximumEntries = 512;
    struct Entry {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        QImage image;
    };
    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace sw
