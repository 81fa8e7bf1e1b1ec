#include "preview/ClassicDesktop.h"

#include "store/StringOps.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace sw {

QString matchingFamily(const QStringList& families, const QString& face)
{
    for (const QString& family : families)
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return family;
    for (const QString& family : families) {
        const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(QLatin1Char(']')) &&
            QStringView(family).left(foundry).compare(face, Qt::CaseInsensitive) == 0)
            return family;
    }
    return {};
}

QStringList skinFontNames(const QStringList& families)
{
    QStringList names;
    for (const QString& family : families) {
        const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
        const QString name = foundry > 0 && family.endsWith(QLatin1Char(']')) ? family.left(foundry) : family;
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

QString installedFamily(std::string_view face)
{
    static constexpr std::string_view monospaced[] = {"Courier New", "Courier", "Lucida Console", "Consolas",
                                                      "Fixedsys", "Terminal"};
    static constexpr std::string_view serif[] = {"Times New Roman", "Times", "Georgia", "MS Serif",
                                                 "Book Antiqua", "Garamond"};
    const std::string_view name = trimView(face);
    // A face this machine has is used as it is; the classic faces map to look-alikes.
    const QString wanted = QString::fromLatin1(name.data(), qsizetype(name.size()));
    static const QStringList families = QFontDatabase::families();
    if (QString family = matchingFamily(families, wanted); !family.isEmpty())
        return family;
    for (std::string_view candidate : monospaced)
        if (sameText(name, candidate))
            return QStringLiteral("Liberation Mono");
    for (std::string_view candidate : serif)
        if (sameText(name, candidate))
            return QStringLiteral("Liberation Serif");
    return QStringLiteral("Liberation Sans");
}

void setSkinFontFace(QFont& font, std::string_view face)
{
    // DejaVu Sans covers the characters the Liberation faces lack.
    font.setFamilies(QStringList{installedFamily(face), QStringLiteral("DejaVu Sans")});
}

void setSkinFontHeight(QFont& font, int height)
{
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // The cell holds the character height plus the face's leading above it.
        font.setPixelSize(height);
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(height * height / cell))));
    }
}

QFont skinFont(std::string_view face, int height, int weight, bool italic)
{
    QFont font;
    setSkinFontFace(font, face);
    setSkinFontHeight(font, height);
    font.setBold(weight > 499);
    font.setItalic(italic);
    return font;
}

QFont desktopFont(const DesktopFontEntry& entry)
{
    QFont font;
    setSkinFontFace(font, entry.face);
    if (entry.height > 0)
        font.setPixelSize(int(std::lround(entry.height * 96.0 / 72.0)));
    else if (entry.height < 0)
        font.setPixelSize(-entry.height);
    font.setBold(entry.weight > 500);
    font.setItalic(entry.italic);
    return font;
}

}  // namespace sw
