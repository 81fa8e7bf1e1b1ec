#include "preview/HotTracking.h"

#include "preview/TitleButtons.h"

#include <initializer_list>

namespace sw {

namespace {

bool oneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    for (std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

}  // namespace

std::optional<LayerTarget> hotTrackTarget(std::string_view n)
{
    if (oneOf(n, {"ImageTop", "LabelFormCaption", "LabelFormCaptionShadow1", "LabelFormCaptionShadow2",
                  "LabelFormCaptionShadow3", "LabelFormCaptionShadow4"}))
        return LayerTarget{"PERSONALITY", "TOP"};
    if (n == "ImageBottom")
        return LayerTarget{"PERSONALITY", "BOTTOM"};
    if (n == "ImageLeft")
        return LayerTarget{"PERSONALITY", "LEFT"};
    if (n == "ImageRight")
        return LayerTarget{"PERSONALITY", "RIGHT"};
    if (oneOf(n, {"ImageCheckBoxChecked", "ImageCheckBoxUnChecked", "LabelCheckBoxChecked", "LabelCheckBoxUnChecked"}))
        return LayerTarget{"BUTTONS", "CheckButton"};
    if (oneOf(n, {"ImageRadioUnChecked", "ImageRadioChecked", "LabelRadioUnChecked", "LabelRadioChecked"}))
        return LayerTarget{"BUTTONS", "RadioButton"};
    if (oneOf(n, {"ImageButtonOK", "ImageButtonCancel", "LabelButton1", "LabelButton2"}))
        return LayerTarget{"BUTTONS", "BITMAP"};
    if (oneOf(n, {"ImageMenu", "LabelMenu"}))
        return LayerTarget{"PERSONALITY", "MenuBar"};
    if (n == "ImageDlgBack")
        return LayerTarget{"PERSONALITY", "DialogBmp"};
    if (n == "ImageSkinwright")
        return LayerTarget{"", "Generator"};
    if (oneOf(n, {"ImageProgressBack", "ImageProgressDone"}))
        return LayerTarget{"PROGRESS", "BITMAP"};
    if (oneOf(n, {"LabelCreator", "ImageCreator"}))
        return LayerTarget{"", "SkinAuthor"};
    if (oneOf(n, {"ImageTab1", "ImageTab2", "LabelTab1", "LabelTab2"}))
        return LayerTarget{"TABS", "IMAGE"};
    if (n == "ImageTabsPanel")
        return LayerTarget{"TABS", "Border"};
    if (oneOf(n, {"ImageScrLArr", "ImageScrRArr", "ImageScrTArr", "ImageScrBArr"}))
        return LayerTarget{"Scrollbar", "IMAGE"};
    if (n == "ImageHScroll")
        return LayerTarget{"HorzScroll", "IMAGE"};
    if (n == "ImageHSlider")
        return LayerTarget{"HorzScrollThumb", "IMAGE"};
    if (n == "ImageVScroll")
        return LayerTarget{"VertScroll", "IMAGE"};
    if (n == "ImageVSlider")
        return LayerTarget{"VertScrollThumb", "IMAGE"};
    if (const int button = buttonOfLayer(n); button >= 0)
        return LayerTarget{buttonSection(button), "ButtonImage"};
    return std::nullopt;
}

std::optional<LayerTarget> imageActionTarget(std::string_view n)
{
    if (n == "ImageTextBack")
        return LayerTarget{"PERSONALITY", "TextBack"};
    if (oneOf(n, {"ImageMenu", "LabelMenu"}))
        return LayerTarget{"PERSONALITY", "Menubar"};
    if (oneOf(n, {"ImageSkinwright", "ShapeBanner", "LabelCreator", "ImageCreator", "ImageCorner"}))
        return std::nullopt;
    return hotTrackTarget(n);
}

}  // namespace sw
