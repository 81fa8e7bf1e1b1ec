// Nothing an author made is lost: a change that cannot be written is refused with the
// document as it was, a crashed editor's working copy is offered back, what another
// program wrote to the personality survives a save, every close question has Cancel,
// and text typed on the code page is never overwritten by a later change.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/CodeView.h"
#include "editor/DocumentHistory.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "editor/WidgetPrompts.h"
#include "store/ProfileFile.h"
#include "wizards/NewSkinForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QLockFile>
#include <QSysInfo>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>

#include <functional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using EditLossTest = EditorFixture;

TEST_F(EditLossTest, AChangeThatCannotBeWrittenIsRefusedWithTheDocumentAsItWas)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    struct Case {
        const char* what;
        std::function<void(TMainForm&)> change;
        std::size_t questions = 0;  // asked by the action itself
    } cases[] = {
        {"typed value", [](TMainForm& main) {
             main.Explorer()->AttributeSelect("TITLEBARSKIN", "SkinAuthor");
             main.Band()->EditAttrValue->setText(QStringLiteral("Somebody Else"));
         }},
        {"duplicate button (several writes)", [](TMainForm& main) { main.Explorer()->ButtonDuplicate("Button2"); }},
        {"remove section", [this](TMainForm& main) {
             prompts.answer(PromptAnswer::Yes);
             main.Explorer()->SectionRemove("PROGRESS");
         }, 1},
    };
    for (const Case& c : cases) {
        auto main = openPersonality(skin);
        ASSERT_NE(main->Explorer(), nullptr) << c.what;
        const std::string workingCopy = editorState().WorkingCopyPath;
        const std::string before = readBytes(workingCopy);
        const int steps = main->History().Stack().count();
        fs::permissions(workingCopy, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const std::size_t shown = prompts.shown().size();
        c.change(*main);
        prompts.answer(PromptAnswer::Ok);  // the message comes once the action is over
        QApplication::processEvents();
        ASSERT_EQ(prompts.shown().size(), shown + c.questions + 1) << c.what;
        const QString message = prompts.shown().back().text;
        EXPECT_TRUE(message.startsWith(QStringLiteral("Unable to write to ") + QString::fromStdString(workingCopy)))
            << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral("The change was not made."))) << c.what;
        EXPECT_EQ(readBytes(workingCopy), before) << c.what;
        EXPECT_EQ(main->Explorer()->Document()->DiskBytes(), before) << c.what;
        EXPECT_EQ(main->History().Stack().count(), steps) << c.what;
        EXPECT_FALSE(editorState().Modified) << c.what;
        if (!editorState().CurrentAttribute.empty())  // the value editor shows the file's value again
            EXPECT_EQ(main->Band()->EditAttrValue->text().toStdString(),
                      main->Explorer()->Document()->ReadString(editorState().CurrentSection,
                                                               editorState().CurrentAttribute, ""))
                << c.what;
        // The editor goes on: once the file can be written, changes are made again.
        fs::permissions(workingCopy, fs::perms::owner_write, fs::perm_options::add);
        main->Explorer()->Document()->WriteString("COLOURS", "Menu", "1 2 3");
        main->NotifyModification();
        EXPECT_NE(readBytes(workingCopy).find("Menu=1 2 3"), std::string::npos) << c.what;
        prompts.answer(PromptAnswer::No);
        EXPECT_TRUE(main->FileCloseItemClick()) << c.what;
    }
}

TEST_F(EditLossTest, AWorkingCopyLeftByADeadEditorIsOfferedBackBeforeAnythingReplacesIt)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    const fs::path folder = skin.parent_path();
    const fs::path workingCopy = folder / kWorkingCopyName;
    const fs::path lock = folder / (std::string(kWorkingCopyName) + ".lock");
    const std::string file = readBytes(skin);
    const std::string left = iniSetValue(file, "COLOURS", "Menu", "9 9 9");
    for (PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel}) {
        SCOPED_TRACE(promptAnswerName(answer).toStdString());
        writeBytes(workingCopy, left);
        writeBytes(lock, "2147480000\nskinwrt\n" + QSysInfo::machineHostName().toStdString() + "\n");
        prompts.answer(answer);
        auto main = openPersonality(skin);
        ASSERT_GE(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown().back().text,
                  QString::fromStdString(skin.string()) +
                      QStringLiteral(" has changes that were never saved (the editor that made them did not close). "
                                     "Recover them?\n\nYes: open the personality with those changes\nNo: discard "
                                     "them\nCancel: do not open it"));
        EXPECT_EQ(readBytes(skin), file);
        if (answer == PromptAnswer::Cancel) {
            EXPECT_EQ(main->Explorer(), nullptr);
            EXPECT_EQ(readBytes(workingCopy), left);
            QLockFile free(QString::fromStdString(lock.string()));
            EXPECT_TRUE(free.tryLock(0));  // nobody holds it
            free.unlock();
            fs::remove(workingCopy);
            continue;
        }
        ASSERT_NE(main->Explorer(), nullptr);
        TUisFile& document = *main->Explorer()->Document();
        if (answer == PromptAnswer::Yes) {
            EXPECT_EQ(readBytes(workingCopy), left);
            EXPECT_EQ(document.ReadString("COLOURS", "Menu", ""), "9 9 9");
            EXPECT_TRUE(editorState().Modified);
            const QString changes = main->ChangesSinceSave();
            EXPECT_TRUE(changes.contains(QStringLiteral("\n+Menu=9 9 9"))) << changes.toStdString();
            // Undo gives the personality's own bytes back.
            main->History().Stack().undo();
            EXPECT_EQ(readBytes(workingCopy), file);
            EXPECT_FALSE(editorState().Modified);
        } else {
            EXPECT_EQ(readBytes(workingCopy), file);
            EXPECT_FALSE(editorState().Modified);
        }
        EXPECT_TRUE(main->FileCloseItemClick());
        EXPECT_FALSE(fs::exists(workingCopy));
    }
}

