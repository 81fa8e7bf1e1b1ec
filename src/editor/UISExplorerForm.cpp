// The personality explorer: its widgets and pages, loading and closing a document,
// the section tree and the page changes. The attribute list is in ExplorerRows.cpp,
// the previews in ExplorerPreviews.cpp, the code page in ExplorerCode.cpp, insertion
// in ExplorerInsertion.cpp.
#include "editor/UISExplorerForm.h"

#include "common/FormValidator.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "document/UisFile.h"
#include "editor/ButtonDesigner.h"
#include "editor/EditorHostWindow.h"
#include "editor/ExplorerRows.h"
#include "editor/FrmLayers.h"
#include "editor/ScriptEditor.h"
#include "editor/ZoomView.h"
#include "engine/EditorState.h"
#include "engine/PromptService.h"
#include "preview/PreviewForm.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

std::string nodeSection(const QTreeWidgetItem* item)
{
    return item ? toBytes(item->data(0, kSectionRole).toString()) : std::string();
}

}  // namespace

void AttributeListView::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dropEvent(event);
    emit rowsReordered();
}

TUISExplorerForm::TUISExplorerForm(EditorHostWindow& main) : QWidget(main.Window()), main_(main)
{
    setObjectName(QStringLiteral("UISExplorerForm"));
    setWindowTitle(QStringLiteral("Personality Explorer"));
    buildWidgets();
    buildPopupMenu();
}

TUISExplorerForm::~TUISExplorerForm()
{
    destroyPreviews();
}

void TUISExplorerForm::buildWidgets()
{
    TreeViewSectionExplorer = new QTreeWidget(this);
    TreeViewSectionExplorer->setObjectName(QStringLiteral("TreeViewSectionExplorer"));
    TreeViewSectionExplorer->setHeaderHidden(true);
    TreeViewSectionExplorer->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeViewSectionExplorer->setEditTriggers(QAbstractItemView::NoEditTriggers);

    PageControlViewSelector = new QTabWidget(this);
    PageControlViewSelector->setObjectName(QStringLiteral("PageControlViewSelector"));
    ListViewExplorer = new AttributeListView;
    ListViewExplorer->setObjectName(QStringLiteral("ListViewExplorer"));
    ListViewExplorer->setRootIsDecorated(false);
    ListViewExplorer->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewExplorer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewExplorer->setDragDropMode(QAbstractItemView::InternalMove);
    ListViewExplorer->setContextMenuPolicy(Qt::CustomContextMenu);
    ListViewExplorer->setAllColumnsShowFocus(true);
    ListViewExplorer->setMouseTracking(true);

    const struct {
        const char* objectName;
        const char* caption;
    } pages[] = {{"TabSheetSection", "Section"}, {"TabSheetCodeView", "Code"}, {"TabSheetScriptEditor", "Scripts"},
                 {"TabSheetAnalyze", "Analyze"}, {"TabSheetImage", "Image"}, {"TabSheetZoom", "Zoom"}};
    for (const auto& page : pages) {
        QWidget* sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(page.objectName));
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(0, 0, 0, 0);
        if (QLatin1String(page.caption) == QLatin1String("Section"))
            layout->addWidget(ListViewExplorer);
        if (QLatin1String(page.caption) == QLatin1String("Code"))
            codeSheet_ = sheet;
        if (QLatin1String(page.caption) == QLatin1String("Scripts"))
            layout->addWidget(Scripts = new TScriptEditorPage);
        if (QLatin1String(page.caption) == QLatin1String("Image"))
            layout->addWidget(Designer = new TButtonDesignerPage);
        if (QLatin1String(page.caption) == QLatin1String("Zoom")) {
            layout->addWidget(Zoom = new TZoomViewPage);
            Zoom->PreviewPicture = [this](bool active) -> const QImage* {
                TPreviewForm* preview = previews_[active ? 0 : 1];
                return preview && editorState().PreviewEnabled ? &preview->Picture() : nullptr;
            };
        }
        if (QLatin1String(page.caption) == QLatin1String("Analyze")) {
            ListViewValidator = new QTreeWidget;
            ListViewValidator->setObjectName(QStringLiteral("ListViewValidator"));
            ListViewValidator->setEditTriggers(QAbstractItemView::NoEditTriggers);
            layout->addWidget(ListViewValidator);
        }
        PageControlViewSelector->addTab(sheet, QString::fromLatin1(page.caption));
    }

    auto* splitter = new QSplitter(this);
    splitter->addWidget(TreeViewSectionExplorer);
    splitter->addWidget(PageControlViewSelector);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 600});
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter, 1);
    layout->addWidget(StatusBar);
    buildCodePage(codeSheet_);
    currentPage_ = PageControlViewSelector->currentWidget();

    ListViewExplorer->setItemDelegate(new HotTrackDelegate(ListViewExplorer));
    main_.BindHideAllKey(TreeViewSectionExplorer);
    main_.BindHideAllKey(ListViewExplorer);
    connect(TreeViewSectionExplorer, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) {
                if (!loadingTree_)
                    TreeViewSectionExplorerChange(current);
            });
    connect(ListViewExplorer, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        ListViewExplorerSelectItem(current, current != nullptr);
    });
    connect(PageControlViewSelector, &QTabWidget::currentChanged, this,
            &TUISExplorerForm::PageControlViewSelectorChange);
    connect(ListViewValidator, &QTreeWidget::itemDoubleClicked, this, &TUISExplorerForm::ListViewValidatorDblClick);
    connect(ListViewExplorer, &AttributeListView::rowsReordered, this, &TUISExplorerForm::ListViewExplorerReordered);
    connect(Designer, &TButtonDesignerPage::Applied, this, [this] {
        ReLoadSectionValues();
        main_.NotifyModification(QStringLiteral("Image Settings"));
    });
    connect(TreeViewSectionExplorer, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // A right click selects the node under the mouse first.
        if (QTreeWidgetItem* item = TreeViewSectionExplorer->itemAt(at))
            TreeViewSectionExplorer->setCurrentItem(item);
        PopupMenuAttributeListPopup(TreeViewSectionExplorer->viewport()->mapToGlobal(at), TreeViewSectionExplorer);
    });
    connect(ListViewExplorer, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenuAttributeListPopup(ListViewExplorer->viewport()->mapToGlobal(at), ListViewExplorer);
    });
}

