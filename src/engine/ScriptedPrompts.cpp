#include "engine/ScriptedPrompts.h"

namespace sw {

namespace {

QString kindName(ShownPrompt::Kind kind)
{
    switch (kind) {
    case ShownPrompt::Kind::Message: return QStringLiteral("message");
    case ShownPrompt::Kind::OpenFile: return QStringLiteral("open dialog");
    case ShownPrompt::Kind::SaveFile: return QStringLiteral("save dialog");
    case ShownPrompt::Kind::ChooseFolder: return QStringLiteral("folder dialog");
    }
    return {};
}

[[noreturn]] void fail(const QString& why, const ShownPrompt& prompt)
{
    throw UnexpectedPrompt((why + QStringLiteral(": ") + describePrompt(prompt)).toStdString());
}

}  // namespace

QString describePrompt(const ShownPrompt& prompt)
{
    QString line = kindName(prompt.kind) + QStringLiteral(" captioned \"") + prompt.caption + QLatin1Char('"');
    if (prompt.kind == ShownPrompt::Kind::Message)
        line += QStringLiteral(" (") + promptIconName(prompt.icon) + QStringLiteral(", ") +
                promptButtonsName(prompt.buttons) + QStringLiteral("): \"") + prompt.text + QLatin1Char('"');
    else
        line += QStringLiteral(" in \"") + prompt.dialog.folder + QLatin1Char('"');
    return line;
}

ScriptedPrompts& ScriptedPrompts::answer(PromptAnswer answer)
{
    script_.emplace_back(answer);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::choosePath(const QString& path)
{
    script_.emplace_back(path);
    return *this;
}

ScriptedPrompts::Reply ScriptedPrompts::nextReply(const ShownPrompt& prompt)
{
    shown_.push_back(prompt);
    if (script_.empty())
        fail(QStringLiteral("No answer scripted for"), prompt);
    Reply reply = script_.front();
    bool isMessage = prompt.kind == ShownPrompt::Kind::Message;
    if (isMessage != std::holds_alternative<PromptAnswer>(reply))
        fail(isMessage ? QStringLiteral("A path was scripted for") : QStringLiteral("A button was scripted for"),
             prompt);
    if (isMessage && !offersAnswer(prompt.buttons, std::get<PromptAnswer>(reply)))
        fail(QStringLiteral("The scripted answer ") + promptAnswerName(std::get<PromptAnswer>(reply)) +
                 QStringLiteral(" is not a button of"),
             prompt);
    script_.pop_front();
    return reply;
}

PromptAnswer ScriptedPrompts::message(const QString& text, const QString& caption, PromptIcon icon,
                                      PromptButtons buttons)
{
    ShownPrompt prompt;
    prompt.text = text;
    prompt.caption = caption;
    prompt.icon = icon;
    prompt.buttons = buttons;
    return std::get<PromptAnswer>(nextReply(prompt));
}

QString ScriptedPrompts::dialog(ShownPrompt prompt)
{
    prompt.caption = prompt.dialog.caption;
    return std::get<QString>(nextReply(prompt));
}

QString ScriptedPrompts::openFile(const FileDialogRequest& request)
{
    return dialog({ShownPrompt::Kind::OpenFile, {}, {}, PromptIcon::None, PromptButtons::Ok, request});
}

QString ScriptedPrompts::saveFile(const FileDialogRequest& request)
{
    return dialog({ShownPrompt::Kind::SaveFile, {}, {}, PromptIcon::None, PromptButtons::Ok, request});
}

QString ScriptedPrompts::chooseFolder(const QString& caption, const QString& folder)
{
    FileDialogRequest request;
    request.caption = caption;
    request.folder = folder;
    return dialog({ShownPrompt::Kind::ChooseFolder, {}, {}, PromptIcon::None, PromptButtons::Ok, request});
}

}  // namespace sw
