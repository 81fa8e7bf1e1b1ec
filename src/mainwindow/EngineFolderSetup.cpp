// The first-use question: where the skins an author makes are kept.
#include "mainwindow/MainForm.h"

#include "engine/EditorState.h"
#include "engine/Engine.h"
#include "engine/PromptService.h"
#include "store/FileBytes.h"

#include <QDir>

namespace sw {

namespace fs = std::filesystem;

bool TMainForm::AskForEngineFolder()
{
    if (Engine::folderIsSet())
        return true;
    const fs::path proposed = Engine::proposedFolder();
    const QString shown = QDir::toNativeSeparators(QString::fromLocal8Bit(proposed.string().c_str()));
    fs::path chosen;
    switch (prompts().message(QStringLiteral("Skinwright keeps your skins in the engine folder, and none is set "
                                             "yet.\n\nKeep them in ") +
                                  shown +
                                  QStringLiteral("?\n\nYes: use that folder (it is created when missing)\nNo: choose "
                                                 "another folder\nCancel: not now (you can set it later in "
                                                 "Preferences, Tweak VX)"),
                              QStringLiteral("Engine folder"), PromptIcon::Question, PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes: chosen = proposed; break;
    case PromptAnswer::No: {
        const QString folder = prompts().chooseFolder(QStringLiteral("Engine folder"), shown);
        if (folder.isEmpty())
            return false;
        chosen = fs::path(QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
        break;
    }
    default: return false;
    }
    std::string problem = createFolders(chosen);
    if (problem.empty() && !Engine::setFolder(chosen))
        problem = "Unable to store the engine folder " + chosen.string();
    if (!problem.empty()) {
        prompts().message(QString::fromLocal8Bit(problem.c_str()), QStringLiteral("Engine folder"), PromptIcon::Error,
                          PromptButtons::Ok);
        return false;
    }
    editorState().EngineFolder = chosen.string();
    return true;
}

}  // namespace sw
