// Decoded skin bitmaps kept between loads. A file is decoded again as soon as its
// size or modification time differs from when it was read, so what the cache hands
// out is always what reading the file anew would give.
#pragma once

#include "document/BitmapDecoder.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>

namespace sw {

class TImageCache {
public:
    // Decodes a file; the budget, when given, is to be asked before pixels are made.
    using Decoder = std::function<QImage(const std::filesystem::path&, PixelBudget*, std::string* why)>;

    // The picture of a BMP file in the skin format, drawn as Windows draws it, or a
    // null image when the file does not exist, cannot be decoded or does not fit in
    // the budget (which a picture held here takes as much as a decoded one).
    // `why` (when given) says why there is no picture of a file that exists.
    QImage Load(const std::filesystem::path& file, PixelBudget* budget = nullptr, std::string* why = nullptr);
    // The same with a decoder of one's own (the JPEG author logo); pictures decoded
    // by different decoders are kept apart.
    QImage Load(const std::filesystem::path& file, const std::string& decoderName, const Decoder& decode,
                PixelBudget* budget = nullptr, std::string* why = nullptr);

    void Clear()
    {
        entries_.clear();
        pixels_ = 0;
    }
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
    int64_t pixels_ = 0;  // of all entries
};

}  // namespace sw
