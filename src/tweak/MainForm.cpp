#include "tweak/MainForm.h"

#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "preview/BitmapImage.h"
#include "preview/JpegImage.h"
#include "store/PlatformPaths.h"
#include "tweak/TransparencySample.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace sw::tweak {

namespace fs = std::filesystem;

namespace {

const char* kNotice = "Sorry. This Section has temporarily  been disabled";
const char* kPictureFilter = "All Images (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File "
                             "(*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|Bitmaps (*.bmp)|*.bmp";
const char* kProductSite = "https://skinwright.example.org/";
const char* kEngineSite = "https://corvane.example.com/";

QString local(const fs::path& path)
{
    return QString::fromLocal8Bit(path.string());
}

QLabel* link(const QString& caption, const QString& address, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address, caption.toHtmlEscaped()), parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // The shell opens it, so a test's recording shell sees the address.
    QObject::connect(label, &QLabel::linkActivated, label, [](const QString& target) { shell().open(target); });
    return label;
}

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("VX Tweak"));
    chooseColour = [this](const QColor& initial) { return QColorDialog::getColor(initial, this); };
    buildWidgets();
    FormCreate();
}

void TMainForm::buildWidgets()
{
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    TreeView = new QTreeWidget(this);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->header()->hide();
    TreeView->setFixedWidth(170);
    PageControl = new QStackedWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    for (QWidget* page : {buildAboutPage(), buildNoticePage(), buildHiddenPage(), buildToolbarsPage(),
                          buildExplorerPage(), buildExplorerColoursPage(), buildExplorerBitmapPage(),
                          buildPerAppPage()})
        PageControl->addWidget(page);
    body->addWidget(TreeView);
    body->addWidget(PageControl, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply = new QPushButton(QStringLiteral("Apply"), this);
    btnApply->setObjectName(QStringLiteral("btnApply"));
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnApply);
    layout->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(true); });
    connect(btnApply, &QPushButton::clicked, this, [this] { btnOKClick(false); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(TreeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeViewChange(current); });
    resize(600, 380);
}

QWidget* TMainForm::buildAboutPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetAbout"));
    auto* layout = new QVBoxLayout(page);
    auto* title = new QLabel(QStringLiteral("VX Tweak"), page);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(page);
    version->setObjectName(QStringLiteral("LabelVersion"));
    version->setText(QStringLiteral("Version 1.0.0  (build 95)"));
    auto* credits = new QLabel(QStringLiteral("Settings of the Veneerix engine that its own configuration does not "
                                              "show.\n\nWritten by the Skinwright team."),
                               page);
    credits->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(credits);
    layout->addWidget(link(QStringLiteral("Skinwright home page"), QString::fromLatin1(kProductSite), page));
    layout->addWidget(link(QStringLiteral("Veneerix home page"), QString::fromLatin1(kEngineSite), page));
    layout->addStretch();
    return page;
}

QWidget* TMainForm::buildNoticePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetNotice"));
    auto* layout = new QVBoxLayout(page);
    auto* notice = new QLabel(QString::fromLatin1(kNotice), page);
    notice->setObjectName(QStringLiteral("LabelNotice"));
    notice->setAlignment(Qt::AlignCenter);
    layout->addWidget(notice);
    return page;
}