void TUISExplorerForm::buildPopupMenu()
{
    PopupMenuAttributeList = new QMenu(this);
    PopupMenuAttributeList->setObjectName(QStringLiteral("PopupMenuAttributeList"));
    const struct {
        const char* objectName;
        const char* caption;
        int image;
        int type;  // edit-as type, or -1
    } items[] = {
        {"EditAsString", "Edit as &String", 1, 1},     {"EditAsInteger", "Edit as &Integer", 2, 2},
        {"EditAsFile", "Edit as &File", 5, 5},         {"EditAsBoolean", "Edit as &Boolean", 4, 4},
        {"EditAsColor", "Edit as &Color", 6, 6},       {"EditAsChoice", "Edit as C&hoice", 3, 3},
        {"EditAsFullColor", "Edit as F&ull Color", 7, 7},
        {"PopupSeparatorEdit", "-", -1, -1},
        {"PopupOpenSection", "&Open Section", -1, -1}, {"PopupAddSection", "Add Section", 58, -1},
        {"PopupRemoveSection", "Remove Section", 59, -1},
        {"PopupSeparatorSection", "-", -1, -1},
        {"PopupAddAttribute", "Add Attribute", 56, -1}, {"PopupRemoveAttribute", "Remove Attribute", 57, -1},
        {"PopupDescribeAttribute", "Describe Attribute", -1, -1},
        {"PopupDuplicateButton", "Duplicate Button", -1, -1},
    };
    for (const auto& item : items) {
        QAction* action = QLatin1String(item.caption) == QLatin1String("-")
                              ? PopupMenuAttributeList->addSeparator()
                              : PopupMenuAttributeList->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.objectName));
        if (item.image >= 0)
            action->setIcon(glyphIcon(item.image));
        if (item.type > 0)
            connect(action, &QAction::triggered, this, [this, type = item.type] { EditAs(type); });
    }
    auto find = [this](const char* name) { return PopupMenuAttributeList->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(find("PopupOpenSection"), &QAction::triggered, this, [this] {
        if (popupNode_)
            TreeViewSectionExplorer->setCurrentItem(popupNode_);
    });
    connect(find("PopupRemoveSection"), &QAction::triggered, this, [this] {
        if (!popupNode_)
            return;
        TreeViewSectionExplorer->setCurrentItem(popupNode_);
        SectionRemove(nodeSection(popupNode_));
    });
    connect(find("PopupRemoveAttribute"), &QAction::triggered, this, &TUISExplorerForm::AttributeRemove);
    connect(find("PopupDuplicateButton"), &QAction::triggered, this,
            [this] { ButtonDuplicate(editorState().CurrentSection); });
    connect(find("PopupAddSection"), &QAction::triggered, this, &TUISExplorerForm::SectionAdd);
    connect(find("PopupAddAttribute"), &QAction::triggered, this, &TUISExplorerForm::AttributeAdd);
    connect(find("PopupDescribeAttribute"), &QAction::triggered, this, &TUISExplorerForm::DescribeAttribute);
}