TEST_F(EditLossTest, SaveKeepsWhatAnotherProgramWroteToThePersonality)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    const std::string original = readBytes(skin);
    struct Case {
        const char* what;
        std::vector<PromptAnswer> answers;  // changed on disk, then the conflict question
        bool conflict;                      // the other program changes Menu too
        const char* menu;                   // Menu in the saved file (nullptr: not saved)
        bool othersKept;
    } cases[] = {
        {"keep both", {PromptAnswer::Yes}, false, "1 2 3", true},
        {"keep both, mine wins the conflict", {PromptAnswer::Yes, PromptAnswer::Yes}, true, "1 2 3", true},
        {"keep both, theirs wins the conflict", {PromptAnswer::Yes, PromptAnswer::No}, true, "7 7 7", true},
        {"keep both, cancelled at the conflict", {PromptAnswer::Yes, PromptAnswer::Cancel}, true, nullptr, true},
        {"overwrite", {PromptAnswer::No}, false, "1 2 3", false},
        {"cancel", {PromptAnswer::Cancel}, false, nullptr, true},
    };
    for (const Case& c : cases) {
        writeBytes(skin, original);
        auto main = openPersonality(skin);
        ASSERT_NE(main->Explorer(), nullptr) << c.what;
        TUisFile& document = *main->Explorer()->Document();
        document.WriteString("COLOURS", "Menu", "1 2 3");
        main->NotifyModification();
        // What `skinwrt set` does, a hundred times, while the editor has the skin open.
        ProfileFile outside(skin);
        outside.setDurable(false);
        for (int i = 0; i < 100; ++i)
            outside.writeString("Extra", "Key" + std::to_string(i), std::to_string(i * 7));
        if (c.conflict)
            outside.writeString("COLOURS", "Menu", "7 7 7");
        const std::string theirs = readBytes(skin);
        for (PromptAnswer answer : c.answers)
            prompts.answer(answer);
        main->FileSave();
        EXPECT_EQ(prompts.pendingAnswers(), 0u) << c.what;
        TUisFile saved(skin.string());
        if (!c.menu) {
            EXPECT_EQ(readBytes(skin), theirs) << c.what;
            EXPECT_TRUE(editorState().Modified) << c.what;
        } else {
            EXPECT_EQ(saved.ReadString("COLOURS", "Menu", ""), c.menu) << c.what;
            EXPECT_FALSE(editorState().Modified) << c.what;
            // The editor shows what the file now holds.
            EXPECT_EQ(document.ReadString("COLOURS", "Menu", ""), c.menu) << c.what;
            EXPECT_EQ(document.ReadString("Extra", "Key99", ""), c.othersKept ? "693" : "") << c.what;
            EXPECT_TRUE(main->ChangesSinceSave().isEmpty()) << c.what;
        }
        int kept = 0;
        for (int i = 0; i < 100; ++i)
            kept += saved.ReadString("Extra", "Key" + std::to_string(i), "") == std::to_string(i * 7);
        EXPECT_EQ(kept, c.othersKept ? 100 : 0) << c.what;
        if (editorState().Modified)
            prompts.answer(PromptAnswer::No);
        EXPECT_TRUE(main->FileCloseItemClick()) << c.what;
    }
}

