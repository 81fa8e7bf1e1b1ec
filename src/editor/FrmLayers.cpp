#include "editor/FrmLayers.h"

#include "document/UisFile.h"
#include "engine/EditorState.h"
#include "common/GlyphList.h"
#include "editor/LayersModel.h"
#include "editor/EditorHostWindow.h"
#include "editor/UISExplorerForm.h"
#include "preview/PreviewForm.h"
#include "preview/WindowPlacement.h"
#include "store/AcceleratedIniFile.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace sw {

namespace {

constexpr int kMaxButtons = 1024;  // as many as the previews load
constexpr int kDragDistance = 10;

QAction* paletteItem(TPreviewForm* preview)
{
    return preview && preview->PopupMenuImage()
               ? preview->PopupMenuImage()->findChild<QAction*>(QStringLiteral("ShowButtonsPatette"))
               : nullptr;
}

}  // namespace

void LayerDropButton::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() && event->source() == AcceptedSource &&
        event->mimeData()->hasFormat(QString::fromLatin1(LayersModel::MimeType())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LayerDropButton::dropEvent(QDropEvent* event)
{
    if (event->source() != AcceptedSource) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit rowDropped();
}

TfrmLayers::TfrmLayers(TUISExplorerForm& explorer, EditorHostWindow& main)
    : QWidget(main.Window(), Qt::Tool | Qt::WindowStaysOnTopHint), explorer_(explorer), main_(main)
{
    setObjectName(QStringLiteral("frmLayers"));
    setWindowTitle(QStringLiteral("Buttons"));
    // Shown with a document, it leaves the keyboard with the main window; asked for,
    // it is activated by the one who asked (TUISExplorerForm::ShowLayers).
    setAttribute(Qt::WA_ShowWithoutActivating);
    model_ = new LayersModel(this);
    buildWidgets();
    // Tall enough for its pages and the Apply button below them.
    resize(280, 440);
}

void TfrmLayers::buildWidgets()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setIconSize(QSize(16, 16));
    auto tool = [this](const char* name, const char* hint, int glyph) {
        auto* button = new QToolButton(ToolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromLatin1(hint));
        button->setIcon(glyphIcon(glyph));
        button->setAutoRaise(true);
        ToolBar->addWidget(button);
        return button;
    };
    tbButtonAdd = tool("tbButtonAdd", "Add Button", 58);
    tbButtonRemove = new LayerDropButton(ToolBar);
    tbButtonRemove->setObjectName(QStringLiteral("tbButtonRemove"));
    tbButtonRemove->setToolTip(QStringLiteral("Remove Button"));
    tbButtonRemove->setIcon(glyphIcon(59));
    tbButtonRemove->setAutoRaise(true);
    tbButtonRemove->setAcceptDrops(true);
    ToolBar->addWidget(tbButtonRemove);
    ToolBar->addSeparator();
    tbMoveButtonUp = tool("tbMoveButtonUp", "Move button UP in Z order", 69);
    tbMoveButtonDown = tool("tbMoveButtonDown", "Move button DOWN in Z order", 68);
    tbChainAligned = tool("tbChainAligned", "Group all the buttons with the same alignment as current.", 33);
    ToolBar->addSeparator();
    tbShowAllButtons = tool("tbShowAllButtons", "Show all buttons", 31);
    tbHideAllButtons = tool("tbHideAllButtons", "Hide all buttons", 30);
    tbReload = tool("tbReload", "Reload buttons", 75);
    ToolBar->addSeparator();
    tbRollup = tool("tbRollup", "", 69);
    tbRollup->setCheckable(true);

    sgLayers = new QTableView;
    sgLayers->setObjectName(QStringLiteral("sgLayers"));
    sgLayers->setModel(model_);
    sgLayers->setItemDelegate(new LayersDelegate(sgLayers));
    sgLayers->horizontalHeader()->hide();
    sgLayers->verticalHeader()->hide();
    sgLayers->verticalHeader()->setDefaultSectionSize(kLayerRowHeight);
    sgLayers->horizontalHeader()->setDefaultSectionSize(40);
    sgLayers->setColumnHidden(LayersModel::AlignmentColumn, true);
    sgLayers->setShowGrid(false);
    sgLayers->setSelectionMode(QAbstractItemView::NoSelection);
    sgLayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgLayers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgLayers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgLayers->setMouseTracking(true);
    sgLayers->viewport()->installEventFilter(this);
    sgLayers->installEventFilter(this);
    tbButtonRemove->AcceptedSource = sgLayers;

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(sgLayers, QStringLiteral("Buttons"));
    tsVisibilityOptions = buildVisibilityPage();
    // The options are taller than the palette likes to be: they scroll instead of
    // holding the window open.
    auto* scroller = new QScrollArea;
    scroller->setWidget(tsVisibilityOptions);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    Pages->addTab(scroller, QStringLiteral("Visibility Options"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Pages, 1);

    connect(tbButtonAdd, &QToolButton::clicked, this, &TfrmLayers::tbButtonAddClick);
    connect(tbButtonRemove, &QToolButton::clicked, this, &TfrmLayers::tbButtonRemoveClick);
    connect(tbButtonRemove, &LayerDropButton::rowDropped, this, &TfrmLayers::tbButtonRemoveClick);
    connect(tbMoveButtonUp, &QToolButton::clicked, this, [this] { MoveButton(true); });
    connect(tbMoveButtonDown, &QToolButton::clicked, this, [this] { MoveButton(false); });
    connect(tbChainAligned, &QToolButton::clicked, this, &TfrmLayers::tbChainAlignedClick);
    connect(tbShowAllButtons, &QToolButton::clicked, this, [this] { ShowAllButtons(true); });
    connect(tbHideAllButtons, &QToolButton::clicked, this, [this] { ShowAllButtons(false); });
    connect(tbReload, &QToolButton::clicked, this, &TfrmLayers::tbReloadClick);
    connect(tbRollup, &QToolButton::toggled, this, &TfrmLayers::tbRollupClick);
}

QWidget* TfrmLayers::buildVisibilityPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsVisibilityOptions"));
    auto group = [page](const char* name, const char* title, std::initializer_list<const char*> items,
                        QButtonGroup*& buttons) {
        auto* box = new QGroupBox(QString::fromLatin1(title), page);
        box->setObjectName(QString::fromLatin1(name));
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setSpacing(0);
        buttons = new QButtonGroup(box);
        int id = 0;
        for (const char* item : items) {
            auto* radio = new QRadioButton(QString::fromLatin1(item), box);
            radio->setChecked(id == 0);
            buttons->addButton(radio, id++);
            layout->addWidget(radio);
        }
        return box;
    };
    rgWindowStyle = group("rgWindowStyle", "Window Style", {"Normal Window", "MDI Window"}, windowStyle_);
    rgSizeablilty = group("rgSizeablilty", "Window Sizing", {"Sizable window", "Not sizable window"}, sizing_);
    rgWindowOrdering =
        group("rgWindowOrdering", "Window Ordering", {"Normal", "Always on top", "Attached to desktop"}, ordering_);
    auto check = [page](const char* name, const char* text) {
        auto* box = new QCheckBox(QString::fromLatin1(text), page);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    cbMinVis = check("cbMinVis", "Min button present");
    cbMaxVis = check("cbMaxVis", "Max button present");
    cbHelp = check("cbHelp", "Help button present");
    cbTitleText = check("cbTitleText", "Title text present");
    cbSysIcon = check("cbSysIcon", "System icon present");
    cbRollUp = check("cbRollUp", "Rolled-up");
    cbInactive = check("cbInactive", "Inactive window visibility");
    btnApply = new QPushButton(QStringLiteral("Apply"), page);
    btnApply->setObjectName(QStringLiteral("btnApply"));

    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(2);
    for (QWidget* widget : std::initializer_list<QWidget*>{rgWindowStyle, rgSizeablilty, rgWindowOrdering, cbMinVis,
                                                           cbMaxVis, cbHelp, cbTitleText, cbSysIcon, cbRollUp,
                                                           cbInactive})
        layout->addWidget(widget);
    layout->addStretch();
    layout->addWidget(btnApply, 0, Qt::AlignRight);
    for (QButtonGroup* buttons : {windowStyle_, sizing_, ordering_})
        connect(buttons, &QButtonGroup::idClicked, this, [this] { UpdateVisibilityOptions(); });
    connect(btnApply, &QPushButton::clicked, this, &TfrmLayers::btnApplyClick);
    return page;
}

bool TfrmLayers::documentOpen() const
{
    return editorState().DocumentOpen && explorer_.Document();
}

TUisFile* TfrmLayers::document() const
{
    return documentOpen() ? explorer_.Document() : nullptr;
}

std::vector<TPreviewForm*> TfrmLayers::previews() const
{
    std::vector<TPreviewForm*> all;
    for (TPreviewForm* preview : {explorer_.PreviewActive(), explorer_.PreviewInactive()})
        if (preview)
            all.push_back(preview);
    return all;
}

bool TfrmLayers::RolledUp() const
{
    return tbRollup->isChecked();
}

VisibilityOptions TfrmLayers::Options() const
{
    VisibilityOptions options;
    options.WindowStyle = std::max(windowStyle_->checkedId(), 0);
    options.Sizing = std::max(sizing_->checkedId(), 0);
    options.Ordering = std::max(ordering_->checkedId(), 0);
    options.MinButton = cbMinVis->isChecked();
    options.MaxButton = cbMaxVis->isChecked();
    options.HelpButton = cbHelp->isChecked();
    options.TitleText = cbTitleText->isChecked();
    options.SystemIcon = cbSysIcon->isChecked();
    options.RolledUp = cbRollUp->isChecked();
    return options;
}

// --- rows ---

void TfrmLayers::RefreshButtonsDescriptions()
{
    TUisFile* doc = document();
    if (!doc)
        return;
    const int count = std::clamp(doc->ButtonCount(), 0, kMaxButtons);
    TPreviewForm* main = explorer_.PreviewActive();
    std::vector<ButtonLayerRow> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        ButtonLayerRow& row = rows[std::size_t(i)];
        if (main && i < main->Buttons().Count()) {
            row.Visible = main->Buttons().Button(i).Layer.Visible;
            row.Picture = main->Buttons().Button(i).Layer.Image;
        }
        row.Align = doc->ReadInteger("Button" + std::to_string(i), "Align", 0);
        row.Action = QString::fromLatin1(buttonActionText(*doc, i));
        row.Alignment = QString::fromLatin1(buttonAlignmentText(*doc, i));
    }
    model_->SetRows(std::move(rows));
    fitColumns();
}

