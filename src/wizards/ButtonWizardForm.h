// "Add Button Wizard": the steps of adding one title-bar button. It guides only: its
// Finish button never becomes enabled, so it ends with Cancel and writes nothing.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace sw {

class TWizardTimeLine;

class TfrmAddButtonWizard : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddButtonWizard(QWidget* parent = nullptr);

    int Step() const { return step_; }
    void btnStepClick(int direction);
    void StepChooserMouseUp(int step);

    TWizardTimeLine* TimeLine() const { return timeLine_; }
    // The pages tsStep1 ... tsStep8, shown one at a time for steps 1 to 8.
    QStackedWidget* pcSteps;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnFinish;
    QPushButton* btnCancel;

private:
    void showStep();

    TWizardTimeLine* timeLine_;
    int step_ = 0;
};

}  // namespace sw
