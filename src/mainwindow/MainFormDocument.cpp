// The main window's document life cycle: the recent list, open, save, save as, close,
// new skins and the changes since the last save.
#include "common/Latin1.h"
#include "mainwindow/MainForm.h"

#include "document/AuthorDefaults.h"
#include "document/FileReference.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "common/CodeStyles.h"
#include "editor/CodeView.h"
#include "document/LineDiff.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "engine/EditorState.h"
#include "editor/FindForm.h"
#include "editor/FormChanges.h"
#include "common/FormFilename.h"
#include "editor/FrmLayers.h"
#include "common/GlyphList.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/FolderChange.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "mainwindow/ManageCommands.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "preview/WindowPlacement.h"
#include "store/AcceleratedIniFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"
#include "store/StringOps.h"
#include "store/Version.h"
#include "wizards/NewSkinForm.h"
#include "wizards/NewSkinfromAScratchForm.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <cstdio>
#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

const char* kOpenFilter = "User Interface Files|*.uis;*.sss|Bitmap File|*.bmp|All files|*.*";

}  // namespace

void TMainForm::LoadRecentList()
{
    int maxRecent = maxRecentEntries(*settings_);
    std::vector<RecentEntry> entries = loadRecentList(*settings_, maxRecent);
    for (int i = 0; i < 10; ++i) {
        bool shown = i < int(entries.size()) && !entries[std::size_t(i)].name.empty();
        recentItems_[i]->setVisible(shown);
        if (!shown)
            continue;
        // The folder tells apart skins of the same name.
        const QString file = QDir::toNativeSeparators(fromBytes(entries[std::size_t(i)].file));
        QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
        if (folder.size() > 64)
            folder = QStringLiteral("\u2026") + folder.right(63);
        recentItems_[i]->setText(QStringLiteral("&") + QString::number(i) + QStringLiteral(" ") +
                                 fromBytes(entries[std::size_t(i)].name).replace(QLatin1Char('&'), QStringLiteral("&&")) +
                                 QStringLiteral("  (") + folder + QStringLiteral(")"));
        recentItems_[i]->setStatusTip(file);
    }
}

void TMainForm::SaveRecentList()
{
    // The name the file on disk has: an unsaved or discarded rename is not recorded.
    const EditorState& state = editorState();
    std::string name = "Untitled";
    std::error_code ec;
    if (!fs::is_regular_file(state.DocumentPath, ec))
        return;
    try {
        if (auto saved = ProfileFile(state.DocumentPath).readValue("TITLEBARSKIN", "SkinName"); saved && !saved->empty())
            name = *saved;
    } catch (const std::exception&) {
        return;  // a file that cannot be read is no entry for the list
    }
    saveRecentList(*settings_, maxRecentEntries(*settings_), name, state.DocumentPath);
}

void TMainForm::RecentItemClick(int index)
{
    std::string file = settings_->ReadString("RecentlyUsed", "RecentFile" + intToStr(index), "SW$Non$Existent");
    if (file == "SW$Non$Existent")
        return;
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        // The entry names a file that is gone: say so, and keep the list honest.
        prompts().message(QStringLiteral("File not found."), QStringLiteral("Caution"), PromptIcon::Error,
                          PromptButtons::Ok);
        removeRecentEntry(*settings_, maxRecentEntries(*settings_), index);
        LoadRecentList();
        return;
    }
    OpenFileName = fromBytes(file);
    FileOpenRoutine();
}

void TMainForm::FileOpenItemClick()
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.folder = fromBytes(editorState().EngineFolder);
    request.filter = QString::fromLatin1(kOpenFilter);
    request.defaultSuffix = QStringLiteral("uis");
    QString file = prompts().openFile(request);
    if (file.isEmpty())
        return;
    OpenFileName = file;
    FileOpenRoutine();
}

void TMainForm::FileOpenCurrentVXSkinClick()
{
    if (!Engine::installed(true))
        return;
    OpenFileName = fromBytes(Engine::currentPersonality());
    FileOpenRoutine();
}

void TMainForm::FileSetThisSkinCurrentItemClick()
{
    if (editorState().DocumentReady)
        Engine::applyPersonality(editorState().DocumentPath);
}

