#include "manage/BrowserForm.h"

#include "document/UisFile.h"
#include "engine/EditorState.h"
#include "common/FormFilename.h"
#include "common/FormValidator.h"
#include "common/GlyphList.h"
#include "common/Latin1.h"
#include "common/HostWindow.h"
#include "engine/Engine.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "manage/SkinThumbnails.h"
#include "preview/PreviewForm.h"
#include "store/StringOps.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QElapsedTimer>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kPersonalityGlyph = 24;
constexpr int kFolderGlyph = 8;
constexpr int kHasFileRole = Qt::UserRole + 1;

constexpr int kThumbnailRole = Qt::UserRole + 2;

// The thumbnail column: the picture centred in its cell.
class ThumbnailDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QImage image = index.data(kThumbnailRole).value<QImage>();
        if (image.isNull())
            return;
        const QRect cell = option.rect;
        painter->drawImage(QPoint(cell.x() + (cell.width() - image.width()) / 2,
                                  cell.y() + (cell.height() - image.height()) / 2),
                           image);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return kThumbnailSize + QSize(6, 4);
    }
};

const char* kNoFileStatus =
    "No UIS File found in this directory or UIS file name is different than the directory name";

}  // namespace

std::function<void(QWidget*)>& TBrowserForm::PropertiesHook()
{
    static std::function<void(QWidget*)> hook;
    return hook;
}

