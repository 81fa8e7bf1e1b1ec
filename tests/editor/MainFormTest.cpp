// The main window's document management, run offscreen with scripted prompts.
#include "EditorFixture.h"

#include "document/AuthorDefaults.h"
#include "mainwindow/MainForm.h"

#include "document/UisFile.h"
#include "engine/EditorState.h"
#include "editor/UISExplorerForm.h"
#include "engine/Engine.h"
#include "engine/EngineChannel.h"
#include "engine/RecordingShell.h"
#include "engine/Registry.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QStatusBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace sw {
namespace {

using MainFormTest = EditorFixture;

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST_F(MainFormTest, OpenEditSaveWritesTheTidiedFileAndKeepsTheWorkingCopyUntilClose)
{
    auto main = makeMain();
    fs::path skin = engine / "Misnamed" / "Harbour.uis";
    std::string before = readBytes(skin);
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    ASSERT_NE(main->Explorer(), nullptr);
    EditorState& state = editorState();
    EXPECT_TRUE(state.DocumentOpen);
    EXPECT_EQ(state.WorkingCopyPath, (engine / "Misnamed" / "$$sw_temp_ini_file$$.tmp").string());
    EXPECT_TRUE(fs::exists(state.WorkingCopyPath));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Skinwright  -  ") + QString::fromStdString(state.SkinName));
    EXPECT_TRUE(main->Action(QStringLiteral("FileCloseItem"))->isEnabled());
    EXPECT_FALSE(main->Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_EQ(main->Explorer()->StatusBar->currentMessage(), QStringLiteral("File successfully loaded"));
    EXPECT_EQ(main->Explorer()->TreeViewSectionExplorer->currentItem()->text(0), QString::fromStdString(state.SkinName));

    main->Explorer()->Document()->WriteString("TITLEBARSKIN", "SkinAuthor", "Someone else");
    main->NotifyModification();
    EXPECT_TRUE(main->Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_EQ(readBytes(skin), before);  // edits go to the working copy only
    main->FileSave();
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(main->Action(QStringLiteral("ToolButtonSave"))->isEnabled());
    std::string saved = readBytes(skin);
    EXPECT_NE(saved.find("SkinAuthor=Someone else\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Generator=Skinwright ver "), std::string::npos);
    EXPECT_NE(saved.find("VXVer=200\r\n"), std::string::npos);
    // Every header that follows text has the LF line of the tidy pass before it.
    for (std::size_t at = saved.find("\r\n["); at != std::string::npos; at = saved.find("\r\n[", at + 1))
        EXPECT_TRUE(at >= 3 && (saved.substr(at - 3, 3) == "\r\n\n" || saved.substr(at - 2, 2) == "\r\n"))
            << saved.substr(at > 20 ? at - 20 : 0, 40);

    main->FileCloseItemClick();
    EXPECT_TRUE(prompts.shown().empty());  // nothing to ask: it was saved
    EXPECT_FALSE(fs::exists(engine / "Misnamed" / "$$sw_temp_ini_file$$.tmp"));
    EXPECT_FALSE(state.DocumentOpen);
    EXPECT_FALSE(main->Action(QStringLiteral("FileCloseItem"))->isEnabled());
    EXPECT_EQ(main->Settings().ReadString("RecentlyUsed", "RecentFile0", ""), skin.string());
}

TEST_F(MainFormTest, ClosingWithUnsavedEditsAsksAndNoKeepsTheFile)
{
    auto main = makeMain();
    fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    std::string before = readBytes(skin);
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    main->Explorer()->Document()->WriteString("COLOURS", "Menu", "1 2 3");
    main->NotifyModification();
    prompts.answer(PromptAnswer::No);
    main->FileCloseItemClick();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(text(0), QStringLiteral("Save Changes to Tidewater?"));
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(readBytes(skin), before);
    EXPECT_FALSE(fs::exists(engine / "Tidewater" / "$$sw_temp_ini_file$$.tmp"));
}

TEST_F(MainFormTest, AnUnrecognisedFileIsRefusedAndNotOfferedAgain)
{
    auto main = makeMain();
    fs::create_directories(engine / "Junk");
    writeBytes(engine / "Junk" / "junk.uis", "[Something]\r\nelse=1\r\n");
    prompts.answer(PromptAnswer::Ok);
    main->OpenFileName = QString::fromStdString((engine / "Junk" / "junk.uis").string());
    main->FileOpenRoutine();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(text(0).startsWith(QStringLiteral("This is file format is either not supported or the file is corrupted.\n\n")));
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(prompts.shown()[0].icon, PromptIcon::Error);
    EXPECT_EQ(main->Explorer(), nullptr);
    EXPECT_FALSE(editorState().DocumentOpen);
    EXPECT_FALSE(fs::exists(engine / "Junk" / "$$sw_temp_ini_file$$.tmp"));
    EXPECT_EQ(main->Settings().ReadString("RecentlyUsed", "RecentName0", ""), "");
    EXPECT_FALSE(main->Action(QStringLiteral("Recent0"))->isVisible());
}

TEST_F(MainFormTest, OldFormatOpensWithoutPreviewAfterItsWarning)
{
    auto main = makeMain();
    prompts.answer(PromptAnswer::Ok);
    main->OpenFileName = QString::fromStdString((engine / "Parchment" / "Parchment.uis").string());
    main->FileOpenRoutine();
    ASSERT_GE(prompts.shown().size(), 1u);
    EXPECT_EQ(text(0), QStringLiteral("This file has an old format called UIS 1, that is no longer supported by "
                                      "Corvane.\rYou will be able to edit this file but no preview is available."));
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Warning! Old file format."));
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_FALSE(editorState().PreviewEnabled);
}

TEST_F(MainFormTest, SaveAsCopiesTheSkinUnderItsNewNameAndCancelStillRenames)
{
    auto main = makeMain();
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    ASSERT_NE(main->Explorer(), nullptr);

    // The name prompt is modal: answer it from the event loop.
    auto answerPrompt = [](const QString& fileName, const QString& name, bool ok) {
        QTimer::singleShot(0, [=] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            if (!fileName.isEmpty())
                modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(fileName);
            modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(name);
            QPushButton* button = modal->findChild<QPushButton*>(ok ? QStringLiteral("ButtonOK") : QStringLiteral("ButtonCancel"));
            ASSERT_EQ(button->isEnabled(), true);
            button->click();
        });
    };
    answerPrompt({}, QStringLiteral("Renamed only"), false);
    main->FileSaveAs();
    EXPECT_EQ(editorState().SkinName, "Renamed only");
    EXPECT_FALSE(fs::exists(engine / "Sea"));

    answerPrompt(QStringLiteral("Sea"), QStringLiteral("Calm Sea"), true);
    main->FileSaveAs();
    fs::path copy = engine / "Sea" / "Sea.uis";
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(editorState().DocumentPath, copy.string());
    TUisFile reopened(copy.string());
    EXPECT_EQ(reopened.PersonalityName(), "Calm Sea");
    EXPECT_EQ(reopened.ReadString("PERSONALITY", "TOP", ""), "Sea\\top.bmp");
    EXPECT_TRUE(fs::exists(engine / "Sea" / "top.bmp"));
    EXPECT_EQ(readBytes(engine / "Sea" / "top.bmp"), readBytes(engine / "Tidewater" / "top.bmp"));
    EXPECT_TRUE(fs::exists(engine / "Sea" / "close.bmp"));
    EXPECT_FALSE(fs::exists(engine / "Tidewater" / "$$sw_temp_ini_file$$.tmp"));
    // The original keeps its own references.
    EXPECT_EQ(TUisFile((engine / "Tidewater" / "Tidewater.uis").string()).ReadString("PERSONALITY", "TOP", ""),
              "Tidewater\\top.bmp");

    // Onto another skin's folder only after a question; No leaves that skin as it was.
    const fs::path slate = engine / "Slate" / "Slate.uis";
    const std::string slateBytes = readBytes(slate);
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        answerPrompt(QStringLiteral("Slate"), QStringLiteral("Calm Slate ") + promptAnswerName(answer), true);
        prompts.answer(answer);
        main->FileSaveAs();
        EXPECT_EQ(prompts.shown().back().caption, QStringLiteral("Save As"));
        EXPECT_TRUE(prompts.shown().back().text.startsWith(QStringLiteral("The folder ") +
                                                           QString::fromStdString((engine / "Slate").string())));
        if (answer == PromptAnswer::No) {
            EXPECT_EQ(readBytes(slate), slateBytes);
            EXPECT_EQ(editorState().DocumentPath, copy.string());
        } else {
            EXPECT_EQ(TUisFile(slate.string()).PersonalityName(), "Calm Slate Yes");
            EXPECT_EQ(editorState().DocumentPath, slate.string());
        }
    }
}

TEST_F(MainFormTest, TheAnalyzePageListsFindingsThatLeadBackToTheirAttribute)
{
    auto main = makeMain();
    fs::remove(engine / "Tidewater" / "close.bmp");
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    TUISExplorerForm& explorer = *main->Explorer();
    QWidget* analyze = explorer.PageControlViewSelector->findChild<QWidget*>(QStringLiteral("TabSheetAnalyze"));
    explorer.PageControlViewSelector->setCurrentWidget(analyze);
    EXPECT_FALSE(editorState().AnalysisStale);
    QTreeWidget* list = explorer.ListViewValidator;
    ASSERT_GE(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Error description"));
    QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_TRUE(row->text(0).startsWith(QStringLiteral("File not found - Section [Button0], Attribute [ButtonImage], "
                                                        "referenced file[")))
        << row->text(0).toStdString();
    emit list->itemDoubleClicked(row, 0);
    EXPECT_EQ(explorer.PageControlViewSelector->currentIndex(), 0);
    EXPECT_EQ(editorState().CurrentSection, "Button0");
    EXPECT_EQ(editorState().CurrentAttribute, "ButtonImage");
}

TEST_F(MainFormTest, AFailedSaveKeepsTheEditsAndTheWorkingCopy)
{
    auto main = makeMain();
    fs::path skin = engine / "Misnamed" / "Harbour.uis";
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    main->Explorer()->Document()->WriteString("TITLEBARSKIN", "SkinName", "Changed");
    main->NotifyModification();
    // A folder where the personality file was: the save cannot land.
    fs::remove(skin);
    fs::create_directory(skin);
    prompts.answer(PromptAnswer::Ok);
    main->FileSave();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(text(0).startsWith(QStringLiteral("Skinwright failed to save personality file\n\n")));
    EXPECT_TRUE(text(0).contains(QString::fromStdString(skin.string()))) << text(0).toStdString();
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Unable to save ") + QString::fromStdString(editorState().SkinName));
    EXPECT_TRUE(editorState().Modified);
    EXPECT_TRUE(main->Action(QStringLiteral("FileSaveItem"))->isEnabled());
    // Closing with Yes tries again; a failed save cancels the close, so the edits stay
    // open in the editor and in the working copy.
    prompts.answer(PromptAnswer::Yes).answer(PromptAnswer::Ok);
    EXPECT_FALSE(main->FileCloseItemClick());
    EXPECT_NE(main->Explorer(), nullptr);
    EXPECT_TRUE(editorState().Modified);
    fs::path working = engine / "Misnamed" / "$$sw_temp_ini_file$$.tmp";
    ASSERT_TRUE(fs::exists(working));
    EXPECT_NE(readBytes(working).find("SkinName=Changed"), std::string::npos);
    fs::remove(skin);
    prompts.answer(PromptAnswer::No);
    EXPECT_TRUE(main->FileCloseItemClick());
}

TEST_F(MainFormTest, ApplyMakesTheSkinCurrentAndTellsTheEngine)
{
    struct RecordingChannel : EngineChannel {
        std::vector<std::pair<int, std::string>> sent;
        void send(int code) override { sent.emplace_back(code, Engine::currentPersonality()); }
    } channel;
    ScopedService<EngineChannel> installedChannel(channel);
    // A registry of this test's own, so tests running beside it never see the engine.
    const std::string previous = qEnvironmentVariable("SKINWRT_REGISTRY_DIR").toStdString();
    ::setenv("SKINWRT_REGISTRY_DIR", (dir.path() / "registry").c_str(), 1);
    Registry().writeString(kEngineSettingsKey, "Present", "1");
    auto main = makeMain();
    fs::path skin = engine / "Tidewater" / "Tidewater.uis";
    main->OpenFileName = QString::fromStdString(skin.string());
    main->FileOpenRoutine();
    main->Action(QStringLiteral("ToolButtonApply"))->trigger();
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].first, 8889);
    EXPECT_EQ(channel.sent[0].second, skin.string());  // written before the command
    main->Action(QStringLiteral("Unload1"))->trigger();
    EXPECT_EQ(channel.sent.back().first, 8888);
    ::setenv("SKINWRT_REGISTRY_DIR", previous.c_str(), 1);
}