bool TUISExplorerForm::Load()
{
    EditorState& state = editorState();
    // Nothing of a previous document's selection may decide what this one shows.
    clearSelection(state);
    document_ = std::make_unique<TUisFile>(state.WorkingCopyPath);
    // The working copy is scratch: Save writes the personality durably, so its many
    // small edits need not wait for the disk each time.
    document_->SetDurable(false);
    if (state.ReadOnly)
        document_->SetFolder(fs::path(state.DocumentPath).parent_path());
    document_->DescriptiveNames = state.DescriptiveNames;
    for (const fs::path& file : pluginCatalogueFiles(document_->Folder(), programFolder()))
        document_->MergePluginDefinitions(file.string());

    state.SkinName = document_->PersonalityName();
    state.DocumentOpen = state.DocumentReady = state.PreviewEnabled = true;
    switch (document_->FormatVersion()) {
    case UisType1:
        prompts().message(QStringLiteral("This file has an old format called UIS 1, that is no longer supported by "
                                         "Corvane.\rYou will be able to edit this file but no preview is available."),
                          QStringLiteral("Warning! Old file format."), PromptIcon::Error, PromptButtons::Ok);
        state.PreviewEnabled = false;
        break;
    case UisTypeUnknown:
        prompts().message(QStringLiteral("This is file format is either not supported or the file is corrupted.\n\n") +
                              fromBytes(editorState().DocumentPath),
                          QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
        state.DocumentOpen = state.DocumentReady = false;
        return false;
    default:
        break;
    }
    main_.Window()->setWindowTitle(QStringLiteral("Skinwright  -  ") + fromBytes(state.SkinName));
    std::string notes = document_->ReadString("TITLEBARSKIN", "EditorNotes", kMissingValue);
    if (notes != kMissingValue)
        prompts().message(fromBytes(notes), QStringLiteral("Author Notes"), PromptIcon::Information, PromptButtons::Ok);
    PageControlViewSelector->setCurrentIndex(0);
    state.CodeStale = state.AnalysisStale = true;
    int version = document_->FormatVersion();
    if (version != UisType2 && version != UisType1p) {
        for (const char* page : {"TabSheetScriptEditor", "TabSheetZoom"})
            if (QWidget* sheet = PageControlViewSelector->findChild<QWidget*>(QString::fromLatin1(page)))
                PageControlViewSelector->setTabVisible(PageControlViewSelector->indexOf(sheet), false);
    }
    editAsOverride_ = -1;
    ApplyHotTracking(main_.Settings().ReadBool("General", "AttributesHotTrack", true));
    TreeViewLoad();
    if (version == UisType2 || version == UisType1p)
        createPreviews();
    return true;
}

bool TUISExplorerForm::Close()
{
    EditorState& state = editorState();
    // Only a personality that opened is worth offering again.
    if (state.DocumentReady)
        main_.SaveRecentList();
    main_.LoadRecentList();
    bool save = false;
    // Escape or closing the box is Cancel: the document stays open as it was.
    if (state.DocumentOpen && state.Modified) {
        const PromptAnswer answer =
            prompts().message(QStringLiteral("Save Changes to ") + fromBytes(state.SkinName) + QStringLiteral("?"),
                              QStringLiteral("Confirm"), PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return false;
        save = answer == PromptAnswer::Yes;
    }
    // An edited script is asked about next; Cancel there keeps everything open as it
    // was, so neither the script's nor the document's edits are lost.
    if (!Scripts->SaveScript())
        return false;
    if (save) {
        main_.FileSave();
        // A save that failed or was cancelled keeps the document open: the working
        // copy holds the only copy of the edits.
        if (state.Modified)
            return false;
    }
    state.PreviewEnabled = false;
    destroyPreviews();
    document_.reset();
    std::error_code ec;
    fs::remove(state.WorkingCopyPath, ec);
    state.DocumentOpen = state.DocumentReady = false;
    SaveColumns();
    return true;
}

void TUISExplorerForm::TreeViewLoad()
{
    loadingTree_ = true;
    TreeViewSectionExplorer->clear();
    SectionNode root = buildSectionTree(*document_, editorState().SkinName);
    addTreeItems(nullptr, root);
    TreeViewSectionExplorer->setFocus();
    if (QTreeWidgetItem* top = TreeViewSectionExplorer->topLevelItem(0))
        top->setExpanded(true);
    TreeViewSectionExplorer->setCurrentItem(nullptr);
    TreeViewSectionExplorer->clearSelection();
    loadingTree_ = false;
}

void TUISExplorerForm::addTreeItems(QTreeWidgetItem* parent, const SectionNode& node)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeViewSectionExplorer);
    item->setText(0, fromBytes(node.caption));
    item->setData(0, kSectionRole, fromBytes(node.section));
    QIcon icon;
    icon.addPixmap(glyphPixmap(node.image), QIcon::Normal, QIcon::Off);
    icon.addPixmap(glyphPixmap(node.selectedImage), QIcon::Selected, QIcon::Off);
    item->setIcon(0, icon);
    for (const SectionNode& child : node.children)
        addTreeItems(item, child);
}

