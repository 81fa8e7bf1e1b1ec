// The main window's side of keeping an author's work: changes that cannot be written,
// text typed on the code page, a working copy left by a crash or touched by another
// program, and a personality that another program changed while it was open.
#include "mainwindow/MainForm.h"

#include "document/KeyMerge.h"
#include "document/UisFile.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "engine/EditorState.h"
#include "common/Latin1.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "engine/PromptService.h"
#include "store/FileBytes.h"
#include "store/LockedFile.h"
#include "store/StringOps.h"

#include <QTimer>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

const QString kChangedOnDisk = QStringLiteral("File changed on disk");

// The file's bytes, or nullopt when it cannot be read (gone, unreadable).
std::optional<std::string> bytesOnDisk(const std::string& path)
{
    try {
        std::error_code ec;
        if (!fs::is_regular_file(path, ec))
            return std::nullopt;
        return readFileBytes(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString workingCopyRewritten()
{
    return QStringLiteral("The working copy ") + fromBytes(editorState().WorkingCopyPath) +
           QStringLiteral(" was removed or changed by another program; it was written again from the editor's copy.");
}

QString readOnlyText()
{
    return QStringLiteral("Read-only: ") + fromBytes(editorState().DocumentPath) +
           QStringLiteral(" cannot be written. Use Save As to edit a copy.");
}

}  // namespace

bool TMainForm::beforeChange(TIniFile&)
{
    // The action that hit a failed write goes on, but changes nothing more: what it
    // did before the failure is put back once it is over.
    if (writeFailure_)
        return false;
    // A personality open for viewing is never changed; Save As makes an editable copy.
    if (editorState().ReadOnly) {
        if (explorer_)
            explorer_->ShowStatus(readOnlyText());
        return false;
    }
    // Text typed on the code page comes first, as one step of its own, so this change
    // is made on top of it instead of being overwritten when the page is left.
    if (explorer_ && explorer_->CodePageActive() && explorer_->CodeModified())
        return explorer_->SaveCode(false);
    return true;
}

void TMainForm::changeFailed(TIniFile&, const std::string& message)
{
    if (writeFailure_)
        return;
    writeFailure_ = fromBytes(message);
    QTimer::singleShot(0, this, &TMainForm::takeWriteFailure);
}

void TMainForm::takeWriteFailure()
{
    if (!writeFailure_)
        return;
    QString text = *writeFailure_ + QStringLiteral("\n\nThe change was not made.");
    if (explorer_ && explorer_->Document()) {
        try {
            history_->RevertUncommitted();
        } catch (const std::exception& error) {
            // Part of the action reached the file and cannot be taken back: keep the
            // history true to the file, as a step of its own.
            text = *writeFailure_ + QStringLiteral("\n\nThe change was made only in part, and putting the file back "
                                                   "failed too:\n") +
                   QString::fromLocal8Bit(error.what());
            writeFailure_.reset();
            history_->Commit(QStringLiteral("Partial Change"));
        }
    }
    writeFailure_.reset();
    prompts().message(text, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
    if (explorer_ && explorer_->Document()) {
        band_->TakeChange();  // what was typed is gone with the change
        EditorState& state = editorState();
        state.CodeStale = state.AnalysisStale = true;
        explorer_->RefreshFromDocument();
    }
    updateModified();
}

TMainForm::WorkingCopyStart TMainForm::askAboutLeftWorkingCopy()
{
    const EditorState& state = editorState();
    const std::optional<std::string> left = bytesOnDisk(state.WorkingCopyPath);
    const std::optional<std::string> file = bytesOnDisk(state.DocumentPath);
    // No working copy, or one that holds nothing the personality does not.
    if (!left || (file && *left == *file))
        return WorkingCopyStart::Fresh;
    switch (prompts().message(fromBytes(state.DocumentPath) +
                                  QStringLiteral(" has changes that were never saved (the editor that made them did "
                                                 "not close). Recover them?\n\nYes: open the personality with those "
                                                 "changes\nNo: discard them\nCancel: do not open it"),
                              QStringLiteral("Recover changes"), PromptIcon::Question, PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes: return WorkingCopyStart::Recover;
    case PromptAnswer::No: return WorkingCopyStart::Fresh;
    default: return WorkingCopyStart::Cancel;
    }
}

void TMainForm::showWorkingCopyRestores()
{
    TUisFile* document = explorer_ ? explorer_->Document() : nullptr;
    if (!document || document->OwnedCopyRestores() == seenRestores_)
        return;
    seenRestores_ = document->OwnedCopyRestores();
    explorer_->ShowStatus(workingCopyRewritten());
}

bool TMainForm::restoreWorkingCopy()
{
    const EditorState& state = editorState();
    TUisFile& document = *explorer_->Document();
    if (bytesOnDisk(state.WorkingCopyPath) == document.DiskBytes())
        return true;
    try {
        TIniFile::Unguarded direct(document);
        document.ReplaceBytes(std::string(document.DiskBytes()));
    } catch (const std::exception& error) {
        prompts().message(QStringLiteral("The working copy ") + fromBytes(state.WorkingCopyPath) +
                              QStringLiteral(" was changed or removed by another program and cannot be written "
                                             "again:\n") +
                              QString::fromLocal8Bit(error.what()) + QStringLiteral("\n") +
                              fromBytes(state.DocumentPath) + QStringLiteral(" was left as it was."),
                          QStringLiteral("Unable to save ") + fromBytes(state.SkinName), PromptIcon::Error,
                          PromptButtons::Ok);
        return false;
    }
    explorer_->ShowStatus(workingCopyRewritten());
    return true;
}

std::optional<std::string> TMainForm::mergeWithDisk(const std::string& theirs, const QString& cancelText)
{
    TUisFile& document = *explorer_->Document();
    KeyMergeResult merged = mergeKeyChanges(savedWorkingCopy_, document.DiskBytes(), theirs, true);
    if (!merged.conflicts.empty()) {
        const PromptAnswer answer = prompts().message(
            QStringLiteral("These values were changed both here and by the other program:\n\n") +
                fromBytes(describeConflicts(merged.conflicts)) +
                QStringLiteral("\nYes: keep the values made here\nNo: keep the other program's values\nCancel: ") +
                cancelText,
            kChangedOnDisk, PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return std::nullopt;
        if (answer == PromptAnswer::No)
            merged = mergeKeyChanges(savedWorkingCopy_, document.DiskBytes(), theirs, false);
    }
    return merged.bytes;
}

bool TMainForm::writePersonality()
{
    EditorState& state = editorState();
    TUisFile& document = *explorer_->Document();
    const std::optional<std::string> onDisk = bytesOnDisk(state.DocumentPath);
    bool keepBoth = false;
    if (onDisk && *onDisk != savedFile_) {
        const PromptAnswer answer = prompts().message(
            fromBytes(state.DocumentPath) +
                QStringLiteral(" was changed by another program since it was opened or last saved.\n\nYes: keep both "
                               "(the changes made here are made to the file as it is now, key by key)\nNo: "
                               "overwrite it with the version shown here\nCancel: do not save"),
            kChangedOnDisk, PromptIcon::Warning, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return false;
        keepBoth = answer == PromptAnswer::Yes;
    }
    std::string result = document.DiskBytes();
    if (keepBoth) {
        const std::optional<std::string> merged = mergeWithDisk(*onDisk, QStringLiteral("do not save"));
        if (!merged)
            return false;
        result = *merged;
    }
    // Under the file's lock: what another writer does meanwhile waits, and what it did
    // between the question and now is taken in the same way.
    LockedFile::Edit(state.DocumentPath, LockedFile::CreateWhenMissing, [&](LockedFile& file) {
        const std::string now = file.readAll(kMaxIniFileSize);
        if (keepBoth && now != *onDisk)
            result = mergeKeyChanges(savedWorkingCopy_, document.DiskBytes(), now, true).bytes;
        file.replace({tidySavedPersonality(result)}, true, kMaxIniFileSize);
    });
    if (result != document.DiskBytes()) {
        // The working copy takes in what the other program wrote, as one more step.
        TIniFile::Unguarded direct(document);
        document.ReplaceBytes(result);
        history_->Commit(QStringLiteral("Changes on Disk"));
    }
    return true;
}

void TMainForm::CheckOutsideChange()
{
    TUisFile* document = explorer_ ? explorer_->Document() : nullptr;
    if (!document || checkingOutside_ || writeFailure_)
        return;
    const EditorState& state = editorState();
    const std::optional<std::string> onDisk = bytesOnDisk(state.DocumentPath);
    if (!onDisk || *onDisk == savedFile_ || *onDisk == declinedFile_)
        return;
    checkingOutside_ = true;  // the question itself moves the focus
    const bool wasClean = history_->IsClean();
    const PromptAnswer answer = prompts().message(
        fromBytes(state.DocumentPath) +
            QStringLiteral(" was changed by another program.\n\nTake its changes into the editor? Changes made here "
                           "and not saved yet are kept."),
        kChangedOnDisk, PromptIcon::Question, PromptButtons::YesNo);
    std::optional<std::string> merged;
    if (answer == PromptAnswer::Yes)
        merged = mergeWithDisk(*onDisk, QStringLiteral("leave the editor as it is"));
    if (!merged) {
        declinedFile_ = *onDisk;
        checkingOutside_ = false;
        return;
    }
    try {
        TIniFile::Unguarded direct(*document);
        document->ReplaceBytes(*merged);
    } catch (const std::exception& error) {
        prompts().message(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                          PromptButtons::Ok);
        checkingOutside_ = false;
        return;
    }
    // The file as it is now is the new starting point of "what was saved".
    savedFile_ = *onDisk;
    savedWorkingCopy_ = *onDisk;
    history_->Commit(QStringLiteral("Changes on Disk"));
    if (wasClean && *merged == *onDisk)
        history_->MarkSaved();
    EditorState& shared = editorState();
    shared.CodeStale = shared.AnalysisStale = true;
    explorer_->RefreshFromDocument();
    updateModified();
    checkingOutside_ = false;
}

}  // namespace sw
