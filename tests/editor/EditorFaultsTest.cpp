// The editor's windows as a new user meets them: files opened from where the skin
// really is, the title and tree after a rename, buttons outside the count, recent
// entries whose file is gone, the Tab key, dialogs above the previews, the eyedropper
// on scaled screens, the size bar beside its preview, hot tracking and the list.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/ColorPicker.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "preview/PreviewForm.h"
#include "preview/SizeBar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using EditorFaultsTest = EditorFixture;

TEST_F(EditorFaultsTest, FilesOfASkinOutsideTheEngineFolderOpenFromWhereTheSkinIs)
{
    const fs::path elsewhere = dir.path() / "Documents";
    fs::create_directories(elsewhere);
    fs::copy(engine / "Tidewater", elsewhere / "Tidewater", fs::copy_options::recursive);
    auto main = openPersonality(elsewhere / "Tidewater" / "Tidewater.uis");
    main->Explorer()->AttributeSelect("PERSONALITY", "TOP");
    ValueEditorBand& band = *main->Band();
    ASSERT_EQ(band.EditFilename->currentText(), QStringLiteral("Tidewater\\top.bmp"));
    const QString top = QString::fromStdString((elsewhere / "Tidewater" / "top.bmp").string());

    band.BitBtnOpenFile->click();
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].target, top);
    EXPECT_EQ(recorder.calls()[0].verb, ShellVerb::Open);

    main->Settings().WriteBool("General", "EditButtonMode", true);
    main->Settings().WriteString("General", "CustomEditor", "painter");
    band.BitBtnEditFile->click();
    ASSERT_EQ(recorder.calls().size(), 2u);
    EXPECT_EQ(recorder.calls()[1].target, QStringLiteral("painter"));
    EXPECT_EQ(recorder.calls()[1].arguments, QStringList{top});

    // A program that does not start, and a file that is not there, are said.
    recorder.setResult(false);
    prompts.answer(PromptAnswer::Ok);
    band.BitBtnEditFile->click();
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("Unable to start painter for ") + top);
    fs::remove(elsewhere / "Tidewater" / "top.bmp");
    prompts.answer(PromptAnswer::Ok);
    band.BitBtnOpenFile->click();
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("File not found: ") + top);
    EXPECT_EQ(recorder.calls().size(), 3u);
    prompts.answer(PromptAnswer::No);
}

TEST_F(EditorFaultsTest, ARenameShowsInTitleAndTreeAndTheBandNamesTheAttribute)
{
    auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
    main->Explorer()->AttributeSelect("TITLEBARSKIN", "SkinName");
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("LabelEditedAttribute"))->text(),
              QStringLiteral("[TITLEBARSKIN] SkinName"));
    main->Band()->EditAttrValue->setText(QStringLiteral("Low Tide"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Skinwright  -  Low Tide *"));
    QTreeWidgetItem* root = main->Explorer()->TreeViewSectionExplorer->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Low Tide"));
    // The root still stands for TITLEBARSKIN after the rename.
    main->Explorer()->SectionChange("PERSONALITY");
    main->Explorer()->TreeViewSectionExplorer->setCurrentItem(root);
    EXPECT_EQ(editorState().CurrentSection, "TITLEBARSKIN");
    main->FileSave();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Skinwright  -  Low Tide"));
}

TEST_F(EditorFaultsTest, AButtonSectionOutsideTheCountIsRemovedAloneAndMenusActOnlyWhereTheyWork)
{
    const fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    writeBytes(skin, readBytes(skin) + "\r\n[Button12]\r\nAction=1\r\n");
    auto main = openPersonality(skin);
    for (const char* name : {"EditUndoItem", "EditRedoItem", "EditCutItem", "EditCopyItem", "EditPasteItem",
                             "ToolButtonCut", "ToolButtonUndo"})
        EXPECT_FALSE(main->Action(QString::fromLatin1(name))->isEnabled()) << name;
    prompts.answer(PromptAnswer::Yes);
    main->Explorer()->SectionRemove("Button12");
    TUisFile& document = *main->Explorer()->Document();
    EXPECT_FALSE(document.SectionExists("Button12"));
    EXPECT_TRUE(document.SectionExists("Button8"));
    EXPECT_EQ(document.ButtonCount(), 9);
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), readBytes(skin).substr(0, readBytes(skin).size() - 22));
    EXPECT_TRUE(main->Action(QStringLiteral("EditUndoItem"))->isEnabled());
    EXPECT_FALSE(main->Action(QStringLiteral("EditCutItem"))->isEnabled());
    prompts.answer(PromptAnswer::No);
}

