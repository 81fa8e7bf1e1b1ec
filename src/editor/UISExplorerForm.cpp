#include "common/Latin1.h"
#include "editor/UISExplorerForm.h"

#include "document/UisFile.h"
#include "editor/ButtonDesigner.h"
#include "editor/CodeView.h"
#include "editor/ScriptEditor.h"
#include "engine/EditorState.h"
#include "common/FormValidator.h"
#include "editor/FrmLayers.h"
#include "common/GlyphList.h"
#include "editor/EditorHostWindow.h"
#include "editor/ZoomView.h"
#include "engine/PromptService.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "preview/WindowPlacement.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <QAction>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kSectionRole = Qt::UserRole;
constexpr int kRawValueRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2;
constexpr int kDescriptionRole = Qt::UserRole + 3;

std::string nodeSection(const QTreeWidgetItem* item)
{
    return item ? toBytes(item->data(0, kSectionRole).toString()) : std::string();
}

}  // namespace

// The row under the mouse reads like a link while hot tracking is on.
class HotTrackDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool enabled = true;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (enabled && option->state.testFlag(QStyle::State_MouseOver))
            option->font.setUnderline(true);
    }
};

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

void TUISExplorerForm::createPreviews()
{
    // The size bar's edits recompose both looks and show the new values.
    connect(main_.SizeBar(), &TSizeBarForm::Changed, this, [this] {
        main_.NotifyModification(QStringLiteral("Size Bar"));
        for (TPreviewForm* preview : previews_)
            if (preview)
                preview->ConstructPreview();
        if (sameText(editorState().CurrentSection, TSizeBarForm::EdgeSection(*document_)))
            ReLoadSectionValues();
    });
    const bool restore = main_.Settings().ReadBool("General", "WindowsSizeRestore", false);
    for (int i = 0; i < 2; ++i) {
        auto* preview = new TPreviewForm(main_.Settings());
        preview->setObjectName(i == 0 ? QStringLiteral("PreviewActive") : QStringLiteral("PreviewInactive"));
        preview->SetDocument(document_.get());
        // Unless the places are kept, the two looks stand one above the other beside
        // the main window, clear of the tree and the list where the screen allows.
        if (!restore)
            preview->move(arrangeEditorWindows(availableArea(main_.Window()), main_.Window()->frameGeometry(), false, preview->size())
                              .previews[std::size_t(i)]
                              .topLeft());
        preview->Arrange(i == 0);
        keepOnScreen(preview);
        main_.BindHideAllKey(preview);
        main_.ShareKeys(preview);
        connectPreview(preview);
        preview->ReLoadSkin();
        preview->show();
        previews_[i] = preview;
    }
    UpdateAnimationAvailability();
    createLayers();
}

// --- preview wiring: hot tracking, dragged buttons, status bar and animation ---
void TUISExplorerForm::connectPreview(TPreviewForm* preview)
{
    connect(preview, &TPreviewForm::HotTrack, this, [this](const QString& section, const QString& attribute) {
        if (section.isEmpty()) {
            SelectRoot();
            AttributeSelect(editorState().CurrentSection, toBytes(attribute));
        } else {
            AttributeSelect(toBytes(section), toBytes(attribute));
        }
    });
    connect(preview, &TPreviewForm::StatusText, this, [this](const QString& text) { ShowStatus(text); });
    connect(preview, &TPreviewForm::CursorOver, this,
            [this, preview](QPoint at) { Zoom->SetCentre(at, preview->IsActivePreview()); });
    connect(preview, &TPreviewForm::DocumentChanged, this, [this] { main_.NotifyModification(QStringLiteral("Move Button")); });
    connect(preview, &TPreviewForm::ButtonCoordinatesWritten, this, [this](int index) {
        const bool combined = document_ && document_->ReadInteger("BUTTON" + std::to_string(index), "CombineOp", -1) >= 0;
        for (TPreviewForm* other : previews_) {
            if (!other)
                continue;
            other->RePaintButtons();
            if (combined)
                other->SetWindowRegion();
        }
        ReLoadSectionValues();
    });
    connect(preview, &TPreviewForm::Composed, this, [this] { UpdateAnimationAvailability(); });
    connect(preview, &TPreviewForm::SizeBarRequested, this, [this, preview](int edge) { ShowSizeBar(preview, edge); });
    // The size bar stays beside the edge it edits: it moves with its preview and goes
    // when that preview loses the activation to anything but the bar itself.
    connect(preview, &TPreviewForm::Moved, this, [this, preview](QPoint delta) {
        TSizeBarForm* bar = main_.SizeBar();
        if (sizeBarOwner_ == preview && bar->isVisible())
            bar->move(bar->pos() + delta);
    });
    connect(preview, &TPreviewForm::Deactivated, this, [this, preview] {
        TSizeBarForm* bar = main_.SizeBar();
        if (sizeBarOwner_ == preview && !bar->isActiveWindow())
            bar->hide();
    });
}

