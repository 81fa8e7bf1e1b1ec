// The new skin wizard's builder: what it writes, in which order, what it copies and
// what it refuses; and the sorting of mounted volumes into drive kinds.
#include "wizards/WizardBuilder.h"
#include "wizards/WizardDrives.h"

#include "document/UisFile.h"
#include "document/Validator.h"
#include "store/AcceleratedIniFile.h"
#include "store/PlatformPaths.h"
#include "support/FolderSnapshot.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// A small template: three base buttons, every kind of added button, variants.
const char* const kTemplate =
    "[TITLEBARSKIN]\n"
    "SkinName=Undefined\n"
    "EditorNotes=remove me\n"
    "[PERSONALITY]\n"
    "ButtonCount=3\n"
    "TOP=Wizard\\top.bmp\n"
    "[PERSONALITY$Plain]\n"
    "BOTTOM=WIZARD\\sub\\bottom.bmp\n"
    "[Text]\n"
    "Use3DText=0\n"
    "[Text$Shadow]\n"
    "Use3DText=1\n"
    "[Text$Outline]\n"
    "Use3DText=2\n"
    "[BUTTONS]\n"
    "BITMAP=wizard\\b.bmp\n"
    "[BUTTONS$BeOs]\n"
    "BITMAP=wizard\\s.bmp\n"
    "[Button$Help]\n"
    "Action=4\n"
    "ButtonImage=wizard\\help.bmp\n"
    "[Button$Rollup]\n"
    "Action=9\n"
    "[Button$SetOnTop]\n"
    "Action=6\n"
    "[Button$ClearOnTop]\n"
    "Action=7\n"
    "[Button$NotOnTop]\n"
    "Action=8\n"
    "[Button$AppBar]\n"
    "YCoord=39\n"
    "[Button$DriveBar]\n"
    "YCoord=20\n"
    "[Button$WordProcessor]\n"
    "YCoord=1\n"
    "[Button$Spreadsheet]\n"
    "YCoord=2\n"
    "[Button$Paint]\n"
    "YCoord=3\n"
    "[Button$MultiMedia]\n"
    "YCoord=4\n"
    "[Button$Floppy]\n"
    "YCoord=11\n"
    "[Button$HDrive]\n"
    "YCoord=12\n"
    "[Button$CD]\n"
    "YCoord=13\n";

class WizardBuilder : public ::testing::Test {
public:
    TempDir dir;
    fs::path engine = dir.path() / "engine";
    fs::path templates = dir.path() / "template";

    void SetUp() override
    {
        fs::create_directories(engine);
        fs::create_directories(templates / "sub");
        writeBytes(templates / "wizard.uis", kTemplate);
        writeBytes(templates / "top.bmp", "TOP");
        writeBytes(templates / "sub" / "bottom.bmp", "BOTTOM");
        writeBytes(templates / "help.bmp", "HELP");
    }

    static WizardChoices none(const std::string& name = "Mine")
    {
        WizardChoices choices;
        choices.onTopButtons = choices.helpButton = choices.rollupButton = false;
        choices.shadow = TitleShadow::None;
        choices.fileName = name;
        choices.author = {"My Skin", "Ann", "http://a.example", "ann@example.org", "notes"};
        return choices;
    }
    WizardResult build(const WizardChoices& choices) { return buildWizardPersonality(choices, engine, templates); }
    std::string value(const std::string& section, const std::string& key)
    {
        TAcceleratedIniFile file((engine / "Mine" / "Mine.uis").string());
        return file.ReadString(section, key, "<none>");
    }
};

