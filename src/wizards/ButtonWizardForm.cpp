#include "wizards/ButtonWizardForm.h"

#include "wizards/WizardTimeLine.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace sw {

namespace {

constexpr int kLastButtonStep = 9;


// The white band across the top with the dialog's name and a small window whose
// title bar gains a button.
class Header : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(160, 160, 160));
        p.drawLine(0, height() - 1, width(), height() - 1);
        QFont bold = font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() * 1.4);
        p.setFont(bold);
        p.setPen(Qt::black);
        p.drawText(QRect(16, 0, width() - 120, height()), Qt::AlignVCenter, QStringLiteral("Add Button Wizard"));
        const QRect window(width() - 86, 10, 64, 44);
        p.fillRect(window, QColor(236, 236, 236));
        p.fillRect(window.left(), window.top(), window.width(), 10, QColor(48, 96, 168));
        for (int i = 0; i < 2; ++i)
            p.fillRect(window.right() - 10 - i * 10, window.top() + 2, 7, 6, QColor(220, 228, 240));
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        p.setBrush(QColor(250, 210, 40));
        p.drawRect(window.right() - 31, window.top() + 1, 8, 7);
    }
};

QLabel* text(QWidget* parent, const char* line)
{
    auto* label = new QLabel(QString::fromLatin1(line), parent);
    label->setWordWrap(true);
    return label;
}

QRadioButton* choice(QWidget* parent, QLayout* layout, const char* caption, bool checked = false)
{
    auto* radio = new QRadioButton(QString::fromLatin1(caption), parent);
    radio->setChecked(checked);
    layout->addWidget(radio);
    return radio;
}

QWidget* page(int step, std::initializer_list<const char*> lines)
{
    auto* widget = new QWidget;
    widget->setObjectName(QStringLiteral("tsStep%1").arg(step));
    auto* layout = new QVBoxLayout(widget);
    for (const char* line : lines)
        layout->addWidget(text(widget, line));
    return widget;
}

}  // namespace

