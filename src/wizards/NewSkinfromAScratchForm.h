// The "New skin wizard" that cuts a personality out of one template picture: ten
// steps from loading the picture to the author's fields. The areas are drawn on the
// picture window (TScratchPreviewForm); Finish hands the job to the cutting model.
#pragma once

#include "wizards/ScratchCatalogue.h"
#include "wizards/ScratchCutter.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace sw {

class TCustomIniFile;
class TScratchPreviewForm;
class TWizardTimeLine;

// One row of the button list or of the picture list.
struct ScratchEntry {
    QString caption;
    QString stateText;
    int action = kDefaultScratchAction;  // buttons: index in the action list
    int imageCount = 5;                  // pictures: states in the catalogue
    QRect area;
    bool allImages = false;  // the area holds all states: cut once
    std::string section, attribute;
    bool valid = false;
};

class TNewSkinfromAScratchForm : public QDialog {
    Q_OBJECT
public:
    // settings: sw.ini (Author fields, NewFile/Scratch); engineFolder: where the new
    // personality goes; picture: the picture window, owned by the caller.
    TNewSkinfromAScratchForm(TCustomIniFile& settings, std::filesystem::path engineFolder,
                             TScratchPreviewForm& picture, QWidget* parent = nullptr);
    ~TNewSkinfromAScratchForm() override;

    // The personality file written by Finish (empty until then).
    QString CreatedFile() const { return createdFile_; }

    int Step() const { return step_; }
    bool ImageLoaded() const { return imageLoaded_; }
    // Step navigation: -1 Back, +1 Next; StepChooser jumps to a step (0-9).
    void btnStepClick(int direction);
    void StepChooserMouseAction(int step);
    // Loads the template picture (the Browse button asks for the file first).
    bool LoadTemplatePicture(const QString& file);
    void ButtonAddButtonClick();
    void ButtonRemoveButtonClick();
    void ButtonCreateSkinClick();
    // Runs the readiness check; true when Finish may be pressed.
    bool CheckFinishOK();
    // The job Finish would write now.
    ScratchJob CurrentJob() const;
    const std::vector<ScratchEntry>& Buttons() const { return buttons_; }
    const std::vector<ScratchEntry>& Images() const { return images_; }
    QString Notice() const;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QWidget* buildHeader();
    QWidget* buildStep1();
    QWidget* buildStep2();
    QWidget* buildStep3();
    QWidget* buildStep4();
    QWidget* buildStep5();
    QWidget* buildStep6();
    QWidget* buildStep7();
    QWidget* buildStep8();
    QWidget* buildAreaControls(const QString& suffix, QSpinBox* (&boxes)[4]);
    void RefreshStep();
    void SetColorPreview(bool fromTimer);
    void UpdateTimerTimer();
    void LoadBitmapButtonClick();
    void ListSelectionChanged(bool buttons);
    void SaveButtonValues();
    void ValidateEntry(ScratchEntry& entry, bool checked) const;
    void ShowEntry(QTreeWidgetItem* item, const ScratchEntry& entry) const;
    void ShapeStyleChange();
    void ButtonColourClick(bool pen);
    void BordersChanged();
    void PictureAreaChanged(const QRect& area);
    void TransparentColourPicked(QRgb colour);
    ScratchFilter CurrentFilter() const;
    int SelectedRow(QTreeWidget* list) const;
    void SetNotice(const QString& text);

    TCustomIniFile& settings_;
    std::filesystem::path engineFolder_;
    TScratchPreviewForm& picture_;
    QWidget* previousPictureParent_ = nullptr;
    ScratchCatalogue catalogue_;
    int step_ = 0;
    bool imageLoaded_ = false;
    bool loadingControls_ = false;
    QString initialFileName_, initialSkinName_;
    QString createdFile_;
    QRgb lastPreviewColour_ = 0;
    std::vector<ScratchEntry> buttons_, images_;
    QColor penColour_ = Qt::red, brushColour_ = Qt::red;

    TWizardTimeLine* timeLine_ = nullptr;
    QLabel* lblNotice = nullptr;
    QStackedWidget* pcSteps = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnFinish = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* UpdateTimer = nullptr;
    // Step 1
    QLineEdit* EditImageFilename = nullptr;
    QLineEdit* EditImageWidth = nullptr;
    QLineEdit* EditImageHeight = nullptr;
    QLineEdit* EditImageFormat = nullptr;
    // Step 2
    QLabel* ImageTransparency = nullptr;
    QLabel* ShapeTransparentColour = nullptr;
    QCheckBox* CheckBoxUseTransparency = nullptr;
    QSpinBox* UpDownTolerance = nullptr;
    QLabel* LabelJpegTolerance = nullptr;
    // Step 3
    QLabel* ImageActive = nullptr;
    QLabel* ImageInactive = nullptr;
    QTabWidget* PageControlEffect = nullptr;
    QComboBox* ChannelStyle[3] = {};
    QSpinBox* ChannelAmount[3] = {};
    QComboBox* ChannelTarget[3] = {};
    QComboBox* ComboBoxBrightness = nullptr;
    QSpinBox* UpDownBrightness = nullptr;
    // Step 4
    QSpinBox* UpDownBorder[4] = {};  // top, left, bottom, right
    QComboBox* ComboBoxPenStyle = nullptr;
    QComboBox* ComboBoxBrushStyle = nullptr;
    QLabel* ShapeSample = nullptr;
    // Step 5
    QTreeWidget* ListViewBitmaps = nullptr;
    QPushButton* ButtonRemoveButton = nullptr;
    QComboBox* ComboBoxButtonActions = nullptr;
    QWidget* PanelButtonArea = nullptr;
    QSpinBox* ButtonArea[4] = {};  // left, top, width, height
    // Step 6
    QTreeWidget* ListViewImages = nullptr;
    QWidget* PanelImageArea = nullptr;
    QSpinBox* ImageArea[4] = {};
    QComboBox* ComboBoxImageContents = nullptr;
    // Step 8
    QLineEdit* EditFileName = nullptr;
    QLineEdit* EditName = nullptr;
    QLineEdit* EditSkinAuthor = nullptr;
    QLineEdit* EditAuthorsURL = nullptr;
    QLineEdit* EditAuthorsEmail = nullptr;
    QLineEdit* EditSpecialNotes = nullptr;
    QLabel* LabelFileName = nullptr;
    QLabel* LabelName = nullptr;
};

}  // namespace sw
