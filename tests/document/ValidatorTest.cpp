#include "document/Validator.h"

#include "document/PersonalityText.h"
#include "document/UisFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

// One line per finding, so a failure shows every row that differs.
std::string describe(const std::vector<ValidationFinding>& findings)
{
    std::string text;
    for (const ValidationFinding& f : findings)
        text += std::to_string(f.icon) + (f.kind == FindingKind::Catalogue ? " [" : " geometry [") + f.section + "|" +
                f.attribute + "] " + f.caption + "\n";
    return text;
}

const char* kValidatedCatalogue =
    "[Root,TITLEBARSKIN]\nOptional=0\n"
    "[TITLEBARSKIN,SkinName]\nType=STRING\nOptional=0\n"
    "[TITLEBARSKIN,SkinAuthor]\nType=STRING\nOptional=0\n"
    "[TITLEBARSKIN,Notes]\nType=STRING\nOptional=1\n"
    "[Button,Action]\nType=CHOOSE\nConstraints=15\nShiftNumericValue=-3\nOptional=0\n"
    "[Button,ButtonImage]\nType=FILE\n"
    "[Button,Click]\nType=FILE\nSubType=SOUND\n"
    "[Button,Type]\nType=INT\nConstraints=0,1\n"
    "[COLOURS,Level]\nType=INT\nConstraints=0,10\n"
    "[COLOURS,Mode]\nType=CHOOSE\nConstraints=3\nShiftNumericValue=1\n"
    "[COLOURS,Back]\nType=FILE\n"
    "[COLOURS,Tune]\nType=FILE\nSubType=Sound\n"
    "[COLOURS,Run]\nType=FILE\nSubType=COMMAND\n"
    "[COLOURS,Broken]\nType=INT\nConstraints=1,ten\n"
    "[COLOURS,BadLow]\nType=INT\nConstraints=low,10\n"
    "[COLOURS,Face]\nType=FONT\n"
    "[PERSONALITY,ButtonCount]\nType=INT\n"
    "[PERSONALITY,TOP]\nType=FILE\n"
    "[PERSONALITY,TopFrame]\nType=INT\n";

// A skins root with the personality Aqua and a program folder with a small catalogue.
struct ValidatorFixture {
    TempDir dir;
    fs::path root = dir.path() / "Skins";
    fs::path folder = root / "Aqua";
    fs::path file = folder / "Aqua.uis";

    ValidatorFixture()
    {
        fs::create_directories(dir.path() / "program");
        fs::create_directories(folder);
        writeBytes(dir.path() / "program" / "uis2.def", kValidatedCatalogue);
        writeBytes(dir.path() / "program" / "uis1p.def", "[CAPTION,BUTTONCOUNT]\nType=INT\n");
        setProgramFolder(dir.path() / "program");
    }
    ~ValidatorFixture() { setProgramFolder({}); }

    ValidationResult run(const std::string& text)
    {
        writeBytes(file, text);
        TUisFile document(file.string());
        ValidationResult result = validate(document);
        // The validate verb reads the file as text only; it must find exactly the same.
        PersonalityText lean(file);
        const int version = uisVersionOf(lean);
        EXPECT_EQ(version, document.FormatVersion());
        TUisDefinition catalogue((programFolder() / TUisFile::CatalogueFileName(version)).string());
        ValidationResult fromText = validate(lean, catalogue, version, file, root);
        EXPECT_EQ(describe(fromText.findings), describe(result.findings));
        EXPECT_EQ(fromText.completed, result.completed);
        EXPECT_EQ(fromText.error, result.error);
        EXPECT_EQ(fromText.errorSection, result.errorSection);
        EXPECT_EQ(fromText.errorAttribute, result.errorAttribute);
        EXPECT_EQ(fromText.omitted, result.omitted);
        return result;
    }
};

