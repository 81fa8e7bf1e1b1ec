// Shared by the two halves of the composition (the frame, then the sample dialog):
// the document, the sources, the scene being built and the running values that
// carry from one step to the next.
#pragma once

#include "document/UisFile.h"
#include "preview/ClassicDesktop.h"
#include "preview/PreviewScene.h"
#include "preview/PreviewSources.h"
#include "preview/TextMeasure.h"

#include <QMargins>

namespace sw {

struct CompositionContext {
    TUisFile& Document;
    const TPreviewSources& Sources;
    const TTextMeasure& Measure;
    PreviewScene& Scene;
    int LogoMode;
    bool Active;
    bool Version1p;
    int CW, CH;  // client size

    // Running values.
    int LeftW = 0, RightW = 0, TopH = 0, BottomH = 0;
    int Y = 0;             // top of the content still to be placed
    int ScrollRight = 0;   // room taken on the right by the right edge and the vertical scroll bar
    int ScrollBottom = 0;  // room taken at the bottom
    bool Tabbed = false;
    QFont CaptionFont;

    PreviewLayer& Layer(std::string_view name) { return Scene.Layer(name); }

    // Places an image layer at a point; it takes its image's size.
    PreviewLayer& PlaceImage(std::string_view name, QPoint at, bool transparent);
    // Shows a one-line label with its own size at a point; "&" in its text marks a shortcut.
    PreviewLayer& PlaceLabel(std::string_view name, const QString& text, const QFont& font, QRgb colour, QPoint at);
    // The size of a label's text as shown.
    QSize LabelSize(const QFont& font, const QString& text, bool shortcutMarks) const;
    QSize TextSize(const QFont& font, const QString& text) const { return Measure.TextSize(font, text); }
    int LineHeight(const QFont& font) const { return Measure.LineHeight(font); }

    // An integer of the personality, kept within the classic desktop's 16-bit
    // coordinate range: no position, size, shift or count of the preview lies
    // outside it, and larger values from a damaged file would overflow the sums.
    int Integer(std::string_view section, std::string_view key, int def) { return Bounded(Document.ReadInteger(section, key, def)); }
    static int Bounded(int value) { return value < -32767 ? -32767 : value > 32767 ? 32767 : value; }
    bool Boolean(std::string_view section, std::string_view key, bool def) { return Document.ReadBool(section, key, def); }
    // A colour of the personality: COLOURS entry, else PERSONALITY name R, G, B.
    QRgb Named(std::string_view name, Colour def) { return toPixel(Document.NamedColour(name, def)); }
    // A colour from COLOURS only.
    QRgb FromColours(std::string_view name, Colour def) { return toPixel(Document.ReadColour("COLOURS", name, def)); }
};

void ComposeFrame(CompositionContext& context);
void ComposeDialog(CompositionContext& context);

}  // namespace sw
