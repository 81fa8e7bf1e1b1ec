#include "wizards/NewSkinWizard.h"

#include "common/Latin1.h"
#include "engine/PromptService.h"
#include "store/CustomIniFile.h"
#include "wizards/AuthorEdits.h"
#include "wizards/WizardTimeLine.h"

#include <QCheckBox>

#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kLastSkinStep = 8;
const char* const kSkinStartNotice = "This wizard creates a new customized personality";
const char* const kFirstNotice = "This wizard creates a new personalized skin";
const char* const kChangeBothNotice = "You have to change both: \"Personality Name\"  and the \"Personality File "
                                      "Name\" fields on the previous step to continue";
const char* const kFileNameCaption = "Personality file name:";
const char* const kNameCaption = "Personality Name:";

void colourCaption(QLabel* label, bool red)
{
    label->setStyleSheet(red ? QStringLiteral("color: red") : QStringLiteral("color: black"));
}

}  // namespace

TfrmNewSkinWizard::TfrmNewSkinWizard(TCustomIniFile& settings, fs::path engineFolder, QWidget* parent,
                                     fs::path templateFolder, std::vector<DriveRow> drives)
    : QDialog(parent),
      settings_(settings),
      engineFolder_(std::move(engineFolder)),
      templateFolder_(std::move(templateFolder)),
      drives_(std::move(drives))
{
    setObjectName(QStringLiteral("frmNewSkinWizard"));
    setWindowTitle(QStringLiteral("New Skin Wizard"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 8);
    outer->addWidget(buildHeader());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 4, 8, 0);
    timeLine_ = new TWizardTimeLine({QStringLiteral("Start"), QStringLiteral("Style"), QStringLiteral("Functionality"),
                                     QStringLiteral("Drive Bar"), QStringLiteral("Application Bar"),
                                     QStringLiteral("Titlebar Shadow"), QStringLiteral("Disclaimer"),
                                     QStringLiteral("Personalization"), QStringLiteral("Finish")},
                                    this);
    connect(timeLine_, &TWizardTimeLine::StepChosen, this, &TfrmNewSkinWizard::StepChooserMouseUp);
    body->addWidget(timeLine_);
    auto* right = new QVBoxLayout;
    pcSteps = new QStackedWidget(this);
    pcSteps->setObjectName(QStringLiteral("pcSteps"));
    for (QWidget* page : {buildStep1(), buildStep2(), buildStep3(), buildStep4(), buildStep5(), buildStep6(),
                          buildStep7()})
        pcSteps->addWidget(page);
    right->addWidget(pcSteps, 1);
    lblNotice = new QLabel(QString::fromLatin1(kFirstNotice), this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setWordWrap(true);
    lblNotice->setMinimumHeight(40);
    right->addWidget(lblNotice);
    right->addStretch();
    body->addLayout(right, 1);
    outer->addLayout(body, 1);

    const WizardButtons buttons = addWizardButtons(this, outer);
    btnBack = buttons.back;
    btnNext = buttons.next;
    btnFinish = buttons.finish;
    btnCancel = buttons.cancel;
    connect(btnBack, &QPushButton::clicked, this, [this] { btnStepClick(-1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnStepClick(+1); });
    connect(btnFinish, &QPushButton::clicked, this, &TfrmNewSkinWizard::btnFinishClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmNewSkinWizard::reject);

    // FormCreate.
    initialFileName_ = EditFileName->text();
    initialSkinName_ = EditName->text();
    showAuthorFields(settings_, {EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes});
    cbAddDrivesClick();
    GradientBeosClick(false);
    FunctionalityClick();
    ShadowAdjuctClick();
    NameChange();
    resize(690, 470);
    RefreshStep();
}

TfrmNewSkinWizard::~TfrmNewSkinWizard() = default;

QString TfrmNewSkinWizard::Notice() const
{
    return lblNotice->text();
}

void TfrmNewSkinWizard::btnStepClick(int direction)
{
    step_ = std::clamp(step_ + (direction > 0 ? 1 : -1), 0, kLastSkinStep);
    RefreshStep();
}

void TfrmNewSkinWizard::StepChooserMouseUp(int step)
{
    step_ = std::clamp(step, 0, kLastSkinStep);
    RefreshStep();
}

void TfrmNewSkinWizard::RefreshStep()
{
    const bool pages = step_ >= 1 && step_ <= 7;
    pcSteps->setVisible(pages);
    if (pages)
        pcSteps->setCurrentIndex(step_ - 1);
    if (step_ == 1)  // the page has its size now: ring the chosen sample
        GradientBeosClick(rbBeos->isChecked());
    btnNext->setEnabled(step_ < kLastSkinStep);
    btnBack->setEnabled(step_ > 0);
    for (int i = 0; i < kLastSkinStep; ++i)
        timeLine_->SetMarkerColour(i, i == step_ ? QColor(Qt::green) : QColor(Qt::gray));
    for (int i = 0; i <= kLastSkinStep; ++i)
        timeLine_->SetLabelBold(i, i == step_);
    if (step_ == 0)
        lblNotice->setText(QString::fromLatin1(kSkinStartNotice));
    else if (step_ == kLastSkinStep) {
        QString reason;
        lblNotice->setText(NamesReady(&reason) ? QString::fromLatin1(kWizardReadyNotice)
                                               : QString::fromLatin1(kWizardNotReadyNotice) + QLatin1Char('\n') + reason);
    }
    lblNotice->setVisible(!pages);
    NameChange();
}

bool TfrmNewSkinWizard::NamesReady(QString* reason) const
{
    if (EditFileName->text() == initialFileName_ || EditName->text() == initialSkinName_) {
        if (reason)
            *reason = QString::fromLatin1(kChangeBothNotice);
        return false;
    }
    // The file name becomes a folder name: refused here, before anything is written.
    const std::string problem = wizardFileNameProblem(toBytes(EditFileName->text()));
    if (reason)
        *reason = fromBytes(problem);
    return problem.empty();
}

void TfrmNewSkinWizard::NameChange()
{
    const bool ready = NamesReady();
    btnFinish->setEnabled(ready);
    timeLine_->SetMarkerColour(kLastSkinStep, ready ? QColor(Qt::gray) : QColor(Qt::red));
    const bool fileNameUnchanged = EditFileName->text() == initialFileName_;
    const std::string problem = fileNameUnchanged ? std::string() : wizardFileNameProblem(toBytes(EditFileName->text()));
    lblFileName->setWordWrap(!problem.empty());
    lblFileName->setText(problem.empty() ? QString::fromLatin1(kFileNameCaption)
                                         : QString::fromLatin1(kFileNameCaption) + QLatin1Char('\n') + fromBytes(problem));
    colourCaption(lblFileName, fileNameUnchanged || !problem.empty());
    colourCaption(lblName, EditName->text() == initialSkinName_);
}

WizardChoices TfrmNewSkinWizard::Choices() const
{
    WizardChoices choices;
    choices.standardStyle = rbBeos->isChecked();
    choices.onTopButtons = cbOnTopButton->isChecked();
    choices.helpButton = cbHelpButton->isChecked();
    choices.rollupButton = cbRollupButton->isChecked();
    choices.appBar = cbAppBar->isChecked();
    for (int row = 0; row < int(kWizardProgramCount); ++row) {
        const QTreeWidgetItem* item = lvPrograms->topLevelItem(row);
        choices.programs[std::size_t(row)] = item->checkState(0) == Qt::Checked;
        choices.programCommands[std::size_t(row)] = toBytes(item->text(1).trimmed());
    }
    choices.driveBar = cbAddDrives->isChecked();
    for (int row = 0; row < lvDrives->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = lvDrives->topLevelItem(row);
        choices.drives.push_back({toBytes(item->text(0)), drives_[std::size_t(row)].kind,
                                  item->checkState(0) == Qt::Checked});
    }
    choices.shadow = rbOutline->isChecked() ? TitleShadow::Outline
                     : rbShadow->isChecked() ? TitleShadow::Drop
                                             : TitleShadow::None;
    choices.fileName = toBytes(EditFileName->text());
    choices.author = {toBytes(EditName->text()), toBytes(EditSkinAuthor->text()), toBytes(EditAuthorsURL->text()),
                      toBytes(EditAuthorsEmail->text()), toBytes(EditSpecialNotes->text())};
    return choices;
}

void TfrmNewSkinWizard::btnFinishClick()
{
    QString reason;
    if (!NamesReady(&reason))
        return;
    if (!wizardTemplateFile(templateFolder_)) {
        prompts().message(QStringLiteral("The wizard template \"") +
                              QString::fromStdString((templateFolder_ / "wizard.uis").string()) +
                              QStringLiteral("\" was not found. No personality was created."),
                          QStringLiteral("New Skin Wizard"), PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    const WizardChoices choices = Choices();
    const fs::path folder = engineFolder_ / choices.fileName;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder, ec))) {
        const PromptAnswer answer = prompts().message(
            QStringLiteral("The personality folder \"") + QString::fromStdString(folder.string()) +
                QStringLiteral("\" already exists.\nReplace the personality in it?"),
            QStringLiteral("Replace personality"), PromptIcon::Warning, PromptButtons::OkCancel);
        if (answer != PromptAnswer::Ok)
            return;
    }
    const WizardResult result = buildWizardPersonality(choices, engineFolder_, templateFolder_);
    if (!result.ok) {
        prompts().message(QString::fromStdString(result.error), QStringLiteral("Unable to create the personality"),
                          PromptIcon::Error, PromptButtons::Ok);
        return;
    }
    rememberAuthorFields(settings_, {EditSkinAuthor, EditAuthorsURL, EditAuthorsEmail, EditSpecialNotes});
    createdFile_ = QString::fromStdString(result.uisFile.string());
    accept();
}

}  // namespace sw
