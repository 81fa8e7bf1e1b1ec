// The explorer's "Code" page: showing the working copy as text, applying the edited
// text back, the four status panels, find and replace, printing.
#include "editor/UISExplorerForm.h"

#include "document/UisFile.h"
#include "editor/CodeView.h"
#include "engine/EditorState.h"
#include "common/Latin1.h"
#include "editor/EditorHostWindow.h"
#include "editor/ReplaceDialog.h"
#include "engine/PromptService.h"

#include <QTimer>
#include <QLabel>
#include <QLayout>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>

#include <exception>

namespace sw {

namespace {

// The text as the page shows it: one line feed per line, whatever the file uses.
QString textOfBytes(const std::string& bytes)
{
    QString text = fromBytes(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The page's text as file bytes, with the line ends the file used.
std::string bytesOfText(const QString& text, bool crlf)
{
    QString copy = text;
    if (crlf)
        copy.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toBytes(copy);
}

}  // namespace

void TUISExplorerForm::buildCodePage(QWidget* sheet)
{
    CodeRichEdit = new TCodeView(sheet);
    sheet->layout()->addWidget(CodeRichEdit);
    connect(CodeRichEdit, &TCodeView::CodeModifiedChanged, this, [this](bool modified) {
        if (modified)
            PersonalityChange();
        else
            main_.UpdateModified();
    });
    connect(CodeRichEdit, &QPlainTextEdit::cursorPositionChanged, this, &TUISExplorerForm::CodeRichEditSelectionChange);
    connect(CodeRichEdit, &QPlainTextEdit::undoAvailable, this, [this] { main_.UpdateEditItems(); });
    connect(CodeRichEdit, &QPlainTextEdit::redoAvailable, this, [this] { main_.UpdateEditItems(); });
    connect(CodeRichEdit, &QPlainTextEdit::copyAvailable, this, [this] { main_.UpdateEditItems(); });
    const int widths[] = {40, 80, 100, 2000};
    for (int i = 0; i < 4; ++i) {
        codePanels_[i] = new QLabel;
        codePanels_[i]->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        codePanels_[i]->setMinimumWidth(i < 3 ? widths[i] : 0);
        codePanels_[i]->setFrameShape(QFrame::StyledPanel);
        StatusBar->addWidget(codePanels_[i], i < 3 ? 0 : 1);
        codePanels_[i]->hide();
    }
}

bool TUISExplorerForm::CodePageActive() const
{
    return PageControlViewSelector->currentWidget() == codeSheet_;
}

bool TUISExplorerForm::CodeModified() const
{
    return CodeRichEdit && CodeRichEdit->CodeModified();
}

void TUISExplorerForm::ShowCode()
{
    if (!document_)
        return;
    document_->UpdateFile();
    const std::string& bytes = document_->DiskBytes();
    codeCrlf_ = bytes.find("\r\n") != std::string::npos;
    CodeRichEdit->LoadText(textOfBytes(bytes));
    EditorState& state = editorState();
    state.CodeStale = false;
    main_.UpdateEditItems();
}

bool TUISExplorerForm::SaveCode(bool refresh)
{
    if (!document_ || !CodeModified())
        return true;
    // Typing and pasting are guarded; this keeps any other way in from writing "?".
    if (refuseOutsideLatin1(CodeRichEdit->toPlainText()))
        return false;
    const std::string bytes = bytesOfText(CodeRichEdit->toPlainText(), codeCrlf_);
    if (bytes != document_->DiskBytes()) {
        applyingCode_ = true;
        try {
            TIniFile::Unguarded direct(*document_);
            document_->ReplaceBytes(bytes);
        } catch (const std::exception& e) {
            // The page keeps the text and its mark: nothing typed is lost.
            applyingCode_ = false;
            prompts().message(QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), PromptIcon::Error,
                              PromptButtons::Ok);
            return false;
        }
        CodeRichEdit->MarkApplied();
        main_.NotifyModification(QStringLiteral("Edit Code"));
        if (refresh)
            RefreshFromDocument();
        else  // another change is on its way; the windows follow once it is made
            QTimer::singleShot(0, this, [this] {
                if (document_)
                    RefreshFromDocument();
            });
        applyingCode_ = false;
    } else {
        CodeRichEdit->MarkApplied();
        main_.UpdateModified();
    }
    return true;
}

void TUISExplorerForm::CodeFollowDocument()
{
    // Text typed and not yet applied is kept; it is applied when the page is left.
    if (CodePageActive() && !applyingCode_ && !CodeModified())
        ShowCode();
}

void TUISExplorerForm::PersonalityChange()
{
    EditorState& state = editorState();
    state.AnalysisStale = true;
    state.CodeStale = true;
    main_.UpdateModified();
    main_.UpdateEditItems();
}

void TUISExplorerForm::CodeRichEditSelectionChange()
{
    if (CodePageActive())
        UpdateStatusBar();
}

void TUISExplorerForm::UpdateStatusBar()
{
    if (!document_)
        return;
    const CodeCaretInfo info = codeCaretInfo(*CodeRichEdit->document(), CodeRichEdit->textCursor().position());
    const QString description =
        fromBytes(document_->AttributeDescriptionInContext(toBytes(info.section), toBytes(info.key)));
    codePanels_[0]->setText(caretPanelText(info));
    codePanels_[1]->setText(info.section);
    codePanels_[2]->setText(info.key);
    codePanels_[3]->setText(description);
    main_.ShowOtherPage(description);
}

void TUISExplorerForm::showCodePanels(bool shown)
{
    codePanelsShown_ = shown;
    if (shown)
        StatusBar->clearMessage();
    for (QLabel* panel : codePanels_)
        panel->setVisible(shown);
    if (!shown)
        StatusBar->showMessage(statusText_);
}

void TUISExplorerForm::enterCodePage()
{
    if (editorState().CodeStale && !CodeModified())
        ShowCode();
    showCodePanels(true);
    UpdateStatusBar();
    main_.CodePageShown(true);
}

void TUISExplorerForm::leaveCodePage()
{
    SaveCode();
    showCodePanels(false);
    if (replaceDialog_)
        replaceDialog_->hide();
    main_.CodePageShown(false);
}

void TUISExplorerForm::CodeFindReplace()
{
    if (!replaceDialog_) {
        replaceDialog_ = new TReplaceDialog(this);
        connect(replaceDialog_, &TReplaceDialog::Find, this, &TUISExplorerForm::CodeFindDialogFind);
        connect(replaceDialog_, &TReplaceDialog::Replace, this, &TUISExplorerForm::ReplaceDialogReplace);
        // The replace-all button makes the same single replacement.
        connect(replaceDialog_, &TReplaceDialog::ReplaceAll, this, &TUISExplorerForm::ReplaceDialogReplace);
    }
    const QString selected = CodeRichEdit->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        replaceDialog_->SetFindText(selected);
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

void TUISExplorerForm::CodeFindDialogFind()
{
    CodeRichEdit->FindNext(replaceDialog_->FindText());
}

void TUISExplorerForm::ReplaceDialogReplace()
{
    const QString text = replaceDialog_->FindText();
    if (!CodeRichEdit->ReplaceNext(text, replaceDialog_->ReplaceText()))
        prompts().message(QStringLiteral("Could not find \"") + text + QStringLiteral("\" in Memo1."),
                          QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
}

QString TUISExplorerForm::CodePrintTitle() const
{
    return QStringLiteral("Skinwright - ") + fromBytes(editorState().SkinName) + QStringLiteral(" code");
}

}  // namespace sw