TBrowserForm::TBrowserForm(HostWindow& main, const fs::path& skinsFolder, QWidget* parent)
    : QDialog(parent ? parent : main.Window()), main_(main), skins_(skinsFolder)
{
    setObjectName(QStringLiteral("BrowserForm"));
    setWindowTitle(QStringLiteral("Vistarium Navigator"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    ToolBar = new QToolBar;
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto tool = [this](const char* name, const char* caption, const char* hint, int glyph) {
        QAction* action = ToolBar->addAction(glyphIcon(glyph), QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(QString::fromLatin1(hint));
        return action;
    };
    ToolButtonOpenSkin = tool("ToolButtonOpenSkin", "Edit", "Open Skin", kPersonalityGlyph);
    ToolButtonBrowseFolder = tool("ToolButtonBrowseFolder", "Folder", "Browse this folder", kFolderGlyph);
    ToolBar->addSeparator();
    ToolButtonCopySkin = tool("ToolButtonCopySkin", "Copy", "Copy Skin", 58);
    ToolButtonRenameSkin = tool("ToolButtonRenameSkin", "Rename", "Rename Skin", 1);
    ToolButtonDeleteSkin = tool("ToolButtonDeleteSkin", "Delete", "Delete Skin", 59);
    ToolBar->addSeparator();
    ToolButtonRefresh = tool("ToolButtonRefresh", "Refresh", "Refresh preview and directory content", 9);
    ToolButtonShowValidator = tool("ToolButtonShowValidator", "Check", "Show / Hide Skin Validation", 66);
    ToolButtonProperties = tool("ToolButtonProperties", "&Properties", "Properties / Veneerix Tweak", 43);
    ToolButtonPreviewAlwaysOnTop = tool("ToolButtonPreviewAlwaysOnTop", "On &Top", "Preview always on top", 3);
    ToolButtonPreviewAlwaysOnTop->setCheckable(true);
    ToolButtonProperties->setEnabled(bool(PropertiesHook()));
    layout->addWidget(ToolBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 4, 8, 4);
    TreeViewBrowser = new QTreeWidget;
    TreeViewBrowser->setObjectName(QStringLiteral("TreeViewBrowser"));
    TreeViewBrowser->setHeaderHidden(true);
    TreeViewBrowser->setColumnCount(2);
    TreeViewBrowser->setItemDelegateForColumn(1, new ThumbnailDelegate(TreeViewBrowser));
    TreeViewBrowser->header()->setStretchLastSection(false);
    TreeViewBrowser->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    TreeViewBrowser->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    TreeViewBrowser->header()->resizeSection(1, kThumbnailSize.width() + 8);
    TreeViewBrowser->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeViewBrowser->setMinimumWidth(220);
    body->addWidget(TreeViewBrowser, 1);

    auto* right = new QVBoxLayout;
    auto* fields = new QFormLayout;
    const char* captions[5] = {"Skin Name:", "Author:", "Author's URL:", "Author's Email:", "Special Notes:"};
    const char* names[5] = {"EditSkinName", "EditSkinAuthor", "EditAuthorsURL", "EditAuthorsEmail", "EditSpecialNotes"};
    QLineEdit** edits[5] = {&EditSkinName, &EditSkinAuthor, &EditAuthorsURL, &EditAuthorsEmail, &EditSpecialNotes};
    for (int i = 0; i < 5; ++i) {
        *edits[i] = new QLineEdit;
        (*edits[i])->setObjectName(QString::fromLatin1(names[i]));
        (*edits[i])->setReadOnly(true);
        (*edits[i])->setMinimumWidth(260);
        FieldLabels[i] = new QLabel(QString::fromLatin1(captions[i]));
        FieldLabels[i]->setBuddy(*edits[i]);
        fields->addRow(FieldLabels[i], *edits[i]);
    }
    QFont bold = EditSkinName->font();
    bold.setBold(true);
    EditSkinName->setFont(bold);
    FieldLabels[0]->setFont(bold);
    right->addLayout(fields);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    ButtonSetAsActive = new QPushButton(QStringLiteral("Set As Active"));
    ButtonSetAsActive->setObjectName(QStringLiteral("ButtonSetAsActive"));
    ButtonOpenSkin = new QPushButton(QStringLiteral("Open Skin"));
    ButtonOpenSkin->setObjectName(QStringLiteral("ButtonOpenSkin"));
    ButtonOpenSkin->setDefault(true);
    ButtonClose = new QPushButton(QStringLiteral("Close"));
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    buttons->addWidget(ButtonSetAsActive);
    buttons->addStretch();
    buttons->addWidget(ButtonOpenSkin);
    buttons->addWidget(ButtonClose);
    right->addLayout(buttons);
    body->addLayout(right, 2);
    layout->addLayout(body, 1);

    StatusBar = new QStatusBar;
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);

    thumbnailTimer_ = new QTimer(this);
    thumbnailTimer_->setInterval(0);
    connect(thumbnailTimer_, &QTimer::timeout, this, [this] { FillThumbnails(30); });

    // FormCreate: the validator window that "Check" shows.
    validator_ = new TFormValidator(this);

    connect(TreeViewBrowser, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeViewBrowserChange(current); });
    connect(TreeViewBrowser, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != root())
            ToolButtonOpenSkinClick();
    });
    // F2, the key that would start editing a node's text, asks about renaming instead.
    TreeViewBrowser->installEventFilter(this);
    connect(ButtonOpenSkin, &QPushButton::clicked, this, &TBrowserForm::ToolButtonOpenSkinClick);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonSetAsActive, &QPushButton::clicked, this, &TBrowserForm::ButtonSetAsActiveClick);
    connect(ToolButtonOpenSkin, &QAction::triggered, this, &TBrowserForm::ToolButtonOpenSkinClick);
    connect(ToolButtonBrowseFolder, &QAction::triggered, this, &TBrowserForm::ToolButtonBrowseFolderClick);
    connect(ToolButtonCopySkin, &QAction::triggered, this, [this] { ButtonCopySkinClick(false); });
    connect(ToolButtonRenameSkin, &QAction::triggered, this, [this] { ButtonCopySkinClick(true); });
    connect(ToolButtonDeleteSkin, &QAction::triggered, this, &TBrowserForm::ButtonDeleteSkinClick);
    connect(ToolButtonRefresh, &QAction::triggered, this, &TBrowserForm::ToolButtonRefreshClick);
    connect(ToolButtonShowValidator, &QAction::triggered, this, &TBrowserForm::ToolButtonShowValidatorClick);
    connect(ToolButtonProperties, &QAction::triggered, this, &TBrowserForm::ToolButtonPropertiesClick);
    connect(ToolButtonPreviewAlwaysOnTop, &QAction::triggered, this,
            &TBrowserForm::ToolButtonPreviewAlwaysOnTopClick);
    resize(680, 420);
}