void TfrmLayers::NotifyModification()
{
    if (!documentOpen())
        return;
    RefreshButtonsDescriptions();
    const int selected = TPreviewForm::SelectedButton();
    model_->SetSelectedButton(selected);
    const bool valid = selected >= 0 && selected < model_->rowCount();
    if (valid) {
        model_->SetCurrentRow(selected, true);
        sgLayers->setCurrentIndex(model_->index(selected, LayersModel::PictureColumn));
        sgLayers->scrollTo(model_->index(selected, LayersModel::PictureColumn));
    } else {
        model_->SetCurrentRow(model_->CurrentRow(), false);
    }
    for (QToolButton* button : {static_cast<QToolButton*>(tbButtonRemove), tbMoveButtonUp, tbMoveButtonDown, tbChainAligned})
        button->setEnabled(valid);
    sgLayers->viewport()->update();
}

void TfrmLayers::AddButton()
{
    if (!documentOpen())
        return;
    model_->Chains().AddButton();
    RefreshButtonsDescriptions();
}

void TfrmLayers::DeleteButton(int index)
{
    if (!documentOpen())
        return;
    model_->Chains().DeleteButton(index);
    RefreshButtonsDescriptions();
}

void TfrmLayers::fitColumns()
{
    const int width = sgLayers->viewport()->width();
    sgLayers->setColumnWidth(LayersModel::StateColumn, 40);
    sgLayers->setColumnWidth(LayersModel::PictureColumn, std::max(width - 40, 40));
}

