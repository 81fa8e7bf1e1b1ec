// What the composition of the preview produces: the window's stack of named layers
// (bitmap images, text labels, filled shapes), bottom first, with the window's
// background colour and minimum size. A widget only paints it; the command line
// renders it to a file; clicks find the layer under the mouse by its name.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

enum class LayerKind {
    Image,           // a bitmap at the rectangle's top left, cut to the rectangle
    Label,           // one line of text at the top of the rectangle
    Shape,           // a filled rectangle with a one-pixel outline
    SelectionFrame,  // the dotted frame around the selected title-bar button
    Banner,          // a colour combined with what lies below by a raster operation
};

// How a banner layer's colour C combines with the pixels B below it.
enum class RasterOp {
    Nop,          // B
    Not,          // not B
    Copy,         // C
    NotCopy,      // not C
    MergePenNot,  // C or not B
    MaskPenNot,   // C and not B
    MergeNotPen,  // not C or B
    MaskNotPen,   // not C and B
    Merge,        // C or B
    NotMerge,     // not (C or B)
    Mask,         // C and B
    NotMask,      // not (C and B)
    Xor,          // C xor B
    NotXor,       // not (C xor B)
};

struct PreviewLayer {
    std::string Name;
    LayerKind Kind = LayerKind::Image;
    QRect Rect;
    bool Visible = true;

    // Image layers. A transparent layer lets magenta pixels show what lies below.
    QImage Image;
    QPoint ImageOffset;  // where the image lies within the rectangle
    bool Transparent = false;
    // The image is one tile, repeated across the whole rectangle from its top left
    // corner (a tiled background is painted straight into the window's picture
    // instead of being built as a bitmap of the window's size on every resize).
    bool Tiled = false;

    // Label layers.
    QString Text;
    QFont Font;
    QRgb TextColour = 0xFF000000u;
    bool Centred = false;        // centred across the rectangle, else from its left side
    bool ShortcutMarks = false;  // "&" underlines the next character ("&&" shows one "&")

    // Shape and banner layers.
    QRgb Fill = 0xFFFFFFFFu;
    QRgb Pen = 0xFF000000u;
    RasterOp Raster = RasterOp::Nop;
};

// The four window edges, in the order the animation steps through them.
enum Edge : int { EdgeTop = 0, EdgeLeft = 1, EdgeRight = 2, EdgeBottom = 3 };

struct EdgeParameters {
    bool Stretch = false;
    int FrameCount = 1;
    int FirstEnd = 1;   // fixed piece at the top (left and right edges) or the left
    int SecondEnd = 1;  // fixed piece at the bottom or the right
    int Frame = 1;      // the frame the preview shows
    int Mode() const;   // Stretch or Tile
};

struct PreviewScene {
    QSize ClientSize;
    bool Active = true;
    QRgb Background = 0xFFFFFFFFu;
    QSize MinimumSize;
    int AnimationInterval = 0;  // milliseconds; 0 means no animation
    std::array<EdgeParameters, 4> Edges{};
    QFont TopTextFont;          // the font of text drawn onto the top edge
    QImage FallbackButton;      // the built-in raised button, material for missing bitmaps
    std::vector<PreviewLayer> Layers;

    PreviewLayer* Find(std::string_view name);
    const PreviewLayer* Find(std::string_view name) const;
    // The layer of that name; the name must be one of the scene's.
    PreviewLayer& Layer(std::string_view name);
    const PreviewLayer& Layer(std::string_view name) const;
    // The topmost visible layer whose rectangle holds a point of the client area, or nullptr.
    const PreviewLayer* LayerAt(const QPoint& point) const;
};

// The names of the composed layers, bottom of the stack first.
extern const std::array<std::string_view, 47> kPreviewLayerNames;

}  // namespace sw