void TUISExplorerForm::ShowSizeBar(TPreviewForm* preview, int edge)
{
    TSizeBarForm* bar = main_.SizeBar();
    if (edge < 0 || !editorState().RulersVisible || !preview->Scene()) {
        bar->hide();
        return;
    }
    static const char* layers[] = {"ImageTop", "ImageBottom", "ImageLeft", "ImageRight"};
    const PreviewLayer* layer = preview->Scene()->Find(layers[edge]);
    if (!layer)
        return;
    const TPreviewSources& sources = preview->Sources();
    const QImage& source = edge == 0 ? sources.Top : edge == 1 ? sources.Bottom : edge == 2 ? sources.Left : sources.Right;
    QRect onScreen(preview->mapToGlobal(layer->Rect.topLeft()), layer->Rect.size());
    sizeBarOwner_ = preview;
    const std::string edges = TSizeBarForm::EdgeSection(*document_);
    if (!sameText(editorState().CurrentSection, edges))
        SectionChange(edges);
    bar->ShowFor(document_.get(), edge, onScreen, edge < 2 ? source.width() : source.height(),
                 preview->IsActivePreview());
}

void TUISExplorerForm::UpdateAnimationAvailability()
{
    const bool allowed = previews_[0] && previews_[0]->AnimationAllowed();
    for (const char* name : {"ToolButtonAnimate", "WindowAnimateItem"})
        if (QAction* action = main_.Action(QString::fromLatin1(name))) {
            action->setEnabled(allowed);
            if (!allowed)
                action->setChecked(false);
        }
}

void TUISExplorerForm::AnimatePreviews(bool on)
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->Animate(on);
}
// --- end preview wiring ---

void TUISExplorerForm::destroyPreviews()
{
    if (layers_)
        layers_->hide();  // keeps its place for the next document
    delete layers_;       // it works on the previews
    layers_ = nullptr;
    sizeBarOwner_ = nullptr;
    for (TPreviewForm*& preview : previews_) {
        delete preview;
        preview = nullptr;
    }
}

void TUISExplorerForm::ReloadPreviews()
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->ReLoadSkin();
}

void TUISExplorerForm::ShowPreviews(bool shown)
{
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->setVisible(shown);
}

bool TUISExplorerForm::PreviewsVisible() const
{
    return previews_[0] && previews_[0]->isVisible();
}

void TUISExplorerForm::SetPreviewsOnTop(bool onTop)
{
    for (TPreviewForm* preview : previews_) {
        if (!preview)
            continue;
        bool visible = preview->isVisible();
        preview->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        // Changing the flags hides a window (shown again, it keeps out of the focus).
        preview->setVisible(visible);
    }
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

void TUISExplorerForm::buildColumns()
{
    TAcceleratedIniFile& settings = main_.Settings();
    const bool descriptions = main_.ShowDescriptions();
    ListViewExplorer->setColumnCount(descriptions ? 3 : 2);
    QStringList headers{QStringLiteral("Attribute"), QStringLiteral("Value")};
    if (descriptions)
        headers << QStringLiteral("Description");
    ListViewExplorer->setHeaderLabels(headers);
    const std::string base = descriptions ? "Descriptions" : "NoDescriptions";
    for (int column = 0; column < ListViewExplorer->columnCount(); ++column) {
        int def = descriptions && column == 2 ? 200 : 100;
        ListViewExplorer->setColumnWidth(column, settings.ReadInteger("ExplorerColumns", base + intToStr(column + 1), def));
    }
}

void TUISExplorerForm::ApplyHotTracking(bool on)
{
    if (on)
        ListViewExplorer->viewport()->setCursor(Qt::PointingHandCursor);
    else
        ListViewExplorer->viewport()->unsetCursor();
    static_cast<HotTrackDelegate*>(ListViewExplorer->itemDelegate())->enabled = on;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ListViewExplorer),
                                    static_cast<QAbstractItemView*>(TreeViewSectionExplorer)})
        view->viewport()->setAttribute(Qt::WA_Hover, on);
}

