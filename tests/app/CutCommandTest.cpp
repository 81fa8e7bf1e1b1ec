// skinwrt cut: options, refusals with their reasons, and the personality written.
#include "CommandLine.h"

#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "support/SeeThroughJpeg.h"
#include "support/TempDir.h"
#include "wizards/TemplatePicture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sstream>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// A program folder of its own (catalogue, template, sw.ini with an author), an
// engine folder and a 400 x 300 picture.
class CutCommand : public ::testing::Test {
public:
    TempDir dir;
    fs::path program = dir.path() / "program";
    fs::path skins = dir.path() / "skins";
    std::string picture = (dir.path() / "window.bmp").string();
    std::ostringstream out, err;

    void SetUp() override
    {
        const fs::path shipped = programFolder();
        fs::create_directories(program / "template");
        fs::create_directories(skins);
        fs::copy_file(shipped / "uis2.def", program / "uis2.def");
        fs::copy_file(shipped / "template" / "scratch.uis", program / "template" / "scratch.uis");
        writeBytes(program / "sw.ini", "[Author]\r\nSkinAuthor=Ann\r\nAuthorEmail=ann@example.org\r\n");
        setProgramFolder(program);
        QImage window(400, 300, QImage::Format_RGB32);
        window.fill(qRgb(245, 20, 30));
        window.setPixel(351, 6, qRgb(10, 20, 30));
        ASSERT_TRUE(window.save(QString::fromStdString(picture), "BMP"));
    }
    void TearDown() override { setProgramFolder({}); }

    int cut(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        args.insert(args.begin(), "cut");
        return runCommandLine(args, out, err);
    }
    std::vector<std::string> basic(std::vector<std::string> more = {})
    {
        std::vector<std::string> args = {picture, "--name", "Cut", "--skins", skins.string(), "--button",
                                         "350,5,15,14"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    QImage bitmap(const char* name) const { return QImage(QString::fromStdString((skins / "Cut" / name).string())); }
};

TEST_F(CutCommand, HelpExplainsTheVerb)
{
    EXPECT_EQ(cut({"--help"}), 0);
    EXPECT_NE(out.str().find("Usage: skinwrt cut PICTURE --name NAME"), std::string::npos);
    EXPECT_NE(out.str().find("--grayscale STYLE,AMOUNT"), std::string::npos);
    std::ostringstream general, none;
    runCommandLine({"--help"}, general, none);
    EXPECT_NE(general.str().find("skinwrt cut PICTURE --name NAME"), std::string::npos);
}

TEST_F(CutCommand, RefusesBadUsageWithTheReason)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{picture, "--skins", skins.string(), "--button", "1,1,5,5"}, "--name is required"},
        {{"--name", "Cut"}, "no picture given"},
        {basic({"--borders", "22,8,8"}), "--borders takes TOP,LEFT,BOTTOM,RIGHT"},
        {basic({"--borders", "22,8,8,101"}), "the right border must be a whole number from 0 to 100, not \"101\""},
        {basic({"--red", "brighter,20,active"}), "a style is darken, same or lighten, not \"brighter\""},
        {basic({"--blue", "same,20,both"}), "a target is active or inactive, not \"both\""},
        {basic({"--green", "same,256,active"}), "the amount must be a whole number from 0 to 255, not \"256\""},
        {basic({"--red", "same,2,active", "--grayscale", "lighten,20"}), "--grayscale replaces the RGB filter"},
        {basic({"--button", "1,1,5,5,32"}), "the action must be a whole number from 0 to 31, not \"32\""},
        {basic({"--image", "Nowhere,IMAGE,1,1,5,5"}), "Nowhere,IMAGE is not a skin picture the wizard can cut"},
        {basic({"--image", "PERSONALITY,TOP,1,1,5,5"}), "PERSONALITY,TOP is not a skin picture"},
        {basic({"--transparent", "1,2,3", "--opaque"}), "give --transparent or --opaque once"},
        {basic({"--frobnicate"}), "unknown option --frobnicate"},
        {basic({"--skins"}), "--skins needs a value"},
        {basic({"--tolerance", "256"}), "the tolerance must be a whole number from 0 to 255, not \"256\""},
        {basic({"--opaque", "--tolerance", "5"}), "--tolerance is for the see-through colour: not with --opaque"},
    };
    for (const auto& [args, reason] : cases) {
        EXPECT_EQ(cut(args), 2) << reason;
        EXPECT_NE(err.str().find("skinwrt: cut: " + reason), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_TRUE(fs::is_empty(skins));
}

TEST_F(CutCommand, RefusesJobsThatAreNotReady)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{picture, "--name", "Cut", "--skins", skins.string()},
         "skinwrt: cut: The skin must contain at least one button to continue.\n"},
        {basic({"--button", "1,1,2,9"}),
         "skinwrt: cut: You have not defined the area (on the template image) for one or more created buttons.\n"},
        {basic({"--image", "PERSONALITY,Menubar,1,1,9,2"}),
         "skinwrt: cut: You have not defined the area (on the template image) for one or more selected controls.\n"},
        {{picture, "--name", "../Up", "--skins", skins.string(), "--button", "1,1,5,5"},
         "skinwrt: cut: The personality file name must be a plain folder name: not empty, no \\ or /, not \"..\".\n"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_EQ(cut(args), 2);
        EXPECT_EQ(err.str(), message);
    }
    EXPECT_TRUE(fs::is_empty(skins));
    EXPECT_FALSE(fs::exists(dir.path() / "Up"));
}

