#include "preview/PreviewSources.h"

#include "document/UisFile.h"
#include "preview/Blitter.h"
#include "preview/ClassicDesktop.h"
#include "preview/JpegImage.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

namespace {

// A part of a picture that shares its pixels instead of copying them, so a big
// version 1p edge bitmap is not held twice once split. The pixels are read-only:
// a write to the part copies it first.
QImage sharedPart(const QImage& whole, int x, int y, int width, int height)
{
    const QRect part = QRect(x, y, width, height).intersected(whole.rect());
    if (part.isEmpty() || whole.depth() != 32)
        return whole.copy(part);
    auto* held = new QImage(whole);
    const uchar* bits = held->constBits() + qsizetype(part.y()) * held->bytesPerLine() + qsizetype(part.x()) * 4;
    QImage shared(bits, part.width(), part.height(), held->bytesPerLine(), held->format(),
                  [](void* image) { delete static_cast<QImage*>(image); }, held);
    if (shared.isNull()) {
        delete held;
        return whole.copy(part);
    }
    return shared;
}

// Version 1p: each side edge is one half of the shared vertical bitmap; an odd
// last column belongs to neither.
QImage leftHalf(const QImage& image)
{
    return sharedPart(image, 0, 0, image.width() / 2, image.height());
}

QImage rightHalf(const QImage& image)
{
    return sharedPart(image, image.width() / 2, 0, image.width() / 2, image.height());
}

// Version 1p: the bottom edge is the first 4 rows of each frame, the top edge the rest.
QImage firstRows(const QImage& image, int rows)
{
    return sharedPart(image, 0, 0, image.width(), std::clamp(rows, 0, image.height()));
}

QImage rowsFrom(const QImage& image, int row)
{
    row = std::clamp(row, 0, image.height());
    return sharedPart(image, 0, row, image.width(), image.height() - row);
}

}  // namespace

void TPreviewSources::LoadSkin(TUisFile& document, const PreviewSettings& settings, TImageCache& cache)
{
    const int version = document.FormatVersion();
    if (version != UisType2 && version != UisType1p) {
        PreviewAvailable = false;
        return;
    }

    // The file an attribute names, or an empty path.
    auto referenced = [&](std::string_view section, std::string_view key, std::string_view def = "") {
        const std::string value = document.ReadString(section, key, def);
        return value.empty() ? fs::path() : document.ReferencePath(value);
    };
    Budget = PixelBudget();
    Refused.clear();
    auto refused = [&](const fs::path& file, const std::string& why) {
        if (!why.empty())
            Refused.push_back(file.string() + ": " + why);
    };
    // Loads into `target` when the file can be read; says whether it could.
    auto load = [&](const fs::path& file, QImage& target) {
        std::string why;
        QImage image = cache.Load(file, &Budget, &why);
        refused(file, why);
        if (image.isNull())
            return false;
        target = std::move(image);
        return true;
    };

    PreviewAvailable = true;
    if (version == UisType2) {
        PreviewAvailable &= load(document.FrameBitmapPath("LEFT"), Left);
        PreviewAvailable &= load(document.FrameBitmapPath("RIGHT"), Right);
        PreviewAvailable &= load(document.FrameBitmapPath("TOP"), Top);
        PreviewAvailable &= load(document.FrameBitmapPath("BOTTOM"), Bottom);
    } else {
        const int frames = std::clamp(document.ReadInteger("BORDERS", "FrameCount", 1), 0, 1 << 20);
        QImage vertical, horizontal;
        if (load(document.FrameBitmapPath("LEFT"), vertical)) {
            Left = leftHalf(vertical);
            Right = rightHalf(vertical);
        } else {
            PreviewAvailable = false;
        }
        if (load(document.FrameBitmapPath("TOP"), horizontal)) {
            Bottom = firstRows(horizontal, 4 * frames);
            Top = rowsFrom(horizontal, 4 * frames);
        } else {
            PreviewAvailable = false;
        }
    }

    // The author logo is a JPEG picture unless its name says BMP.
    if (!settings.LogoImage.empty()) {
        const fs::path logo(settings.LogoImage);
        std::string why;
        QImage image = asciiUpper(settings.LogoImage).find(".BMP") != std::string::npos
                           ? cache.Load(logo, &Budget, &why)
                           : cache.Load(logo, "jpeg",
                                        [](const fs::path& file, PixelBudget*, std::string* reason) {
                                            return readJpegImage(file, reason);
                                        },
                                        &Budget, &why);
        refused(logo, why);
        if (!image.isNull())
            AuthorLogo = std::move(image);
    }
    HasProgress = load(referenced("PROGRESS", "BITMAP"), Progress);
    HasTextBack = load(referenced("PERSONALITY", "TextBack"), TextBack);
    load(referenced("BUTTONS", "BITMAP", "bms.bmp"), PushButton);
    HasDialogBack = load(referenced("PERSONALITY", "DialogBmp"), DialogBack);
    HasMenuBar = load(referenced("PERSONALITY", "Menubar"), MenuBar);
    load(referenced("BUTTONS", "CheckButton"), CheckBox);
    load(referenced("BUTTONS", "RadioButton"), RadioButton);
    HasTabBorder = load(referenced("TABS", "Border"), TabBorder);
    HasTabs = load(referenced("TABS", "IMAGE"), Tabs);
    HasScrollArrows = load(referenced("Scrollbar", "IMAGE"), ScrollArrows);
    HasHorzThumb = load(referenced("HorzScrollThumb", "IMAGE"), HorzThumb);
    HasHorzTrack = load(referenced("HorzScroll", "IMAGE"), HorzTrack);
    HasVertThumb = load(referenced("VertScrollThumb", "IMAGE"), VertThumb);
    HasVertTrack = load(referenced("VertScroll", "IMAGE"), VertTrack);

    MenuColour = toPixel(document.NamedColour("Menu", desktop::Menu));
    MenuTextColour = toPixel(document.NamedColour("MenuText", desktop::MenuText));
}

}  // namespace sw
