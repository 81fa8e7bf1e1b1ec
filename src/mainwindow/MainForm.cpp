#include "common/Latin1.h"
#include "mainwindow/MainForm.h"

#include "document/AuthorDefaults.h"
#include "document/FileReference.h"
#include "document/UisFile.h"
#include "document/Validator.h"
#include "editor/AboutBox.h"
#include "common/CodeStyles.h"
#include "editor/CodeView.h"
#include "document/LineDiff.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "engine/EditorState.h"
#include "editor/FindForm.h"
#include "editor/FormChanges.h"
#include "editor/FormDebug.h"
#include "common/FormFilename.h"
#include "editor/FrmLayers.h"
#include "common/GlyphList.h"
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
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"
#include "store/StringOps.h"
#include "store/Version.h"
#include "wizards/ButtonWizardForm.h"
#include "wizards/ClockWizardForm.h"
#include "wizards/NewSkinForm.h"
#include "wizards/NewSkinWizard.h"
#include "wizards/NewSkinfromAScratchForm.h"
#include "wizards/ScratchPreviewForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdio>
#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

const char* kOpenFilter = "User Interface Files|*.uis;*.sss|Bitmap File|*.bmp|All files|*.*";

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

QAction* TMainForm::addAction(const char* objectName, const QString& caption, const QKeySequence& key, int image,
                              bool checkable)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!key.isEmpty())
        action->setShortcut(key);
    if (image >= 0)
        action->setIcon(glyphIcon(image));
    action->setCheckable(checkable);
    actions_[action->objectName()] = action;
    return action;
}

QAction* TMainForm::Action(const QString& objectName) const
{
    auto found = actions_.find(objectName);
    return found == actions_.end() ? nullptr : found->second;
}

bool TMainForm::ShowDescriptions() const
{
    return Action(QStringLiteral("WindowDescriptionsItem"))->isChecked();
}