// The copy leaves out the template's comment header and never writes a placeholder as
// the author's own value, not even one the preferences stored.
TEST_F(MainFormTest, ANewPersonalityFromATemplateTakesItsBitmapsAndTheAuthorDefaults)
{
    fs::create_directories(program / "template");
    writeBytes(program / "template" / "BASIC.UIS",
               "; Template personality \"basic\": copied by the gallery.\r\n\r\n[TITLEBARSKIN]\r\nSkinName=Basic\r\nSkinAuthor=x\r\nEditorNotes=remove me\r\n"
               "[PERSONALITY]\r\nTop=Basic\\top.bmp\r\nLeft=Shared\\left.bmp\r\n");
    writeBytes(program / "template" / "top.bmp", "TOP");
    writeBytes(dir.path() / "sw.ini", "[Author]\r\nSkinAuthor=Jo\r\nAuthorsURL=" + authorPlaceholder("AuthorsURL") + "\r\n");
    auto main = makeMain();
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QStringLiteral("Mine"));
        modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("My Skin"));
        modal->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    main->FileNewSkinClick(QStringLiteral("basic"));
    fs::path created = engine / "Mine" / "Mine.uis";
    ASSERT_TRUE(fs::exists(created));
    EXPECT_EQ(readBytes(engine / "Mine" / "top.bmp"), "TOP");
    TUisFile document(created.string());
    EXPECT_EQ(document.ReadString("PERSONALITY", "Top", ""), "Mine\\top.bmp");
    EXPECT_EQ(document.ReadString("PERSONALITY", "Left", ""), "Shared\\left.bmp");  // not the template's folder
    EXPECT_EQ(document.PersonalityName(), "My Skin");
    EXPECT_EQ(document.ReadString("TITLEBARSKIN", "SkinAuthor", ""), "Jo");
    EXPECT_EQ(document.ReadString("TITLEBARSKIN", "AuthorEmail", "(missing)"), "");
    EXPECT_EQ(document.ReadString("TITLEBARSKIN", "AuthorsURL", "(missing)"), "");
    EXPECT_EQ(readBytes(created).substr(0, 14), "[TITLEBARSKIN]");
    EXPECT_FALSE(document.ValueExists("TITLEBARSKIN", "EditorNotes"));
    EXPECT_EQ(editorState().DocumentPath, created.string());
    EXPECT_TRUE(editorState().DocumentOpen);
}

