#include "manage/PropertiesForm.h"

#include "common/CodeStyles.h"

#include "document/UisFile.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/ExplorerSettings.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "manage/FileAssociation.h"
#include "manage/PropertiesColorGrid.h"
#include "manage/SkinShot.h"
#include "preview/PreviewForm.h"
#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

namespace {

const char* kPictureFilter = "All Images (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File "
                             "(*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|Bitmaps (*.bmp)|*.bmp";
const char* kArchiveFilter = "All archives (*.zip,*.vxa)|*.zip;*.vxa|Zip Archives (*.zip)|*.zip|VXA Archives "
                             "(*.vxa)|*.vxa;*.vxa|All files (*.*)|*.*";

QString bytesToText(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes);
}

std::string textToBytes(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

QColor toColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A group of radio buttons numbered from 0, laid out in a titled box.
QGroupBox* radioGroup(const char* name, const QString& title, const QStringList& captions, QButtonGroup*& group,
                      QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i], box);
        radio->setObjectName(QString::fromLatin1(name) + QString::number(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return box;
}

QGroupBox* disabledGroup(const QString& title, const QStringList& captions, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (const QString& caption : captions)
        layout->addWidget(new QCheckBox(caption, box));
    box->setEnabled(false);
    return box;
}

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

QString codeViewSampleText()
{
    return QStringLiteral("; Sample personality for the code view\n"
                          "[TitleBarSkin]\n"
                          "SkinName=Sample Skin\n"
                          "TopBitmap=Sample\\top.bmp\n"
                          "\n"
                          "; End of the sample\n");
}

TPropertiesForm::TPropertiesForm(PropertiesContext context, Mode mode, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), mode_(mode)
{
    setObjectName(QStringLiteral("PropertiesForm"));
    chooseColour = [this](const QColor& initial) { return QColorDialog::getColor(initial, this); };
    auto* layout = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    const std::pair<QWidget*, const char*> pages[] = {
        {buildAuthorPage(), "Author"},     {buildProgramPage(), "Program"}, {buildTweakVXPage(), "Tweak VX"},
        {buildTweakIEPage(), "Tweak IE"},  {buildCodeViewPage(), "Code View"}, {buildSkinshotPage(), "Skinshot"},
        {buildPreviewPage(), "Preview"},   {buildImagesPage(), "Images"},   {buildPluginsPage(), "Plugins"}};
    for (const auto& [page, caption] : pages)
        PageControl->addTab(page, QString::fromLatin1(caption));
    layout->addWidget(PageControl, 1);
    auto* buttons = new QHBoxLayout;
    ButtonOK = button("ButtonOK", QStringLiteral("OK"), this);
    ButtonOK->setDefault(true);
    ButtonCancel = button("ButtonCancel", QStringLiteral("Cancel"), this);
    ButtonApply = button("ButtonApply", QStringLiteral("Apply"), this);
    buttons->addStretch();
    for (QPushButton* b : {ButtonOK, ButtonCancel, ButtonApply})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &TPropertiesForm::ButtonOKClick);
    connect(ButtonApply, &QPushButton::clicked, this, &TPropertiesForm::ButtonApplyClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    switch (mode_) {
    case AllPages:
        setWindowTitle(QStringLiteral("Preferences"));
        PageControl->setCurrentIndex(PageProgram);
        break;
    case PluginManager:
        setWindowTitle(QStringLiteral("Plugin Manager"));
        for (int page = 0; page < PageCount; ++page)
            PageControl->setTabVisible(page, page == PagePlugins);
        PageControl->setCurrentIndex(PagePlugins);
        break;
    case SkinShotWizard:
        setWindowTitle(QStringLiteral("Create SkinShot Wizard"));
        for (int page = 0; page < PageCount; ++page)
            PageControl->setTabVisible(page, page == PageSkinshot || page == PagePreview);
        PageControl->setCurrentIndex(PageSkinshot);
        break;
    case EnginePage:
        setWindowTitle(QStringLiteral("Preferences"));
        for (int page : {PageAuthor, PageProgram, PageSkinshot, PageCodeView})
            PageControl->setTabVisible(page, false);
        PageControl->setCurrentIndex(PageTweakVX);
        break;
    }
    loadControls();
    resize(740, 440);
}

TPropertiesForm::~TPropertiesForm() = default;

// --- Pages ---

QWidget* TPropertiesForm::buildAuthorPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetAuthor"));
    auto* layout = new QGridLayout(page);
    const char* names[5] = {"EditSkinName", "EditSkinAuthor", "EditAuthorsURL", "EditAuthorsEmail",
                            "EditSpecialNotes"};
    const char* captions[5] = {"Skin Name:", "Author:", "Author's URL:", "Author's Email:", "Special Notes:"};
    ButtonGetSkinName = button("ButtonGetSkinName", QStringLiteral("<-S"), page);
    ButtonGetSkinName->setToolTip(QStringLiteral("The open skin's name"));
    for (int i = 0; i < 5; ++i) {
        layout->addWidget(new QLabel(QString::fromLatin1(captions[i]), page), i, 0);
        authorEdits_[i] = new QLineEdit(page);
        authorEdits_[i]->setObjectName(QString::fromLatin1(names[i]));
        layout->addWidget(authorEdits_[i], i, 1);
        if (i == 0)
            layout->addWidget(ButtonGetSkinName, i, 2);
        auto* fromDefault = button(qPrintable(QStringLiteral("ButtonDefault%1").arg(i)), QStringLiteral("<-D"), page);
        fromDefault->setToolTip(QStringLiteral("The default value"));
        layout->addWidget(fromDefault, i, 3);
        connect(fromDefault, &QPushButton::clicked, this, [this, i] { ButtonDefaultClick(i); });
        watch(authorEdits_[i]);
    }
    auto* row = new QHBoxLayout;
    auto* restore = button("ButtonRestoreDefaults", QStringLiteral("Restore defaults"), page);
    auto* setDefault = button("ButtonSetAsDefault", QStringLiteral("Set as default"), page);
    ButtonApplyToSkin = button("ButtonApplyToSkin", QStringLiteral("Apply to the skin"), page);
    ButtonGetSkinValues = button("ButtonGetSkinValues", QStringLiteral("Get skin values"), page);
    for (QPushButton* b : {restore, setDefault, ButtonApplyToSkin, ButtonGetSkinValues})
        row->addWidget(b);
    layout->addLayout(row, 5, 0, 1, 4);
    layout->setRowStretch(6, 1);
    layout->setColumnStretch(1, 1);
    connect(ButtonGetSkinName, &QPushButton::clicked, this, &TPropertiesForm::ButtonGetSkinNameClick);
    connect(restore, &QPushButton::clicked, this, &TPropertiesForm::ButtonRestoreDefaultsClick);
    connect(setDefault, &QPushButton::clicked, this, &TPropertiesForm::ButtonSetAsDefaultClick);
    connect(ButtonApplyToSkin, &QPushButton::clicked, this, &TPropertiesForm::ButtonApplyToSkinClick);
    connect(ButtonGetSkinValues, &QPushButton::clicked, this, &TPropertiesForm::ButtonGetSkinValuesClick);
    return page;
}