TEST_F(WizardBuilder, WritesInTheOrderOfTheSteps)
{
    WizardChoices choices = none();
    choices.helpButton = true;
    const WizardResult result = build(choices);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.uisFile, engine / "Mine" / "Mine.uis");
    // Base sections in template order, then the $Plain key appended to its section,
    // the Help button, the moved pictures in place, the identity keys appended and
    // EditorNotes gone.
    EXPECT_EQ(readBytes(result.uisFile), "[TITLEBARSKIN]\r\n"
                                         "SkinName=My Skin\r\n"
                                         "SkinAuthor=Ann\r\n"
                                         "AuthorsURL=http://a.example\r\n"
                                         "AuthorEmail=ann@example.org\r\n"
                                         "SpecialNotes=notes\r\n"
                                         "\r\n"
                                         "[PERSONALITY]\r\n"
                                         "ButtonCount=4\r\n"
                                         "TOP=Mine\\top.bmp\r\n"
                                         "BOTTOM=Mine\\sub\\bottom.bmp\r\n"
                                         "\r\n"
                                         "[Text]\r\n"
                                         "Use3DText=0\r\n"
                                         "\r\n"
                                         "[BUTTONS]\r\n"
                                         "BITMAP=Mine\\b.bmp\r\n"
                                         "\r\n"
                                         "[Button3]\r\n"
                                         "Action=4\r\n"
                                         "ButtonImage=Mine\\help.bmp\r\n");
    // Pictures that exist are copied, whatever the case of "wizard\"; b.bmp does not.
    EXPECT_EQ(readBytes(engine / "Mine" / "top.bmp"), "TOP");
    EXPECT_EQ(readBytes(engine / "Mine" / "sub" / "bottom.bmp"), "BOTTOM");
    EXPECT_EQ(readBytes(engine / "Mine" / "help.bmp"), "HELP");
    EXPECT_FALSE(fs::exists(engine / "Mine" / "b.bmp"));
}

