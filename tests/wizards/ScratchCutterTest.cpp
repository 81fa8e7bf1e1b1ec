// The personality written from a template picture: border geometry, readiness, file
// names, and the folder, keys and bitmaps on disk.
#include "wizards/ScratchCatalogue.h"
#include "wizards/ScratchCutter.h"

#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <QImage>

#include "document/FileReference.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(ScratchCutter, BorderAreas)
{
    const struct {
        QSize picture;
        ScratchBorders borders;
        QRect left, right, top, bottom;
    } cases[] = {
        {{400, 300}, {}, {0, 0, 8, 300}, {392, 0, 8, 300}, {8, 0, 384, 22}, {8, 292, 384, 8}},
        {{100, 50}, {30, 0, 1, 5}, {0, 0, 2, 50}, {95, 0, 5, 50}, {2, 0, 95, 30}, {2, 49, 95, 2}},
        // A picture narrower than its borders still marks 2 pixels.
        {{10, 10}, {100, 8, 8, 8}, {0, 0, 8, 10}, {2, 0, 8, 10}, {8, 0, 2, 100}, {8, 2, 2, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture.width());
        const BorderAreas areas = borderAreas(c.picture, c.borders);
        EXPECT_EQ(areas.left, c.left);
        EXPECT_EQ(areas.right, c.right);
        EXPECT_EQ(areas.top, c.top);
        EXPECT_EQ(areas.bottom, c.bottom);
    }
}

TEST(ScratchCutter, ButtonsAreAnchoredToTheEdgesOfTheirHalves)
{
    const struct {
        QRect area;
        ButtonPlacement placement;
    } cases[] = {
        {{350, 5, 15, 14}, {1, 50, 5}},   // right half of the title bar: from the right edge
        {{4, 4, 14, 14}, {0, 4, 4}},      // left half: from the left edge
        {{380, 290, 12, 6}, {3, 20, 10}}, // bottom right: from the right and the bottom
        {{10, 280, 8, 8}, {2, 10, 20}},   // bottom left
        {{193, 5, 14, 14}, {1, 207, 5}},  // centred exactly: the right edge
        {{192, 142, 14, 14}, {0, 192, 142}},  // just above and left of the centre
        {{207, 19, -14, -14}, {1, 207, 5}},  // drawn backwards
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area.left());
        const ButtonPlacement placement = buttonPlacement({400, 300}, c.area);
        EXPECT_EQ(placement.align, c.placement.align);
        EXPECT_EQ(placement.x, c.placement.x);
        EXPECT_EQ(placement.y, c.placement.y);
    }
}