TEST_F(MainFormTest, TemplatePicturesComeFromTheTemplatesOwnFolderOrTheTemplateFolder)
{
    // Where the template keeps top.bmp, and which copy the new personality gets.
    const struct {
        const char* where;
        fs::path ownFolder, templateFolder;
        const char* expected;
    } cases[] = {
        {"own folder only", "OWN", "", "OWN"},
        {"template folder only", "", "FLAT", "FLAT"},
        {"both: the own folder wins", "OWN", "FLAT", "OWN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        fs::remove_all(program / "template");
        fs::remove_all(engine / "Mine");
        fs::create_directories(program / "template");
        writeBytes(program / "template" / "plain.uis", "[PERSONALITY]\r\nTop=plain\\top.bmp\r\n");
        if (!c.ownFolder.empty() && fs::create_directories(program / "template" / "plain"))
            writeBytes(program / "template" / "plain" / "top.bmp", c.ownFolder.string());
        if (!c.templateFolder.empty())
            writeBytes(program / "template" / "top.bmp", c.templateFolder.string());
        auto main = makeMain();
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QStringLiteral("Mine"));
            modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("My Skin"));
            modal->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
        });
        main->FileNewSkinClick(QStringLiteral("plain"));
        EXPECT_EQ(readBytes(engine / "Mine" / "top.bmp"), c.expected);
        EXPECT_EQ(TUisFile((engine / "Mine" / "Mine.uis").string()).ReadString("PERSONALITY", "Top", ""),
                  "Mine\\top.bmp");
    }
}

