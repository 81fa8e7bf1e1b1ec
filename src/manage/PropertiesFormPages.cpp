// The pages of the preferences dialog: their controls and how each is laid out.
#include "manage/PropertiesForm.h"

#include "common/CodeStyles.h"

#include "document/UisFile.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/ExplorerSettings.h"
#include "engine/PromptService.h"
#include "engine/Shell.h"
#include "manage/FileAssociation.h"
#include "manage/PropertiesFormWidgets.h"
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
using namespace properties;

namespace {

const char* kPictureFilter = "All Images (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File "
                             "(*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|Bitmaps (*.bmp)|*.bmp";

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

}  // namespace sw
