// The preview window's shape: the client rectangle without the magenta pixels of the
// four edges, with the caption background's opaque pixels added back when the
// personality asks for it, and title-bar buttons adding or punching out their own
// opaque pixels. Regions are built from runs of pixels along each row.
#pragma once

#include "preview/PreviewScene.h"

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <optional>

namespace sw {

class TTitleButtons;

// The rules that decide whether and how the window is shaped.
struct ShapeRules {
    bool ShowTransparency = true;  // editor setting General / ShowPreviewTransparrency
    bool NoShape = false;          // PERSONALITY / NoShape
    int CombineTextBack = 0;       // PERSONALITY / CombineTextBack
    // Whether a shape is built at all: transparency shown, and the personality
    // shaped (NoShape false) or combining its caption background.
    bool Shaped() const { return ShowTransparency && (!NoShape || CombineTextBack != 0); }
};

// The pixels of an image that are magenta (or, with `opaque`, that are not), at `at`.
QRegion magentaRegion(const QImage& image, QPoint at, bool opaque = false);

// The window's shape for a composed scene; nothing when the window stays a rectangle.
std::optional<QRegion> windowRegion(const PreviewScene& scene, const ShapeRules& rules);

// The shape with the buttons combined: each visible button with a CombineOp of 0
// or more adds (CombineOp non-zero) or removes (0) its opaque pixels. Nothing when
// no button was combined or the rules leave the window unshaped.
std::optional<QRegion> combineButtons(const QRegion& shape, const TTitleButtons& buttons, const ShapeRules& rules);

// The number of pixels of a region.
long long regionArea(const QRegion& region);

}  // namespace sw
