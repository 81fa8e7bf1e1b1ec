// The documentation's pictures: what they show, and that the program ends after them.
#include "Screenshot.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QWidget* window(QColor colour, QRect geometry)
{
    auto* widget = new QWidget;
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setGeometry(geometry);
    widget->show();
    return widget;
}

void closeAll()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    QApplication::processEvents();
}

// Without an action, the picture covers every window, each in its place.
TEST(Screenshot, EveryWindowInItsPlace)
{
    sw::test::TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "windows.png").string());
    QWidget* main = window(Qt::red, {10, 20, 200, 100});
    QWidget* second = window(Qt::blue, {310, 70, 100, 150});
    sw::scheduleScreenshot(main, file, {}, {}, 50);
    EXPECT_EQ(QApplication::exec(), 0);
    const QImage picture(file);
    // The area both windows cover, their frames included (where the platform has any).
    const QRect area = main->frameGeometry() | second->frameGeometry();
    ASSERT_EQ(picture.size(), area.size());
    ASSERT_GE(area.width(), 400);
    const QPoint origin = area.topLeft();
    EXPECT_EQ(picture.pixelColor(main->geometry().topLeft() - origin + QPoint(5, 5)), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(second->geometry().topLeft() - origin + QPoint(40, 30)), QColor(Qt::blue));
    EXPECT_EQ(picture.pixelColor(QPoint(350, 40) - origin), QColor(Qt::black)) << "no window there";
    closeAll();
}

// A dialog waiting in its own event loop; its button "Turn" makes it blue.
void runDialog(QWidget* parent, bool& returned)
{
    QDialog dialog(parent);
    dialog.setAutoFillBackground(true);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, Qt::green);
    dialog.setPalette(palette);
    dialog.resize(123, 45);
    auto* turn = new QPushButton(QStringLiteral("Turn"), &dialog);
    turn->setObjectName(QStringLiteral("Turn"));
    turn->setGeometry(100, 0, 23, 10);
    QObject::connect(turn, &QPushButton::clicked, &dialog, [&dialog] {
        QPalette blue = dialog.palette();
        blue.setColor(QPalette::Window, Qt::blue);
        dialog.setPalette(blue);
    });
    dialog.exec();
    returned = true;
}

// With an opening action, the picture is of the window it opened alone (after the
// clicks asked for), even while that window waits in its own event loop; the modal
// dialog is closed so the program can end. A button it lacks fails the picture.
TEST(Screenshot, TheWindowTheActionOpened)
{
    const struct {
        QStringList clicks;
        int exitCode;
        QColor colour;
    } cases[] = {
        {{}, 0, Qt::green},
        {{QStringLiteral("Turn")}, 0, Qt::blue},
        {{QStringLiteral("Turn"), QStringLiteral("NoSuchButton")}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks.join(QLatin1Char(' ')).toStdString());
        sw::test::TempDir dir;
        const QString file = QString::fromStdString((dir.path() / "dialog.png").string());
        QWidget* main = window(Qt::red, {0, 0, 300, 300});
        bool returned = false;
        sw::scheduleScreenshot(main, file, [main, &returned] { runDialog(main, returned); }, c.clicks, 50);
        EXPECT_EQ(QApplication::exec(), c.exitCode);
        EXPECT_TRUE(returned) << "the dialog was closed";
        const QImage picture(file);
        if (c.exitCode == 0) {
            ASSERT_EQ(picture.size(), QSize(123, 45));
            EXPECT_EQ(picture.pixelColor(60, 30), c.colour);
        } else {
            EXPECT_TRUE(picture.isNull()) << "no picture is written";
        }
        closeAll();
    }
}

// A picture that cannot be written ends the program with 1.
TEST(Screenshot, UnwritableFileFails)
{
    sw::test::TempDir dir;
    const QString file = QString::fromStdString((dir.path() / "no-such-folder" / "x.png").string());
    QWidget* main = window(Qt::red, {0, 0, 50, 50});
    sw::scheduleScreenshot(main, file, {}, {}, 50);
    EXPECT_EQ(QApplication::exec(), 1);
    closeAll();
}

}  // namespace
