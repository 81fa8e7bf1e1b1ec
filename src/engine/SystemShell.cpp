#include "engine/SystemShell.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>

namespace sw {

bool SystemShell::open(const QString& target, ShellVerb)
{
    // QDesktopServices needs the platform integration of a GUI application;
    // command-line runs have none.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(urlFor(target));
}

bool SystemShell::start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

}  // namespace sw
