// What keeps an author's work: undo and redo of every kind of change, one editor per
// working copy, a save that never writes less than the document holds, Save As that
// leaves the original alone, and a fresh selection for every opened document.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "editor/DocumentHistory.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"
#include "store/ProfileFile.h"

#include <QAction>
#include <QApplication>
#include <QSysInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using DocumentSafetyTest = EditorFixture;

Opened openSkin(EditorFixture& f, const fs::path& skin)
{
    Opened o{f.makeMain()};
    if (skin.filename() == "Parchment.uis")
        f.prompts.answer(PromptAnswer::Ok);  // the old-format warning
    o.main->OpenFileName = QString::fromStdString(skin.string());
    o.main->FileOpenRoutine();
    o.explorer = o.main->Explorer();
    return o;
}

QTreeWidgetItem* row(TUISExplorerForm* explorer, const QString& key)
{
    QTreeWidget* list = explorer->ListViewExplorer;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->data(0, Qt::UserRole + 2).toString().compare(key, Qt::CaseInsensitive) == 0)
            return list->topLevelItem(i);
    return nullptr;
}

TEST_F(DocumentSafetyTest, EveryKindOfChangeIsOneStepThatUndoesAndRedoesToTheByte)
{
    Opened o = openSkin(*this, engine / "Tidewater" / "Tidewater.uis");
    ASSERT_NE(o.explorer, nullptr);
    TMainForm& main = *o.main;
    TUISExplorerForm& explorer = *o.explorer;
    const std::string workingCopy = editorState().WorkingCopyPath;
    const std::string atOpen = readBytes(workingCopy);

    struct Case {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"typed value", [&] {
             explorer.AttributeSelect("TITLEBARSKIN", "SkinAuthor");
             QLineEdit* edit = main.Band()->EditAttrValue;
             for (const char* text : {"A", "An", "Ann"})
                 edit->setText(QString::fromLatin1(text));  // three keystrokes, one step
         }},
        {"colour channels", [&] {
             explorer.AttributeSelect("PERSONALITY", "ActiveTextG");
             main.Band()->SelectColour = [](Colour) { return std::optional<Colour>(1 + 2 * 256 + 3 * 65536); };
             main.Band()->BitBtnPickaColor->click();
         }},
        {"button drag", [&] {
             TPreviewForm* preview = explorer.PreviewActive();
             const QPoint press = preview->Buttons().Button(0).Layer.Rect.topLeft() + QPoint(2, 2);
             preview->ButtonMouseDown(0, press);
             preview->ButtonMouseMove(press + QPoint(-5, 1));
             preview->ButtonMouseUp(press + QPoint(-5, 1));
         }},
        {"size bar", [&] {
             TSizeBarForm* bar = main.SizeBar();
             bar->ShowFor(explorer.Document(), TSizeBarForm::EdgeTop, QRect(0, 100, 300, 30), 200, true);
             bar->Splitter->setSizes({30, 228, 40});
             bar->Splitter1Moved();
         }},
        {"current windows colours", [&] { main.Action(QStringLiteral("InsertCurrentWindowsColoursItem"))->trigger(); }},
        {"duplicate button", [&] { explorer.ButtonDuplicate("Button2"); }},
        {"remove button", [&] {
             prompts.answer(PromptAnswer::Yes);
             explorer.SectionRemove("Button1");
         }},
        {"remove section", [&] {
             prompts.answer(PromptAnswer::Yes);
             explorer.SectionRemove("PROGRESS");
         }},
        {"remove attribute", [&] {
             explorer.SectionChange("Fonts");
             explorer.ListViewExplorer->setCurrentItem(explorer.ListViewExplorer->topLevelItem(0));
             prompts.answer(PromptAnswer::Yes);
             explorer.PopupMenuAttributeList->findChild<QAction*>(QStringLiteral("PopupRemoveAttribute"))->trigger();
         }},
        {"reorder", [&] {
             explorer.SectionChange("TABS");
             QTreeWidget* list = explorer.ListViewExplorer;
             list->insertTopLevelItem(0, list->takeTopLevelItem(list->topLevelItemCount() - 1));
             emit explorer.ListViewExplorer->rowsReordered();
         }},
    };
    QUndoStack& stack = main.History().Stack();
    for (const Case& c : cases) {
        const std::string before = readBytes(workingCopy);
        const int steps = stack.count();
        c.change();
        const std::string after = readBytes(workingCopy);
        ASSERT_NE(after, before) << c.what;
        EXPECT_EQ(stack.count(), steps + 1) << c.what;
        EXPECT_TRUE(editorState().Modified) << c.what;
        main.Action(QStringLiteral("EditUndoItem"))->trigger();
        EXPECT_EQ(readBytes(workingCopy), before) << c.what;
        main.Action(QStringLiteral("EditRedoItem"))->trigger();
        EXPECT_EQ(readBytes(workingCopy), after) << c.what;
        // The document itself reads what the file holds again.
        EXPECT_EQ(explorer.Document()->DiskBytes(), after) << c.what;
    }
    // Back to the start: the bytes of the opening, nothing to save.
    while (stack.canUndo())
        main.Action(QStringLiteral("EditUndoItem"))->trigger();
    EXPECT_EQ(readBytes(workingCopy), atOpen);
    EXPECT_FALSE(editorState().Modified);
    EXPECT_FALSE(main.Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_EQ(TUisFile(workingCopy).ButtonCount(), 9);
    EXPECT_EQ(explorer.Document()->ReadString("TITLEBARSKIN", "SkinAuthor", ""), "Skinwright samples");
}

