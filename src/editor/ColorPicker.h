// The eyedropper: a frozen full-screen snapshot with a magnifier that follows the
// mouse; a left click picks the pixel under it, any other button or Escape cancels.
#pragma once

#include "document/UisFile.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QScreen;

namespace sw {

class TfrmPickColor : public QDialog {
    Q_OBJECT
public:
    // snapshot: the screen as it is when the picker opens.
    explicit TfrmPickColor(const QImage& snapshot, QWidget* parent = nullptr);

    // Shows the picker modally; true when a colour was picked.
    bool Execute();
    Colour PickedColour() const { return picked_; }

    // The magnifier for the cursor at (x, y), 86 x 55 pixels: the 9 x 9 pixels around
    // the cursor five times enlarged, a swatch and the three channel values.
    QImage Magnifier(int x, int y) const;
    // Takes the snapshot of the screen under the mouse, in device pixels (its device
    // pixel ratio set); a null image where the desktop does not let the screen be read.
    static QImage GrabScreen();
    static QScreen* ScreenUnderCursor();
    // Where the mouse is, in the widget's logical pixels, as the picker handles it.
    void MouseAt(int x, int y) { ImageMouseMove(x, y); }

    QLabel* DisplayImage;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ImageMouseMove(int x, int y);

    QImage snapshot_;
    Colour picked_ = 0;
};

}  // namespace sw