// A BMP file: file header, a bitmap header of the given size and black rows.
std::string bmp(int32_t width, int32_t height, uint32_t headerSize = 40, uint16_t planes = 1, uint16_t bits = 24)
{
    const int64_t rows = height == INT32_MIN ? 0 : std::abs(int64_t(height));
    const int64_t rowBytes = width > 0 ? (int64_t(width) * bits + 31) / 32 * 4 : 0;
    const std::size_t pixels = rowBytes * rows <= (1 << 20) ? std::size_t(rowBytes * rows) : 0;
    std::string bytes = "BM";
    auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char((value >> (8 * i)) & 255);
    };
    put(14 + headerSize, 4);
    put(0, 4);
    put(14 + headerSize, 4);
    put(headerSize, 4);
    if (headerSize == 12) {
        put(uint32_t(width), 2);
        put(uint32_t(height), 2);
        put(planes, 2);
        put(bits, 2);
    } else {
        put(uint32_t(width), 4);
        put(uint32_t(height), 4);
        put(planes, 2);
        put(bits, 2);
        bytes.append(headerSize - 16, '\0');
    }
    bytes.append(pixels, '\0');
    return bytes;
}

const char* kValidHead = "[TITLEBARSKIN]\nSkinName=Aqua\nSkinAuthor=me\n";

TEST(Validator, CatalogueFindingsInOrderWithTheirExactTexts)
{
    ValidatorFixture f;
    writeBytes(f.folder / "top.bmp", bmp(10, 10));
    writeBytes(f.dir.path() / "outside.bmp", bmp(10, 10));
    const std::string root = f.root.string();
    struct Case {
        const char* name;
        std::string text;
        std::vector<ValidationFinding> expected;
    } cases[] = {
        {"all valid", std::string(kValidHead) +
                          "Notes=x\n[COLOURS]\nLevel=10\nMode=3\nBack=Aqua\\TOP.BMP\nTune=Aqua\\none.wav\nRun=none.exe\n"
                          "Face=Arial\n[Button0]\nAction=1\nButtonImage=Aqua\\top.bmp\nClick=Aqua\\no.wav\n",
         {{"No errors found", 66, "", ""}}},
        {"integer limits 0,10", std::string(kValidHead) + "[Colours]\nLevel=11\nLevel=-1\nLevel=text\nLevel=0x0B\n",
         {{"Maximal value constraint violation -  Attribute  [Level] in Section [Colours] value [11]", 69, "Colours",
           "Level"},
          {"Minimal value constraint violation -  Attribute  [Level] in Section [Colours] value [-1]", 68, "Colours",
           "Level"},
          {"Maximal value constraint violation -  Attribute  [Level] in Section [Colours] value [0x0B]", 69, "Colours",
           "Level"}}},
        {"choice with shift 1", std::string(kValidHead) + "[COLOURS]\nMode=0\nMode=1\nMode=4\nMode=junk\n",
         {{"Attribute  [Mode] in Section [COLOURS] value [0] does not contains in set of available values[1-3]", 63,
           "COLOURS", "Mode"},
          {"Attribute  [Mode] in Section [COLOURS] value [4] does not contains in set of available values[1-3]", 63,
           "COLOURS", "Mode"},
          {"Attribute  [Mode] in Section [COLOURS] value [junk] does not contains in set of available values[1-3]", 63,
           "COLOURS", "Mode"}}},
        {"missing bitmap of a button", std::string(kValidHead) +
                                           "[Button2]\nAction=1\nButtonImage=Aqua\\none.bmp\nClick=Aqua\\none.wav\n",
         {{"File not found - Section [Button2], Attribute [ButtonImage], referenced file[" + root + "\\Aqua\\none.bmp]",
           65, "Button2", "ButtonImage"}}},
        {"references that are empty, a folder or outside the root",
         std::string(kValidHead) + "[COLOURS]\nBack=\nBack=Aqua\nBack=..\\outside.bmp\n",
         {{"File not found - Section [COLOURS], Attribute [Back], referenced file[" + root + "\\]", 65, "COLOURS",
           "Back"},
          {"File not found - Section [COLOURS], Attribute [Back], referenced file[" + root + "\\Aqua]", 65, "COLOURS",
           "Back"},
          {"File not found - Section [COLOURS], Attribute [Back], referenced file[" + root + "\\..\\outside.bmp]", 65,
           "COLOURS", "Back"}}},
        {"unknown attributes and mandatory ones, unnumbered sections only",
         "[TitleBarSkin]\nSkinAuthor=me\nColour=red\n[Button1]\nButtonImage=Aqua\\top.bmp\n[Button]\nType=0\n"
         "[Root]\nX=1\n",
         {{"Illegal or unknown attribute  [Colour] in Section [TitleBarSkin] value [red]", 63, "TitleBarSkin",
           "Colour"},
          {"Manditory attribute [SkinName] not found in section [TITLEBARSKIN].", 63, "TITLEBARSKIN", ""},
          {"Illegal or unknown attribute  [X] in Section [Root] value [1]", 63, "Root", "X"},
          // A section definition's Optional counts for a document section named Root.
          {"Manditory attribute [TITLEBARSKIN] not found in section [ROOT].", 63, "ROOT", ""}}},
        {"a repeated section is checked once", std::string(kValidHead) + "[COLOURS]\nLevel=12\n[colours]\nLevel=1\n",
         {{"Maximal value constraint violation -  Attribute  [Level] in Section [COLOURS] value [12]", 69, "COLOURS",
           "Level"}}},
    };
    for (const Case& c : cases) {
        ValidationResult result = f.run(c.text);
        EXPECT_TRUE(result.completed) << c.name;
        EXPECT_EQ(describe(result.findings), describe(c.expected)) << c.name;
        EXPECT_EQ(result.clean(), c.expected.size() == 1 && c.expected[0].icon == IconNoErrors) << c.name;
    }
}