TEST_F(DocumentSafetyTest, UndoAfterASaveMarksTheDocumentModifiedAndCloseOrOpenClearsTheHistory)
{
    Opened o = openSkin(*this, engine / "Tidewater" / "Tidewater.uis");
    TMainForm& main = *o.main;
    o.explorer->ButtonDuplicate("Button0");
    main.FileSave();
    EXPECT_FALSE(editorState().Modified);
    EXPECT_TRUE(main.Action(QStringLiteral("EditUndoItem"))->isEnabled());
    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    EXPECT_TRUE(editorState().Modified);
    EXPECT_TRUE(main.Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_EQ(o.explorer->Document()->ButtonCount(), 9);
    main.Action(QStringLiteral("EditRedoItem"))->trigger();
    EXPECT_FALSE(editorState().Modified);  // back at what was saved

    main.Action(QStringLiteral("EditUndoItem"))->trigger();
    prompts.answer(PromptAnswer::No);
    main.FileCloseItemClick();
    EXPECT_EQ(main.History().Stack().count(), 0);
    EXPECT_FALSE(main.Action(QStringLiteral("EditUndoItem"))->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("EditRedoItem"))->isEnabled());
}

TEST_F(DocumentSafetyTest, ChangesSinceSaveShowTheChangedLinesUnderTheirSection)
{
    Opened o = openSkin(*this, engine / "Tidewater" / "Tidewater.uis");
    TMainForm& main = *o.main;
    EXPECT_EQ(main.ChangesSinceSave(), QString());
    o.explorer->Document()->WriteString("PROGRESS", "Height", "77");
    main.NotifyModification();
    const QString diff = main.ChangesSinceSave();
    EXPECT_TRUE(diff.startsWith(QStringLiteral("--- Tidewater.uis\n+++ Tidewater.uis (working copy)\n@@ -"))) << diff.toStdString();
    EXPECT_TRUE(diff.contains(QStringLiteral(" @@ [PROGRESS]\n"))) << diff.toStdString();
    EXPECT_TRUE(diff.contains(QStringLiteral("\n+Height=77\n"))) << diff.toStdString();
    // Saving tidies the file's blank lines; that is no change of the author's.
    main.FileSave();
    EXPECT_EQ(main.ChangesSinceSave(), QString());
    prompts.answer(PromptAnswer::No);
}

