// Skin shots: a picture of the preview saved as JPEG or bitmap, or put on the
// clipboard; the file name follows the chosen format, and "Set size" keeps the
// previews within what skin sites accept.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace sw {

enum SkinShotFormat { ShotJpeg = 0, ShotBitmap = 1, ShotClipboard = 2 };

// The largest side "Set size" leaves a preview.
inline constexpr int kSkinShotSide = 295;

// The extension of a format's file: ".bmp" for bitmaps, ".jpg" otherwise.
QString skinShotExtension(int format);
// The shot's name for an open personality: its path with everything from ".uis"
// (any letter case) in the file name removed, plus the format's extension.
QString skinShotNameForDocument(const QString& uisPath, int format);
// The name after switching formats: from the first ".jpg", ".jpeg" or ".bmp" of the
// file name (any letter case) on, the name is cut, then the format's extension added.
QString skinShotNameForFormat(const QString& name, int format);
// A window size cut to kSkinShotSide in each direction that exceeds it.
QSize skinShotSize(QSize size);

// Writes the picture (JPEG, baseline, or BMP) through a temporary file beside the
// target that then replaces it, so a failed write never leaves half a picture.
// False with a message naming the file when it could not be written.
bool saveSkinShot(const QImage& picture, const QString& file, int format, QString* error);

}  // namespace sw
