// The desktop the preview pretends to run on: a fixed table of the classic desktop's
// metrics, colours and fonts, so that a skin previews the same on every machine.
// Font faces named by skins map to fonts installed with the program.
#pragma once

#include "document/UisFile.h"

#include <QFont>
#include <QRgb>

#include <string_view>

namespace sw {

constexpr Colour rgbColour(int red, int green, int blue)
{
    return Colour(red + green * 256 + blue * 65536);
}

// A colour of the personality (red + green * 256 + blue * 65536) as a pixel value.
inline QRgb toPixel(Colour colour)
{
    const uint32_t c = uint32_t(colour);
    return qRgb(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255));
}

// A font as the desktop stores it: a negative height is the character height in
// pixels, a positive one a size in points.
struct DesktopFontEntry {
    std::string_view face;
    int height;
    int weight;  // 400 normal, 700 bold
    bool italic;
};

namespace desktop {

// Metrics.
inline constexpr int FrameWidth = 4;              // sizing frame width
inline constexpr int CaptionHeight = 19;          // caption bar height
inline constexpr int MenuHeight = 19;             // menu bar height
inline constexpr int HScrollArrowWidth = 16;      // horizontal scroll arrow width
inline constexpr int HScrollHeight = 16;          // horizontal scroll bar height
inline constexpr int VScrollWidth = 16;           // vertical scroll bar width
inline constexpr int VScrollArrowHeight = 16;     // vertical scroll arrow height

// Colours.
inline constexpr Colour ButtonFace = rgbColour(212, 208, 200);
inline constexpr Colour ButtonShadow = rgbColour(128, 128, 128);
inline constexpr Colour ButtonLight = rgbColour(212, 208, 200);
inline constexpr Colour ButtonHilight = rgbColour(255, 255, 255);
inline constexpr Colour ButtonDkShadow = rgbColour(64, 64, 64);
inline constexpr Colour ButtonText = rgbColour(0, 0, 0);
inline constexpr Colour GrayText = rgbColour(128, 128, 128);
inline constexpr Colour Menu = rgbColour(212, 208, 200);
inline constexpr Colour MenuText = rgbColour(0, 0, 0);
inline constexpr Colour Scrollbar = rgbColour(212, 208, 200);
inline constexpr Colour CaptionText = rgbColour(255, 255, 255);
inline constexpr Colour InactiveCaptionText = rgbColour(212, 208, 200);
inline constexpr Colour WindowText = rgbColour(0, 0, 0);

// Fonts.
inline constexpr DesktopFontEntry CaptionFont{"Tahoma", -11, 700, false};
inline constexpr DesktopFontEntry MenuFont{"Tahoma", -11, 400, false};
// The preview window's own font, used by labels that set none.
inline constexpr DesktopFontEntry WindowFont{"MS Sans Serif", -11, 400, false};

}  // namespace desktop

// The installed family that stands in for a face a skin names.
QString installedFamily(std::string_view face);
// The family of `families` (as the font database lists them) that a face names: the
// same name ignoring case, also where the database tells a face installed by two
// foundries apart as "Name [foundry]". Empty when there is none.
QString matchingFamily(const QStringList& families, const QString& face);
// The names a skin can give for those families: each once, without the foundry
// suffix the database adds to a face installed twice ("C059 [UKWN]" is "C059").
QStringList skinFontNames(const QStringList& families);

// A font of the face (mapped as above), a height by the rule of DesktopFontEntry,
// bold when the weight exceeds 500.
QFont desktopFont(const DesktopFontEntry& entry);

// Sets a height the way a skin stores it: negative is the character height in
// pixels, positive the height of the whole character cell; 0 changes nothing.
void setSkinFontHeight(QFont& font, int height);
// A font a personality describes (buttons, plug-ins): face and height by the two rules
// above, bold above weight 499.
QFont skinFont(std::string_view face, int height, int weight, bool italic);

// Sets the face, keeping the rest of the font.
void setSkinFontFace(QFont& font, std::string_view face);

}  // namespace sw