TEST_F(DocumentSafetyTest, ASecondEditorCannotTakeAWorkingCopyInUseButACrashedOnesLockIsTakenOver)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    const fs::path workingCopy = engine / "Tidewater" / "$$sw_temp_ini_file$$.tmp";
    const std::string lockPath = workingCopy.string() + ".lock";
    // The other editor: its lock and its working copy with edits of its own.
    writeBytes(workingCopy, "the other editor's edits");
    {
        QLockFile other(QString::fromStdString(lockPath));
        ASSERT_TRUE(other.tryLock(0));
        auto main = makeMain();
        prompts.answer(PromptAnswer::Ok);
        main->OpenFileName = QString::fromStdString(skin.string());
        main->FileOpenRoutine();
        EXPECT_EQ(main->Explorer(), nullptr);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_TRUE(text(0).startsWith(QStringLiteral("Unable to open ") + QString::fromStdString(skin.string())));
        EXPECT_TRUE(text(0).contains(QStringLiteral("already open in another Skinwright window")));
        EXPECT_EQ(readBytes(workingCopy), "the other editor's edits");
    }
    // A lock whose process is gone is taken over; the edits it left are only
    // replaced once the author says to discard them.
    writeBytes(lockPath, "2147480000\nskinwrt\n" + QSysInfo::machineHostName().toStdString() + "\n");
    prompts.answer(PromptAnswer::No);
    Opened o = openSkin(*this, skin);
    ASSERT_NE(o.explorer, nullptr);
    EXPECT_EQ(prompts.shown().back().caption, QStringLiteral("Recover changes"));
    EXPECT_EQ(readBytes(workingCopy), readBytes(skin));
    o.main->FileCloseItemClick();
    EXPECT_FALSE(fs::exists(lockPath));
    EXPECT_FALSE(fs::exists(workingCopy));
}

TEST_F(DocumentSafetyTest, AWorkingCopyRemovedOrChangedByAnotherProgramIsWrittenAgainFromTheDocument)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> meddle;
        bool editAfterwards;
    } cases[] = {
        {"removed, then edited", [](const fs::path& copy) { fs::remove(copy); }, true},
        {"rewritten short, then edited", [](const fs::path& copy) { writeBytes(copy, "[TITLEBARSKIN]\r\nVXVer=200\r\n"); }, true},
        {"rewritten short", [](const fs::path& copy) { writeBytes(copy, "[x]\r\n"); }, false},
        {"removed", [](const fs::path& copy) { fs::remove(copy); }, false},
    };
    for (const Case& c : cases) {
        Opened o = openSkin(*this, skin);
        ASSERT_NE(o.explorer, nullptr);
        TUisFile& document = *o.explorer->Document();
        const std::string workingCopy = editorState().WorkingCopyPath;
        document.WriteString("COLOURS", "Menu", "1 2 3");
        o.main->NotifyModification();
        const std::string held = document.DiskBytes();
        c.meddle(workingCopy);
        std::string expected = held;
        if (c.editAfterwards) {
            document.WriteString("COLOURS", "Menu", "4 5 6");
            o.main->NotifyModification();
            expected = iniSetValue(held, "COLOURS", "Menu", "4 5 6");
            // Never a stub: the whole document came back, with the new edit.
            EXPECT_EQ(readBytes(workingCopy), expected) << c.what;
            EXPECT_TRUE(o.explorer->StatusBar->currentMessage().contains(QStringLiteral("written again"))) << c.what;
        }
        const std::size_t shown = prompts.shown().size();
        o.main->FileSave();
        EXPECT_EQ(prompts.shown().size(), shown) << c.what;
        EXPECT_FALSE(editorState().Modified) << c.what;
        // The saved file holds every edit the editor shows.
        TUisFile saved(skin.string());
        EXPECT_EQ(saved.ReadString("COLOURS", "Menu", ""), c.editAfterwards ? "4 5 6" : "1 2 3") << c.what;
        EXPECT_EQ(saved.ReadString("TITLEBARSKIN", "SkinName", ""), "Tidewater") << c.what;
        EXPECT_EQ(readBytes(workingCopy), document.DiskBytes()) << c.what;
        o.main->FileCloseItemClick();
    }
}