QWidget* TPropertiesForm::buildProgramPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetProgram"));
    auto* layout = new QVBoxLayout(page);
    auto* restore = new QGroupBox(QStringLiteral(" Restore on start "), page);
    auto* restoreLayout = new QVBoxLayout(restore);
    CheckBoxWindowsSizeRestore = checkBox("CheckBoxWindowsSizeRestore", QStringLiteral("Windows positions"), restore);
    CheckBoxLoadRecentlyEdited = checkBox("CheckBoxLoadRecentlyEdited", QStringLiteral("Last edited skin"), restore);
    CheckBoxDesktopState = checkBox("CheckBoxDesktopState", QStringLiteral("Desktop prefs."), restore);
    for (QCheckBox* box : {CheckBoxWindowsSizeRestore, CheckBoxLoadRecentlyEdited, CheckBoxDesktopState})
        restoreLayout->addWidget(box);
    auto* general = new QGroupBox(QStringLiteral(" General "), page);
    auto* generalLayout = new QGridLayout(general);
    ComboBoxMaxRecent = new QComboBox(general);
    ComboBoxMaxRecent->setObjectName(QStringLiteral("ComboBoxMaxRecent"));
    for (int i = 1; i <= 10; ++i)
        ComboBoxMaxRecent->addItem(QString::number(i));
    generalLayout->addWidget(new QLabel(QStringLiteral("Number of recently opened skins to show in file menu:"), general),
                             0, 0);
    generalLayout->addWidget(ComboBoxMaxRecent, 0, 1);
    CheckBoxHotTrack = checkBox("CheckBoxHotTrack", QStringLiteral("Attributes hot tracking"), general);
    CheckBoxDescriptiveNames =
        checkBox("CheckBoxDescriptiveNames", QStringLiteral("Show descriptive attribute names"), general);
    CheckBoxExclusion = checkBox("CheckBoxExclusion", QStringLiteral("Add to Veneerix exclusion list"), general);
    CheckBoxAssociate = checkBox("CheckBoxAssociate", QStringLiteral("Associate Skinwright with UIS files"), general);
    int row = 1;
    for (QCheckBox* box : {CheckBoxHotTrack, CheckBoxDescriptiveNames, CheckBoxExclusion, CheckBoxAssociate})
        generalLayout->addWidget(box, row++, 0, 1, 2);
    layout->addWidget(restore);
    layout->addWidget(general);
    layout->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBoxWindowsSizeRestore, CheckBoxLoadRecentlyEdited,
                                                      CheckBoxDesktopState, ComboBoxMaxRecent, CheckBoxHotTrack,
                                                      CheckBoxDescriptiveNames, CheckBoxExclusion, CheckBoxAssociate})
        watch(w);
    return page;
}

QWidget* TPropertiesForm::buildTweakVXPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetTweakVX"));
    auto* layout = new QGridLayout(page);
    // Where the engine's skins live: the browser lists them, new skins are made there.
    auto* engineFolder = new QWidget(page);
    auto* engineFolderLayout = new QHBoxLayout(engineFolder);
    engineFolderLayout->setContentsMargins(0, 0, 0, 0);
    engineFolderLayout->addWidget(new QLabel(QStringLiteral("Engine folder:"), engineFolder));
    EditEngineFolder = new QLineEdit(engineFolder);
    EditEngineFolder->setObjectName(QStringLiteral("EditEngineFolder"));
    EditEngineFolder->setToolTip(QStringLiteral("Where the engine's skins live: the skin browser lists them and new "
                                                "skins are made here"));
    engineFolderLayout->addWidget(EditEngineFolder, 1);
    ButtonEngineFolder = new QPushButton(QStringLiteral("&Browse"), engineFolder);
    ButtonEngineFolder->setObjectName(QStringLiteral("ButtonEngineFolder"));
    engineFolderLayout->addWidget(ButtonEngineFolder);
    connect(ButtonEngineFolder, &QPushButton::clicked, this, &TPropertiesForm::ButtonEngineFolderClick);
    connect(EditEngineFolder, &QLineEdit::textEdited, this, &TPropertiesForm::changed);
    auto* background = new QGroupBox(QStringLiteral(" Explorer background "), page);
    auto* backgroundLayout = new QVBoxLayout(background);
    RadioButtonTransparent = new QRadioButton(QStringLiteral("Transparent background"), background);
    RadioButtonTransparent->setObjectName(QStringLiteral("RadioButtonTransparent"));
    RadioButtonStretch = new QRadioButton(QStringLiteral("Stretch background to fit"), background);
    RadioButtonStretch->setObjectName(QStringLiteral("RadioButtonStretch"));
    RadioButtonRegular = new QRadioButton(QStringLiteral("Regular background"), background);
    RadioButtonRegular->setObjectName(QStringLiteral("RadioButtonRegular"));
    for (QRadioButton* radio : {RadioButtonTransparent, RadioButtonStretch, RadioButtonRegular})
        backgroundLayout->addWidget(radio);
    LabelTransparency = new QLabel(QStringLiteral("Transparency color:"), page);
    ComboBoxTransparency = new QComboBox(page);
    ComboBoxTransparency->setObjectName(QStringLiteral("ComboBoxTransparency"));
    ComboBoxTransparency->addItems({"cyan", "yellow", "magenta", "red", "green", "blue", "dark green", "clear",
                                    "inverse red", "inverse blue", "inverse green", "inverse cyan",
                                    "inverse magenta", "inverse yellow", "inverse dark magenta", "inverse (black)"});
    CheckBoxExplorerColour =
        checkBox("CheckBoxExplorerColour", QStringLiteral("Change Explorer icon text color"), page);
    LabelExplorerColour = new QLabel(QStringLiteral("Click to change color"), page);
    LabelExplorerColour->setObjectName(QStringLiteral("LabelExplorerColour"));
    LabelExplorerColour->setCursor(Qt::PointingHandCursor);
    LabelExplorerColour->installEventFilter(this);
    auto* switches = new QGroupBox(QStringLiteral(" Veneerix "), page);
    auto* switchesLayout = new QVBoxLayout(switches);
    const char* names[4] = {"CheckBoxSizeLimit", "CheckBoxWindowLock", "CheckBoxNoSound", "CheckBoxUseHWAcc"};
    const char* captions[4] = {"Maximized windows show borders", "Windows stick to screen border", "Disable sounds",
                               "Enable hardware acceleration (Win 2000 + Matrox or Permedia 2)"};
    for (int i = 0; i < 4; ++i) {
        globalSwitches_[i] = checkBox(names[i], QString::fromLatin1(captions[i]), switches);
        switchesLayout->addWidget(globalSwitches_[i]);
        watch(globalSwitches_[i]);
    }
    layout->addWidget(engineFolder, 0, 0, 1, 2);
    layout->addWidget(background, 1, 0, 1, 2);
    layout->addWidget(LabelTransparency, 2, 0);
    layout->addWidget(ComboBoxTransparency, 2, 1);
    layout->addWidget(CheckBoxExplorerColour, 3, 0);
    layout->addWidget(LabelExplorerColour, 3, 1);
    layout->addWidget(switches, 4, 0, 1, 2);
    layout->addWidget(note(QStringLiteral("Reload current skin to activate."), page), 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButtonTransparent, RadioButtonStretch, RadioButtonRegular,
                                                      ComboBoxTransparency, CheckBoxExplorerColour})
        watch(w);
    return page;
}

