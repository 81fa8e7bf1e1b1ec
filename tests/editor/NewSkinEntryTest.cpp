// The main window's "New Skin..." command and the explorer's clock command, driven
// through their dialogs.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/DocumentHistory.h"
#include "common/FormFilename.h"
#include "editor/UISExplorerForm.h"
#include "wizards/ClockWizardForm.h"
#include "wizards/NewSkinForm.h"
#include "wizards/NewSkinfromAScratchForm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QPointer>
#include <QTimer>
#include <QUndoStack>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;
using NewSkinEntry = EditorFixture;

// Answers the modal dialogs as they come: the gallery picks `row`, the name prompt
// takes `fileName`, any other dialog is recorded by class and cancelled.
class DialogDriver : public QObject {
public:
    DialogDriver(int row, QString fileName) : row_(row), fileName_(std::move(fileName))
    {
        connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        timer_.start(10);
    }
    QStringList seen;

private:
    void step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_)
            return;
        last_ = modal;
        seen << QString::fromLatin1(modal->metaObject()->className());
        if (auto* gallery = qobject_cast<TNewSkinForm*>(modal)) {
            QListWidget* list = gallery->ChoiceNewListView;
            if (row_ < 0) {
                gallery->reject();
                return;
            }
            if (row_ == 1) {  // a double-click chooses as OK does
                const QPoint at = list->visualItemRect(list->item(row_)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                return;
            }
            list->item(row_)->setSelected(true);
            gallery->Button1->click();
        } else if (auto* prompt = qobject_cast<TFormFilename*>(modal)) {
            prompt->EditFileName->setText(fileName_);
            prompt->EditName->setText(QStringLiteral("My Frame"));
            prompt->ButtonOK->click();
        } else {
            static_cast<QDialog*>(modal)->reject();
        }
    }

    int row_;
    QString fileName_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

const char* const kGallery =
    "[General]\r\nTemplateCount=3\r\n[Template0]\r\nType=1\r\n[Template1]\r\nType=2\r\n"
    "[Template2]\r\nType=4\r\nFile=plain\r\n[Template3]\r\nType=7\r\n";