TBrowserForm::~TBrowserForm()
{
    // FormDestroy: the previews are top-level windows of their own.
    releasePersonality();
}

QTreeWidgetItem* TBrowserForm::root() const
{
    return TreeViewBrowser->topLevelItemCount() ? TreeViewBrowser->topLevelItem(0) : nullptr;
}

QString TBrowserForm::SelectedFile() const
{
    return QString::fromStdString(selectedFile_.string());
}

bool TBrowserForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeViewBrowser && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        TreeViewBrowserEditing();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBrowserForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TBrowserForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (shown_ && !event->spontaneous()) {
        shown_ = false;
        FormHide();
    }
}

void TBrowserForm::FormShow()
{
    EditorState& state = editorState();
    hadDocument_ = state.DocumentOpen;
    if (hadDocument_) {
        documentPath_ = fromBytes(state.DocumentPath);
        // Closed the ordinary way, so pending edits are saved or dropped by the author's
        // answer rather than lost when the file is opened again.
        if (!main_.FileCloseItemClick()) {
            // The author kept the document open: the browser must not work beside it.
            hadDocument_ = false;
            QTimer::singleShot(0, this, &QDialog::reject);
            return;
        }
    }
    TreeViewBrowserLoad();
    TreeViewBrowser->setCurrentItem(root());
}

void TBrowserForm::FormHide()
{
    releasePersonality();
    validator_->hide();
    if (hadDocument_ && !documentPath_.isEmpty()) {
        main_.OpenDocument(documentPath_);
    } else {
        main_.Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->setVisible(false);
    }
    hadDocument_ = false;
}

void TBrowserForm::TreeViewBrowserLoad()
{
    ToolButtonPreviewAlwaysOnTop->setVisible(true);
    QAction* onTop = main_.Action(QStringLiteral("WindowPreviewAlwaysonTopItem"));
    onTop->setVisible(true);
    ToolButtonPreviewAlwaysOnTop->setChecked(onTop->isChecked());
    ToolButtonCopySkin->setEnabled(false);
    ToolButtonRenameSkin->setEnabled(false);

    const QSignalBlocker quiet(TreeViewBrowser);
    releasePersonality();
    TreeViewBrowser->clear();
    pendingThumbnails_.clear();
    auto* top = new QTreeWidgetItem(TreeViewBrowser, {QStringLiteral("All Skins")});
    top->setIcon(0, glyphIcon(kFolderGlyph));
    for (const BrowserEntry& entry : browserEntries(skins_)) {
        auto* item = new QTreeWidgetItem(top, {fromBytes(entry.name)});
        item->setIcon(0, glyphIcon(entry.uisFile ? kPersonalityGlyph : kFolderGlyph));
        item->setData(0, kHasFileRole, bool(entry.uisFile));
        if (entry.uisFile) {
            item->setData(1, Qt::UserRole, QString::fromStdString(entry.uisFile->string()));
            pendingThumbnails_.push_back(fromBytes(entry.name));
        }
    }
    top->setExpanded(true);
    if (!pendingThumbnails_.empty())
        thumbnailTimer_->start();
    selectedName_.clear();
    selectedFile_.clear();
}

void TBrowserForm::FillThumbnails(int budgetMilliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QTreeWidgetItem* top = root();
    while (!pendingThumbnails_.empty() && (budgetMilliseconds < 0 || clock.elapsed() < budgetMilliseconds)) {
        const QString name = pendingThumbnails_.front();
        pendingThumbnails_.erase(pendingThumbnails_.begin());
        for (int i = 0; top && i < top->childCount(); ++i) {
            QTreeWidgetItem* item = top->child(i);
            if (item->text(0) != name)
                continue;
            const QImage image = SkinThumbnails::shared().get(item->data(1, Qt::UserRole).toString().toStdString());
            item->setData(1, kThumbnailRole, image);
            item->setSizeHint(1, kThumbnailSize + QSize(6, 4));
        }
    }
    if (pendingThumbnails_.empty())
        thumbnailTimer_->stop();
}

