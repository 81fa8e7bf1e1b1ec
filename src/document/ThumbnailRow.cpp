#include "document/ThumbnailRow.h"

#include <algorithm>

namespace sw {

namespace {
constexpr int kPictureWidth = 52;
constexpr int kPictureHeight = 42;
}  // namespace

ThumbnailRowLayout layoutThumbnailRow(const RowRect& row, int pictureWidth, int pictureHeight)
{
    ThumbnailRowLayout layout;
    layout.textX = row.left + 60;
    layout.textY = row.top + 5;
    layout.textClip = {row.left + 60, row.top + 1, std::max(0, row.width - 60), std::max(0, row.height - 2)};
    layout.picture = {row.left + 3, row.top + 3, std::clamp(pictureWidth, 0, kPictureWidth),
                      std::clamp(pictureHeight, 0, kPictureHeight)};
    return layout;
}

int thumbnailRowHeight(std::optional<int> pictureHeight, int listHeight)
{
    if (!pictureHeight)
        return listHeight;
    return std::max(20, std::min(*pictureHeight, kPictureHeight) + 6);
}

}  // namespace sw
