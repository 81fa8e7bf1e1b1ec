// The new skin wizard driven as a user would: steps, notices, samples, names, Finish.
#include "wizards/NewSkinWizard.h"
#include "wizards/WizardTimeLine.h"

#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/AcceleratedIniFile.h"
#include "support/FieldInput.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

class NewSkinWizard : public ::testing::Test {
public:
    TempDir dir;
    fs::path engine = dir.path() / "engine";
    ScriptedPrompts prompts;
    ScopedService<PromptService> installed{prompts};
    TAcceleratedIniFile settings{(dir.path() / "sw.ini").string()};
    std::unique_ptr<TfrmNewSkinWizard> wizard;

    void SetUp() override
    {
        fs::create_directories(engine);
        settings.WriteString("Author", "SkinAuthor", "Ann");
        wizard = std::make_unique<TfrmNewSkinWizard>(
            settings, engine, nullptr, wizardTemplateFolder(),
            std::vector<DriveRow>{{"/", "root", DriveFixed, "/"},
                                  {"/media/stick", "Removable", DriveRemovable, "/media/stick"},
                                  {"/cdrom", "DISC", DriveOptical, "/cdrom"}});
        wizard->show();
    }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = wizard->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) { child<QPushButton>(button)->click(); }
    void nameIt(const QString& file, const QString& name)
    {
        child<QLineEdit>("EditFileName")->setText(file);
        child<QLineEdit>("EditName")->setText(name);
    }
};

TEST_F(NewSkinWizard, StepsMarkersAndNotices)
{
    EXPECT_EQ(wizard->windowTitle(), "New Skin Wizard");
    EXPECT_EQ(wizard->Step(), 0);
    EXPECT_EQ(wizard->Notice(), "This wizard creates a new customized personality");
    EXPECT_FALSE(child<QStackedWidget>("pcSteps")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnBack")->isEnabled());
    auto* timeLine = wizard->findChild<TWizardTimeLine*>();
    ASSERT_NE(timeLine, nullptr);
    const char* pages[] = {"tsStep1", "tsStep2", "tsStep3", "tsStep4", "tsStep5", "tsStep6", "tsStep7"};
    for (int step = 1; step <= 7; ++step) {
        SCOPED_TRACE(step);
        click("btnNext");
        EXPECT_EQ(wizard->Step(), step);
        EXPECT_TRUE(child<QWidget>(pages[step - 1])->isVisible());
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(timeLine->MarkerColour(i), i == step ? QColor(Qt::green) : QColor(Qt::gray)) << i;
        EXPECT_TRUE(timeLine->Label(step)->font().bold());
        EXPECT_FALSE(timeLine->Label(step - 1)->font().bold());
    }
    // Jumping to Finish with the names unchanged: not ready, Finish stays off.
    QTest::mouseClick(child<QLabel>("lblTimeLineStep8"), Qt::LeftButton);
    EXPECT_EQ(wizard->Step(), 8);
    EXPECT_FALSE(child<QStackedWidget>("pcSteps")->isVisible());
    EXPECT_FALSE(child<QPushButton>("btnNext")->isEnabled());
    EXPECT_EQ(wizard->Notice(), "Skinwright is NOT READY YET to create your new personality\nYou have to change both: "
                                "\"Personality Name\"  and the \"Personality File Name\" fields on the previous step "
                                "to continue");
    EXPECT_FALSE(child<QPushButton>("btnFinish")->isEnabled());
    EXPECT_EQ(timeLine->MarkerColour(8), QColor(Qt::red));
    click("btnBack");
    nameIt("Fresh", "Fresh skin");
    click("btnNext");
    EXPECT_EQ(wizard->Notice(), "Skinwright is now ready to create your new personality");
    EXPECT_TRUE(child<QPushButton>("btnFinish")->isEnabled());
    EXPECT_EQ(timeLine->MarkerColour(8), QColor(Qt::gray));
}

TEST_F(NewSkinWizard, NamesEnableFinishOnlyWhenBothChangedAndPlain)
{
    const struct {
        const char* file;
        const char* name;
        bool ready;
        const char* fileCaption;
        bool fileRed, nameRed;
    } cases[] = {
        {"Undefined", "Undefined", false, "Personality file name:", true, true},
        {"Fresh", "Undefined", false, "Personality file name:", false, true},
        {"Undefined", "Fresh", false, "Personality file name:", true, false},
        {"Fresh", "Fresh skin", true, "Personality file name:", false, false},
        {"a/b", "Fresh skin", false, "Personality file name:\nThe file name must not contain \\ or /", true, false},
        {"..", "Fresh skin", false, "Personality file name:\nThe file name cannot be \".\" or \"..\"", true, false},
        {"  ", "Fresh skin", false, "Personality file name:\nThe file name is empty", true, false},
    };
    auto* fileCaption = child<QLabel>("lblFileName");
    auto* nameCaption = child<QLabel>("lblName");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        nameIt(QString::fromLatin1(c.file), QString::fromLatin1(c.name));
        EXPECT_EQ(child<QPushButton>("btnFinish")->isEnabled(), c.ready);
        EXPECT_EQ(fileCaption->text(), c.fileCaption);
        EXPECT_EQ(fileCaption->styleSheet().contains("red"), c.fileRed);
        EXPECT_EQ(nameCaption->styleSheet().contains("red"), c.nameRed);
        EXPECT_EQ(nameCaption->text(), "Personality Name:");
    }
}

