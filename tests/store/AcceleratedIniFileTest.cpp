#include "store/AcceleratedIniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// An in-memory store loaded from the given bytes.
struct Loaded {
    TempDir dir;
    std::unique_ptr<TAcceleratedIniFile> ini;
    explicit Loaded(const std::string& bytes)
    {
        writeBytes(dir.file("a.ini"), bytes);
        ini = std::make_unique<TAcceleratedIniFile>(dir.file("a.ini"));
    }
};

TEST(AcceleratedIniFile, LoadingKeepsWhatTheParserRulesKeep)
{
    struct Case {
        const char* name;
        std::string file;
        std::string text;  // what UpdateFile would write back
    } cases[] = {
        {"text above the first header is dropped", "orphan=1\r\n; note\r\n[A]\r\nk=v\r\n", "[A]\r\nk=v\r\n\r\n"},
        {"blanks around name, = and value are trimmed; ; is not a comment inside a line",
         "[A]\r\n  Name  =  some ; value  \r\n", "[A]\r\nName=some ; value\r\n\r\n"},
        {"a value keeps further =", "[A]\nk=a=b==c\n", "[A]\r\nk=a=b==c\r\n\r\n"},
        {"plain text becomes an entry with an empty name", "[A]\nhello world\n", "[A]\r\n=hello world\r\n\r\n"},
        {"comments and blank lines are not kept", "[A]\n;k=1\n\n   \n\t;x\nk=2\n", "[A]\r\nk=2\r\n\r\n"},
        {"blanks inside the brackets belong to the name", "[ A ]\nk=1\n", "[ A ]\r\nk=1\r\n\r\n"},
        {"duplicate sections are both kept", "[A]\nx=1\n[a]\ny=2\n", "[A]\r\nx=1\r\n\r\n[a]\r\ny=2\r\n\r\n"},
        {"lone CR, LF and CR LF all end lines; no final break needed", "[A]\rx=1\ny=2\r\nz=3",
         "[A]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n"},
        {"NUL bytes inside a line are kept as they are", std::string("[A]\nk=a\0b\n", 10),
         std::string("[A]\r\nk=a\0b\r\n\r\n", 14)},
        {"a NUL at a line's end is trimmed like any control character", std::string("[A]\nk=ab\0\n", 10),
         "[A]\r\nk=ab\r\n\r\n"},
        {"a header needs both brackets", "[A]\n[B\nB]\n[]\nk=1\n", "[A]\r\n=[B\r\n=B]\r\n\r\n[]\r\nk=1\r\n\r\n"},
        {"an empty file is an empty store", "", ""},
    };
    for (const Case& c : cases) {
        Loaded loaded(c.file);
        EXPECT_EQ(loaded.ini->Text(), c.text) << c.name;
    }
}

