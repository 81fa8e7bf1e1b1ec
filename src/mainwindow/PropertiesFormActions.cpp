#include "mainwindow/PropertiesFormActions.h"

#include "document/UisFile.h"
#include "common/CodeStyles.h"
#include "editor/CodeView.h"
#include "engine/EditorState.h"
#include "mainwindow/MainForm.h"
#include "editor/UISExplorerForm.h"
#include "engine/PromptService.h"
#include "manage/ArchiveInstaller.h"
#include "manage/BrowserForm.h"
#include "manage/PluginManager.h"
#include "preview/PreviewForm.h"
#include "store/PlatformPaths.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>

namespace sw {

PropertiesContext propertiesContext(TMainForm& main)
{
    PropertiesContext context;
    EditorState& state = editorState();
    context.settings = &main.Settings();
    context.programPath = QCoreApplication::applicationFilePath();
    context.programFolder = programFolder();
    context.engineFolder = state.EngineFolder;
    TUISExplorerForm* explorer = main.Explorer();
    if (explorer && state.DocumentOpen) {
        context.document = explorer->Document();
        context.documentPath = QString::fromLocal8Bit(state.DocumentPath);
        if (explorer->PreviewActive() && explorer->PreviewsVisible())
            context.previews = {explorer->PreviewActive(), explorer->PreviewInactive()};
    }
    QPointer<TMainForm> window(&main);
    context.descriptiveNamesChanged = [window](bool on) {
        editorState().DescriptiveNames = on;
        if (window && window->Explorer() && window->Explorer()->Document()) {
            window->Explorer()->Document()->DescriptiveNames = on;
            window->Explorer()->ReloadCurrentSection();
        }
    };
    context.hotTrackChanged = [window](bool on) {
        if (window && window->Explorer())
            window->Explorer()->ApplyHotTracking(on);
    };
    context.editModeChanged = [](int mode) { editorState().EditMode = mode; };
    context.documentChanged = [window] {
        if (!window)
            return;
        window->NotifyModification();
        if (window->Explorer())
            window->Explorer()->ReloadCurrentSection();
    };
    context.engineFolderChanged = [](const std::filesystem::path& folder) {
        editorState().EngineFolder = folder.string();
    };
    context.previewSettingsChanged = [window] {
        if (window && window->Explorer())
            window->Explorer()->ReloadPreviews();
    };
    return context;
}

int showPropertiesForm(TMainForm& main, TPropertiesForm::Mode mode)
{
    PropertiesContext context = propertiesContext(main);
    TUISExplorerForm* explorer = main.Explorer();
    // The skin-shot wizard must not hide the previews it takes pictures of.
    const bool keepOnTop = mode == TPropertiesForm::SkinShotWizard && explorer && !context.previews.empty();
    if (keepOnTop)
        explorer->SetPreviewsOnTop(true);
    TPropertiesForm form(std::move(context), mode, &main);
    // Modal to the main window only: the previews are not blocked by it, so they do not
    // step back under it as they do for every other dialog.
    if (keepOnTop)
        form.setWindowModality(Qt::WindowModal);
    const int result = form.exec();
    // The recent list of the File menu follows a new MaxRecent at once.
    main.LoadRecentList();
    // The code and script pages take new colours the next time they colour text.
    loadCodeStyles(main.Settings());
    if (main.Explorer() && main.Explorer()->CodeRichEdit)
        main.Explorer()->CodeRichEdit->Recolour();
    if (keepOnTop && main.Explorer() == explorer)
        explorer->SetPreviewsOnTop(main.Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->isChecked());
    return result;
}

void connectPropertiesActions(TMainForm& main)
{
    auto on = [&main](const char* name, TPropertiesForm::Mode mode) {
        if (QAction* action = main.Action(QString::fromLatin1(name)))
            QObject::connect(action, &QAction::triggered, &main, [&main, mode] { showPropertiesForm(main, mode); });
    };
    on("EditPropertiesItem", TPropertiesForm::AllPages);
    on("ToolButtonPreferences", TPropertiesForm::AllPages);
    on("PluginManagerMenuItem", TPropertiesForm::PluginManager);
    on("ToolButtonSkinshot", TPropertiesForm::SkinShotWizard);
    on("FileCreateScreenshotItem", TPropertiesForm::SkinShotWizard);
    // The skin browser's "&Properties" opens the engine's page.
    TBrowserForm::PropertiesHook() = [&main](QWidget*) { showPropertiesForm(main, TPropertiesForm::EnginePage); };
    // "Install New" of the plug-in manager unpacks through the archive installer, with
    // all its checks, into the plug-in's own folder.
    setPluginArchiveInstaller([](const std::filesystem::path& archive, const std::filesystem::path& folder) {
        InstallOptions options;
        options.fixedTarget = folder;
        options.replaceExisting = [](const std::filesystem::path& existing) {
            return prompts().message(QString::fromStdString(existing.string()) +
                                         QStringLiteral("\nexists already. Replace its files with the archive's? "
                                                        "Files of the same name are replaced, others kept."),
                                     QStringLiteral("Install New"), PromptIcon::Warning,
                                     PromptButtons::OkCancel) == PromptAnswer::Ok;
        };
        const InstallResult result = installArchive(archive, folder.parent_path(), options);
        if (result.status == InstallResult::Installed)
            return true;
        if (result.status != InstallResult::Cancelled && result.status != InstallResult::Exists)
            prompts().message(QString::fromStdString(result.message), QStringLiteral("Error"), PromptIcon::Error,
                              PromptButtons::Ok);
        return false;
    });
}

}  // namespace sw
