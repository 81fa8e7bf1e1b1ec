// The editor's preferences dialog "Preferences": author defaults, program options,
// engine and Explorer settings, code view colours, skin shots, the preview's logo,
// image editors and the plug-in manager. OK and Apply store everything in order.
#pragma once

#include "manage/PluginManager.h"
#include "common/SkinProperties.h"
#include "engine/ExplorerSettings.h"

#include <array>

#include <QDialog>

#include <filesystem>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;

namespace sw {

class TColorGrid;
class TCustomIniFile;
class TPreviewForm;
class TUisFile;

// What the dialog works on; the main window fills it in.
struct PropertiesContext {
    TCustomIniFile* settings = nullptr;  // sw.ini, kept in memory by the main window
    TUisFile* document = nullptr;        // the open personality, or none
    QString documentPath;                // its file
    std::vector<TPreviewForm*> previews; // the shown previews, active one first
    QString programPath;                 // the editor itself (association, exclusion list)
    std::filesystem::path programFolder; // PLUGINS lies here
    std::filesystem::path engineFolder;
    // Effects on the running editor, each optional.
    std::function<void()> codeViewChanged;
    std::function<void(bool)> descriptiveNamesChanged;
    std::function<void(bool)> hotTrackChanged;
    std::function<void(int)> editModeChanged;
    std::function<void()> documentChanged;  // "Apply to the skin" wrote into the document
    std::function<void()> previewSettingsChanged;  // the logo mode is shown at once
    std::function<void(const std::filesystem::path&)> engineFolderChanged;
};

class TPropertiesForm : public QDialog {
    Q_OBJECT
public:
    enum Mode { AllPages, PluginManager, SkinShotWizard, EnginePage };
    enum PageIndex { PageAuthor, PageProgram, PageTweakVX, PageTweakIE, PageCodeView, PageSkinshot, PagePreview,
                     PageImages, PagePlugins, PageCount };

    TPropertiesForm(PropertiesContext context, Mode mode, QWidget* parent = nullptr);
    ~TPropertiesForm() override;

    // The settings as the controls show them.
    Preferences Values() const;
    // Stores everything ("OK" and "Apply"). False, storing nothing, when the engine
    // folder typed cannot be created or set (the user was told why).
    bool StoreAll();
    bool PageVisible(int page) const;
    int CurrentPage() const;
    const std::vector<PluginEntry>& Plugins() const { return plugins_; }
    // The colours of the sample text, for tests: (start, length, element) runs.
    QTextEdit* SampleText() const { return RichEditTest; }
    // Asks for a colour; tests replace it. The default opens the colour dialog.
    std::function<QColor(const QColor& initial)> chooseColour;

    // "Cancel": nothing is stored; previews showing an unstored logo mode go back.
    void reject() override;
    void ButtonOKClick();
    void ButtonApplyClick();
    void ButtonGetSkinNameClick();
    void ButtonDefaultClick(int field);
    void ButtonRestoreDefaultsClick();
    void ButtonSetAsDefaultClick();
    void ButtonApplyToSkinClick();
    void ButtonGetSkinValuesClick();
    void ListBoxElementsClick(int element);
    void StyleClick();
    void ColorGridMouseUp(int cell);
    void RadioGroupShotFormatClick();
    void ButtonSetSizeClick();
    void ButtonTakeShotClick();
    void RadioGroupLogoClick();
    void ListViewPluginsSelect();
    void ButtonInstallPluginClick();
    void ButtonDeletePluginClick();
    void LabelExplorerColourClick();
    void ButtonEngineFolderClick();
    void FillPluginList();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildAuthorPage();
    QWidget* buildProgramPage();
    QWidget* buildTweakVXPage();
    QWidget* buildTweakIEPage();
    QWidget* buildCodeViewPage();
    QWidget* buildSkinshotPage();
    QWidget* buildPreviewPage();
    QWidget* buildImagesPage();
    QWidget* buildPluginsPage();
    void loadControls();
    void FormShow();
    void changed();
    void updateEnabling();
    void recolourSample();
    void setExplorerColour(const QColor& colour);
    bool documentWithPreview() const;
    void watch(QWidget* control);

