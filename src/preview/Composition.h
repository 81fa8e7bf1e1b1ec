// The composition of the preview: from a personality, its loaded source bitmaps, a
// client size and the active flag, the stack of layers that shows the personality as
// a skinned dialog window. A pure function: same input, same layers.
#pragma once

#include "preview/PreviewScene.h"

#include <QSize>

#include <optional>

namespace sw {

class TUisFile;
class TPreviewSources;
class TTextMeasure;

struct CompositionOptions {
    int LogoMode = 1;                     // editor setting: 1 author line, 2 author logo, else neither
    const TTextMeasure* Measure = nullptr;  // how texts are measured; the fonts themselves when null
};

// Nothing (std::nullopt) while the sources have no preview (see TPreviewSources).
// Fonts and the banner need a running Qt GUI application (QGuiApplication or
// QApplication; the offscreen platform will do).
// The layers are those of kPreviewLayerNames, in that order; the title-bar buttons
// and the selection frame's place in front of them are added by their own code.
std::optional<PreviewScene> ComposePreview(TUisFile& document, const TPreviewSources& sources, QSize client,
                                           bool active, const CompositionOptions& options = {});

}  // namespace sw