QWidget* TMainForm::buildHiddenPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetHidden"));
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral(" Hidden Veneerix settings "), page);
    auto* inner = new QVBoxLayout(group);
    CheckBoxSizeLimit = checkBox("CheckBoxSizeLimit", QStringLiteral("Maximized windows show borders"), group);
    CheckBoxWindowLock = checkBox("CheckBoxWindowLock", QStringLiteral("Windows stick to screen border"), group);
    CheckBoxNoSound = checkBox("CheckBoxNoSound", QStringLiteral("Disable Sounds"), group);
    for (QCheckBox* box : {CheckBoxSizeLimit, CheckBoxWindowLock, CheckBoxNoSound}) {
        inner->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &TMainForm::AlterHiddenVXSettings);
    }
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* TMainForm::buildToolbarsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetInternetExplorer"));
    auto* layout = new QGridLayout(page);
    CheckBoxInternetExplorer =
        checkBox("CheckBoxInternetExplorer", QStringLiteral("Set images for Explorer toolbars"), page);
    LabelIE4 = new QLabel(QStringLiteral("Image for any Explorer toolbar"), page);
    LabelIE5 = new QLabel(QStringLiteral("Image for Internet Explorer 5 and Outlook Express toolbar"), page);
    EditIE4Bitmap = new QLineEdit(page);
    EditIE4Bitmap->setObjectName(QStringLiteral("EditIE4Bitmap"));
    EditIE5Bitmap = new QLineEdit(page);
    EditIE5Bitmap->setObjectName(QStringLiteral("EditIE5Bitmap"));
    ButtonIE4Browse = new QPushButton(QStringLiteral("Browse"), page);
    ButtonIE4Browse->setObjectName(QStringLiteral("ButtonIE4Browse"));
    ButtonIE5Browse = new QPushButton(QStringLiteral("Browse"), page);
    ButtonIE5Browse->setObjectName(QStringLiteral("ButtonIE5Browse"));
    CheckBoxSynchronize = checkBox("CheckBoxSynchronize",
                                   QStringLiteral("Synchronize (Internet) Explorer toolbars with Veneerix skin"), page);
    layout->addWidget(CheckBoxInternetExplorer, 0, 0, 1, 2);
    layout->addWidget(LabelIE4, 1, 0, 1, 2);
    layout->addWidget(EditIE4Bitmap, 2, 0);
    layout->addWidget(ButtonIE4Browse, 2, 1);
    layout->addWidget(LabelIE5, 3, 0, 1, 2);
    layout->addWidget(EditIE5Bitmap, 4, 0);
    layout->addWidget(ButtonIE5Browse, 4, 1);
    layout->addWidget(CheckBoxSynchronize, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    for (QCheckBox* box : {CheckBoxInternetExplorer, CheckBoxSynchronize})
        connect(box, &QCheckBox::toggled, this, &TMainForm::CheckBoxInternetExplorerClick);
    connect(ButtonIE4Browse, &QPushButton::clicked, this, [this] { ButtonIE4BrowseClick(EditIE4Bitmap); });
    connect(ButtonIE5Browse, &QPushButton::clicked, this, [this] { ButtonIE4BrowseClick(EditIE5Bitmap); });
    for (QLineEdit* edit : {EditIE4Bitmap, EditIE5Bitmap})
        connect(edit, &QLineEdit::textEdited, this, &TMainForm::enableApply);
    return page;
}

QWidget* TMainForm::buildExplorerPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetExplorer"));
    auto* layout = new QVBoxLayout(page);
    CheckBoxAddBitmaps =
        checkBox("CheckBoxAddBitmaps", QStringLiteral("Add bitmaps / transparency to Explorer windows"), page);
    auto* group = new QGroupBox(QStringLiteral(" Explorer window background  "), page);
    group->setObjectName(QStringLiteral("RadioGroupBackground"));
    auto* inner = new QVBoxLayout(group);
    RadioButtonTransparent = new QRadioButton(QStringLiteral("Transparent background"), group);
    RadioButtonTransparent->setObjectName(QStringLiteral("RadioButtonTransparent"));
    RadioButtonRegular = new QRadioButton(QStringLiteral("Regular background"), group);
    RadioButtonRegular->setObjectName(QStringLiteral("RadioButtonRegular"));
    RadioButtonStretch = new QRadioButton(QStringLiteral("Stretch background to fit"), group);
    RadioButtonStretch->setObjectName(QStringLiteral("RadioButtonStretch"));
    for (QRadioButton* radio : {RadioButtonTransparent, RadioButtonRegular, RadioButtonStretch}) {
        inner->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, &TMainForm::AlterHiddenVXSettings);
    }
    CheckBoxExplorerColour =
        checkBox("CheckBoxExplorerColour", QStringLiteral("Change Explorer icon text colour"), page);
    connect(CheckBoxExplorerColour, &QCheckBox::toggled, this, &TMainForm::AlterHiddenVXSettings);
    layout->addWidget(CheckBoxAddBitmaps);
    layout->addWidget(group);
    layout->addWidget(CheckBoxExplorerColour);
    layout->addStretch();
    return page;
}

