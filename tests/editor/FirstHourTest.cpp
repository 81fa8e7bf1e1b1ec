// What a new author meets first: where skins live, read-only skins, where the windows
// go, and the recent list.
#include "EditorFixture.h"

#include "document/UisFile.h"
#include "editor/UISExplorerForm.h"
#include "engine/Engine.h"
#include "engine/Registry.h"
#include "preview/PreviewForm.h"
#include "preview/WindowPlacement.h"
#include "store/FileBytes.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QTimer>

#include <cstdlib>
#include <optional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class FirstHourTest : public EditorFixture {
protected:
    // A registry and a home folder of this test's own: no engine folder is set.
    ScopedEnv registry{"SKINWRT_REGISTRY_DIR", (dir.path() / "registry").string()};
    ScopedEnv home{"HOME", (dir.path() / "home").string()};
    ScopedEnv noStandIn{"SKINWRT_DEFAULT_ENGINE_FOLDER", ""};
};

// Yes takes the proposed folder, No a chosen one (however deep), Cancel nothing; a
// folder that cannot be made is reported with the system's reason and not stored.
TEST_F(FirstHourTest, TheFirstUseQuestionCreatesAndSetsTheEngineFolder)
{
    auto main = makeMain();
    const fs::path blocker = dir.path() / "blocker";
    writeBytes(blocker, "a file");
    struct Case {
        PromptAnswer answer;
        fs::path chosen;  // the folder dialog's answer for No
        std::optional<fs::path> set;
        std::string error;
    } cases[] = {
        {PromptAnswer::Cancel, {}, std::nullopt, ""},
        {PromptAnswer::No, {}, std::nullopt, ""},  // the folder dialog cancelled
        {PromptAnswer::No, blocker / "Skins", std::nullopt,
         "Unable to create the folder " + (blocker / "Skins").string() + " (Not a directory)"},
        {PromptAnswer::No, dir.path() / "a" / "b" / "My Skins", dir.path() / "a" / "b" / "My Skins", ""},
        {PromptAnswer::Yes, {}, dir.path() / "home" / "Skins", ""},
    };
    for (const Case& c : cases) {
        Registry().deleteValue(kEngineInstallKey, "Path");
        editorState().EngineFolder = "unchanged";
        prompts.answer(c.answer);
        if (c.answer == PromptAnswer::No)
            prompts.choosePath(QString::fromStdString(c.chosen.string()));
        if (!c.error.empty())
            prompts.answer(PromptAnswer::Ok);
        const std::size_t before = prompts.shown().size();
        EXPECT_EQ(main->AskForEngineFolder(), c.set.has_value()) << c.chosen;
        ASSERT_GT(prompts.shown().size(), before);
        EXPECT_TRUE(prompts.shown()[before].text.contains(
            QString::fromStdString((dir.path() / "home" / "Skins").string())));
        if (!c.error.empty())
            EXPECT_EQ(prompts.shown().back().text.toStdString(), c.error);
        EXPECT_EQ(Engine::folderIsSet(), c.set.has_value());
        if (c.set) {
            EXPECT_TRUE(fs::is_directory(*c.set));
            EXPECT_EQ(Engine::findFolder(), *c.set);
            EXPECT_EQ(editorState().EngineFolder, c.set->string());
        } else {
            EXPECT_EQ(editorState().EngineFolder, "unchanged");
        }
    }
    EXPECT_FALSE(fs::exists(blocker / "Skins"));
    // Once set, nothing is asked again.
    const std::size_t asked = prompts.shown().size();
    EXPECT_TRUE(main->AskForEngineFolder());
    EXPECT_EQ(prompts.shown().size(), asked);
}

// A template copy into an engine folder that is not there yet makes the folder.
TEST_F(FirstHourTest, ANewSkinFromATemplateMakesAMissingEngineFolder)
{
    const fs::path templates = program / "template";
    fs::create_directories(templates);
    fs::copy_file(engine / "Tidewater" / "Tidewater.uis", templates / "plain.uis");
    auto main = makeMain();
    const fs::path skins = dir.path() / "not" / "yet" / "Skins";
    editorState().EngineFolder = skins.string();
    // The file name dialog is a real one: accept it as it comes.
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
                dialog->accept();
    });
    main->FileNewSkinClick(QStringLiteral("plain"));
    EXPECT_TRUE(fs::is_regular_file(skins / "plain" / "plain.uis"));
}