TEST_F(MainFormTest, TheNewSkinWizardOpensWhatItCreated)
{
    fs::create_directories(program / "template");
    writeBytes(program / "template" / "wizard.uis",
               "[TITLEBARSKIN]\r\nSkinName=Undefined\r\n[PERSONALITY]\r\nButtonCount=0\r\n"
               "TOP=wizard\\top.bmp\r\n[Button$Help]\r\nAction=4\r\n");
    writeBytes(program / "template" / "top.bmp", "TOP");
    auto main = makeMain();
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->windowTitle(), "New Skin Wizard");
        modal->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QStringLiteral("Fresh"));
        modal->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("Fresh skin"));
        modal->findChild<QPushButton*>(QStringLiteral("btnFinish"))->click();
    });
    main->Action(QStringLiteral("FileNewWizardItem"))->trigger();
    const fs::path created = engine / "Fresh" / "Fresh.uis";
    EXPECT_EQ(editorState().DocumentPath, created.string());
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_EQ(readBytes(engine / "Fresh" / "top.bmp"), "TOP");
    TUisFile document(created.string());
    EXPECT_EQ(document.ReadString("Button0", "Action", ""), "4");
    EXPECT_EQ(document.PersonalityName(), "Fresh skin");
}

TEST_F(MainFormTest, TheFileNamedOnTheCommandLineOpensAtFirstActivation)
{
    writeBytes(dir.path() / "notes.txt", "x");
    writeBytes(dir.path() / "pack.ZIP", "x");
    struct Case {
        std::string argument;
        const char* text;     // the message shown, or null
        const char* caption;
        bool opens;
    } cases[] = {
        {(dir.path() / "missing.uis").string(), "File not found.", "Caution", false},
        {(dir.path() / "notes.txt").string(), "A file of that extension?\nIt might be very useful.\nHere it wil not work.",
         "File Open Error (Haiku)", false},
        {(dir.path() / "pack.ZIP").string(), "Do you wish to extract this zip file into Veneerix Folder?",
         "Zip file selected for open", false},
        {(engine / "Tidewater" / "Tidewater.uis").string(), nullptr, nullptr, true},
    };
    for (const Case& c : cases) {
        std::size_t before = prompts.shown().size();
        if (c.text)
            prompts.answer(std::string(c.caption) == "Zip file selected for open" ? PromptAnswer::No : PromptAnswer::Ok);
        TMainForm main(QString::fromStdString((dir.path() / "sw.ini").string()), {QString::fromStdString(c.argument)});
        editorState().EngineFolder = engine.string();
        main.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(editorState().DocumentOpen, c.opens) << c.argument;
        if (c.text) {
            ASSERT_EQ(prompts.shown().size(), before + 1) << c.argument;
            EXPECT_EQ(prompts.shown().back().text, QString::fromLatin1(c.text));
            EXPECT_EQ(prompts.shown().back().caption, QString::fromLatin1(c.caption));
        } else {
            EXPECT_EQ(prompts.shown().size(), before);
        }
    }
}