bool TMainForm::destroyExplorer()
{
    // Cancelled by the author (an edited script): everything stays open as it was.
    if (!explorer_->Close())
        return false;
    if (centralWidget() == explorer_)
        takeCentralWidget();
    band_->Reset();
    sizeBar_->Forget();
    history_->Attach(nullptr);
    delete explorer_;
    explorer_ = nullptr;
    workingCopyLock_.reset();
    viewCopyFolder_.reset();
    editorState().ReadOnly = false;
    setWindowTitle(QStringLiteral("Skinwright"));
    return true;
}

bool TMainForm::lockWorkingCopy()
{
    const EditorState& state = editorState();
    auto lock = std::make_unique<QLockFile>(fromBytes(state.WorkingCopyPath) + QStringLiteral(".lock"));
    // Held for as long as the document is open, however long that is; a lock left by
    // an editor that crashed is recognised by its dead process and taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        const QString reason = lock->error() == QLockFile::LockFailedError
                                   ? QStringLiteral("It is already open in another Skinwright window; close it there "
                                                    "first.")
                                   : QStringLiteral("Its folder cannot be written.");
        prompts().message(QStringLiteral("Unable to open ") + fromBytes(state.DocumentPath) + QStringLiteral("\n\n") +
                              reason,
                          QStringLiteral("Personality in use"), PromptIcon::Error, PromptButtons::Ok);
        return false;
    }
    workingCopyLock_ = std::move(lock);
    return true;
}

void TMainForm::rememberSavedState()
{
    const EditorState& state = editorState();
    TUisFile* document = explorer_ ? explorer_->Document() : nullptr;
    savedWorkingCopy_ = document ? document->DiskBytes() : std::string();
    try {
        savedFile_ = readFileBytes(state.DocumentPath);
    } catch (const std::exception&) {
        savedFile_.clear();
    }
}

