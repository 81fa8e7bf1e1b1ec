// The colour filters that tell a cut skin's active pictures from its inactive ones,
// and the state strips cut from a template picture with them.
#pragma once

#include <QImage>
#include <QRect>

#include <optional>

namespace sw {

enum class FilterStyle { Darken = 0, Same = 1, Lighten = 2 };

// One channel of the RGB filter: the shift applies to the copies of its target only.
struct ChannelFilter {
    FilterStyle style = FilterStyle::Darken;
    int amount = 20;  // 0-255
    bool active = false;  // target: the active copies, else the inactive ones
};

struct ScratchFilter {
    bool grayscale = false;  // the "Grayscale" page instead of the "RGB Filter" page
    ChannelFilter red, green, blue;
    FilterStyle brightnessStyle = FilterStyle::Darken;
    int brightness = 20;  // 0-255
};

// -amount, 0 or +amount.
int filterOffset(FilterStyle style, int amount);

// What is done to every pixel of one copy.
struct CopyFilter {
    bool gray = false;  // the mean of the three channels plus brightness, on all three
    int brightness = 0;
    int red = 0, green = 0, blue = 0;  // RGB mode
    bool changesPixels() const { return gray || red || green || blue; }
};

// The filter of the active copies (active = true) or of the inactive ones.
CopyFilter copyFilterFor(const ScratchFilter& filter, bool active);

inline constexpr QRgb kMagenta = 0xFFFF00FFu;

// The picture's see-through colour. A pixel matches when each of its channels lies
// within `tolerance` of the colour's: compression (JPEG) moves the colour a little,
// and an exact match would leave a fringe of near-magenta around every see-through part.
struct SeeThrough {
    QRgb colour = kMagenta;
    int tolerance = 0;  // 0-255 per channel
    SeeThrough(QRgb c = kMagenta, int t = 0) : colour(c), tolerance(t) {}
};

// Copies the area of the picture to (at) in target, 1:1, filtering each pixel; with a
// see-through colour, the pixels that match it become magenta and are never filtered.
// Parts of the area outside the picture become magenta. target must be Format_RGB32.
void filteredCopy(const QImage& picture, const QRect& area, QImage& target, QPoint at, const CopyFilter& filter,
                  std::optional<SeeThrough> transparent);

// The area cut with `states` copies side by side (or stacked): copy i (1-based) takes
// the active filter when i <= states / 2, the inactive one otherwise. A picture cut
// once has no active and inactive look to tell apart: it keeps its colours.
// Format_RGB32.
QImage cutStateStrip(const QImage& picture, const QRect& area, int states, bool stacked, const ScratchFilter& filter,
                     std::optional<SeeThrough> transparent);

}  // namespace sw
