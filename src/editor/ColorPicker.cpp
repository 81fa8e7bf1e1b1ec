#include "editor/ColorPicker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace sw {

namespace {

const QColor kButtonFace(192, 192, 192);

Colour toColour(QRgb rgb)
{
    return Colour(qRed(rgb) + qGreen(rgb) * 256 + qBlue(rgb) * 65536);
}

}  // namespace

QScreen* TfrmPickColor::ScreenUnderCursor()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

QImage TfrmPickColor::GrabScreen()
{
    // The grab has the screen's device pixels; its ratio says how many per logical one.
    QScreen* screen = ScreenUnderCursor();
    if (!screen)
        return {};
    const QPixmap grab = screen->grabWindow(0);
    QImage image = grab.toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(grab.devicePixelRatio());
    return image;
}

TfrmPickColor::TfrmPickColor(const QImage& snapshot, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), snapshot_(snapshot.convertToFormat(QImage::Format_RGB32))
{
    setObjectName(QStringLiteral("frmPickColor"));
    snapshot_.setDevicePixelRatio(snapshot.devicePixelRatio());
    // Over the screen it was taken of, in that screen's logical size.
    const QScreen* screen = ScreenUnderCursor();
    setGeometry(QRect(screen ? screen->geometry().topLeft() : QPoint(0, 0),
                      snapshot_.deviceIndependentSize().toSize()));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    DisplayImage = new QLabel(this);
    DisplayImage->setObjectName(QStringLiteral("DisplayImage"));
    DisplayImage->setFixedSize(86, 55);
    DisplayImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    DisplayImage->setPixmap(QPixmap::fromImage(Magnifier(-100, -100)));
}

bool TfrmPickColor::Execute()
{
    return exec() == QDialog::Accepted;
}

QImage TfrmPickColor::Magnifier(int x, int y) const
{
    QImage image(86, 55, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), QPoint(85, 54)), Qt::white);
    p.fillRect(QRect(QPoint(1, 1), QPoint(85, 54)), Qt::black);
    p.fillRect(QRect(QPoint(1, 1), QPoint(84, 53)), kButtonFace);
    p.fillRect(QRect(QPoint(4, 4), QPoint(50, 50)), Qt::black);
    p.fillRect(QRect(QPoint(55, 35), QPoint(80, 50)), Qt::black);
    // Five-fold zoom of the 9 x 9 pixels around the cursor; what lies outside the
    // snapshot stays black.
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx) {
            int sx = x - 4 + dx, sy = y - 4 + dy;
            if (sx < 0 || sy < 0 || sx >= snapshot_.width() || sy >= snapshot_.height())
                continue;
            p.fillRect(5 + dx * 5, 5 + dy * 5, 5, 5, QColor::fromRgb(snapshot_.pixel(sx, sy)));
        }
    QRgb picked = snapshot_.valid(x, y) ? snapshot_.pixel(x, y) : qRgb(0, 0, 0);
    p.fillRect(QRect(QPoint(56, 36), QPoint(79, 49)), QColor::fromRgb(picked));
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(Qt::white);
    p.drawLine(28, 20, 28, 35);
    p.drawLine(20, 28, 35, 28);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(Qt::black);
    const struct {
        const char* label;
        int value;
        int y;
    } lines[] = {{"R: ", qRed(picked), 6}, {"G: ", qGreen(picked), 15}, {"B: ", qBlue(picked), 24}};
    for (const auto& line : lines) {
        QRect box(55, line.y, 30, 9);
        p.fillRect(box, kButtonFace);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(line.label) + QString::number(line.value));
    }
    return image;
}

void TfrmPickColor::ImageMouseMove(int x, int y)
{
    // The mouse moves in logical pixels, the snapshot holds device pixels.
    const qreal ratio = snapshot_.devicePixelRatio();
    const int px = int(std::floor(x * ratio)), py = int(std::floor(y * ratio));
    if (snapshot_.valid(px, py))
        picked_ = toColour(snapshot_.pixel(px, py));
    // Below and right of the cursor, even where that runs off the screen.
    DisplayImage->move(x + 10, y + 10);
    DisplayImage->setPixmap(QPixmap::fromImage(Magnifier(px, py)));
}

void TfrmPickColor::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), snapshot_);
}

void TfrmPickColor::mouseMoveEvent(QMouseEvent* event)
{
    ImageMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TfrmPickColor::mousePressEvent(QMouseEvent* event)
{
    ImageMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
    if (event->button() == Qt::LeftButton)
        accept();
    else
        reject();
}

void TfrmPickColor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        reject();
}

}  // namespace sw
