// The catalogues and sample skins shipped in data/ (copied beside the test program).
#include "document/FileReference.h"
#include "document/UisFile.h"

#include "store/PlatformPaths.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;

fs::path skinsFolder()
{
    return programFolder() / "skins";
}

TEST(ShippedData, SampleSkinsLoadWithTheirVersionAndEveryFileTheyName)
{
    struct Case {
        const char* file;
        int version;
        int buttons;
    } cases[] = {
        {"Tidewater/Tidewater.uis", UisType2, 9},
        {"Slate/Slate.uis", UisType1p, 3},
        {"Parchment/Parchment.uis", UisType1, 0},
        {"Misnamed/Harbour.uis", UisType2, -1},
    };
    for (const Case& c : cases) {
        TUisFile document((skinsFolder() / c.file).string());
        ASSERT_EQ(document.FormatVersion(), c.version) << c.file;
        if (c.buttons >= 0) {
            EXPECT_EQ(document.ButtonCount(), c.buttons) << c.file;
        }
        TStrings sections, keys;
        document.ReadSections(sections);
        int references = 0;
        for (const std::string& section : sections) {
            document.ReadSection(section, keys);
            for (const std::string& key : keys) {
                int kind = document.EditorKind(section, key);
                if (kind != 5 && kind != 17 && kind != 46)
                    continue;  // bitmaps, sounds and scripts are files of the skin
                std::string value = document.ReadString(section, key, "");
                auto path = resolveFileReference(document.SkinsRoot(), value);
                ASSERT_TRUE(path.has_value()) << c.file << " [" << section << "] " << key << "=" << value;
                EXPECT_TRUE(fs::is_regular_file(*path)) << c.file << " [" << section << "] " << key << "=" << value;
                ++references;
            }
        }
        EXPECT_GT(references, 2) << c.file;
    }
}

// Every section and key that the program itself reads from a version-2 personality
// has a definition, so the explorer can describe it and the validator check it.
TEST(ShippedData, TheVersionTwoCatalogueDefinesWhatTheProgramReads)
{
    TUisFile document{std::string(kForceUis2Definition)};
    const char* keys[] = {
        "TITLEBARSKIN,SkinName", "TITLEBARSKIN,SkinAuthor", "TITLEBARSKIN,EditorNotes", "TITLEBARSKIN,Generator",
        "TITLEBARSKIN,VXVer", "TITLEBARSKIN,AuthorsURL", "TITLEBARSKIN,AuthorEmail", "TITLEBARSKIN,SpecialNotes",
        "PERSONALITY,ButtonCount", "PERSONALITY,Top", "PERSONALITY,Bottom", "PERSONALITY,Left", "PERSONALITY,Right",
        "PERSONALITY,TopStretch", "PERSONALITY,LeftFrame", "PERSONALITY,TopTopHeight", "PERSONALITY,TopBotHeight",
        "PERSONALITY,RightBotHeight", "PERSONALITY,AniRate", "PERSONALITY,NoShape", "PERSONALITY,CombineTextBack",
        "PERSONALITY,TripleImages", "PERSONALITY,TextShift", "PERSONALITY,TextRightClip",
        "PERSONALITY,TextAlignment", "PERSONALITY,TextOnBottom", "PERSONALITY,TextShiftVert",
        "PERSONALITY,TextBack", "PERSONALITY,TXTBackLeft", "PERSONALITY,TXTBackRight", "PERSONALITY,DialogBmp",
        "PERSONALITY,Menubar", "PERSONALITY,TileMenu", "PERSONALITY,RollupSize", "PERSONALITY,ActiveTextR",
        "COLOURS,ActiveTitle", "COLOURS,ButtonFace", "COLOURS,ButtonText", "COLOURS,Menu", "COLOURS,MenuText",
        "Fonts,FontName", "Fonts,FontHeight", "Text,Use3DText", "Text,ShadowOffset",
        "BUTTONS,BITMAP", "BUTTONS,CheckButton", "BUTTONS,RadioButton", "TABS,IMAGE", "TABS,Border",
        "PROGRESS,BITMAP", "Scrollbar,IMAGE", "HorzScroll,IMAGE", "HorzScrollThumb,IMAGE", "VertScroll,IMAGE",
        "VertScrollThumb,IMAGE", "PROGRESS,LEFTWIDTH", "BUTTONS,TOPHEIGHT", "TABS,Tile", "BUTTONS,Trans",
        "Button3,Action", "Button3,Align", "Button3,Visibility", "Button3,Visibility9", "Button3,XCoord",
        "Button3,YCoord", "Button3,ButtonImage", "Button3,CombineOp", "Button3,Type", "Button3,Text",
        "Button3,Width", "Button3,Height", "Button3,DllName", "Button3,ShiftAction", "Button3,CtrlAction",
        "Font2,FontName", "Font2,FontHeight", "Clock,Background",
    };
    for (const char* key : keys)
        EXPECT_NE(document.AttributeTypeOf(std::string(key).substr(0, std::string(key).find(',')),
                                           std::string(key).substr(std::string(key).find(',') + 1)),
                  TypeUnknown)
            << key;
    const char* sections[] = {"TITLEBARSKIN", "PERSONALITY", "COLOURS", "Fonts", "Text", "BUTTONS", "TABS",
                              "PROGRESS", "Scrollbar", "HorzScroll", "HorzScrollThumb", "VertScroll",
                              "VertScrollThumb", "Button", "Font", "Colour", "Layout", "Script", "Clock"};
    for (const char* section : sections)
        EXPECT_NE(document.Definition().ReadString(std::string("Root,") + section, "Description", "?"), "?") << section;
    for (const char* family : {"Font", "Colour", "Layout", "Script"})
        EXPECT_TRUE(document.IsEnumerated(family)) << family;
    // The button value tables.
    TStrings actions;
    int shift = document.Choices("Button", "Action", actions);
    EXPECT_EQ(shift, -3);
    ASSERT_GE(actions.size(), 44u);
    EXPECT_NE(actions[0], "Value0");  // -3, the plug-in
}

}  // namespace
}  // namespace sw
