// The desktop's shell as the programs use it: opening a file, folder or web address
// with its associated program ("Open" and "Edit"), and starting outside programs.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace sw {

enum class ShellVerb { Open, Edit };

class Shell {
public:
    virtual ~Shell();

    // Opens a file or folder path, or an address with a scheme ("https:", "mailto:").
    // False when the desktop could not open it.
    virtual bool open(const QString& target, ShellVerb verb = ShellVerb::Open) = 0;
    // Starts a program without waiting for it. False when it could not be started
    // (a missing program, for one).
    virtual bool start(const QString& program, const QStringList& arguments) = 0;

    // Starts a command line: the program and its arguments separated by blanks, a
    // part holding blanks in double quotes ("\"C:\Tools\ed.exe\" \"C:\My skin\a.bmp\"").
    // False for an empty command line.
    bool startCommandLine(const QString& commandLine);

    // The installed shell, else the desktop's own (SystemShell).
    static Shell& current();
    // Installs a shell (nullptr puts the desktop's back) and returns the previous one.
    static Shell* install(Shell* shell);

    // The address a target stands for: itself when it has a scheme of two or more
    // letters, else the local file, made absolute (so "C:\x" stays a file).
    static QUrl urlFor(const QString& target);
};

// Short for Shell::current().
Shell& shell();

QString shellVerbName(ShellVerb verb);

}  // namespace sw