TEST(Validator, MissingFileGivesOneFinding)
{
    ValidatorFixture f;
    writeBytes(f.file, std::string(kValidHead) + "[COLOURS]\nLevel=99\n");
    TUisFile document(f.file.string());
    ValidationResult result = validate(document, f.folder / "Other.uis", f.root);
    EXPECT_EQ(result.findings,
              (std::vector<ValidationFinding>{{"No uis file found in this directory or uis has a different filename "
                                               "than the folder containing it",
                                               64, "", ""}}));
    EXPECT_FALSE(result.clean());
}

TEST(Validator, MalformedConstraintsStopTheRunAndKeepTheRowsFound)
{
    ValidatorFixture f;
    const std::vector<ValidationFinding> unknown = {
        {"Illegal or unknown attribute  [Odd] in Section [COLOURS] value [1]", 63, "COLOURS", "Odd"}};
    struct Case {
        std::string text;
        bool completed;
        std::vector<ValidationFinding> expected;
        std::string error, attribute;
    } cases[] = {
        // Above the minimum the maximum "ten" is needed: the run stops there.
        {"[COLOURS]\nOdd=1\nBroken=5\nOdd2=2\n", false, unknown, "'ten' is not a valid integer value", "Broken"},
        {"[COLOURS]\nOdd=1\nBadLow=5\n", false, unknown, "'low' is not a valid integer value", "BadLow"},
        // Below the minimum the maximum is never asked.
        {"[COLOURS]\nOdd=1\nBroken=0\n", true,
         {unknown[0],
          {"Minimal value constraint violation -  Attribute  [Broken] in Section [COLOURS] value [0]", 68, "COLOURS",
           "Broken"}},
         "", ""},
        // Nothing found before the stop: still no "No errors found".
        {"[COLOURS]\nBroken=5\n", false, {}, "'ten' is not a valid integer value", "Broken"},
    };
    for (const Case& c : cases) {
        ValidationResult result = f.run(std::string(kValidHead) + c.text);
        EXPECT_EQ(result.completed, c.completed) << c.text;
        EXPECT_EQ(describe(result.findings), describe(c.expected)) << c.text;
        EXPECT_EQ(result.error, c.error) << c.text;
        EXPECT_EQ(result.errorSection, c.completed ? "" : "COLOURS") << c.text;
        EXPECT_EQ(result.errorAttribute, c.attribute) << c.text;
        EXPECT_FALSE(result.clean()) << c.text;
    }
}