void TUISExplorerForm::fitColumns()
{
    // Names and values as wide as their longest text, within two fifths of the list
    // each; the description takes the rest. A cell still cut off shows its text as a tip.
    const int limit = std::max(80, ListViewExplorer->viewport()->width() * 2 / 5);
    for (int column = 0; column < std::min(2, ListViewExplorer->columnCount()); ++column) {
        const int wanted = std::max(ListViewExplorer->columnWidth(column), ListViewExplorer->ContentWidth(column));
        ListViewExplorer->setColumnWidth(column, std::min(wanted, limit));
    }
}

void TUISExplorerForm::SaveColumns()
{
    TAcceleratedIniFile& settings = main_.Settings();
    const std::string base = ListViewExplorer->columnCount() == 3 ? "Descriptions" : "NoDescriptions";
    for (int column = 0; column < ListViewExplorer->columnCount(); ++column)
        settings.WriteInteger("ExplorerColumns", base + intToStr(column + 1), ListViewExplorer->columnWidth(column));
}

void TUISExplorerForm::fillRows()
{
    const EditorState& state = editorState();
    const bool descriptions = ListViewExplorer->columnCount() == 3;
    for (const AttributeRow& row : buildAttributeRows(*document_, state.CurrentSection, state.DefinitionSection)) {
        auto* item = new QTreeWidgetItem(ListViewExplorer);
        item->setText(0, fromBytes(row.caption));
        item->setText(1, fromBytes(row.displayValue));
        if (descriptions)
            item->setText(2, fromBytes(row.description));
        for (int column = 0; column < item->columnCount(); ++column)
            item->setToolTip(column, item->text(column));
        item->setData(0, kDescriptionRole, fromBytes(row.description));
        item->setData(0, kRawValueRole, fromBytes(row.rawValue));
        item->setData(0, kKeyRole, fromBytes(row.key));
        item->setIcon(0, glyphIcon(row.image));
        // Rows move between rows, never into one another.
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    }
    fitColumns();
}

void TUISExplorerForm::SectionReload(const std::string& section)
{
    EditorState& state = editorState();
    if (sameText(state.CurrentSection, section)) {
        ReLoadSectionValues();
        return;
    }
    if (CodePageActive() && !applyingCode_)
        CodeRichEdit->ShowSection(fromBytes(section));
    if (ListViewExplorer->topLevelItemCount() > 0)
        SaveColumns();
    ListViewExplorer->clear();
    buildColumns();
    SectionSelection selection = selectionForSection(section, state.SkinName);
    state.DefinitionSection = selection.definitionSection;
    state.CurrentSection = selection.currentSection;
    state.CurrentButton = selection.currentButton;
    // --- preview: the selection frame follows the selected button ---
    TPreviewForm::SetSelectedButton(state.CurrentButton);
    for (TPreviewForm* preview : previews_)
        if (preview)
            preview->BevelRealign();
    // --- end preview ---
    state.CurrentAttribute.clear();
    state.ValueAtSelection.clear();
    fillRows();
    ShowStatus(fromBytes(state.DefinitionSection));
    if (QAction* attribute = main_.Action(QStringLiteral("InsertAttributeItem")))
        // The root stands for the whole personality: there is no section to add to.
        attribute->setEnabled(state.DefinitionSection != state.SkinName && !sameText(section, "TITLEBARSKIN"));
    QString description = fromBytes(document_->Definition().ReadString("Root," + state.CurrentSection, "Description", "Unknown"));
    ShowStatus(description);
    main_.ShowOtherPage(description);
}

