// The main window's "Zip", "Open Zipped" and start-up archive, with scripted prompts.
#include "editor/EditorFixture.h"

#include "ZipFixtures.h"
#include "document/UisFile.h"
#include "editor/UISExplorerForm.h"
#include "manage/FormZip.h"
#include "mainwindow/ManageCommands.h"
#include "store/AcceleratedIniFile.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::makeZip;
using test::writeBytes;

using ManageCommandsTest = EditorFixture;

TEST_F(ManageCommandsTest, ZipSavesAndPacksTheOpenPersonality)
{
    auto main = makeMain();
    const fs::path file = engine / "Tidewater" / "Tidewater.uis";
    main->OpenFileName = QString::fromStdString(file.string());
    main->FileOpenRoutine();
    ASSERT_TRUE(editorState().DocumentOpen);
    main->Explorer()->Document()->WriteString("TITLEBARSKIN", "SkinAuthor", "Packed author");
    main->NotifyModification();

    QString report, archiveName;
    int listed = 0;
    bool memoEnabledBefore = true;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFormZip*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Zip Skin"));
        memoEnabledBefore = form->Memo->isEnabled();
        archiveName = form->edtZipFileName->text();
        listed = form->lboFilesToZip->count();
        form->btnZip->click();
        report = form->Memo->toPlainText();
        form->btnClose->click();
    });
    main->Action(QStringLiteral("FileZipItem"))->trigger();

    const fs::path archive = engine / "Tidewater" / "tidewater.zip";
    EXPECT_EQ(archiveName, QString::fromStdString(archive.string()));
    EXPECT_FALSE(memoEnabledBefore);
    ASSERT_TRUE(fs::exists(archive));
    EXPECT_EQ(report, QString::fromStdString(zipSuccessLine(fs::file_size(archive))));
    // Saved before packing: the archive holds the edit.
    auto files = test::readZip(archive);
    EXPECT_NE(files["Tidewater.uis"].find("SkinAuthor=Packed author"), std::string::npos);
    // Every packed name is bare and names a file of the folder; the listing has the
    // personality file last and at least as many lines as packed files.
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(name.find_first_of("/\\"), std::string::npos) << name;
        EXPECT_EQ(test::readBytes(engine / "Tidewater" / name), bytes) << name;
    }
    EXPECT_GT(files.size(), 10u);
    EXPECT_GE(std::size_t(listed), files.size());
    EXPECT_FALSE(editorState().Modified);
}

TEST_F(ManageCommandsTest, ZipDialogAddsDroppedFilesOnce)
{
    TFormZip form;
    form.SetFiles({{"/skins/A/A.uis", fs::path("/skins/A/A.uis")}, {"/skins/A/../x", std::nullopt}});
    form.AddFiles({QStringLiteral("/tmp/extra.txt"), QStringLiteral("/skins/A/A.uis"), QStringLiteral("/tmp/extra.txt")});
    EXPECT_EQ(form.lboFilesToZip->count(), 3);
    EXPECT_EQ(form.FilesToPack(), (std::vector<fs::path>{"/skins/A/A.uis", "/tmp/extra.txt"}));
    form.edtZipFileName->setText(QString::fromStdString((dir.path() / "nowhere" / "x.zip").string()));
    form.btnZipClick();
    EXPECT_TRUE(form.Memo->toPlainText().startsWith(QStringLiteral("Not found, left out: /skins/A/A.uis")));
    EXPECT_TRUE(form.Memo->toHtml().contains(QStringLiteral("I/O Error: ")));
    EXPECT_TRUE(form.Memo->toHtml().contains(QStringLiteral("#ff0000")));
}

