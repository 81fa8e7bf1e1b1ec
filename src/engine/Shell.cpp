#include "engine/Shell.h"

#include "engine/SystemShell.h"

#include <QFileInfo>
#include <QProcess>

namespace sw {

namespace {

Shell* installedShell = nullptr;

}  // namespace

Shell::~Shell() = default;

bool Shell::startCommandLine(const QString& commandLine)
{
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    QString program = parts.takeFirst();
    return start(program, parts);
}

Shell& Shell::current()
{
    static SystemShell desktop;
    return installedShell ? *installedShell : desktop;
}

Shell* Shell::install(Shell* shell)
{
    Shell* previous = installedShell;
    installedShell = shell;
    return previous;
}

QUrl Shell::urlFor(const QString& target)
{
    QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

Shell& shell()
{
    return Shell::current();
}

QString shellVerbName(ShellVerb verb)
{
    return verb == ShellVerb::Edit ? QStringLiteral("Edit") : QStringLiteral("Open");
}

}  // namespace sw