TEST_F(EditorFaultsTest, ARecentEntryWhoseFileIsGoneIsSaidAndDropped)
{
    auto main = makeMain();
    TAcceleratedIniFile& settings = main->Settings();
    settings.WriteString("RecentlyUsed", "RecentName0", "Gone");
    settings.WriteString("RecentlyUsed", "RecentFile0", (engine / "Gone" / "Gone.uis").string());
    settings.WriteString("RecentlyUsed", "RecentName1", "Tidewater");
    settings.WriteString("RecentlyUsed", "RecentFile1", (engine / "Tidewater" / "Tidewater.uis").string());
    main->LoadRecentList();
    prompts.answer(PromptAnswer::Ok);
    main->RecentItemClick(0);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(text(0), QStringLiteral("File not found."));
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Caution"));
    EXPECT_EQ(main->Explorer(), nullptr);
    EXPECT_EQ(settings.ReadString("RecentlyUsed", "RecentName0", ""), "Tidewater");
    EXPECT_EQ(settings.ReadString("RecentlyUsed", "RecentFile1", "none"), "none");
    EXPECT_EQ(main->Action(QStringLiteral("Recent0"))->text(),
              QStringLiteral("&0 Tidewater  (") + QString::fromStdString((engine / "Tidewater").string()) +
                  QStringLiteral(")"));
    EXPECT_FALSE(main->Action(QStringLiteral("Recent1"))->isVisible());
}

TEST_F(EditorFaultsTest, TabHidesThePreviewsOnlyWhereNoControlTakesIt)
{
    auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QAction* hideAll = main->Action(QStringLiteral("WindowHideAllItem"));
    QTreeWidget* tree = main->Explorer()->TreeViewSectionExplorer;
    tree->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), tree);
    QTest::keyClick(tree, Qt::Key_Tab);
    EXPECT_TRUE(hideAll->isChecked());
    QTest::keyClick(tree, Qt::Key_Tab);
    EXPECT_FALSE(hideAll->isChecked());

    main->Explorer()->AttributeSelect("TITLEBARSKIN", "SkinAuthor");
    QLineEdit* edit = main->Band()->EditAttrValue;
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_FALSE(hideAll->isChecked());
    EXPECT_NE(QApplication::focusWidget(), edit);
}

TEST_F(EditorFaultsTest, APreviewOnTopStepsBackWhileADialogIsModal)
{
    auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
    TPreviewForm* preview = main->Explorer()->PreviewActive();
    main->Explorer()->SetPreviewsOnTop(true);
    ASSERT_TRUE(preview->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QDialog dialog(main.get());
    dialog.setModal(true);
    dialog.show();
    EXPECT_FALSE(preview->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(preview->isVisible());
    dialog.close();
    EXPECT_TRUE(preview->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(EditorFaultsTest, TheSizeBarFollowsItsPreviewAndGoesWhenItIsDeactivated)
{
    auto main = openPersonality(engine / "Tidewater" / "Tidewater.uis");
    TPreviewForm* preview = main->Explorer()->PreviewActive();
    emit preview->SizeBarRequested(TSizeBarForm::EdgeTop);
    TSizeBarForm* bar = main->SizeBar();
    ASSERT_TRUE(bar->isVisible());
    const QPoint before = bar->pos();
    preview->move(preview->pos() + QPoint(30, 12));
    EXPECT_EQ(bar->pos(), before + QPoint(30, 12));
    emit main->Explorer()->PreviewInactive()->Deactivated();
    EXPECT_TRUE(bar->isVisible());  // not the bar's preview
    emit preview->Deactivated();
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(EditorFaultsTest, HotTrackingFollowsTheSettingAndCutOffCellsHaveTips)
{
    for (bool on : {true, false}) {
        auto main = makeMain();
        main->Settings().WriteBool("General", "AttributesHotTrack", on);
        main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
        main->FileOpenRoutine();
        AttributeListView* list = main->Explorer()->ListViewExplorer;
        EXPECT_EQ(list->viewport()->cursor().shape(), on ? Qt::PointingHandCursor : Qt::ArrowCursor) << on;
        EXPECT_EQ(list->viewport()->testAttribute(Qt::WA_Hover), on) << on;
        main->Explorer()->SectionChange("PERSONALITY");
        // The names fit, unless that would take more than two fifths of the list.
        const int limit = std::max(80, list->viewport()->width() * 2 / 5);
        EXPECT_EQ(list->columnWidth(0), std::min(std::max(100, list->ContentWidth(0)), limit)) << on;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            for (int column = 0; column < list->columnCount(); ++column)
                EXPECT_EQ(list->topLevelItem(i)->toolTip(column), list->topLevelItem(i)->text(column));
        main->FileCloseItemClick();
    }
}

TEST(Eyedropper, SamplesDevicePixelsUnderALogicalCursor)
{
    // A screen of 40 x 20 device pixels at twice the logical density.
    QImage screen(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            screen.setPixel(x, y, qRgb(x, y, 7));
    screen.setDevicePixelRatio(2.0);
    TfrmPickColor picker(screen);
    EXPECT_EQ(picker.size(), QSize(20, 10));
    struct Case {
        QPoint logical;
        Colour expected;
    } cases[] = {{{0, 0}, Colour(0 + 0 * 256 + 7 * 65536)},
                 {{5, 3}, Colour(10 + 6 * 256 + 7 * 65536)},
                 {{19, 9}, Colour(38 + 18 * 256 + 7 * 65536)}};
    for (const Case& c : cases) {
        picker.MouseAt(c.logical.x(), c.logical.y());
        EXPECT_EQ(picker.PickedColour(), c.expected) << c.logical.x() << "," << c.logical.y();
    }
}

}  // namespace
}  // namespace sw