TEST(ScratchCutter, FixedEndsAndCaptionRoomClearTheButtons)
{
    using Keys = std::vector<std::pair<std::string, int>>;
    const struct {
        const char* name;
        std::vector<QRect> buttons;
        Keys keys;
    } cases[] = {
        {"close and minimise at the right, icon at the left",
         {{378, 4, 16, 14}, {340, 4, 16, 14}, {4, 4, 16, 14}},
         // Top: 20 - 8 + 2 at the left, 392 - 340 + 2 at the right; the close button reaches
         // into the right edge (18 + 2 from its top), the icon into the left one.
         {{"TopTopHeight", 14}, {"TopBotHeight", 54}, {"LeftTopHeight", 20}, {"RightTopHeight", 20},
          {"TextShift", 12}, {"TextRightClip", 60}}},
        {"a grip in the bottom right corner", {{384, 290, 12, 8}},
         {{"BottomBotHeight", 10}, {"RightBotHeight", 12}}},
        {"a button in the dialog touches no edge", {{150, 100, 20, 20}}, {}},
        {"overlapping buttons: the ends share the edge's length",
         {{10, 2, 200, 10}, {150, 2, 200, 10}},
         {{"TopTopHeight", 204}, {"TopBotHeight", 180}, {"TextShift", 202}, {"TextRightClip", 250}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchJob job;
        job.picture = QImage(400, 300, QImage::Format_RGB32);
        for (const QRect& area : c.buttons)
            job.buttons.push_back({4, area});
        EXPECT_EQ(buttonFrameKeys(job), c.keys);
    }
}

TEST(ScratchCutter, PlainFolderNames)
{
    const std::pair<std::string, bool> cases[] = {
        {"Harbour", true}, {"My skin 2", true}, {"", false}, {".", false}, {"..", false}, {"a/b", false},
        {"a\\b", false}, {"../x", false}, {"c:", false}, {"tab\there", false}, {"dot.", false}, {"blank ", false},
        {"q?", false}, {".hidden", true}, {std::string(201, 'x'), false},
    };
    for (const auto& [name, plain] : cases)
        EXPECT_EQ(isPlainFolderName(name), plain) << name;
}

TEST(ScratchCutter, ReadinessReasonsInOrder)
{
    const QRect good(0, 0, 3, 3), thin(0, 0, 2, 40), flat(0, 0, 40, 2);
    auto job = [](std::vector<QRect> buttons, std::vector<QRect> images, std::string name = "Skin") {
        ScratchJob j;
        j.fileName = std::move(name);
        for (const QRect& r : buttons)
            j.buttons.push_back({4, r});
        for (const QRect& r : images)
            j.images.push_back({"PERSONALITY", "Menubar", 2, false, r});
        return j;
    };
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        ScratchJob job;
        bool namesUnchanged;
        V reasons;
    } cases[] = {
        {"ready", job({good}, {good}), false, {}},
        {"no button", job({}, {}), false, {kNoButtonReason}},
        {"no button hides the name", job({}, {}, ""), true, {kNoButtonReason}},
        {"names unchanged", job({good}, {}), true, {kNamesUnchangedReason}},
        {"name with a separator", job({good}, {}, "a/b"), false, {kFolderNameReason}},
        {"2-pixel-wide button", job({good, thin}, {}), false, {kButtonAreaReason}},
        {"2-pixel-high image", job({good}, {flat}), false, {kImageAreaReason}},
        {"all of them", job({thin}, {flat}, ".."), false, {kFolderNameReason, kImageAreaReason, kButtonAreaReason}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readinessProblems(c.job, c.namesUnchanged), c.reasons) << c.name;
}

TEST(ScratchCutter, ImagesOfTheSameAttributeNameGetTheirOwnFiles)
{
    ScratchJob job;
    job.buttons.resize(2);
    job.images = {{"Scrollbar", "IMAGE", 4, false, {}}, {"TABS", "image", 4, false, {}},
                  {"PERSONALITY", "Menubar", 2, false, {}}, {"PERSONALITY", "Top", 2, false, {}},
                  {"Extra", "Button1", 1, false, {}}, {"TABS", "IMAGE", 1, false, {}}};
    EXPECT_EQ(cutFileNames(job),
              (std::vector<std::string>{"Top.bmp", "Bottom.bmp", "Left.bmp", "Right.bmp", "Button0.bmp", "Button1.bmp",
                                        "IMAGE.bmp", "TABSimage.bmp", "Menubar.bmp", "PERSONALITYTop.bmp",
                                        "ExtraButton1.bmp", "TABSIMAGE2.bmp"}));
}

TEST(ScratchCutter, CatalogueGivesActionsAndCuttablePictures)
{
    const ScratchCatalogue catalogue = loadScratchCatalogue();
    ASSERT_EQ(catalogue.actions.size(), 32u);
    EXPECT_EQ(catalogue.actions[kDefaultScratchAction], "Close window");
    EXPECT_EQ(catalogue.actionShift, -3);
    std::vector<std::string> names;
    for (const auto& image : catalogue.images)
        names.push_back(image.section + "," + image.attribute);
    // Borders, button pictures and the clock are made otherwise: Wizard=0.
    for (const char* excluded : {"PERSONALITY,TOP", "PERSONALITY,BOTTOM", "Button,ButtonImage", "Clock,Background"})
        EXPECT_EQ(std::count(names.begin(), names.end(), excluded), 0) << excluded;
    auto menubar = std::find(names.begin(), names.end(), "PERSONALITY,Menubar");
    ASSERT_NE(menubar, names.end());
    const ScratchImageChoice& choice = catalogue.images[std::size_t(menubar - names.begin())];
    EXPECT_EQ(choice.caption, "Menu bar picture");
    EXPECT_GT(choice.imageCount, 0);
}

// The bitmap's size and bits per pixel from its file header.
struct BmpFacts {
    int width = 0, height = 0, bits = 0;
    bool operator==(const BmpFacts&) const = default;
};
BmpFacts bmpFacts(const fs::path& file)
{
    const std::string bytes = readBytes(file);
    if (bytes.size() < 30 || bytes.compare(0, 2, "BM") != 0)
        return {};
    auto at = [&](std::size_t i, int n) {
        int v = 0;
        for (int k = n - 1; k >= 0; --k)
            v = v << 8 | std::uint8_t(bytes[i + std::size_t(k)]);
        return v;
    };
    return {at(18, 4), at(22, 4), at(28, 2)};
}
std::ostream& operator<<(std::ostream& out, const BmpFacts& f)
{
    return out << f.width << "x" << f.height << "@" << f.bits;
}

class ScratchWrite : public ::testing::Test {
public:
    TempDir dir;
    fs::path engine = dir.path() / "engine";
    fs::path templateFile = programFolder() / "template" / "scratch.uis";
    ScratchJob job;

    void SetUp() override
    {
        fs::create_directories(engine);
        job.picture = QImage(400, 300, QImage::Format_RGB32);
        job.picture.fill(qRgb(245, 20, 30));
        job.fileName = "Cut";
        job.author = {"Cut Skin", "Ann", "http://a.example", "ann@a.example", "Notes"};
        job.actionShift = -3;
        job.buttons.push_back({4, QRect(350, 5, 15, 14)});
        job.buttons.push_back({11, QRect(330, 5, 15, 14)});
    }
    fs::path folder() const { return engine / "Cut"; }
};

TEST_F(ScratchWrite, BitmapsHaveTheStripSizesAnd24Bits)
{
    job.images.push_back({"PERSONALITY", "Menubar", 2, false, QRect(10, 40, 50, 18)});
    job.images.push_back({"Scrollbar", "IMAGE", 4, true, QRect(10, 60, 16, 64)});
    ScratchResult result = createScratchPersonality(job, engine, templateFile, false);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.uisFile, folder() / "Cut.uis");
    const std::pair<const char*, BmpFacts> files[] = {
        {"Top.bmp", {384, 44, 24}},     {"Bottom.bmp", {384, 16, 24}},  {"Left.bmp", {16, 300, 24}},
        {"Right.bmp", {16, 300, 24}},   {"Button0.bmp", {90, 14, 24}},  {"Button1.bmp", {90, 14, 24}},
        {"Menubar.bmp", {100, 18, 24}}, {"IMAGE.bmp", {16, 64, 24}},
    };
    for (const auto& [name, facts] : files)
        EXPECT_EQ(bmpFacts(folder() / name), facts) << name;
    // Filtered by the defaults: the inactive half of the top border is darker.
    QImage top(QString::fromStdString((folder() / "Top.bmp").string()));
    EXPECT_EQ(top.pixel(0, 0), qRgb(245, 20, 30));
    EXPECT_EQ(top.pixel(383, 43), qRgb(225, 0, 10));
}

TEST_F(ScratchWrite, KeysAreWrittenIntoTheTemplateCopyInOrder)
{
    job.images.push_back({"TABS", "IMAGE", 4, false, QRect(0, 0, 5, 5)});
    job.images.push_back({"Scrollbar", "IMAGE", 4, false, QRect(0, 0, 5, 5)});
    job.useTransparency = false;
    ASSERT_TRUE(createScratchPersonality(job, engine, templateFile, false).ok);
    TAcceleratedIniFile uis((folder() / "Cut.uis").string());
    const std::pair<std::string, std::string> expected[] = {
        {"TITLEBARSKIN", "SkinName=Cut Skin"}, {"TITLEBARSKIN", "SkinAuthor=Ann"},
        {"TITLEBARSKIN", "AuthorsURL=http://a.example"}, {"TITLEBARSKIN", "AuthorEmail=ann@a.example"},
        {"TITLEBARSKIN", "SpecialNotes=Notes"}, {"PERSONALITY", "TOP=Cut\\Top.bmp"},
        {"PERSONALITY", "BOTTOM=Cut\\Bottom.bmp"}, {"PERSONALITY", "LEFT=Cut\\Left.bmp"},
        {"PERSONALITY", "RIGHT=Cut\\Right.bmp"}, {"PERSONALITY", "UsesTran=0"}, {"PERSONALITY", "ButtonCount=2"},
        {"TABS", "IMAGE=Cut\\IMAGE.bmp"}, {"Scrollbar", "IMAGE=Cut\\ScrollbarIMAGE.bmp"},
    };
    for (const auto& [section, line] : expected) {
        const std::size_t eq = line.find('=');
        EXPECT_EQ(uis.ReadString(section, line.substr(0, eq), "(missing)"), line.substr(eq + 1)) << line;
    }
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "EditorNotes", "(missing)"), "(missing)");
    // The template's description of itself is left out.
    EXPECT_EQ(readBytes(folder() / "Cut.uis").front(), '[');
    // Template keys stay, new ones are appended in the order written.
    EXPECT_EQ(uis.ReadString("PERSONALITY", "TripleImages", ""), "1");
    TStrings keys;
    uis.ReadSectionValues("Button1", keys);
    // Both buttons lie in the right half: measured from the right edge.
    EXPECT_EQ(keys, (TStrings{"Align=1", "XCoord=70", "YCoord=5", "Action=8", "ShiftAction=0", "CtrlAction=0",
                              "Visibility=0", "ButtonImage=Cut\\Button1.bmp"}));
    uis.ReadSectionValues("Button0", keys);
    EXPECT_EQ(keys.at(1), "XCoord=50");
    EXPECT_EQ(keys.at(3), "Action=1");
    // The title bar's right end reaches past both; the left end and the caption's
    // start need no more than the template gives.
    EXPECT_EQ(uis.ReadString("PERSONALITY", "TopBotHeight", ""), "64");
    EXPECT_EQ(uis.ReadString("PERSONALITY", "TopTopHeight", ""), "8");
    EXPECT_EQ(uis.ReadString("PERSONALITY", "TextShift", ""), "6");
    EXPECT_EQ(uis.ReadString("PERSONALITY", "TextRightClip", ""), "80");
    EXPECT_TRUE(fs::exists(folder() / "ScrollbarIMAGE.bmp"));
}

