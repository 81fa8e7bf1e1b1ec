// "Add Clock Wizard": background, size, font, position, visibility, update interval
// and fading of a title-bar clock, with a live preview on a sample frame.
#pragma once

#include "wizards/ClockWizardKeys.h"

#include <QDialog>
#include <QImage>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace sw {

class TUisFile;

class TAddClockWizardForm : public QDialog {
    Q_OBJECT
public:
    TAddClockWizardForm(TUisFile& document, QWidget* parent = nullptr);

    // What the wizard collected, ready for writeClockKeys.
    ClockKeys Keys() const;
    // The sample frame with the clock as the preview shows it now.
    QImage PreviewImage() const;
    // The size of the sample frame the preview places the clock in.
    static constexpr int kSampleWidth = 300;
    static constexpr int kSampleHeight = 120;

    QTabWidget* PageControlWizardSteps;
    QRadioButton* RadioBackgroundTransparent;
    QRadioButton* RadioBackgroundBitmap;
    QComboBox* cbButtonImageFilename;
    QLabel* ImageBackground;
    QLabel* LabelBitmapWidth;
    QLabel* LabelBitmapHeight;
    QLabel* LabelBitmapFormat;
    QSpinBox* SpinEditPluginWidth;
    QSpinBox* SpinEditPluginHeight;
    QComboBox* ComboBoxVisibility;
    QComboBox* ComboBoxAlignment;
    QPushButton* ButtonFont;
    QLabel* LabelFontSample;
    QSpinBox* SpinEditOffsetX;
    QSpinBox* SpinEditOffsetY;
    QSpinBox* SpinEditUpdateTimer;
    QLabel* LabelSizeWarning1;
    QLabel* LabelSizeWarning2;
    QCheckBox* CheckBoxFadeEnable;
    QSpinBox* SpinEditFadeButton;
    QSpinBox* SpinEditAlphaStep;
    QSpinBox* SpinEditMinAlpha;
    QSpinBox* SpinEditMaxAlpha;
    QLabel* LabelFadeWarning;
    QLabel* PreviewFrame;
    QTimer* UpdateTimer;
    QPushButton* ButtonBack;
    QPushButton* ButtonNext;
    QPushButton* ButtonFinish;
    QPushButton* ButtonCancel;

    void ButtonStepClick(int direction);
    void PageControlWizardStepsChange();
    void RadioGroupClockBackgroundClick();
    void LoadBitmapButtonClick();
    // Applies a font as the font dialog would (the dialog itself is ButtonFontClick).
    void ApplyFont(const QFont& font);
    void ButtonFontClick();
    void ComboBoxAlignmentChange();
    void UpdateTimerTimer();
    void CheckBoxFadeEnableClick();

private:
    QWidget* buildBackgroundPage();
    QWidget* buildSettingsPage();
    QWidget* buildEffectsPage();
    QWidget* buildPreviewPage();
    void FormShow();
    void centreFontSample();
    void updateSizeWarnings();
    QImage clockPicture() const;

    TUisFile& document_;
    QImage bitmap_;  // the chosen background bitmap (null: none or unreadable)
    QRgb textColour_;
};

}  // namespace sw
