// A small picture of a personality's active frame, drawn by the preview composition:
// the skin browser's tree and the template gallery show them.
#pragma once

#include <QImage>
#include <QSize>

#include <filesystem>

namespace sw {

// The skin browser's thumbnails' size, and the size of the window they show.
inline constexpr QSize kThumbnailSize(48, 32);
// A window a little wider than tall shows the caption, buttons and edges.
inline constexpr QSize kThumbnailWindow(150, 70);

// The active frame of the personality composed as a window of `window`'s size and
// scaled to fit the size; a null image for a file without a preview (UIS 1, unknown
// format, missing bitmaps). `personalityFolder`, when given, is where the file's own
// folder is taken to be: a template kept outside the skins root resolves its
// references from there.
QImage renderSkinThumbnail(const std::filesystem::path& uisFile, QSize size = kThumbnailSize,
                           const std::filesystem::path& personalityFolder = {}, QSize window = kThumbnailWindow);

}  // namespace sw
