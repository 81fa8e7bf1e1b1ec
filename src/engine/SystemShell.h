// The desktop's own shell: QDesktopServices opens files and addresses, QProcess
// starts programs detached from this one.
#pragma once

#include "engine/Shell.h"

namespace sw {

class SystemShell : public Shell {
public:
    // Both verbs open with the associated program; the desktop services know no
    // separate "Edit". Needs a GUI application object; without one, false.
    bool open(const QString& target, ShellVerb verb = ShellVerb::Open) override;
    bool start(const QString& program, const QStringList& arguments) override;
};

}  // namespace sw