// --- chains ---

void TfrmLayers::GroupCurrentButtonWith(int button, bool force)
{
    model_->Chains().GroupCurrentButtonWith(model_->CurrentRow(), button, force);
    model_->ChainsChanged();
}

void TfrmLayers::tbChainAlignedClick()
{
    TUisFile* doc = document();
    const int current = model_->CurrentRow();
    if (!doc || current < 0)
        return;
    const int align = doc->ReadInteger("Button" + std::to_string(current), "Align", 0);
    for (int button : chainAlignedOrder(current, model_->rowCount()))
        if (doc->ReadInteger("Button" + std::to_string(button), "Align", 0) == align)
            GroupCurrentButtonWith(button, true);
}

void TfrmLayers::ShiftChainedButtons(int moved, int dx, int dy)
{
    TUisFile* doc = document();
    if (!doc || moved < 0 || moved >= model_->Chains().Count())
        return;
    // Every member of a chain carries the same row, so the dragged button's row is
    // the chain that must follow it.
    shiftChainedButtons(*doc, model_->Chains().Members(moved), moved, dx, dy);
}

// --- grid mouse and keys ---

void TfrmLayers::GridPress(int row, int column, int x)
{
    if (!documentOpen() || row < 0 || row >= model_->rowCount())
        return;
    if (column == LayersModel::StateColumn) {
        if (x < 20) {
            const bool shown = model_->Rows()[std::size_t(row)].Visible;
            for (TPreviewForm* preview : previews())
                shown ? preview->HideButton(row) : preview->ShowButton(row);
            repaintPreviews(true);
            RefreshButtonsDescriptions();
        } else if (row != model_->CurrentRow()) {
            GroupCurrentButtonWith(row, false);
        }
        return;
    }
    if (row != TPreviewForm::SelectedButton())
        explorer_.SectionChange("Button" + std::to_string(row));
}