QWidget* TMainForm::buildExplorerColoursPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetExplorerColours"));
    auto* layout = new QGridLayout(page);
    LabelTransparencyColor = new QLabel(QStringLiteral("Transparency color:"), page);
    ComboBoxTransparencyColor = new QComboBox(page);
    ComboBoxTransparencyColor->setObjectName(QStringLiteral("ComboBoxTransparencyColor"));
    ComboBoxTransparencyColor->addItems(transparencyColourNames());
    ImageTransparencySample = new QLabel(page);
    ImageTransparencySample->setObjectName(QStringLiteral("ImageTransparencySample"));
    ImageTransparencySample->setFrameShape(QFrame::Box);
    LabelExplorerColourPreview = new QLabel(QStringLiteral("Click here to change explorer icon title colour."), page);
    LabelExplorerColourPreview->setObjectName(QStringLiteral("LabelExplorerColourPreview"));
    LabelExplorerColourPreview->setCursor(Qt::PointingHandCursor);
    LabelExplorerColourSample = new QLabel(QStringLiteral("Sample - Sample - Sample"), page);
    LabelExplorerColourSample->setObjectName(QStringLiteral("LabelExplorerColourSample"));
    LabelExplorerColourSample->setCursor(Qt::PointingHandCursor);
    for (QLabel* label : {LabelExplorerColourPreview, LabelExplorerColourSample})
        label->installEventFilter(this);
    layout->addWidget(LabelTransparencyColor, 0, 0);
    layout->addWidget(ComboBoxTransparencyColor, 0, 1);
    layout->addWidget(ImageTransparencySample, 1, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(LabelExplorerColourPreview, 2, 0, 1, 2);
    layout->addWidget(LabelExplorerColourSample, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
    connect(ComboBoxTransparencyColor, &QComboBox::currentIndexChanged, this,
            &TMainForm::ComboBoxTransparencyColorChange);
    return page;
}

QWidget* TMainForm::buildExplorerBitmapPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetExplorerBitmap"));
    auto* layout = new QVBoxLayout(page);
    ImageExplorerBitmap = new QLabel(page);
    ImageExplorerBitmap->setObjectName(QStringLiteral("ImageExplorerBitmap"));
    ImageExplorerBitmap->setFrameShape(QFrame::Box);
    ImageExplorerBitmap->setMinimumSize(200, 150);
    ImageExplorerBitmap->setAlignment(Qt::AlignCenter);
    auto* change = new QPushButton(QStringLiteral("Change Bitmap"), page);
    change->setObjectName(QStringLiteral("ButtonChangeBitmap"));
    change->setEnabled(false);
    layout->addWidget(ImageExplorerBitmap, 1);
    layout->addWidget(change, 0, Qt::AlignLeft);
    return page;
}

QWidget* TMainForm::buildPerAppPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPerApp"));
    auto* layout = new QVBoxLayout(page);
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("MemoPerApp"));
    memo->setReadOnly(true);
    memo->setPlainText(QStringLiteral(
        "Veneerix can give a program a skin of its own and settings of its own.\n\n"
        "The programs below have such settings; they are kept in vxdbg.ini (how the engine treats the "
        "program) and vxPerApp.ini (the personality chosen for it) in the Veneerix folder."));
    auto* add = new QPushButton(QStringLiteral("Add application to \"Per App\" list"), page);
    add->setObjectName(QStringLiteral("ButtonAddApplication"));
    add->setEnabled(false);
    layout->addWidget(memo, 1);
    layout->addWidget(add, 0, Qt::AlignLeft);
    return page;
}

void TMainForm::buildTree()
{
    TreeView->clear();
    auto node = [](const QString& caption, int page, QTreeWidgetItem* parent) {
        auto* item = new QTreeWidgetItem(QStringList{caption});
        item->setData(0, Qt::UserRole, page);
        parent->addChild(item);
        return item;
    };
    QTreeWidgetItem* root = TreeView->invisibleRootItem();
    node(QStringLiteral("About"), PageAbout, root);
    node(QStringLiteral("Available Skins"), PageNotice, root);
    node(QStringLiteral("Miscelaneous"), PageHidden, root);
    node(QStringLiteral("Internet Explorer"), PageToolbars, root);
    node(QStringLiteral("Basic Format"), PageNotice, root);
    QTreeWidgetItem* explorer = node(QStringLiteral("Explorer"), PageExplorer, root);
    node(QStringLiteral("Colors"), PageExplorerColours, explorer);
    node(QStringLiteral("Bitmaps"), PageExplorerBitmap, explorer);
    QTreeWidgetItem* perApp = node(QStringLiteral("Per App Settings"), PagePerApp, root);
    EngineSettings engine(Engine::findFolder());
    for (const std::string& program : engine.knownPrograms())
        node(QString::fromLocal8Bit(program), PageNotice, perApp);
    TreeView->expandAll();
}

