// The main window's actions, menus and tool bars, and what each action does.
#include "common/Latin1.h"
#include "mainwindow/MainForm.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "editor/AboutBox.h"
#include "editor/CodeView.h"
#include "editor/DocumentHistory.h"
#include "engine/EditorState.h"
#include "editor/FindForm.h"
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
#include "engine/Shell.h"
#include "mainwindow/ManageCommands.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "preview/WindowPlacement.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"
#include "store/StringOps.h"
#include "wizards/ButtonWizardForm.h"
#include "wizards/NewSkinWizard.h"
#include "wizards/NewSkinfromAScratchForm.h"
#include "wizards/ScratchPreviewForm.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>
#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

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

}  // namespace sw
