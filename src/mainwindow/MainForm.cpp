#include "common/Latin1.h"
#include "mainwindow/MainForm.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "common/CodeStyles.h"
#include "editor/CodeView.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "engine/EditorState.h"
#include "editor/FindForm.h"
#include "common/FormFilename.h"
#include "editor/FrmLayers.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/FolderChange.h"
#include "engine/PromptService.h"
#include "engine/SelfExclusion.h"
#include "engine/Shell.h"
#include "mainwindow/ManageCommands.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "preview/WindowPlacement.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"
#include "store/StringOps.h"
#include "wizards/ClockWizardForm.h"
#include "wizards/NewSkinWizard.h"
#include "wizards/NewSkinfromAScratchForm.h"
#include "wizards/ScratchPreviewForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QPalette>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QPrinter>

#include <cstdio>
#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

QString programPath()
{
    return QCoreApplication::applicationFilePath();
}

}  // namespace

QString TMainForm::DefaultSettingsFile()
{
    fs::path folder = programFolder();
    // The program folder may be read-only (a system-wide install); the user's config
    // folder keeps the settings then.
    fs::path probe = folder / ".sw-write-test";
    if (std::FILE* file = std::fopen(probe.string().c_str(), "wb")) {
        std::fclose(file);
        std::error_code ec;
        fs::remove(probe, ec);
        return QString::fromStdString((folder / "sw.ini").string());
    }
    fs::path config = registryFolder().parent_path();
    std::error_code ec;
    fs::create_directories(config, ec);
    return QString::fromStdString((config / "sw.ini").string());
}

TMainForm::TMainForm(const QString& settingsFile, const QStringList& arguments) : arguments_(arguments)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Skinwright"));
    resize(784, 183);
    QString file = settingsFile.isEmpty() ? DefaultSettingsFile() : settingsFile;
    settings_ = std::make_unique<TAcceleratedIniFile>(toBytes(file));
    EditorState& state = editorState();
    state.PluginFolder = (programFolder() / "PLUGINS").string() + "/";
    state.EngineFolder = Engine::findFolder().string();

    sizeBar_ = new TSizeBarForm(this);
    sizeBar_->hide();
    history_ = new DocumentHistory(this);
    // Value edits show in the previews as they are typed, at most every 30 ms.
    livePreview_ = new QTimer(this);
    livePreview_->setSingleShot(true);
    livePreview_->setInterval(30);
    connect(livePreview_, &QTimer::timeout, this, [this] {
        if (explorer_)
            explorer_->ReloadPreviews();
    });
    createActions();
    createMenus();
    createToolBars();
    connectActions();
    LoadRecentList();
    loadCodeStyles(*settings_);
    SetDocumentState(false);
}

TMainForm::~TMainForm()
{
    if (explorer_)
        destroyExplorer();
    try {
        settings_->UpdateFile();
    } catch (const std::exception& error) {
        prompts().message(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                          PromptButtons::Ok);
    }
}

int TMainForm::StartUp()
{
    // A working copy in the program folder means another copy is running, or one
    // ended without cleaning up.
    fs::path stray = programFolder() / kWorkingCopyName;
    std::error_code ec;
    if (fs::exists(stray, ec)) {
        PromptAnswer answer = prompts().message(
            QStringLiteral("Skinwright has found temporary file in it's directory.\nIf there is no other copy of "
                           "Skinwright running press OK to delete it\nOtherwise press Cancel to stop this process as "
                           "there can be only one instance of Skinwright running at the same time."),
            QStringLiteral("Temp file existence notification"), PromptIcon::None, PromptButtons::OkCancel);
        if (answer != PromptAnswer::Ok)
            return 255;
        fs::remove(stray, ec);
    }

    EngineSettings engine(editorState().EngineFolder);
    const QString message = QStringLiteral(
        "Welcome to Skinwright, the official Personality creation and editing tool for Corvane Veneerix.\n\n"
        "We suggest that you have Veneerix installed to make the best use of it's features.\n\n"
        "Skinwright is fully compatible with any Veneerix version currently available.\n\n"
        "However there is a reason why it shouldn't be skinned.\n"
        "We suggest it to make sure you will not be able to create an invalid skin\n"
        "and make your system unreadable/unstable without possibility to turn it back.\n\n"
        "Skinwright will now add itself to your Veneerix 'Application Exclusion List'.\n"
        "You will be able to switch skinning on any time using Skinwright properties dialog.\n\n"
        "This function requires that Skinwright to be reloaded.\n\n"
        "Press 'OK' to restart Skinwright now.");
    if (excludeSelfFromSkinning(engine, programPath(), arguments_, message))
        return 255;

    if (settings_->ReadBool("General", "FirstStart", true))
        settings_->WriteBool("General", "FirstStart", false);
    return -1;
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstActivationDone_) {
        FormShow();
        firstActivationDone_ = true;
        QTimer::singleShot(0, this, &TMainForm::FirstActivation);
    }
}

