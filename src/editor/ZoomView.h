// The explorer's "Zoom" page: the area around the mouse pointer of one of the two
// previews, enlarged 2, 4 or 8 times with hard pixel edges. It copies from the
// preview's own picture, so it works offscreen and where the screen cannot be read.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

class QLabel;
class QFrame;
class QRadioButton;
class QSlider;
class QTimer;

namespace sw {

// The picture shown for a centre (cx, cy) of the source: the rectangle from
// (cx - W div d, cy - H div d) to (cx + W div d, cy + H div d), d = 4, 8 or 16 for
// ratio 0, 1 or 2, scaled to W x H by repeating pixels. Outside the source is black.
QImage zoomImage(const QImage& source, QPoint centre, QSize size, int ratio);

class TZoomViewPage : public QWidget {
    Q_OBJECT
public:
    explicit TZoomViewPage(QWidget* parent = nullptr);

    // The picture of the active (true) or inactive preview; nullptr when there is none.
    std::function<const QImage*(bool active)> PreviewPicture;

    // The mouse is at `at` over the active or inactive preview.
    void SetCentre(QPoint at, bool active);
    // Refreshing runs only while the page is shown.
    void Start();
    void Stop();
    void TimerZoomRefreshTimer();
    void ZoomSizeChange();
    void RadioGroupZoomRationClick();
    // Redraws done so far (a refresh that changes nothing does not draw).
    int Redraws() const { return redraws_; }
    const QImage& Picture() const { return picture_; }

    QLabel* ImageZoom;
    QFrame* BevelZoom;
    QSlider* TrackBarZoomSizeX;
    QSlider* TrackBarZoomSizeY;
    QRadioButton* RadioActive;
    QRadioButton* RadioInactive;
    QRadioButton* RadioRatio[3];
    QTimer* TimerZoomRefresh;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int ratio() const;

    QPoint centre_;
    QImage picture_;
    int redraws_ = 0;
    // What the picture was made from; a refresh with the same inputs does nothing.
    struct Inputs {
        QPoint centre;
        QSize size;
        int ratio = -1;
        bool active = true;
        qint64 source = 0;
        bool operator==(const Inputs&) const = default;
    } drawn_;
};

}  // namespace sw