std::vector<ValidationFinding> geometryOnly(const ValidationResult& result)
{
    std::vector<ValidationFinding> found;
    for (const ValidationFinding& f : result.findings)
        if (f.kind == FindingKind::BitmapGeometry)
            found.push_back(f);
    return found;
}

TEST(Validator, BitmapGeometryOfVersionTwo)
{
    ValidatorFixture f;
    writeBytes(f.folder / "top.bmp", bmp(40, 30));      // 3 frames of 10 rows
    writeBytes(f.folder / "side.bmp", bmp(12, 50));     // frames side by side
    writeBytes(f.folder / "strip.bmp", bmp(54, 16));    // 3 or 6 button frames
    writeBytes(f.folder / "odd.bmp", bmp(50, 16));
    writeBytes(f.folder / "topdown.bmp", bmp(40, -31));
    writeBytes(f.folder / "junk.bmp", "not a bitmap at all, just text");
    writeBytes(f.folder / "huge.bmp", bmp(30000, 30000));
    writeBytes(f.folder / "many.bmp", bmp(10000, 9000));
    // The largest picture drawn, in run-length form: a few bytes of data that end it at once.
    std::string largest = bmp(16384, 4096, 40, 1, 8);
    largest[30] = 1;
    writeBytes(f.folder / "largest.bmp", largest + std::string("\0\1", 2));
    const std::string head = std::string(kValidHead) + "[PERSONALITY]\n";
    const std::string top = "bitmap [Aqua\\top.bmp] of Attribute [TOP] in Section [PERSONALITY]";
    struct Case {
        std::string personality;
        std::vector<std::string> messages;
    } cases[] = {
        {"TOP=Aqua\\top.bmp\nTopFrame=3\nTopTopHeight=20\nTopBotHeight=20\nLEFT=Aqua\\side.bmp\nLeftFrame=4\n"
         "LeftTopHeight=25\nLeftBotHeight=25\nRIGHT=Aqua\\missing.bmp\nRightFrame=7\nBOTTOM=Aqua\\top.bmp\n"
         "BottomFrame=0\n",
         {}},
        {"TOP=Aqua\\top.bmp\nTopFrame=4\nTopTopHeight=20\nTopBotHeight=21\n",
         {"Frame size mismatch - " + top + " is 30 pixels high, which does not divide into 4 frames (TopFrame=4).",
          "End size mismatch - TopTopHeight=20 and TopBotHeight=21 of " + top +
              " add up to 41 pixels, more than its width of 40."}},
        {"TOP=Aqua\\top.bmp\nTopFrame=-3\n",
         {"Frame count of " + top + " is not a positive number (TopFrame=-3)."}},
        // Unset end sizes count 1 each; frames of side edges lie side by side.
        {"LEFT=Aqua\\side.bmp\nLeftFrame=5\nLeftTopHeight=50\n",
         {"Frame size mismatch - bitmap [Aqua\\side.bmp] of Attribute [LEFT] in Section [PERSONALITY] is 12 pixels "
          "wide, which does not divide into 5 frames (LeftFrame=5).",
          "End size mismatch - LeftTopHeight=50 and LeftBotHeight=1 of bitmap [Aqua\\side.bmp] of Attribute [LEFT] in "
          "Section [PERSONALITY] add up to 51 pixels, more than its height of 50."}},
        {"Bottom=Aqua\\topdown.bmp\nBottomFrame=2\n",
         {"Frame size mismatch - bitmap [Aqua\\topdown.bmp] of Attribute [BOTTOM] in Section [PERSONALITY] is 31 "
          "pixels high, which does not divide into 2 frames (BottomFrame=2)."}},
        // Headers the preview refuses to decode: the finding says why.
        {"TOP=Aqua\\huge.bmp\nLEFT=Aqua\\many.bmp\nRIGHT=Aqua\\largest.bmp\nRightFrame=4\n",
         {"Unreadable bitmap [Aqua\\many.bmp] of Attribute [LEFT] in Section [PERSONALITY]: the preview cannot load it "
          "(10000x9000 pixels; a picture may have at most 67108864).",
          "Unreadable bitmap [Aqua\\huge.bmp] of Attribute [TOP] in Section [PERSONALITY]: the preview cannot load it "
          "(30000x30000 pixels; a side may be at most 16384)."}},
        {"Right=Aqua\\junk.bmp\n",
         {"Unreadable bitmap [Aqua\\junk.bmp] of Attribute [RIGHT] in Section [PERSONALITY]: the file has no valid "
          "bitmap header."}},
        // Picture buttons below the count; plug-in, text and icon buttons and Button3 are not loaded.
        {"ButtonCount=3\nTripleImages=1\n[Button0]\nButtonImage=Aqua\\strip.bmp\n[Button1]\nButtonImage=Aqua\\odd.bmp\n"
         "[Button2]\nAction=-3\nButtonImage=Aqua\\odd.bmp\n[Button3]\nButtonImage=Aqua\\odd.bmp\n",
         {"Frame size mismatch - bitmap [Aqua\\odd.bmp] of Attribute [ButtonImage] in Section [Button1] is 50 pixels "
          "wide, which does not divide into 6 frames (TripleImages=1)."}},
        {"ButtonCount=4\n[Button0]\nButtonImage=Aqua\\odd.bmp\nAction=11\n[Button1]\nType=1\nButtonImage=Aqua\\odd.bmp\n"
         "[Button02]\nButtonImage=Aqua\\odd.bmp\n[Button3]\nButtonImage=Aqua\\odd.bmp\n",
         {"Frame size mismatch - bitmap [Aqua\\odd.bmp] of Attribute [ButtonImage] in Section [Button3] is 50 pixels "
          "wide, which does not divide into 3 frames (TripleImages=0)."}},
    };
    for (const Case& c : cases) {
        ValidationResult result = f.run(head + c.personality);
        std::vector<std::string> messages;
        for (const ValidationFinding& finding : geometryOnly(result)) {
            EXPECT_EQ(finding.icon, IconBitmapGeometry);
            messages.push_back(finding.caption);
        }
        EXPECT_EQ(messages, c.messages) << c.personality;
        EXPECT_EQ(result.clean(), c.messages.empty() && result.findings.front().icon == IconNoErrors);
    }
    // A file whose only finding is a geometry one is not called clean: no "No errors
    // found" row stands above it.
    ValidationResult result = f.run(head + "ButtonCount=0\nTOP=Aqua\\top.bmp\nTopFrame=4\n");
    ASSERT_EQ(result.findings.size(), 1u) << describe(result.findings);
    EXPECT_EQ(result.findings[0].section, "PERSONALITY");
    EXPECT_EQ(result.findings[0].attribute, "TOP");
    EXPECT_EQ(result.findings[0].kind, FindingKind::BitmapGeometry);
    EXPECT_FALSE(result.clean());
}

