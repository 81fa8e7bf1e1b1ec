#include "common/SkinProperties.h"

#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(SkinProperties, AnEmptySettingsFileGivesEveryDefault)
{
    TempDir dir;
    TAcceleratedIniFile settings(dir.file("sw.ini"));
    const Preferences p = readPreferences(settings);
    EXPECT_EQ(p.author[0], "Default Skin Name");
    EXPECT_NE(p.author[1].find(" (put your name here)"), std::string::npos);
    EXPECT_NE(p.author[2].find(" (put your URL here)"), std::string::npos);
    EXPECT_NE(p.author[3].find(" (put your e-mail here)"), std::string::npos);
    EXPECT_EQ(p.author[4], "Sample Special Note (here's the place for your default sample note)");
    EXPECT_FALSE(p.windowsSizeRestore);
    EXPECT_FALSE(p.loadRecentlyEdited);
    EXPECT_TRUE(p.desktopState);
    EXPECT_EQ(p.maxRecent, 4);
    EXPECT_TRUE(p.attributesHotTrack && p.descriptiveNames && p.showPreviewTransparency && p.enableHighlighting);
    EXPECT_EQ(p.logoMode, 1);
    EXPECT_EQ(p.skinShotFormat, 2);
    EXPECT_EQ(p.editMode, 2);
    EXPECT_EQ(p.editButtonMode, 0);
    EXPECT_EQ(p.customEditor, "");
    struct Expected {
        int colour, index;
        bool bold, italic, underline;
    } expected[] = {{128 + 128 * 256 + 128 * 65536, 7, false, true, false},
                    {255, 9, true, false, false},
                    {0, 0, false, false, false},
                    {255 * 65536, 4, false, false, false},
                    {0, 0, true, false, false}};
    for (int i = 0; i < kCodeViewElements; ++i) {
        const CodeViewStyle& s = p.codeView[i];
        EXPECT_EQ(std::tuple(s.colour, s.colourIndex, s.bold, s.italic, s.underline),
                  std::tuple(expected[i].colour, expected[i].index, expected[i].bold, expected[i].italic,
                             expected[i].underline))
            << codeViewElements()[i].caption;
    }
}

TEST(SkinProperties, OutOfRangeValuesFallBackAndMaxRecentIsClamped)
{
    struct Case {
        const char* key;
        const char* stored;
        int Preferences::*field;
        int expected;
    } cases[] = {
        {"MaxRecent", "7", &Preferences::maxRecent, 7},   {"MaxRecent", "15", &Preferences::maxRecent, 10},
        {"MaxRecent", "0", &Preferences::maxRecent, 1},   {"MaxRecent", "x", &Preferences::maxRecent, 4},
        {"LogoMode", "3", &Preferences::logoMode, 1},     {"LogoMode", "0", &Preferences::logoMode, 0},
        {"EditMode", "4", &Preferences::editMode, 2},     {"EditMode", "3", &Preferences::editMode, 3},
        {"SkinShotFormat", "-1", &Preferences::skinShotFormat, 2},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.path() / "sw.ini", std::string("[General]\r\n") + c.key + "=" + c.stored + "\r\n");
        TAcceleratedIniFile settings(dir.file("sw.ini"));
        EXPECT_EQ(readPreferences(settings).*c.field, c.expected) << c.key << "=" << c.stored;
    }
}

TEST(SkinProperties, StoringWritesEveryKeyInTheDialogsOrder)
{
    TempDir dir;
    TAcceleratedIniFile settings(dir.file("sw.ini"));
    Preferences p = readPreferences(settings);
    p.logoMode = 2;
    p.logoImage = "C:\\logo.bmp";
    p.maxRecent = 7;
    storeGeneral(settings, p);
    storeAuthor(settings, p.author);
    storeCodeView(settings, p);
    storeEditors(settings, p);
    settings.UpdateFile();
    const std::string written = readBytes(dir.path() / "sw.ini");
    const char* order[] = {"[General]",          "LogoMode=2",         "LogoImage=C:\\logo.bmp",
                           "ShowPreviewTransparrency=1", "WindowsSizeRestore=0", "LoadRecentlyEdited=0",
                           "DesktopState=1",     "MaxRecent=7",        "DescriptiveNames=1",
                           "AttributesHotTrack=1", "SkinShotFormat=2", "CustomEditor=",
                           "EditMode=2",         "EditButtonMode=0",   "[Author]",
                           "SkinName=Default Skin Name", "SpecialNotes=Sample Special Note", "[CodeView]",
                           "EnableHighLighting=1", "CommentColor=8421504", "CommentColorIndex=7",
                           "CommentFontBold=0",  "CommentFontItalic=1", "CommentUnderline=0",
                           "SectionColor=255",   "CodeColor=0",        "ValueColor=16711680",
                           "ValueColorIndex=4",  "KeyWordFontBold=1",  "KeyWordUnderline=0"};
    std::size_t at = 0;
    for (const char* piece : order) {
        const std::size_t found = written.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece << " after " << at << " in\n" << written;
        at = found;
    }
}

TEST(SkinProperties, SetAsDefaultLeavesTheSkinNameAlone)
{
    TempDir dir;
    TAcceleratedIniFile settings(dir.file("sw.ini"));
    storeAuthor(settings, {"Name", "Me", "https://me.example", "me@example", "Notes"}, false);
    EXPECT_FALSE(settings.ValueExists("Author", "SkinName"));
    EXPECT_EQ(readAuthorValue(settings, "SkinAuthor"), "Me");
    EXPECT_EQ(readAuthorValue(settings, "SpecialNotes"), "Notes");
}

TEST(SkinProperties, TheGridHoldsTheSixteenStandardColoursRowByRow)
{
    const int rgb[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(standardColours()[i], rgb[i][0] + 256 * rgb[i][1] + 65536 * rgb[i][2]) << i;
        EXPECT_EQ(standardColourIndex(standardColours()[i]), i);
    }
    EXPECT_EQ(standardColourIndex(1), -1);
}

}  // namespace
}  // namespace sw
