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

}  // namespace sw
