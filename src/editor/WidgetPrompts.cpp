#include "editor/WidgetPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>

namespace sw {

namespace {

QMessageBox::StandardButtons standardButtons(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case PromptButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

PromptAnswer answerOf(int button, PromptButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Retry: return PromptAnswer::Retry;
    case QMessageBox::Abort: return PromptAnswer::Abort;
    case QMessageBox::Ignore: return PromptAnswer::Ignore;
    default: return cautiousAnswer(buttons);
    }
}

QMessageBox::StandardButton buttonOf(PromptAnswer answer)
{
    switch (answer) {
    case PromptAnswer::Ok: return QMessageBox::Ok;
    case PromptAnswer::Cancel: return QMessageBox::Cancel;
    case PromptAnswer::Yes: return QMessageBox::Yes;
    case PromptAnswer::No: return QMessageBox::No;
    case PromptAnswer::Retry: return QMessageBox::Retry;
    case PromptAnswer::Abort: return QMessageBox::Abort;
    case PromptAnswer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

PromptAnswer WidgetPrompts::message(const QString& text, const QString& caption, PromptIcon icon,
                                    PromptButtons buttons)
{
    // The program's texts break lines with "\n" and sometimes a lone "\r".
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(boxIcon(icon), caption, shown, standardButtons(buttons), QApplication::activeWindow());
    // Escape gives the answer that changes nothing (Qt would take "No" of Yes/No/Cancel
    // boxes otherwise, and "No" may mean "discard").
    if (QAbstractButton* cautious = box.button(buttonOf(cautiousAnswer(buttons))))
        box.setEscapeButton(cautious);
    return answerOf(box.exec(), buttons);
}

namespace {

QString runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.folder);
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                 : QString();
}

}  // namespace

QString WidgetPrompts::openFile(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString WidgetPrompts::saveFile(const FileDialogRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

QString WidgetPrompts::chooseFolder(const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, folder);
}

}  // namespace sw