TEST_F(DocumentSafetyTest, SaveAsPutsTheEditsIntoTheCopyAndLeavesTheOriginalAsItWas)
{
    const fs::path skin = engine / "Parchment" / "Parchment.uis";
    const std::string original = readBytes(skin);
    Opened o = openSkin(*this, skin);
    ASSERT_NE(o.explorer, nullptr);
    o.explorer->Document()->WriteString("TITLEBARSKIN", "FrameWidth", "6");
    o.main->NotifyModification();
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QStringLiteral("parchcopy"));
        modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("Parch Copy"));
        modal->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    prompts.answer(PromptAnswer::Ok);  // the copy opens with the old-format warning
    o.main->FileSaveAs();

    EXPECT_EQ(readBytes(skin), original);
    const fs::path copy = engine / "parchcopy" / "parchcopy.uis";
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(editorState().DocumentPath, copy.string());
    TUisFile saved(copy.string());
    EXPECT_EQ(saved.ReadString("TITLEBARSKIN", "SkinName", ""), "Parch Copy");
    EXPECT_EQ(saved.ReadString("TITLEBARSKIN", "FrameWidth", ""), "6");
    EXPECT_EQ(saved.ReadString("TITLEBARSKIN", "ActiveTitle", ""), "parchcopy\\title_on.bmp");
    EXPECT_EQ(readBytes(engine / "parchcopy" / "title_on.bmp"), readBytes(engine / "Parchment" / "title_on.bmp"));
    // Every reference the copy makes resolves inside its own folder.
    for (const ValidationFinding& finding : validate(saved, copy, engine).findings)
        EXPECT_EQ(finding.caption.find("File not found"), std::string::npos) << finding.caption;
    EXPECT_FALSE(fs::exists(engine / "Parchment" / "$$sw_temp_ini_file$$.tmp"));
    EXPECT_EQ(o.main->Explorer()->StatusBar->currentMessage(),
              QStringLiteral("Saved a copy in ") + QString::fromStdString((engine / "parchcopy").string()));
    EXPECT_FALSE(editorState().Modified);
}

TEST_F(DocumentSafetyTest, EveryOpenStartsWithAFreshSelectionAndTheListShowsItsSection)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    auto main = makeMain();
    for (int round = 0; round < 2; ++round) {
        main->OpenFileName = QString::fromStdString(skin.string());
        main->FileOpenRoutine();
        QTreeWidget* list = main->Explorer()->ListViewExplorer;
        EXPECT_GE(list->columnCount(), 2) << round;
        EXPECT_EQ(list->topLevelItemCount(), 6) << round;  // the root's TITLEBARSKIN keys
        main->FileCloseItemClick();
    }
    // A version-1 skin after a version-2 one.
    prompts.answer(PromptAnswer::Ok);
    main->OpenFileName = QString::fromStdString((engine / "Parchment" / "Parchment.uis").string());
    main->FileOpenRoutine();
    QTreeWidget* list = main->Explorer()->ListViewExplorer;
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Attribute"));
    TStrings keys;
    main->Explorer()->Document()->ReadSection("TITLEBARSKIN", keys);
    EXPECT_EQ(list->topLevelItemCount(), int(keys.size()));
    main->FileCloseItemClick();

    // Colours inserted while their section is shown appear in the list at once.
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    main->Explorer()->SectionChange("COLOURS");
    main->Action(QStringLiteral("InsertCurrentWindowsColoursItem"))->trigger();
    keys.clear();
    main->Explorer()->Document()->ReadSection("COLOURS", keys);
    EXPECT_EQ(main->Explorer()->ListViewExplorer->topLevelItemCount(), int(keys.size()));
    EXPECT_TRUE(row(main->Explorer(), QStringLiteral("InfoWindow")));
    prompts.answer(PromptAnswer::No);
}

}  // namespace
}  // namespace sw