TEST(Validator, BitmapGeometryOfVersionOnePlus)
{
    ValidatorFixture f;
    writeBytes(f.folder / "v.bmp", bmp(16, 32));   // two halves of 8 columns
    writeBytes(f.folder / "v2.bmp", bmp(18, 32));  // halves of 9
    writeBytes(f.folder / "h.bmp", bmp(48, 52));   // bottom 4 rows per frame, then the top
    writeBytes(f.folder / "h2.bmp", bmp(48, 8));
    const std::string head = "[CAPTION]\nBUTTONCOUNT=0\n[BORDERS]\n";
    const std::string v = "bitmap [Aqua\\v2.bmp] of Attribute [vertFrame] in Section [BORDERS]";
    const std::string h = "bitmap [Aqua\\h.bmp] of Attribute [horzFrame] in Section [BORDERS]";
    struct Case {
        std::string borders;
        std::vector<std::string> messages;
    } cases[] = {
        {"vertFrame=Aqua\\v.bmp\nhorzFrame=Aqua\\h.bmp\nFrameCount=2\nTopTopHeight=24\nTopBottomHeight=24\n"
         "LeftTopHeight=22\nLeftBottomHeight=10\n",
         {}},
        {"vertFrame=Aqua\\v2.bmp\nFrameCount=2\nRightTopHeight=30\nRightBottomHeight=3\n",
         {"Frame size mismatch - " + v + " is 18 pixels wide, which does not divide into two halves of 2 frames each "
          "(FrameCount=2).",
          "End size mismatch - RightTopHeight=30 and RightBottomHeight=3 of " + v +
              " add up to 33 pixels, more than its height of 32."}},
        {"horzFrame=Aqua\\h.bmp\nFrameCount=3\nBottomTopHeight=40\nBottomBottomHeight=9\n",
         {"Frame size mismatch - " + h +
              " is 52 pixels high; the 40 rows after the 12 rows of the bottom border do not divide into 3 frames "
              "(FrameCount=3).",
          "End size mismatch - BottomTopHeight=40 and BottomBottomHeight=9 of " + h +
              " add up to 49 pixels, more than its width of 48."}},
        {"horzFrame=Aqua\\h2.bmp\nFrameCount=2\n",
         {"Frame size mismatch - bitmap [Aqua\\h2.bmp] of Attribute [horzFrame] in Section [BORDERS] is 8 pixels "
          "high, which leaves no rows for the top border after the 8 rows of the bottom border (FrameCount=2)."}},
    };
    for (const Case& c : cases) {
        ValidationResult result = f.run(head + c.borders);
        std::vector<std::string> messages;
        for (const ValidationFinding& finding : geometryOnly(result))
            messages.push_back(finding.caption);
        EXPECT_EQ(messages, c.messages) << c.borders;
    }
}

