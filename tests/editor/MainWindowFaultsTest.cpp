// The main window's toggles, keys and records agree with what they stand for: the
// palette goes and comes with the previews, toggles start as their checks say, the
// previews never take the focus, messages stay readable and the recent list records
// what is on disk.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "document/DocumentFiles.h"
#include "editor/DocumentHistory.h"
#include "editor/FrmLayers.h"
#include "editor/UISExplorerForm.h"
#include "preview/PreviewForm.h"
#include "store/AcceleratedIniFile.h"
#include "store/ProfileFile.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using MainWindowFaultsTest = EditorFixture;

TEST_F(MainWindowFaultsTest, HidingThePreviewsHidesAndRestoresTheButtonPaletteWithThem)
{
    auto main = openTidewater().main;
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    ASSERT_NE(explorer->Layers(), nullptr);
    if (!main->Action(QStringLiteral("WindowButtonPaletteShow"))->isChecked())
        main->Action(QStringLiteral("WindowButtonPaletteShow"))->trigger();
    ASSERT_TRUE(explorer->Layers()->isVisible());
    QAction* hideAll = main->Action(QStringLiteral("WindowHideAllItem"));
    hideAll->trigger();
    EXPECT_FALSE(explorer->PreviewsVisible());
    EXPECT_FALSE(explorer->Layers()->isVisible());
    hideAll->trigger();
    EXPECT_TRUE(explorer->PreviewsVisible());
    EXPECT_TRUE(explorer->Layers()->isVisible());
    EXPECT_TRUE(main->Action(QStringLiteral("WindowButtonPaletteShow"))->isChecked());
    // A palette that was closed stays closed.
    main->Action(QStringLiteral("WindowButtonPaletteShow"))->trigger();
    hideAll->trigger();
    hideAll->trigger();
    EXPECT_FALSE(explorer->Layers()->isVisible());
}