void TBrowserForm::releasePersonality()
{
    for (TPreviewForm*& preview : previews_) {
        delete preview;
        preview = nullptr;
    }
    document_.reset();
}

void TBrowserForm::setFields(const SkinIdentity& identity)
{
    QLineEdit* edits[5] = {EditSkinName, EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes};
    for (int i = 0; i < 5; ++i) {
        const bool defined = identity.fields[i] != kUndefined;
        edits[i]->setText(fromBytes(identity.fields[i]));
        edits[i]->setCursorPosition(0);
        edits[i]->setEnabled(defined);
        FieldLabels[i]->setEnabled(defined);
    }
}

void TBrowserForm::TreeViewBrowserChange(QTreeWidgetItem* current)
{
    releasePersonality();
    ToolButtonPreviewAlwaysOnTop->setEnabled(false);
    ToolButtonCopySkin->setEnabled(false);
    ToolButtonRenameSkin->setEnabled(false);
    ButtonSetAsActive->setEnabled(false);
    SkinIdentity undefined;
    for (std::string& field : undefined.fields)
        field = kUndefined;
    setFields(undefined);
    selectedName_.clear();
    selectedFile_.clear();
    if (!current)
        return;
    if (current == root()) {
        StatusBar->showMessage(QStringLiteral("Main Folder containing all available skins"));
        return;
    }
    selectedName_ = current->text(0);
    const std::string name = toBytes(selectedName_);
    selectedFile_ = skins_ / name / (name + ".uis");
    std::error_code ec;
    // The file is found whatever the letter case of its name ("Red\red.uis").
    if (current->data(0, kHasFileRole).toBool() && !fs::is_regular_file(selectedFile_, ec))
        for (const BrowserEntry& entry : browserEntries(skins_))
            if (entry.name == name && entry.uisFile)
                selectedFile_ = *entry.uisFile;
    if (!fs::is_regular_file(selectedFile_, ec)) {
        StatusBar->showMessage(QString::fromLatin1(kNoFileStatus));
        return;
    }
    try {
        document_ = std::make_unique<TUisFile>(selectedFile_.string());
    } catch (const std::exception& error) {
        StatusBar->showMessage(QString::fromStdString(selectedFile_.string() + ": " + error.what()));
        return;
    }
    ButtonSetAsActive->setEnabled(true);
    const int version = document_->FormatVersion();
    if (version == UisType2 || version == UisType1p) {
        StatusBar->showMessage(version == UisType2 ? QStringLiteral("UIS 2 File") : QStringLiteral("UIS 1+ File"));
        ToolButtonPreviewAlwaysOnTop->setEnabled(true);
        ToolButtonRenameSkin->setEnabled(true);
        ToolButtonCopySkin->setEnabled(true);
        const bool onTop = main_.Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->isChecked();
        const QRect frame = frameGeometry();
        for (int i = 0; i < 2; ++i) {
            auto* preview = new TPreviewForm(main_.Settings());
            preview->setObjectName(i == 0 ? QStringLiteral("BrowserPreviewActive") : QStringLiteral("BrowserPreviewInactive"));
            preview->SetDocument(document_.get());
            preview->Arrange(i == 0);
            preview->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
            // Unless the editor keeps window places: beside the browser, the active
            // look above the inactive one.
            if (!main_.Settings().ReadBool("General", "WindowsSizeRestore", false))
                preview->move(frame.right() + 12, frame.top() + i * (preview->height() + 24));
            preview->ReLoadSkin();
            preview->show();
            previews_[i] = preview;
        }
        activateWindow();
        raise();
    } else {
        StatusBar->showMessage(QStringLiteral("UIS 1 file - Preview not available"));
    }
    setFields(readSkinIdentity(*document_));
    if (validator_->isVisible())
        runValidator();
}

void TBrowserForm::runValidator()
{
    if (!document_)
        return;
    validator_->Run(*document_, QString::fromStdString((skins_ / toBytes(selectedName_)).string()),
                    SelectedFile());
}

