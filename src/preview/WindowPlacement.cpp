#include "preview/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace sw {

namespace {

constexpr int kGap = 8;
constexpr QSize kRoomyMain(1100, 760);
constexpr int kNarrowestMain = 720;

// Until the window manager has framed a window, its frame is only its inner rectangle.
bool framed(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

void fitNow(QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect fitted = fitInside(frame, availableArea(window));
    if (fitted != frame)
        setFrameGeometry(window, fitted);
}

// Fits the window once more when its frame becomes known: a fit made before then
// leaves the title bar out, and the window reaches past the bottom of the screen.
class FitWhenFramed : public QObject {
public:
    explicit FitWhenFramed(QWidget* window) : QObject(window)
    {
        setObjectName(QStringLiteral("FitWhenFramed"));
        window->installEventFilter(this);
    }

    // The frame's size arrives with no event of its own: any event after it will do.
    bool eventFilter(QObject* watched, QEvent*) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (framed(window)) {
            window->removeEventFilter(this);
            QTimer::singleShot(0, window, [window] { fitNow(window); });
            deleteLater();
        }
        return false;
    }
};

}  // namespace

QRect fitInside(QRect frame, const QRect& area)
{
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    return frame;
}

EditorPlaces arrangeEditorWindows(const QRect& area, QRect main, bool grow, QSize preview)
{
    preview = preview.boundedTo(area.size());
    const int column = preview.width() + kGap;
    if (grow) {
        int width = kRoomyMain.width();
        if (area.width() < width + column)
            width = std::max(kNarrowestMain, area.width() - column);
        main.setSize(QSize(width, kRoomyMain.height()));
    }
    main = fitInside(main, area);
    const auto roomRight = [&] { return area.right() - main.right() >= column; };
    const bool roomLeft = main.left() - area.left() >= column;
    // A main window given room makes way for the previews' column when it can.
    if (grow && !roomRight() && !roomLeft)
        main.moveLeft(area.left());
    int x = area.right() + 1 - preview.width();  // no room beside: at the area's right edge
    if (roomRight())
        x = main.right() + 1 + kGap;
    else if (roomLeft)
        x = main.left() - column;
    EditorPlaces places;
    places.main = main;
    const int top = std::max(area.top(), main.top());
    places.previews[0] = fitInside(QRect(QPoint(x, top), preview), area);
    places.previews[1] = fitInside(QRect(QPoint(x, places.previews[0].bottom() + 1 + kGap), preview), area);
    return places;
}

QRect availableArea(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void setFrameGeometry(QWidget* window, const QRect& frame)
{
    // The frame's margins are known once the window manager framed the window.
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                           outer.bottom() - inner.bottom());
    window->setGeometry(frame.marginsRemoved(margins));
}

void keepOnScreen(QWidget* window)
{
    fitNow(window);
    // A window without a frame never gets one: nothing to wait for.
    if (!framed(window) && !window->windowFlags().testFlag(Qt::FramelessWindowHint) &&
        !window->findChild<QObject*>(QStringLiteral("FitWhenFramed"), Qt::FindDirectChildrenOnly))
        new FitWhenFramed(window);
}

}  // namespace sw
