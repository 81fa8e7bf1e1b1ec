#include "engine/FileActions.h"

#include "engine/PromptService.h"
#include "engine/Shell.h"

#include <QFileInfo>

namespace sw {

bool runFileAction(FileAction action, const QString& file, const QString& customEditor)
{
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        prompts().message(QStringLiteral("File not found: ") + file, QStringLiteral("Caution"), PromptIcon::Error,
                          PromptButtons::Ok);
        return false;
    }
    bool started = false;
    QString what;
    if (action == FileAction::CustomEditor && !customEditor.trimmed().isEmpty()) {
        // The program and the file go to the new process as separate arguments, so no
        // character of either is ever read as part of a command.
        started = shell().start(customEditor.trimmed(), {file});
        what = QStringLiteral("Unable to start ") + customEditor.trimmed() + QStringLiteral(" for ") + file;
    } else {
        started = shell().open(file, action == FileAction::Open ? ShellVerb::Open : ShellVerb::Edit);
        what = QStringLiteral("No program of the desktop could open ") + file;
    }
    if (!started)
        prompts().message(what, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
    return started;
}

}  // namespace sw
