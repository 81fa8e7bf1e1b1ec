// The personality explorer and the main window's menus on the sample skins.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/UISExplorerForm.h"
#include "editor/ValueEditorBand.h"
#include "preview/PreviewForm.h"
#include "store/AcceleratedIniFile.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

using ExplorerTest = EditorFixture;

std::string outline(const QTreeWidgetItem* item)
{
    std::string text = item->text(0).toStdString();
    if (item->childCount() > 0) {
        text += "[";
        for (int i = 0; i < item->childCount(); ++i)
            text += (i ? ", " : "") + outline(item->child(i));
        text += "]";
    }
    return text;
}

std::vector<std::string> keysOf(TUisFile& document, const std::string& section)
{
    TStrings keys;
    document.ReadSection(section, keys);
    return keys;
}

// Opens a sample; Slate carries author notes, which are shown on opening.
Opened open(EditorFixture& f, std::unique_ptr<TMainForm> main, const fs::path& skin)
{
    if (skin.filename() == "Slate.uis")
        f.prompts.answer(PromptAnswer::Ok);
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    TUISExplorerForm* explorer = main->Explorer();
    return {std::move(main), explorer};
}

TEST_F(ExplorerTest, TheSampleSkinsTreeFollowsTheCatalogue)
{
    Opened o = open(*this, makeMain(), engine / "Tidewater" / "Tidewater.uis");
    ASSERT_NE(o.explorer, nullptr);
    QTreeWidget* tree = o.explorer->TreeViewSectionExplorer;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(outline(tree->topLevelItem(0)),
              "Tidewater[Dialog controls[Progress bar, Push buttons and boxes, Scroll bars[Horizontal thumb, "
              "Horizontal track, Scroll bar arrows, Vertical thumb, Vertical track], Tabs], System colours, "
              "Title-bar buttons[Button0, Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, "
              "Clock, Colour0, Font0, Layout0, Script0], Window frame[Caption 3-D text, Caption font]]");
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());

    // Plain names when descriptive names are off.
    o.main->FileCloseItemClick();
    o.main->Settings().WriteBool("General", "DescriptiveNames", false);
    editorState().DescriptiveNames = false;
    Opened plain = open(*this, std::move(o.main), engine / "Slate" / "Slate.uis");
    EXPECT_EQ(plain.explorer->TreeViewSectionExplorer->topLevelItem(0)->text(0), QStringLiteral("Slate"));
    EXPECT_NE(outline(plain.explorer->TreeViewSectionExplorer->topLevelItem(0)).find("BORDERS"), std::string::npos);
}

TEST_F(ExplorerTest, RowsOfAButtonSectionAndOfTheFrame)
{
    Opened o = open(*this, makeMain(), engine / "Tidewater" / "Tidewater.uis");
    o.explorer->SectionChange("button0");
    EditorState& state = editorState();
    EXPECT_EQ(state.CurrentSection, "Button0");
    EXPECT_EQ(state.DefinitionSection, "Button");
    EXPECT_EQ(state.CurrentButton, 0);
    EXPECT_TRUE(o.main->Action(QStringLiteral("EditDuplicateButtonItem"))->isEnabled());
    QTreeWidget* list = o.explorer->ListViewExplorer;
    TUisFile& document = *o.explorer->Document();
    std::vector<std::string> keys = keysOf(document, "Button0");
    ASSERT_EQ(list->topLevelItemCount(), int(keys.size()));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        std::string key = keys[std::size_t(i)];
        std::string raw = document.ReadString("Button0", key, "");
        EXPECT_EQ(row->data(0, Qt::UserRole + 2).toString().toStdString(), key);
        EXPECT_EQ(row->data(0, Qt::UserRole + 1).toString().toStdString(), raw);
        EXPECT_EQ(row->text(0).toStdString(), document.AttributeDisplayName("Button0", key, key));
        EXPECT_EQ(row->text(1).toStdString(), document.ValueForDisplay("Button0", key, raw));
        EXPECT_EQ(row->text(2).toStdString(), document.AttributeDescription("Button", key, "Unknown"));
    }
    EXPECT_EQ(o.explorer->StatusBar->currentMessage().toStdString(),
              document.Definition().ReadString("Root,Button0", "Description", "Unknown"));

    o.explorer->SectionChange("PERSONALITY");
    EXPECT_EQ(state.CurrentButton, -1);
    EXPECT_FALSE(o.main->Action(QStringLiteral("EditDuplicateButtonItem"))->isEnabled());
    EXPECT_EQ(list->topLevelItemCount(), int(keysOf(document, "PERSONALITY").size()));
    EXPECT_EQ(list->topLevelItem(0)->data(0, Qt::UserRole + 2).toString(), QStringLiteral("ButtonCount"));

    // Without descriptions there are two columns, with their own stored widths.
    o.main->Action(QStringLiteral("WindowDescriptionsItem"))->trigger();
    EXPECT_EQ(list->columnCount(), 2);
    list->setColumnWidth(0, 150);
    o.main->Action(QStringLiteral("WindowDescriptionsItem"))->trigger();
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(o.main->Settings().ReadInteger("ExplorerColumns", "NoDescriptions1", 0), 150);
    EXPECT_EQ(o.main->Settings().ReadString("General", "ShowDescriptions", ""), "1");
}

