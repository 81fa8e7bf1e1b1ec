// DrawSkinBitmap: turns a skin bitmap, or one frame of a strip of frames, into a
// bitmap of any size, keeping its fixed margins (ends and corners) and stretching,
// tiling, hollowing or centring the middle. Every edge, bar, button, box and tab of
// the preview is drawn with it.
#pragma once

#include <QImage>
#include <QRect>

namespace sw {

// How the frames of a strip lie.
enum FrameLayout : int {
    LayoutSingle = 0,      // the whole bitmap is the frame
    LayoutStacked = 1,     // one under the other, height div count rows each
    LayoutSideBySide = 2,  // next to each other, width div count columns each
};

// How the middle and the edges are filled.
enum DrawMode : int {
    ModeStretch = 0,
    ModeTile = 1,
    ModeHollow = 2,          // the middle becomes magenta
    ModeTileAcross = 4,      // middle tiled across and stretched down
    ModeCentre = 8,          // the middle is drawn once, centred, magenta left out
    ModeStretchAcross = 16,  // rows taken one to one, only the width scaled
};

// The frame `frameIndex` (counted from 1) of `frameCount` in a bitmap of the given
// size; a count below 1 counts as 1. An index outside the strip gives a rectangle
// outside the bitmap.
QRect skinFrameRect(QSize bitmap, int layout, int frameIndex, int frameCount);

// Draws into `dest`. left, top, right and bottom are the fixed margins of the source
// frame (negative margins count as 0); height and width the wanted size of dest, a
// negative value meaning the frame's own size. Except in Centre mode dest takes that
// size; pixels it had keep their value where they are not drawn over, and pixels new
// to it start white. Always returns true.
bool DrawSkinBitmap(const QImage& source, QImage& dest, int left, int top, int right, int bottom, int height,
                    int width, int layout, int frameIndex, int frameCount, int mode);

}  // namespace sw