void TUISExplorerForm::ReloadCurrentSection()
{
    if (!document_)
        return;
    std::string section = editorState().CurrentSection;
    editorState().CurrentSection.clear();
    SectionReload(section);
}

void TUISExplorerForm::ReLoadSectionValues()
{
    const EditorState& state = editorState();
    // Keys added, removed or moved (colours inserted, an undo) need the rows rebuilt.
    TStrings keys;
    document_->ReadSection(state.CurrentSection, keys);
    bool sameKeys = int(keys.size()) == ListViewExplorer->topLevelItemCount();
    for (int i = 0; sameKeys && i < ListViewExplorer->topLevelItemCount(); ++i)
        sameKeys = sameText(keys[std::size_t(i)], toBytes(ListViewExplorer->topLevelItem(i)->data(0, kKeyRole).toString()));
    if (!sameKeys) {
        const std::string attribute = state.CurrentAttribute;
        ReloadCurrentSection();
        if (!attribute.empty())
            AttributeSelect(state.CurrentSection, attribute);
        return;
    }
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        std::string key = toBytes(item->data(0, kKeyRole).toString());
        std::string value = document_->ReadString(state.CurrentSection, key, "");
        if (fromBytes(value) != item->data(0, kRawValueRole).toString()) {
            item->setData(0, kRawValueRole, fromBytes(value));
            item->setText(1, fromBytes(document_->ValueForDisplay(state.CurrentSection, key, value)));
            item->setToolTip(1, item->text(1));
        }
    }
}

void TUISExplorerForm::UpdateRowValue(const std::string& key, const std::string& raw)
{
    const std::string& section = editorState().CurrentSection;
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        if (!sameText(toBytes(item->data(0, kKeyRole).toString()), key))
            continue;
        item->setData(0, kRawValueRole, fromBytes(raw));
        item->setText(1, fromBytes(document_->ValueForDisplay(section, key, raw)));
        item->setToolTip(1, item->text(1));
        item->setIcon(0, glyphIcon(document_->EditorKind(section, key)));
    }
}

void TUISExplorerForm::RefreshFromDocument()
{
    EditorState& state = editorState();
    const std::string section = state.CurrentSection, attribute = state.CurrentAttribute;
    state.SkinName = document_->PersonalityName();
    TreeViewLoad();
    clearSelection(state);
    if (findNode(section))
        SectionChange(section);
    else
        SelectRoot();
    if (!attribute.empty())
        AttributeSelect(state.CurrentSection, attribute);
    ReloadPreviews();
    CodeFollowDocument();
}

void TUISExplorerForm::RenameRoot(const std::string& name)
{
    EditorState& state = editorState();
    if (state.DefinitionSection == state.SkinName)
        state.DefinitionSection = name;
    if (QTreeWidgetItem* root = TreeViewSectionExplorer->topLevelItem(0)) {
        root->setText(0, fromBytes(name));
        root->setData(0, kSectionRole, fromBytes(name));
    }
    state.SkinName = name;
}

void TUISExplorerForm::AttributeSelect(const std::string& section, const std::string& key)
{
    SectionChange(section);
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        if (sameText(toBytes(item->data(0, kKeyRole).toString()), key)) {
            ListViewExplorer->setCurrentItem(item);
            ListViewExplorer->scrollToItem(item);
            return;
        }
    }
}

void TUISExplorerForm::ListViewExplorerSelectItem(QTreeWidgetItem* item, bool selected)
{
    EditorState& state = editorState();
    QAction* describe = main_.Action(QStringLiteral("ViewAttributeDescriptionItem"));
    if (item && selected) {
        state.CurrentAttribute = toBytes(item->data(0, kKeyRole).toString());
        state.ValueAtSelection = toBytes(item->data(0, kRawValueRole).toString());
        ShowStatus(item->data(0, kDescriptionRole).toString());
        if (describe)
            describe->setEnabled(true);
        int type = editAsOverride_;
        editAsOverride_ = -1;
        main_.EditAttribute(type);
    } else {
        QString description = fromBytes(document_->Definition().ReadString("Root," + state.CurrentSection, "Description", "Unknown"));
        ShowStatus(description);
        if (describe)
            describe->setEnabled(false);
    }
}