void TMainForm::FileOpenRoutine()
{
    EditorState& state = editorState();
    // Nothing is closed for a file that cannot be opened.
    std::error_code ec;
    if (!fs::is_regular_file(toBytes(OpenFileName), ec)) {
        prompts().message(QStringLiteral("Unable to open ") + OpenFileName +
                              QStringLiteral("\n\nThere is no such file."),
                          QStringLiteral("File not found"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    if ((state.DocumentOpen || explorer_) && !FileCloseItemClick())
        return;
    setDocumentPaths(state, toBytes(OpenFileName));
    // A personality that cannot be written is opened for viewing, its working copy kept
    // in a folder of the editor's own. A file or folder without write permission counts
    // as read-only even for the administrator, who could write it anyway.
    const auto writable = [](const QString& path) {
        const QFileInfo info(path);
        return info.isWritable() &&
               (info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
    };
    state.ReadOnly = !writable(OpenFileName) || !writable(fromBytes(state.SkinFolder));
    if (state.ReadOnly) {
        viewCopyFolder_ = std::make_unique<QTemporaryDir>();
        if (!viewCopyFolder_->isValid()) {
            prompts().message(QStringLiteral("Unable to open ") + OpenFileName +
                                  QStringLiteral(" for viewing\n\nNo temporary folder could be made: ") +
                                  viewCopyFolder_->errorString(),
                              QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
            viewCopyFolder_.reset();
            state.ReadOnly = false;
            return;
        }
        state.WorkingCopyPath = toBytes(viewCopyFolder_->filePath(QString::fromLatin1(kWorkingCopyName)));
    }
    // Another editor working on this personality owns the working copy: copying over
    // it would throw that editor's changes away.
    if (!state.ReadOnly && !lockWorkingCopy())
        return;
    // A working copy found now was left by an editor that did not close, with the
    // only copy of its edits: it is replaced only when the author says so.
    const WorkingCopyStart start = state.ReadOnly ? WorkingCopyStart::Fresh : askAboutLeftWorkingCopy();
    if (start == WorkingCopyStart::Cancel) {
        workingCopyLock_.reset();
        return;
    }
    std::string opened;
    try {
        opened = readFileBytes(state.DocumentPath);
    } catch (const std::exception&) {
    }
    if (start == WorkingCopyStart::Fresh && !copyFileAtomically(state.DocumentPath, state.WorkingCopyPath)) {
        workingCopyLock_.reset();
        viewCopyFolder_.reset();
        state.ReadOnly = false;
        prompts().message(QStringLiteral("Unable to create temporary file"), QStringLiteral("Fatal Error"),
                          PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    // The frame starts as a strip of menus and tool bars; an open personality needs room,
    // and the previews a place beside it.
    if (height() < 480 && !isMaximized() && !isFullScreen())
        setFrameGeometry(this, arrangeEditorWindows(availableArea(this), frameGeometry(), true, kPreviewSize).main);
    explorer_ = new TUISExplorerForm(*this);
    bool loaded = explorer_->Load();
    if (!loaded || !state.DocumentOpen) {
        destroyExplorer();
        return;
    }
    TUisFile& opening = *explorer_->Document();
    opening.SetOwnedCopy(true);
    opening.SetChangeGuard(this);
    seenRestores_ = 0;
    declinedFile_.clear();
    writeFailure_.reset();
    if (start == WorkingCopyStart::Recover) {
        history_->AttachRecovered(&opening, opened, QStringLiteral("Recover Changes"));
        savedWorkingCopy_ = savedFile_ = opened;
    } else {
        history_->Attach(&opening);
        rememberSavedState();
    }
    setCentralWidget(explorer_);
    TUisFile& document = *explorer_->Document();
    if (document.SectionExists("PERSONALITY")) {
        Action(QStringLiteral("WindowPreviewItem"))->setChecked(true);
        Action(QStringLiteral("ToolButtonPreview"))->setChecked(true);
    }
    explorer_->SetPreviewsOnTop(Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->isChecked());
    int version = document.FormatVersion();
    SetDocumentState(true);
    updateTitle();
    explorer_->SelectRoot();
    // The clean message only for a clean skin: what is wrong is said in one line.
    QString status = QStringLiteral("File successfully loaded");
    if (version != 0) {
        const std::string summary = findingsSummary(validate(document));
        if (!summary.empty())
            status = QStringLiteral("File loaded: ") + fromBytes(summary) + QStringLiteral(" \u2014 see Analyze");
    }
    if (state.ReadOnly)
        status = QStringLiteral("Opened for viewing only: ") + OpenFileName +
                 QStringLiteral(" cannot be written. Use Save As to edit a copy.");
    explorer_->ShowStatus(status);
    ToolBarValueEditor->setVisible(true);
    band_->setEnabled(!state.ReadOnly);
    menuInsert_->setEnabled(!state.ReadOnly);
    ShowOtherPage(status);
    ToolBarPreview->setVisible(version == UisType2 || version == UisType1p);
    UpdateToolbarTextVisibility();
}

void TMainForm::FileSave()
{
    if (!explorer_ || !explorer_->Document() || editorState().ReadOnly)
        return;
    EditorState& state = editorState();
    if (band_->TakeChange())
        explorer_->ReloadPreviews();
    // What was typed on the code page is applied first, so the file holds it.
    if (!explorer_->SaveCode())
        return;
    const QString failedCaption = QStringLiteral("Unable to save ") + fromBytes(state.SkinName);
    // Someone removed or changed the working copy: it is written again from the
    // document, which holds every edit.
    if (!restoreWorkingCopy())
        return;  // the document stays open and modified
    TUisFile& document = *explorer_->Document();
    try {
        TIniFile::Unguarded direct(document);
        document.WriteString("TITLEBARSKIN", "Generator",
                             "Skinwright ver " + programVersion() + ", Build " + intToStr(programBuild()) + "  - " +
                                 kProductSite);
        document.WriteInteger("TITLEBARSKIN", "VXVer", state.VersionStamp);
        // The working copy already holds every edit: it is written through on each change.
        if (!writePersonality()) {
            history_->Rebase();
            return;  // cancelled: the document stays open and modified
        }
    } catch (const std::exception& error) {
        // The box names the file and says why.
        prompts().message(QStringLiteral("Skinwright failed to save personality file") + QStringLiteral("\n\n") +
                              QString::fromLocal8Bit(error.what()),
                          failedCaption, PromptIcon::Error, PromptButtons::Ok);
        history_->Rebase();
        return;  // the document stays open and modified
    }
    history_->MarkSaved();
    rememberSavedState();
    updateModified();
    explorer_->ShowStatus(QStringLiteral("Saved ") + fromBytes(state.DocumentPath));
}

void TMainForm::FileSaveAs()
{
    if (!explorer_ || !explorer_->Document() || !explorer_->SaveCode())
        return;
    EditorState& state = editorState();
    std::string proposed = proposedSaveAsName(state.DocumentPath);
    TFormFilename prompt(fromBytes(proposed), fromBytes(state.SkinName), this);
    bool ok = prompt.exec() == QDialog::Accepted;
    state.SkinName = toBytes(prompt.name());
    if (!ok)
        return;
    const std::string newName = toBytes(prompt.fileName().trimmed());
    if (!isPlainFolderName(newName)) {
        prompts().message(QStringLiteral("\"") + fromBytes(newName) +
                              QStringLiteral("\" cannot be the name of a personality folder: use a name without "
                                             "slashes, backslashes or \"..\"."),
                          QStringLiteral("Save As"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    // The copy goes into the engine folder; without one, beside the personality.
    std::error_code ec;
    // A folder the user set is made again when it went missing; a guessed one is not.
    const bool engineFound = !state.EngineFolder.empty() &&
                             (fs::is_directory(state.EngineFolder, ec) ||
                              (Engine::folderIsSet() && createFolders(state.EngineFolder).empty()));
    const fs::path root = engineFound ? fs::path(state.EngineFolder) : fs::path(state.SkinsRoot);
    const fs::path folder = root / newName;
    const fs::path target = folder / (newName + ".uis");
    const QString failedCaption = QStringLiteral("Unable to save ") + fromBytes(state.SkinName);
    // Another skin's folder is only written into when the author says so.
    if (fs::exists(fs::symlink_status(folder, ec)) &&
        prompts().message(QStringLiteral("The folder ") + QString::fromStdString(folder.string()) +
                              QStringLiteral(" already exists. The copy replaces its files of the same names. "
                                             "Continue?"),
                          QStringLiteral("Save As"), PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    TUisFile& document = *explorer_->Document();
    document.UpdateFile();
    // The edits, the new name and the moved references go into the copy only; the
    // personality that was open stays as it is on disk.
    // The copy's folder appears (or changes) whole, with every bitmap, or not at all.
    std::optional<FolderChange> change;
    try {
        fs::create_directories(root);
        change.emplace(folder, FolderChange::CopyOfTarget);
        const fs::path staged = change->staging() / target.filename();
        writeFileAtomically(staged, {document.DiskBytes()});
        TUisFile copy(staged.string());
        relocateReferences(copy, asciiUpper(proposed) + "\\", newName, fs::path(state.SkinFolder), change->staging());
        copy.WriteString("TITLEBARSKIN", "SkinName", state.SkinName);
        copy.UpdateFile();
        change->commit();
    } catch (const std::exception& error) {
        prompts().message(QStringLiteral("Skinwright failed to save personality file ") +
                              QString::fromStdString(target.string()) + QStringLiteral("\n") +
                              QString::fromLocal8Bit(change ? change->inTarget(error.what()) : error.what()),
                          failedCaption, PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    // The open document's edits now live in the copy: close it without asking.
    state.Modified = false;
    history_->Attach(nullptr);
    OpenFileName = QString::fromStdString(target.string());
    FileOpenRoutine();
    const QString where = QStringLiteral("Saved a copy in ") + QString::fromStdString(folder.string());
    if (!engineFound)
        prompts().message(QStringLiteral("The Veneerix folder was not found. ") + where, QStringLiteral("Save As"),
                          PromptIcon::Information, PromptButtons::Ok);
    if (explorer_)
        explorer_->ShowStatus(where);
}

bool TMainForm::FileCloseItemClick()
{
    if (explorer_) {
        if (!destroyExplorer())
            return false;
    }
    SetDocumentState(false);
    return true;
}

void TMainForm::NewSkinClick()
{
    int type = 0;
    std::string file;
    {
        TNewSkinForm gallery(programFolder() / "template", this);
        gallery.exec();
        type = gallery.ResultType();
        file = gallery.ResultFile();
    }
    // The open personality is closed (with its question) only once a choice is made.
    if (type == 0 || !FileCloseItemClick())
        return;
    switch (type) {
    case 1: Action(QStringLiteral("FileNewWizardItem"))->trigger(); break;
    case 2: Action(QStringLiteral("FileNewTemplateWizardItem"))->trigger(); break;
    case 3:
    case 4: FileNewSkinClick(fromBytes(file)); break;
    default: break;
    }
}

void TMainForm::FileNewSkinClick(const QString& templateName)
{
    EditorState& state = editorState();
    TFormFilename prompt(templateName, templateName, this);
    bool ok = prompt.exec() == QDialog::Accepted;
    state.SkinName = toBytes(prompt.name());
    if (!ok)
        return;
    const std::string upperTemplate = asciiUpper(toBytes(templateName));
    const std::string newName = toBytes(prompt.fileName().trimmed());
    if (!isPlainFolderName(newName)) {
        prompts().message(QStringLiteral("\"") + fromBytes(newName) +
                              QStringLiteral("\" cannot be the name of a personality folder: use a name without "
                                             "slashes, backslashes or \"..\"."),
                          QStringLiteral("New Skin"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    const fs::path templates = programFolder() / "template";
    const fs::path folder = fs::path(state.EngineFolder) / newName;
    const fs::path target = folder / (newName + ".uis");
    std::error_code ec;
    // Without the engine folder the copy would land wherever the program was started.
    if (state.EngineFolder.empty()) {
        prompts().message(QStringLiteral("The Veneerix folder was not found, so there is no place for the new "
                                         "personality."),
                          QStringLiteral("New Skin"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    if (const std::string problem = createFolders(state.EngineFolder); !problem.empty()) {
        prompts().message(fromBytes(problem), QStringLiteral("New Skin"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    // Template names are looked up without regard to case.
    const auto source = findTemplatePersonality(templates, toBytes(templateName));
    if (!source) {
        const fs::path wanted = templates / (toBytes(templateName) + ".uis");
        prompts().message(QStringLiteral("The template ") + QString::fromStdString(wanted.string()) +
                              QStringLiteral(" was not found."),
                          QStringLiteral("New Skin"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    // Another personality's folder is only written into when the user says so.
    if (fs::exists(fs::symlink_status(folder, ec)) &&
        prompts().message(QStringLiteral("The folder ") + QString::fromStdString(folder.string()) +
                              QStringLiteral(" already exists. Files of the template replace the files of the "
                                             "same name in it. Continue?"),
                          QStringLiteral("New Skin"), PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    if (const std::string problem = createFolders(folder); !problem.empty()) {
        prompts().message(fromBytes(problem), QStringLiteral("New Skin"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    try {
        writeFileAtomically(target, {withoutLeadingComments(readFileBytes(source->uisFile))});
    } catch (const std::exception& error) {
        prompts().message(QStringLiteral("Unable to create ") + QString::fromStdString(target.string()) +
                              QStringLiteral("\n\n") + QString::fromLocal8Bit(error.what()),
                          QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    OpenFileName = QString::fromStdString(target.string());
    {
        TUisFile document(target.string());
        relocateReferences(document, upperTemplate + "\\", newName, source->pictures, folder);
        document.WriteString("TITLEBARSKIN", "SkinName", state.SkinName);
        for (const char* key : {"SkinAuthor", "AuthorsURL", "AuthorEmail", "SpecialNotes"})
            document.WriteString("TITLEBARSKIN", key, readAuthorField(*settings_, key));
        document.DeleteKey("TITLEBARSKIN", "EditorNotes");
        document.UpdateFile();
    }
    FileOpenRoutine();
}

QString TMainForm::ChangesSinceSave()
{
    const EditorState& state = editorState();
    if (!explorer_ || !explorer_->Document())
        return {};
    std::string file;
    try {
        file = readFileBytes(state.DocumentPath);
    } catch (const std::exception&) {
    }
    // A save writes the working copy with its blank lines tidied: while the file is
    // still what that save wrote, compare with the working copy as it was then, so
    // the tidying shows as no change.
    const std::string& before = file == savedFile_ ? savedWorkingCopy_ : file;
    const std::string name = fs::path(state.DocumentPath).filename().string();
    return fromBytes(unifiedDiff(diffLines(before, explorer_->Document()->DiskBytes()), name, name + " (working copy)"));
}

void TMainForm::ViewChangesSinceSaveItemClick()
{
    if (!explorer_)
        return;
    TFormChanges(ChangesSinceSave(), this).exec();
}

void TMainForm::OpenDocument(const QString& file)
{
    OpenFileName = file;
    FileOpenRoutine();
}

}  // namespace sw