QTreeWidgetItem* TUISExplorerForm::findNode(const std::string& section) const
{
    for (QTreeWidgetItemIterator it(TreeViewSectionExplorer); *it; ++it)
        if (sameText(nodeSection(*it), section))
            return *it;
    return nullptr;
}

void TUISExplorerForm::SelectRoot()
{
    if (QTreeWidgetItem* root = TreeViewSectionExplorer->topLevelItem(0))
        TreeViewSectionExplorer->setCurrentItem(root);
}

void TUISExplorerForm::SectionChange(const std::string& section)
{
    if (QTreeWidgetItem* node = findNode(section))
        TreeViewSectionExplorer->setCurrentItem(node);
}

void TUISExplorerForm::ShowPage(const char* objectName)
{
    if (QWidget* sheet = PageControlViewSelector->findChild<QWidget*>(QString::fromLatin1(objectName)))
        PageControlViewSelector->setCurrentWidget(sheet);
}

void TUISExplorerForm::ShowStatus(const QString& text)
{
    statusText_ = text;
    // The code page's panels take the bar's place; the text returns after it.
    if (!codePanelsShown_)
        StatusBar->showMessage(text);
}

void TUISExplorerForm::TreeViewSectionExplorerChange(QTreeWidgetItem* current)
{
    if (!current)
        return;
    SectionReload(nodeSection(current));
    EditorState& state = editorState();
    if (QAction* duplicate = main_.Action(QStringLiteral("EditDuplicateButtonItem")))
        duplicate->setEnabled(state.CurrentButton != -1);
    int image = PageControlViewSelector->indexOf(PageControlViewSelector->findChild<QWidget*>(QStringLiteral("TabSheetImage")));
    if (state.CurrentButton == -1) {
        bool hasImage = document_->Definition().ValueExists("Root," + state.DefinitionSection, "Image");
        PageControlViewSelector->setTabVisible(image, hasImage);
        if (!hasImage && PageControlViewSelector->currentIndex() == image)
            PageControlViewSelector->setCurrentIndex(0);
        else if (hasImage && PageControlViewSelector->currentIndex() == image)
            Designer->getImageForButtonDesigner(*document_);
    } else {
        PageControlViewSelector->setCurrentIndex(0);
        PageControlViewSelector->setTabVisible(image, false);
    }
}

void TUISExplorerForm::PageControlViewSelectorChange(int index)
{
    if (!document_)
        return;
    QWidget* page = PageControlViewSelector->widget(index);
    QWidget* left = currentPage_;
    currentPage_ = page;
    if (left == codeSheet_ && page != codeSheet_)
        leaveCodePage();
    EditorState& state = editorState();
    if (page == codeSheet_)
        enterCodePage();
    if (page->objectName() == QLatin1String("TabSheetScriptEditor"))
        Scripts->Fill(*document_);
    if (page->objectName() == QLatin1String("TabSheetZoom"))
        Zoom->Start();
    else
        Zoom->Stop();
    if (page->objectName() == QLatin1String("TabSheetImage"))
        Designer->getImageForButtonDesigner(*document_);
    if (page->objectName() == QLatin1String("TabSheetAnalyze") && state.AnalysisStale) {
        document_->UpdateFile();
        fillValidatorList(ListViewValidator, validate(*document_, document_->DiskPath(), document_->SkinsRoot()));
        state.AnalysisStale = false;
    } else if (page->objectName() == QLatin1String("TabSheetSection")) {
        if (left == codeSheet_)
            ReLoadSectionValues();
        ListViewExplorerSelectItem(ListViewExplorer->currentItem(), ListViewExplorer->currentItem() != nullptr);
    }
}

void TUISExplorerForm::ListViewValidatorDblClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    auto [section, attribute] = validatorRowTarget(ListViewValidator, ListViewValidator->indexOfTopLevelItem(item));
    PageControlViewSelector->setCurrentIndex(0);
    AttributeSelect(section, attribute);
}

}  // namespace sw
