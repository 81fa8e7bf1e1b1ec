// The picture window of the template-image wizard ("Template View"): shows the
// template picture 1:1 with the border markers and the area being drawn, picks the
// transparent colour, and shows a 5x loupe around the cursor.
#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QWidget>

#include <filesystem>
#include <string>

class QKeyEvent;
class QLabel;
class QScrollArea;
class QTimer;

namespace sw {

struct BorderAreas;

class TScratchPreviewForm : public QWidget {
    Q_OBJECT
public:
    explicit TScratchPreviewForm(QWidget* parent = nullptr);

    // Loads and shows the picture; returns false (and the reason) when it cannot be read.
    bool LoadPicture(const std::filesystem::path& file, std::string* error = nullptr);
    // Shows a picture already in memory (tests, the loader above).
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    // The picture's pixel format as its file gives it.
    const std::string& FormatName() const { return formatName_; }

    // The four border markers and their look.
    void SetBorderMarkers(const BorderAreas& areas);
    void SetBordersVisible(bool visible);
    bool BordersVisible() const { return bordersVisible_; }
    void SetMarkerLook(const QPen& pen, const QBrush& brush);
    QRect BorderMarker(int side) const;  // 0 left, 1 right, 2 top, 3 bottom

    // Transparency picking: a press takes the pixel under the cursor.
    void SetTransparencyPicking(bool on) { picking_ = on; }
    bool TransparencyPicking() const { return picking_; }
    QRgb TransparentColour() const { return transparent_; }
    void SetTransparentColour(QRgb colour) { transparent_ = colour; }

    // Area drawing: a press on the area moves it, elsewhere starts a new one; arrow
    // keys move it by a pixel, Shift+arrows change its size.
    void SetAreaDrawing(bool on);
    bool AreaDrawing() const { return drawing_; }
    void SetArea(const QRect& area, bool visible);
    QRect Area() const { return area_; }
    // Whether the area changed since the last call (the wizard's timer polls it).
    bool TakeAreaChanged();

    // The loupe (objectName ZoomImage) and what it shows.
    QLabel* Loupe() const { return loupe_; }
    QSize LoupeSize() const;
    // The widget the picture is drawn on, at 1:1 (objectName ImageTemplate); a picture
    // larger than the screen scrolls inside the window.
    QWidget* Canvas() const { return canvas_; }

signals:
    void TransparentColourPicked(QRgb colour);
    void AreaChanged(const QRect& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintContent(QPainter& painter) const;
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease();
    bool keyPress(QKeyEvent* event);
    void UpdateLoupe(QPoint cursor);
    void ZoomTimerTimer();

    QImage picture_;
    std::string formatName_;
    QRect borders_[4];
    bool bordersVisible_ = false;
    QPen markerPen_;
    QBrush markerBrush_;
    bool picking_ = false;
    QRgb transparent_ = 0xFFFF00FFu;
    bool drawing_ = false;
    QRect area_;
    bool areaVisible_ = false;
    bool areaChanged_ = false;
    enum class Drag { None, Resize, Move } drag_ = Drag::None;
    QPoint dragStart_;
    QRect areaAtStart_;
    QScrollArea* scroller_ = nullptr;
    QWidget* canvas_ = nullptr;
    QLabel* loupe_ = nullptr;
    QTimer* zoomTimer_ = nullptr;
};

}  // namespace sw