QImage TMainForm::loadPicture(const QString& file)
{
    QImage picture;
    if (QFileInfo(file).isFile()) {
        fs::path path(file.toLocal8Bit().toStdString());
        const bool jpegName = file.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
                              file.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
        // A picture under the wrong extension still shows: the sample picture is the
        // tweak tool's own, not drawn by the engine as a skin bitmap. JPEG pictures
        // only ever go through the reader that limits their scans.
        std::string why;
        picture = jpegName ? readJpegImage(path) : readBitmapImage(path, &why);
        if (picture.isNull())
            picture = jpegName ? readBitmapImage(path, &why) : readJpegImage(path);
        if (picture.isNull() && why.find("JPEG") == std::string::npos) {
            QImageReader other(file);
            if (other.format() != "jpeg")
                picture = other.read();
        }
    }
    if (picture.isNull())
        prompts().message(QStringLiteral("Cannot open file \"%1\".").arg(QDir::toNativeSeparators(file)),
                          QStringLiteral("VX Tweak"), PromptIcon::Error, PromptButtons::Ok);
    return picture;
}

void TMainForm::FormCreate()
{
    samplePicture_ = loadPicture(local(programFolder() / "tvx.jpg"));
    windowsFolder_ = local(windowsFolder());
    const fs::path engineFolder = Engine::findFolder();
    stored_ = readTweakSettings();
    setControls(stored_);

    std::string background = explorerBitmapValue();
    // The engine's own picture is shown when it is there; its absence is no error, as
    // the user never asked for it.
    std::error_code ec;
    if (background.empty() && Engine::installed(true) && fs::is_regular_file(engineFolder / "vx.bmp", ec))
        background = (engineFolder / "vx.bmp").string();
    if (!background.empty()) {
        QImage picture = loadPicture(QString::fromLocal8Bit(background));
        if (!picture.isNull())
            ImageExplorerBitmap->setPixmap(QPixmap::fromImage(picture.scaled(
                ImageExplorerBitmap->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    buildTree();
    btnApply->setEnabled(false);
}

void TMainForm::setControls(const TweakSettings& settings)
{
    loading_ = true;
    CheckBoxSizeLimit->setChecked(settings.sizeLimit);
    CheckBoxWindowLock->setChecked(settings.windowLock);
    CheckBoxNoSound->setChecked(settings.noSound);
    switch (settings.look.background) {
    case ExplorerLook::Transparent: RadioButtonTransparent->setChecked(true); break;
    case ExplorerLook::Stretch: RadioButtonStretch->setChecked(true); break;
    default: RadioButtonRegular->setChecked(true); break;
    }
    CheckBoxExplorerColour->setChecked(settings.look.ownTextColour);
    ComboBoxTransparencyColor->setCurrentIndex(settings.look.transparencyColour);
    setTextColour(QColor(settings.look.red, settings.look.green, settings.look.blue));
    CheckBoxInternetExplorer->setChecked(settings.toolbars.images);
    EditIE4Bitmap->setText(QString::fromLocal8Bit(settings.toolbars.backBitmap));
    EditIE5Bitmap->setText(QString::fromLocal8Bit(settings.toolbars.backBitmapIE5));
    CheckBoxSynchronize->setChecked(settings.toolbars.synchronize);
    loading_ = false;
    AlterHiddenVXSettings();
    CheckBoxInternetExplorerClick();
}

TweakSettings TMainForm::Settings() const
{
    TweakSettings settings;
    settings.sizeLimit = CheckBoxSizeLimit->isChecked();
    settings.windowLock = CheckBoxWindowLock->isChecked();
    settings.noSound = CheckBoxNoSound->isChecked();
    settings.look.background = RadioButtonTransparent->isChecked() ? ExplorerLook::Transparent
                               : RadioButtonStretch->isChecked()   ? ExplorerLook::Stretch
                                                                   : ExplorerLook::Regular;
    settings.look.transparencyColour = std::max(0, ComboBoxTransparencyColor->currentIndex());
    settings.look.ownTextColour = CheckBoxExplorerColour->isChecked();
    settings.look.red = textColour_.red();
    settings.look.green = textColour_.green();
    settings.look.blue = textColour_.blue();
    settings.toolbars.images = CheckBoxInternetExplorer->isChecked();
    settings.toolbars.backBitmap = EditIE4Bitmap->text().toLocal8Bit().toStdString();
    settings.toolbars.backBitmapIE5 = EditIE5Bitmap->text().toLocal8Bit().toStdString();
    settings.toolbars.synchronize = CheckBoxSynchronize->isChecked();
    return settings;
}

void TMainForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TMainForm::FormShow()
{
    installedSkins_.clear();
    QDir engine(local(Engine::findFolder()));
    for (const QString& folder : engine.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        if (QFileInfo(engine.filePath(folder + QLatin1Char('/') + folder + QStringLiteral(".uis"))).isFile())
            installedSkins_ << folder;
    if (!TreeView->currentItem())
        TreeView->setCurrentItem(TreeView->topLevelItem(0));
}

int TMainForm::CurrentPage() const
{
    return PageControl->currentIndex();
}

QTreeWidgetItem* TMainForm::NodeFor(const QString& caption) const
{
    const auto found = TreeView->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void TMainForm::TreeViewChange(QTreeWidgetItem* node)
{
    if (node)
        PageControl->setCurrentIndex(node->data(0, Qt::UserRole).toInt());
}

void TMainForm::enableApply()
{
    if (!loading_)
        btnApply->setEnabled(true);
}

void TMainForm::AlterHiddenVXSettings()
{
    enableApply();
    LabelExplorerColourPreview->setEnabled(CheckBoxExplorerColour->isChecked());
    LabelExplorerColourSample->setEnabled(CheckBoxExplorerColour->isChecked());
    const bool transparent = RadioButtonTransparent->isChecked();
    LabelTransparencyColor->setEnabled(transparent);
    ComboBoxTransparencyColor->setEnabled(transparent);
    updateSample();
}

void TMainForm::updateSample()
{
    const QImage sample =
        transparencySample(samplePicture_, ComboBoxTransparencyColor->currentIndex(),
                           RadioButtonTransparent->isChecked(), palette().color(QPalette::Window));
    ImageTransparencySample->setPixmap(QPixmap::fromImage(sample));
}

void TMainForm::setTextColour(const QColor& colour)
{
    textColour_ = colour;
    for (QLabel* label : {LabelExplorerColourPreview, LabelExplorerColourSample}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == LabelExplorerColourPreview || watched == LabelExplorerColourSample)) {
        if (static_cast<QWidget*>(watched)->isEnabled())
            LabelExplorerColourPreviewClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TMainForm::LabelExplorerColourPreviewClick()
{
    const QColor chosen = chooseColour(textColour_);
    if (!chosen.isValid())
        return;
    setTextColour(chosen);
    enableApply();
}

void TMainForm::ComboBoxTransparencyColorChange()
{
    enableApply();
    updateSample();
}

void TMainForm::CheckBoxInternetExplorerClick()
{
    enableApply();
    CheckBoxInternetExplorer->setEnabled(!CheckBoxSynchronize->isChecked());
    const bool images = CheckBoxInternetExplorer->isChecked() && CheckBoxInternetExplorer->isEnabled();
    for (QWidget* widget : std::initializer_list<QWidget*>{LabelIE4, LabelIE5, EditIE4Bitmap, EditIE5Bitmap,
                                                           ButtonIE4Browse, ButtonIE5Browse})
        widget->setEnabled(images);
}

void TMainForm::ButtonIE4BrowseClick(QLineEdit* field)
{
    FileDialogRequest request;
    request.folder = windowsFolder_;
    request.filter = QString::fromLatin1(kPictureFilter);
    request.fileName = field->text();
    const QString chosen = prompts().openFile(request);
    if (chosen.isEmpty())
        return;
    field->setText(chosen);
    enableApply();
}

void TMainForm::btnOKClick(bool close)
{
    btnApply->setEnabled(false);
    const WriteOutcome outcome = writeTweakSettings(Settings(), stored_, programFolder());
    stored_ = outcome.stored;
    if (!outcome.synchronizerStarted && !synchronizerReported_) {
        // Said once a run: the synchronizer is an optional companion that is often absent.
        synchronizerReported_ = true;
        prompts().message(QStringLiteral("The toolbar synchronizer \"%1\" could not be started.")
                              .arg(QDir::toNativeSeparators(local(outcome.synchronizer))),
                          QStringLiteral("VX Tweak"), PromptIcon::Warning, PromptButtons::Ok);
    }
    if (close)
        accept();
}

}  // namespace sw::tweak
