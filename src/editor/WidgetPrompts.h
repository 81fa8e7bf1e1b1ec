// The prompt service of the editor's windows: message boxes and the file dialogs.
#pragma once

#include "engine/PromptService.h"

namespace sw {

class WidgetPrompts : public PromptService {
public:
    PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const QString& caption, const QString& folder) override;
};

}  // namespace sw