QWidget* TPropertiesForm::buildTweakIEPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetTweakIE"));
    auto* layout = new QGridLayout(page);
    CheckBoxToolbarImages = checkBox("CheckBoxToolbarImages", QStringLiteral("Set images for Explorer toolbars"), page);
    EditBackBitmap = new QLineEdit(page);
    EditBackBitmap->setObjectName(QStringLiteral("EditBackBitmap"));
    EditBackBitmapIE5 = new QLineEdit(page);
    EditBackBitmapIE5->setObjectName(QStringLiteral("EditBackBitmapIE5"));
    ButtonBackBitmap = button("ButtonBackBitmap", QStringLiteral("Browse"), page);
    ButtonBackBitmapIE5 = button("ButtonBackBitmapIE5", QStringLiteral("Browse"), page);
    layout->addWidget(CheckBoxToolbarImages, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Image for any Explorer toolbar"), page), 1, 0, 1, 2);
    layout->addWidget(EditBackBitmap, 2, 0);
    layout->addWidget(ButtonBackBitmap, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Image for Internet Explorer 5 and Outlook Express toolbar"), page), 3,
                      0, 1, 2);
    layout->addWidget(EditBackBitmapIE5, 4, 0);
    layout->addWidget(ButtonBackBitmapIE5, 4, 1);
    layout->addWidget(note(QStringLiteral("Changes will be active in the next Explorer window opened."), page), 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    auto browse = [this](QLineEdit* field) {
        FileDialogRequest request;
        request.folder = QString::fromLocal8Bit(windowsFolder().string());
        request.filter = QString::fromLatin1(kPictureFilter);
        request.fileName = field->text();
        const QString chosen = prompts().openFile(request);
        if (!chosen.isEmpty())
            field->setText(chosen);
    };
    connect(ButtonBackBitmap, &QPushButton::clicked, this, [this, browse] { browse(EditBackBitmap); });
    connect(ButtonBackBitmapIE5, &QPushButton::clicked, this, [this, browse] { browse(EditBackBitmapIE5); });
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBoxToolbarImages, EditBackBitmap, EditBackBitmapIE5})
        watch(w);
    return page;
}

QWidget* TPropertiesForm::buildCodeViewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetCodeView"));
    auto* layout = new QGridLayout(page);
    ListBoxElements = new QListWidget(page);
    ListBoxElements->setObjectName(QStringLiteral("ListBoxElements"));
    for (const CodeViewElement& element : codeViewElements())
        ListBoxElements->addItem(QString::fromLatin1(element.caption));
    CheckBoxBold = checkBox("CheckBoxBold", QStringLiteral("Bold"), page);
    CheckBoxItalic = checkBox("CheckBoxItalic", QStringLiteral("Italic"), page);
    CheckBoxUnderline = checkBox("CheckBoxUnderline", QStringLiteral("Underline"), page);
    ColorGrid = new TColorGrid(page);
    ColorGrid->setFixedSize(96, 96);
    CheckBoxHighlighting = checkBox("CheckBoxHighlighting", QStringLiteral("&Enable syntax highlighting"), page);
    RichEditTest = new QTextEdit(page);
    RichEditTest->setObjectName(QStringLiteral("RichEditTest"));
    RichEditTest->setReadOnly(true);
    RichEditTest->setLineWrapMode(QTextEdit::NoWrap);
    RichEditTest->setFont(QFont(QStringLiteral("Liberation Mono"), 9));
    auto* styles = new QVBoxLayout;
    for (QCheckBox* box : {CheckBoxBold, CheckBoxItalic, CheckBoxUnderline})
        styles->addWidget(box);
    styles->addStretch();
    layout->addWidget(ListBoxElements, 0, 0);
    layout->addLayout(styles, 0, 1);
    layout->addWidget(ColorGrid, 0, 2, Qt::AlignTop);
    layout->addWidget(CheckBoxHighlighting, 1, 0, 1, 3);
    layout->addWidget(RichEditTest, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    connect(ListBoxElements, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBoxElementsClick(ListBoxElements->row(item)); });
    connect(ListBoxElements, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != currentElement_)
            ListBoxElementsClick(row);
    });
    for (QCheckBox* box : {CheckBoxBold, CheckBoxItalic, CheckBoxUnderline})
        connect(box, &QCheckBox::clicked, this, &TPropertiesForm::StyleClick);
    connect(ColorGrid, &TColorGrid::CellReleased, this, &TPropertiesForm::ColorGridMouseUp);
    connect(CheckBoxHighlighting, &QCheckBox::clicked, this, [this] {
        recolourSample();
        changed();
    });
    return page;
}