TEST_F(CutCommand, WritesThePersonalityAndPrintsItsPath)
{
    ASSERT_EQ(cut(basic({"--red", "lighten,20,active", "--green", "same,0,active", "--blue", "same,0,active",
                         "--button", "330,5,15,14,11", "--image", "personality,menubar,8,22,384,18"})),
              0)
        << err.str();
    EXPECT_EQ(out.str(), (skins / "Cut" / "Cut.uis").string() + "\n");
    EXPECT_EQ(err.str(), "");
    TAcceleratedIniFile uis((skins / "Cut" / "Cut.uis").string());
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SkinName", ""), "Cut");
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SkinAuthor", ""), "Ann");
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "AuthorEmail", ""), "ann@example.org");
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SpecialNotes", "(missing)"), "");  // never the placeholder
    EXPECT_EQ(uis.ReadString("PERSONALITY", "UsesTran", ""), "1");
    EXPECT_EQ(uis.ReadString("PERSONALITY", "ButtonCount", ""), "2");
    EXPECT_EQ(uis.ReadString("Button1", "Action", ""), "8");
    EXPECT_EQ(uis.ReadString("PERSONALITY", "Menubar", ""), "Cut\\Menubar.bmp");
    const QImage button = bitmap("Button0.bmp");
    ASSERT_EQ(button.size(), QSize(90, 14));
    for (int copy = 0; copy < 6; ++copy) {
        SCOPED_TRACE(copy);
        EXPECT_EQ(button.pixel(copy * 15 + 2, 3), copy < 3 ? qRgb(255, 20, 30) : qRgb(245, 20, 30));
        EXPECT_EQ(button.pixel(copy * 15 + 1, 1), copy < 3 ? qRgb(30, 20, 30) : qRgb(10, 20, 30));
    }
    EXPECT_EQ(bitmap("Top.bmp").size(), QSize(384, 44));
    EXPECT_EQ(bitmap("Menubar.bmp").size(), QSize(384 * 2, 18));
}

TEST_F(CutCommand, FiltersTransparencyAndNames)
{
    ASSERT_EQ(cut(basic({"--grayscale", "lighten,20", "--transparent", "245,20,30", "--skin-name", "Fancy Cut"})), 0)
        << err.str();
    const QImage button = bitmap("Button0.bmp");
    EXPECT_EQ(button.pixel(2, 3), qRgb(255, 0, 255));       // the picked colour, in every copy
    EXPECT_EQ(button.pixel(75 + 2, 3), qRgb(255, 0, 255));
    EXPECT_EQ(button.pixel(1, 1), qRgb(10, 20, 30));        // active: unfiltered
    EXPECT_EQ(button.pixel(45 + 1, 1), qRgb(40, 40, 40));   // inactive: gray + 20
    TAcceleratedIniFile uis((skins / "Cut" / "Cut.uis").string());
    EXPECT_EQ(uis.ReadString("TITLEBARSKIN", "SkinName", ""), "Fancy Cut");

    // Again: the folder exists now.
    EXPECT_EQ(cut(basic({"--opaque", "--borders", "30,4,4,4"})), 2);
    EXPECT_EQ(err.str(), "skinwrt: " + (skins / "Cut").string() +
                             ": already exists; give --replace to replace it and all it holds\n");
    ASSERT_EQ(cut(basic({"--opaque", "--borders", "30,4,4,4", "--replace"})), 0) << err.str();
    EXPECT_EQ(TAcceleratedIniFile((skins / "Cut" / "Cut.uis").string()).ReadString("PERSONALITY", "UsesTran", ""), "0");
    EXPECT_EQ(bitmap("Top.bmp").size(), QSize(392, 60));
    EXPECT_EQ(bitmap("Left.bmp").size(), QSize(8, 300));
}

