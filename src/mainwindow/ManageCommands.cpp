#include "mainwindow/ManageCommands.h"

#include "document/UisFile.h"
#include "engine/EditorState.h"
#include "common/Latin1.h"
#include "mainwindow/MainForm.h"
#include "editor/UISExplorerForm.h"
#include "engine/PromptService.h"
#include "manage/ArchivePacker.h"
#include "manage/BrowserForm.h"
#include "manage/FormZip.h"
#include "manage/UnZipForm.h"
#include "store/AcceleratedIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

void ZipPersonality(TMainForm& main)
{
    if (!main.Explorer() || !main.Explorer()->Document())
        return;
    main.FileSave();
    EditorState& state = editorState();
    if (state.Modified)
        return;  // the save failed and said so; an archive of the old file would mislead
    const fs::path uisFile = state.DocumentPath;
    const std::vector<PackEntry> list = packFileList(*main.Explorer()->Document(), uisFile);
    TFormZip form(&main);
    form.SetFiles(list);
    form.edtZipFileName->setText(QString::fromStdString(defaultArchivePath(uisFile).string()));
    form.edtRootDir->setText(QString::fromStdString(uisFile.parent_path().string()));
    form.exec();
}

void OpenZipped(TMainForm& main)
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.folder = fromBytes(main.Settings().ReadString("General", "RecentZipFolder", toBytes(QDir::currentPath())));
    request.filter = QString::fromLatin1(kArchiveFilter);
    request.defaultSuffix = QStringLiteral("zip");
    const QString archive = prompts().openFile(request);
    if (!archive.isEmpty())
        InstallArchiveAndOpen(main, archive);
}

namespace {

// Asked before an archive is installed over an existing folder: the user must agree,
// and a personality of that folder open in the editor is closed first (with its save
// question), so neither its working copy nor a later save writes over the install.
bool mayInstallOver(TMainForm& main, const fs::path& folder)
{
    if (prompts().message(QString::fromStdString(folder.string()) +
                              QStringLiteral("\nholds an installed personality already. Replace its files with the "
                                             "archive's? Files of the same name are replaced, others kept."),
                          QStringLiteral("Replace installed personality?"), PromptIcon::Warning,
                          PromptButtons::OkCancel) != PromptAnswer::Ok)
        return false;
    const EditorState& state = editorState();
    std::error_code ec;
    const bool open = (state.DocumentOpen || main.Explorer()) &&
                      fs::equivalent(fs::path(state.DocumentPath).parent_path(), folder, ec);
    return !open || main.FileCloseItemClick();
}

}  // namespace

bool InstallArchiveAndOpen(TMainForm& main, const QString& archive)
{
    TUnZipForm form(&main);
    form.edtFileToUnzip->setText(archive);
    form.edtUnzipToDir->setText(fromBytes(editorState().EngineFolder));
    InstallOptions options;
    options.replaceExisting = [&main](const fs::path& folder) { return mayInstallOver(main, folder); };
    const InstallResult result = form.Run(options);
    form.hide();
    main.Settings().WriteString("General", "RecentZipFolder", toBytes(QFileInfo(archive).absolutePath()));
    switch (result.status) {
    case InstallResult::NoPersonality:
        prompts().message(QString::fromLatin1(kNoPersonalityText), QStringLiteral("Caution!"), PromptIcon::Warning,
                          PromptButtons::Ok);
        return false;
    case InstallResult::Refused:
        prompts().message(QString::fromStdString(result.message), QStringLiteral("UnZip"), PromptIcon::Error,
                          PromptButtons::Ok);
        return false;
    case InstallResult::Cancelled:
    case InstallResult::Exists:
        return false;
    case InstallResult::Installed:
        break;
    }
    main.OpenFileName = QString::fromStdString(result.uisFile.string());
    main.FileOpenRoutine();
    return true;
}

void ShowSkinBrowser(TMainForm& main)
{
    TBrowserForm browser(main, editorState().EngineFolder);
    if (browser.exec() != QDialog::Accepted || browser.SelectedName().isEmpty())
        return;
    if (!QFileInfo(browser.SelectedFile()).isFile()) {
        prompts().message(QStringLiteral("File not found.") + QStringLiteral("\n") + browser.SelectedFile(),
                          QStringLiteral("Caution"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    main.OpenFileName = browser.SelectedFile();
    main.FileOpenRoutine();
}

}  // namespace sw