TEST_F(ScratchWrite, PicturesCutOnceKeepTheirColours)
{
    job.picture.fill(qRgb(230, 232, 236));
    job.images.push_back({"PERSONALITY", "DialogBmp", 1, false, QRect(10, 40, 20, 20)});
    job.images.push_back({"Scrollbar", "IMAGE", 4, true, QRect(10, 60, 16, 64)});
    job.images.push_back({"PERSONALITY", "Menubar", 2, false, QRect(10, 40, 50, 18)});
    ASSERT_TRUE(createScratchPersonality(job, engine, templateFile, false).ok);
    auto pixel = [this](const char* file, int x, int y) {
        return QImage(QString::fromStdString((folder() / file).string())).pixel(x, y);
    };
    EXPECT_EQ(pixel("DialogBmp.bmp", 19, 19), qRgb(230, 232, 236));
    EXPECT_EQ(pixel("IMAGE.bmp", 15, 63), qRgb(230, 232, 236));
    // Pictures with two states still tell the inactive one apart.
    EXPECT_EQ(pixel("Menubar.bmp", 0, 0), qRgb(230, 232, 236));
    EXPECT_EQ(pixel("Menubar.bmp", 99, 17), qRgb(210, 212, 216));
}

TEST_F(ScratchWrite, AnExistingFolderIsReplacedOnlyWhenAsked)
{
    fs::create_directories(folder() / "sub");
    writeBytes(folder() / "old.bmp", "old");
    writeBytes(folder() / "sub" / "x.txt", "x");
    fs::create_directories(engine / "Neighbour");
    writeBytes(engine / "Neighbour" / "keep.uis", "keep");

    ScratchResult refused = createScratchPersonality(job, engine, templateFile, false);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, folder().string() + " already exists");
    EXPECT_EQ(readBytes(folder() / "old.bmp"), "old");

    ASSERT_TRUE(createScratchPersonality(job, engine, templateFile, true).ok);
    EXPECT_FALSE(fs::exists(folder() / "old.bmp"));
    EXPECT_FALSE(fs::exists(folder() / "sub"));
    EXPECT_TRUE(fs::exists(folder() / "Button1.bmp"));
    EXPECT_EQ(readBytes(engine / "Neighbour" / "keep.uis"), "keep");
}