void TMainForm::FormShow()
{
    TAcceleratedIniFile& settings = *settings_;
    // The main window comes back where it was left, and always on the screen.
    const QRect r = geometry();
    setGeometry(settings.ReadInteger("Windows", "MainLeft", r.left()), settings.ReadInteger("Windows", "MainTop", r.top()),
                std::max(settings.ReadInteger("Windows", "MainWidth", r.width()), 200),
                std::max(settings.ReadInteger("Windows", "MainHeight", r.height()), 100));
    keepOnScreen(this);
    EditorState& state = editorState();
    state.DocumentOpen = false;
    bool text = settings.ReadBool("General", "ShowToolbarText", true);
    Action(QStringLiteral("WindowShowToolbarTextItem"))->setChecked(text);
    Action(QStringLiteral("PopupShowToolbarText"))->setChecked(text);
    state.DescriptiveNames = settings.ReadBool("General", "DescriptiveNames", true);
    state.EditMode = settings.ReadInteger("General", "EditMode", 2);
    // Without the saved desktop state every toggle starts at its default, and its check
    // mark says so.
    const bool restore = settings.ReadBool("General", "DesktopState", true);
    const bool onTop = !restore || settings.ReadBool("General", "PreviewOnTop", true);
    const bool rulers = !restore || settings.ReadBool("General", "ShowRullers", true);
    Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->setChecked(onTop);
    Action(QStringLiteral("ToolButtonOnTop"))->setChecked(onTop);
    Action(QStringLiteral("WindowShowRulers"))->setChecked(rulers);
    Action(QStringLiteral("ToolButtonRulers"))->setChecked(rulers);
    state.RulersVisible = rulers;
    Action(QStringLiteral("WindowDescriptionsItem"))->setChecked(!restore || settings.ReadBool("General", "ShowDescriptions", true));
    ToolBarPreview->setVisible(false);
    ToolBarRichEdit->setVisible(false);
    UpdateToolbarTextVisibility();
}