TEST_F(MainFormTest, MenusFollowTheDocumentState)
{
    auto main = makeMain();
    struct Item {
        const char* name;
        bool visibleClosed, enabledClosed, visibleOpen, enabledOpen;
    } items[] = {
        {"FileSaveAsItem", true, false, true, true},     {"FileCloseItem", true, false, true, true},
        {"FileZipItem", true, false, true, true},        {"FileSetThisSkinCurrentItem", true, false, true, true},
        {"ToolButtonZip", true, false, true, true},      {"ToolButtonApply", true, false, true, true},
        {"ToolButtonFind", true, false, true, true},     {"FilePrintItem", false, false, true, false},
        {"FilePrintSetupItem", false, false, true, false}, {"ToolsZoomItem", false, true, true, true},
        {"FileSaveItem", true, false, true, false},      {"ToolButtonSave", true, false, true, false},
        {"WindowPreviewItem", false, true, false, true}, {"InsertButtonWizardItem", true, false, true, false},
    };
    auto check = [&](bool open) {
        for (const Item& item : items) {
            QAction* action = main->Action(QString::fromLatin1(item.name));
            ASSERT_NE(action, nullptr) << item.name;
            EXPECT_EQ(action->isVisible(), open ? item.visibleOpen : item.visibleClosed) << item.name << " " << open;
            // Qt counts a hidden action as disabled; only a shown one has a state of its own.
            if (action->isVisible()) {
                EXPECT_EQ(action->isEnabled(), open ? item.enabledOpen : item.enabledClosed) << item.name << " " << open;
            }
        }
        for (const char* menu : {"MenuEdit", "MenuView", "MenuInsert", "MenuWindow"})
            EXPECT_EQ(main->findChild<QMenu*>(QString::fromLatin1(menu))->menuAction()->isVisible(), open) << menu;
        EXPECT_EQ(main->findChild<QToolBar*>(QStringLiteral("ToolBarPreview"))->isVisible(), open);
        EXPECT_EQ(main->findChild<QToolBar*>(QStringLiteral("ValueEditorBand"))->isVisible(), open);
    };
    QAction* skinShot = main->Action(QStringLiteral("FileCreateScreenshotItem"));
    check(false);
    EXPECT_FALSE(skinShot->isEnabled());
    main->OpenFileName = QString::fromStdString((engine / "Tidewater" / "Tidewater.uis").string());
    main->FileOpenRoutine();
    check(true);
    EXPECT_TRUE(skinShot->isEnabled());
    main->FileCloseItemClick();
    check(false);
    EXPECT_TRUE(skinShot->isEnabled());  // stays enabled once a document was opened
}