void TfrmLayers::GridKeyRelease(int key)
{
    if (!documentOpen())
        return;
    if (key == Qt::Key_Escape) {
        close();
        return;
    }
    const int row = sgLayers->currentIndex().isValid() ? sgLayers->currentIndex().row() : -1;
    if (row >= 0 && row != TPreviewForm::SelectedButton())
        explorer_.SectionChange("Button" + std::to_string(row));
}

bool TfrmLayers::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sgLayers->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton)
                break;
            const QPoint at = mouse->position().toPoint();
            const QModelIndex index = sgLayers->indexAt(at);
            pressAt_ = at;
            pressed_ = index.isValid();
            if (!index.isValid())
                return false;
            GridPress(index.row(), index.column(), at.x());
            // Column 0 holds switches, not a place to move the focus to.
            return index.column() == LayersModel::StateColumn;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const QModelIndex index = sgLayers->indexAt(at);
            const bool hand = index.isValid() && (index.column() == LayersModel::StateColumn ||
                                                  at.x() - sgLayers->columnViewportPosition(LayersModel::PictureColumn) < 35);
            sgLayers->viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
            if (pressed_ && (mouse->buttons() & Qt::LeftButton) && (at - pressAt_).manhattanLength() >= kDragDistance) {
                pressed_ = false;
                const QModelIndex from = sgLayers->indexAt(pressAt_);
                auto* drag = new QDrag(sgLayers);
                drag->setMimeData(model_->mimeData({from}));
                drag->exec(Qt::MoveAction);
                return true;
            }
            return false;
        }
        case QEvent::MouseButtonRelease:
            pressed_ = false;
            return false;
        default:
            break;
        }
    } else if (watched == sgLayers && event->type() == QEvent::KeyRelease) {
        GridKeyRelease(static_cast<QKeyEvent*>(event)->key());
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmLayers::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- tool buttons ---

void TfrmLayers::tbButtonAddClick()
{
    if (!documentOpen())
        return;
    explorer_.ButtonAdd();
    for (TPreviewForm* preview : previews())
        preview->ReLoadSkin();
    RefreshButtonsDescriptions();
}

void TfrmLayers::tbButtonRemoveClick()
{
    const int selected = TPreviewForm::SelectedButton();
    if (!documentOpen() || selected < 0)
        return;
    explorer_.SectionRemove("Button" + std::to_string(selected));
}

void TfrmLayers::MoveButton(bool up)
{
    TUisFile* doc = document();
    const int from = TPreviewForm::SelectedButton();
    if (!doc || from < 0 || from >= model_->rowCount())
        return;
    const int to = up ? from - 1 : from + 1;
    if (to < 0 || to >= model_->rowCount())
        return;
    model_->Chains().SwapButtons(from, to);
    doc->ReplaceBytes(swapButtonSections(doc->DiskBytes(), from, to));
    // The shown/hidden state belongs to the button, so it moves with it.
    for (TPreviewForm* preview : previews()) {
        const bool fromShown = from < preview->Buttons().Count() && preview->Buttons().Button(from).Layer.Visible;
        const bool toShown = to < preview->Buttons().Count() && preview->Buttons().Button(to).Layer.Visible;
        preview->LoadButtons();
        fromShown ? preview->ShowButton(to) : preview->HideButton(to);
        toShown ? preview->ShowButton(from) : preview->HideButton(from);
        preview->RePaintButtons();
    }
    explorer_.TreeViewLoad();
    explorer_.SectionChange("Button" + std::to_string(to));
    RefreshButtonsDescriptions();
    main_.NotifyModification(QStringLiteral("Move Button"));
}

void TfrmLayers::ShowAllButtons(bool shown)
{
    if (!documentOpen())
        return;
    for (TPreviewForm* preview : previews())
        for (int i = 0; i < preview->Buttons().Count(); ++i)
            shown ? preview->ShowButton(i) : preview->HideButton(i);
    repaintPreviews(true);
    RefreshButtonsDescriptions();
}

void TfrmLayers::tbReloadClick()
{
    if (!documentOpen())
        return;
    for (TPreviewForm* preview : previews()) {
        preview->LoadButtons();
        preview->RePaintButtons();
    }
    repaintPreviews(true);
    RefreshButtonsDescriptions();
}

void TfrmLayers::repaintPreviews(bool reshape)
{
    for (TPreviewForm* preview : previews()) {
        if (reshape)
            preview->SetWindowRegion();
        preview->update();
    }
}

void TfrmLayers::tbRollupClick(bool down)
{
    tbRollup->setIcon(glyphIcon(down ? 68 : 69));
    if (down) {
        unrolledSize_ = size();
        unrolledMinimumHeight_ = minimumHeight();
        Pages->hide();
        setFixedHeight(ToolBar->sizeHint().height());
    } else {
        setMinimumHeight(unrolledMinimumHeight_);
        setMaximumHeight(QWIDGETSIZE_MAX);
        Pages->show();
        if (unrolledSize_.isValid())
            resize(unrolledSize_);
    }
}

// --- visibility options ---

void TfrmLayers::UpdateVisibilityOptions()
{
    TUisFile* doc = document();
    if (!doc)
        return;
    const VisibilityEnabling enabling = visibilityEnabling(*doc, Options());
    cbTitleText->setEnabled(enabling.TitleText);
    rgWindowOrdering->setEnabled(enabling.Ordering);
    cbSysIcon->setEnabled(enabling.SystemIcon);
    cbRollUp->setEnabled(enabling.RolledUp);
}

void TfrmLayers::btnApplyClick()
{
    TUisFile* doc = document();
    if (!doc)
        return;
    const VisibilityOptions options = Options();
    TPreviewForm* active = explorer_.PreviewActive();
    TPreviewForm* inactive = explorer_.PreviewInactive();
    const int count = std::clamp(doc->ButtonCount(), 0, kMaxButtons);
    for (int i = 0; i < count; ++i) {
        const ButtonVisibility visibility = applyVisibility(buttonConditions(*doc, i), options);
        if (active)
            visibility.Active ? active->ShowButton(i) : active->HideButton(i);
        if (inactive)
            visibility.Inactive ? inactive->ShowButton(i) : inactive->HideButton(i);
    }
    repaintPreviews(true);
    RefreshButtonsDescriptions();
}

// --- showing and hiding ---

void TfrmLayers::setCheckMarks(bool checked)
{
    if (QAction* item = main_.Action(QStringLiteral("WindowButtonPaletteShow")))
        item->setChecked(checked);
    for (TPreviewForm* preview : previews())
        if (QAction* item = paletteItem(preview))
            item->setChecked(checked);
}

void TfrmLayers::showEvent(QShowEvent* event)
{
    TAcceleratedIniFile& settings = main_.Settings();
    if (settings.ReadBool("General", "WindowsSizeRestore", false) && !RolledUp()) {
        const QRect now = geometry();
        setGeometry(settings.ReadInteger("Windows", "LayersLeft", now.x()),
                    settings.ReadInteger("Windows", "LayersTop", now.y()),
                    std::max(settings.ReadInteger("Windows", "LayersWidth", now.width()), 120),
                    std::max(settings.ReadInteger("Windows", "LayersHeight", now.height()), 60));
    } else if (!placed_) {
        // First shown: under the previews' column, where it covers neither them nor the
        // main window's tree.
        const std::vector<TPreviewForm*> shown = previews();
        if (!shown.empty() && shown.back())
            move(shown.back()->frameGeometry().left(), shown.back()->frameGeometry().bottom() + 9);
    }
    placed_ = true;
    keepOnScreen(this);
    setCheckMarks(true);
    NotifyModification();
    UpdateVisibilityOptions();
    QWidget::showEvent(event);
    sgLayers->setFocus();
}

void TfrmLayers::hideEvent(QHideEvent* event)
{
    setCheckMarks(false);
    TAcceleratedIniFile& settings = main_.Settings();
    const QRect now = geometry();
    settings.WriteInteger("Windows", "LayersLeft", now.x());
    settings.WriteInteger("Windows", "LayersTop", now.y());
    settings.WriteInteger("Windows", "LayersHeight", RolledUp() && unrolledSize_.isValid() ? unrolledSize_.height() : now.height());
    settings.WriteInteger("Windows", "LayersWidth", now.width());
    QWidget::hideEvent(event);
}

void TfrmLayers::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

}  // namespace sw
