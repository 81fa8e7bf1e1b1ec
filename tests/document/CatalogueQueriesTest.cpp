#include "document/UisFile.h"

#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

const char* kQueriedCatalogue =
    "[Root,Colours]\nName=System colours\nDescription=Colours of the desktop\nParent=Root\nIconClosed=6\n"
    "[Root,Font]\nEnumerated=1\nVirtual=0\n"
    "[Root,Group]\nVirtual=1\nIconOpened=25\n"
    "[Root,TITLEBARSKIN]\nDescription=Identity\n"
    "[TITLEBARSKIN,SkinName]\nDescription=Name of the skin\n"
    "[Button,Action]\nType=Choose\nConstraints=4\nShiftNumericValue=-1\nDefault=0\nValue0=Plug-in\nValue1=Close\n"
    "Value2=Maximise\nDescription=What it does\n"
    "[Button,Align]\nType=CHOOSE\nConstraints=3\nValue0=Top left\nValue1=Top right\n"
    "[Button,Flag]\nType=BOOL\n"
    "[Button,Sound]\nType=FILE\nSubType=sound\n"
    "[Button,Name]\nType=string\n"
    "[Colours,Active]\nType=COLOR\nName=Active title\n"
    "[Colours,ActiveR]\nType=COLOR\n[Colours,Activeg]\nType=COLOR\n[Colours,ActiveB]\nType=color\n"
    "[Colours,Mode]\nType=CHOOSE\nConstraints=3\nShiftNumericValue=1\nValue0=One\nValue1=Two\nValue2=Three\n"
    "[Colours,Level]\nType=int\nConstraints=0,10\n"
    "[Colours,Single]\nType=INT\nConstraints=5\n"
    "[Colours,Broken]\nType=INT\nConstraints=1,ten\n"
    "[Colours,Open]\nType=INT\n"
    "[Colours,Wav]\nType=FILE\nSubType=SOUND\n"
    "[Colours,Cmd]\nType=FILE\nSubType=Command\n"
    "[Colours,Pack]\nType=FILE\nSubType=zip\n"
    "[Colours,Code]\nType=FILE\nSubType=script\n"
    "[Colours,Pic]\nType=FILE\nImageCount=2\nImage1=Left\n"
    "[Colours,Other]\nType=FILE\nSubType=movie\n"
    "[Colours,Face]\nType=FONT\n"
    "[Colours,Combo]\nType=COMBOCOLOR\n"
    "[Colours,On]\nType=BOOL\n[Colours,Off]\nType=BOOL\n"
    "[Colours,UseFont]\nType=ENUMERATOR\nSubType=Font\n"
    "[Colours,UseColour]\nType=ENUMERATOR\nSubType=COLOUR\n"
    "[Colours,UseLayout]\nType=ENUMERATOR\nSubType=Layout\n"
    "[Colours,UseButton]\nType=ENUMERATOR\nSubType=Button\n"
    "[Colours,UseScript]\nType=ENUMERATOR\nSubType=Script\n"
    "[Colours,UseOther]\nType=ENUMERATOR\nSubType=Clock\n"
    "[Colours,Weird]\nType=Text\n"
    "[Colours,Inherited]\nInherits=Colours,Mode\nName=Copy of mode\n";

struct CatalogueFixture {
    TempDir dir;
    std::unique_ptr<TUisFile> document;
    CatalogueFixture()
    {
        writeBytes(dir.path() / "uis2.def", kQueriedCatalogue);
        setProgramFolder(dir.path());
        fs::create_directories(dir.path() / "Skins" / "Aqua");
        writeBytes(dir.path() / "Skins" / "Aqua" / "aqua.uis",
                   "[TITLEBARSKIN]\nSkinAuthor=me\nSkinName=Aqua\n"
                   "[COLOURS]\nOn=1\nOff=0\n"
                   "[Button0]\nAction=1\nAlign=1\n[Button1]\n[Button2]\nAction=9\nAlign=7\n");
        document = std::make_unique<TUisFile>((dir.path() / "Skins" / "Aqua" / "aqua.uis").string());
    }
    ~CatalogueFixture() { setProgramFolder({}); }
};