TEST_F(CutCommand, JpegPicturesMatchTheSeeThroughColourLoosely)
{
    const std::string jpeg = (dir.path() / "window.jpg").string();
    ASSERT_TRUE(test::writeSeeThroughJpeg(jpeg, {400, 300}, 30));
    // How far each pixel of the left edge lies from magenta as the cut reads it.
    const QImage decoded = loadTemplatePicture(jpeg).image;
    ASSERT_FALSE(decoded.isNull());
    auto distance = [&](int x, int y) { return test::distanceFromMagenta(decoded.pixel(x, y)); };
    bool movedALittle = false;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 8; ++x)
            movedALittle = movedALittle || (distance(x, y) > 0 && distance(x, y) <= 24);
    ASSERT_TRUE(movedALittle) << "compression moved no magenta pixel of the left edge a little";
    // Left.bmp's active copy: see-through exactly where the pixel lies within the tolerance.
    auto seeThroughWithin = [&](int tolerance) {
        const QImage left = bitmap("Left.bmp");
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 8; ++x)
                if ((left.pixel(x, y) == qRgb(255, 0, 255)) != (distance(x, y) <= tolerance)) {
                    ADD_FAILURE() << "tolerance " << tolerance << " at " << x << "," << y << ": distance "
                                  << distance(x, y);
                    return;
                }
    };
    std::vector<std::string> args = {jpeg, "--name", "Cut", "--skins", skins.string(), "--button", "350,5,15,14"};
    ASSERT_EQ(cut(args), 0) << err.str();
    EXPECT_EQ(err.str(), "skinwrt: cut: " + jpeg +
                             " is a JPEG picture: colours within 24 of the see-through colour on every channel "
                             "are see-through\n");
    seeThroughWithin(24);
    args.insert(args.end(), {"--replace", "--tolerance", "0"});
    ASSERT_EQ(cut(args), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    seeThroughWithin(0);
    // A bitmap is matched exactly unless asked, and no note is given.
    ASSERT_EQ(cut(basic({"--replace", "--transparent", "240,25,30", "--tolerance", "5"})), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(bitmap("Button0.bmp").pixel(2, 3), qRgb(255, 0, 255));  // (245, 20, 30): within 5
    EXPECT_EQ(bitmap("Button0.bmp").pixel(1, 1), qRgb(10, 20, 30));   // far from it
}

TEST_F(CutCommand, UnreadablePictureIsNamed)
{
    writeBytes(picture, "not a bitmap");
    EXPECT_EQ(cut(basic()), 2);
    EXPECT_EQ(err.str().rfind("skinwrt: " + picture + ": cannot read the picture", 0), 0u) << err.str();
    EXPECT_TRUE(fs::is_empty(skins));
}

// A JPEG picture under a bitmap's name is read as a bitmap, as the skin engine would,
// and so refused, the message saying what it is.
TEST_F(CutCommand, AJpegNamedBmpIsRefusedSayingWhatItIs)
{
    QImage window(40, 30, QImage::Format_RGB32);
    window.fill(qRgb(245, 20, 30));
    ASSERT_TRUE(window.save(QString::fromStdString(picture), "JPEG"));
    EXPECT_EQ(cut(basic()), 2);
    EXPECT_NE(err.str().find("skinwrt: " + picture + ": cannot read the picture"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("the file is a JPEG picture, not a bitmap"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::is_empty(skins));
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

// A skins folder that is not there yet is made, folders above it included; one that
// cannot be made is reported with the system's reason.
TEST_F(CutCommand, MakesAMissingSkinsFolderOrSaysWhyItCannot)
{
    const fs::path deep = dir.path() / "new" / "place" / "Skins";
    std::vector<std::string> args = {picture, "--name", "Cut", "--skins", deep.string(), "--button", "350,5,15,14"};
    ASSERT_EQ(cut(args), 0) << err.str();
    EXPECT_TRUE(fs::is_regular_file(deep / "Cut" / "Cut.uis"));

    writeBytes(dir.path() / "blocker", "a file");
    args[4] = (dir.path() / "blocker" / "Skins").string();
    EXPECT_NE(cut(args), 0);
    EXPECT_EQ(err.str(), "skinwrt: Unable to create the folder " + args[4] + " (Not a directory)\n");
}

}  // namespace
}  // namespace sw
