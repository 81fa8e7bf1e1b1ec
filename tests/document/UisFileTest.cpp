#include "document/UisFile.h"

#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// A skins root with one personality folder and a program folder with tiny catalogues.
struct SkinFixture {
    TempDir dir;
    fs::path program = dir.path() / "program";
    fs::path folder = dir.path() / "Skins" / "Aqua";

    SkinFixture()
    {
        fs::create_directories(program / "PLUGINS" / "clock");
        fs::create_directories(program / "PLUGINS" / ".hidden");
        fs::create_directories(folder / "sub.bmp");
        writeBytes(program / "uis2.def", "[Root,Font]\nEnumerated=1\n[Skin,Pic]\nConstraints=*.bmp\n");
        writeBytes(program / "uis1p.def", "[Root,Font]\nEnumerated=1\n[PluginInfo]\nUisType=11\n");
        writeBytes(program / "uis1.def", "[Root,Old]\nName=Old\n");
        setProgramFolder(program);
    }
    ~SkinFixture() { setProgramFolder({}); }

    std::string uis(const std::string& text, const std::string& name = "aqua.uis")
    {
        writeBytes(folder / name, text);
        return (folder / name).string();
    }
};

TEST(UisFile, FormatDetectionTriesTheMarkersInOrder)
{
    SkinFixture f;
    struct Case {
        const char* text;
        int version;
        const char* catalogueProbe;  // a definition only that version's catalogue has
    } cases[] = {
        {"[Caption]\nButtonCount=3\n[TitlebarSkin]\nSkinAuthor=me\n", UisType1p, "Root,Font"},
        {"[TITLEBARSKIN]\nActiveTitle=1\nSkinAuthor=me\n", UisType1, "Root,Old"},
        {"[titlebarskin]\nskinauthor=me\n", UisType2, "Root,Font"},
        {"[TITLEBARSKIN]\nSkinName=x\n", UisTypeUnknown, nullptr},
        {"[CAPTION]\n", UisTypeUnknown, nullptr},
    };
    for (const Case& c : cases) {
        TUisFile document(f.uis(c.text));
        EXPECT_EQ(document.FormatVersion(), c.version) << c.text;
        TStrings sections;
        document.Definition().ReadSections(sections);
        if (c.catalogueProbe) {
            EXPECT_TRUE(document.Definition().ValueExists(c.catalogueProbe, c.version == UisType1 ? "Name" : "Enumerated"));
        } else {
            EXPECT_TRUE(sections.empty());
        }
    }
}

TEST(UisFile, VersionZeroIsDetectedAgainAndSpecialNames)
{
    SkinFixture f;
    TUisFile missing((f.folder / "none.uis").string());
    EXPECT_EQ(missing.FormatVersion(), UisTypeUnknown);
    TStrings list;
    missing.ReadSections(list);
    EXPECT_TRUE(list.empty());

    TUisFile later(f.uis("[TITLEBARSKIN]\n"));
    EXPECT_EQ(later.FormatVersion(), UisTypeUnknown);
    later.WriteString("TITLEBARSKIN", "SkinAuthor", "me");
    EXPECT_EQ(later.FormatVersion(), UisType2);
    later.DeleteKey("TITLEBARSKIN", "SkinAuthor");
    EXPECT_EQ(later.FormatVersion(), UisType2);  // fixed once known

    TUisFile forced{std::string(kForceUis2Definition)};
    EXPECT_EQ(forced.FormatVersion(), UisType2);
    EXPECT_TRUE(forced.Definition().ValueExists("Root,Font", "Enumerated"));
    forced.WriteString("TITLEBARSKIN", "SkinName", "x");  // stays in memory
    EXPECT_EQ(forced.PersonalityName(), "x");
    EXPECT_FALSE(fs::exists(windowsFolder() / std::string(kForceUis2Definition)));
}

TEST(UisFile, FolderBitmapsAndFileChoices)
{
    SkinFixture f;
    for (const char* name : {"top.bmp", "Left.BMP", ".hidden.bmp", "logo.jpg", "b.wav"})
        writeBytes(f.folder / name, "x");
    TUisFile document(f.uis("[TITLEBARSKIN]\nSkinAuthor=me\n[Skin]\nPic=AQUA\\LEFT.bmp\nWav=Aqua\\none.wav\n"));
    EXPECT_EQ(document.Folder(), f.folder);
    EXPECT_EQ(document.SkinsRoot(), f.folder.parent_path());
    EXPECT_EQ(document.Bitmaps(), (std::vector<std::string>{".hidden.bmp", "Left.BMP", "top.bmp"}));
    TStrings list;
    EXPECT_EQ(document.FileChoices("Skin", "Pic", list), 0);
    EXPECT_EQ(list, (TStrings{"Aqua\\Left.BMP", "Aqua\\top.bmp"}));
    EXPECT_EQ(document.FileChoices("Skin", "Wav", list), -1);
#ifdef _WIN32
    // The file system ignores letter case: the same file, under the spelling asked for.
    EXPECT_TRUE(fs::equivalent(document.ReferencePath("aqua\\TOP.BMP"), f.folder / "top.bmp"));
#else
    EXPECT_EQ(document.ReferencePath("aqua\\TOP.BMP"), f.folder / "top.bmp");
#endif
    EXPECT_EQ(document.ReferencePath("..\\..\\x"), fs::path());
}

