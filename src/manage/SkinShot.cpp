#include "manage/SkinShot.h"

#include "preview/JpegImage.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>

namespace sw {

namespace {

// Where the file name begins: the folders before it keep their dots.
qsizetype fileNameStart(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
}

}  // namespace

QString skinShotExtension(int format)
{
    return format == ShotBitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
}

QString skinShotNameForDocument(const QString& uisPath, int format)
{
    const qsizetype at = uisPath.indexOf(QLatin1String(".UIS"), fileNameStart(uisPath), Qt::CaseInsensitive);
    return (at < 0 ? uisPath : uisPath.left(at)) + skinShotExtension(format);
}

QString skinShotNameForFormat(const QString& name, int format)
{
    const qsizetype start = fileNameStart(name);
    qsizetype cut = -1;
    for (const char* extension : {".JPG", ".JPEG", ".BMP"}) {
        const qsizetype at = name.indexOf(QLatin1String(extension), start, Qt::CaseInsensitive);
        if (at >= 0 && (cut < 0 || at < cut))
            cut = at;
    }
    return (cut < 0 ? name : name.left(cut)) + skinShotExtension(format);
}

QSize skinShotSize(QSize size)
{
    return QSize(std::min(size.width(), kSkinShotSide), std::min(size.height(), kSkinShotSide));
}

bool saveSkinShot(const QImage& picture, const QString& file, int format, QString* error)
{
    const QString shown = QDir::toNativeSeparators(file);
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Cannot save the skinshot to \"%1\": %2.").arg(shown, why);
        return false;
    };
    if (picture.isNull())
        return fail(QStringLiteral("there is no picture"));
    const QFileInfo target(file);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.skinshot-XXXXXX"));
    if (!temporary.open())
        return fail(QStringLiteral("the folder cannot be written"));
    temporary.close();
    const std::filesystem::path temporaryPath(temporary.fileName().toLocal8Bit().toStdString());
    bool written = false;
    std::string why;
    if (format == ShotBitmap)
        written = picture.convertToFormat(QImage::Format_RGB888).save(temporary.fileName(), "BMP");
    else
        written = writeJpegImage(picture, temporaryPath, 90, &why);
    if (!written)
        return fail(why.empty() ? QStringLiteral("the picture could not be written") : QString::fromStdString(why));
    std::error_code ec;
    // The temporary file is private to its owner; the shot gets the mode the old
    // file had, or the usual one of a new file.
    namespace fs = std::filesystem;
    const fs::path targetPath(file.toLocal8Bit().toStdString());
    const fs::perms mode = fs::exists(targetPath, ec) ? fs::status(targetPath, ec).permissions()
                                                      : fs::perms::owner_read | fs::perms::owner_write |
                                                            fs::perms::group_read | fs::perms::others_read;
    fs::permissions(temporaryPath, mode, ec);
    std::filesystem::rename(temporaryPath, std::filesystem::path(file.toLocal8Bit().toStdString()), ec);
    if (ec)
        return fail(QString::fromLocal8Bit(ec.message()));
    temporary.setAutoRemove(false);  // it is the shot now
    return true;
}

}  // namespace sw