QWidget* TPropertiesForm::buildSkinshotPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetSkinshot"));
    auto* layout = new QGridLayout(page);
    QGroupBox* format = radioGroup("RadioGroupShotFormat", QStringLiteral(" Picture Format "),
                                   {QStringLiteral("Save as JPEG"), QStringLiteral("Save as Bitmap"),
                                    QStringLiteral("Copy to clipboard")},
                                   RadioGroupShotFormat, page);
    EditShotFilename = new QLineEdit(page);
    EditShotFilename->setObjectName(QStringLiteral("EditShotFilename"));
    ButtonShotBrowse = button("ButtonShotBrowse", QStringLiteral("&Browse"), page);
    ButtonSetSize = button("ButtonSetSize", QStringLiteral("Set size"), page);
    ButtonTakeShot = button("ButtonTakeShot", QStringLiteral("Take skinshot"), page);
    layout->addWidget(format, 0, 0, 2, 1);
    layout->addWidget(disabledGroup(QStringLiteral(" Window "), {QStringLiteral("Active"), QStringLiteral("Inactive")},
                                    page),
                      0, 1);
    layout->addWidget(disabledGroup(QStringLiteral(" Miscelaneous "), {QStringLiteral("Include shadow")}, page), 1, 1);
    auto* name = new QHBoxLayout;
    name->addWidget(EditShotFilename, 1);
    name->addWidget(ButtonShotBrowse);
    layout->addLayout(name, 2, 0, 1, 2);
    layout->addWidget(note(QStringLiteral("Please note! Some skin sites do not accept images larger than 300 x 300 "
                                          "pixels. Images larger than this will be reduced to this size in web browser "
                                          "and could look ugly. Press [Set Size] button to resize preview. "
                                          "(Recommended)"),
                           page),
                      3, 0, 1, 2);
    auto* actions = new QHBoxLayout;
    actions->addWidget(ButtonSetSize);
    actions->addWidget(ButtonTakeShot);
    actions->addStretch();
    layout->addLayout(actions, 4, 0, 1, 2);
    layout->setRowStretch(5, 1);
    connect(RadioGroupShotFormat, &QButtonGroup::idClicked, this, [this] {
        RadioGroupShotFormatClick();
        changed();
    });
    connect(ButtonShotBrowse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.caption = QStringLiteral("Save Screenshot");
        request.fileName = EditShotFilename->text();
        const bool bitmap = RadioGroupShotFormat->checkedId() == ShotBitmap;
        request.filter = bitmap ? QStringLiteral("Bitmaps (*.bmp)|*.bmp") : QStringLiteral("JPEG Image File (*.jpg)|*.jpg");
        request.defaultSuffix = bitmap ? QStringLiteral("bmp") : QStringLiteral("jpg");
        const QString chosen = prompts().saveFile(request);
        if (!chosen.isEmpty())
            EditShotFilename->setText(chosen);
    });
    connect(ButtonSetSize, &QPushButton::clicked, this, &TPropertiesForm::ButtonSetSizeClick);
    connect(ButtonTakeShot, &QPushButton::clicked, this, &TPropertiesForm::ButtonTakeShotClick);
    return page;
}

QWidget* TPropertiesForm::buildPreviewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPreview"));
    auto* layout = new QGridLayout(page);
    QGroupBox* logo = radioGroup("RadioGroupLogo", QStringLiteral("Logo Mode"),
                                 {QStringLiteral("Do not show creator logo"), QStringLiteral("Show \"Created as...\" text"),
                                  QStringLiteral("Show logo Image")},
                                 RadioGroupLogo, page);
    ButtonLogoBrowse = button("ButtonLogoBrowse", QStringLiteral("&Browse"), page);
    CheckBoxTransparency = checkBox("CheckBoxTransparency", QStringLiteral("Show transparency"), page);
    layout->addWidget(logo, 0, 0);
    layout->addWidget(ButtonLogoBrowse, 0, 1, Qt::AlignLeft | Qt::AlignBottom);
    layout->setColumnStretch(1, 1);
    layout->addWidget(CheckBoxTransparency, 1, 0);
    layout->addWidget(disabledGroup(QStringLiteral(" Miscellaneous "), {QStringLiteral("Show window shadow")}, page),
                      2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    connect(RadioGroupLogo, &QButtonGroup::idClicked, this, [this] {
        RadioGroupLogoClick();
        changed();
    });
    connect(ButtonLogoBrowse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.filter = QString::fromLatin1(kPictureFilter);
        request.fileName = logoImage_;
        const QString chosen = prompts().openFile(request);
        if (chosen.isEmpty())
            return;
        logoImage_ = chosen;
        changed();
    });
    watch(CheckBoxTransparency);
    return page;
}

QWidget* TPropertiesForm::buildImagesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetImages"));
    auto* layout = new QGridLayout(page);
    QGroupBox* doubleClick = radioGroup("RadioGroupEditMode", QStringLiteral(" Preview double-click action "),
                                        {QStringLiteral("Do nothing"), QStringLiteral("Open using default viewer"),
                                         QStringLiteral("Open using default editor"),
                                         QStringLiteral("Open using custom editor")},
                                        RadioGroupEditMode, page);
    QGroupBox* editButton = radioGroup("RadioGroupEditButton", QStringLiteral(" Edit button action "),
                                       {QStringLiteral("Open image using default shell editor"),
                                        QStringLiteral("Open using custom defined editor")},
                                       RadioGroupEditButton, page);
    auto* custom = new QGroupBox(QStringLiteral("Custom editor"), page);
    auto* customLayout = new QHBoxLayout(custom);
    EditCustomEditor = new QLineEdit(custom);
    EditCustomEditor->setObjectName(QStringLiteral("EditCustomEditor"));
    ButtonCustomEditorBrowse = button("ButtonCustomEditorBrowse", QStringLiteral("&Browse"), custom);
    customLayout->addWidget(EditCustomEditor, 1);
    customLayout->addWidget(ButtonCustomEditorBrowse);
    layout->addWidget(doubleClick, 0, 0);
    layout->addWidget(editButton, 0, 1, Qt::AlignTop);
    layout->addWidget(custom, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    for (QButtonGroup* group : {RadioGroupEditMode, RadioGroupEditButton})
        connect(group, &QButtonGroup::idClicked, this, [this] {
            updateEnabling();
            changed();
        });
    connect(ButtonCustomEditorBrowse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.filter = QStringLiteral("Applications|*.exe;*.com;*.bat|Any file|*.*");
        request.fileName = EditCustomEditor->text();
        const QString chosen = prompts().openFile(request);
        if (!chosen.isEmpty())
            EditCustomEditor->setText(chosen);
    });
    watch(EditCustomEditor);
    return page;
}