TEST_F(WizardBuilder, VariantsFollowTheChoices)
{
    struct Case {
        const char* what;
        bool standard, appBar, driveBar;
        TitleShadow shadow;
        const char* bitmap;
        const char* bottom;
        const char* text3d;
    };
    const Case cases[] = {
        {"gradient, no bars, plain text", false, false, false, TitleShadow::None, "Mine\\b.bmp", "Mine\\sub\\bottom.bmp", "0"},
        {"standard style", true, false, false, TitleShadow::None, "Mine\\s.bmp", "Mine\\sub\\bottom.bmp", "0"},
        {"application bar", false, true, false, TitleShadow::Drop, "Mine\\b.bmp", "<none>", "1"},
        {"drive bar", false, false, true, TitleShadow::Outline, "Mine\\b.bmp", "<none>", "2"},
        {"both bars", true, true, true, TitleShadow::Drop, "Mine\\s.bmp", "<none>", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WizardChoices choices = none();
        choices.standardStyle = c.standard;
        choices.appBar = c.appBar;
        choices.driveBar = c.driveBar;
        choices.shadow = c.shadow;
        ASSERT_TRUE(build(choices).ok);
        EXPECT_EQ(value("BUTTONS", "BITMAP"), c.bitmap);
        EXPECT_EQ(value("PERSONALITY", "BOTTOM"), c.bottom);
        EXPECT_EQ(value("Text", "Use3DText"), c.text3d);
        EXPECT_EQ(value("TITLEBARSKIN", "EditorNotes"), "<none>");
    }
}

TEST_F(WizardBuilder, ButtonsAreNumberedFromButtonCount)
{
    struct Case {
        const char* what;
        bool help, rollup, onTop;
        std::vector<std::pair<std::string, std::string>> actions;  // section, Action
        const char* count;
    };
    const Case cases[] = {
        {"help only", true, false, false, {{"Button3", "4"}, {"Button4", "<none>"}}, "4"},
        {"rollup only", false, true, false, {{"Button3", "9"}}, "4"},
        {"on top: three buttons", false, false, true, {{"Button3", "6"}, {"Button4", "7"}, {"Button5", "8"}}, "6"},
        {"all", true, true, true, {{"Button3", "4"}, {"Button4", "9"}, {"Button7", "8"}}, "8"},
        {"none", false, false, false, {{"Button3", "<none>"}}, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WizardChoices choices = none();
        choices.helpButton = c.help;
        choices.rollupButton = c.rollup;
        choices.onTopButtons = c.onTop;
        ASSERT_TRUE(build(choices).ok);
        for (const auto& [section, action] : c.actions)
            EXPECT_EQ(value(section, "Action"), action) << section;
        EXPECT_EQ(value("PERSONALITY", "ButtonCount"), c.count);
    }
}

TEST_F(WizardBuilder, BarButtonsLineUpBehindTheirBar)
{
    WizardChoices choices = none();
    choices.appBar = true;
    choices.programs = {true, false, true, true, false, false, false, false, false};
    choices.programCommands[3] = "player.exe --open";
    choices.driveBar = true;
    choices.drives = {{"/", DriveFixed, true},
                      {"/media/stick", DriveRemovable, false},
                      {"/mnt/odd", 7, true},
                      {"/cdrom", DriveOptical, true}};
    ASSERT_TRUE(build(choices).ok);
    // Button3 is the application bar; its programs follow at 6, 25 and 44.
    EXPECT_EQ(value("Button3", "Action"), "40");
    EXPECT_EQ(value("Button3", "Align"), "3");
    EXPECT_EQ(value("Button3", "YCoord"), "39");
    struct Row {
        const char* section;
        const char* x;
        const char* y;
        const char* linkedTo;
        const char* command;
    };
    const Row rows[] = {
        // Each program button runs its command: the row's own, or the one the author gave.
        {"Button4", "6", "1", "3", "write.exe"},
        {"Button5", "25", "3", "3", "mspaint.exe"},
        {"Button6", "44", "4", "3", "player.exe --open"},
        // Button7 is the drive bar. The unchecked stick neither adds a button nor
        // moves the next one; the drive of no known kind adds none but takes its place.
        {"Button8", "6", "12", "7", "/"},
        {"Button9", "44", "13", "7", "/cdrom"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.section);
        EXPECT_EQ(value(row.section, "XCoord"), row.x);
        EXPECT_EQ(value(row.section, "YCoord"), row.y);
        EXPECT_EQ(value(row.section, "LinkedTo"), row.linkedTo);
        EXPECT_EQ(value(row.section, "Action"), "5");
        EXPECT_EQ(value(row.section, "Align"), "2");
        EXPECT_EQ(value(row.section, "Visibility"), "40");
        EXPECT_EQ(value(row.section, "Command"), row.command);
    }
    EXPECT_EQ(value("Button7", "Action"), "40");
    EXPECT_EQ(value("Button7", "YCoord"), "20");
    EXPECT_EQ(value("PERSONALITY", "ButtonCount"), "10");
}

TEST_F(WizardBuilder, RefusesBadNamesAndAMissingTemplateBeforeWriting)
{
    const struct {
        const char* name;
        const char* reason;
    } names[] = {
        {"", "The file name is empty"},
        {"   ", "The file name is empty"},
        {"a/b", "The file name must not contain \\ or /"},
        {"..\\up", "The file name must not contain \\ or /"},
        {"..", "The file name cannot be \".\" or \"..\""},
        {"skin.", "The file name must not end with a dot or a blank"},
        {"what?", "The file name must not contain any of : * ? \" < > | or control characters"},
    };
    for (const auto& [name, reason] : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(wizardFileNameProblem(name), reason);
        const WizardResult result = build(none(name));
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(reason), std::string::npos) << result.error;
        EXPECT_TRUE(fs::is_empty(engine));
    }
    EXPECT_EQ(wizardFileNameProblem("My Skin 2"), "");

    fs::remove(templates / "wizard.uis");
    const WizardResult result = build(none());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find((templates / "wizard.uis").string()), std::string::npos) << result.error;
    EXPECT_TRUE(fs::is_empty(engine));
}