TEST_F(ExplorerTest, DeletingAndDuplicatingButtonsRenumbersThem)
{
    Opened o = open(*this, makeMain(), engine / "Slate" / "Slate.uis");  // three buttons, count in CAPTION
    TUisFile& document = *o.explorer->Document();
    ASSERT_EQ(document.ButtonCount(), 3);
    std::string button2 = document.ReadString("Button2", "ButtonImage", "");
    prompts.answer(PromptAnswer::Yes);
    o.explorer->SectionRemove("Button1");
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("Do you really want to remove [Button1] section?"));
    EXPECT_EQ(prompts.shown().back().caption, QStringLiteral("Caution!"));
    EXPECT_EQ(document.ButtonCount(), 2);
    EXPECT_EQ(document.ReadString("Button1", "ButtonImage", ""), button2);
    EXPECT_FALSE(document.SectionExists("Button2"));
    EXPECT_TRUE(editorState().Modified);

    o.explorer->ButtonDuplicate("Button0");
    EXPECT_EQ(document.ButtonCount(), 3);
    TStrings first, copy;
    document.ReadSectionValues("Button0", first);
    document.ReadSectionValues("Button2", copy);
    EXPECT_EQ(first, copy);
    EXPECT_EQ(editorState().CurrentSection, "Button2");

    // "Buttons" is an ordinary section: erased, never renumbered.
    prompts.answer(PromptAnswer::Yes);
    o.explorer->SectionRemove("BUTTONS");
    EXPECT_FALSE(document.SectionExists("BUTTONS"));
    EXPECT_EQ(document.ButtonCount(), 3);
    // No keeps everything.
    std::string before = readBytes(editorState().WorkingCopyPath);
    prompts.answer(PromptAnswer::No);
    o.explorer->SectionRemove("Button0");
    EXPECT_EQ(readBytes(editorState().WorkingCopyPath), before);
    prompts.answer(PromptAnswer::No);
}

TEST_F(ExplorerTest, RemovingAnAttributeAsksAndDeletesOneLine)
{
    Opened o = open(*this, makeMain(), engine / "Misnamed" / "Harbour.uis");
    o.explorer->SectionChange("TITLEBARSKIN");
    QTreeWidget* list = o.explorer->ListViewExplorer;
    std::string before = readBytes(editorState().WorkingCopyPath);
    QTreeWidgetItem* row = list->topLevelItem(1);
    std::string key = row->data(0, Qt::UserRole + 2).toString().toStdString();
    std::string line = key + "=" + o.explorer->Document()->ReadString("TITLEBARSKIN", key, "") + "\r\n";
    const QString caption = row->text(0);
    list->setCurrentItem(row);
    QAction* remove = o.explorer->PopupMenuAttributeList->findChild<QAction*>(QStringLiteral("PopupRemoveAttribute"));
    prompts.answer(PromptAnswer::Yes);
    remove->trigger();
    EXPECT_EQ(prompts.shown().back().text,
              QStringLiteral("Do you really want to remove '") + caption + QStringLiteral("' Attribute?"));
    std::string after = readBytes(editorState().WorkingCopyPath);
    std::size_t at = before.find(line);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(after, before.substr(0, at) + before.substr(at + line.size()));
    prompts.answer(PromptAnswer::No);
}

TEST_F(ExplorerTest, ReorderingRewritesTheKeysAndCollapsesDuplicates)
{
    writeBytes(engine / "Misnamed" / "Harbour.uis",
               readBytes(engine / "Misnamed" / "Harbour.uis") + "\r\n[Order]\r\na=1\r\nb=2\r\nA=3\r\nc=4\r\n");
    Opened o = open(*this, makeMain(), engine / "Misnamed" / "Harbour.uis");
    o.explorer->SectionChange("Order");
    QTreeWidget* list = o.explorer->ListViewExplorer;
    ASSERT_EQ(list->topLevelItemCount(), 4);
    // Move "c" to the top, as a drop does, and let the list report it.
    QTreeWidgetItem* c = list->takeTopLevelItem(3);
    list->insertTopLevelItem(0, c);
    emit o.explorer->ListViewExplorer->rowsReordered();
    TStrings entries;
    o.explorer->Document()->ReadSectionValues("Order", entries);
    // A row shows what a read of its key gives: the first of the duplicates, "a=1";
    // rewriting "A" then changes only that value, so the key keeps the file's "a".
    EXPECT_EQ(entries, (TStrings{"c=4", "a=1", "b=2"}));
    EXPECT_NE(readBytes(editorState().WorkingCopyPath).find("[Order]\r\nc=4\r\na=1\r\nb=2\r\n"), std::string::npos);
    prompts.answer(PromptAnswer::No);
}