QWidget* TPropertiesForm::buildPluginsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetPlugins"));
    auto* layout = new QGridLayout(page);
    ListViewPlugins = new QTreeWidget(page);
    ListViewPlugins->setObjectName(QStringLiteral("ListViewPlugins"));
    ListViewPlugins->setHeaderLabels({QStringLiteral("Available Plugins")});
    ListViewPlugins->setRootIsDecorated(false);
    auto* details = new QGroupBox(QStringLiteral(" Details "), page);
    auto* detailsLayout = new QGridLayout(details);
    QLabel** fields[4] = {&LabelPluginAuthor, &LabelPluginEmail, &LabelPluginUrl, &LabelPluginSection};
    const char* names[4] = {"LabelPluginAuthor", "LabelPluginEmail", "LabelPluginUrl", "LabelPluginSection"};
    const char* captions[4] = {"Author", "e-mail", "URL", "Section"};
    for (int i = 0; i < 4; ++i) {
        detailsLayout->addWidget(new QLabel(QString::fromLatin1(captions[i]), details), i, 0);
        *fields[i] = new QLabel(details);
        (*fields[i])->setObjectName(QString::fromLatin1(names[i]));
        detailsLayout->addWidget(*fields[i], i, 1);
    }
    detailsLayout->setColumnStretch(1, 1);
    details->setMinimumWidth(260);
    for (QLabel* link : {LabelPluginEmail, LabelPluginUrl}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        link->setPalette(palette);
    }
    ButtonInstallPlugin = button("ButtonInstallPlugin", QStringLiteral("Install New"), page);
    ButtonDeletePlugin = button("ButtonDeletePlugin", QStringLiteral("Delete"), page);
    layout->addWidget(ListViewPlugins, 0, 0, 3, 1);
    layout->addWidget(details, 0, 1);
    layout->addWidget(ButtonInstallPlugin, 1, 1);
    layout->addWidget(ButtonDeletePlugin, 2, 1, Qt::AlignTop);
    layout->setColumnStretch(0, 1);
    connect(ListViewPlugins, &QTreeWidget::itemSelectionChanged, this, &TPropertiesForm::ListViewPluginsSelect);
    connect(ButtonInstallPlugin, &QPushButton::clicked, this, &TPropertiesForm::ButtonInstallPluginClick);
    connect(ButtonDeletePlugin, &QPushButton::clicked, this, &TPropertiesForm::ButtonDeletePluginClick);
    return page;
}

// --- Loading and state ---

void TPropertiesForm::watch(QWidget* control)
{
    if (auto* box = qobject_cast<QCheckBox*>(control))
        connect(box, &QCheckBox::toggled, this, [this] {
            updateEnabling();
            changed();
        });
    else if (auto* radio = qobject_cast<QRadioButton*>(control))
        connect(radio, &QRadioButton::toggled, this, [this] {
            updateEnabling();
            changed();
        });
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        connect(combo, &QComboBox::currentIndexChanged, this, &TPropertiesForm::changed);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, &TPropertiesForm::changed);
}

void TPropertiesForm::changed()
{
    if (!loading_)
        ButtonApply->setEnabled(true);
}

void TPropertiesForm::loadControls()
{
    loading_ = true;
    TCustomIniFile& settings = *context_.settings;
    loaded_ = readPreferences(settings);
    const Preferences& p = loaded_;
    for (int i = 0; i < 5; ++i)
        authorEdits_[i]->setText(bytesToText(p.author[i]));
    CheckBoxWindowsSizeRestore->setChecked(p.windowsSizeRestore);
    CheckBoxLoadRecentlyEdited->setChecked(p.loadRecentlyEdited);
    CheckBoxDesktopState->setChecked(p.desktopState);
    ComboBoxMaxRecent->setCurrentIndex(p.maxRecent - 1);
    CheckBoxHotTrack->setChecked(p.attributesHotTrack);
    CheckBoxDescriptiveNames->setChecked(p.descriptiveNames);
    const EngineSettings engine(context_.engineFolder);
    const std::string program = textToBytes(QFileInfo(context_.programPath).fileName());
    exclusionShown_ = engine.programSwitch(program, "ActiveFix", true);
    CheckBoxExclusion->setChecked(exclusionShown_);
    associationShown_ = filesAssociated(context_.programPath);
    CheckBoxAssociate->setChecked(associationShown_);

    engineFolderShown_ = QString::fromLocal8Bit(context_.engineFolder.string().c_str());
    EditEngineFolder->setText(engineFolderShown_);
    // Preferences show an engine without a stored colour as the list's first entry.
    storedLook_ = readExplorerLook(0);
    const ExplorerLook& look = storedLook_;
    RadioButtonRegular->setChecked(look.background == ExplorerLook::Regular);
    RadioButtonTransparent->setChecked(look.background == ExplorerLook::Transparent);
    RadioButtonStretch->setChecked(look.background == ExplorerLook::Stretch);
    ComboBoxTransparency->setCurrentIndex(look.transparencyColour);
    CheckBoxExplorerColour->setChecked(look.ownTextColour);
    setExplorerColour(QColor(look.red, look.green, look.blue));
    for (int i = 0; i < 4; ++i) {
        storedSwitches_[std::size_t(i)] = EngineSettings::globalSwitch(kGlobalSwitches[i]);
        globalSwitches_[i]->setChecked(storedSwitches_[std::size_t(i)]);
    }
    storedToolbars_ = readExplorerToolbars();
    const ExplorerToolbars& toolbars = storedToolbars_;
    CheckBoxToolbarImages->setChecked(toolbars.images);
    EditBackBitmap->setText(bytesToText(toolbars.backBitmap));
    EditBackBitmapIE5->setText(bytesToText(toolbars.backBitmapIE5));

    styles_ = p.codeView;
    CheckBoxHighlighting->setChecked(p.enableHighlighting);
    RichEditTest->setPlainText(codeViewSampleText());
    ListBoxElements->setCurrentRow(0);
    ListBoxElementsClick(0);

    RadioGroupShotFormat->button(p.skinShotFormat)->setChecked(true);
    RadioGroupLogo->button(p.logoMode)->setChecked(true);
    shownLogoMode_ = p.logoMode;
    logoImage_ = bytesToText(p.logoImage);
    CheckBoxTransparency->setChecked(p.showPreviewTransparency);
    RadioGroupEditMode->button(p.editMode)->setChecked(true);
    RadioGroupEditButton->button(p.editButtonMode)->setChecked(true);
    EditCustomEditor->setText(bytesToText(p.customEditor));
    FillPluginList();
    updateEnabling();
    ButtonApply->setEnabled(false);
    loading_ = false;
}

