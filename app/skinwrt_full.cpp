// The skin editor's entry point: a batch verb runs without a window; anything else
// starts the editor.
#include "CommandLine.h"
#include "ReportingApplication.h"

#include "editor/AboutBox.h"
#include "editor/MainForm.h"
#include "editor/WidgetPrompts.h"
#include "engine/ScopedService.h"
#include "manage/PropertiesFormActions.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
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
    // SKINWRT_SCREENSHOT=out.png: take a picture of the whole screen once the windows
    // have settled, then quit (for looking at the editor on a machine without a desktop).
    QString screenshot = qEnvironmentVariable("SKINWRT_SCREENSHOT");
    if (!screenshot.isEmpty())
        QTimer::singleShot(2000, &main, [screenshot] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(screenshot);
            // A message box may be waiting for an answer; it goes too.
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isModal())
                    window->close();
            // Queued as well: the timer may fire before the main loop has started.
            QApplication::quit();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        });
    main.show();
    // A new user has no engine folder yet: ./run points one at the bundled samples,
    // anyone else is asked where their skins should live.
    if (screenshot.isEmpty() && qEnvironmentVariableIsEmpty("SKINWRT_DEFAULT_ENGINE_FOLDER"))
        QTimer::singleShot(0, &main, [&main] { main.AskForEngineFolder(); });
#ifdef NDEBUG
    (new sw::TAboutBox(&main))->ShowAsSplash();
#endif
    return QApplication::exec();
}