void TUISExplorerForm::PopupMenuAttributeListPopup(const QPoint& at, QWidget* from)
{
    const EditorState& state = editorState();
    auto find = [this](const char* name) { return PopupMenuAttributeList->findChild<QAction*>(QString::fromLatin1(name)); };
    for (QAction* action : PopupMenuAttributeList->actions()) {
        action->setVisible(false);
        action->setEnabled(true);
    }
    QFont normal = PopupMenuAttributeList->font(), bold = normal;
    bold.setBold(true);
    for (QAction* action : PopupMenuAttributeList->actions())
        action->setFont(normal);
    find("PopupDuplicateButton")->setVisible(state.CurrentButton != -1);

    if (from == ListViewExplorer) {
        QList<QTreeWidgetItem*> rows = ListViewExplorer->selectedItems();
        find("PopupAddAttribute")->setVisible(true);
        if (rows.size() == 1) {
            QTreeWidgetItem* row = rows.first();
            std::string key = toBytes(row->data(0, kKeyRole).toString());
            for (const char* name : {"PopupRemoveAttribute", "PopupDescribeAttribute", "PopupSeparatorEdit"})
                find(name)->setVisible(true);
            ShowStatus(QStringLiteral("Selected Attribute - ") + row->text(0) + QStringLiteral(" in section [") +
                       fromBytes(state.DefinitionSection) + QStringLiteral("]."));
            find("PopupRemoveAttribute")->setEnabled(
                document_->Definition().ReadInteger(state.DefinitionSection + "," + key, "Optional", 1) == 1);
            // Edit-as items by the attribute's type; the first named is the default item.
            static const std::map<int, std::vector<const char*>> editAs = {
                {0, {"EditAsString", "EditAsInteger", "EditAsFile", "EditAsFullColor", "EditAsBoolean"}},
                {1, {"EditAsString", "EditAsFile"}},
                {2, {"EditAsInteger", "EditAsString"}},
                {3, {"EditAsChoice", "EditAsString", "EditAsInteger"}},
                {4, {"EditAsBoolean", "EditAsString", "EditAsInteger"}},
                {5, {"EditAsFile", "EditAsString"}},
                {6, {"EditAsColor", "EditAsString", "EditAsInteger"}},
                {7, {"EditAsFullColor", "EditAsString"}},
            };
            auto items = editAs.find(document_->AttributeTypeOf(state.CurrentSection, key));
            if (items != editAs.end())
                for (std::size_t i = 0; i < items->second.size(); ++i) {
                    find(items->second[i])->setVisible(true);
                    if (i == 0)
                        find(items->second[i])->setFont(bold);
                }
        }
    } else {
        QTreeWidgetItem* node = TreeViewSectionExplorer->currentItem();
        if (node) {
            popupNode_ = node;
            for (const char* name : {"PopupAddSection", "PopupOpenSection", "PopupSeparatorSection", "PopupRemoveSection"})
                find(name)->setVisible(true);
            find("PopupOpenSection")->setFont(bold);
            ShowStatus(QStringLiteral("Selected Section - [") + node->text(0) + QStringLiteral("]"));
            std::string caption = toBytes(node->text(0));
            std::string upper = asciiUpper(caption);
            std::string definition = upper.find("BUTTON") != std::string::npos && upper.rfind("BUTTONS", 0) != 0 ? "Button"
                                     : caption == state.SkinName ? "TITLEBARSKIN"
                                                                 : caption;
            find("PopupRemoveSection")->setEnabled(
                document_->Definition().ReadInteger("Root," + definition, "Optional", 1) == 1);
        }
        find("PopupAddAttribute")->setVisible(true);
    }
    PopupMenuAttributeList->popup(at);
}

void TUISExplorerForm::EditAs(int type)
{
    editAsOverride_ = type;
    ListViewExplorerSelectItem(ListViewExplorer->currentItem(), ListViewExplorer->currentItem() != nullptr);
}