bool TPropertiesForm::PageVisible(int page) const
{
    return PageControl->isTabVisible(page);
}

int TPropertiesForm::CurrentPage() const
{
    return PageControl->currentIndex();
}

bool TPropertiesForm::documentWithPreview() const
{
    return context_.document && !context_.previews.empty() && context_.previews.front();
}

void TPropertiesForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TPropertiesForm::FormShow()
{
    const bool preview = documentWithPreview();
    ButtonSetSize->setEnabled(preview);
    ButtonTakeShot->setEnabled(preview);
    if (context_.document && !context_.documentPath.isEmpty())
        EditShotFilename->setText(skinShotNameForDocument(context_.documentPath, RadioGroupShotFormat->checkedId()));
    updateEnabling();
}

void TPropertiesForm::updateEnabling()
{
    const bool document = context_.document != nullptr;
    ButtonGetSkinName->setEnabled(document);
    ButtonApplyToSkin->setEnabled(document);
    ButtonGetSkinValues->setEnabled(document);
    const bool transparent = RadioButtonTransparent->isChecked();
    LabelTransparency->setEnabled(transparent);
    ComboBoxTransparency->setEnabled(transparent);
    LabelExplorerColour->setEnabled(CheckBoxExplorerColour->isChecked());
    const bool images = CheckBoxToolbarImages->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{EditBackBitmap, EditBackBitmapIE5, ButtonBackBitmap,
                                                      ButtonBackBitmapIE5})
        w->setEnabled(images);
    const bool file = RadioGroupShotFormat->checkedId() != ShotClipboard && document;
    EditShotFilename->setEnabled(file);
    ButtonShotBrowse->setEnabled(file);
    ButtonLogoBrowse->setEnabled(RadioGroupLogo->checkedId() == 2);
    const bool custom = RadioGroupEditMode->checkedId() == 3 || RadioGroupEditButton->checkedId() == 1;
    EditCustomEditor->setEnabled(custom);
    ButtonCustomEditorBrowse->setEnabled(custom);
    // An edit that cannot be used looks grey, as a read-only field does.
    QPalette palette = EditCustomEditor->palette();
    palette.setColor(QPalette::Base, custom ? QColor(Qt::white) : this->palette().color(QPalette::Button));
    EditCustomEditor->setPalette(palette);
}

Preferences TPropertiesForm::Values() const
{
    Preferences p = loaded_;
    for (int i = 0; i < 5; ++i)
        p.author[i] = textToBytes(authorEdits_[i]->text());
    p.windowsSizeRestore = CheckBoxWindowsSizeRestore->isChecked();
    p.loadRecentlyEdited = CheckBoxLoadRecentlyEdited->isChecked();
    p.desktopState = CheckBoxDesktopState->isChecked();
    p.maxRecent = ComboBoxMaxRecent->currentIndex() + 1;
    p.attributesHotTrack = CheckBoxHotTrack->isChecked();
    p.descriptiveNames = CheckBoxDescriptiveNames->isChecked();
    p.logoMode = RadioGroupLogo->checkedId();
    p.logoImage = textToBytes(logoImage_);
    p.showPreviewTransparency = CheckBoxTransparency->isChecked();
    p.skinShotFormat = RadioGroupShotFormat->checkedId();
    p.customEditor = textToBytes(EditCustomEditor->text());
    p.editMode = RadioGroupEditMode->checkedId();
    p.editButtonMode = RadioGroupEditButton->checkedId();
    p.enableHighlighting = CheckBoxHighlighting->isChecked();
    p.codeView = styles_;
    return p;
}

// --- Storing ---

bool TPropertiesForm::StoreAll()
{
    TCustomIniFile& settings = *context_.settings;
    const Preferences p = Values();
    // First, so that nothing is stored when the folder cannot be made the engine's.
    const QString engineFolder = EditEngineFolder->text().trimmed();
    if (engineFolder != engineFolderShown_) {
        const std::filesystem::path folder(engineFolder.toLocal8Bit().toStdString());
        std::string problem = engineFolder.isEmpty() ? "The engine folder cannot be empty." : createFolders(folder);
        if (problem.empty() && !Engine::setFolder(folder))
            problem = "Unable to store the engine folder " + folder.string();
        if (!problem.empty()) {
            prompts().message(QString::fromLocal8Bit(problem.c_str()), QStringLiteral("Preferences"),
                              PromptIcon::Error, PromptButtons::Ok);
            PageControl->setCurrentIndex(PageControl->indexOf(EditEngineFolder->parentWidget()->parentWidget()));
            EditEngineFolder->setFocus();
            return false;
        }
        engineFolderShown_ = engineFolder;
        context_.engineFolder = folder;
        if (context_.engineFolderChanged)
            context_.engineFolderChanged(folder);
    }
    // The engine's settings and the association are shared with other programs and
    // the user: what the user left alone here is not written again.
    if (CheckBoxAssociate->isChecked() != associationShown_) {
        if (CheckBoxAssociate->isChecked())
            associateFiles(context_.programPath);
        else
            removeFileAssociation();
        associationShown_ = CheckBoxAssociate->isChecked();
    }
    // An explicit "0" is how the start-up check knows the user wants the editor skinned.
    if (CheckBoxExclusion->isChecked() != exclusionShown_) {
        EngineSettings engine(context_.engineFolder);
        engine.setProgramSwitch(textToBytes(QFileInfo(context_.programPath).fileName()), "ActiveFix",
                                CheckBoxExclusion->isChecked());
        exclusionShown_ = CheckBoxExclusion->isChecked();
    }
    storeGeneral(settings, p);
    if (context_.descriptiveNamesChanged)
        context_.descriptiveNamesChanged(p.descriptiveNames);
    if (context_.hotTrackChanged)
        context_.hotTrackChanged(p.attributesHotTrack);
    storeAuthor(settings, p.author);
    storeCodeView(settings, p);
    if (context_.codeViewChanged)
        context_.codeViewChanged();

    ExplorerLook look;
    look.background = RadioButtonTransparent->isChecked() ? ExplorerLook::Transparent
                      : RadioButtonStretch->isChecked()   ? ExplorerLook::Stretch
                                                          : ExplorerLook::Regular;
    look.transparencyColour = std::max(0, ComboBoxTransparency->currentIndex());
    look.ownTextColour = CheckBoxExplorerColour->isChecked();
    look.red = explorerColour_.red();
    look.green = explorerColour_.green();
    look.blue = explorerColour_.blue();
    storedLook_ = writeExplorerLook(look, storedLook_);
    ExplorerToolbars toolbars = storedToolbars_;
    toolbars.images = CheckBoxToolbarImages->isChecked();
    toolbars.backBitmap = textToBytes(EditBackBitmap->text());
    toolbars.backBitmapIE5 = textToBytes(EditBackBitmapIE5->text());
    writeToolbarImages(toolbars, storedToolbars_);
    storedToolbars_ = toolbars;
    for (std::size_t i = 0; i < 4; ++i)
        if (globalSwitches_[i]->isChecked() != storedSwitches_[i]) {
            EngineSettings::setGlobalSwitch(kGlobalSwitches[i], globalSwitches_[i]->isChecked());
            storedSwitches_[i] = globalSwitches_[i]->isChecked();
        }

    storeEditors(settings, p);
    if (context_.editModeChanged)
        context_.editModeChanged(p.editMode);
    loaded_ = p;
    shownLogoMode_ = p.logoMode;
    ButtonApply->setEnabled(false);
    // On disk now, not only when the program ends: a crash would lose the session's changes.
    try {
        settings.UpdateFile();
    } catch (const std::exception& error) {
        prompts().message(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                          PromptButtons::Ok);
    }
    return true;
}