void TMainForm::FirstActivation()
{
    QString file, missing;
    if (!arguments_.isEmpty()) {
        file = arguments_.first();
        missing = QStringLiteral("File not found.");
    } else if (settings_->ReadBool("General", "LoadRecentlyEdited", false)) {
        file = fromBytes(settings_->ReadString("RecentlyUsed", "RecentFile0", ""));
        missing = QStringLiteral("Most recently edited skin does not exist. To disable this message please turn auto "
                                 "loading off");
    } else {
        return;
    }
    if (!QFileInfo(file).isFile()) {
        prompts().message(missing, QStringLiteral("Caution"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    OpenFileName = QFileInfo(file).absoluteFilePath();
    QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("uis")) {
        FileOpenRoutine();
    } else if (suffix == QLatin1String("zip") || suffix == QLatin1String("vxa")) {
        if (prompts().message(QStringLiteral("Do you wish to extract this zip file into Veneerix Folder?"),
                              QStringLiteral("Zip file selected for open"), PromptIcon::Question,
                              PromptButtons::YesNo) == PromptAnswer::Yes)
            InstallArchiveAndOpen(*this, OpenFileName);
    } else {
        prompts().message(QStringLiteral("A file of that extension?\nIt might be very useful.\nHere it wil not work."),
                          QStringLiteral("File Open Error (Haiku)"), PromptIcon::Error, PromptButtons::Ok);
    }
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        sizeBar_->hide();
        // Queued: a question shown while the activation is handled would take it away.
        QTimer::singleShot(0, this, &TMainForm::CheckOutsideChange);
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (explorer_ && !FileCloseItemClick()) {
        event->ignore();
        return;
    }
    writeShutdownSettings();
    event->accept();
}

void TMainForm::writeShutdownSettings()
{
    TAcceleratedIniFile& settings = *settings_;
    settings.WriteBool("General", "ShowToolbarText", Action(QStringLiteral("WindowShowToolbarTextItem"))->isChecked());
    settings.WriteBool("General", "PreviewOnTop", Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->isChecked());
    settings.WriteBool("General", "ShowRullers", Action(QStringLiteral("WindowShowRulers"))->isChecked());
    settings.WriteBool("General", "ShowDescriptions", Action(QStringLiteral("WindowDescriptionsItem"))->isChecked());
    // Maximised, the place to come back to is the one it had before.
    const QRect r = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    settings.WriteInteger("Windows", "MainLeft", r.left());
    settings.WriteInteger("Windows", "MainTop", r.top());
    settings.WriteInteger("Windows", "MainHeight", r.height());
    settings.WriteInteger("Windows", "MainWidth", r.width());
}

void TMainForm::SetDocumentState(bool open)
{
    for (QMenu* menu : {menuEdit_, menuView_, menuInsert_, menuWindow_})
        menu->menuAction()->setVisible(open);
    for (const char* name : {"FileSaveAsItem", "FileCloseItem", "FileZipItem", "FileSetThisSkinCurrentItem",
                             "ToolButtonZip", "ToolButtonApply", "ToolButtonFind"})
        Action(QString::fromLatin1(name))->setEnabled(open);
    for (const char* name : {"FilePrintItem", "FilePrintSetupItem", "ToolsZoomItem"})
        Action(QString::fromLatin1(name))->setVisible(open);
    if (open) {
        Action(QStringLiteral("FileCreateScreenshotItem"))->setEnabled(true);
        for (const char* name : {"WindowPreviewAlwaysonTopItem", "WindowShowRulers", "WindowReloadPreviewItem",
                                 "WindowDescriptionsItem"})
            Action(QString::fromLatin1(name))->setVisible(true);
    } else {
        editorState().Modified = false;
        Action(QStringLiteral("FileSaveItem"))->setEnabled(false);
        Action(QStringLiteral("ToolButtonSave"))->setEnabled(false);
        ToolBarValueEditor->setVisible(false);
        ToolBarPreview->setVisible(false);
        if (!firstActivationDone_)
            Action(QStringLiteral("FileCreateScreenshotItem"))->setEnabled(false);
    }
}

void TMainForm::UpdateToolbarTextVisibility()
{
    bool text = Action(QStringLiteral("WindowShowToolbarTextItem"))->isChecked();
    for (QToolBar* bar : {ToolBarStandard, ToolBarPreview})
        bar->setToolButtonStyle(text ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

void TMainForm::NotifyModification(const QString& change, const QString& mergeKey)
{
    EditorState& state = editorState();
    // A change that failed to be written is put back instead of recorded.
    if (writeFailure_)
        return;
    state.CodeStale = state.AnalysisStale = true;
    showWorkingCopyRestores();
    // Every recorded change shows in the previews (at most every 30 ms while typing).
    if (history_->Commit(change.isEmpty() ? QStringLiteral("Change") : change, mergeKey)) {
        band_->TakeChange();
        if (!livePreview_->isActive())
            livePreview_->start();
    }
    // A new SkinName shows at once in the title and at the tree's root.
    if (explorer_ && explorer_->Document()) {
        const std::string name = explorer_->Document()->PersonalityName();
        if (name != state.SkinName)
            explorer_->RenameRoot(name);
        explorer_->CodeFollowDocument();
    }
    updateModified();
}

void TMainForm::updateTitle()
{
    const EditorState& state = editorState();
    setWindowTitle(explorer_ ? QStringLiteral("Skinwright  -  ") + fromBytes(state.SkinName) +
                                   (state.ReadOnly ? QStringLiteral(" (read-only)") : QString()) +
                                   (state.Modified ? QStringLiteral(" *") : QString())
                             : QStringLiteral("Skinwright"));
}

void TMainForm::UpdateEditItems()
{
    const TCodeView* code = codePage_ && explorer_ ? explorer_->CodeRichEdit : nullptr;
    const bool canUndo = code ? code->document()->isUndoAvailable() : history_->Stack().canUndo();
    const bool canRedo = code ? code->document()->isRedoAvailable() : history_->Stack().canRedo();
    for (const char* name : {"EditUndoItem", "ToolButtonUndo"})
        Action(QString::fromLatin1(name))->setEnabled(canUndo);
    Action(QStringLiteral("EditRedoItem"))->setEnabled(canRedo);
    // The items name the document's step they take back or make again ("&Undo Edit
    // TopFrame"); on the code page they act on the text.
    const QString undoStep = code ? QString() : history_->Stack().undoText();
    const QString redoStep = code ? QString() : history_->Stack().redoText();
    QAction* undo = Action(QStringLiteral("EditUndoItem"));
    QAction* redo = Action(QStringLiteral("EditRedoItem"));
    undo->setText(undoStep.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undoStep);
    redo->setText(redoStep.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redoStep);
    undo->setStatusTip(undoStep.isEmpty() ? QString() : QStringLiteral("Undo ") + undoStep);
    redo->setStatusTip(redoStep.isEmpty() ? QString() : QStringLiteral("Redo ") + redoStep);
    for (const char* name : {"EditCutItem", "EditCopyItem", "EditPasteItem", "ToolButtonCut", "ToolButtonCopy",
                             "ToolButtonPaste", "FilePrintItem", "FilePrintSetupItem"})
        Action(QString::fromLatin1(name))->setEnabled(code != nullptr);
}

void TMainForm::CodePageShown(bool shown)
{
    codePage_ = shown;
    ToolBarRichEdit->setVisible(shown);
    UpdateEditItems();
}

void TMainForm::UpdateModified()
{
    updateModified();
}

void TMainForm::updateModified()
{
    // Modified means the working copy is not what was opened or last saved: undoing
    // back to that point makes the document clean again.
    EditorState& state = editorState();
    // Text typed on the code page and not yet applied counts as a change too.
    state.Modified = explorer_ && (!history_->IsClean() || explorer_->CodeModified());
    Action(QStringLiteral("FileSaveItem"))->setEnabled(state.Modified);
    Action(QStringLiteral("ToolButtonSave"))->setEnabled(state.Modified);
    updateTitle();
}

void TMainForm::ShareKeys(QWidget* window)
{
    // The previews and the palette are windows of their own: without the main window's
    // actions, its keys would do nothing while one of them has the focus.
    for (const char* name : {"EditUndoItem", "EditRedoItem", "FileSaveItem", "EditFindItem", "WindowReloadPreviewItem",
                             "WindowButtonPaletteShow", "FileOpenItem", "FileNewSkin", "FileUnzipItem",
                             "FileSetThisSkinCurrentItem", "EditDuplicateButtonItem"})
        window->addAction(Action(QString::fromLatin1(name)));
}

void TMainForm::BindHideAllKey(QWidget* widget)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_Tab), widget);
    key->setContext(Qt::WidgetShortcut);
    key->setObjectName(QStringLiteral("HideAllKey"));
    connect(key, &QShortcut::activated, Action(QStringLiteral("WindowHideAllItem")), &QAction::trigger);
}

void TMainForm::ShowOtherPage(const QString& note)
{
    LabelEditedAttribute->clear();
    band_->ShowNote(note);
}

void TMainForm::EditAttribute(int typeOverride)
{
    if (!explorer_ || !explorer_->Document())
        return;
    const EditorState& state = editorState();
    LabelEditedAttribute->setText(QStringLiteral("[") + fromBytes(state.CurrentSection) + QStringLiteral("] ") +
                                  fromBytes(state.CurrentAttribute));
    band_->SelectAttribute(*explorer_->Document(), typeOverride);
    ToolBarValueEditor->setVisible(true);
    // Edits rebuild the previews at the next selection, not on every keystroke.
    if (band_->TakeChange()) {
        NotifyModification(QStringLiteral("Edit Value"));
        explorer_->ReloadPreviews();
    }
}

std::string TMainForm::AddClock(TUisFile& document, QWidget* parent)
{
    TAddClockWizardForm wizard(document, parent);
    if (wizard.exec() != QDialog::Accepted)
        return {};
    return writeClockKeys(document, wizard.Keys());
}

void TMainForm::ViewDisplayPropertiesItemClick()
{
#ifdef Q_OS_WIN
    QString windows = qEnvironmentVariable("WINDIR").left(200);
    QString system32 = windows + QStringLiteral("\\system32\\rundll32.exe");
    QString command = QFileInfo::exists(system32) ? windows + QStringLiteral("\\system32") : windows;
    shell().startCommandLine(command + QStringLiteral("\\rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,2"));
#else
    // The desktop's own display settings, when one of the common ones is installed.
    const std::pair<const char*, const char*> programs[] = {
        {"gnome-control-center", "display"}, {"systemsettings", "kcm_kscreen"},
        {"xfce4-display-settings", nullptr}, {"lxqt-config-monitor", nullptr}, {"arandr", nullptr}};
    for (const auto& [program, argument] : programs) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (path.isEmpty())
            continue;
        shell().start(path, argument ? QStringList{QString::fromLatin1(argument)} : QStringList{});
        return;
    }
    statusBar()->showMessage(QStringLiteral("No display settings program was found on this desktop."), 5000);
#endif
}