TEST_F(ManageCommandsTest, ArchiveNamedAtStartInstallsOnYes)
{
    const std::string personality = test::readBytes(engine / "Misnamed" / "Harbour.uis");
    const fs::path archive =
        makeZip(dir.path() / "Pack.vxa", {{"Folder/Blue.uis", personality}, {"Folder/a.bmp", "a"}});
    prompts.answer(PromptAnswer::Yes);
    TMainForm main(QString::fromStdString((dir.path() / "sw.ini").string()), {QString::fromStdString(archive.string())});
    editorState().EngineFolder = engine.string();
    main.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, QStringLiteral("Zip file selected for open"));
    EXPECT_EQ(editorState().DocumentPath, (engine / "Blue" / "Blue.uis").string());
    EXPECT_TRUE(fs::exists(engine / "Blue" / "a.bmp"));
    EXPECT_EQ(main.Settings().ReadString("General", "RecentZipFolder", ""), dir.path().string());
}

TEST_F(ManageCommandsTest, OpenZippedWarnsAboutArchivesWithoutPersonality)
{
    auto main = makeMain();
    main->Settings().WriteString("General", "RecentZipFolder", "/somewhere");
    const fs::path archive = makeZip(dir.path() / "bitmaps.zip", {{"a.bmp", "a"}});
    const auto before = test::filesUnder(engine);
    prompts.choosePath(QString::fromStdString(archive.string())).answer(PromptAnswer::Ok);
    main->Action(QStringLiteral("FileUnzipItem"))->trigger();
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].dialog.folder, QStringLiteral("/somewhere"));
    EXPECT_EQ(prompts.shown()[0].dialog.filter, QString::fromLatin1(kArchiveFilter));
    EXPECT_EQ(prompts.shown()[1].text, QStringLiteral("This package does not contain a personality file or is corrupted"));
    EXPECT_EQ(prompts.shown()[1].caption, QStringLiteral("Caution!"));
    EXPECT_EQ(test::filesUnder(engine), before);
    EXPECT_FALSE(editorState().DocumentOpen);

    // A refused archive names itself.
    writeBytes(dir.path() / "junk.zip", "junk");
    prompts.choosePath(QString::fromStdString((dir.path() / "junk.zip").string())).answer(PromptAnswer::Ok);
    main->Action(QStringLiteral("FileUnzipItem"))->trigger();
    ASSERT_EQ(prompts.shown().size(), 4u);
    EXPECT_TRUE(prompts.shown()[3].text.startsWith(QString::fromStdString((dir.path() / "junk.zip").string())));
    EXPECT_EQ(test::filesUnder(engine), before);
}

// The dialog's name field reaches the same checks as pack -o, and an existing archive
// is replaced only after the user agrees.
TEST_F(ManageCommandsTest, ZipDialogRefusesWhatItPacksAndAsksBeforeReplacing)
{
    const fs::path folder = dir.path() / "Slate";
    const fs::path uis = folder / "Slate.uis", bitmap = folder / "top.bmp", archive = folder / "slate.zip";
    fs::create_directories(folder);
    writeBytes(uis, "[A]\r\nTop=Slate\\top.bmp\r\n");
    writeBytes(bitmap, "top");
    writeBytes(archive, "an older archive");
    TFormZip form;
    form.SetFiles({{bitmap.string(), bitmap}, {uis.string(), uis}});
    // The same checks as pack -o, whose tests go through every case.
    form.edtZipFileName->setText(QString::fromStdString(uis.string()));
    form.btnZipClick();
    EXPECT_EQ(form.Memo->toPlainText().toStdString(), uis.string() + ": this is the personality file itself");
    EXPECT_EQ(test::readBytes(uis), "[A]\r\nTop=Slate\\top.bmp\r\n");
    form.edtZipFileName->setText(QString::fromStdString(archive.string()));
    for (PromptAnswer answer : {PromptAnswer::Cancel, PromptAnswer::Ok}) {
        const std::size_t shown = prompts.shown().size();
        prompts.answer(answer);
        form.btnZipClick();
        ASSERT_EQ(prompts.shown().size(), shown + 1);
        EXPECT_EQ(prompts.shown()[shown].text, QString::fromStdString(archive.string()) +
                                                   QStringLiteral("\nexists already. Replace it with the new archive?"));
        if (answer == PromptAnswer::Cancel)
            EXPECT_EQ(test::readBytes(archive), "an older archive");
        else
            EXPECT_EQ(test::zipNames(archive), (std::vector<std::string>{"top.bmp", "Slate.uis"}));
    }
}