void TUISExplorerForm::AttributeRemove()
{
    QTreeWidgetItem* row = ListViewExplorer->currentItem();
    if (!row)
        return;
    if (prompts().message(QStringLiteral("Do you really want to remove '") + row->text(0) + QStringLiteral("' Attribute?"),
                          QStringLiteral("Caution!"), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    std::string section = editorState().CurrentSection;
    document_->DeleteKey(section, toBytes(row->data(0, kKeyRole).toString()));
    ReloadCurrentSection();
    main_.NotifyModification(QStringLiteral("Remove Attribute"));
}

void TUISExplorerForm::SectionRemove(const std::string& section)
{
    if (prompts().message(QStringLiteral("Do you really want to remove [") + fromBytes(section) + QStringLiteral("] section?"),
                          QStringLiteral("Caution!"), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    if (TUisFile::IsButtonSection(section))
        ButtonDelete(section);
    else
        document_->EraseSection(section);
    TreeViewLoad();
    SelectRoot();
    main_.NotifyModification(QStringLiteral("Remove Section"));
}

void TUISExplorerForm::copySection(const std::string& from, const std::string& to)
{
    TStrings entries;
    document_->ReadSectionValues(from, entries);
    for (const std::string& entry : entries) {
        std::size_t eq = entry.find('=');
        document_->WriteString(to, entry.substr(0, eq), entry.substr(eq + 1));
    }
}

void TUISExplorerForm::ButtonDelete(const std::string& section)
{
    int number = strToIntDef(std::string_view(section).substr(std::min<std::size_t>(6, section.size())), -1);
    // The count lives where the document's format keeps it (PERSONALITY or CAPTION).
    int count = document_->ButtonCount();
    if (number < 0)
        return;
    if (number >= count) {
        // A section the count leaves out is no button of the skin: taking the count
        // down would drop the last real button and keep this one.
        document_->EraseSection(section);
        const QString why = QStringLiteral("[") + fromBytes(section) +
                            QStringLiteral("] was removed as a plain section: it is not one of the ") +
                            QString::number(std::max(count, 0)) +
                            QStringLiteral(" counted buttons, so none was renumbered.");
        TreeViewLoad();
        ReloadPreviews();
        // Shown once the tree has settled on its new selection, whose description
        // would otherwise replace it at once.
        QTimer::singleShot(0, this, [this, why] { ShowStatus(why); });
        return;
    }
    for (int k = number; k <= count - 2; ++k) {
        document_->EraseSection("Button" + intToStr(k));
        copySection("Button" + intToStr(k + 1), "Button" + intToStr(k));
    }
    document_->EraseSection("Button" + intToStr(count - 1));
    document_->SetButtonCount(count - 1);
    document_->UpdateFile();
    if (layers_)
        layers_->DeleteButton(number);
    TreeViewLoad();
    ReloadPreviews();
    editorState().CodeStale = editorState().AnalysisStale = true;
}

void TUISExplorerForm::ButtonDuplicate(const std::string& section)
{
    if (!TUisFile::IsButtonSection(section))
        return;
    int number = strToIntDef(std::string_view(section).substr(6), -1);
    int count = document_->ButtonCount();
    if (number < 0 || count < 0)
        return;
    std::string target = "Button" + intToStr(count);
    copySection(section, target);
    document_->SetButtonCount(count + 1);
    document_->UpdateFile();
    if (layers_)
        layers_->AddButton();
    TreeViewLoad();
    ReloadPreviews();
    SectionChange(target);
    main_.NotifyModification(QStringLiteral("Duplicate Button"));
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

void TUISExplorerForm::ListViewExplorerReordered()
{
    const std::string section = editorState().CurrentSection;
    TStrings keys;
    document_->ReadSection(section, keys);
    for (const std::string& key : keys)
        document_->DeleteKey(section, key);
    for (int i = 0; i < ListViewExplorer->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListViewExplorer->topLevelItem(i);
        document_->WriteString(section, toBytes(item->data(0, kKeyRole).toString()), toBytes(item->data(0, kRawValueRole).toString()));
    }
    editorState().CodeStale = true;
    main_.NotifyModification(QStringLiteral("Reorder Attributes"));
}

}  // namespace sw
