#include "wizards/ScratchPreviewForm.h"

#include "preview/WindowPlacement.h"
#include "wizards/ScratchCutter.h"
#include "wizards/TemplatePicture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace sw {

namespace {

constexpr int kZoom = 5;

}  // namespace

TScratchPreviewForm::TScratchPreviewForm(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("ScratchPreviewForm"));
    setWindowTitle(QStringLiteral("Template View"));
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("ImageTemplate"));
    canvas_->setMouseTracking(true);
    canvas_->setFocusPolicy(Qt::StrongFocus);
    canvas_->installEventFilter(this);
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setMinimumSize(1, 1);  // a tiny picture gets a tiny window
    scroller_->setWidget(canvas_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller_);
    markerPen_ = QPen(Qt::red, 1, Qt::DotLine);
    markerBrush_ = QBrush(Qt::red, Qt::BDiagPattern);
    loupe_ = new QLabel(this);
    loupe_->setObjectName(QStringLiteral("ZoomImage"));
    loupe_->setAttribute(Qt::WA_TransparentForMouseEvents);
    loupe_->hide();
    zoomTimer_ = new QTimer(this);
    zoomTimer_->setObjectName(QStringLiteral("ZoomTimer"));
    zoomTimer_->setInterval(5000);
    connect(zoomTimer_, &QTimer::timeout, this, &TScratchPreviewForm::ZoomTimerTimer);
}

bool TScratchPreviewForm::LoadPicture(const std::filesystem::path& file, std::string* error)
{
    TemplatePicture loaded = loadTemplatePicture(file);
    if (loaded.image.isNull()) {
        if (error)
            *error = loaded.error;
        return false;
    }
    formatName_ = loaded.formatName;
    SetPicture(loaded.image);
    show();
    keepOnScreen(this);
    return true;
}

void TScratchPreviewForm::SetPicture(const QImage& picture)
{
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    const QSize size = picture_.size().expandedTo(QSize(1, 1));
    canvas_->setFixedSize(size);
    // The client area takes the picture's size, unless the screen is smaller.
    QSize room = size;
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size() - QSize(40, 80);
        if (size.width() > available.width() || size.height() > available.height()) {
            room = size.boundedTo(available);
            // Scroll bars take room from the picture.
            room += QSize(scroller_->verticalScrollBar()->sizeHint().width(),
                          scroller_->horizontalScrollBar()->sizeHint().height());
            room = room.boundedTo(size + QSize(40, 40));
        }
    }
    setMaximumSize(size.expandedTo(room));
    resize(room);
    loupe_->hide();
    canvas_->update();
}

void TScratchPreviewForm::SetBorderMarkers(const BorderAreas& areas)
{
    borders_[0] = areas.left;
    borders_[1] = areas.right;
    borders_[2] = areas.top;
    borders_[3] = areas.bottom;
    canvas_->update();
}

void TScratchPreviewForm::SetBordersVisible(bool visible)
{
    bordersVisible_ = visible;
    canvas_->update();
}

void TScratchPreviewForm::SetMarkerLook(const QPen& pen, const QBrush& brush)
{
    markerPen_ = pen;
    markerBrush_ = brush;
    canvas_->update();
}

QRect TScratchPreviewForm::BorderMarker(int side) const
{
    return side >= 0 && side < 4 ? borders_[side] : QRect();
}

void TScratchPreviewForm::SetAreaDrawing(bool on)
{
    drawing_ = on;
    drag_ = Drag::None;
    canvas_->unsetCursor();
}

void TScratchPreviewForm::SetArea(const QRect& area, bool visible)
{
    area_ = area;
    areaVisible_ = visible;
    canvas_->update();
}

bool TScratchPreviewForm::TakeAreaChanged()
{
    return std::exchange(areaChanged_, false);
}

QSize TScratchPreviewForm::LoupeSize() const
{
    return {std::min(100, width() / 2), std::min(100, height() / 2)};
}

