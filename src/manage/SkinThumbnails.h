// Small pictures of each personality's active frame for the skin browser's tree, drawn
// by the preview composition and kept until the file's time or size changes.
#pragma once

#include "preview/SkinThumbnail.h"

#include <QImage>

#include <filesystem>
#include <map>
#include <string>

namespace sw {

class SkinThumbnails {
public:
    // The thumbnail, drawn now unless one drawn from the same file time and size is kept.
    QImage get(const std::filesystem::path& uisFile);
    // Whether get() would answer without drawing.
    bool cached(const std::filesystem::path& uisFile) const;
    // How many were drawn since this cache was made.
    int drawn() const { return drawn_; }
    void clear() { entries_.clear(); }

    // The one cache the browser windows share, so reopening the browser is quick.
    static SkinThumbnails& shared();

private:
    struct Entry {
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        QImage image;
    };
    std::map<std::string, Entry> entries_;
    int drawn_ = 0;
};

}  // namespace sw
