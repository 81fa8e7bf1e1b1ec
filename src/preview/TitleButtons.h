// The title-bar buttons of a preview: one picture layer per button section, loaded
// from the button's strip of frames (or drawn for text, plug-in and icon buttons),
// placed on the frame by the button's alignment and coordinates, and switched
// between its normal, pressed and hot frames as the mouse acts on it.
#pragma once

#include "document/BitmapDecoder.h"
#include "preview/PreviewScene.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class TUisFile;

// The frames of a button strip.
inline constexpr int kButtonNormal = 1, kButtonPressed = 2, kButtonHot = 3;

// The built-in pictures: the window's icon (Action 11) and the stand-in for a
// button bitmap that does not exist. Both 16 x 16, magenta where transparent.
QImage windowIconPicture();
QImage missingButtonPicture();

// The name of a plug-in: the file name part of its DllName up to its first ".".
std::string pluginName(std::string_view dllName);

// The button section of a number: "BUTTON0", "BUTTON1" ...
std::string buttonSection(int index);
// The button number of a layer name ("Button3" gives 3), or -1.
int buttonOfLayer(std::string_view layerName);

// What the placement of the buttons measures against.
struct ButtonFrame {
    int ClientWidth = 0;   // the right edge of ImageRight
    int ClientHeight = 0;
    int CaptionLeft = 0;   // the caption label's left and right sides
    int CaptionRight = 0;
    int XShift = 0;        // added to XCoord: the sizing frame for version 1p
};

ButtonFrame buttonFrame(const PreviewScene& scene, bool version1p);

// Where a button of that alignment and those coordinates lies; alignments outside
// the table leave it at `current`.
QPoint placeButton(int align, QPoint coordinates, const ButtonFrame& frame, QPoint current);
// The coordinates that place a button of that alignment at `topLeft` (the inverse of
// placeButton); nothing for alignments outside the table.
std::optional<QPoint> buttonCoordinates(int align, QPoint topLeft, const ButtonFrame& frame);

struct TitleButton {
    PreviewLayer Layer;   // "Button" + index, magenta transparent
    QImage Strip;         // the whole loaded strip; null for drawn buttons and the stand-in
    int FrameWidth = 0;   // the width of one frame of the strip
    int CombineOp = -1;
    QString Hint;
};

class TTitleButtons {
public:
    // Rebuilds the layers from the document. A button keeps the visible flag its index
    // had before; a button that is new since the previous load starts hidden. On the
    // first load of a document every button is visible.
    // The strips take their pixels from the budget when one is given.
    void Load(TUisFile& document, bool active, PixelBudget* budget = nullptr);
    // Forgets everything, as before the first load.
    void Clear();

    // Places every button by its Align, XCoord and YCoord, and renews CombineOp.
    void RePaint(TUisFile& document, const ButtonFrame& frame);
    // Shows frame `state` (kButtonNormal ...) of a button loaded from a strip and brings
    // it to the front. Buttons without a strip and states outside 1 to 3 are ignored.
    void ChangeState(int index, int state);
    void Show(int index);
    void Hide(int index);
    void BringToFront(int index);

    int Count() const { return int(buttons_.size()); }
    bool TripleImages() const { return triple_; }
    TitleButton& Button(int index) { return buttons_[std::size_t(index)]; }
    const TitleButton& Button(int index) const { return buttons_[std::size_t(index)]; }
    // Button numbers from the back to the front.
    const std::vector<int>& Order() const { return order_; }

    // Replaces the button layers and the selection frame in the scene: the buttons go
    // in front of every other layer; the frame, when `selected` is a button, lies right
    // behind it (and the button comes to the front).
    void AddTo(PreviewScene& scene, int selected, bool frameShown) const;

private:
    std::vector<TitleButton> buttons_;
    std::vector<int> order_;
    bool triple_ = false;
    bool active_ = true;
    bool loaded_ = false;
};

// Loads the buttons of a document, places them on a composed scene and puts them in
// front of its layers (the picture of a preview without a window).
void addTitleButtons(TUisFile& document, PreviewScene& scene, PixelBudget* budget = nullptr);

}  // namespace sw
