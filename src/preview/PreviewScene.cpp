#include "preview/PreviewScene.h"

#include "preview/DrawSkinBitmap.h"

#include <stdexcept>

namespace sw {

const std::array<std::string_view, 47> kPreviewLayerNames = {
    "ImageDlgBack", "ImageTabsPanel", "ImageTab1", "ImageTab2", "ImageCreator", "ImageTop",
    "ImageRight", "ImageBottom", "ImageLeft", "ImageButtonOK", "ImageButtonCancel", "ImageSkinwright",
    "ImageCheckBoxChecked", "ImageCheckBoxUnChecked", "ImageRadioUnChecked", "ImageRadioChecked",
    "LabelCheckBoxChecked", "LabelCheckBoxUnChecked", "LabelRadioUnChecked", "LabelRadioChecked",
    "ShapeMenuBar", "ImageMenu", "LabelMenu", "LabelButton1", "LabelButton2", "ImageTextBack",
    "LabelCreator", "BevelButtonFrame", "LabelFormCaptionShadow1", "LabelFormCaptionShadow4",
    "LabelFormCaptionShadow3", "LabelFormCaptionShadow2", "LabelFormCaption", "ImageProgressBack",
    "ImageProgressDone", "LabelTab1", "LabelTab2", "ImageHScroll", "ImageScrLArr", "ImageScrRArr",
    "ImageScrTArr", "ImageScrBArr", "ImageVScroll", "ImageVSlider", "ImageHSlider", "ImageCorner",
    "ShapeBanner",
};

int EdgeParameters::Mode() const
{
    return Stretch ? ModeStretch : ModeTile;
}

PreviewLayer* PreviewScene::Find(std::string_view name)
{
    for (PreviewLayer& layer : Layers)
        if (layer.Name == name)
            return &layer;
    return nullptr;
}

const PreviewLayer* PreviewScene::Find(std::string_view name) const
{
    return const_cast<PreviewScene*>(this)->Find(name);
}

PreviewLayer& PreviewScene::Layer(std::string_view name)
{
    if (PreviewLayer* layer = Find(name))
        return *layer;
    throw std::out_of_range("no preview layer " + std::string(name));
}

const PreviewLayer& PreviewScene::Layer(std::string_view name) const
{
    return const_cast<PreviewScene*>(this)->Layer(name);
}

const PreviewLayer* PreviewScene::LayerAt(const QPoint& point) const
{
    for (auto layer = Layers.rbegin(); layer != Layers.rend(); ++layer) {
        // Like the controls they stand for, layers take the mouse over their whole
        // rectangle, see-through parts included.
        if (layer->Visible && layer->Rect.contains(point))
            return &*layer;
    }
    return nullptr;
}

}  // namespace sw