void TScratchPreviewForm::paintContent(QPainter& painter) const
{
    painter.drawImage(0, 0, picture_);
    if (bordersVisible_) {
        painter.setPen(markerPen_);
        painter.setBrush(markerBrush_);
        // Qt draws a rectangle's outline one pixel wider than its area; the marker
        // should cover exactly the pixels that are cut.
        for (const QRect& r : borders_)
            painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (areaVisible_) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
        painter.drawRect(area_.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(area_.adjusted(0, 0, -1, -1));
    }
}

bool TScratchPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != canvas_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(canvas_);
        paintContent(painter);
        return true;
    }
    case QEvent::MouseButtonPress:
        mousePress(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        mouseMove(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        mouseRelease();
        return true;
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent*>(event));
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TScratchPreviewForm::mousePress(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    if (picking_ && picture_.rect().contains(at)) {
        transparent_ = picture_.pixel(at) | 0xFF000000u;
        emit TransparentColourPicked(transparent_);
    }
    if (!drawing_)
        return;
    dragStart_ = at;
    if (areaVisible_ && area_.contains(at)) {
        drag_ = Drag::Move;
        areaAtStart_ = area_;
        canvas_->setCursor(Qt::SizeAllCursor);
    } else {
        drag_ = Drag::Resize;
        SetArea(QRect(at, QSize(0, 0)), true);
        areaChanged_ = true;
        emit AreaChanged(area_);
    }
}

void TScratchPreviewForm::mouseMove(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    zoomTimer_->stop();
    UpdateLoupe(at);
    if (drag_ == Drag::None)
        return;
    QRect area;
    if (drag_ == Drag::Move) {
        area = areaAtStart_.translated(at - dragStart_);
    } else {
        // The area grows from its first corner towards the cursor, either way.
        const int left = std::min(dragStart_.x(), at.x()), top = std::min(dragStart_.y(), at.y());
        area = QRect(left, top, std::abs(at.x() - dragStart_.x()), std::abs(at.y() - dragStart_.y()));
    }
    area.moveTo(std::max(area.left(), 0), std::max(area.top(), 0));
    SetArea(area, true);
    areaChanged_ = true;
    emit AreaChanged(area_);
}

void TScratchPreviewForm::mouseRelease()
{
    if (drag_ == Drag::None)
        return;
    drag_ = Drag::None;
    canvas_->unsetCursor();
    areaChanged_ = true;
    emit AreaChanged(area_);
}

bool TScratchPreviewForm::keyPress(QKeyEvent* event)
{
    // Arrow keys nudge the area by a pixel; with Shift they change its size.
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    default: return false;
    }
    if (!drawing_ || !areaVisible_)
        return false;
    QRect area = area_;
    if (event->modifiers() & Qt::ShiftModifier)
        area.setSize((area.size() + QSize(step.x(), step.y())).expandedTo(QSize(0, 0)));
    else
        area.translate(step);
    area.moveTo(std::max(area.left(), 0), std::max(area.top(), 0));
    SetArea(area, true);
    areaChanged_ = true;
    emit AreaChanged(area_);
    return true;
}

void TScratchPreviewForm::leaveEvent(QEvent*)
{
    zoomTimer_->start();
}

void TScratchPreviewForm::ZoomTimerTimer()
{
    zoomTimer_->stop();
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        loupe_->hide();
}

void TScratchPreviewForm::UpdateLoupe(QPoint cursor)
{
    const QSize size = LoupeSize();
    if (size.width() < kZoom || size.height() < kZoom || picture_.isNull()) {
        loupe_->hide();
        return;
    }
    // The window's content around the cursor, markers included.
    const QSize source(std::max(1, size.width() / kZoom), std::max(1, size.height() / kZoom));
    QImage content(source, QImage::Format_RGB32);
    content.fill(palette().window().color());
    {
        QPainter painter(&content);
        painter.translate(-(cursor.x() - source.width() / 2), -(cursor.y() - source.height() / 2));
        paintContent(painter);
    }
    QImage zoomed = content.scaled(source * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    zoomed = zoomed.copy(0, 0, size.width(), size.height());
    // The cross hair inverts what is under it, so it shows on any colour.
    const int cx = size.width() / 2, cy = size.height() / 2;
    for (int x = 0; x < size.width(); ++x)
        zoomed.setPixel(x, cy, ~zoomed.pixel(x, cy) | 0xFF000000u);
    for (int y = 0; y < size.height(); ++y)
        if (y != cy)
            zoomed.setPixel(cx, y, ~zoomed.pixel(cx, y) | 0xFF000000u);
    {
        QPainter painter(&zoomed);
        painter.setPen(QPen(markerPen_.color(), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    }
    loupe_->setPixmap(QPixmap::fromImage(zoomed));
    loupe_->resize(size);
    // In the corner opposite the cursor's quarter, 5 pixels in.
    const QPoint inWindow = canvas_->mapTo(this, cursor);
    const bool right = inWindow.x() < width() / 2, bottom = inWindow.y() < height() / 2;
    loupe_->move(right ? width() - size.width() - 5 : 5, bottom ? height() - size.height() - 5 : 5);
    loupe_->show();
    loupe_->raise();
}

}  // namespace sw