TEST_F(ExplorerTest, ThePopUpMenuShowsTheEditAsItemsOfTheType)
{
    writeBytes(engine / "Misnamed" / "Harbour.uis",
               readBytes(engine / "Misnamed" / "Harbour.uis") + "\r\n[Colours]\r\nActiveTitle=1 2 3\r\nStrange=1\r\n");
    Opened o = open(*this, makeMain(), engine / "Misnamed" / "Harbour.uis");
    TUisFile& document = *o.explorer->Document();
    QTreeWidget* list = o.explorer->ListViewExplorer;
    auto visibleItems = [&] {
        std::vector<std::string> names;
        for (QAction* action : o.explorer->PopupMenuAttributeList->actions())
            if (action->isVisible() && !action->isSeparator())
                names.push_back(action->objectName().toStdString());
        return names;
    };
    struct Case {
        const char* section;
        const char* key;
        std::vector<std::string> items;
    } cases[] = {
        {"Colours", "Strange", {"EditAsString", "EditAsInteger", "EditAsFile", "EditAsBoolean", "EditAsFullColor",
                                "PopupAddAttribute", "PopupRemoveAttribute", "PopupDescribeAttribute"}},
        {"TITLEBARSKIN", "SkinName", {"EditAsString", "EditAsFile", "PopupAddAttribute", "PopupRemoveAttribute",
                                      "PopupDescribeAttribute"}},
    };
    for (const Case& c : cases) {
        o.explorer->AttributeSelect(c.section, c.key);
        ASSERT_NE(list->currentItem(), nullptr) << c.key;
        list->setFocus();
        QPoint inside = list->visualItemRect(list->currentItem()).center();
        emit list->customContextMenuRequested(inside);
        EXPECT_EQ(visibleItems(), c.items) << c.key;
        o.explorer->PopupMenuAttributeList->hide();
    }
    // The tree's menu offers the section items; the removal is off for a section the
    // catalogue calls mandatory.
    o.explorer->SelectRoot();
    emit o.explorer->TreeViewSectionExplorer->customContextMenuRequested(QPoint(5, 5));
    auto find = [&](const char* name) {
        return o.explorer->PopupMenuAttributeList->findChild<QAction*>(QString::fromLatin1(name));
    };
    EXPECT_TRUE(find("PopupOpenSection")->isVisible());
    EXPECT_TRUE(find("PopupRemoveSection")->isVisible());
    EXPECT_EQ(find("PopupRemoveSection")->isEnabled(),
              document.Definition().ReadInteger("Root,TITLEBARSKIN", "Optional", 1) == 1);
    EXPECT_FALSE(find("PopupRemoveAttribute")->isVisible());
    o.explorer->PopupMenuAttributeList->hide();
}

