// The frame half of the composition: the four edges with their fixed ends, the
// dialog background, the caption with its background and shadows, and the menu bar.
#include "preview/Blitter.h"
#include "preview/BuiltInPictures.h"
#include "preview/CompositionContext.h"
#include "preview/DrawSkinBitmap.h"

#include <algorithm>

namespace sw {

namespace {

constexpr std::string_view kEdgeNames[4] = {"Top", "Left", "Right", "Bottom"};

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// The frame an edge shows. Version 2 strips hold the active look first and the
// inactive look last; version 1p names the frame of each window state in BORDERS.
// A frame outside the strip would show nothing, so it is kept inside.
int edgeFrame(TUisFile& document, bool version1p, bool active, int frameCount)
{
    const int last = std::max(frameCount, 1);
    int frame = active ? 1 : last;
    if (version1p) {
        constexpr int normalInactive = 0, normalActive = 1;  // positions in the list of window states
        frame = document.FrameForState(active ? normalActive : normalInactive, frame);
    }
    return std::clamp(frame, 1, last);
}

// A caption too wide for its label ends in "..." and loses two characters at a
// time until it fits, down to the "..." alone.
QString shortenedCaption(const CompositionContext& context, const QFont& font, QString text, int width)
{
    const QString ellipsis = QStringLiteral("...");
    text += ellipsis;
    while (text != ellipsis && context.TextSize(font, text).width() > width) {
        text.chop(std::min<qsizetype>(5, text.size()));
        text += ellipsis;
    }
    return text;
}

void readEdges(CompositionContext& c)
{
    for (int e = 0; e < 4; ++e) {
        EdgeParameters& edge = c.Scene.Edges[std::size_t(e)];
        edge.Stretch = c.Document.Stretched(kEdgeNames[e]);
        edge.FrameCount = c.Bounded(c.Document.FrameCount(kEdgeNames[e]));
        edge.FirstEnd = c.Bounded(c.Document.Height(kEdgeNames[e], "Top"));
        edge.SecondEnd = c.Bounded(c.Document.Height(kEdgeNames[e], "Bot"));
        edge.Frame = edgeFrame(c.Document, c.Version1p, c.Active, edge.FrameCount);
    }
}

void composeEdges(CompositionContext& c)
{
    const TPreviewSources& src = c.Sources;
    const auto& edges = c.Scene.Edges;

    const EdgeParameters& left = edges[EdgeLeft];
    PreviewLayer& imageLeft = c.Layer("ImageLeft");
    DrawSkinBitmap(src.Left, imageLeft.Image, 0, left.FirstEnd, 0, left.SecondEnd, c.CH, -1, LayoutSideBySide,
                   left.Frame, left.FrameCount, left.Mode());
    c.PlaceImage("ImageLeft", QPoint(0, 0), true);
    c.LeftW = imageLeft.Rect.width();

    const EdgeParameters& right = edges[EdgeRight];
    PreviewLayer& imageRight = c.Layer("ImageRight");
    DrawSkinBitmap(src.Right, imageRight.Image, 0, right.FirstEnd, 0, right.SecondEnd, c.CH, -1, LayoutSideBySide,
                   right.Frame, right.FrameCount, right.Mode());
    c.PlaceImage("ImageRight", QPoint(c.CW - imageRight.Image.width(), 0), true);
    c.RightW = imageRight.Rect.width();

    const EdgeParameters& top = edges[EdgeTop];
    PreviewLayer& imageTop = c.Layer("ImageTop");
    DrawSkinBitmap(src.Top, imageTop.Image, top.FirstEnd, 0, top.SecondEnd, 0, -1,
                   std::max(imageRight.Rect.left() - c.LeftW, 0), LayoutStacked, top.Frame, top.FrameCount, top.Mode());
    c.PlaceImage("ImageTop", QPoint(c.LeftW, 0), true);
    c.TopH = imageTop.Rect.height();

    const EdgeParameters& bottom = edges[EdgeBottom];
    PreviewLayer& imageBottom = c.Layer("ImageBottom");
    DrawSkinBitmap(src.Bottom, imageBottom.Image, bottom.FirstEnd, 0, bottom.SecondEnd, 0, -1,
                   imageTop.Rect.width(), LayoutStacked, bottom.Frame, bottom.FrameCount, bottom.Mode());
    c.PlaceImage("ImageBottom", QPoint(imageTop.Rect.left(), c.CH - imageBottom.Image.height()), true);
    c.BottomH = imageBottom.Rect.height();
}

void composeDialogBackground(CompositionContext& c)
{
    const QRect top = c.Layer("ImageTop").Rect;
    PreviewLayer& back = c.Layer("ImageDlgBack");
    if (c.Sources.HasDialogBack) {
        // The whole bitmap tiled from the layer's corner, as DrawSkinBitmap's Tile
        // mode without margins draws it; the painting does the tiling.
        const int height = std::max(c.Layer("ImageLeft").Rect.height() - c.TopH - c.BottomH, 0);
        back.Image = toSkinFormat(c.Sources.DialogBack);
        back.Tiled = true;
        back.Transparent = false;
        back.Rect = QRect(top.left(), c.TopH, top.width(), height);
        back.Visible = true;
    } else {
        back.Image = QImage();
        back.Rect = QRect(top.left(), c.TopH, 0, 0);
        back.Visible = false;
    }
    c.Scene.Background = c.Named("ButtonFace", desktop::ButtonFace);
}

void composeCaption(CompositionContext& c)
{
    TUisFile& doc = c.Document;
    const QRect top = c.Layer("ImageTop").Rect;
    const QRect bottom = c.Layer("ImageBottom").Rect;
    const int topW = top.width();
    const int frameW = desktop::FrameWidth;

    QString text = latin1(doc.ReadString("PERSONALITY", "FrontString", "") + doc.PersonalityName() +
                          (c.Active ? " - Active Window" : " - Inactive Window") +
                          doc.ReadString("PERSONALITY", "BackString", ""));

    QFont font = desktopFont(desktop::CaptionFont);
    const std::string face = doc.ReadString("Fonts", "FontName", "");
    if (!face.empty())
        setSkinFontFace(font, face);
    setSkinFontHeight(font, c.Integer("Fonts", "FontHeight", 0));
    c.CaptionFont = font;
    c.Scene.TopTextFont = font;
    const QRgb colour = c.Active ? c.Named("ActiveText", desktop::CaptionText)
                                 : c.Named("InActiveText", desktop::InactiveCaptionText);

    // The label's width: the text's own, or what is left between the shift and the clip.
    const int shift = c.Integer("PERSONALITY", "TextShift", 0);
    const int rightClip = c.Integer("PERSONALITY", "TextRightClip", 0);
    const int textWidth = c.TextSize(font, text).width();
    int width = textWidth;
    if (shift + rightClip + textWidth >= topW) {
        width = std::max(topW - shift - rightClip, 0);
        text = shortenedCaption(c, font, text, width);
    }

    const int backLeft = c.Integer("PERSONALITY", "TXTBackLeft", 0);
    const int backRight = c.Integer("PERSONALITY", "TXTBackRight", 0);

    // Left, centred or right; other alignments keep the left-aligned place.
    int x;
    if (c.Version1p) {
        const int leftShift = c.Integer("CAPTION", "TextLeftShift", 0);
        const int clip = c.Integer("CAPTION", "TextRightClip", 0);
        switch (c.Integer("CAPTION", "TextAlignment", 0)) {
        case 1: x = shift + backLeft + (topW - clip - leftShift - width) / 2; break;
        case 2: x = top.left() + topW - clip - leftShift - width - backRight - frameW; break;
        default: x = leftShift - frameW; break;
        }
    } else {
        switch (c.Integer("PERSONALITY", "TextAlignment", 0)) {
        case 1: x = shift + top.left() + frameW + backLeft + (topW - rightClip - shift - width) / 2; break;
        case 2: x = top.left() + topW - rightClip - shift - width - backRight - frameW; break;
        default: x = top.left() + shift + frameW; break;
        }
    }

    PreviewLayer& back = c.Layer("ImageTextBack");
    if (c.Sources.HasTextBack) {
        DrawSkinBitmap(c.Sources.TextBack, back.Image, backLeft, 0, backRight, 0, c.TopH,
                       std::max(width + backLeft + backRight + frameW, 0), LayoutStacked, c.Active ? 1 : 2, 2,
                       ModeStretchAcross);
        back.Visible = true;
    } else {
        back.Image = QImage();
        back.Visible = false;
    }
    back.Transparent = true;
    const int backH = back.Image.height();

    const int labelH = c.LineHeight(font);
    const int topShift = c.Integer("CAPTION", "TextTopShift", 0);
    const int shiftVert = c.Integer("PERSONALITY", "TextShiftVert", 0);
    int y, backY;
    if (c.Integer("PERSONALITY", "TextOnBottom", 0) != 0) {
        backY = bottom.top() + (c.BottomH - backH) / 2;
        y = topShift + bottom.top() + bottom.height() - 4 - labelH - (desktop::CaptionHeight - labelH) / 2 +
            shiftVert;
    } else {
        backY = (c.TopH - backH) / 2;
        y = (topShift + shiftVert + c.TopH - labelH) / 2;
    }

    PreviewLayer& caption = c.Layer("LabelFormCaption");
    caption.Text = text;
    caption.Font = font;
    caption.TextColour = colour;
    caption.Rect = QRect(x, y, width, labelH);
    caption.Visible = true;

    // Shadows: one below right, or four around the text.
    const int use3D = c.Integer("Text", "Use3DText", 0);
    const QRgb shadowColour = toPixel(Colour(uint32_t(c.Integer("Text", "ShadowTextR", 255)) +
                                             256u * uint32_t(c.Integer("Text", "ShadowTextG", 255)) +
                                             65536u * uint32_t(c.Integer("Text", "ShadowTextB", 255))));
    const int offset = c.Integer("Text", "ShadowOffset", 1);
    const bool noShadow = !c.Active && c.Boolean("Text", "NoShadowInactiveText", false);
    struct Shadow {
        std::string_view name;
        int dx, dy;
        bool used;
    };
    const Shadow shadows[] = {
        {"LabelFormCaptionShadow1", use3D == 2 ? -offset : offset, use3D == 2 ? -offset : offset, use3D != 0},
        {"LabelFormCaptionShadow2", -offset, offset, use3D == 2},
        {"LabelFormCaptionShadow3", offset, -offset, use3D == 2},
        {"LabelFormCaptionShadow4", offset, offset, use3D == 2},
    };
    for (const Shadow& s : shadows) {
        PreviewLayer& layer = c.Layer(s.name);
        layer.Visible = s.used && !noShadow;
        if (!s.used)
            continue;
        layer.Text = text;
        layer.Font = font;
        layer.TextColour = shadowColour;
        layer.Rect = caption.Rect.translated(s.dx, s.dy);
    }

    back.Rect = QRect(QPoint(x - backLeft - frameW, backY), back.Image.size());
}

void composeMenuBar(CompositionContext& c)
{
    const QRect top = c.Layer("ImageTop").Rect;
    const int menuH = desktop::MenuHeight;
    const QFont font = desktopFont(desktop::MenuFont);
    const QString text = QStringLiteral("&File   Edit   About");
    const int x = c.Integer("PERSONALITY", "MenuLeftTile", 0) + c.LeftW + 10;
    const int labelH = c.LabelSize(font, text, true).height();

    PreviewLayer& image = c.Layer("ImageMenu");
    PreviewLayer& shape = c.Layer("ShapeMenuBar");
    int labelY;
    if (c.Sources.HasMenuBar) {
        DrawSkinBitmap(c.Sources.MenuBar, image.Image, c.Integer("PERSONALITY", "TileLeftMenu", 0), 0,
                       c.Integer("PERSONALITY", "TileRightMenu", 0), 0, menuH, top.width(), LayoutStacked,
                       c.Active ? 1 : 2, 2, 4 * c.Integer("PERSONALITY", "TileMenu", 0));
        c.PlaceImage("ImageMenu", QPoint(c.LeftW, c.TopH), false);
        shape.Visible = false;
        labelY = image.Rect.top() + (image.Rect.height() - labelH) / 2;
        c.Y = image.Rect.top() + image.Rect.height();
    } else {
        shape.Rect = QRect(c.LeftW, c.TopH + 1, top.width(), menuH);
        shape.Fill = shape.Pen = c.Sources.MenuColour;
        shape.Visible = true;
        image.Image = QImage();
        image.Visible = false;
        labelY = shape.Rect.top() + 5;
        c.Y = shape.Rect.top() + shape.Rect.height();
    }
    c.PlaceLabel("LabelMenu", text, font, c.Sources.MenuTextColour, QPoint(x, labelY));
}

}  // namespace

void ComposeFrame(CompositionContext& c)
{
    readEdges(c);
    c.Scene.AnimationInterval = c.Document.ReadInteger("PERSONALITY", "AniRate", 0);
    c.Scene.FallbackButton = raisedButtonPicture({c.FromColours("ButtonFace", desktop::ButtonFace),
                                                  c.FromColours("ButtonShadow", desktop::ButtonShadow),
                                                  c.FromColours("ButtonLight", desktop::ButtonLight),
                                                  c.FromColours("ButtonHilight", desktop::ButtonHilight),
                                                  c.FromColours("ButtonDkShadow", desktop::ButtonDkShadow)});
    composeEdges(c);
    // Room for the caption's shift and clip beside the side edges; the sample dialog
    // sets the final minimum.
    c.Scene.MinimumSize.setWidth(c.Integer("PERSONALITY", "TextShift", 0) + c.LeftW + c.RightW +
                                 c.Integer("PERSONALITY", "TextRightClip", 0) + 40);
    composeDialogBackground(c);
    composeCaption(c);
    composeMenuBar(c);
}

}  // namespace sw