TfrmAddButtonWizard::TfrmAddButtonWizard(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddButtonWizard"));
    setWindowTitle(QStringLiteral("Add Button Wizard"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 8);
    auto* header = new Header(this);
    header->setObjectName(QStringLiteral("shWhiteTitle"));
    header->setFixedHeight(64);
    outer->addWidget(header);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    timeLine_ = new TWizardTimeLine({QStringLiteral("Start"), QStringLiteral("Button Type"),
                                     QStringLiteral("Image Source"), QStringLiteral("Define image"),
                                     QStringLiteral("Visibility"), QStringLiteral("Actions"),
                                     QStringLiteral("Troubleshooting"), QStringLiteral("Disclaimer"),
                                     QStringLiteral("Personalization"), QStringLiteral("Finish")},
                                    this);
    connect(timeLine_, &TWizardTimeLine::StepChosen, this, &TfrmAddButtonWizard::StepChooserMouseUp);
    body->addWidget(timeLine_);

    pcSteps = new QStackedWidget(this);
    pcSteps->setObjectName(QStringLiteral("pcSteps"));
    {
        QWidget* step1 = page(1, {"Select Button Type you want to add. and the possible way to add it."});
        choice(step1, step1->layout(), "Add button old fashoned way ( let me specify the attributes )");
        choice(step1, step1->layout(), "Assist me while adding button.");
        choice(step1, step1->layout(), "Add a clock button. (this will open add clock wizard)", true);
        static_cast<QVBoxLayout*>(step1->layout())->addStretch();
        pcSteps->addWidget(step1);
    }
    {
        QWidget* step2 = page(2, {"Select the source of the button's image: one you have already drawn, one "
                                  "cut out of a bigger picture, or one of the template buttons."});
        choice(step2, step2->layout(), "Add image i have already created.", true);
        choice(step2, step2->layout(), "Cut the button of the scratch (bigger image)");
        choice(step2, step2->layout(), "Let me select one of the Skinwright template buttons");
        auto* row = new QHBoxLayout;
        auto* file = new QLineEdit(step2);
        file->setObjectName(QStringLiteral("edImageFile"));
        file->setEnabled(false);
        auto* browse = new QPushButton(QStringLiteral("Browse"), step2);
        browse->setObjectName(QStringLiteral("btnBrowse"));
        browse->setEnabled(false);
        row->addWidget(file, 1);
        row->addWidget(browse);
        static_cast<QVBoxLayout*>(step2->layout())->addLayout(row);
        static_cast<QVBoxLayout*>(step2->layout())->addStretch();
        pcSteps->addWidget(step2);
    }
    pcSteps->addWidget(page(3, {"Now you can cut the button out of the image you have selected one and decide what "
                                "to do about the inactive/pressed states..."}));
    pcSteps->addWidget(page(4, {"Select button alignment options, like what edge/corner the button should be "
                                "aligned to and what offset should it have."}));
    pcSteps->addWidget(page(5, {"Select Button vilibility options, like what edge/corner the button should be "
                                "aligned to and when should it show up."}));
    pcSteps->addWidget(page(6, {"Please select the actions that should be performed when you Click the button, and "
                                "click while Ctrl or Shift  is pressed."}));
    {
        QWidget* step7 = page(7, {"Now you can see how the button image will look and how it will be aligned in "
                                  "real window."});
        auto* row = new QHBoxLayout;
        for (const char* name : {"imgPreviewButton", "imgPreviewWindow"}) {
            auto* picture = new QLabel(step7);
            picture->setObjectName(QString::fromLatin1(name));
            picture->setFrameShape(QFrame::StyledPanel);
            picture->setMinimumSize(120, 80);
            row->addWidget(picture);
        }
        static_cast<QVBoxLayout*>(step7->layout())->addLayout(row);
        pcSteps->addWidget(step7);
    }
    {
        auto* step8 = new QWidget;
        step8->setObjectName(QStringLiteral("tsStep8"));
        auto* layout = new QVBoxLayout(step8);
        auto* notes = new QPlainTextEdit(step8);
        notes->setObjectName(QStringLiteral("memPersonalization"));
        notes->setReadOnly(true);
        notes->setPlainText(personalityNameNotes());
        layout->addWidget(notes);
        pcSteps->addWidget(step8);
    }
    body->addWidget(pcSteps, 1);
    outer->addLayout(body, 1);

    const WizardButtons buttons = addWizardButtons(this, outer);
    btnBack = buttons.back;
    btnNext = buttons.next;
    btnFinish = buttons.finish;
    btnCancel = buttons.cancel;
    connect(btnBack, &QPushButton::clicked, this, [this] { btnStepClick(-1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnStepClick(+1); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    // FormCreate: nothing here can finish, so Finish stays off for good.
    btnFinish->setEnabled(false);
    timeLine_->SetMarkerColour(kLastButtonStep, Qt::red);
    resize(620, 420);
    showStep();
}

void TfrmAddButtonWizard::btnStepClick(int direction)
{
    StepChooserMouseUp(step_ + direction);
}

void TfrmAddButtonWizard::StepChooserMouseUp(int step)
{
    if (step < 0 || step > kLastButtonStep)
        return;
    step_ = step;
    showStep();
}

void TfrmAddButtonWizard::showStep()
{
    pcSteps->setVisible(step_ >= 1 && step_ <= 8);
    if (step_ >= 1 && step_ <= 8)
        pcSteps->setCurrentIndex(step_ - 1);
    btnNext->setEnabled(step_ < kLastButtonStep);
    btnBack->setEnabled(step_ > 0);
    for (int i = 0; i < kLastButtonStep; ++i)
        timeLine_->SetMarkerColour(i, i == step_ ? QColor(Qt::green) : QColor(Qt::gray));
    for (int i = 0; i <= kLastButtonStep; ++i)
        timeLine_->SetLabelBold(i, i == step_);
}

}  // namespace sw