// The names and author fields end up in the new personality's bytes: a character they
// cannot hold is refused by name, not written as "?".
TEST_F(NewSkinWizard, NameAndAuthorFieldsRefuseCharactersBeyondLatin1)
{
    for (const char* name : {"EditFileName", "EditName", "EditSkinAuthor", "EditSpecialNotes"}) {
        auto* field = child<QLineEdit>(name);
        const QString before = field->text();
        prompts.answer(PromptAnswer::Ok);
        field->setFocus();
        pasteInto(field, QString::fromUtf8("x\u0100"));
        EXPECT_EQ(field->text(), before) << name;
        ASSERT_FALSE(prompts.shown().empty());
        EXPECT_EQ(prompts.shown().back().text, refusedMessage(QString::fromUtf8("\u0100 (U+0100)"))) << name;
        EXPECT_EQ(prompts.pendingAnswers(), 0u) << name;
    }
}

TEST_F(NewSkinWizard, SamplesFollowTheChoices)
{
    wizard->StepChooserMouseUp(5);
    const struct {
        const char* radio;
        int copies;
    } shadows[] = {{"rbOutline", 4}, {"rbNoShadow", 0}, {"rbShadow", 1}};
    for (const auto& [radio, copies] : shadows) {
        child<QRadioButton>(radio)->click();
        int shown = 0;
        for (const char* name : {"lblTitleShadow0", "lblTitleShadow1", "lblTitleShadow2", "lblTitleShadow3"})
            shown += child<QLabel>(name)->isVisible() ? 1 : 0;
        EXPECT_EQ(shown, copies) << radio;
        if (copies == 1) {
            EXPECT_EQ(child<QLabel>("lblTitleShadow0")->pos() - child<QLabel>("lblTitleText")->pos(), QPoint(1, 1));
        }
    }

    wizard->StepChooserMouseUp(2);
    const std::pair<const char*, const char*> boxes[] = {
        {"cbOnTopButton", "imgOnTop"}, {"cbHelpButton", "imgHelp"}, {"cbRollupButton", "imgRollup"}};
    for (const auto& [box, image] : boxes) {
        EXPECT_TRUE(child<QLabel>(image)->isVisible()) << image;
        child<QCheckBox>(box)->click();
        EXPECT_FALSE(child<QLabel>(image)->isVisible()) << image;
    }

    wizard->StepChooserMouseUp(1);
    auto* frame = child<QWidget>("bvlGradientBeos");
    QTest::mouseClick(child<QLabel>("imgBeos"), Qt::LeftButton);
    EXPECT_TRUE(child<QRadioButton>("rbBeos")->isChecked());
    EXPECT_EQ(frame->geometry(), child<QLabel>("imgBeos")->geometry().adjusted(-4, -4, 4, 4));
    child<QRadioButton>("rbGradient")->click();
    EXPECT_EQ(frame->geometry(), child<QLabel>("imgGradient")->geometry().adjusted(-4, -4, 4, 4));
}