TEST_F(NewSkinEntry, TheChosenEntryStartsItsWizardOrCopiesItsTemplate)
{
    fs::create_directories(program / "template");
    writeBytes(program / "template" / "templates.ini", kGallery);
    writeBytes(program / "template" / "plain.uis",
               "[TITLEBARSKIN]\r\nSkinName=Plain\r\nSkinAuthor=x\r\n[PERSONALITY]\r\nTop=Plain\\top.bmp\r\n");
    writeBytes(program / "template" / "top.bmp", "TOP");
    auto main = makeMain();
    struct Case {
        int row;
        const char* wizardAction;  // the action the entry triggers, or null
        QStringList dialogs;
        bool opens;
    } cases[] = {
        {0, "FileNewWizardItem", {"sw::TNewSkinForm", "sw::TfrmNewSkinWizard"}, false},
        {1, "FileNewTemplateWizardItem", {"sw::TNewSkinForm", "sw::TNewSkinfromAScratchForm"}, false},
        {3, nullptr, {"sw::TNewSkinForm"}, false},
        {2, nullptr, {"sw::TNewSkinForm", "sw::TFormFilename"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        int wizardRuns = 0;
        QMetaObject::Connection watch;
        if (c.wizardAction)
            watch = QObject::connect(main->Action(QString::fromLatin1(c.wizardAction)), &QAction::triggered,
                            [&wizardRuns] { ++wizardRuns; });
        DialogDriver driver(c.row, QStringLiteral("MyFrame"));
        main->Action(QStringLiteral("FileNewSkin"))->trigger();
        QObject::disconnect(watch);
        EXPECT_EQ(driver.seen, c.dialogs);
        EXPECT_EQ(wizardRuns, c.wizardAction ? 1 : 0);
        EXPECT_EQ(editorState().DocumentOpen, c.opens);
    }
    const fs::path created = engine / "MyFrame" / "MyFrame.uis";
    EXPECT_EQ(editorState().DocumentPath, created.string());
    EXPECT_EQ(readBytes(engine / "MyFrame" / "top.bmp"), "TOP");
    EXPECT_EQ(TUisFile(created.string()).ReadString("PERSONALITY", "Top", ""), "MyFrame\\top.bmp");
    // The tool button is the same command: it closes the open personality first.
    {
        DialogDriver driver(3, QString());
        main->Action(QStringLiteral("ToolButtonNew"))->trigger();
        EXPECT_EQ(driver.seen, QStringList{"sw::TNewSkinForm"});
        EXPECT_FALSE(editorState().DocumentOpen);
    }
    // Leaving the gallery without a choice leaves the open personality as it was.
    main->OpenFileName = QString::fromStdString(created.string());
    main->FileOpenRoutine();
    ASSERT_TRUE(editorState().DocumentOpen);
    DialogDriver cancel(-1, QString());
    main->Action(QStringLiteral("ToolButtonNew"))->trigger();
    EXPECT_EQ(cancel.seen, QStringList{"sw::TNewSkinForm"});
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_EQ(editorState().DocumentPath, created.string());
}

TEST_F(NewSkinEntry, NamesThatAreNoFolderOrNameAnotherPersonalityAreRefused)
{
    fs::create_directories(program / "template");
    writeBytes(program / "template" / "plain.uis", "[TITLEBARSKIN]\r\nSkinName=Plain\r\nSkinAuthor=x\r\n");
    auto main = makeMain();
    const std::string slate = readBytes(engine / "Slate" / "Slate.uis");
    struct Case {
        const char* name;
        std::optional<PromptAnswer> answer;  // the answer to the question, when one comes
        const char* message;                 // the start of what is shown
        bool created;
    } cases[] = {
        {"Other", PromptAnswer::Ok, "The template ", false},
        {"..", PromptAnswer::Ok, "\"..\" cannot be the name of a personality folder", false},
        {"a\\b", PromptAnswer::Ok, "\"a\\b\" cannot be the name of a personality folder", false},
        {"Elsewhere", PromptAnswer::Ok, "The Veneerix folder was not found", false},
        {"Slate", PromptAnswer::No, "The folder ", false},
        {"Slate", PromptAnswer::Yes, "The folder ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = prompts.shown().size();
        prompts.answer(*c.answer);
        QTimer::singleShot(0, [&c] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QString::fromLatin1(c.name));
            modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("Named"));
            modal->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
        });
        editorState().EngineFolder = std::string_view(c.name) == "Elsewhere" ? std::string() : engine.string();
        main->FileNewSkinClick(QString::fromLatin1(std::string_view(c.name) == "Other" ? "missing" : "plain"));
        ASSERT_EQ(prompts.shown().size(), before + 1);
        EXPECT_TRUE(prompts.shown().back().text.startsWith(QString::fromLatin1(c.message)))
            << prompts.shown().back().text.toStdString();
        EXPECT_EQ(readBytes(engine / "Slate" / "Slate.uis") != slate, c.created);
        EXPECT_EQ(editorState().DocumentOpen, c.created);
    }
    EXPECT_FALSE(fs::exists(engine / "Other"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "Elsewhere"));
}

TEST_F(NewSkinEntry, TheClockWizardAddsOneButtonAsOneStep)
{
    auto main = makeMain();
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    TUisFile& document = *explorer->Document();
    const std::string before = readBytes(document.DiskPath());

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("ButtonCancel")->click(); });
    main->Action(QStringLiteral("InsertClockItem"))->trigger();
    EXPECT_EQ(readBytes(document.DiskPath()), before);
    EXPECT_EQ(main->History().Stack().count(), 0);

    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<TAddClockWizardForm*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        for (int i = 0; i < 3; ++i)
            wizard->ButtonNext->click();
        wizard->ButtonFinish->click();
    });
    main->Action(QStringLiteral("InsertClockItem"))->trigger();
    EXPECT_EQ(document.ReadString("PERSONALITY", "ButtonCount", ""), "10");
    EXPECT_EQ(document.ReadString("Button9", "DllName", ""), "clock.dll");
    EXPECT_EQ(document.ReadString("Button9", "Action", ""), "-3");
    EXPECT_EQ(document.ReadString("Clock", "UpdateTimer", ""), "900");
    EXPECT_EQ(editorState().CurrentSection, "Button9");
    QUndoStack& stack = main->History().Stack();
    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), QStringLiteral("Add Clock"));
    stack.undo();
    EXPECT_EQ(readBytes(document.DiskPath()), before);
}

}  // namespace
}  // namespace sw
