// Pictures the preview draws itself: the raised button that stands in for missing
// control bitmaps, the symbol glyphs of the scroll bar fallback, and the editor's
// own banner shown in the sample dialog.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace sw {

inline constexpr int kFallbackButtonSize = 32;
inline constexpr int kBannerWidth = 170;
inline constexpr int kBannerHeight = 36;

// The colours of a raised button.
struct ButtonColours {
    QRgb Face, Shadow, Light, Hilight, DkShadow;
};

// A 32 x 32 raised button: the face, a light outer and inner line on the top and
// left sides, a dark outer and inner line on the bottom and right sides.
QImage raisedButtonPicture(const ButtonColours& colours);

// The glyphs of the classic symbol font the scroll bar fallback uses, by character:
// '3' left arrow, '4' right arrow, '5' up arrow, '6' down arrow, 'o' size grip.
// Drawn as shapes in one colour with the glyph cell's top left corner at `at`; only
// the glyph's own pixels change. Other characters draw nothing.
void drawSymbolGlyph(QImage& target, char glyph, QPoint at, int cellHeight, QRgb colour);

// The editor's banner picture (kBannerWidth x kBannerHeight).
const QImage& bannerPicture();

}  // namespace sw