TEST_F(NewSkinWizard, ListsAndDisclaimer)
{
    auto* programs = child<QTreeWidget>("lvPrograms");
    auto* drives = child<QTreeWidget>("lvDrives");
    ASSERT_EQ(programs->topLevelItemCount(), 9);
    EXPECT_EQ(programs->topLevelItem(8)->text(0), "Halcyra");
    ASSERT_EQ(drives->topLevelItemCount(), 3);
    EXPECT_EQ(drives->topLevelItem(1)->text(0), "/media/stick");
    EXPECT_EQ(drives->topLevelItem(1)->text(1), "Removable");
    for (QTreeWidget* list : {programs, drives}) {
        EXPECT_FALSE(list->isEnabled());
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            EXPECT_EQ(list->topLevelItem(row)->checkState(0), Qt::Checked);
    }
    child<QCheckBox>("cbAddDrives")->click();
    EXPECT_TRUE(drives->isEnabled());
    EXPECT_FALSE(programs->isEnabled());
    EXPECT_EQ(drives->palette().color(QPalette::Base), wizard->palette().color(QPalette::Base));

    const QStringList memo = child<QPlainTextEdit>("mmDisclaimer")->toPlainText().split('\n');
    ASSERT_EQ(memo.size(), 17);
    EXPECT_EQ(memo[0], "Creating a new personality requires a filename.");
    EXPECT_EQ(memo[1], "");
    EXPECT_EQ(memo[12], "the ratings for your skin because you retain the download count ");
    EXPECT_EQ(memo[16], "identifies your skin in the Configuration dialog.");
    EXPECT_EQ(child<QLineEdit>("EditSkinAuthor")->text(), "Ann");
}

TEST_F(NewSkinWizard, FinishBuildsThePersonalityFromTheChoices)
{
    child<QCheckBox>("cbHelpButton")->click();  // off
    child<QCheckBox>("cbAddDrives")->click();
    child<QTreeWidget>("lvDrives")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    nameIt("Fresh", "Fresh skin");
    wizard->StepChooserMouseUp(8);
    click("btnFinish");
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    const fs::path file = engine / "Fresh" / "Fresh.uis";
    EXPECT_EQ(wizard->CreatedFile().toStdString(), file.string());
    TAcceleratedIniFile built(file.string());
    EXPECT_EQ(built.ReadString("TITLEBARSKIN", "SkinName", ""), "Fresh skin");
    EXPECT_EQ(built.ReadString("TITLEBARSKIN", "SkinAuthor", ""), "Ann");
    // Rollup, the on-top three, the drive bar, then "/" and the disc next to it.
    EXPECT_EQ(built.ReadString("Button3", "Action", ""), "9");
    EXPECT_EQ(built.ReadString("Button7", "Action", ""), "40");
    EXPECT_EQ(built.ReadString("Button9", "Command", ""), "/cdrom");
    EXPECT_EQ(built.ReadString("Button9", "XCoord", ""), "25");
    EXPECT_EQ(built.ReadString("PERSONALITY", "ButtonCount", ""), "10");
    EXPECT_TRUE(prompts.shown().empty());
}

