// "Fine Tune Color": three sliders that adjust a colour channel by channel. The
// result is the colour shown, whichever button closes the dialog.
#pragma once

#include "document/UisFile.h"

#include <QDialog>

class QFrame;
class QLabel;
class QSlider;

namespace sw {

class TFormFineTuneColor : public QDialog {
    Q_OBJECT
public:
    explicit TFormFineTuneColor(Colour start, QWidget* parent = nullptr);

    Colour colour() const;

    QSlider* TrackBarRed;
    QSlider* TrackBarGreen;
    QSlider* TrackBarBlue;
    QLabel* LabelColorValueRed;
    QLabel* LabelColorValueGreen;
    QLabel* LabelColorValueBlue;
    QFrame* ShapeRed;
    QFrame* ShapeGreen;
    QFrame* ShapeBlue;
    QFrame* ShapeColorPreview;

private:
    void TrackBarChange();
};

// Paints a swatch frame in a colour given as red + green * 256 + blue * 65536.
void paintSwatch(QFrame* swatch, Colour colour);

}  // namespace sw
