// The about box, also shown for a few seconds as the start-up splash.
#pragma once

#include <QDialog>

namespace sw {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the box without a frame over the parent; a click or the timer closes it.
    void ShowAsSplash();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace sw