// Every program button of the application bar runs a command; the author edits it in
// the list's second column, and only there.
TEST_F(NewSkinWizard, ApplicationBarButtonsRunTheCommandsOfTheirRows)
{
    child<QCheckBox>("cbAppBar")->click();
    auto* programs = child<QTreeWidget>("lvPrograms");
    for (int row = 0; row < programs->topLevelItemCount(); ++row)
        EXPECT_FALSE(programs->topLevelItem(row)->text(1).isEmpty()) << row;
    for (int row = 1; row < programs->topLevelItemCount(); ++row)
        if (row != 6)
            programs->topLevelItem(row)->setCheckState(0, Qt::Unchecked);
    wizard->StepChooserMouseUp(4);
    QTreeWidgetItem* prompt = programs->topLevelItem(6);
    const QRect caption = programs->visualItemRect(prompt);
    const QPoint at(caption.left() + 90, caption.center().y());
    QTest::mouseClick(programs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(programs->viewport(), Qt::LeftButton, {}, at);
    auto* editor = programs->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "cmd.exe");  // the command column, not the caption
    editor->setText(QStringLiteral("powershell.exe"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate takes the text after the key
    EXPECT_EQ(prompt->text(0), "MSDOS Prompt");
    nameIt("Bar", "Bar skin");
    click("btnFinish");
    ASSERT_EQ(wizard->result(), QDialog::Accepted);
    TAcceleratedIniFile built((engine / "Bar" / "Bar.uis").string());
    std::vector<std::string> commands;
    for (int n = 0; n < built.ReadInteger("PERSONALITY", "ButtonCount", 0); ++n)
        if (built.ReadString("Button" + std::to_string(n), "Action", "") == "5")
            commands.push_back(built.ReadString("Button" + std::to_string(n), "Command", "(none)"));
    EXPECT_EQ(commands, (std::vector<std::string>{"write.exe", "powershell.exe"}));
}

TEST_F(NewSkinWizard, AnExistingFolderIsReplacedOnlyWhenTheUserSaysSo)
{
    fs::create_directories(engine / "Fresh");
    writeBytes(engine / "Fresh" / "Fresh.uis", "[Mine]\r\nKey=1\r\n");
    nameIt("Fresh", "Fresh skin");
    prompts.answer(PromptAnswer::Cancel);
    click("btnFinish");
    EXPECT_NE(wizard->result(), QDialog::Accepted);
    EXPECT_EQ(readBytes(engine / "Fresh" / "Fresh.uis"), "[Mine]\r\nKey=1\r\n");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, "Replace personality");
    prompts.answer(PromptAnswer::Ok);
    click("btnFinish");
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    EXPECT_NE(readBytes(engine / "Fresh" / "Fresh.uis").find("SkinName=Fresh skin"), std::string::npos);
}

TEST_F(NewSkinWizard, AMissingTemplateIsReportedByName)
{
    TempDir empty;
    TfrmNewSkinWizard lonely(settings, engine, nullptr, empty.path(), {});
    lonely.findChild<QLineEdit*>("EditFileName")->setText("Fresh");
    lonely.findChild<QLineEdit*>("EditName")->setText("Fresh skin");
    prompts.answer(PromptAnswer::Ok);
    lonely.btnFinishClick();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.contains(QString::fromStdString((empty.path() / "wizard.uis").string())));
    EXPECT_NE(lonely.result(), QDialog::Accepted);
    EXPECT_TRUE(fs::is_empty(engine));
}

// With SKINWRT_SCREENSHOTS set, every step is saved there as a PNG to look at.
TEST_F(NewSkinWizard, EveryStepLooksDifferent)
{
    const QByteArray folder = qgetenv("SKINWRT_SCREENSHOTS");
    QImage previous;
    for (int step = 0; step <= 8; ++step) {
        wizard->StepChooserMouseUp(step);
        const QImage shot = wizard->grab().toImage();
        EXPECT_NE(shot, previous) << step;
        if (!folder.isEmpty())
            shot.save(QString::fromLocal8Bit(folder) + QStringLiteral("/wizard-step%1.png").arg(step));
        previous = shot;
    }
}

}  // namespace
}  // namespace sw