void TMainForm::InsertCurrentWindowsColoursItemClick()
{
    if (!explorer_ || !explorer_->Document())
        return;
    const QPalette palette = QApplication::palette();
    const struct {
        const char* key;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    } colours[] = {
        {"ActiveBorder", QPalette::Active, QPalette::Window},
        {"InactiveBorder", QPalette::Inactive, QPalette::Window},
        {"ActiveTitle", QPalette::Active, QPalette::Highlight},
        {"InactiveTitle", QPalette::Inactive, QPalette::Mid},
        {"TitleText", QPalette::Active, QPalette::HighlightedText},
        {"InactiveTitleText", QPalette::Inactive, QPalette::WindowText},
        {"ButtonText", QPalette::Active, QPalette::ButtonText},
        {"GrayText", QPalette::Disabled, QPalette::Text},
        {"HilightText", QPalette::Active, QPalette::HighlightedText},
        {"WindowText", QPalette::Active, QPalette::WindowText},
        {"MenuText", QPalette::Active, QPalette::WindowText},
        {"Hilight", QPalette::Active, QPalette::Highlight},
        {"Window", QPalette::Active, QPalette::Base},
        {"WindowFrame", QPalette::Active, QPalette::Shadow},
        {"Background", QPalette::Active, QPalette::Dark},
        {"AppWorkSpace", QPalette::Active, QPalette::Mid},
        {"Menu", QPalette::Active, QPalette::Window},
        {"Scrollbar", QPalette::Active, QPalette::Midlight},
        {"ButtonHilight", QPalette::Active, QPalette::Light},
        {"ButtonLight", QPalette::Active, QPalette::Midlight},
        {"ButtonFace", QPalette::Active, QPalette::Button},
        {"ButtonShadow", QPalette::Active, QPalette::Mid},
        {"ButtonDkShadow", QPalette::Active, QPalette::Shadow},
        {"InfoText", QPalette::Active, QPalette::ToolTipText},
        {"InfoWindow", QPalette::Active, QPalette::ToolTipBase},
    };
    TUisFile& document = *explorer_->Document();
    for (const auto& entry : colours) {
        QColor c = palette.color(entry.group, entry.role);
        document.WriteColour("Colours", entry.key, Colour(c.red() + c.green() * 256 + c.blue() * 65536));
    }
    NotifyModification(QStringLiteral("Insert Colours"));
    explorer_->TreeViewLoad();
    explorer_->SectionChange("Colours");
}

void TMainForm::EditFindItemClick()
{
    if (!explorer_ || !explorer_->Document())
        return;
    if (explorer_->CodePageActive()) {
        explorer_->CodeFindReplace();
        return;
    }
    // A value typed into the band is its own step, not part of the replacement.
    explorer_->SectionSave();
    TFindForm form(*explorer_->Document(), this);
    connect(&form, &TFindForm::Replaced, this, [this] {
        NotifyModification(QStringLiteral("Replace"));
        // The explorer's rows still hold the old values; anything that writes them back
        // (reordering, the value band) must see the replaced ones.
        explorer_->RefreshFromDocument();
    });
    form.exec();
}

void TMainForm::WindowDescriptionsItemClick()
{
    settings_->WriteBool("General", "ShowDescriptions", ShowDescriptions());
    if (explorer_) {
        explorer_->SaveColumns();
        explorer_->ReloadCurrentSection();
    }
}

}  // namespace sw
