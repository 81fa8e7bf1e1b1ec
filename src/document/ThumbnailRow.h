// Geometry of one row of an owner-drawn list of bitmap references: the file name
// beside a thumbnail of the bitmap. The widgets paint; this decides where.
#pragma once

#include <optional>

namespace sw {

struct RowRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const RowRect&) const = default;
};

struct ThumbnailRowLayout {
    int textX = 0, textY = 0;  // where the item's text starts
    RowRect textClip;          // the text is clipped to this box
    RowRect picture;           // where the bitmap goes, cut to 52 x 42 at most
};

// The row's layout; pictureWidth/Height are the bitmap's size (0 when there is none).
ThumbnailRowLayout layoutThumbnailRow(const RowRect& row, int pictureWidth, int pictureHeight);

// The row height for a bitmap of that height, or the list's own height when the
// file does not exist (no height given).
int thumbnailRowHeight(std::optional<int> pictureHeight, int listHeight);

}  // namespace sw
