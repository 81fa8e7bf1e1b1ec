#include "store/IniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::string kSkin =
    "; My skin, version 3\r\n"
    "Orphan=kept on disk\r\n"
    "\r\n"
    "[TitlebarSkin]\r\n"
    "SkinName = Aqua ; the name\r\n"
    "Author=Me\r\n"
    "; comment inside\r\n"
    "\r\n"
    "; leads into the next section\r\n"
    "[Colours]\r\n"
    "ActiveTitle=0 0 128\r\n"
    "activetitle=duplicate\r\n"
    "[Empty]\r\n"
    "[colours]\r\n"
    "Second=1\r\n";

TEST(IniFile, EditsChangeOnlyTheirOwnLine)
{
    struct Case {
        const char* name;
        std::function<void(TIniFile&)> edit;
        std::string expected;
    } cases[] = {
        {"replacing a value changes only the value: the key keeps its spelling and blanks",
         [](TIniFile& ini) { ini.WriteString("titlebarskin", "SKINNAME", "Blue"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Blue\r\nAuthor=Me\r\n"
         "; comment inside\r\n\r\n; leads into the next section\r\n[Colours]\r\nActiveTitle=0 0 128\r\n"
         "activetitle=duplicate\r\n[Empty]\r\n[colours]\r\nSecond=1\r\n"},
        {"a new key goes after the section's last entry",
         [](TIniFile& ini) { ini.WriteInteger("TitlebarSkin", "Version", 2); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Aqua ; the name\r\n"
         "Author=Me\r\nVersion=2\r\n; comment inside\r\n\r\n; leads into the next section\r\n[Colours]\r\n"
         "ActiveTitle=0 0 128\r\nactivetitle=duplicate\r\n[Empty]\r\n[colours]\r\nSecond=1\r\n"},
        {"a new key in a section without entries goes under its header",
         [](TIniFile& ini) { ini.WriteString("EMPTY", "k", "v"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Aqua ; the name\r\n"
         "Author=Me\r\n; comment inside\r\n\r\n; leads into the next section\r\n[Colours]\r\n"
         "ActiveTitle=0 0 128\r\nactivetitle=duplicate\r\n[Empty]\r\nk=v\r\n[colours]\r\nSecond=1\r\n"},
        {"a key only in the second duplicate section is added to the first",
         [](TIniFile& ini) { ini.WriteString("Colours", "Second", "2"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Aqua ; the name\r\n"
         "Author=Me\r\n; comment inside\r\n\r\n; leads into the next section\r\n[Colours]\r\n"
         "ActiveTitle=0 0 128\r\nactivetitle=duplicate\r\nSecond=2\r\n[Empty]\r\n[colours]\r\nSecond=1\r\n"},
        {"a new section goes at the end after an empty line",
         [](TIniFile& ini) { ini.WriteString("Fonts", "Face", "Arial"); },
         kSkin + "\r\n[Fonts]\r\nFace=Arial\r\n"},
        {"delete removes the first matching line only",
         [](TIniFile& ini) { ini.DeleteKey("COLOURS", "ACTIVETITLE"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Aqua ; the name\r\n"
         "Author=Me\r\n; comment inside\r\n\r\n; leads into the next section\r\n[Colours]\r\n"
         "activetitle=duplicate\r\n[Empty]\r\n[colours]\r\nSecond=1\r\n"},
        {"erase removes the header and every line up to the next header",
         [](TIniFile& ini) { ini.EraseSection("titlebarskin"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[Colours]\r\nActiveTitle=0 0 128\r\n"
         "activetitle=duplicate\r\n[Empty]\r\n[colours]\r\nSecond=1\r\n"},
        {"erase of the first duplicate leaves the second",
         [](TIniFile& ini) { ini.EraseSection("colours"); },
         "; My skin, version 3\r\nOrphan=kept on disk\r\n\r\n[TitlebarSkin]\r\nSkinName = Aqua ; the name\r\n"
         "Author=Me\r\n; comment inside\r\n\r\n; leads into the next section\r\n[Empty]\r\n[colours]\r\n"
         "Second=1\r\n"},
        {"deleting or erasing what is not there changes nothing",
         [](TIniFile& ini) {
             ini.DeleteKey("Colours", "Nope");
             ini.DeleteKey("Nope", "ActiveTitle");
             ini.EraseSection("Nope");
             ini.UpdateFile();
         },
         kSkin},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.file("skin.uis"), kSkin);
        TIniFile ini(dir.file("skin.uis"));
        c.edit(ini);
        EXPECT_EQ(readBytes(dir.file("skin.uis")), c.expected) << c.name;
        EXPECT_EQ(ini.DiskBytes(), c.expected) << c.name;
        // Memory holds exactly what a fresh read of the file gives.
        TAcceleratedIniFile fresh(dir.file("skin.uis"));
        EXPECT_EQ(ini.Text(), fresh.Text()) << c.name;
    }
}

TEST(IniFile, LineEndsAndOddBytesOfUntouchedLinesSurvive)
{
    struct Case {
        const char* name;
        std::string file;
        std::function<void(TIniFile&)> edit;
        std::string expected;
    } cases[] = {
        {"LF file: new lines use LF", "[A]\nx=1\n", [](TIniFile& i) { i.WriteString("A", "y", "2"); },
         "[A]\nx=1\ny=2\n"},
        {"new section in an LF file", "[A]\nx=1\n", [](TIniFile& i) { i.WriteString("B", "y", "2"); },
         "[A]\nx=1\n\n[B]\ny=2\n"},
        {"mixed ends: the new line copies the end of the line it follows", "[A]\r\nx=1\ry=2\nz=3\r\n",
         [](TIniFile& i) { i.WriteString("A", "w", "4"); }, "[A]\r\nx=1\ry=2\nz=3\r\nw=4\r\n"},
        {"no final line break: one is added before the new line", "[A]\r\nx=1",
         [](TIniFile& i) { i.WriteString("A", "y", "2"); }, "[A]\r\nx=1\r\ny=2"},
        {"no final line break, new section", "[A]\nx=1", [](TIniFile& i) { i.WriteString("B", "k", "v"); },
         "[A]\nx=1\n\n[B]\nk=v\n"},
        {"replacing the last line keeps its missing break", "[A]\r\nx=1",
         [](TIniFile& i) { i.WriteString("A", "x", "22"); }, "[A]\r\nx=22"},
        {"a NUL byte elsewhere in the file is kept", std::string("[A]\r\nn=a\0b\r\nx=1\r\n", 17),
         [](TIniFile& i) { i.WriteString("A", "x", "2"); }, std::string("[A]\r\nn=a\0b\r\nx=2\r\n", 17)},
        {"bytes above 127 are kept", "[A]\r\nname=Caf\xe9\r\n", [](TIniFile& i) { i.WriteString("A", "k", "\xff"); },
         "[A]\r\nname=Caf\xe9\r\nk=\xff\r\n"},
        {"deleting a line that joins a lone CR to an LF", "[A]\rb=1\r\n\n[B]\nc=2\n",
         [](TIniFile& i) {
             i.DeleteKey("A", "b");
             i.WriteString("A", "d", "3");
         },
         "[A]\r\nd=3\r\n[B]\nc=2\n"},
        {"empty file", "", [](TIniFile& i) { i.WriteString("A", "k", "v"); }, "[A]\r\nk=v\r\n"},
        {"file of blank lines only", "\n\n", [](TIniFile& i) { i.WriteString("A", "k", "v"); }, "\n\n[A]\nk=v\n"},
        {"erase of the last section up to the end of the file", "[A]\nx=1\n[B]\ny=2",
         [](TIniFile& i) { i.EraseSection("B"); }, "[A]\nx=1\n"},
        {"a header with blanks is matched by its exact inner name", "[ A ]\nx=1\n[A]\ny=2\n",
         [](TIniFile& i) { i.WriteString("A", "x", "9"); }, "[ A ]\nx=1\n[A]\ny=2\nx=9\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.file("a.ini"), c.file);
        TIniFile ini(dir.file("a.ini"));
        c.edit(ini);
        EXPECT_EQ(readBytes(dir.file("a.ini")), c.expected) << c.name;
        TAcceleratedIniFile fresh(dir.file("a.ini"));
        EXPECT_EQ(ini.Text(), fresh.Text()) << c.name;
    }
}

TEST(IniFile, AMissingFileIsCreatedByTheFirstWrite)
{
    TempDir dir;
    TIniFile ini(dir.file("new.uis"));
    EXPECT_EQ(ini.ReadString("A", "k", "?"), "?");
    EXPECT_FALSE(fs::exists(dir.file("new.uis")));
    ini.WriteString("A", "k", "v");
    ini.WriteString("A", "l", "w");
    EXPECT_EQ(readBytes(dir.file("new.uis")), "[A]\r\nk=v\r\nl=w\r\n");
}

TEST(IniFile, AFailedWriteChangesNeitherDiskNorMemory)
{
    struct Case {
        const char* name;
        std::function<void(const fs::path& folder, const fs::path& file)> breakIt;
        const char* message;
        bool removalsFail;  // with the file gone there is nothing left to remove
    } cases[] = {
        {"the folder is gone", [](const fs::path& folder, const fs::path&) { fs::remove_all(folder); },
         "Unable to write to ", false},
        {"a folder stands where the file was",
         [](const fs::path&, const fs::path& file) {
             fs::remove(file);
             fs::create_directory(file);
         },
         "Unable to write to ", true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        fs::path folder = dir.path() / "skin";
        fs::path file = folder / "skin.uis";
        fs::create_directory(folder);
        writeBytes(file, "[A]\r\nk=old\r\n");
        TIniFile ini(file.string());
        c.breakIt(folder, file);
        std::vector<std::function<void()>> edits = {
            [&] { ini.WriteString("A", "k", "new"); },
            [&] { ini.WriteString("B", "k", "new"); },
        };
        if (c.removalsFail) {
            edits.push_back([&] { ini.DeleteKey("A", "k"); });
            edits.push_back([&] { ini.EraseSection("A"); });
        }
        for (const auto& edit : edits) {
            try {
                edit();
                ADD_FAILURE() << c.name << ": no error";
            } catch (const EIniFileException& error) {
                EXPECT_EQ(std::string(error.what()).rfind(c.message + file.string(), 0), 0u) << error.what();
            }
        }
        EXPECT_EQ(ini.ReadString("A", "k", "?"), "old") << c.name;
        EXPECT_EQ(ini.ReadString("B", "k", "?"), "?") << c.name;
        if (fs::exists(folder)) {
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "a temporary file was left behind";
        }
    }
}

TEST(IniFile, TextsThatCannotBeOneLineAreRefused)
{
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"A", "k", "two\r\nlines"}, {"A", "k", "cr\ronly"}, {"A\n[B]", "k", "v"}, {"A", "k\nx", "v"},
        {"A", "a=b", "v"},          {"A", ";k", "v"},       {"A", " k", "v"},     {"A", "[k", "v]"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.file("a.ini"), "[A]\r\nk=1\r\n");
        TIniFile ini(dir.file("a.ini"));
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException) << c.section << "," << c.key;
        EXPECT_EQ(readBytes(dir.file("a.ini")), "[A]\r\nk=1\r\n");
        EXPECT_EQ(ini.ReadString("A", "k", "?"), "1");
    }
}

TEST(IniFile, ChangesMadeByOthersSinceTheLastWriteAreKept)
{
    TempDir dir;
    writeBytes(dir.file("a.ini"), "[A]\r\nx=1\r\n");
    TIniFile ini(dir.file("a.ini"));
    ini.WriteString("A", "y", "2");
    writeBytes(dir.file("a.ini"), "; added by hand\r\n[A]\r\nx=1\r\ny=2\r\n[Z]\r\nz=26\r\n");
    ini.WriteString("A", "x", "3");
    EXPECT_EQ(readBytes(dir.file("a.ini")), "; added by hand\r\n[A]\r\nx=3\r\ny=2\r\n[Z]\r\nz=26\r\n");
    EXPECT_EQ(ini.ReadString("Z", "z", "?"), "?");  // reads still come from memory
}

TEST(IniFile, LinksPermissionsAndNoLeftovers)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links and POSIX modes; FileSafetyWindows checks their Windows counterparts";
#endif
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    writeBytes(dir.path() / "real" / "a.ini", "[A]\nx=1\n");
    fs::permissions(dir.path() / "real" / "a.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(dir.path() / "real" / "a.ini", dir.path() / "link.ini");
    TIniFile ini(dir.file("link.ini"));
    for (int i = 0; i < 20; ++i)
        ini.WriteInteger("A", "x", i);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(readBytes(dir.path() / "real" / "a.ini"), "[A]\nx=19\n");
    EXPECT_EQ(fs::status(dir.path() / "real" / "a.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "real"), {}), 1);
}

TEST(IniFile, ABareFileNameLivesInTheWindowsFolder)
{
    TempDir dir;
    const char* previous = std::getenv("WINDIR");
    std::string saved = previous ? previous : "";
    test::setEnvironment("WINDIR", (dir.path() / "win").string().c_str());
    {
        TIniFile ini("vx.ini");
        EXPECT_EQ(ini.FileName(), "vx.ini");
        ini.WriteString("Settings", "Hook", "1");
        EXPECT_EQ(readBytes(dir.path() / "win" / "vx.ini"), "[Settings]\r\nHook=1\r\n");
        TIniFile again("vx.ini");
        EXPECT_EQ(again.ReadString("settings", "hook", "?"), "1");
    }
    test::setEnvironment("WINDIR", previous ? saved.c_str() : nullptr);
}

}  // namespace
}  // namespace sw
