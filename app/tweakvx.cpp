// The tweak tool's entry point: one window for the engine's hidden settings.
#include "ReportingApplication.h"

#include "editor/WidgetPrompts.h"
#include "engine/ScopedService.h"
#include "store/Version.h"
#include "tweak/MainForm.h"

#include <QApplication>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

const char* kHelp =
    "Usage: tweakvx [--help | --version]\n"
    "Opens the VX Tweak window: hidden switches of the Veneerix engine (vx.ini), the\n"
    "background and icon text colour of Explorer windows, the pictures of Explorer\n"
    "tool bars and the tool-bar synchronizer. \"OK\" and \"Apply\" store the settings\n"
    "and tell the running engine to reload.\n"
    "\n"
    "Environment: SKINWRT_REGISTRY_DIR (registry stand-in), WINDIR (folder of vx.ini),\n"
    "SKINWRT_ENGINE_CHANNEL (the engine's command channel).\n";

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::cout << kHelp;
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::cout << "tweakvx 1.0.0 (build 95), part of Skinwright " << sw::programVersion() << "\n";
            return 0;
        }
        std::cerr << "tweakvx: unknown argument " << argv[i] << "\n" << kHelp;
        return 2;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!(display && *display) && !(wayland && *wayland) && !(platform && *platform)) {
        std::cerr << "tweakvx: no display is available to show the window.\n";
        return 2;
    }
    sw::ReportingApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VX Tweak"));
    sw::WidgetPrompts prompts;
    sw::ScopedService<sw::PromptService> installed(prompts);
    sw::tweak::TMainForm window;
    // SKINWRT_SCREENSHOT=out.png: a picture of the window once it is laid out, then quit;
    // with "%1" in the name, one picture per page of the tree (for the documentation).
    const QString screenshot = qEnvironmentVariable("SKINWRT_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        window.show();
        QApplication::processEvents();
        if (!screenshot.contains(QLatin1String("%1")))
            return window.grab().save(screenshot) ? 0 : 1;
        auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("TreeView"));
        int shot = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            tree->setCurrentItem(*it);
            QApplication::processEvents();
            const QString name = QStringLiteral("%1-%2").arg(++shot, 2, 10, QLatin1Char('0')).arg((*it)->text(0));
            if (!window.grab().save(screenshot.arg(name).replace(QLatin1Char(' '), QLatin1Char('_'))))
                return 1;
        }
        return 0;
    }
    window.show();
    return QApplication::exec();
}
