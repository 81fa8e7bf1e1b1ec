// The pixel primitives every skin drawing rests on: one-to-one copies, copies that
// skip magenta, stretching that drops or repeats rows and columns without blending,
// tiling and filling. All work on 32-bit pixels (QImage::Format_RGB32) and clip
// both the source and the destination, so any rectangle is safe to pass.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

namespace sw {

// The transparent colour of every skin bitmap: red 255, green 0, blue 255.
inline constexpr uint32_t kMagenta = 0xFFFF00FFu;

inline bool isMagenta(uint32_t pixel)
{
    return (pixel & 0x00FFFFFFu) == 0x00FF00FFu;
}

// The layout every primitive expects; anything else is converted once by the caller.
inline constexpr QImage::Format kSkinFormat = QImage::Format_RGB32;

// An image in the skin format: the image itself when it already is, else a converted copy.
QImage toSkinFormat(const QImage& image);

namespace blit {

// Copies `from` of the source one to one with its top left corner at `to`.
void copy(const QImage& source, const QRect& from, QImage& dest, const QPoint& to);

// As copy, but magenta source pixels leave the destination unchanged.
void copyTransparent(const QImage& source, const QRect& from, QImage& dest, const QPoint& to);

// As copyTransparent onto a ground of one colour: magenta source pixels become
// `ground` and the destination is never read.
void copyTransparentOnto(const QImage& source, const QRect& from, QImage& dest, const QPoint& to, uint32_t ground);

// Stretches `from` onto `to` by picking, for each destination pixel, the source pixel
// under its centre. Nothing is drawn when either rectangle is empty or inverted.
void stretch(const QImage& source, const QRect& from, QImage& dest, const QRect& to);

// Fills `area` with copies of `tile`, the first one at the area's top left corner.
// Nothing is drawn when the tile is empty or inverted.
void tile(const QImage& source, const QRect& tile, QImage& dest, const QRect& area);

void fill(QImage& dest, const QRect& area, uint32_t colour);

// One row of copyTransparent: the `width` pixels of `source` that are not magenta
// are written over those of `dest`; with a `ground`, the magenta ones become it.
void copyTransparentRow(const uint32_t* source, uint32_t* dest, int width, const uint32_t* ground = nullptr);

// Every form of copyTransparentRow this processor can run (four or eight pixels at a
// time); copyTransparentRow uses the widest.
using TransparentRowForm = void (*)(const uint32_t* source, uint32_t* dest, int width, const uint32_t* ground);
std::vector<TransparentRowForm> copyTransparentRowForms();

// The first position at or after `from` (and below `width`) whose pixel is magenta
// when `magenta` is false, or not magenta when it is true; `width` when none is.
int runEnd(const uint32_t* row, int from, int width, bool magenta);

}  // namespace blit
}  // namespace sw