TEST(UisFile, ColoursButtonsAndSectionNames)
{
    SkinFixture f;
    TUisFile document(f.uis("[TITLEBARSKIN]\nSkinAuthor=me\n"
                            "[PERSONALITY]\nButtonCount=4\nActiveR=1\nActiveG=2\nActiveB=3\nOnlyRR=9\n"
                            "[COLOURS]\nActive=10 20 30\nTwo=12 34\nTabs=\t12\t34  56\nBad=1 x 3\nFour=1 2 3 4\n"
                            "[Button0]\nVisibility=2\n[Button1]\nVisibility5=7\n"
                            "[Font0]\nFace=A\n[Font2]\nFace=B\n[Font3]\n"));
    struct Case {
        const char* key;
        Colour expected;  // default -1
    } colours[] = {
        {"Active", 10 + 20 * 256 + 30 * 65536}, {"Two", -1}, {"Tabs", 12 + 34 * 256 + 56 * 65536},
        {"Bad", -1}, {"Four", 1 + 2 * 256 + 3 * 65536}, {"Missing", -1},
    };
    for (const Case& c : colours)
        EXPECT_EQ(document.ReadColour("Colours", c.key, -1), c.expected) << c.key;
    EXPECT_EQ(document.NamedColour("Active", -1), 10 + 20 * 256 + 30 * 65536);  // COLOURS wins
    EXPECT_EQ(document.NamedColour("active", -1), 10 + 20 * 256 + 30 * 65536);
    EXPECT_EQ(document.NamedColour("Nothing", -1), -1);
    EXPECT_EQ(document.NamedColour("OnlyR", -1), 9);
    document.WriteString("COLOURS", "Active", "garbage");
    EXPECT_EQ(document.NamedColour("Active", -1), -1);

    document.WriteColour("Colours", "Red", 16711680);
    EXPECT_EQ(document.ReadString("Colours", "Red", ""), "0 0 255");
    document.WriteColour("Colours", "Mixed", 0x00804020);
    EXPECT_EQ(document.ReadString("Colours", "Mixed", ""), "32 64 128");

    EXPECT_EQ(document.ButtonCount(), 4);
    document.SetButtonCount(5);
    EXPECT_EQ(document.ReadString("PERSONALITY", "ButtonCount", ""), "5");
    EXPECT_TRUE(document.ButtonVisibleInState(0, 2));
    EXPECT_FALSE(document.ButtonVisibleInState(0, 3));
    EXPECT_TRUE(document.ButtonVisibleInState(1, 7));   // only Visibility5 matches
    EXPECT_FALSE(document.ButtonVisibleInState(2, -255 + 1));
    EXPECT_TRUE(document.ButtonVisibleInState(2, -255)); // every missing key reads as -255

    EXPECT_EQ(document.NextFreeSectionName("Font"), "Font1");
    EXPECT_EQ(document.NextFreeSectionName("Layout"), "Layout");  // not enumerated
    for (int i = 0; i < 100; ++i)
        document.WriteString("Font" + std::to_string(i), "Face", "x");
    EXPECT_EQ(document.NextFreeSectionName("Font"), "Font100");
}