// A skin whose folder cannot be written opens for viewing: every change is refused
// and nothing is written into its folder; Save As makes an editable copy.
TEST_F(FirstHourTest, AReadOnlySkinOpensForViewingAndSaveAsMakesAnEditableCopy)
{
    const fs::path folder = engine / "Tidewater";
    const fs::path file = folder / "Tidewater.uis";
    const std::string bytes = readBytes(file);
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    auto main = openPersonality(file);
    TUISExplorerForm* explorer = main->Explorer();
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(editorState().ReadOnly);
    EXPECT_TRUE(main->windowTitle().endsWith(QStringLiteral("(read-only)"))) << main->windowTitle().toStdString();
    EXPECT_TRUE(explorer->StatusBar->currentMessage().startsWith(QStringLiteral("Opened for viewing only")));
    EXPECT_FALSE(main->Action(QStringLiteral("FileSaveItem"))->isEnabled());
    EXPECT_TRUE(main->Action(QStringLiteral("FileSaveAsItem"))->isEnabled());
    // The pictures are found in the skin's own folder.
    EXPECT_EQ(explorer->Document()->Folder(), folder);
    TUisFile& document = *explorer->Document();
    const std::string working = document.DiskBytes();
    document.WriteString("TITLEBARSKIN", "SkinName", "Changed");
    main->NotifyModification(QStringLiteral("Edit"));
    EXPECT_EQ(document.DiskBytes(), working);
    EXPECT_EQ(document.ReadString("TITLEBARSKIN", "SkinName", ""), "Tidewater");
    EXPECT_FALSE(editorState().Modified);
    EXPECT_EQ(readBytes(file), bytes);
    EXPECT_FALSE(fs::exists(folder / kWorkingCopyName));
    const std::size_t entries = std::distance(fs::directory_iterator(folder), fs::directory_iterator());

    EXPECT_TRUE(main->FileCloseItemClick());
    EXPECT_FALSE(editorState().ReadOnly);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), std::ptrdiff_t(entries));
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
}

// Placement keeps every window inside the work area, and beside the main window
// wherever the area leaves room for the previews' column.
TEST(WindowPlacementTest, WindowsStayInsideTheAreaAndThePreviewsBesideTheMainWindow)
{
    struct Case {
        QRect area;
        QRect main;
        bool grow;
        bool beside;  // the previews can stand clear of the main window
    } cases[] = {
        {QRect(0, 0, 1280, 1000), QRect(100, 255, 784, 183), true, true},   // the strip low on the screen
        {QRect(0, 0, 1920, 1080), QRect(0, 0, 784, 183), true, true},
        {QRect(0, 30, 1024, 738), QRect(500, 400, 784, 183), true, false},  // too narrow for both
        {QRect(0, 0, 1280, 1000), QRect(0, 0, 1280, 1000), false, false},   // maximised
        {QRect(1920, 0, 1280, 1024), QRect(1950, 900, 900, 700), false, true},  // a second screen
        {QRect(0, 0, 1280, 1000), QRect(-300, -50, 900, 700), false, true},  // partly off the screen
    };
    for (const Case& c : cases) {
        const EditorPlaces places = arrangeEditorWindows(c.area, c.main, c.grow, kPreviewSize);
        SCOPED_TRACE(c.area.x() * 10000 + c.main.y());
        EXPECT_TRUE(c.area.contains(places.main)) << places.main.x() << "," << places.main.y();
        if (c.grow)
            EXPECT_GE(places.main.height(), std::min(760, c.area.height()));
        for (const QRect& preview : places.previews) {
            EXPECT_TRUE(c.area.contains(preview));
            EXPECT_EQ(preview.size(), kPreviewSize);
            EXPECT_EQ(preview.intersects(places.main), !c.beside);
        }
        if (c.area.height() >= 2 * kPreviewSize.height())
            EXPECT_FALSE(places.previews[0].intersects(places.previews[1]));
    }
}

// The recent list tells apart skins of the same name by their folders, and never
// offers a file that could not be opened.
TEST_F(FirstHourTest, TheRecentListKeepsSkinsOfTheSameNameApartAndDropsFilesThatDidNotOpen)
{
    fs::copy(engine / "Tidewater", engine / "Tidewater copy", fs::copy_options::recursive);
    fs::rename(engine / "Tidewater copy" / "Tidewater.uis", engine / "Tidewater copy" / "Tidewater copy.uis");
    writeBytes(engine / "Broken" / "Broken.uis", "not a personality at all\n");
    auto main = makeMain();
    for (const fs::path& file : {engine / "Tidewater" / "Tidewater.uis", engine / "Tidewater copy" / "Tidewater copy.uis",
                                 engine / "Broken" / "Broken.uis"}) {
        if (file.filename() == "Broken.uis")
            prompts.answer(PromptAnswer::Ok);
        main->OpenFileName = QString::fromStdString(file.string());
        main->FileOpenRoutine();
    }
    main->FileCloseItemClick();
    EXPECT_EQ(main->Settings().ReadString("RecentlyUsed", "RecentFile0", ""),
              (engine / "Tidewater copy" / "Tidewater copy.uis").string());
    EXPECT_EQ(main->Settings().ReadString("RecentlyUsed", "RecentFile1", ""),
              (engine / "Tidewater" / "Tidewater.uis").string());
    EXPECT_EQ(main->Settings().ReadString("RecentlyUsed", "RecentFile2", ""), "");
    EXPECT_EQ(main->Action(QStringLiteral("Recent0"))->text(),
              QStringLiteral("&0 Tidewater  (") + QString::fromStdString((engine / "Tidewater copy").string()) +
                  QStringLiteral(")"));
}

}  // namespace
}  // namespace sw