// Installing over the skin open in the editor: asked first; Cancel writes nothing and
// keeps the document; Replace closes it with its save question before anything is
// written, so neither answer puts the old working copy over the fresh install.
TEST_F(ManageCommandsTest, OpenZippedOverTheOpenSkinAsksAndClosesItFirst)
{
    const fs::path folder = engine / "Tidewater";
    const fs::path file = folder / "Tidewater.uis";
    std::string fresh = test::readBytes(file);
    const std::size_t name = fresh.find("SkinName=") + 9;
    fresh.replace(name, fresh.find_first_of("\r\n", name) - name, "Fresh Tide");
    const fs::path archive = makeZip(dir.path() / "Tidewater.zip", {{"Tidewater.uis", fresh}, {"new.bmp", "new"}});
    const std::string archiveText = archive.string();
    for (PromptAnswer save : {PromptAnswer::Cancel, PromptAnswer::Yes, PromptAnswer::No}) {
        SCOPED_TRACE(promptAnswerName(save).toStdString());
        auto main = makeMain();
        main->OpenFileName = QString::fromStdString(file.string());
        main->FileOpenRoutine();
        ASSERT_TRUE(editorState().DocumentOpen);
        main->Explorer()->Document()->WriteString("TITLEBARSKIN", "SkinAuthor", "Unsaved author");
        main->NotifyModification();
        const std::string original = test::readBytes(file);
        const auto before = test::filesUnder(engine);
        const std::size_t shown = prompts.shown().size();
        prompts.choosePath(QString::fromStdString(archiveText));
        if (save == PromptAnswer::Cancel)
            prompts.answer(PromptAnswer::Cancel);
        else
            prompts.answer(PromptAnswer::Ok).answer(save);
        main->Action(QStringLiteral("FileUnzipItem"))->trigger();
        ASSERT_GE(prompts.shown().size(), shown + 2);
        EXPECT_EQ(prompts.shown()[shown + 1].caption, QStringLiteral("Replace installed personality?"));
        EXPECT_EQ(prompts.shown()[shown + 1].buttons, PromptButtons::OkCancel);
        EXPECT_TRUE(prompts.shown()[shown + 1].text.startsWith(QString::fromStdString(folder.string())));
        if (save == PromptAnswer::Cancel) {
            EXPECT_EQ(prompts.shown().size(), shown + 2);
            EXPECT_EQ(test::filesUnder(engine), before);
            EXPECT_EQ(test::readBytes(file), original);
            EXPECT_TRUE(editorState().DocumentOpen);
            EXPECT_TRUE(editorState().Modified);
            prompts.answer(PromptAnswer::No);  // closing the window asks about the edit
            main.reset();
            continue;
        }
        ASSERT_EQ(prompts.shown().size(), shown + 3);
        EXPECT_EQ(prompts.shown()[shown + 2].caption, QStringLiteral("Confirm"));
        EXPECT_EQ(test::readBytes(file), fresh);
        EXPECT_EQ(test::readBytes(folder / "new.bmp"), "new");
        EXPECT_EQ(editorState().DocumentPath, file.string());
        EXPECT_EQ(main->Explorer()->Document()->ReadString("TITLEBARSKIN", "SkinName", ""), "Fresh Tide");
        EXPECT_FALSE(editorState().Modified);
        main.reset();
        writeBytes(file, original);
    }
    EXPECT_EQ(prompts.pendingAnswers(), 0u);
}

}  // namespace
}  // namespace sw
