// The "New Skin Wizard": nine steps that choose a control style, extra title-bar
// buttons, a drive bar, an application bar, the caption text effect and the names,
// then build the personality from the wizard template (WizardBuilder).
#pragma once

#include "wizards/WizardBuilder.h"
#include "wizards/WizardDrives.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace sw {

class TCustomIniFile;
class TWizardTimeLine;

class TfrmNewSkinWizard : public QDialog {
    Q_OBJECT
public:
    // settings: sw.ini (Author fields); engineFolder: where the new personality goes;
    // templateFolder holds wizard.uis and its pictures; drives: the drive list's rows.
    TfrmNewSkinWizard(TCustomIniFile& settings, std::filesystem::path engineFolder, QWidget* parent = nullptr,
                      std::filesystem::path templateFolder = wizardTemplateFolder(),
                      std::vector<DriveRow> drives = mountedDriveRows());
    ~TfrmNewSkinWizard() override;

    // The personality file written by Finish (empty until then).
    QString CreatedFile() const { return createdFile_; }
    int Step() const { return step_; }
    QString Notice() const;
    // What Finish would build now.
    WizardChoices Choices() const;

    // Next (+1) and Back (-1); a click on the time line jumps to a step (0-8).
    void btnStepClick(int direction);
    void StepChooserMouseUp(int step);
    void btnFinishClick();

private:
    QWidget* buildHeader();
    QWidget* buildStep1();
    QWidget* buildStep2();
    QWidget* buildStep3();
    QWidget* buildStep4();
    QWidget* buildStep5();
    QWidget* buildStep6();
    QWidget* buildStep7();
    void RefreshStep();
    void NameChange();
    bool NamesReady(QString* reason = nullptr) const;
    void GradientBeosClick(bool beos);
    void FunctionalityClick();
    void cbAddDrivesClick();
    void ShadowAdjuctClick();

    TCustomIniFile& settings_;
    std::filesystem::path engineFolder_, templateFolder_;
    std::vector<DriveRow> drives_;
    int step_ = 0;
    QString initialFileName_, initialSkinName_;
    QString createdFile_;

    TWizardTimeLine* timeLine_ = nullptr;
    QLabel* lblNotice = nullptr;
    QStackedWidget* pcSteps = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnFinish = nullptr;
    QPushButton* btnCancel = nullptr;
    // Step 1
    QRadioButton* rbGradient = nullptr;
    QRadioButton* rbBeos = nullptr;
    QLabel* imgGradient = nullptr;
    QLabel* imgBeos = nullptr;
    QFrame* bvlGradientBeos = nullptr;
    // Step 2
    QCheckBox* cbOnTopButton = nullptr;
    QCheckBox* cbHelpButton = nullptr;
    QCheckBox* cbRollupButton = nullptr;
    QLabel* imgOnTop = nullptr;
    QLabel* imgHelp = nullptr;
    QLabel* imgRollup = nullptr;
    // Steps 3 and 4
    QCheckBox* cbAddDrives = nullptr;
    QTreeWidget* lvDrives = nullptr;
    QCheckBox* cbAppBar = nullptr;
    QTreeWidget* lvPrograms = nullptr;
    // Step 5
    QRadioButton* rbNoShadow = nullptr;
    QRadioButton* rbShadow = nullptr;
    QRadioButton* rbOutline = nullptr;
    QLabel* lblTitleText = nullptr;
    QLabel* lblTitleShadow[4] = {};  // lower right first, then the other three corners
    // Step 6
    QPlainTextEdit* mmDisclaimer = nullptr;
    // Step 7
    QLineEdit* EditFileName = nullptr;
    QLineEdit* EditName = nullptr;
    QLineEdit* EditSkinAuthor = nullptr;
    QLineEdit* EditAuthorsURL = nullptr;
    QLineEdit* EditAuthorsEmail = nullptr;
    QLineEdit* EditSpecialNotes = nullptr;
    QLabel* lblFileName = nullptr;
    QLabel* lblName = nullptr;
};

}  // namespace sw