TEST(AcceleratedIniFile, LookupsFindTheFirstMatchIgnoringCase)
{
    Loaded loaded("[Colours]\r\nActive=1 2 3\r\nACTIVE=9\r\n[A]\r\nx=1\r\n[a]\r\ny=2\r\n[Empty]\r\n"
                  "[M]\r\nm=#@!$$NON$TYPICAL$STRING$$!@#\r\n[P]\r\nplain text\r\n");
    TAcceleratedIniFile& ini = *loaded.ini;
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"colours", "active", "1 2 3"}, {"COLOURS", "Active", "1 2 3"}, {"A", "x", "1"},
        {"a", "y", "?"},  // only the first [A] is searched
        {"Empty", "x", "?"},           {"Nowhere", "x", "?"},           {"P", "", "plain text"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "?"), c.expected) << c.section << "," << c.key;

    TStrings list;
    ini.ReadSections(list);
    EXPECT_EQ(list, (TStrings{"Colours", "A", "a", "Empty", "M", "P"}));
    ini.ReadSection("COLOURS", list);
    EXPECT_EQ(list, (TStrings{"Active", "ACTIVE"}));
    ini.ReadSection("p", list);
    EXPECT_EQ(list, (TStrings{""}));
    ini.ReadSectionValues("a", list);
    EXPECT_EQ(list, (TStrings{"x=1"}));
    ini.ReadSection("Nowhere", list);
    EXPECT_TRUE(list.empty());

    EXPECT_TRUE(ini.SectionExists("colours"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_FALSE(ini.SectionExists("Nowhere"));
    EXPECT_TRUE(ini.ValueExists("A", "X"));
    EXPECT_FALSE(ini.ValueExists("A", "nope"));
    EXPECT_FALSE(ini.ValueExists("M", "m"));  // the stored value is the marker itself
}

TEST(AcceleratedIniFile, TypedReads)
{
    Loaded loaded("[T]\nhex=0x1F\nHEX2=0X1f\ndollar=$1F\nbare=0x\nmixed=12abc\nneg=-12\nwide=0xFFFFFFFF\n"
                  "one=1\nminus=-1\nsixteen=0x10\nzero=0\nword=true\nempty=\n");
    TAcceleratedIniFile& ini = *loaded.ini;
    struct Case {
        const char* key;
        int32_t integer;  // default 7
        bool boolTrueDefault;
        bool boolFalseDefault;
    } cases[] = {
        {"hex", 31, true, true},       {"HEX2", 31, true, true},     {"dollar", 31, true, true},
        {"bare", 7, true, false},      {"mixed", 7, true, false},    {"neg", -12, true, true},
        {"wide", -1, true, true},      {"one", 1, true, true},       {"minus", -1, true, true},
        {"sixteen", 16, true, true},   {"zero", 0, false, false},    {"word", 7, true, false},
        {"empty", 7, true, false},     {"missing", 7, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadInteger("T", c.key, 7), c.integer) << c.key;
        EXPECT_EQ(ini.ReadBool("T", c.key, true), c.boolTrueDefault) << c.key;
        EXPECT_EQ(ini.ReadBool("T", c.key, false), c.boolFalseDefault) << c.key;
    }
}

TEST(AcceleratedIniFile, WritesReplaceTheFirstEntryWholeOrAppend)
{
    Loaded loaded("[A]\nKEY=old\nother=1\nkey=second\n");
    TAcceleratedIniFile& ini = *loaded.ini;
    ini.WriteString("a", "Key", "new");
    ini.WriteString("A", "added", "2");
    ini.WriteString("New Section", "k", "v");
    ini.WriteInteger("A", "int", -42);
    ini.WriteBool("A", "flag", true);
    ini.WriteBool("A", "off", false);
    EXPECT_EQ(ini.Text(), "[A]\r\nKey=new\r\nother=1\r\nkey=second\r\nadded=2\r\nint=-42\r\nflag=1\r\noff=0\r\n\r\n"
                          "[New Section]\r\nk=v\r\n\r\n");
}

// Entries are views of the store's kept bytes; values written over and over are
// gathered into fresh bytes from time to time. Every entry must read the same across that.
TEST(AcceleratedIniFile, ManyWritesOverTheSameEntriesKeepEveryValue)
{
    Loaded loaded("; head\n[A]\nfirst = 1\nsecond=two\n[B]\nkept=as loaded\n");
    TAcceleratedIniFile& ini = *loaded.ini;
    std::string expectedA;
    for (int round = 0; round < 3000; ++round) {
        const std::string value(std::size_t(round % 97), char('a' + round % 26));
        ini.WriteString("A", "second", value);
        ini.WriteString("A", "k" + std::to_string(round % 50), std::to_string(round));
        if (round % 7 == 0)
            ini.DeleteKey("A", "k" + std::to_string((round + 25) % 50));
        ASSERT_EQ(ini.ReadString("A", "second", "?"), value) << round;
        ASSERT_EQ(ini.ReadString("A", "first", "?"), "1") << round;
        ASSERT_EQ(ini.ReadString("B", "kept", "?"), "as loaded") << round;
    }
    ini.EraseSection("A");
    ini.WriteString("C", "x", "y");
    EXPECT_EQ(ini.Text(), "[B]\r\nkept=as loaded\r\n\r\n[C]\r\nx=y\r\n\r\n");
}

TEST(AcceleratedIniFile, EraseAndDeleteNeverLeaveAStaleCache)
{
    Loaded loaded("[A]\nx=1\ny=2\n[B]\nz=3\n[A]\nx=second\n");
    TAcceleratedIniFile& ini = *loaded.ini;
    EXPECT_EQ(ini.ReadString("A", "x", "?"), "1");  // [A] is now cached
    ini.EraseSection("a");
    EXPECT_EQ(ini.ReadString("A", "x", "?"), "second");  // the second [A] is now the first
    ini.EraseSection("A");
    EXPECT_EQ(ini.ReadString("A", "x", "?"), "?");
    ini.DeleteKey("B", "Z");
    ini.DeleteKey("B", "missing");
    ini.DeleteKey("Missing", "z");
    EXPECT_EQ(ini.Text(), "[B]\r\n\r\n");
    EXPECT_FALSE(ini.SectionExists("B"));
}

TEST(AcceleratedIniFile, LongSectionsAndFilesAnswerAsTheFirstMatchSearch)
{
    // Enough sections and keys that look-ups go through the indexes.
    std::string file;
    for (int s = 0; s < 40; ++s) {
        file += "[S" + std::to_string(s % 30) + "]\n";
        for (int k = 0; k < 40; ++k)
            file += "K" + std::to_string(k % 25) + "=" + std::to_string(s) + "." + std::to_string(k) + "\n";
    }
    Loaded loaded(file);
    TAcceleratedIniFile& ini = *loaded.ini;
    EXPECT_EQ(ini.ReadString("s5", "k3", "?"), "5.3");
    EXPECT_EQ(ini.ReadString("S35", "k3", "?"), "?");
    EXPECT_EQ(ini.ReadString("S29", "K24", "?"), "29.24");
    ini.DeleteKey("S5", "K3");  // the duplicate K3 (k = 28) becomes the first
    EXPECT_EQ(ini.ReadString("s5", "k3", "?"), "5.28");
    ini.EraseSection("S5");  // the second [S5] (s = 35) becomes the first
    EXPECT_EQ(ini.ReadString("S5", "K3", "?"), "35.3");
    ini.WriteString("S99", "K1", "new");
    EXPECT_EQ(ini.ReadString("s99", "k1", "?"), "new");
    ini.WriteString("S6", "K99", "added");
    EXPECT_EQ(ini.ReadString("S6", "k99", "?"), "added");
}

TEST(AcceleratedIniFile, UpdateFileAndLoadMore)
{
    TempDir dir;
    writeBytes(dir.file("base.ini"), "[A]\nx=1\n");
    writeBytes(dir.file("more.ini"), "junk\n[a]\ny=2\n[B]\n");
    TAcceleratedIniFile ini(dir.file("base.ini"));
    ini.LoadMore(dir.file("more.ini"));
    ini.LoadMore(dir.file("missing.ini"));
    EXPECT_EQ(ini.FileName(), dir.file("base.ini"));
    EXPECT_EQ(ini.ReadString("A", "y", "?"), "?");
    ini.WriteString("B", "z", "3");
    ini.UpdateFile();
    EXPECT_EQ(readBytes(dir.file("base.ini")), "[A]\r\nx=1\r\n\r\n[a]\r\ny=2\r\n\r\n[B]\r\nz=3\r\n\r\n");

    for (const char* blank : {"", "   "}) {
        TAcceleratedIniFile nameless(blank);
        nameless.WriteString("A", "x", "1");
        nameless.UpdateFile();  // writes nothing, and does not fail
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

    TAcceleratedIniFile missing(dir.file("new.ini"));
    EXPECT_EQ(missing.Text(), "");
    missing.UpdateFile();
    EXPECT_EQ(readBytes(dir.file("new.ini")), "");
}

TEST(AcceleratedIniFile, UnreadableOrUnwritableFilesRaiseErrorsNamingThem)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.ini");
    try {
        TAcceleratedIniFile ini(dir.file("folder.ini"));
        ini.UpdateFile();
        FAIL() << "no error";
    } catch (const EIniFileException& error) {
        EXPECT_NE(std::string(error.what()).find(dir.file("folder.ini")), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace sw