void TBrowserForm::ToolButtonOpenSkinClick()
{
    if (!selectedName_.isEmpty())
        accept();
}

void TBrowserForm::ToolButtonBrowseFolderClick()
{
    const QTreeWidgetItem* current = TreeViewBrowser->currentItem();
    const fs::path folder = !current || current == root() ? skins_ : skins_ / toBytes(selectedName_);
    shell().open(QString::fromStdString(folder.string()));
}

void TBrowserForm::ButtonSetAsActiveClick()
{
    if (document_)
        Engine::applyPersonality(selectedFile_.string());
}

void TBrowserForm::ToolButtonShowValidatorClick()
{
    if (!document_)
        return;
    runValidator();
    validator_->show();
    validator_->raise();
}

void TBrowserForm::ToolButtonPropertiesClick()
{
    if (PropertiesHook())
        PropertiesHook()(this);
}

void TBrowserForm::ToolButtonPreviewAlwaysOnTopClick()
{
    QAction* item = main_.Action(QStringLiteral("WindowPreviewAlwaysonTopItem"));
    item->trigger();
    ToolButtonPreviewAlwaysOnTop->setChecked(item->isChecked());
    for (TPreviewForm* preview : previews_) {
        if (!preview)
            continue;
        const bool visible = preview->isVisible();
        preview->setWindowFlag(Qt::WindowStaysOnTopHint, item->isChecked());
        preview->setVisible(visible);
    }
}

void TBrowserForm::ToolButtonRefreshClick()
{
    const QString name = selectedName_;
    TreeViewBrowserLoad();
    TreeViewBrowser->setCurrentItem(root());
    if (!name.isEmpty())
        SelectByName(name);
}

void TBrowserForm::SelectByName(const QString& name)
{
    QTreeWidgetItem* top = root();
    if (!top)
        return;
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0)
            TreeViewBrowser->setCurrentItem(top->child(i));
}

void TBrowserForm::TreeViewBrowserEditing()
{
    QTreeWidgetItem* current = TreeViewBrowser->currentItem();
    if (!current || current == root())
        return;
    if (prompts().message(QStringLiteral("This will rename the directory containing skin. You must be aware that uis "
                                         "file and the folder containing it must have exactly the same name or "
                                         "wouldn't be available for Veneerix.\n\nDo you want me to change the name of "
                                         "the folder anyway?"),
                          QStringLiteral("Caution"), PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes)
        ButtonCopySkinClick(true);
}

void TBrowserForm::ButtonCopySkinClick(bool rename)
{
    if (selectedName_.isEmpty() || !document_)
        return;
    TFormFilename prompt(selectedName_, EditSkinName->text(), this);
    if (prompt.exec() != QDialog::Accepted)
        return;
    const std::string newName = toBytes(prompt.fileName().trimmed());
    const std::string skinName = toBytes(prompt.name());
    const std::string oldName = toBytes(selectedName_);
    releasePersonality();
    const std::string error = copyPersonality(skins_, oldName, newName, skinName, rename);
    if (!error.empty())
        prompts().message(fromBytes(error), rename ? QStringLiteral("Rename Skin") : QStringLiteral("Copy Skin"),
                          PromptIcon::Error, PromptButtons::Ok);
    TreeViewBrowserLoad();
    TreeViewBrowser->setCurrentItem(root());
    SelectByName(fromBytes(error.empty() ? newName : oldName));
}

void TBrowserForm::ButtonDeleteSkinClick()
{
    if (selectedName_.isEmpty())
        return;
    const fs::path folder = skins_ / toBytes(selectedName_);
    if (prompts().message(QString::fromStdString(folder.string()), QStringLiteral("Delete the contents of this directory?"),
                          PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    releasePersonality();
    if (const std::string error = deletePersonality(skins_, toBytes(selectedName_)); !error.empty())
        prompts().message(fromBytes(error), QStringLiteral("Delete Skin"), PromptIcon::Error, PromptButtons::Ok);
    TreeViewBrowserLoad();
    TreeViewBrowser->setCurrentItem(root());
}

}  // namespace sw