void TPropertiesForm::ButtonOKClick()
{
    if (StoreAll())
        accept();
}

void TPropertiesForm::ButtonApplyClick()
{
    StoreAll();
}

void TPropertiesForm::ButtonEngineFolderClick()
{
    const QString folder = prompts().chooseFolder(QStringLiteral("Engine folder"), EditEngineFolder->text());
    if (folder.isEmpty())
        return;
    EditEngineFolder->setText(QDir::toNativeSeparators(folder));
    changed();
}

void TPropertiesForm::reject()
{
    // The previews showed a logo mode that was not stored: they go back to the stored one.
    if (context_.settings && shownLogoMode_ != loaded_.logoMode && context_.previewSettingsChanged) {
        context_.settings->WriteInteger("General", "LogoMode", loaded_.logoMode);
        context_.previewSettingsChanged();
    }
    QDialog::reject();
}

// --- Author page ---

void TPropertiesForm::ButtonGetSkinNameClick()
{
    if (context_.document)
        authorEdits_[0]->setText(bytesToText(context_.document->ReadString("TITLEBARSKIN", "SkinName", "")));
}

void TPropertiesForm::ButtonDefaultClick(int field)
{
    authorEdits_[field]->setText(bytesToText(readAuthorValue(*context_.settings, authorKeys()[field])));
}

void TPropertiesForm::ButtonRestoreDefaultsClick()
{
    for (int i = 1; i < 5; ++i)
        ButtonDefaultClick(i);
}

void TPropertiesForm::ButtonSetAsDefaultClick()
{
    std::array<std::string, 5> author;
    for (int i = 0; i < 5; ++i)
        author[i] = textToBytes(authorEdits_[i]->text());
    storeAuthor(*context_.settings, author, false);
}

void TPropertiesForm::ButtonApplyToSkinClick()
{
    if (!context_.document)
        return;
    for (int i = 1; i < 5; ++i)
        context_.document->WriteString("TITLEBARSKIN", authorKeys()[i], textToBytes(authorEdits_[i]->text()));
    if (context_.documentChanged)
        context_.documentChanged();
}

void TPropertiesForm::ButtonGetSkinValuesClick()
{
    if (!context_.document)
        return;
    for (int i = 1; i < 5; ++i)
        authorEdits_[i]->setText(bytesToText(context_.document->ReadString("TITLEBARSKIN", authorKeys()[i], "")));
}

// --- Tweak VX page ---

void TPropertiesForm::setExplorerColour(const QColor& colour)
{
    explorerColour_ = colour;
    QPalette palette = LabelExplorerColour->palette();
    palette.setColor(QPalette::WindowText, colour);
    LabelExplorerColour->setPalette(palette);
}

void TPropertiesForm::LabelExplorerColourClick()
{
    const QColor chosen = chooseColour(explorerColour_);
    if (!chosen.isValid())
        return;
    setExplorerColour(chosen);
    changed();
}

