// The skin browser's listing, copy, rename and delete, without a window.
#include "manage/SkinBrowserModel.h"

#include "ZipFixtures.h"
#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::filesUnder;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(BrowserEntries, SortedHiddenSkippedFilesFoundWithoutCase)
{
    TempDir dir;
    const fs::path skins = dir.path();
    for (const char* folder : {"Red", "Blue", ".svn", "Green", "azure"})
        fs::create_directories(skins / folder);
    writeBytes(skins / "Blue" / "Blue.uis", "[A]\r\n");
    writeBytes(skins / "Red" / "red.uis", "[A]\r\n");
    writeBytes(skins / ".svn" / ".svn.uis", "[A]\r\n");
    writeBytes(skins / "Green" / "Other.uis", "[A]\r\n");
    writeBytes(skins / "loose.uis", "[A]\r\n");
    fs::create_directories(skins / "azure" / "azure.uis");  // a folder, not a file

    const auto entries = browserEntries(skins);
    std::vector<std::pair<std::string, bool>> seen;
    for (const auto& entry : entries)
        seen.emplace_back(entry.name, bool(entry.uisFile));
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{
                        {"azure", false}, {"Blue", true}, {"Green", false}, {"Red", true}}));
    EXPECT_EQ(entries[3].uisFile, skins / "Red" / "red.uis");
}

class CopySkin : public ::testing::Test {
public:
    TempDir dir;
    fs::path skins = dir.path() / "engine";
    void SetUp() override
    {
        fs::create_directories(skins / "Blue");
        writeBytes(skins / "Blue" / "Blue.uis",
                   "[TITLEBARSKIN]\r\nSkinName=Blue Sky\r\n[Top]\r\nImage=Blue\\Top.bmp\r\nButton=blue\\btn.bmp\r\n"
                   "Shared=Common\\x.bmp\r\n");
        writeBytes(skins / "Blue" / "Top.bmp", "top");
        writeBytes(skins / "Blue" / "btn.bmp", "btn");
        writeBytes(skins / "Blue" / "notes.txt", "not named by any value");
    }
    std::string value(const fs::path& file, const char* section, const char* key)
    {
        TAcceleratedIniFile ini(file.string());
        return ini.ReadString(section, key, "");
    }
};

TEST_F(CopySkin, RenameRelocatesValuesAndRemovesTheOldFolder)
{
    ASSERT_EQ(copyPersonality(skins, "Blue", "Navy", "Navy Night", true), "");
    const fs::path navy = skins / "Navy" / "Navy.uis";
    EXPECT_EQ(value(navy, "Top", "Image"), "Navy\\Top.bmp");
    EXPECT_EQ(value(navy, "Top", "Button"), "Navy\\btn.bmp");
    EXPECT_EQ(value(navy, "Top", "Shared"), "Common\\x.bmp");
    EXPECT_EQ(value(navy, "TITLEBARSKIN", "SkinName"), "Navy Night");
    // Files no value names move with the folder.
    EXPECT_EQ(filesUnder(skins),
              (std::vector<std::string>{"Navy/Navy.uis", "Navy/Top.bmp", "Navy/btn.bmp", "Navy/notes.txt"}));
    EXPECT_EQ(readBytes(skins / "Navy" / "notes.txt"), "not named by any value");
}

TEST_F(CopySkin, CopyKeepsTheOriginalAndRefusesAnExistingFolder)
{
    fs::create_directories(skins / "Teal");
    writeBytes(skins / "Teal" / "Top.bmp", "old");
    writeBytes(skins / "Teal" / "keep.bmp", "keep");
    const auto before = filesUnder(dir.path());
    const std::string blue = readBytes(skins / "Blue" / "Blue.uis");
    for (bool rename : {false, true})
        EXPECT_EQ(copyPersonality(skins, "Blue", "Teal", "Teal", rename),
                  (skins / "Teal").string() + " exists already; choose a name no other personality uses");
    EXPECT_EQ(filesUnder(dir.path()), before);
    EXPECT_EQ(readBytes(skins / "Teal" / "Top.bmp"), "old");
    EXPECT_EQ(readBytes(skins / "Blue" / "Blue.uis"), blue);
    ASSERT_EQ(copyPersonality(skins, "Blue", "Cyan", "Cyan", false), "");
    EXPECT_EQ(readBytes(skins / "Blue" / "Blue.uis"), blue);
    EXPECT_EQ(readBytes(skins / "Cyan" / "notes.txt"), "not named by any value");
}

TEST_F(CopySkin, BadNamesChangeNothing)
{
    const auto before = filesUnder(dir.path());
    for (const char* name : {"", "..", ".", "../Out", "a/b", "a\\b", "C:x", ".hidden", " padded"})
        EXPECT_NE(copyPersonality(skins, "Blue", name, "X", true), "") << name;
    EXPECT_NE(copyPersonality(skins, "Missing", "Navy", "X", true), "");
    EXPECT_EQ(filesUnder(dir.path()), before);
}

TEST_F(CopySkin, DeleteRemovesLinksWithoutFollowingThem)
{
    fs::create_directories(dir.path() / "outside");
    writeBytes(dir.path() / "outside" / "precious.txt", "keep me");
    fs::create_directory_symlink(dir.path() / "outside", skins / "Blue" / "link");
    EXPECT_EQ(deletePersonality(skins, "Blue"), "");
    EXPECT_FALSE(fs::exists(skins / "Blue"));
    EXPECT_EQ(readBytes(dir.path() / "outside" / "precious.txt"), "keep me");
    for (const char* name : {"", "..", "."})
        EXPECT_NE(deletePersonality(skins, name), "") << name;
    EXPECT_TRUE(fs::exists(skins));
}

}  // namespace
}  // namespace sw
