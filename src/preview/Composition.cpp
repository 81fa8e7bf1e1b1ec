#include "preview/Composition.h"

#include "preview/CompositionContext.h"

namespace sw {

namespace {

LayerKind kindOf(std::string_view name)
{
    if (name == "ShapeBanner")
        return LayerKind::Banner;
    if (name == "BevelButtonFrame")
        return LayerKind::SelectionFrame;
    if (name.starts_with("Shape"))
        return LayerKind::Shape;
    if (name.starts_with("Label"))
        return LayerKind::Label;
    return LayerKind::Image;
}

}  // namespace

PreviewLayer& CompositionContext::PlaceImage(std::string_view name, QPoint at, bool transparent)
{
    PreviewLayer& layer = Layer(name);
    layer.Rect = QRect(at, layer.Image.size());
    layer.Transparent = transparent;
    layer.Visible = true;
    return layer;
}

PreviewLayer& CompositionContext::PlaceLabel(std::string_view name, const QString& text, const QFont& font,
                                             QRgb colour, QPoint at)
{
    PreviewLayer& layer = Layer(name);
    layer.Text = text;
    layer.Font = font;
    layer.TextColour = colour;
    layer.ShortcutMarks = true;
    layer.Rect = QRect(at, LabelSize(font, text, true));
    layer.Visible = true;
    return layer;
}

QSize CompositionContext::LabelSize(const QFont& font, const QString& text, bool shortcutMarks) const
{
    const QString shown = shortcutMarks ? withoutShortcutMarks(text) : text;
    return QSize(TextSize(font, shown).width(), LineHeight(font));
}

std::optional<PreviewScene> ComposePreview(TUisFile& document, const TPreviewSources& sources, QSize client,
                                           bool active, const CompositionOptions& options)
{
    if (!sources.PreviewAvailable)
        return std::nullopt;
    PreviewScene scene;
    scene.ClientSize = client;
    scene.Active = active;
    scene.Layers.reserve(kPreviewLayerNames.size());
    for (std::string_view name : kPreviewLayerNames) {
        PreviewLayer layer;
        layer.Name = std::string(name);
        layer.Kind = kindOf(name);
        layer.Font = desktopFont(desktop::WindowFont);
        scene.Layers.push_back(std::move(layer));
    }
    // The selection frame belongs to the title-bar buttons and shows only around one.
    scene.Layer("BevelButtonFrame").Visible = false;

    CompositionContext context{.Document = document,
                               .Sources = sources,
                               .Measure = options.Measure ? *options.Measure : TFontTextMeasure::Instance(),
                               .Scene = scene,
                               .LogoMode = options.LogoMode,
                               .Active = active,
                               .Version1p = document.FormatVersion() == UisType1p,
                               .CW = client.width(),
                               .CH = client.height(),
                               .CaptionFont = QFont()};
    ComposeFrame(context);
    ComposeDialog(context);
    return scene;
}

}  // namespace sw