void TMainForm::createActions()
{
    // File
    addAction("FileNewItem", QStringLiteral("New..."));
    addAction("FileNewWizardItem", QStringLiteral("New Skin Wizard"));
    addAction("FileNewTemplateWizardItem", QStringLiteral("New skin from template wizard"));
    addAction("FileNewBlankItem", QStringLiteral("&Blank skin"));
    addAction("FileNewFeaturedItem", QStringLiteral("Featured Skin"));
    addAction("FileNewSkin", QStringLiteral("New Skin..."), QKeySequence(QStringLiteral("Ctrl+N")), 58);
    addAction("FileOpenItem", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O")), 9);
    for (int i = 0; i < 10; ++i)
        recentItems_[i] = addAction(("Recent" + std::to_string(i)).c_str(), QString());
    addAction("FileUnzipItem", QStringLiteral("Open &Zipped"), QKeySequence(QStringLiteral("Ctrl+I")), 51);
    addAction("FileOpenCurrentVXSkin", QStringLiteral("Open &current skin"), {}, 24);
    addAction("Load1", QStringLiteral("Launch Veneerix"));
    addAction("Unload1", QStringLiteral("Shutdown Veneerix"));
    addAction("ReloadCurrentSkin1", QStringLiteral("Reload Current Skin"));
    addAction("FileSetThisSkinCurrentItem", QStringLiteral("Set this skin as current"),
              QKeySequence(QStringLiteral("Ctrl+F5")));
    addAction("FileSaveItem", QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S")));
    addAction("FileSaveAsItem", QStringLiteral("Save &As..."));
    addAction("FileZipItem", QStringLiteral("Zip"), {}, 51);
    addAction("FileCloseItem", QStringLiteral("&Close"));
    addAction("FilePrintItem", QStringLiteral("&Print"));
    addAction("FilePrintSetupItem", QStringLiteral("P&rint Setup..."));
    addAction("FileCreateScreenshotItem", QStringLiteral("Create SkinShot"));
    addAction("FileExitItem", QStringLiteral("E&xit"));
    // Edit
    addAction("EditDuplicateButtonItem", QStringLiteral("Duplicate Button"), QKeySequence(QStringLiteral("Ctrl+D")));
    addAction("EditUndoItem", QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z")));
    addAction("EditRedoItem", QStringLiteral("&Redo"))
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    addAction("EditCutItem", QStringLiteral("Cu&t"), QKeySequence(QStringLiteral("Ctrl+X")));
    addAction("EditCopyItem", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
    addAction("EditPasteItem", QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")));
    addAction("EditFindItem", QStringLiteral("&Find and Replace"), QKeySequence(QStringLiteral("Ctrl+F")));
    // View
    addAction("ViewAttributeDescriptionItem", QStringLiteral("Attribute Description"),
              QKeySequence(QStringLiteral("Ctrl+F1")));
    addAction("ViewChangesSinceSaveItem", QStringLiteral("Changes Since Save"));
    addAction("ViewDisplayPropertiesItem", QStringLiteral("Display Properties"),
              QKeySequence(QStringLiteral("Ctrl+Alt+D")));
    // Insert
    addAction("InsertSectionItem", QStringLiteral("&Section"), {}, 58);
    addAction("InsertAttributeItem", QStringLiteral("&Attribute"), {}, 56);
    addAction("InsertButtonItem", QStringLiteral("&Button"), {}, 73);
    addAction("InsertButtonWizardItem", QStringLiteral("Buton Wizard"));
    addAction("InsertClockItem", QStringLiteral("Clock Wizard"));
    addAction("InsertCurrentWindowsColoursItem", QStringLiteral("Current windows colours"), {}, 6);
    // Window
    addAction("WindowReloadPreviewItem", QStringLiteral("Reload Preview"), QKeySequence(QStringLiteral("F5")));
    addAction("WindowButtonPaletteShow", QStringLiteral("Show Button Palette"), QKeySequence(QStringLiteral("F4")), -1,
              true);
    addAction("WindowPreviewAlwaysonTopItem", QStringLiteral("Preview Always on &Top"),
              QKeySequence(QStringLiteral("Ctrl+Alt+T")), -1, true);
    addAction("WindowPreviewItem", QStringLiteral("Show Pre&view"), QKeySequence(QStringLiteral("Ctrl+Alt+P")), -1, true);
    addAction("WindowShowRulers", QStringLiteral("Show &Rulers"), QKeySequence(QStringLiteral("Ctrl+Alt+R")), -1, true);
    addAction("WindowAnimateItem", QStringLiteral("Animate Preview Frame"), QKeySequence(QStringLiteral("Ctrl+Alt+A")),
              -1, true);
    addAction("WindowDescriptionsItem", QStringLiteral("Show Descriptions"), QKeySequence(QStringLiteral("Ctrl+D")), -1,
              true);
    // Tab moves the focus in fields and dialogs; it hides the previews only where no
    // control takes it (see BindHideAllKey), so the menu item shows the key but does
    // not claim it for the whole window.
    addAction("WindowHideAllItem", QStringLiteral("Hide preview/buttons windows"), QKeySequence(Qt::Key_Tab), -1, true)
        ->setShortcutContext(Qt::WidgetShortcut);
    addAction("WindowTileItem", QStringLiteral("&Tile"));
    addAction("WindowCascadeItem", QStringLiteral("&Cascade"));
    addAction("WindowArrangeItem", QStringLiteral("&Arrange All"));
    addAction("WindowShowToolbarTextItem", QStringLiteral("Show Toolbar Text"), {}, -1, true);
    // Tools
    addAction("WindowBrowserItem", QStringLiteral("&Vistarium Navigator"), QKeySequence(QStringLiteral("Ctrl+B")));
    addAction("ToolsZoomItem", QStringLiteral("Zoom"), QKeySequence(QStringLiteral("Ctrl+Alt+Z")));
    addAction("PluginManagerMenuItem", QStringLiteral("Plugin Manager"));
    addAction("EditPropertiesItem", QStringLiteral("&Properties"), QKeySequence(QStringLiteral("Shift+Ctrl+F11")));
    // Help
    addAction("HelpInternetCorvane", QStringLiteral("Corvane"), {}, 11);
    addAction("HelpInternetWebSite", QStringLiteral("Skinwright &Web Site"), {}, 11);
    addAction("HelpInternetForum", QStringLiteral("Skinwright forum"), {}, 11);
    addAction("HelpInternetDownload", QStringLiteral("&Download page"), {}, 11);
    addAction("HelpInternetMail", QStringLiteral("E-Mail Skinwright Team"), {}, 11);
    addAction("HelpFaqMenuItem", QStringLiteral("Frequently Asked Questions"));
    addAction("HelpContentsItem", QStringLiteral("&Contents"));
    addAction("HelpSearchItem", QStringLiteral("&Search for Help On..."));
    addAction("HelpHowToUseItem", QStringLiteral("&How to Use Help"));
    addAction("HelpAboutItem", QStringLiteral("&About..."));
    addAction("DebugTotalsItem", QStringLiteral("Totals"));

    // Tool buttons: their own captions, the same commands.
    addAction("ToolButtonNew", QStringLiteral("New Skin..."), {}, 58);
    addAction("ToolButtonOpen", QStringLiteral("(Re) Open..."), {}, 9);
    addAction("ToolButtonSave", QStringLiteral("Save"), {}, 5);
    addAction("ToolButtonZip", QStringLiteral("Zip"), {}, 51);
    addAction("ToolButtonApply", QStringLiteral("Apply"), {}, 68);
    addAction("ToolButtonFind", QStringLiteral("Find"), {}, 10);
    addAction("ToolButtonBrowser", QStringLiteral("Skin Browser"), {}, 24);
    addAction("ToolButtonPreferences", QStringLiteral("Preferences"), {}, 43);
    addAction("ToolButtonInternet", QStringLiteral("Internet"), {}, 11);
    addAction("ToolButtonPreview", QStringLiteral("Preview"), {}, 48, true);
    addAction("ToolButtonRulers", QStringLiteral("Rulers"), {}, 49, true);
    addAction("ToolButtonOnTop", QStringLiteral("On Top"), {}, 50, true);
    addAction("ToolButtonAnimate", QStringLiteral("Animate"), {}, 7, true);
    addAction("ToolButtonSkinshot", QStringLiteral("Skinshot"), {}, 5);
    addAction("ToolButtonZoom", QStringLiteral("Zoom"), {}, 15);
    addAction("ToolButtonReload", QStringLiteral("Reload"), {}, 68);
    addAction("ToolButtonUndo", QStringLiteral("Undo"), {}, 57);
    addAction("ToolButtonCut", QStringLiteral("Cut"), {}, 59);
    addAction("ToolButtonCopy", QStringLiteral("Copy"), {}, 1);
    addAction("ToolButtonPaste", QStringLiteral("Paste"), {}, 56);

    // Items that are never shown in normal use.
    for (const char* hidden : {"FileNewItem", "WindowPreviewItem", "WindowTileItem", "WindowCascadeItem",
                               "WindowArrangeItem", "HelpContentsItem", "HelpSearchItem", "HelpHowToUseItem"})
        Action(QString::fromLatin1(hidden))->setVisible(false);
    for (const char* disabled : {"FileNewItem", "InsertButtonWizardItem", "WindowTileItem", "WindowCascadeItem",
                                 "WindowArrangeItem", "HelpContentsItem", "HelpSearchItem", "HelpHowToUseItem"})
        Action(QString::fromLatin1(disabled))->setEnabled(false);
    Action(QStringLiteral("ToolButtonAnimate"))->setEnabled(false);
}

void TMainForm::createMenus()
{
    auto add = [this](QMenu* menu, const char* name) { menu->addAction(Action(QString::fromLatin1(name))); };
    menuFile_ = menuBar()->addMenu(QStringLiteral("&File"));
    menuFile_->setObjectName(QStringLiteral("MenuFile"));
    QMenu* newMenu = new QMenu(this);
    for (const char* name : {"FileNewWizardItem", "FileNewTemplateWizardItem", "FileNewBlankItem", "FileNewFeaturedItem"})
        add(newMenu, name);
    Action(QStringLiteral("FileNewItem"))->setMenu(newMenu);
    add(menuFile_, "FileNewItem");
    add(menuFile_, "FileNewSkin");
    add(menuFile_, "FileOpenItem");
    menuRecent_ = menuFile_->addMenu(QStringLiteral("(Re) Open..."));
    menuRecent_->setObjectName(QStringLiteral("FileOpenRecently"));
    menuRecent_->addAction(recentItems_[0]);
    menuRecent_->addSeparator();
    for (int i = 1; i < 10; ++i)
        menuRecent_->addAction(recentItems_[i]);
    menuRecent_->addSeparator();
    add(menuRecent_, "FileUnzipItem");
    add(menuRecent_, "FileOpenCurrentVXSkin");
    QMenu* engine = menuFile_->addMenu(QStringLiteral("Veneerix Commands"));
    engine->setObjectName(QStringLiteral("VeneerixCommand"));
    for (const char* name : {"Load1", "Unload1", "ReloadCurrentSkin1"})
        add(engine, name);
    add(menuFile_, "FileSetThisSkinCurrentItem");
    menuFile_->addSeparator();
    for (const char* name : {"FileSaveItem", "FileSaveAsItem", "FileZipItem", "FileCloseItem"})
        add(menuFile_, name);
    menuFile_->addSeparator();
    for (const char* name : {"FilePrintItem", "FilePrintSetupItem", "FileCreateScreenshotItem"})
        add(menuFile_, name);
    menuFile_->addSeparator();
    add(menuFile_, "FileExitItem");

    menuEdit_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    menuEdit_->setObjectName(QStringLiteral("MenuEdit"));
    add(menuEdit_, "EditDuplicateButtonItem");
    menuEdit_->addSeparator();
    for (const char* name : {"EditUndoItem", "EditRedoItem", "EditCutItem", "EditCopyItem", "EditPasteItem"})
        add(menuEdit_, name);
    menuEdit_->addSeparator();
    add(menuEdit_, "EditFindItem");

    menuView_ = menuBar()->addMenu(QStringLiteral("&View"));
    menuView_->setObjectName(QStringLiteral("MenuView"));
    add(menuView_, "ViewAttributeDescriptionItem");
    add(menuView_, "ViewChangesSinceSaveItem");
    add(menuView_, "ViewDisplayPropertiesItem");

    menuInsert_ = menuBar()->addMenu(QStringLiteral("&Insert"));
    menuInsert_->setObjectName(QStringLiteral("MenuInsert"));
    for (const char* name : {"InsertSectionItem", "InsertAttributeItem", "InsertButtonItem", "InsertButtonWizardItem",
                             "InsertClockItem"})
        add(menuInsert_, name);
    menuInsert_->addSeparator();
    add(menuInsert_, "InsertCurrentWindowsColoursItem");

    menuWindow_ = menuBar()->addMenu(QStringLiteral("&Window"));
    menuWindow_->setObjectName(QStringLiteral("MenuWindow"));
    for (const char* name : {"WindowReloadPreviewItem", "WindowButtonPaletteShow", "WindowPreviewAlwaysonTopItem",
                             "WindowPreviewItem", "WindowShowRulers", "WindowAnimateItem", "WindowDescriptionsItem",
                             "WindowHideAllItem"})
        add(menuWindow_, name);
    menuWindow_->addSeparator();
    for (const char* name : {"WindowTileItem", "WindowCascadeItem", "WindowArrangeItem", "WindowShowToolbarTextItem"})
        add(menuWindow_, name);

    menuTools_ = menuBar()->addMenu(QStringLiteral("&Tools"));
    menuTools_->setObjectName(QStringLiteral("MenuTools"));
    for (const char* name : {"WindowBrowserItem", "ToolsZoomItem", "PluginManagerMenuItem", "EditPropertiesItem"})
        add(menuTools_, name);
    menuTools_->addSeparator();
    BuildSubMenu(menuTools_, "Tools", 43);

    menuHelp_ = menuBar()->addMenu(QStringLiteral("&Help"));
    menuHelp_->setObjectName(QStringLiteral("MenuHelp"));
    menuInternet_ = menuHelp_->addMenu(QStringLiteral("Internet"));
    menuInternet_->setObjectName(QStringLiteral("HelpInternetLinksItem"));
    for (const char* name : {"HelpInternetCorvane", "HelpInternetWebSite", "HelpInternetForum", "HelpInternetDownload",
                             "HelpInternetMail"})
        add(menuInternet_, name);
    const struct {
        const char* objectName;
        const char* caption;
        const char* section;
    } dynamicMenus[] = {{"HelpHelpSitesItem", "Quick help on Internet", "HelpFiles"},
                        {"HelpSkinSitesItem", "Skin Libraries", "SkinLibraries"},
                        {"HelpRelatedSitesItem", "Halcyra", "RelatedSites"}};
    for (const auto& entry : dynamicMenus) {
        QMenu* menu = menuHelp_->addMenu(QString::fromLatin1(entry.caption));
        menu->setObjectName(QString::fromLatin1(entry.objectName));
        BuildSubMenu(menu, entry.section, 11);
    }
    add(menuHelp_, "HelpFaqMenuItem");
    menuHelp_->addSeparator();
    for (const char* name : {"HelpContentsItem", "HelpSearchItem", "HelpHowToUseItem", "HelpAboutItem"})
        add(menuHelp_, name);

    menuDebug_ = menuBar()->addMenu(QStringLiteral("Debug"));
    menuDebug_->setObjectName(QStringLiteral("DebugMenuItem"));
    add(menuDebug_, "DebugTotalsItem");
    menuDebug_->menuAction()->setVisible(settings_->ReadBool("GENERAL", "Debug", false));
}

void TMainForm::BuildSubMenu(QMenu* menu, const char* section, int image)
{
    const bool tools = std::string(section) == "Tools";
    for (int n = 1; settings_->ValueExists(section, "URL" + intToStr(n)); ++n) {
        QAction* item = menu->addAction(glyphIcon(image), fromBytes(settings_->ReadString(section, "Name" + intToStr(n), "UNDEFINED")));
        item->setObjectName(QString::fromLatin1(section) + QString::number(n));
        item->setToolTip(fromBytes(settings_->ReadString(section, "URL" + intToStr(n), "UNDEFINED")));
        item->setStatusTip(item->toolTip());
        connect(item, &QAction::triggered, this, [this, item, tools] { DynamicMenuItemClick(item, tools); });
    }
}

void TMainForm::DynamicMenuItemClick(QAction* item, bool tools)
{
    QString hint = item->toolTip();
    if (tools)
        shell().open(QString::fromStdString((programFolder() / toBytes(hint)).string()));
    else
        shell().open(hint);
}

void TMainForm::createToolBars()
{
    auto makeBar = [this](const char* objectName, const QString& title, std::initializer_list<const char*> items) {
        QToolBar* bar = addToolBar(title);
        bar->setObjectName(QString::fromLatin1(objectName));
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        for (const char* item : items)
            bar->addAction(Action(QString::fromLatin1(item)));
        connect(bar, &QWidget::customContextMenuRequested, this,
                [this, bar](const QPoint& at) { toolbarPopup_->popup(bar->mapToGlobal(at)); });
        return bar;
    };
    toolbarPopup_ = new QMenu(this);
    toolbarPopup_->setObjectName(QStringLiteral("PopupMenuToolbar"));
    QAction* textItem = toolbarPopup_->addAction(QStringLiteral("Show Toolbar Text"));
    textItem->setObjectName(QStringLiteral("PopupShowToolbarText"));
    textItem->setCheckable(true);
    actions_[textItem->objectName()] = textItem;

    ToolBarStandard = makeBar("ToolBarStandard", QStringLiteral("Standard"),
                              {"ToolButtonNew", "ToolButtonOpen", "ToolButtonSave", "ToolButtonZip", "ToolButtonApply",
                               "ToolButtonFind", "ToolButtonBrowser", "ToolButtonPreferences", "ToolButtonInternet"});
    if (auto* open = qobject_cast<QToolButton*>(ToolBarStandard->widgetForAction(Action(QStringLiteral("ToolButtonOpen"))))) {
        open->setMenu(menuRecent_);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }
    if (auto* internet =
            qobject_cast<QToolButton*>(ToolBarStandard->widgetForAction(Action(QStringLiteral("ToolButtonInternet"))))) {
        internet->setMenu(menuInternet_);
        internet->setPopupMode(QToolButton::MenuButtonPopup);
    }
    ToolBarPreview = makeBar("ToolBarPreview", QStringLiteral("Preview"),
                             {"ToolButtonPreview", "ToolButtonRulers", "ToolButtonOnTop", "ToolButtonAnimate",
                              "ToolButtonSkinshot", "ToolButtonZoom", "ToolButtonReload"});
    ToolBarRichEdit = makeBar("ToolBarRichEdit", QStringLiteral("Code"),
                              {"ToolButtonUndo", "ToolButtonCut", "ToolButtonCopy", "ToolButtonPaste"});
    addToolBarBreak();
    ToolBarValueEditor = addToolBar(QStringLiteral("Value"));
    ToolBarValueEditor->setObjectName(QStringLiteral("ValueEditorBand"));
    ToolBarValueEditor->setMovable(false);
    // Which attribute the band edits, so a value is never typed into the wrong one.
    LabelEditedAttribute = new QLabel(ToolBarValueEditor);
    LabelEditedAttribute->setObjectName(QStringLiteral("LabelEditedAttribute"));
    LabelEditedAttribute->setContentsMargins(4, 0, 8, 0);
    ToolBarValueEditor->addWidget(LabelEditedAttribute);
    band_ = new ValueEditorBand(*this, ToolBarValueEditor);
    ToolBarValueEditor->addWidget(band_);
}

void TMainForm::connectActions()
{
    auto on = [this](const char* name, auto handler) {
        connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("FileOpenItem", [this] { FileOpenItemClick(); });
    on("ToolButtonOpen", [this] { FileOpenItemClick(); });
    for (int i = 0; i < 10; ++i)
        connect(recentItems_[i], &QAction::triggered, this, [this, i] { RecentItemClick(i); });
    on("FileOpenCurrentVXSkin", [this] { FileOpenCurrentVXSkinClick(); });
    on("Load1", [] {
        if (Engine::installed(true))
            Engine().launch();
    });
    on("Unload1", [] { Engine::shutDown(); });
    on("ReloadCurrentSkin1", [] { Engine::reloadCurrent(); });
    on("FileSetThisSkinCurrentItem", [this] { FileSetThisSkinCurrentItemClick(); });
    on("ToolButtonApply", [this] { FileSetThisSkinCurrentItemClick(); });
    on("FileSaveItem", [this] { FileSave(); });
    on("ToolButtonSave", [this] { FileSave(); });
    on("FileSaveAsItem", [this] { FileSaveAs(); });
    on("FileCloseItem", [this] { FileCloseItemClick(); });
    on("FileExitItem", [this] { close(); });
    // The gallery's wizard entry runs this action too.
    on("FileNewWizardItem", [this] {
        TfrmNewSkinWizard wizard(*settings_, editorState().EngineFolder, this);
        if (wizard.exec() == QDialog::Accepted && !wizard.CreatedFile().isEmpty()) {
            OpenFileName = wizard.CreatedFile();
            FileOpenRoutine();
        }
    });
    on("FileNewTemplateWizardItem", [this] {
        TScratchPreviewForm picture(this);
        TNewSkinfromAScratchForm wizard(*settings_, editorState().EngineFolder, picture, this);
        if (wizard.exec() == QDialog::Accepted && !wizard.CreatedFile().isEmpty()) {
            OpenFileName = wizard.CreatedFile();
            FileOpenRoutine();
        }
    });
    on("FileNewSkin", [this] { NewSkinClick(); });
    on("ToolButtonNew", [this] { NewSkinClick(); });
    // The button wizard only guides and is not offered in the menu; it writes nothing.
    on("InsertButtonWizardItem", [this] { TfrmAddButtonWizard(this).exec(); });
    on("InsertClockItem", [this] { if (explorer_) explorer_->ClockAdd(); });
    on("EditDuplicateButtonItem", [this] {
        if (explorer_)
            explorer_->ButtonDuplicate(editorState().CurrentSection);
    });
    // Insertion and the button palette live in the explorer (ExplorerInsertion.cpp).
    on("InsertSectionItem", [this] { if (explorer_) explorer_->SectionAdd(); });
    on("InsertAttributeItem", [this] { if (explorer_) explorer_->AttributeAdd(); });
    on("InsertButtonItem", [this] { if (explorer_) explorer_->ButtonAdd(); });
    on("EditFindItem", [this] { EditFindItemClick(); });
    on("ToolButtonFind", [this] { EditFindItemClick(); });
    on("ViewAttributeDescriptionItem", [this] { if (explorer_) explorer_->DescribeAttribute(); });
    connect(Action(QStringLiteral("WindowButtonPaletteShow")), &QAction::triggered, this, [this](bool checked) {
        if (explorer_)
            explorer_->ShowLayers(checked, true);
        else
            Action(QStringLiteral("WindowButtonPaletteShow"))->setChecked(false);
    });
    on("ViewDisplayPropertiesItem", [this] { ViewDisplayPropertiesItemClick(); });
    on("ViewChangesSinceSaveItem", [this] { ViewChangesSinceSaveItemClick(); });
    for (const char* name : {"ToolsZoomItem", "ToolButtonZoom"})
        on(name, [this] {
            if (explorer_ && editorState().DocumentReady)
                explorer_->ShowPage("TabSheetZoom");
        });
    // Undo and redo follow the document's history, except on the code page, where they
    // and cut, copy and paste act on its text.
    QUndoStack& stack = history_->Stack();
    auto codeView = [this]() -> TCodeView* { return codePage_ && explorer_ ? explorer_->CodeRichEdit : nullptr; };
    for (const char* name : {"EditUndoItem", "ToolButtonUndo"})
        on(name, [this, codeView] {
            if (TCodeView* code = codeView())
                code->undo();
            else
                history_->Stack().undo();
        });
    on("EditRedoItem", [this, codeView] {
        if (TCodeView* code = codeView())
            code->redo();
        else
            history_->Stack().redo();
    });
    for (const char* name : {"EditCutItem", "ToolButtonCut"})
        on(name, [codeView] { if (TCodeView* code = codeView()) code->cut(); });
    for (const char* name : {"EditCopyItem", "ToolButtonCopy"})
        on(name, [codeView] { if (TCodeView* code = codeView()) code->copy(); });
    for (const char* name : {"EditPasteItem", "ToolButtonPaste"})
        on(name, [codeView] { if (TCodeView* code = codeView()) code->paste(); });
    on("FilePrintItem", [this] { FilePrintItemClick(); });
    on("FilePrintSetupItem", [this] { FilePrintSetupItemClick(); });
    connect(&stack, &QUndoStack::canUndoChanged, this, [this] { UpdateEditItems(); });
    connect(&stack, &QUndoStack::canRedoChanged, this, [this] { UpdateEditItems(); });
    UpdateEditItems();
    connect(&stack, &QUndoStack::undoTextChanged, this, [this] { UpdateEditItems(); });
    connect(&stack, &QUndoStack::redoTextChanged, this, [this] { UpdateEditItems(); });
    connect(&stack, &QUndoStack::cleanChanged, this, [this] { updateModified(); });
    connect(history_, &DocumentHistory::Restored, this, [this] {
        EditorState& state = editorState();
        state.CodeStale = state.AnalysisStale = true;
        if (explorer_)
            explorer_->RefreshFromDocument();
        updateModified();
    });
    connect(history_, &DocumentHistory::RestoreFailed, this, [](const QString& message) {
        prompts().message(message, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
    });
    on("InsertCurrentWindowsColoursItem", [this] { InsertCurrentWindowsColoursItemClick(); });
    on("WindowDescriptionsItem", [this] { WindowDescriptionsItemClick(); });
    on("WindowShowRulers", [this] {
        bool checked = Action(QStringLiteral("WindowShowRulers"))->isChecked();
        editorState().RulersVisible = checked;
        Action(QStringLiteral("ToolButtonRulers"))->setChecked(checked);
        sizeBar_->hide();
    });
    on("ToolButtonRulers", [this] { Action(QStringLiteral("WindowShowRulers"))->trigger(); });
    on("WindowPreviewAlwaysonTopItem", [this] {
        bool onTop = Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->isChecked();
        Action(QStringLiteral("ToolButtonOnTop"))->setChecked(onTop);
        if (explorer_)
            explorer_->SetPreviewsOnTop(onTop);
    });
    auto reload = [this] {
        if (!explorer_)
            return;
        // The previews show the text being edited on the code page.
        if (explorer_->CodePageActive())
            explorer_->SaveCode();
        explorer_->ReloadPreviews();
    };
    on("WindowReloadPreviewItem", reload);
    on("ToolButtonReload", reload);
    // "Preview" and "Show Preview" show or hide both previews together.
    on("ToolButtonPreview", [this] {
        bool shown = Action(QStringLiteral("ToolButtonPreview"))->isChecked();
        Action(QStringLiteral("WindowPreviewItem"))->setChecked(shown);
        if (explorer_)
            explorer_->ShowPreviews(shown);
    });
    on("WindowPreviewItem", [this] { Action(QStringLiteral("WindowHideAllItem"))->trigger(); });
    // The item is kept out of the menus, where a hidden action's key does nothing: the
    // window takes the key itself.
    auto* showPreview = new QShortcut(Action(QStringLiteral("WindowPreviewItem"))->shortcut(), this);
    showPreview->setObjectName(QStringLiteral("ShowPreviewKey"));
    connect(showPreview, &QShortcut::activated, Action(QStringLiteral("WindowPreviewItem")), &QAction::trigger);
    on("WindowHideAllItem", [this] {
        if (!editorState().DocumentReady || !explorer_)
            return;
        // The button palette goes and comes back with the previews.
        QAction* palette = Action(QStringLiteral("WindowButtonPaletteShow"));
        if (Action(QStringLiteral("WindowHideAllItem"))->isChecked()) {
            previewsWereVisible_ = explorer_->PreviewsVisible();
            paletteWasVisible_ = explorer_->Layers() && explorer_->Layers()->isVisible();
            explorer_->ShowPreviews(false);
            explorer_->ShowLayers(false);
        } else {
            explorer_->ShowPreviews(previewsWereVisible_);
            if (paletteWasVisible_) {
                explorer_->ShowLayers(true);
                palette->setChecked(true);
            }
            Action(QStringLiteral("WindowPreviewItem"))->setChecked(previewsWereVisible_);
            Action(QStringLiteral("ToolButtonPreview"))->setChecked(previewsWereVisible_);
        }
    });
    on("ToolButtonOnTop", [this] { Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->trigger(); });
    on("WindowAnimateItem", [this] {
        const bool animate = Action(QStringLiteral("WindowAnimateItem"))->isChecked();
        Action(QStringLiteral("ToolButtonAnimate"))->setChecked(animate);
        if (explorer_)
            explorer_->AnimatePreviews(animate);
    });
    on("ToolButtonAnimate", [this] {
        const bool animate = Action(QStringLiteral("ToolButtonAnimate"))->isChecked();
        Action(QStringLiteral("WindowAnimateItem"))->setChecked(animate);
        if (explorer_)
            explorer_->AnimatePreviews(animate);
    });
    on("WindowShowToolbarTextItem", [this] {
        Action(QStringLiteral("PopupShowToolbarText"))->setChecked(Action(QStringLiteral("WindowShowToolbarTextItem"))->isChecked());
        UpdateToolbarTextVisibility();
    });
    on("PopupShowToolbarText", [this] { Action(QStringLiteral("WindowShowToolbarTextItem"))->trigger(); });
    on("ToolButtonInternet", [] { shell().open(QString::fromLatin1(kProductSite)); });
    on("HelpInternetCorvane", [] { shell().open(QStringLiteral("https://corvane.example.com/")); });
    on("HelpInternetWebSite", [] { shell().open(QString::fromLatin1(kProductSite)); });
    on("HelpInternetForum", [] { shell().open(QStringLiteral("news://news.skinwright.example.org/skinwright")); });
    on("HelpInternetDownload", [] { shell().open(QString::fromLatin1(kProductSite) + QStringLiteral("download/")); });
    on("HelpInternetMail", [] { shell().open(QStringLiteral("mailto:team@skinwright.example.org")); });
    on("DebugTotalsItem", [this] {
        if (!debug_)
            debug_ = new TFormDebug(this);
        debug_->show();
        debug_->raise();
    });
    on("HelpAboutItem", [this] { TAboutBox(this).exec(); });
    // Archives and the skin browser.
    on("FileZipItem", [this] { ZipPersonality(*this); });
    on("ToolButtonZip", [this] { ZipPersonality(*this); });
    on("FileUnzipItem", [this] { OpenZipped(*this); });
    on("WindowBrowserItem", [this] { ShowSkinBrowser(*this); });
    on("ToolButtonBrowser", [this] { ShowSkinBrowser(*this); });
    on("HelpFaqMenuItem", [] { shell().open(QString::fromStdString((programFolder() / "faq.txt").string())); });

    // Ctrl+D belongs to "Duplicate Button" while a button section is selected and to
    // "Show Descriptions" otherwise, so the key never reaches two items at once.
    QAction* duplicate = Action(QStringLiteral("EditDuplicateButtonItem"));
    connect(duplicate, &QAction::enabledChanged, this, [this](bool enabled) {
        Action(QStringLiteral("WindowDescriptionsItem"))
            ->setShortcut(enabled ? QKeySequence() : QKeySequence(QStringLiteral("Ctrl+D")));
    });
    duplicate->setEnabled(false);
    Action(QStringLiteral("WindowDescriptionsItem"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
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

std::function<bool(QPrinter&)>& TMainForm::PrintDialogHook()
{
    static std::function<bool(QPrinter&)> hook;
    return hook;
}

QPrinter& TMainForm::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TMainForm::FilePrintItemClick()
{
    if (!explorer_ || !explorer_->CodePageActive())
        return;
    QPrinter& printer = Printer();
    bool accepted;
    if (PrintDialogHook()) {
        accepted = PrintDialogHook()(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        explorer_->CodeRichEdit->Print(printer, explorer_->CodePrintTitle());
}

void TMainForm::FilePrintSetupItemClick()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
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

void TMainForm::OpenDocument(const QString& file)
{
    OpenFileName = file;
    FileOpenRoutine();
}

std::string TMainForm::AddClock(TUisFile& document, QWidget* parent)
{
    TAddClockWizardForm wizard(document, parent);
    if (wizard.exec() != QDialog::Accepted)
        return {};
    return writeClockKeys(document, wizard.Keys());
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
    auto source = resolveFileReference(templates, upperTemplate + ".uis");
    if (!source || !fs::is_regular_file(*source, ec)) {
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
        writeFileAtomically(target, {withoutLeadingComments(readFileBytes(*source))});
    } catch (const std::exception& error) {
        prompts().message(QStringLiteral("Unable to create ") + QString::fromStdString(target.string()) +
                              QStringLiteral("\n\n") + QString::fromLocal8Bit(error.what()),
                          QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    OpenFileName = QString::fromStdString(target.string());
    {
        TUisFile document(target.string());
        // A template keeps its pictures in a folder of its name, as an installed
        // personality does, or (older templates) directly in the template folder.
        const auto own = resolveFileReference(templates, upperTemplate);
        const fs::path pictures = own && fs::is_directory(*own, ec) ? *own : templates;
        relocateReferences(document, upperTemplate + "\\", newName, pictures, folder);
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