TEST_F(ExplorerTest, MenusShortcutsAndDynamicEntries)
{
    writeBytes(dir.path() / "sw.ini", "[SkinLibraries]\r\nName1=One\r\nURL1=https://one.example\r\nName3=Three\r\n"
                                      "URL3=https://three.example\r\n[Tools]\r\nURL1=tool.exe\r\n");
    auto main = makeMain();
    QMenu* libraries = main->findChild<QMenu*>(QStringLiteral("HelpSkinSitesItem"));
    ASSERT_NE(libraries, nullptr);
    ASSERT_EQ(libraries->actions().size(), 1);  // the gap at 2 ends the list
    EXPECT_EQ(libraries->actions()[0]->text(), QStringLiteral("One"));
    libraries->actions()[0]->trigger();
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].target, QStringLiteral("https://one.example"));
    QMenu* tools = main->findChild<QMenu*>(QStringLiteral("MenuTools"));
    QAction* tool = tools->actions().back();
    EXPECT_EQ(tool->text(), QStringLiteral("UNDEFINED"));
    tool->trigger();
    EXPECT_EQ(recorder.calls().back().target, QString::fromStdString((program / "tool.exe").string()));

    EXPECT_EQ(main->Action(QStringLiteral("WindowHideAllItem"))->shortcut(), QKeySequence(Qt::Key_Tab));
    EXPECT_EQ(main->Action(QStringLiteral("FileSaveItem"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    // Ctrl+D: "Show Descriptions" normally, "Duplicate Button" while a button is selected.
    EXPECT_EQ(main->Action(QStringLiteral("WindowDescriptionsItem"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    Opened o = open(*this, std::move(main), engine / "Tidewater" / "Tidewater.uis");
    o.explorer->SectionChange("Button3");
    EXPECT_EQ(o.main->Action(QStringLiteral("EditDuplicateButtonItem"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_TRUE(o.main->Action(QStringLiteral("WindowDescriptionsItem"))->shortcut().isEmpty());
    o.explorer->SectionChange("COLOURS");
    EXPECT_EQ(o.main->Action(QStringLiteral("WindowDescriptionsItem"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));

    // The document menus appear with a document and go with it.
    QMenu* edit = o.main->findChild<QMenu*>(QStringLiteral("MenuEdit"));
    EXPECT_TRUE(edit->menuAction()->isVisible());
    o.main->FileCloseItemClick();
    EXPECT_FALSE(edit->menuAction()->isVisible());
    EXPECT_FALSE(o.main->Action(QStringLiteral("ToolButtonApply"))->isEnabled());
}

TEST_F(ExplorerTest, PreviewsComeWithTheirFormatsAndFollowEditsAtTheNextSelection)
{
    Opened o = open(*this, makeMain(), engine / "Tidewater" / "Tidewater.uis");
    ASSERT_NE(o.explorer->PreviewActive(), nullptr);
    ASSERT_NE(o.explorer->PreviewInactive(), nullptr);
    EXPECT_TRUE(o.explorer->PreviewActive()->IsActivePreview());
    EXPECT_FALSE(o.explorer->PreviewInactive()->IsActivePreview());
    EXPECT_TRUE(o.explorer->PreviewsVisible());
    ASSERT_NE(o.explorer->PreviewActive()->Scene(), nullptr);

    QSignalSpy composed(o.explorer->PreviewActive(), &TPreviewForm::Composed);
    o.explorer->AttributeSelect("PERSONALITY", "TextShift");
    o.main->Band()->EditNumber->setText(QStringLiteral("4"));
    o.main->Band()->EditNumber->setText(QStringLiteral("40"));
    EXPECT_EQ(composed.count(), 0);  // not inside the keystroke
    EXPECT_TRUE(QTest::qWaitFor([&] { return composed.count() > 0; }, 2000));
    EXPECT_EQ(composed.count(), 1);  // one rebuild for both keys
    o.explorer->AttributeSelect("PERSONALITY", "AniRate");
    EXPECT_EQ(composed.count(), 1);  // already shown

    o.main->Action(QStringLiteral("WindowHideAllItem"))->trigger();
    EXPECT_FALSE(o.explorer->PreviewsVisible());
    o.main->Action(QStringLiteral("WindowHideAllItem"))->trigger();
    EXPECT_TRUE(o.explorer->PreviewsVisible());
    prompts.answer(PromptAnswer::No);
    o.main->FileCloseItemClick();

    prompts.answer(PromptAnswer::Ok);  // the old-format warning
    Opened old = open(*this, std::move(o.main), engine / "Parchment" / "Parchment.uis");
    EXPECT_EQ(old.explorer->PreviewActive(), nullptr);
}

TEST_F(ExplorerTest, CurrentWindowsColoursWritesTwentyFiveKeys)
{
    Opened o = open(*this, makeMain(), engine / "Slate" / "Slate.uis");
    TUisFile& document = *o.explorer->Document();
    o.main->Action(QStringLiteral("InsertCurrentWindowsColoursItem"))->trigger();
    const QPalette palette = QApplication::palette();
    const char* keys[] = {"ActiveBorder", "InactiveBorder", "ActiveTitle", "InactiveTitle", "TitleText",
                          "InactiveTitleText", "ButtonText", "GrayText", "HilightText", "WindowText", "MenuText",
                          "Hilight", "Window", "WindowFrame", "Background", "AppWorkSpace", "Menu", "Scrollbar",
                          "ButtonHilight", "ButtonLight", "ButtonFace", "ButtonShadow", "ButtonDkShadow", "InfoText",
                          "InfoWindow"};
    for (const char* key : keys) {
        std::string value = document.ReadString("Colours", key, "");
        int r, g, b;
        EXPECT_EQ(std::sscanf(value.c_str(), "%d %d %d", &r, &g, &b), 3) << key << "=" << value;
    }
    QColor face = palette.color(QPalette::Active, QPalette::Button);
    EXPECT_EQ(document.ReadString("Colours", "ButtonFace", ""),
              std::to_string(face.red()) + " " + std::to_string(face.green()) + " " + std::to_string(face.blue()));
    EXPECT_EQ(editorState().CurrentSection, "COLOURS");  // the node of the file's own section
    EXPECT_TRUE(editorState().Modified);
    prompts.answer(PromptAnswer::No);
}

}  // namespace
}  // namespace sw