// A missing engine folder is made, parents and all; one that cannot be made is
// reported with the system's reason.
TEST_F(WizardBuilder, AMissingEngineFolderIsMadeOrTheReasonGiven)
{
    const fs::path missing = dir.path() / "not" / "yet" / "Skins";
    const WizardResult made = buildWizardPersonality(none(), missing, templates);
    EXPECT_TRUE(made.ok) << made.error;
    EXPECT_TRUE(fs::is_regular_file(missing / "Mine" / "Mine.uis"));

    writeBytes(dir.path() / "plain", "a file");
    const fs::path blocked = dir.path() / "plain" / "Skins";
    const WizardResult refused = buildWizardPersonality(none(), blocked, templates);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "Unable to create the folder " + blocked.string() + " (Not a directory)");
    EXPECT_EQ(readBytes(dir.path() / "plain"), "a file");
}

TEST_F(WizardBuilder, RebuildsAnExistingPersonalityFileAndKeepsOtherFiles)
{
    fs::create_directories(engine / "Mine");
    writeBytes(engine / "Mine" / "Mine.uis", "[Old]\r\nKey=1\r\n");
    writeBytes(engine / "Mine" / "top.bmp", "OLD");
    writeBytes(engine / "Mine" / "notes.txt", "mine");
    ASSERT_TRUE(build(none()).ok);
    EXPECT_EQ(value("Old", "Key"), "<none>");
    EXPECT_EQ(readBytes(engine / "Mine" / "top.bmp"), "TOP");
    EXPECT_EQ(readBytes(engine / "Mine" / "notes.txt"), "mine");
}

// A rebuild killed at any step of its folder change leaves the old folder or the new
// one whole, and the next rebuild leaves nothing beside it.
TEST_F(WizardBuilder, ARebuildKilledAtAnyStepLeavesTheOldOrTheNewFolderWhole)
{
    const fs::path mine = engine / "Mine";
    const auto reset = [&] {
        fs::remove_all(mine);
        fs::create_directories(mine);
        writeBytes(mine / "Mine.uis", "[Old]\r\nKey=1\r\n");
        writeBytes(mine / "top.bmp", "OLD");
        writeBytes(mine / "notes.txt", "mine");
    };
    reset();
    const auto old = test::snapshotOf(mine);
    ASSERT_TRUE(build(none()).ok);
    const auto fresh = test::snapshotOf(mine);
    reset();
    const int runs = test::stopAtEveryStep([&] { ::_exit(build(none()).ok ? 0 : 1); }, [&](bool finished) {
        const auto now = test::snapshotOf(mine);
        EXPECT_TRUE(finished ? now == fresh : now == old || now == fresh);
        ASSERT_TRUE(build(none()).ok);
        EXPECT_EQ(test::snapshotOf(mine), fresh);
        EXPECT_EQ(test::namesIn(engine), std::vector<std::string>{"Mine"});
        reset();
    });
    EXPECT_GT(runs, 4);
}

