// Small pictures of each personality's active frame for the skin browser's tree, drawn
// by the preview composition and kept until the file's time or size changes.
#pragma once

#include <QImage>
#include <QSize>

#include <filesystem>
#include <map>
#include <string>

namespace sw {

// The thumbnails' size in the tree.
inline constexpr QSize kThumbnailSize(48, 32);

// The active frame of the personality composed small and scaled to fit the size;
// a null image for a file without a preview (UIS 1, unknown format, missing bitmaps).
QImage renderSkinThumbnail(const std::filesystem::path& uisFile, QSize size = kThumbnailSize);

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