TEST_F(MainFormTest, AStrayWorkingCopyInTheProgramFolderAsksBeforeStarting)
{
    struct Case {
        PromptAnswer answer;
        int exitCode;
        bool fileLeft;
    } cases[] = {{PromptAnswer::Ok, -1, false}, {PromptAnswer::Cancel, 255, true}};
    for (const Case& c : cases) {
        writeBytes(program / "$$sw_temp_ini_file$$.tmp", "x");
        auto main = makeMain();
        prompts.answer(c.answer);
        EXPECT_EQ(main->StartUp(), c.exitCode);
        ASSERT_FALSE(prompts.shown().empty());
        const ShownPrompt& shown = prompts.shown().back();
        EXPECT_EQ(shown.caption, QStringLiteral("Temp file existence notification"));
        EXPECT_EQ(shown.buttons, PromptButtons::OkCancel);
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Skinwright has found temporary file in it's directory.\nIf")));
        EXPECT_EQ(fs::exists(program / "$$sw_temp_ini_file$$.tmp"), c.fileLeft);
    }
}

TEST_F(MainFormTest, TheEditorExcludesItselfFromSkinningAndRestarts)
{
    auto main = makeMain();
    fs::path engineFolder = dir.path() / "engine";
    writeBytes(engineFolder / "vxdbg.ini", "; per program\r\n[notepad.exe]\r\nIgnoreApp=1\r\n");
    EditorState& state = editorState();
    state.EngineFolder = engineFolder.string();
    prompts.answer(PromptAnswer::Ok);
    EXPECT_EQ(main->StartUp(), 255);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Caution"));
    EXPECT_TRUE(prompts.shown()[0].text.startsWith(QStringLiteral("Welcome to Skinwright, the official Personality")));
    std::string ini = readBytes(engineFolder / "vxdbg.ini");
    QString section = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_NE(ini.find("[" + section.toStdString() + "]\r\nActiveFix=1\r\nIgnoreApp=1\r\n"), std::string::npos) << ini;
    ASSERT_EQ(recorder.calls().size(), 1u);
    EXPECT_EQ(recorder.calls()[0].kind, ShellCall::Kind::Start);

    // Once excluded, the next start goes on.
    auto again = makeMain();
    state.EngineFolder = engineFolder.string();
    EXPECT_EQ(again->StartUp(), -1);
}

}  // namespace
}  // namespace sw
