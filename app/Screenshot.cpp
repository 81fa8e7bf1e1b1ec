#include "Screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <iostream>
#include <memory>
#include <optional>
#include <set>

namespace sw {

namespace {

std::set<QWidget*> visibleWindows()
{
    std::set<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !widget->windowFlags().testFlag(Qt::ToolTip) &&
            !(widget->windowType() == Qt::Popup))
            windows.insert(widget);
    return windows;
}

// The screen as it shows the program's windows, cut to the area they cover. A
// platform that cannot read the screen (offscreen) gets the windows drawn in their
// places instead, in the order the application lists them.
QPixmap pictureOfWindows(const std::set<QWidget*>& windows)
{
    QRect area;
    for (QWidget* window : windows)
        area |= window->frameGeometry();
    if (area.isEmpty())
        return {};
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QPixmap grabbed = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!grabbed.isNull())
            return grabbed;
    }
    QPixmap picture(area.size());
    picture.fill(Qt::black);
    QPainter painter(&picture);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (windows.count(window))
            painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    return picture;
}

// The window OPENING showed: a modal one if there is one, else the largest new one.
QWidget* openedWindow(const std::set<QWidget*>& before)
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && !before.count(modal))
        return modal;
    QWidget* largest = nullptr;
    for (QWidget* window : visibleWindows())
        if (!before.count(window) &&
            (!largest || window->width() * window->height() > largest->width() * largest->height()))
            largest = window;
    return largest;
}

}  // namespace

void scheduleScreenshot(QObject* context, const QString& file, std::function<void()> opening,
                        const QStringList& clicks, int delayMs)
{
    // Shared by the two timers: the windows open before OPENING ran.
    auto before = std::make_shared<std::optional<std::set<QWidget*>>>();
    if (opening)
        QTimer::singleShot(0, context, [before, opening] {
            *before = visibleWindows();
            opening();
        });
    QTimer::singleShot(delayMs, context, [before, file, clicks] {
        QPixmap picture;
        bool clicked = true;
        if (before->has_value()) {
            if (QWidget* window = openedWindow(**before)) {
                for (const QString& name : clicks) {
                    auto* button = window->findChild<QAbstractButton*>(name);
                    if (!button || !button->isEnabled()) {
                        std::cerr << "The screenshot's window has no button " << name.toLocal8Bit().constData()
                                  << " to click\n";
                        clicked = false;
                        break;
                    }
                    button->click();
                    QApplication::processEvents();
                }
                if (clicked)
                    picture = window->grab();
            }
        } else {
            picture = pictureOfWindows(visibleWindows());
        }
        const bool saved = clicked && !picture.isNull() && picture.save(file);
        if (!saved && clicked)
            std::cerr << "Unable to write the screenshot " << file.toLocal8Bit().constData()
                      << (picture.isNull() ? " (no window was open)" : "") << "\n";
        // A message box or a dialog may be waiting for an answer; it goes too.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isModal())
                window->close();
        // Queued as well: a nested loop or the main loop not yet started would miss it.
        const int code = saved ? 0 : 1;
        QApplication::exit(code);
        QMetaObject::invokeMethod(qApp, [code] { QApplication::exit(code); }, Qt::QueuedConnection);
    });
}

}  // namespace sw
