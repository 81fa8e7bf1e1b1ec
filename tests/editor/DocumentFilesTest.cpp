#include "document/DocumentFiles.h"

#include "document/UisFile.h"
#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(DocumentFiles, TidyPutsAnLfLineBeforeHeadersThatFollowText)
{
    struct Case {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"header after text", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "[A]\r\nx=1\r\n\n\r\n[B]\r\ny=2\r\n"},
        {"header after a blank line", "[A]\r\nx=1\r\n\r\n[B]\r\n", "[A]\r\nx=1\r\n\r\n[B]\r\n"},
        {"first line never", "[A]\r\n", "[A]\r\n"},
        {"bracket within four characters counts", "[A]\r\nx=1\r\nk=[v]\r\n", "[A]\r\nx=1\r\n\n\r\nk=[v]\r\n"},
        {"bracket at the fifth character does not", "[A]\r\nx=1\r\nkey=[v]\r\n", "[A]\r\nx=1\r\nkey=[v]\r\n"},
        {"indented header", "[A]\r\nx=1\r\n   [B]\r\n", "[A]\r\nx=1\r\n\n\r\n   [B]\r\n"},
        {"LF file becomes CR LF", "[A]\nx=1\n[B]\n", "[A]\r\nx=1\r\n\n\r\n[B]\r\n"},
        {"an earlier tidy is kept as it is", "[A]\r\nx=1\r\n\n\r\n[B]\r\n", "[A]\r\nx=1\r\n\r\n\r\n[B]\r\n"},
        {"no final line break", "[A]\r\nx=1\r\n[B]", "[A]\r\nx=1\r\n\n\r\n[B]\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tidySavedPersonality(c.in), c.out) << c.name;
}

TEST(DocumentFiles, SaveAsProposesTheFileNameWithoutItsExtension)
{
    struct Case {
        const char* path;
        const char* name;
    } cases[] = {
        {"/skins/Aqua/Aqua.uis", "aqua"},         {"/skins/Aqua/AQUA.UIS", "aqua"},
        {"/skins/Aqua/aqua.uis.backup", "aquap"},  {"/skins/Aqua/aqua.uisbackup1", "aqua1"},
        {"/skins/Aqua/notes.txt", "notes.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposedSaveAsName(c.path), c.name) << c.path;
}

TEST(DocumentFiles, RelocationRewritesReferencesAndCopiesTheirFiles)
{
    TempDir dir;
    fs::path source = dir.path() / "Skins" / "Aqua";
    fs::path target = dir.path() / "Skins" / "Blue";
    fs::create_directories(source);
    fs::create_directories(target);
    writeBytes(source / "top.bmp", "TOP");
    writeBytes(source / "left.bmp", "LEFT");
    writeBytes(target / "left.bmp", "OLD");
    writeBytes(dir.path() / "secret", "S");
    writeBytes(source / "aqua.uis", "[TITLEBARSKIN]\r\nSkinAuthor=me\r\n[PERSONALITY]\r\nTop=Aqua\\top.bmp\r\n"
                                    "Left=aqua\\LEFT.bmp\r\nRight=Other\\right.bmp\r\nGone=Aqua\\missing.bmp\r\n"
                                    "Evil=Aqua\\..\\..\\secret\r\n");
    TUisFile document((source / "aqua.uis").string());
    EXPECT_EQ(relocateReferences(document, "AQUA\\", "Blue", source, target), 4);
    EXPECT_EQ(readBytes(source / "aqua.uis"),
              "[TITLEBARSKIN]\r\nSkinAuthor=me\r\n[PERSONALITY]\r\nTop=Blue\\top.bmp\r\nLeft=Blue\\LEFT.bmp\r\n"
              "Right=Other\\right.bmp\r\nGone=Blue\\missing.bmp\r\nEvil=Blue\\..\\..\\secret\r\n");
    EXPECT_EQ(readBytes(target / "top.bmp"), "TOP");
    EXPECT_EQ(readBytes(target / "left.bmp"), "LEFT");  // replaced
    EXPECT_FALSE(fs::exists(target / "missing.bmp"));
    EXPECT_FALSE(fs::exists(dir.path() / "Skins" / "secret"));
    EXPECT_EQ(std::distance(fs::directory_iterator(target), {}), 2);
}

TEST(DocumentFiles, RecentListKeepsTheNewestFirstWithoutDuplicates)
{
    TAcceleratedIniFile settings("");
    settings.WriteInteger("General", "MaxRecent", 3);
    EXPECT_EQ(maxRecentEntries(settings), 3);
    saveRecentList(settings, 3, "A", "/a.uis");
    saveRecentList(settings, 3, "B", "/b.uis");
    saveRecentList(settings, 3, "C", "/c.uis");
    saveRecentList(settings, 3, "a", "/A.UIS");  // the same personality again, other case
    auto list = loadRecentList(settings, 3);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "a");
    EXPECT_EQ(list[1].name, "C");
    EXPECT_EQ(list[2].name, "B");
    saveRecentList(settings, 3, "D", "/d.uis");
    list = loadRecentList(settings, 3);
    EXPECT_EQ(list[0].file, "/d.uis");
    EXPECT_EQ(list[2].file, "/c.uis");
    // The list may hold one entry more than is ever read.
    EXPECT_EQ(settings.ReadString("RecentlyUsed", "RecentName3", "?"), "B");

    settings.WriteString("RecentlyUsed", "RecentName1", "");
    list = loadRecentList(settings, 3);
    EXPECT_TRUE(list[1].name.empty() && list[1].file.empty());
    EXPECT_EQ(list[2].name, "C");
    for (const char* value : {"0", "11", "x"}) {
        settings.WriteString("General", "MaxRecent", value);
        EXPECT_EQ(maxRecentEntries(settings), std::string(value) == "11" ? 10 : std::string(value) == "x" ? 4 : 1);
    }
}

}  // namespace
}  // namespace sw