bool TPropertiesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* widget = static_cast<QWidget*>(watched);
        if (watched == LabelExplorerColour && widget->isEnabled()) {
            LabelExplorerColourClick();
            return true;
        }
        if (watched == LabelPluginEmail && !LabelPluginEmail->text().isEmpty()) {
            shell().open(QStringLiteral("mailto:") + LabelPluginEmail->text());
            return true;
        }
        if (watched == LabelPluginUrl && !LabelPluginUrl->text().isEmpty()) {
            shell().open(LabelPluginUrl->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Code view page ---

void TPropertiesForm::ListBoxElementsClick(int element)
{
    if (element < 0 || element >= kCodeViewElements)
        return;
    if (element == currentElement_ && !loading_) {
        // Clicking the current element again takes the flags as they are shown.
        StyleClick();
        return;
    }
    currentElement_ = element;
    const CodeViewStyle& style = styles_[element];
    CheckBoxBold->setChecked(style.bold);
    CheckBoxItalic->setChecked(style.italic);
    CheckBoxUnderline->setChecked(style.underline);
    ColorGrid->SetSelectedIndex(style.colourIndex);
    recolourSample();
}

void TPropertiesForm::StyleClick()
{
    CodeViewStyle& style = styles_[currentElement_];
    const CodeViewStyle before = style;
    style.bold = CheckBoxBold->isChecked();
    style.italic = CheckBoxItalic->isChecked();
    style.underline = CheckBoxUnderline->isChecked();
    recolourSample();
    if (style.bold != before.bold || style.italic != before.italic || style.underline != before.underline)
        changed();
}

void TPropertiesForm::ColorGridMouseUp(int cell)
{
    CodeViewStyle& style = styles_[currentElement_];
    style.colourIndex = cell;
    style.colour = TColorGrid::CellColour(cell);
    recolourSample();
    changed();
}

void TPropertiesForm::recolourSample()
{
    const QString text = RichEditTest->toPlainText();
    QTextCursor cursor(RichEditTest->document());
    for (const StyledRun& run : codeViewRuns(text, CheckBoxHighlighting->isChecked())) {
        const CodeViewStyle& style = styles_[run.element];
        QTextCharFormat format;
        format.setForeground(toColor(style.colour));
        // The base run takes the colour alone; the highlighted ones their whole style.
        const bool styled = run.element != ElementAttribute || run.length != text.size();
        format.setFontWeight(styled && style.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(styled && style.italic);
        format.setFontUnderline(styled && style.underline);
        cursor.setPosition(run.start);
        cursor.setPosition(run.start + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

// --- Skinshot page ---

void TPropertiesForm::RadioGroupShotFormatClick()
{
    EditShotFilename->setText(skinShotNameForFormat(EditShotFilename->text(), RadioGroupShotFormat->checkedId()));
    updateEnabling();
}

void TPropertiesForm::ButtonSetSizeClick()
{
    for (TPreviewForm* preview : context_.previews) {
        if (!preview)
            continue;
        const QSize size = skinShotSize(preview->size());
        if (size == preview->size())
            continue;
        preview->resize(size);
        // A hidden window hears of its new size only when shown: compose now.
        preview->ConstructPreview();
    }
}

void TPropertiesForm::ButtonTakeShotClick()
{
    if (!documentWithPreview())
        return;
    TPreviewForm* preview = context_.previews.front();
    const QImage picture = preview->Picture().copy(QRect(QPoint(0, 0), preview->size()));
    const int format = RadioGroupShotFormat->checkedId();
    if (format == ShotClipboard) {
        QApplication::clipboard()->setImage(picture);
        prompts().message(QStringLiteral("Preview have just been copied to clipboard."),
                          QStringLiteral("Preview succesfully Copied"), PromptIcon::Information, PromptButtons::Ok);
        return;
    }
    const QString file = EditShotFilename->text();
    QString error;
    if (!saveSkinShot(picture, file, format, &error)) {
        prompts().message(error, QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    prompts().message(QStringLiteral("Preview have just been saved to ") + file + QStringLiteral(" file."),
                      QStringLiteral("Preview succesfully Saved"), PromptIcon::Information, PromptButtons::Ok);
}

// --- Preview page ---

void TPropertiesForm::RadioGroupLogoClick()
{
    updateEnabling();
    const int mode = RadioGroupLogo->checkedId();
    if (!context_.document || !context_.previewSettingsChanged || mode == shownLogoMode_)
        return;
    // The previews read the mode from the settings when they compose.
    context_.settings->WriteInteger("General", "LogoMode", mode);
    shownLogoMode_ = mode;
    context_.previewSettingsChanged();
}

// --- Plugins page ---

void TPropertiesForm::FillPluginList()
{
    plugins_ = listPlugins(context_.programFolder);
    ListViewPlugins->clear();
    for (std::size_t i = 0; i < plugins_.size(); ++i) {
        auto* item = new QTreeWidgetItem(ListViewPlugins, {bytesToText(plugins_[i].name)});
        item->setData(0, Qt::UserRole, int(i));
        item->setToolTip(0, QString::fromLocal8Bit(plugins_[i].file.string()));
    }
    ListViewPluginsSelect();
}

void TPropertiesForm::ListViewPluginsSelect()
{
    const QList<QTreeWidgetItem*> selected = ListViewPlugins->selectedItems();
    const PluginEntry* plugin =
        selected.size() == 1 ? &plugins_[std::size_t(selected.first()->data(0, Qt::UserRole).toInt())] : nullptr;
    LabelPluginAuthor->setText(plugin ? bytesToText(plugin->author) : QString());
    LabelPluginEmail->setText(plugin ? bytesToText(plugin->email) : QString());
    LabelPluginUrl->setText(plugin ? bytesToText(plugin->url) : QString());
    LabelPluginSection->setText(plugin ? bytesToText(plugin->section) : QString());
    ButtonDeletePlugin->setEnabled(plugin && pluginDeletable(*plugin));
}

void TPropertiesForm::ButtonInstallPluginClick()
{
    TCustomIniFile& settings = *context_.settings;
    FileDialogRequest request;
    request.filter = QString::fromLatin1(kArchiveFilter);
    request.defaultSuffix = QStringLiteral("zip");
    request.folder = bytesToText(settings.ReadString("General", "RecentPluginFolder", QDir::currentPath().toStdString()));
    const QString chosen = prompts().openFile(request);
    if (chosen.isEmpty())
        return;
    const fs::path archive(textToBytes(chosen));
    const ArchiveInstaller& installer = pluginArchiveInstaller();
    if (!installer) {
        prompts().message(QStringLiteral("Plug-in archives cannot be unpacked by this build of Skinwright."),
                          QStringLiteral("Install New"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    const fs::path folder = pluginInstallFolder(context_.programFolder, archive);
    if (folder.empty()) {
        prompts().message(QStringLiteral("The name of ") + chosen +
                              QStringLiteral(" cannot be the name of a plug-in folder; rename the archive."),
                          QStringLiteral("Install New"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    std::error_code ec;
    fs::create_directories(folder.parent_path(), ec);
    installer(archive, folder);
    settings.WriteString("General", "RecentPluginFolder", archive.parent_path().string());
    FillPluginList();
}

void TPropertiesForm::ButtonDeletePluginClick()
{
    const QList<QTreeWidgetItem*> selected = ListViewPlugins->selectedItems();
    if (selected.size() != 1)
        return;
    const PluginEntry& plugin = plugins_[std::size_t(selected.first()->data(0, Qt::UserRole).toInt())];
    if (!pluginDeletable(plugin))
        return;
    if (!deletePlugin(plugin, context_.programFolder))
        prompts().message(QStringLiteral("The plug-in \"%1\" could not be deleted completely.")
                              .arg(QString::fromLocal8Bit(plugin.file.string())),
                          QStringLiteral("Delete"), PromptIcon::Warning, PromptButtons::Ok);
    FillPluginList();
}

}  // namespace sw
