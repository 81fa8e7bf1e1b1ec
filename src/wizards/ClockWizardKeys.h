// The title-bar clock: what the clock wizard collects, the keys that add it to a
// personality, and the rules its preview follows. No widgets here.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QPoint>
#include <QString>

#include <optional>
#include <string>

namespace sw {

class TUisFile;

struct ClockKeys {
    // The bitmap behind the clock as a reference ("Folder\file.bmp"); empty: transparent.
    std::string background;
    // The font's height the negative way: minus the pixel height of its characters.
    int fontHeight = -13;
    std::string fontName;
    int updateInterval = 900;
    bool fading = false;
    int fadeButton = 0;
    int alphaStep = 10;
    int minAlpha = 55;
    int maxAlpha = 255;
    int offsetX = 50;
    int offsetY = 0;
    int width = 0;
    int height = 0;
    int align = 1;       // entry of the alignment list
    int visibility = 1;  // entry of the visibility list
};

// Adds the clock as the next title-bar button and writes its Clock section, key by
// key in a fixed order. Returns the new button's section name.
std::string writeClockKeys(TUisFile& document, const ClockKeys& keys);

// The button number a new button gets: PERSONALITY's ButtonCount read leniently,
// and 0 when it is missing, empty or negative.
int nextClockButton(TUisFile& document);

// Where the clock's picture sits in a frame of width w and height h.
QPoint clockPlacement(int align, int x, int y, int w, int h);

// The offset X an alignment suggests for a clock picture of that width, if any.
std::optional<int> clockOffsetForAlignment(int align, int pictureWidth);

// A font's height the negative way: minus the pixel height of its characters at that
// resolution (points are rounded to pixels).
int clockFontHeight(const QFont& font, int dotsPerInch);

// "h:m:s" of the time in universal time, without leading zeros.
QString clockTimeText(const QDateTime& when);

}  // namespace sw