TEST(UisFile, ButtonCountAndFrameQueriesDependOnTheVersion)
{
    SkinFixture f;
    fs::path root = f.folder.parent_path();
    TUisFile v2(f.uis("[TITLEBARSKIN]\nSkinAuthor=me\n[PERSONALITY]\nButtonCount=2\nTopStretch=1\nLeftFrame=5\n"
                      "Top=Aqua\\top.bmp\nLeftTopHeight=7\n[BORDERS]\nFrameCount=9\n", "v2.uis"));
    TUisFile v1p(f.uis("[CAPTION]\nButtonCount=3\n[BORDERS]\nTopMiddleStretch=1\nFrameCount=4\nMDIActive=6\n"
                       "horzFrame=Aqua\\h.bmp\nvertFrame=Aqua\\v.bmp\nLeftBOTTOMHeight=8\nLeftTopHeight=2\n",
                       "v1p.uis"));
    TUisFile v1(f.uis("[TITLEBARSKIN]\nActiveTitle=1\n[PERSONALITY]\nButtonCount=2\nTopStretch=1\n", "v1.uis"));

    EXPECT_EQ(v2.ButtonCount(), 2);
    EXPECT_EQ(v1p.ButtonCount(), 3);
    EXPECT_EQ(v1.ButtonCount(), 0);
    v1.SetButtonCount(4);
    EXPECT_FALSE(v1.ValueExists("PERSONALITY", "ButtonCount") && v1.ReadInteger("PERSONALITY", "ButtonCount", 0) == 4);

    EXPECT_TRUE(v2.Stretched("Top"));
    EXPECT_FALSE(v2.Stretched("Left"));
    EXPECT_TRUE(v1p.Stretched("Top"));
    EXPECT_FALSE(v1.Stretched("Top"));
    EXPECT_EQ(v2.FrameCount("Left"), 5);
    EXPECT_EQ(v2.FrameCount("Top"), 1);
    EXPECT_EQ(v1p.FrameCount("Top"), 4);
    EXPECT_EQ(v1.FrameCount("Left"), 1);

    struct StateCase {
        int state, v2, v1p, v1;
    } states[] = {{0, 1, 1, 1}, {1, 42, 2, 1}, {3, 42, 6, 1}, {7, 42, 8, 1}};
    for (const StateCase& c : states) {
        EXPECT_EQ(v2.FrameForState(c.state, 42), c.v2) << c.state;
        EXPECT_EQ(v1p.FrameForState(c.state, 42), c.v1p) << c.state;
        EXPECT_EQ(v1.FrameForState(c.state, 42), c.v1) << c.state;
    }

    EXPECT_EQ(v2.FrameBitmapPath("TOP"), root / "Aqua" / "top.bmp");
    EXPECT_EQ(v2.FrameBitmapPath("Left"), fs::path());
    EXPECT_EQ(v1p.FrameBitmapPath("Bottom"), root / "Aqua" / "h.bmp");
    EXPECT_EQ(v1p.FrameBitmapPath("RIGHT"), root / "Aqua" / "v.bmp");
    EXPECT_EQ(v1p.FrameBitmapPath("Caption"), fs::path());
    EXPECT_EQ(v1.FrameBitmapPath("Top"), fs::path());

    EXPECT_EQ(v2.Height("Left", "Top"), 7);
    EXPECT_EQ(v2.Height("Left", "Bot"), 1);
    EXPECT_EQ(v1p.Height("Left", "Bot"), 8);
    EXPECT_EQ(v1p.Height("Left", "Top"), 2);
    EXPECT_EQ(v1.Height("Left", "Top"), 1);
}

TEST(UisFile, PluginCataloguesMergeOnlyForTheirVersionAndNeverOverride)
{
    SkinFixture f;
    writeBytes(f.folder / "mine.def", "[PluginInfo]\nUisType=2\n[Root,Clock]\nName=Clock\n[Root,Font]\nEnumerated=0\n");
    writeBytes(f.program / "PLUGINS" / "b.def", "[PluginInfo]\nUisType=11\n[Root,Bar]\nName=Bar\n");
    writeBytes(f.program / "PLUGINS" / "a.def", "[PluginInfo]\nUisType=2\n[Root,Abc]\nName=Abc\n");
    writeBytes(f.program / "PLUGINS" / "clock" / "c.def", "[PluginInfo]\nUisType=2\n[Root,Tick]\nName=Tick\n");
    writeBytes(f.program / "PLUGINS" / ".hidden" / "h.def", "[PluginInfo]\nUisType=2\n");
    writeBytes(f.program / "PLUGINS" / "notes.txt", "");

    auto files = pluginCatalogueFiles(f.folder, f.program);
    EXPECT_EQ(files, (std::vector<fs::path>{f.folder / "mine.def", f.program / "PLUGINS" / "a.def",
                                            f.program / "PLUGINS" / "b.def",
                                            f.program / "PLUGINS" / "clock" / "c.def"}));

    TUisFile document(f.uis("[TITLEBARSKIN]\nSkinAuthor=me\n"));
    std::vector<bool> merged;
    for (const fs::path& file : files)
        merged.push_back(document.MergePluginDefinitions(file.string()));
    EXPECT_EQ(merged, (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(document.SectionDisplayName("Clock"), "Clock");
    EXPECT_EQ(document.SectionDisplayName("Tick"), "Tick");
    EXPECT_EQ(document.SectionDisplayName("Bar"), "Bar");  // default: the name itself
    EXPECT_FALSE(document.Definition().ValueExists("Root,Bar", "Name"));
    EXPECT_TRUE(document.IsEnumerated("Font"));  // the base definition stays

    TUisFile v1p(f.uis("[CAPTION]\nButtonCount=1\n", "old.uis"));
    EXPECT_FALSE(v1p.MergePluginDefinitions((f.folder / "mine.def").string()));
    EXPECT_TRUE(v1p.MergePluginDefinitions((f.program / "PLUGINS" / "b.def").string()));
}

TEST(UisFile, EditsGoStraightToTheFileKeepingItsComments)
{
    SkinFixture f;
    std::string path = f.uis("; made by hand\r\n[TITLEBARSKIN]\r\nSkinAuthor=me\r\n\r\n[COLOURS]\r\nActive=1 2 3\r\n");
    TUisFile document(path);
    document.WriteColour("COLOURS", "Active", 0x0000FF);
    EXPECT_EQ(readBytes(path), "; made by hand\r\n[TITLEBARSKIN]\r\nSkinAuthor=me\r\n\r\n[COLOURS]\r\nActive=255 0 0\r\n");
}

}  // namespace
}  // namespace sw