    PropertiesContext context_;
    Mode mode_;
    Preferences loaded_;
    std::array<CodeViewStyle, kCodeViewElements> styles_;
    int currentElement_ = 0;
    QColor explorerColour_;
    std::vector<PluginEntry> plugins_;
    bool loading_ = false;
    int shownLogoMode_ = -1;
    // What the engine's settings and the association were when shown (or last stored):
    // only the values whose control differs are written.
    bool exclusionShown_ = true;
    bool associationShown_ = false;
    ExplorerLook storedLook_;
    ExplorerToolbars storedToolbars_;
    std::array<bool, 4> storedSwitches_{};

    QTabWidget* PageControl = nullptr;
    QLineEdit* authorEdits_[5] = {};
    QPushButton* ButtonGetSkinName = nullptr;
    QPushButton* ButtonApplyToSkin = nullptr;
    QPushButton* ButtonGetSkinValues = nullptr;
    QCheckBox* CheckBoxWindowsSizeRestore = nullptr;
    QCheckBox* CheckBoxLoadRecentlyEdited = nullptr;
    QCheckBox* CheckBoxDesktopState = nullptr;
    QComboBox* ComboBoxMaxRecent = nullptr;
    QCheckBox* CheckBoxHotTrack = nullptr;
    QCheckBox* CheckBoxDescriptiveNames = nullptr;
    QCheckBox* CheckBoxExclusion = nullptr;
    QCheckBox* CheckBoxAssociate = nullptr;
    QRadioButton* RadioButtonTransparent = nullptr;
    QRadioButton* RadioButtonStretch = nullptr;
    QRadioButton* RadioButtonRegular = nullptr;
    QLabel* LabelTransparency = nullptr;
    QComboBox* ComboBoxTransparency = nullptr;
    QCheckBox* CheckBoxExplorerColour = nullptr;
    QLabel* LabelExplorerColour = nullptr;
    QCheckBox* globalSwitches_[4] = {};
    QCheckBox* CheckBoxToolbarImages = nullptr;
    QLineEdit* EditEngineFolder = nullptr;
    QPushButton* ButtonEngineFolder = nullptr;
    QString engineFolderShown_;
    QLineEdit* EditBackBitmap = nullptr;
    QLineEdit* EditBackBitmapIE5 = nullptr;
    QPushButton* ButtonBackBitmap = nullptr;
    QPushButton* ButtonBackBitmapIE5 = nullptr;
    QListWidget* ListBoxElements = nullptr;
    QCheckBox* CheckBoxBold = nullptr;
    QCheckBox* CheckBoxItalic = nullptr;
    QCheckBox* CheckBoxUnderline = nullptr;
    TColorGrid* ColorGrid = nullptr;
    QCheckBox* CheckBoxHighlighting = nullptr;
    QTextEdit* RichEditTest = nullptr;
    QButtonGroup* RadioGroupShotFormat = nullptr;
    QLineEdit* EditShotFilename = nullptr;
    QPushButton* ButtonShotBrowse = nullptr;
    QPushButton* ButtonSetSize = nullptr;
    QPushButton* ButtonTakeShot = nullptr;
    QButtonGroup* RadioGroupLogo = nullptr;
    QPushButton* ButtonLogoBrowse = nullptr;
    QString logoImage_;
    QCheckBox* CheckBoxTransparency = nullptr;
    QButtonGroup* RadioGroupEditMode = nullptr;
    QButtonGroup* RadioGroupEditButton = nullptr;
    QLineEdit* EditCustomEditor = nullptr;
    QPushButton* ButtonCustomEditorBrowse = nullptr;
    QTreeWidget* ListViewPlugins = nullptr;
    QLabel* LabelPluginAuthor = nullptr;
    QLabel* LabelPluginEmail = nullptr;
    QLabel* LabelPluginUrl = nullptr;
    QLabel* LabelPluginSection = nullptr;
    QPushButton* ButtonInstallPlugin = nullptr;
    QPushButton* ButtonDeletePlugin = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonApply = nullptr;
};

// The sample of the code view page and its styled runs.
QString codeViewSampleText();

}  // namespace sw
