// The sample dialog half of the composition: scroll bars with their arrows, thumbs
// and size grip, the banner with the author line or logo, a progress bar, push
// buttons, check boxes, radio buttons and a tab panel with two tabs.
#include "preview/BuiltInPictures.h"
#include "preview/CompositionContext.h"
#include "preview/DrawSkinBitmap.h"

#include <algorithm>

namespace sw {

namespace {

constexpr int kScrollFrames = 23;
constexpr int kPushButtonWidth = 70, kPushButtonHeight = 25;
constexpr int kTabHeight = 20;

// Margins and draw mode of a bar section (Scrollbar, HorzScroll, BUTTONS, TABS ...).
struct BarLook {
    int left, top, right, bottom;
    int mode;
    bool transparent;
};

BarLook barLook(CompositionContext& c, std::string_view section, int defaultMargin)
{
    return {c.Integer(section, "LEFTWIDTH", defaultMargin), c.Integer(section, "TOPHEIGHT", defaultMargin),
            c.Integer(section, "RIGHTWIDTH", defaultMargin), c.Integer(section, "BOTTOMHEIGHT", defaultMargin),
            c.Integer(section, "Tile", ModeStretch), c.Boolean(section, "Trans", false)};
}

// Draws frame `frame` of `frames` (side by side) of a control bitmap with the bar's
// margins, or, when the bitmap is missing, the built-in raised button with margins 2.
void drawControl(CompositionContext& c, PreviewLayer& layer, const QImage& source, bool present, const BarLook& look,
                 int width, int height, int frame, int frames, int mode)
{
    if (present)
        DrawSkinBitmap(source, layer.Image, look.left, look.top, look.right, look.bottom, height, width,
                       LayoutSideBySide, frame, frames, mode);
    else
        DrawSkinBitmap(c.Scene.FallbackButton, layer.Image, 2, 2, 2, 2, height, width, LayoutSingle, 1, 1, mode);
}

QPoint centredOn(const QRect& base, QSize size)
{
    return QPoint(base.left() + (base.width() - size.width()) / 2, base.top() + (base.height() - size.height()) / 2);
}

void hide(PreviewLayer& layer)
{
    layer.Visible = false;
}

void composeScrollBars(CompositionContext& c)
{
    const TPreviewSources& src = c.Sources;
    const bool arrows = src.HasScrollArrows;
    const BarLook look = barLook(c, "Scrollbar", 0);
    const QRgb glyphColour = c.FromColours("ButtonText", desktop::ButtonText);

    struct Part {
        std::string_view name;
        int frame;
        int width, height;  // without the bitmap
        char glyph;
        QPoint glyphAt;
        bool grip;
    };
    const Part parts[] = {
        {"ImageScrLArr", 1, desktop::HScrollArrowWidth, desktop::HScrollHeight, '3', {1, 0}, false},
        {"ImageScrRArr", 5, desktop::HScrollArrowWidth, desktop::HScrollHeight, '4', {0, 0}, false},
        {"ImageScrTArr", 9, desktop::VScrollWidth, desktop::VScrollArrowHeight, '5', {0, 0}, false},
        {"ImageScrBArr", 13, desktop::VScrollWidth, desktop::VScrollArrowHeight, '6', {0, 0}, false},
        {"ImageCorner", 23, desktop::HScrollHeight, desktop::VScrollWidth, 'o', {-2, -2}, true},
    };
    for (const Part& part : parts) {
        PreviewLayer& layer = c.Layer(part.name);
        const int width = arrows ? src.ScrollArrows.width() / kScrollFrames : part.width;
        const int height = arrows ? src.ScrollArrows.height() : part.height;
        drawControl(c, layer, src.ScrollArrows, arrows, look, width, height, arrows ? part.frame : 1,
                    arrows ? kScrollFrames : 1, part.grip ? ModeStretch : look.mode);
        if (!arrows)
            drawSymbolGlyph(layer.Image, part.glyph, part.glyphAt, desktop::HScrollArrowWidth, glyphColour);
        layer.Rect.setSize(layer.Image.size());
        layer.Transparent = look.transparent;
        layer.Visible = true;
    }

    PreviewLayer& leftArrow = c.Layer("ImageScrLArr");
    PreviewLayer& rightArrow = c.Layer("ImageScrRArr");
    PreviewLayer& upArrow = c.Layer("ImageScrTArr");
    PreviewLayer& downArrow = c.Layer("ImageScrBArr");
    leftArrow.Rect.moveTo(c.LeftW, c.CH - c.BottomH - leftArrow.Rect.height());
    upArrow.Rect.moveTo(c.CW - c.RightW - upArrow.Rect.width(), c.Y);
    downArrow.Rect.moveTo(c.CW - c.RightW - downArrow.Rect.width(), leftArrow.Rect.top() - downArrow.Rect.height());
    rightArrow.Rect.moveTo(downArrow.Rect.left() - rightArrow.Rect.width(), leftArrow.Rect.top());
    c.Layer("ImageCorner").Rect.moveTo(upArrow.Rect.left(), leftArrow.Rect.top());
    c.ScrollBottom = c.CH - leftArrow.Rect.top();

    const QRgb trackColour = c.FromColours("Scrollbar", desktop::Scrollbar);
    const int leftEnd = leftArrow.Rect.left() + leftArrow.Rect.width();
    const int horizontalRoom = std::max(rightArrow.Rect.left() - leftEnd, 0);

    // Horizontal track and thumb.
    {
        const BarLook track = barLook(c, "HorzScroll", 0);
        PreviewLayer& layer = c.Layer("ImageHScroll");
        drawControl(c, layer, src.HorzTrack, src.HasHorzTrack, track, horizontalRoom, leftArrow.Rect.height(), 1, 4,
                    track.mode);
        if (!src.HasHorzTrack)
            layer.Image.fill(trackColour);
        c.PlaceImage("ImageHScroll", QPoint(leftEnd, leftArrow.Rect.top()), track.transparent);
    }
    {
        const BarLook thumb = barLook(c, "HorzScrollThumb", 0);
        PreviewLayer& layer = c.Layer("ImageHSlider");
        drawControl(c, layer, src.HorzThumb, src.HasHorzThumb, thumb, horizontalRoom / 4, leftArrow.Rect.height(), 1,
                    3, thumb.mode);
        if (arrows && c.Boolean("HorzScrollThumb", "ShowDot", false))
            DrawSkinBitmap(src.ScrollArrows, layer.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, 17, kScrollFrames,
                           ModeCentre);
        const QRect track = c.Layer("ImageHScroll").Rect;
        c.PlaceImage("ImageHSlider", QPoint(track.width() / 3 + track.left(), leftArrow.Rect.top()),
                     thumb.transparent);
    }

    // Vertical track and thumb.
    const int upEnd = upArrow.Rect.top() + upArrow.Rect.height();
    const int verticalRoom = std::max(downArrow.Rect.top() - upEnd, 0);
    {
        const BarLook track = barLook(c, "VertScroll", 0);
        PreviewLayer& layer = c.Layer("ImageVScroll");
        drawControl(c, layer, src.VertTrack, src.HasVertTrack, track, upArrow.Rect.width(), verticalRoom, 1, 4,
                    track.mode);
        if (!src.HasVertTrack)
            layer.Image.fill(trackColour);
        c.PlaceImage("ImageVScroll", QPoint(upArrow.Rect.left(), upEnd), track.transparent);
    }
    {
        const BarLook thumb = barLook(c, "VertScrollThumb", 0);
        PreviewLayer& layer = c.Layer("ImageVSlider");
        drawControl(c, layer, src.VertThumb, src.HasVertThumb, thumb, upArrow.Rect.width(), verticalRoom / 3, 1, 3,
                    thumb.mode);
        if (arrows && c.Boolean("VertScrollThumb", "ShowDot", false))
            DrawSkinBitmap(src.ScrollArrows, layer.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, 20, kScrollFrames,
                           ModeCentre);
        const QRect track = c.Layer("ImageVScroll").Rect;
        c.PlaceImage("ImageVSlider", QPoint(upArrow.Rect.left(), track.height() / 3 + track.top()), thumb.transparent);
    }
    c.ScrollRight = c.CW - upArrow.Rect.left();
}

void composeBannerAndAuthor(CompositionContext& c)
{
    PreviewLayer& banner = c.Layer("ImageSkinwright");
    banner.Image = bannerPicture();
    c.PlaceImage("ImageSkinwright",
                 QPoint((c.CW - c.LeftW - c.ScrollRight - banner.Image.width()) / 2 + c.LeftW, c.Y + 4), false);
    PreviewLayer& shape = c.Layer("ShapeBanner");
    shape.Rect = banner.Rect;
    shape.Fill = qRgb(255, 255, 0);
    shape.Raster = RasterOp::Nop;
    shape.Visible = true;
    c.Y = banner.Rect.top() + banner.Rect.height();

    PreviewLayer& label = c.Layer("LabelCreator");
    PreviewLayer& logo = c.Layer("ImageCreator");
    hide(label);
    hide(logo);
    if (c.LogoMode == 1) {
        const QString author = QString::fromLatin1(c.Document.ReadString("TITLEBARSKIN", "SkinAuthor", "Unknown"));
        label.Text = QStringLiteral("Created by ") + author;
        label.Font = c.CaptionFont;
        label.TextColour = toPixel(desktop::WindowText);
        label.Centred = true;
        const QRect top = c.Layer("ImageTop").Rect;
        label.Rect = QRect(c.LeftW, c.Y + 5, top.width(), c.LineHeight(c.CaptionFont));
        label.Visible = true;
        c.Y = label.Rect.top() + label.Rect.height();
    } else if (c.LogoMode == 2) {
        // As wide as the banner and as high as the logo; the logo sits in its middle.
        logo.Image = c.Sources.AuthorLogo;
        logo.Rect = QRect(banner.Rect.left(), c.Y + 5, banner.Rect.width(), logo.Image.height());
        logo.ImageOffset = QPoint((banner.Rect.width() - logo.Image.width()) / 2, 0);
        logo.Transparent = false;
        logo.Visible = true;
        c.Y = logo.Rect.top() + logo.Rect.height();
    }
}

void composeProgress(CompositionContext& c)
{
    PreviewLayer& back = c.Layer("ImageProgressBack");
    PreviewLayer& done = c.Layer("ImageProgressDone");
    if (!c.Sources.HasProgress) {
        hide(back);
        hide(done);
        return;
    }
    const QRect banner = c.Layer("ImageSkinwright").Rect;
    const BarLook look = barLook(c, "PROGRESS", 0);
    const QImage& source = c.Sources.Progress;
    DrawSkinBitmap(source, back.Image, look.left, look.top, look.right, look.bottom, source.height(), banner.width(),
                   LayoutSideBySide, 1, 2, look.mode);
    DrawSkinBitmap(source, done.Image, look.left, look.top, look.right, look.bottom, source.height(),
                   banner.width() / 2, LayoutSideBySide, 2, 2, look.mode);
    const QPoint at(banner.left(), c.Y + 5);
    c.PlaceImage("ImageProgressBack", at, look.transparent);
    c.PlaceImage("ImageProgressDone", at, true);
    c.Y = back.Rect.top() + back.Rect.height();
}

void composeButtonsAndBoxes(CompositionContext& c)
{
    const TPreviewSources& src = c.Sources;
    const int t5 = c.Tabbed ? 5 : 0;
    const QFont font = desktopFont(desktop::WindowFont);
    const QRgb buttonText = c.Named("ButtonText", desktop::ButtonText);
    const QRgb grayText = c.Named("GrayText", desktop::ButtonText);
    const QRgb windowText = toPixel(desktop::WindowText);

    // Push buttons: cancel at the bottom right, OK above it.
    const BarLook look = barLook(c, "BUTTONS", 4);
    PreviewLayer& cancel = c.Layer("ImageButtonCancel");
    PreviewLayer& ok = c.Layer("ImageButtonOK");
    DrawSkinBitmap(src.PushButton, cancel.Image, look.left, look.top, look.right, look.bottom, kPushButtonHeight,
                   kPushButtonWidth, LayoutSideBySide, c.Active ? 1 : 3, 5, look.mode);
    DrawSkinBitmap(src.PushButton, ok.Image, look.left, look.top, look.right, look.bottom, kPushButtonHeight,
                   kPushButtonWidth, LayoutSideBySide, c.Active ? 4 : 2, 5, look.mode);
    c.PlaceImage("ImageButtonCancel",
                 QPoint(c.CW - c.ScrollRight - kPushButtonWidth - t5 - 10,
                        c.CH - c.ScrollBottom - kPushButtonHeight - t5 - 10),
                 look.transparent);
    c.PlaceImage("ImageButtonOK", QPoint(cancel.Rect.left(), cancel.Rect.top() - kPushButtonHeight - 10),
                 look.transparent);
    // The texts of the title-bar button states these frames show.
    const QString cancelText = c.Active ? QStringLiteral("&Normal") : QStringLiteral("&Disabled");
    const QString okText = c.Active ? QStringLiteral("&Focused") : QStringLiteral("&Pressed");
    PreviewLayer& cancelLabel = c.PlaceLabel("LabelButton1", cancelText, font, c.Active ? buttonText : grayText, {});
    cancelLabel.Rect.moveTo(centredOn(cancel.Rect, cancelLabel.Rect.size()));
    PreviewLayer& okLabel = c.PlaceLabel("LabelButton2", okText, font, buttonText, {});
    okLabel.Rect.moveTo(centredOn(ok.Rect, okLabel.Rect.size()));

    // Check boxes and radio buttons: frames 1 to 4 are unchecked, checked, unchecked
    // disabled and checked disabled.
    const int boxFrames = c.Integer("BUTTONS", "EnhancedMode", 0) + 4;
    const int checkedFrame = c.Active ? 2 : 4, uncheckedFrame = c.Active ? 1 : 3;
    PreviewLayer& checked = c.Layer("ImageCheckBoxChecked");
    PreviewLayer& unchecked = c.Layer("ImageCheckBoxUnChecked");
    DrawSkinBitmap(src.CheckBox, checked.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, checkedFrame, boxFrames,
                   ModeStretch);
    DrawSkinBitmap(src.CheckBox, unchecked.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, uncheckedFrame, boxFrames,
                   ModeStretch);
    const int boxX = c.Layer("ImageTop").Rect.left() + 10 + t5;
    c.PlaceImage("ImageCheckBoxChecked", QPoint(boxX, centredOn(ok.Rect, checked.Image.size()).y()), true);
    c.PlaceImage("ImageCheckBoxUnChecked", QPoint(boxX, centredOn(cancel.Rect, unchecked.Image.size()).y()), true);
    const int boxLabelX = unchecked.Rect.left() + unchecked.Rect.width() + 2;
    PreviewLayer& uncheckedLabel = c.PlaceLabel("LabelCheckBoxUnChecked", QStringLiteral("Unchecked"), font, windowText, {});
    uncheckedLabel.Rect.moveTo(boxLabelX, centredOn(unchecked.Rect, uncheckedLabel.Rect.size()).y());
    PreviewLayer& checkedLabel = c.PlaceLabel("LabelCheckBoxChecked", QStringLiteral("Checked"), font, windowText, {});
    checkedLabel.Rect.moveTo(boxLabelX, centredOn(checked.Rect, checkedLabel.Rect.size()).y());

    PreviewLayer& radioChecked = c.Layer("ImageRadioChecked");
    PreviewLayer& radioUnchecked = c.Layer("ImageRadioUnChecked");
    DrawSkinBitmap(src.RadioButton, radioChecked.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, checkedFrame, boxFrames,
                   ModeStretch);
    DrawSkinBitmap(src.RadioButton, radioUnchecked.Image, 0, 0, 0, 0, -1, -1, LayoutSideBySide, uncheckedFrame,
                   boxFrames, ModeStretch);
    const int radioX = uncheckedLabel.Rect.left() + uncheckedLabel.Rect.width() + 10;
    c.PlaceImage("ImageRadioChecked", QPoint(radioX, checked.Rect.top()), true);
    c.PlaceImage("ImageRadioUnChecked", QPoint(radioX, unchecked.Rect.top()), true);
    const int radioLabelX = radioUnchecked.Rect.left() + radioUnchecked.Rect.width() + 2;
    c.PlaceLabel("LabelRadioUnChecked", QStringLiteral("Unselected"), font, windowText,
                 QPoint(radioLabelX, uncheckedLabel.Rect.top()));
    c.PlaceLabel("LabelRadioChecked", QStringLiteral("Selected"), font, windowText,
                 QPoint(radioLabelX, checkedLabel.Rect.top()));
}

void composeTabs(CompositionContext& c)
{
    const TPreviewSources& src = c.Sources;
    const QRect ok = c.Layer("ImageButtonOK").Rect;
    const QRect cancel = c.Layer("ImageButtonCancel").Rect;
    const QRect checked = c.Layer("ImageCheckBoxChecked").Rect;

    PreviewLayer& panel = c.Layer("ImageTabsPanel");
    if (c.Tabbed) {
        const QImage& source = src.HasTabBorder ? src.TabBorder : c.Scene.FallbackButton;
        DrawSkinBitmap(source, panel.Image, 3, 3, 3, 3, std::max(cancel.top() + cancel.height() - ok.top() + 20, 0),
                       std::max(ok.left() + ok.width() - checked.left() + 20, 0), LayoutSingle, 1, 1, ModeHollow);
        c.PlaceImage("ImageTabsPanel", QPoint(checked.left() - 10, ok.top() - 10), true);
    } else {
        panel.Image = QImage();
        hide(panel);
    }

    PreviewLayer& tab1 = c.Layer("ImageTab1");
    PreviewLayer& tab2 = c.Layer("ImageTab2");
    if (!src.HasTabs) {
        for (std::string_view name : {"ImageTab1", "ImageTab2", "LabelTab1", "LabelTab2"})
            hide(c.Layer(name));
        c.ScrollBottom = c.CH - ok.top();
        return;
    }
    const BarLook look = barLook(c, "TABS", 2);
    const int width = panel.Image.width() / 3;
    DrawSkinBitmap(src.Tabs, tab1.Image, look.left, look.top, look.right, look.bottom, kTabHeight, width,
                   LayoutSideBySide, 2, 5, ModeStretch);
    DrawSkinBitmap(src.Tabs, tab2.Image, look.left, look.top, look.right, look.bottom, kTabHeight, width,
                   LayoutSideBySide, 1, 5, ModeStretch);
    const int y = panel.Rect.top() - kTabHeight + 2;
    c.PlaceImage("ImageTab1", QPoint(panel.Rect.left(), y), true);
    c.PlaceImage("ImageTab2", QPoint(tab1.Rect.left() + tab1.Rect.width(), y), true);
    const QFont font = desktopFont(desktop::WindowFont);
    const QRgb colour = c.Layer("LabelButton2").TextColour;
    PreviewLayer& label1 = c.PlaceLabel("LabelTab1", QStringLiteral("Selected"), font, colour, {});
    label1.Rect.moveTo(centredOn(tab1.Rect, label1.Rect.size()));
    PreviewLayer& label2 = c.PlaceLabel("LabelTab2", QStringLiteral("Unselected"), font, colour, {});
    label2.Rect.moveTo(centredOn(tab2.Rect, label2.Rect.size()));
    c.ScrollBottom = c.CH - tab1.Rect.top();
}

}  // namespace

void ComposeDialog(CompositionContext& c)
{
    c.Tabbed = c.Sources.HasTabBorder || c.Sources.HasTabs;
    composeScrollBars(c);
    composeBannerAndAuthor(c);
    composeProgress(c);
    composeButtonsAndBoxes(c);
    composeTabs(c);
    const int bannerW = c.Layer("ImageSkinwright").Rect.width();
    c.Scene.MinimumSize = QSize(bannerW + c.LeftW + c.ScrollRight + 5, c.ScrollBottom + c.Y + 5);
}

}  // namespace sw
