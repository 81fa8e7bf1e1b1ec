// What the wizards share: the time line (one round marker and one label per step,
// stacked; the current step's marker is lime and its label bold, and a click on
// either asks for that step), the row of buttons at their foot, and the notes on
// naming a personality.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <vector>

class QBoxLayout;
class QLabel;
class QPushButton;

namespace sw {

class TWizardTimeLine : public QWidget {
    Q_OBJECT
public:
    // Markers are named shpTimeLineStep<i>, labels lblTimeLineStep<i>.
    TWizardTimeLine(const QStringList& labels, QWidget* parent = nullptr);

    int count() const { return int(labels_.size()); }
    void SetMarkerColour(int step, const QColor& colour);
    QColor MarkerColour(int step) const;
    void SetLabelBold(int step, bool bold);
    QLabel* Label(int step) const { return labels_.at(std::size_t(step)); }
    QWidget* Marker(int step) const { return markers_.at(std::size_t(step)); }

signals:
    void StepChosen(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> markers_;
    std::vector<QLabel*> labels_;
    std::vector<QColor> colours_;
};

// The row at the foot of every wizard: "<  &Back", "&Next  >" (the default),
// "&Finish" and "Cancel", right-aligned, added to `layout`.
struct WizardButtons {
    QPushButton* back;
    QPushButton* next;
    QPushButton* finish;
    QPushButton* cancel;
};
WizardButtons addWizardButtons(QWidget* wizard, QBoxLayout* layout);

// The notice of a personality wizard's last step, when it can make the skin and when not
// (followed by the reason).
inline constexpr const char* kWizardReadyNotice = "Skinwright is now ready to create your new personality";
inline constexpr const char* kWizardNotReadyNotice = "Skinwright is NOT READY YET to create your new personality";

// The notes on choosing a personality's file name and name, one line per line.
QString personalityNameNotes();

}  // namespace sw