TEST_F(ScratchWrite, FailuresAreReportedNamingTheFile)
{
    ScratchResult noTemplate = createScratchPersonality(job, engine, dir.path() / "none.uis", false);
    EXPECT_FALSE(noTemplate.ok);
    EXPECT_NE(noTemplate.error.find((dir.path() / "none.uis").string()), std::string::npos) << noTemplate.error;
    EXPECT_FALSE(fs::exists(folder()));  // nothing half made is left

    // A strip too large to hold in memory cannot be written.
    job.images.push_back({"PERSONALITY", "Menubar", 2, false, QRect(0, 0, 8000, 8000)});
    job.images.back().imageCount = 4096;
    ScratchResult tooLarge = createScratchPersonality(job, engine, templateFile, false);
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_EQ(tooLarge.error, "Unable to write " + (folder() / "Menubar.bmp").string() +
                                  " (the picture is too large)");
    EXPECT_FALSE(fs::exists(folder()));
    job.images.clear();

    job.fileName = "../Escape";
    ScratchResult escaping = createScratchPersonality(job, engine, templateFile, true);
    EXPECT_FALSE(escaping.ok);
    EXPECT_FALSE(fs::exists(dir.path() / "Escape"));
}

// A missing engine folder is made, parents and all; one that cannot be made is
// reported with the system's reason.
TEST_F(ScratchWrite, AMissingEngineFolderIsMadeOrTheReasonGiven)
{
    const fs::path missing = dir.path() / "not" / "yet" / "Skins";
    ScratchResult made = createScratchPersonality(job, missing, templateFile, false);
    EXPECT_TRUE(made.ok) << made.error;
    EXPECT_TRUE(fs::is_regular_file(missing / "Cut" / "Cut.uis"));

    writeBytes(dir.path() / "plain", "a file");
    const fs::path blocked = dir.path() / "plain" / "Skins";
    ScratchResult refused = createScratchPersonality(job, blocked, templateFile, false);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "Unable to create the folder " + blocked.string() + " (Not a directory)");
    EXPECT_EQ(readBytes(dir.path() / "plain"), "a file");
}

}  // namespace
}  // namespace sw
