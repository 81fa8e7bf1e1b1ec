#include "manage/SkinThumbnails.h"

namespace sw {

namespace fs = std::filesystem;

QImage SkinThumbnails::get(const fs::path& uisFile)
{
    std::error_code ec;
    const auto time = fs::last_write_time(uisFile, ec);
    const auto size = ec ? 0 : fs::file_size(uisFile, ec);
    if (ec)
        return {};
    Entry& entry = entries_[uisFile.string()];
    if (entry.time == time && entry.size == size && entry.time != fs::file_time_type{})
        return entry.image;
    entry = {time, size, renderSkinThumbnail(uisFile)};
    ++drawn_;
    return entry.image;
}

bool SkinThumbnails::cached(const fs::path& uisFile) const
{
    std::error_code ec;
    const auto time = fs::last_write_time(uisFile, ec);
    const auto size = ec ? 0 : fs::file_size(uisFile, ec);
    const auto found = entries_.find(uisFile.string());
    return !ec && found != entries_.end() && found->second.time == time && found->second.size == size;
}

SkinThumbnails& SkinThumbnails::shared()
{
    static SkinThumbnails cache;
    return cache;
}

}  // namespace sw