TEST_F(EditLossTest, ComingBackToTheEditorOffersWhatAnotherProgramChangedOnce)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    const std::string original = readBytes(skin);
    for (PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
        SCOPED_TRACE(promptAnswerName(answer).toStdString());
        auto main = openPersonality(skin);
        ASSERT_NE(main->Explorer(), nullptr);
        TUisFile& document = *main->Explorer()->Document();
        const std::string menu = document.ReadString("COLOURS", "Menu", "");
        main->CheckOutsideChange();  // nothing changed: nothing asked
        EXPECT_TRUE(prompts.shown().empty());
        ProfileFile(skin).writeString("COLOURS", "Menu", "5 5 5");
        prompts.answer(answer);
        main->CheckOutsideChange();
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("File changed on disk"));
        main->CheckOutsideChange();  // the same change is not asked about again
        EXPECT_EQ(prompts.shown().size(), 1u);
        const bool taken = answer == PromptAnswer::Yes;
        EXPECT_EQ(document.ReadString("COLOURS", "Menu", ""), taken ? "5 5 5" : menu);
        EXPECT_EQ(readBytes(editorState().WorkingCopyPath), document.DiskBytes());
        // Taken in with nothing of the author's own: nothing to save.
        EXPECT_EQ(editorState().Modified, false);
        if (taken)
            EXPECT_TRUE(main->ChangesSinceSave().isEmpty());
        EXPECT_TRUE(main->FileCloseItemClick());
        prompts = ScriptedPrompts();
        writeBytes(skin, original);
    }
}

TEST_F(EditLossTest, EveryQuestionAboutUnsavedEditsCanBeCancelled)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    const fs::path other = engine / "Slate" / "Slate.uis";
    struct Case {
        const char* what;
        std::function<void(TMainForm&)> leave;
    } cases[] = {
        {"close", [](TMainForm& main) { EXPECT_FALSE(main.FileCloseItemClick()); }},
        {"open another", [&](TMainForm& main) {
             main.OpenFileName = QString::fromStdString(other.string());
             main.FileOpenRoutine();
         }},
        {"new skin", [&](TMainForm& main) {
             // The close question comes only once an entry of the gallery is chosen.
             fs::create_directories(program / "template");
             writeBytes(program / "template" / "templates.ini", "[General]\r\nTemplateCount=1\r\n[Template0]\r\nType=1\r\n");
             QTimer::singleShot(0, [] {
                 auto* gallery = qobject_cast<TNewSkinForm*>(QApplication::activeModalWidget());
                 ASSERT_NE(gallery, nullptr);
                 gallery->ChoiceNewListView->item(0)->setSelected(true);
                 gallery->Button1->click();
             });
             main.NewSkinClick();
         }},
        {"exit", [](TMainForm& main) { main.close(); }},
    };
    for (const Case& c : cases) {
        auto main = openPersonality(skin);
        ASSERT_NE(main->Explorer(), nullptr) << c.what;
        main->Explorer()->Document()->WriteString("COLOURS", "Menu", "1 2 3");
        main->NotifyModification();
        const std::string held = readBytes(editorState().WorkingCopyPath);
        prompts.answer(PromptAnswer::Cancel);
        c.leave(*main);
        EXPECT_EQ(prompts.shown().back().buttons, PromptButtons::YesNoCancel) << c.what;
        ASSERT_NE(main->Explorer(), nullptr) << c.what;
        EXPECT_EQ(editorState().DocumentPath, skin.string()) << c.what;
        EXPECT_TRUE(editorState().Modified) << c.what;
        EXPECT_EQ(readBytes(editorState().WorkingCopyPath), held) << c.what;
        prompts.answer(PromptAnswer::No);
        EXPECT_TRUE(main->FileCloseItemClick()) << c.what;
    }
    // In a real box, Escape is the answer that changes nothing.
    WidgetPrompts boxes;
    for (auto [buttons, expected] : {std::pair{PromptButtons::YesNoCancel, PromptAnswer::Cancel},
                                     std::pair{PromptButtons::YesNo, PromptAnswer::No}}) {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        });
        EXPECT_EQ(boxes.message(QStringLiteral("Save Changes to X?"), QStringLiteral("Confirm"), PromptIcon::Question,
                                buttons),
                  expected);
    }
}

TEST_F(EditLossTest, TextTypedOnTheCodePageIsAppliedBeforeAnyOtherChange)
{
    auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    explorer->ShowPage("TabSheetCodeView");
    QTextCursor cursor = explorer->CodeRichEdit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n[TYPED]\nKey=1\n"));
    cursor.setPosition(0);
    ASSERT_TRUE(explorer->CodeModified());
    // A change from another window while the text is not applied yet.
    explorer->ButtonDuplicate("Button2");
    explorer->ShowPage("TabSheetSection");
    QApplication::processEvents();
    TUisFile written(editorState().WorkingCopyPath);
    EXPECT_EQ(written.ReadString("TYPED", "Key", ""), "1");
    EXPECT_EQ(written.ButtonCount(), explorer->Document()->ButtonCount());
    EXPECT_TRUE(written.SectionExists("Button" + std::to_string(written.ButtonCount() - 1)));
    const QUndoStack& stack = main->History().Stack();
    ASSERT_GE(stack.count(), 2);
    EXPECT_EQ(stack.text(stack.count() - 2), QStringLiteral("Edit Code"));
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), explorer->Document()->DiskBytes());
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(main->FileCloseItemClick());
}

}  // namespace
}  // namespace sw