TEST_F(MainWindowFaultsTest, PreviewsShownAgainDoNotTakeTheFocusAndShowTheirHintsInTheBackground)
{
    auto main = openTidewater().main;
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    main->Action(QStringLiteral("WindowPreviewAlwaysonTopItem"))->trigger();
    for (TPreviewForm* preview : {explorer->PreviewActive(), explorer->PreviewInactive()}) {
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(preview->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_TRUE(preview->testAttribute(Qt::WA_AlwaysShowToolTips));
    }
    // The hidden "Show Preview" item still answers its key.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main.get(), Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(explorer->PreviewsVisible());
    QTest::keyClick(main.get(), Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(explorer->PreviewsVisible());
}

TEST_F(MainWindowFaultsTest, ThePreviewsFollowEveryChangeAndShowANewButton)
{
    auto main = openTidewater().main;
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    TPreviewForm* previews[] = {explorer->PreviewActive(), explorer->PreviewInactive()};
    // What an insertion does: the value is written, then the change is recorded.
    explorer->Document()->WriteString("PERSONALITY", "FrontString", "ZZ-");
    main->NotifyModification(QStringLiteral("Insert Attribute"));
    for (TPreviewForm* preview : previews)
        QTRY_VERIFY(preview->Scene()->Layer("LabelFormCaption").Text.startsWith(QStringLiteral("ZZ-Tidewater")));
    const int count = explorer->Document()->ButtonCount();
    explorer->ButtonDuplicate("Button2");
    for (TPreviewForm* preview : previews) {
        ASSERT_EQ(preview->Buttons().Count(), count + 1);
        EXPECT_TRUE(preview->Buttons().Button(count).Layer.Visible);
    }
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(main->FileCloseItemClick());
}

TEST_F(MainWindowFaultsTest, TheMainWindowsKeysWorkWhileAPreviewOrThePaletteHasTheFocus)
{
    auto main = openTidewater().main;
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    ASSERT_NE(explorer->Layers(), nullptr);
    explorer->ShowLayers(true);
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    QUndoStack& stack = main->History().Stack();
    int round = 0;
    for (QWidget* window : std::initializer_list<QWidget*>{explorer->PreviewActive(), explorer->PreviewInactive(),
                                                           explorer->Layers()}) {
        SCOPED_TRACE(window->objectName().toStdString());
        const std::string menu = "1 2 " + std::to_string(++round);
        explorer->Document()->WriteString("COLOURS", "Menu", menu);
        main->NotifyModification();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        const int index = stack.index();
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(stack.index(), index - 1);
        QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(stack.index(), index);
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(editorState().Modified);
        EXPECT_NE(readBytes(skin).find("Menu=" + menu + "\r\n"), std::string::npos);
    }
}

TEST_F(MainWindowFaultsTest, WithoutTheSavedDesktopStateEveryToggleStartsAtItsDefaultAndSaysSo)
{
    writeBytes(dir.path() / "sw.ini",
               "[General]\r\nDesktopState=0\r\nShowRullers=0\r\nPreviewOnTop=0\r\nShowDescriptions=0\r\n");
    auto main = makeMain();
    for (const char* toggle : {"WindowShowRulers", "ToolButtonRulers", "WindowPreviewAlwaysonTopItem",
                               "ToolButtonOnTop", "WindowDescriptionsItem"})
        EXPECT_TRUE(main->Action(QString::fromLatin1(toggle))->isChecked()) << toggle;
    EXPECT_TRUE(editorState().RulersVisible);
}

TEST_F(MainWindowFaultsTest, MessagesOfTheExplorerStayAfterTheTreeReloads)
{
    auto main = openTidewater().main;
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    explorer->Document()->WriteString("Button12", "Action", "1");
    main->NotifyModification();
    prompts.answer(PromptAnswer::Yes);
    explorer->SectionRemove("Button12");
    QApplication::processEvents();
    EXPECT_EQ(explorer->StatusBar->currentMessage(),
              QStringLiteral("[Button12] was removed as a plain section: it is not one of the 9 counted buttons, so "
                             "none was renumbered."));
    // On the root there is no section to add an attribute to.
    explorer->SelectRoot();
    EXPECT_FALSE(main->Action(QStringLiteral("InsertAttributeItem"))->isEnabled());
    explorer->SectionChange("COLOURS");
    EXPECT_TRUE(main->Action(QStringLiteral("InsertAttributeItem"))->isEnabled());
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(main->FileCloseItemClick());
}

TEST_F(MainWindowFaultsTest, TheRecentListRecordsTheNameTheFileHasOnDisk)
{
    auto main = openTidewater().main;
    ASSERT_NE(main->Explorer(), nullptr);
    main->Explorer()->Document()->WriteString("TITLEBARSKIN", "SkinName", "Discarded");
    main->NotifyModification();
    prompts.answer(PromptAnswer::No);
    ASSERT_TRUE(main->FileCloseItemClick());
    const auto recent = loadRecentList(main->Settings(), 10);
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent[0].name, "Tidewater");
    EXPECT_EQ(recent[0].file, (engine / "Tidewater" / "Tidewater.uis").string());
}

TEST_F(MainWindowFaultsTest, OpeningAFileThatIsNotThereClosesNothing)
{
    auto main = openTidewater().main;
    ASSERT_NE(main->Explorer(), nullptr);
    main->Explorer()->Document()->WriteString("COLOURS", "Menu", "1 2 3");
    main->NotifyModification();
    const fs::path missing = engine / "Gone" / "Gone.uis";
    main->OpenFileName = QString::fromStdString(missing.string());
    prompts.answer(PromptAnswer::Ok);
    main->FileOpenRoutine();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text,
              QStringLiteral("Unable to open ") + QString::fromStdString(missing.string()) +
                  QStringLiteral("\n\nThere is no such file."));
    ASSERT_NE(main->Explorer(), nullptr);
    EXPECT_EQ(editorState().DocumentPath, (engine / "Tidewater" / "Tidewater.uis").string());
    EXPECT_TRUE(editorState().Modified);
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(main->FileCloseItemClick());
}

}  // namespace
}  // namespace sw