// Every kind of choice, built from the shipped template, validates clean against
// the catalogue, with every picture it names in the new folder.
TEST(WizardTemplate, EveryKindOfChoiceValidatesClean)
{
    const fs::path shipped = wizardTemplateFolder();
    ASSERT_TRUE(wizardTemplateFile(shipped)) << shipped;
    struct Case {
        const char* what;
        bool standard, help, rollup, onTop, appBar, driveBar;
        TitleShadow shadow;
    };
    const Case cases[] = {
        {"defaults", false, true, true, true, false, false, TitleShadow::Drop},
        {"nothing extra", false, false, false, false, false, false, TitleShadow::None},
        {"standard, outline", true, true, false, true, false, false, TitleShadow::Outline},
        {"application bar", false, true, true, true, true, false, TitleShadow::Drop},
        {"drive bar", true, false, true, false, false, true, TitleShadow::None},
        {"everything", true, true, true, true, true, true, TitleShadow::Outline},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WizardChoices choices;
        choices.standardStyle = c.standard;
        choices.helpButton = c.help;
        choices.rollupButton = c.rollup;
        choices.onTopButtons = c.onTop;
        choices.appBar = c.appBar;
        choices.driveBar = c.driveBar;
        choices.drives = {{"/", DriveFixed, true},      {"/media/usb", DriveRemovable, true},
                          {"/cdrom", DriveOptical, true}, {"/net", DriveNetwork, true},
                          {"/tmp", DriveRam, true}};
        choices.shadow = c.shadow;
        choices.fileName = "Built";
        choices.author = {"Built skin", "Ann", "", "", ""};
        const WizardResult result = buildWizardPersonality(choices, dir.path(), shipped);
        ASSERT_TRUE(result.ok) << result.error;
        TUisFile document(result.uisFile.string());
        const ValidationResult check = validate(document, result.uisFile, dir.path());
        ASSERT_TRUE(check.clean()) << check.findings.front().caption;
    }
}

TEST(WizardDrives, VolumesSortIntoTheFiveKinds)
{
    const struct {
        VolumeFacts volume;
        int kind;
    } cases[] = {
        {{"/", "ext4", "/dev/sda2", "root", false}, DriveFixed},
        {{"/home", "btrfs", "/dev/nvme0n1p3", "", false}, DriveFixed},
        {{"/media/ann/STICK", "vfat", "/dev/sdb1", "STICK", false}, DriveRemovable},
        {{"/mnt/card", "exfat", "/dev/mmcblk0p1", "", true}, DriveRemovable},
        {{"/media/cdrom", "iso9660", "/dev/sr0", "DISC", false}, DriveOptical},
        {{"/mnt/dvd", "udf", "/dev/sr1", "", false}, DriveOptical},
        {{"/mnt/share", "nfs4", "server:/export", "", false}, DriveNetwork},
        {{"/mnt/win", "cifs", "//server/share", "", false}, DriveNetwork},
        {{"/tmp", "tmpfs", "tmpfs", "", false}, DriveRam},
        {{"/dev/shm", "tmpfs", "tmpfs", "", false}, DriveRam},
        {{"/run/user/1000", "tmpfs", "tmpfs", "", false}, -1},
        {{"/proc", "proc", "proc", "", false}, -1},
        {{"/sys/fs/cgroup", "cgroup2", "cgroup2", "", false}, -1},
        {{"/dev", "devtmpfs", "udev", "", false}, -1},
        {{"/snap/core/1", "squashfs", "/dev/loop0", "", false}, -1},
        {{"/var/lib/docker/x", "overlay", "overlay", "", false}, -1},
        {{"C:/", "NTFS", "\\\\?\\Volume{1}\\", "System", false}, DriveFixed},
        {{"/tmp", "tmpfs", "tmpfs", "again", false}, DriveRam},
    };
    std::vector<VolumeFacts> volumes;
    for (const auto& [volume, kind] : cases) {
        EXPECT_EQ(volumeKind(volume), kind) << volume.root.toStdString();
        volumes.push_back(volume);
    }
    const std::vector<DriveRow> rows = driveRows(volumes);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].caption, "/");
    EXPECT_EQ(rows[0].name, "root");
    // A removable medium is not asked for its label.
    EXPECT_EQ(rows[2].name, "Removable");
    EXPECT_EQ(rows[4].name, "DISC");
    EXPECT_EQ(rows[8].name, "");  // the first mount of /tmp, listed once
    EXPECT_EQ(rows[10].caption, "c:\\");
    EXPECT_EQ(rows[10].root, "C:/");
    EXPECT_EQ(driveSuffix(DriveRam), "$Ram");
    EXPECT_EQ(driveSuffix(5), "");
}

}  // namespace
}  // namespace sw
