// The skin editor's entry point: a batch verb runs without a window; anything else
// starts the editor.
#include "CommandLine.h"
#include "ReportingApplication.h"
#include "Screenshot.h"

#include "editor/AboutBox.h"
#include "mainwindow/MainForm.h"
#include "editor/WidgetPrompts.h"
#include "engine/ScopedService.h"
#include "mainwindow/PropertiesFormActions.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <iostream>

namespace {

bool displayAvailable()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = sw::runCommandLine(args, std::cout, std::cerr);
    if (code >= 0)
        return code;
    if (!displayAvailable()) {
        std::cerr << "skinwrt: no display is available to show the editor.\n"
                     "Use 'skinwrt render FILE -o OUT.png' to draw a preview without one.\n";
        return 2;
    }

    sw::ReportingApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skinwright"));
    sw::WidgetPrompts prompts;
    sw::ScopedService<sw::PromptService> installed(prompts);
    QStringList arguments = QApplication::arguments().mid(1);
    sw::TMainForm main(QString(), arguments);
    // The preferences live a layer above the main window, so they are connected here.
    sw::connectPropertiesActions(main);
    int exitCode = main.StartUp();
    if (exitCode >= 0)
        return exitCode;
    // SKINWRT_SCREENSHOT=out.png: a picture of the windows once they have settled, then
    // quit (for the documentation, and for looking at the editor on a machine without a
    // desktop). With SKINWRT_SCREENSHOT_ACTION naming one of the main window's actions,
    // that action runs first and the picture shows the window it opens, after the
    // buttons SKINWRT_SCREENSHOT_CLICKS names (object names, blank-separated) have been
    // clicked in it.
    const QString screenshot = qEnvironmentVariable("SKINWRT_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        std::function<void()> opening;
        if (const QString name = qEnvironmentVariable("SKINWRT_SCREENSHOT_ACTION"); !name.isEmpty()) {
            QAction* action = main.findChild<QAction*>(name);
            if (!action) {
                std::cerr << "skinwrt: SKINWRT_SCREENSHOT_ACTION names no action of the editor: "
                          << name.toLocal8Bit().constData() << "\n";
                return 2;
            }
            opening = [action] { action->trigger(); };
        }
        const QStringList clicks =
            qEnvironmentVariable("SKINWRT_SCREENSHOT_CLICKS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
        sw::scheduleScreenshot(&main, screenshot, opening, clicks);
    }
    main.show();
    // A new user has no engine folder yet: ./run points one at the bundled samples,
    // anyone else is asked where their skins should live.
    if (screenshot.isEmpty() && qEnvironmentVariableIsEmpty("SKINWRT_DEFAULT_ENGINE_FOLDER"))
        QTimer::singleShot(0, &main, [&main] { main.AskForEngineFolder(); });
#ifdef NDEBUG
    // The splash would stand in front of what the picture is for.
    if (screenshot.isEmpty())
        (new sw::TAboutBox(&main))->ShowAsSplash();
#endif
    return QApplication::exec();
}