TEST(CatalogueQueries, TypesAndEditorKinds)
{
    CatalogueFixture f;
    TUisFile& d = *f.document;
    struct Case {
        const char* section;
        const char* attribute;
        int type, kind;
    } cases[] = {
        {"Button7", "Action", 3, 3},     {"Button0", "Flag", 4, 18},      {"Button0", "Name", 1, 1},
        {"Button2", "Sound", 5, 17},     {"Colours", "Active", 6, 7},     {"Colours", "ActiveR", 6, 12},
        {"Colours", "Activeg", 6, 13},   {"Colours", "ActiveB", 6, 14},   {"Colours", "Level", 2, 2},
        {"Colours", "Wav", 5, 17},       {"Colours", "Cmd", 5, 16},       {"Colours", "Pack", 5, 51},
        {"Colours", "Code", 5, 46},      {"Colours", "Pic", 5, 5},        {"Colours", "Other", 5, 5},
        {"Colours", "Face", 11, 11},     {"Colours", "Combo", 7, 7},      {"Colours", "On", 4, 19},
        {"Colours", "Off", 4, 18},       {"Colours", "UseFont", 47, 70},  {"Colours", "UseColour", 47, 71},
        {"Colours", "UseLayout", 47, 72}, {"Colours", "UseButton", 47, 73}, {"Colours", "UseScript", 47, 74},
        {"Colours", "UseOther", 47, 47}, {"Colours", "Weird", 0, 0},      {"Colours", "Nothing", 0, 0},
        {" Colours ", " Level ", 2, 2},  {"Colours", "Inherited", 3, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(d.AttributeTypeOf(c.section, c.attribute), c.type) << c.section << "," << c.attribute;
        EXPECT_EQ(d.EditorKind(c.section, c.attribute), c.kind) << c.section << "," << c.attribute;
    }
    EXPECT_EQ(d.AttributeTypeOf("Colours", "Level", 5), 5);  // a preset wins
    EXPECT_EQ(d.EditorKind("Colours", "ActiveR", 1), 1);
    EXPECT_EQ(d.EditorKind("Colours", "Level", 6), 7);
}

TEST(CatalogueQueries, NamesDescriptionsAndCaptions)
{
    CatalogueFixture f;
    TUisFile& d = *f.document;
    EXPECT_EQ(d.AttributeDisplayName("Colours", "Active", "Active"), "Active title");
    EXPECT_EQ(d.AttributeDisplayName("Colours", "Level", "Level"), "Level");
    EXPECT_EQ(d.AttributeDisplayName("Root", "Colours", "Colours"), "System colours");
    EXPECT_EQ(d.SectionDisplayName("colours"), "System colours");
    EXPECT_EQ(d.SectionDisplayName("Fonts"), "Fonts");
    EXPECT_EQ(d.AttributeDescription("Button3", "Action", "none"), "What it does");
    EXPECT_EQ(d.AttributeDescription("Colours", "Level", "none"), "none");
    EXPECT_EQ(d.AttributeDescriptionInContext("Button12", "Action"), "What it does");
    EXPECT_EQ(d.AttributeDescriptionInContext("PushButton", "Action"), "What it does");  // contains BUTTON
    EXPECT_EQ(d.AttributeDescriptionInContext("Aqua", "SkinName"), "Name of the skin");  // the root node
    EXPECT_EQ(d.AttributeDescriptionInContext("titlebarskin", "SkinName"), "Name of the skin");
    EXPECT_EQ(d.AttributeDescriptionInContext("Buttons", "Action"), "Unknown");

    struct Caption {
        const char* section;
        const char* caption;
    } captions[] = {
        {"Button0", "[Button0]  - Maximise,  Aligned Top right"},
        {"Button1", "[Button1]  - Close,  Aligned Top left"},  // Default 0 less shift -1
        {"Button2", "[Button2]  - Undefined,  Aligned Unaligned"},
        {"Colours", "[Colours]  - Colours of the desktop"},
        {"Buttons", "[Buttons]  - Unknown"},
    };
    for (const Caption& c : captions)
        EXPECT_EQ(d.SectionCaption(c.section), c.caption);
    EXPECT_EQ(d.ButtonAlignmentText("Button0"), "Aligned Top right");

    d.DescriptiveNames = false;
    EXPECT_EQ(d.AttributeDisplayName("Colours", "Active", "x"), "Active");
    EXPECT_EQ(d.SectionDisplayName("colours"), "colours");
    EXPECT_EQ(d.ValueForDisplay("Colours", "Mode", "2"), "2");
    EXPECT_EQ(d.ValueForDisplay("Colours", "On", "1"), "1");
}

TEST(CatalogueQueries, LimitsChoicesAndDisplayValues)
{
    CatalogueFixture f;
    TUisFile& d = *f.document;
    EXPECT_EQ(d.Minimum("Colours", "Level"), 0);
    EXPECT_EQ(d.Maximum("Colours", "Level"), 10);
    EXPECT_EQ(d.Minimum("Colours", "Single"), 5);
    EXPECT_EQ(d.Maximum("Colours", "Single"), 5);
    EXPECT_EQ(d.Minimum("Colours", "Open"), -32766);
    EXPECT_EQ(d.Maximum("Colours", "Open"), 32767);
    EXPECT_EQ(d.Minimum("Colours", "Broken"), 1);
    try {
        d.Maximum("Colours", "Broken");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'ten' is not a valid integer value");
    }

    TStrings list;
    EXPECT_EQ(d.Choices("Colours", "Mode", list), 1);
    EXPECT_EQ(list, (TStrings{"One", "Two", "Three"}));
    EXPECT_EQ(d.Choices("Button4", "Action", list), -1);
    EXPECT_EQ(list, (TStrings{"Plug-in", "Close", "Maximise", "Value3"}));
    EXPECT_EQ(d.Choices("Colours", "Level", list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(d.Shift("Colours", "Mode"), 1);
    EXPECT_EQ(d.Pictures("Colours", "Pic", list), 2);
    EXPECT_EQ(list, (TStrings{"Left", "Image2"}));
    EXPECT_EQ(d.DefinitionsOfType("file", "SOUND", list), 2);
    EXPECT_EQ(list, (TStrings{"Button,Sound", "Colours,Wav"}));
    EXPECT_EQ(d.DefinitionsOfType("FILE", "bitmap", list), 1);
    EXPECT_EQ(list, (TStrings{"Colours,Pic"}));

    struct Display {
        const char* attribute;
        const char* value;
        const char* shown;
    } values[] = {
        {"Mode", "1", "One"},      {"Mode", "3", "Three"},   {"Mode", "4", "Value3"},   {"Mode", "2a", "Two"},
        {"Mode", "", "Value-2"},   {"Mode", "x", "Value-2"}, {"On", "1", "Enabled"},    {"On", "-3", "Enabled"},
        {"On", "0", "Disabled"},   {"On", "yes", "yes"},     {"UseFont", "3", "Font3"}, {"UseColour", "0", "Colour0"},
        {"UseLayout", "2", "Layout2"}, {"UseButton", "1", "Button1"}, {"UseScript", "4", "Script4"},
        {"UseOther", "2", "2"},    {"Level", "7", "7"},
    };
    for (const Display& v : values)
        EXPECT_EQ(d.ValueForDisplay("Colours", v.attribute, v.value), v.shown) << v.attribute << "=" << v.value;
}

TEST(CatalogueQueries, SectionTreeKeys)
{
    CatalogueFixture f;
    TUisFile& d = *f.document;
    EXPECT_EQ(d.Parent("Colours"), "Root");
    EXPECT_EQ(d.Parent("Button3"), "Root");
    EXPECT_EQ(d.IconClosed("Colours"), 6);
    EXPECT_EQ(d.IconOpened("Colours"), 9);
    EXPECT_EQ(d.IconOpened("Group"), 25);
    EXPECT_EQ(d.IconClosed("Nothing"), 8);
    EXPECT_TRUE(d.IsVirtual("Group"));
    EXPECT_FALSE(d.IsVirtual("Font"));
    EXPECT_TRUE(d.IsEnumerated("Font3"));
    EXPECT_FALSE(d.IsEnumerated("Colours"));
}

TEST(CatalogueQueries, AMissingCatalogueAnswersDefaults)
{
    TempDir dir;
    setProgramFolder(dir.path());
    writeBytes(dir.path() / "a.uis", "[TITLEBARSKIN]\nSkinAuthor=me\n");
    TUisFile d((dir.path() / "a.uis").string());
    EXPECT_EQ(d.FormatVersion(), UisType2);
    EXPECT_EQ(d.AttributeTypeOf("Colours", "Active"), 0);
    EXPECT_EQ(d.AttributeDescriptionInContext("Colours", "Active"), "Unknown");
    EXPECT_EQ(d.Minimum("Colours", "Active"), -32766);
    EXPECT_EQ(d.Maximum("Colours", "Active"), 32767);
    setProgramFolder({});
}

}  // namespace
}  // namespace sw
