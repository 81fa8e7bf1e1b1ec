#include "manage/PluginManager.h"

#include "support/FolderSnapshot.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;

std::string catalogue(const std::string& name, const std::string& optional)
{
    std::string text = "[PluginInfo]\r\nName=" + name + "\r\nAuthor=A " + name + "\r\nEmail=" + name +
                       "@example.org\r\nUrl=https://" + name + ".example.org/\r\nSectionName=" + name + "Section\r\n";
    if (!optional.empty())
        text += "Optional=" + optional + "\r\n";
    return text;
}

class PluginManagerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path program = dir.path();
    fs::path plugins = dir.path() / "PLUGINS";

    void SetUp() override
    {
        test::writeWithFolders(plugins / "Loose.def", catalogue("Loose", ""));
        test::writeWithFolders(plugins / "Second.def", catalogue("Second", "0"));
        test::writeWithFolders(plugins / "Clock" / "clock.def", catalogue("Clock", "1"));
        test::writeWithFolders(plugins / "Clock" / "clock.dll", "binary");
        test::writeWithFolders(plugins / "Clock" / "art" / "face.bmp", "BM");
        test::writeWithFolders(plugins / "Banner" / "banner.def", catalogue("Banner", "yes"));
        test::writeWithFolders(plugins / ".hidden" / "ghost.def", catalogue("Ghost", ""));
        test::writeWithFolders(plugins / "Clock" / "deeper" / "deep.def", catalogue("Deep", ""));
    }

    std::vector<std::string> names()
    {
        std::vector<std::string> result;
        for (const PluginEntry& entry : listPlugins(program))
            result.push_back(entry.name);
        return result;
    }
};

TEST_F(PluginManagerTest, CataloguesOfPluginsAndOneLevelOfSubfoldersAreListed)
{
    const std::vector<PluginEntry> list = listPlugins(program);
    EXPECT_EQ(names(), (std::vector<std::string>{"Loose", "Second", "Banner", "Clock"}));
    ASSERT_EQ(list.size(), 4u);
    const PluginEntry& clock = list[3];
    EXPECT_EQ(clock.author, "A Clock");
    EXPECT_EQ(clock.email, "Clock@example.org");
    EXPECT_EQ(clock.url, "https://Clock.example.org/");
    EXPECT_EQ(clock.section, "ClockSection");
    EXPECT_EQ(clock.file, plugins / "Clock" / "clock.def");
    struct Case {
        std::size_t row;
        const char* optional;
        bool deletable;
    } cases[] = {{0, "1", true}, {1, "0", false}, {2, "yes", true}, {3, "1", true}};
    for (const Case& c : cases) {
        EXPECT_EQ(list[c.row].optional, c.optional) << list[c.row].name;
        EXPECT_EQ(pluginDeletable(list[c.row]), c.deletable) << list[c.row].name;
    }
}

TEST_F(PluginManagerTest, DeletingRemovesOnlyThatPlugin)
{
    std::vector<PluginEntry> list = listPlugins(program);
    // A catalogue in PLUGINS itself: that file alone goes.
    EXPECT_TRUE(deletePlugin(list[0], program));
    EXPECT_FALSE(fs::exists(plugins / "Loose.def"));
    EXPECT_TRUE(fs::exists(plugins / "Second.def"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Second", "Banner", "Clock"}));

    // A plug-in in its own folder: the folder with everything in it.
    list = listPlugins(program);
    EXPECT_TRUE(deletePlugin(list[2], program));
    EXPECT_FALSE(fs::exists(plugins / "Clock"));
    EXPECT_TRUE(fs::exists(plugins / "Banner" / "banner.def"));
    EXPECT_TRUE(fs::exists(plugins / ".hidden" / "ghost.def"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Second", "Banner"}));
}

TEST_F(PluginManagerTest, ACatalogueOutsidePluginsIsNeverDeleted)
{
    test::writeWithFolders(dir.path() / "elsewhere" / "x.def", catalogue("X", ""));
    PluginEntry stray;
    stray.file = dir.path() / "elsewhere" / "x.def";
    EXPECT_FALSE(deletePlugin(stray, program));
    EXPECT_TRUE(fs::exists(dir.path() / "elsewhere" / "x.def"));
    PluginEntry deep;
    deep.file = plugins / "Clock" / "deeper" / "deep.def";
    EXPECT_FALSE(deletePlugin(deep, program));
    EXPECT_TRUE(fs::exists(plugins / "Clock" / "deeper" / "deep.def"));
}

TEST_F(PluginManagerTest, ArchivesUnpackIntoAFolderNamedAfterThem)
{
    EXPECT_EQ(pluginInstallFolder(program, "/downloads/Fancy Clock.zip"), plugins / "Fancy Clock");
    EXPECT_EQ(pluginInstallFolder(program, "/downloads/banner.v2.vxa"), plugins / "banner.v2");
    // A name whose stem is no plain folder name would unpack beside PLUGINS or above it.
    for (const char* archive : {"/downloads/...zip", "/downloads/..zip", "/downloads/a?.zip",
                                "/downloads/line\nbreak.zip", "/downloads/trailing .zip"})
        EXPECT_EQ(pluginInstallFolder(program, archive), fs::path()) << archive;
}

}  // namespace
}  // namespace sw
