// A prompt service for tests: it records every message box and dialog shown and
// answers from a queue scripted beforehand, throwing UnexpectedPrompt when a prompt
// comes that the script did not foresee.
#pragma once

#include "engine/PromptService.h"

#include <deque>
#include <stdexcept>
#include <variant>
#include <vector>

namespace sw {

class UnexpectedPrompt : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct ShownPrompt {
    enum class Kind { Message, OpenFile, SaveFile, ChooseFolder };
    Kind kind = Kind::Message;
    QString text;     // messages only
    QString caption;  // messages and dialogs
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    FileDialogRequest dialog;  // open, save and folder dialogs (folder: caption and folder only)
};

class ScriptedPrompts : public PromptService {
public:
    // Queues the button pressed at the next message box.
    ScriptedPrompts& answer(PromptAnswer answer);
    // Queues the path chosen in the next file or folder dialog; empty means cancelled.
    ScriptedPrompts& choosePath(const QString& path);

    PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
    QString chooseFolder(const QString& caption, const QString& folder) override;

    // Everything shown so far, in order, including a prompt that made this throw.
    const std::vector<ShownPrompt>& shown() const { return shown_; }
    // Scripted answers not used yet.
    std::size_t pendingAnswers() const { return script_.size(); }

private:
    using Reply = std::variant<PromptAnswer, QString>;
    Reply nextReply(const ShownPrompt& prompt);
    QString dialog(ShownPrompt prompt);

    std::deque<Reply> script_;
    std::vector<ShownPrompt> shown_;
};

// One line describing a prompt, for failure messages.
QString describePrompt(const ShownPrompt& prompt);

}  // namespace sw