TEST(Validator, BitmapSizeFromTheHeader)
{
    TempDir dir;
    std::string info = bmp(7, 9);
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<BitmapSize> size;
    } cases[] = {
        {"info header", info, BitmapSize{7, 9}},
        {"core header", bmp(300, 2, 12), BitmapSize{300, 2}},
        {"top-down rows", bmp(5, -6), BitmapSize{5, 6}},
        {"version 5 header", bmp(64, 32, 124, 1, 32), BitmapSize{64, 32}},
        {"signature", "BN" + info.substr(2), std::nullopt},
        {"header cut short", info.substr(0, 40), std::nullopt},
        {"header size 13", info.substr(0, 14) + '\x0d' + info.substr(15), std::nullopt},
        {"zero width", bmp(0, 9), std::nullopt},
        {"smallest height", bmp(7, INT32_MIN), std::nullopt},
        {"two planes", bmp(7, 9, 40, 2), std::nullopt},
        {"7 bits per pixel", bmp(7, 9, 40, 1, 7), std::nullopt},
    };
    for (const Case& c : cases) {
        writeBytes(dir.path() / "a.bmp", c.bytes);
        EXPECT_EQ(readBitmapSize(dir.path() / "a.bmp"), c.size) << c.name;
    }
    EXPECT_EQ(readBitmapSize(dir.path() / "none.bmp"), std::nullopt);
}

}  // namespace
}  // namespace sw
