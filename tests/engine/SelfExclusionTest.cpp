#include "engine/SelfExclusion.h"

#include "EngineEnvironment.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class SelfExclusionTest : public test::EngineEnvironment {};

const QString kProgram = "/opt/Skinwright/Skinwrt.exe";
const QString kWelcome = "Welcome to Skinwright.\n\nPress 'OK' to restart Skinwright now.";

TEST_F(SelfExclusionTest, DecisionFollowsIgnoreAppOfTheProgramsSection)
{
    struct Case {
        const char* name;
        std::optional<std::string> vxdbg;
        bool needed;
    } cases[] = {
        {"no vxdbg.ini", std::nullopt, false},
        {"empty vxdbg.ini", "", true},
        {"no section for the editor", "[winamp.exe]\r\nIgnoreApp=1\r\n", true},
        {"IgnoreApp missing", "[Skinwrt.exe]\r\nActiveFix=1\r\n", true},
        {"IgnoreApp off", "[Skinwrt.exe]\r\nIgnoreApp=0\r\n", true},
        {"IgnoreApp not a number", "[Skinwrt.exe]\r\nIgnoreApp=yes\r\n", true},
        {"IgnoreApp on", "[Skinwrt.exe]\r\nIgnoreApp=1\r\n", false},
        // The user unticked "Add to Veneerix exclusion list": that choice stays.
        {"opted out", "[Skinwrt.exe]\r\nActiveFix=0\r\n", false},
        {"opted out, IgnoreApp off", "[Skinwrt.exe]\r\nIgnoreApp=0\r\nActiveFix=0\r\n", false},
        {"ActiveFix not a number counts as on", "[Skinwrt.exe]\r\nActiveFix=no\r\n", true},
        {"letter case aside", "[SKINWRT.EXE]\r\nignoreapp=1\r\n", false},
        {"only the first of two sections counts", "[Skinwrt.exe]\r\n[skinwrt.exe]\r\nIgnoreApp=1\r\n", true},
    };
    fs::path engineFolder = folder("Veneerix");
    EngineSettings settings(engineFolder);
    for (const Case& c : cases) {
        fs::remove(engineFolder / "vxdbg.ini");
        if (c.vxdbg)
            writeBytes(engineFolder / "vxdbg.ini", *c.vxdbg);
        EXPECT_EQ(selfExclusionNeeded(settings, kProgram), c.needed) << c.name;
    }
}

TEST_F(SelfExclusionTest, ExcludingWritesBothSwitchesAndRestartsWithFiveArguments)
{
    struct Case {
        const char* name;
        std::string before;
        std::string after;
        QStringList arguments;
        QStringList restartArguments;
    } cases[] = {
        {"new section",
         "; engine fixes\r\n[winamp.exe]\r\nNoBitmaps=1\r\n",
         "; engine fixes\r\n[winamp.exe]\r\nNoBitmaps=1\r\n\r\n[Skinwrt.exe]\r\nActiveFix=1\r\nIgnoreApp=1\r\n",
         {"/skins/My Skin/My Skin.uis"},
         {"/skins/My Skin/My Skin.uis"}},
        {"existing section edited in place",
         "[Skinwrt.exe]\nNoSize=1\nIgnoreApp=0\n; note\n[x.exe]\nActiveFix=0\n",
         "[Skinwrt.exe]\nNoSize=1\nIgnoreApp=1\nActiveFix=1\n; note\n[x.exe]\nActiveFix=0\n",
         {"1", "2", "3", "4", "5", "6", "7"},
         {"1", "2", "3", "4", "5"}},
        {"no arguments", "", "[Skinwrt.exe]\r\nActiveFix=1\r\nIgnoreApp=1\r\n", {}, {}},
    };
    fs::path engineFolder = folder("Veneerix");
    EngineSettings settings(engineFolder);
    for (const Case& c : cases) {
        writeBytes(engineFolder / "vxdbg.ini", c.before);
        prompts.answer(PromptAnswer::Ok);
        RecordingShell restart;
        ScopedService<Shell> shellScope(restart);

        EXPECT_TRUE(excludeSelfFromSkinning(settings, kProgram, c.arguments, kWelcome)) << c.name;

        ASSERT_FALSE(prompts.shown().empty());
        const ShownPrompt& shown = prompts.shown().back();
        EXPECT_EQ(shown.text, kWelcome) << c.name;
        EXPECT_EQ(shown.caption, "Caution") << c.name;
        EXPECT_EQ(shown.buttons, PromptButtons::Ok) << c.name;
        EXPECT_EQ(readBytes(engineFolder / "vxdbg.ini"), c.after) << c.name;
        ASSERT_EQ(restart.calls().size(), 1u) << c.name;
        EXPECT_EQ(restart.calls()[0].kind, ShellCall::Kind::Start) << c.name;
        EXPECT_EQ(restart.calls()[0].target, kProgram) << c.name;
        EXPECT_EQ(restart.calls()[0].arguments, c.restartArguments) << c.name;

        // Started again, the program finds itself excluded and goes on.
        EXPECT_FALSE(excludeSelfFromSkinning(settings, kProgram, c.arguments, kWelcome)) << c.name;
        EXPECT_EQ(restart.calls().size(), 1u) << c.name;
    }
    EXPECT_EQ(prompts.shown().size(), 3u);
}

TEST_F(SelfExclusionTest, AFailedRestartLetsThisCopyGoOn)
{
    fs::path engineFolder = folder("Veneerix");
    writeBytes(engineFolder / "vxdbg.ini", "");
    EngineSettings settings(engineFolder);
    prompts.answer(PromptAnswer::Ok);
    recordingShell.setResult(false);

    EXPECT_FALSE(excludeSelfFromSkinning(settings, kProgram, {}, kWelcome));
    EXPECT_EQ(recordingShell.calls().size(), 1u);
    EXPECT_EQ(readBytes(engineFolder / "vxdbg.ini"), "[Skinwrt.exe]\r\nActiveFix=1\r\nIgnoreApp=1\r\n");
}

#ifdef __linux__
TEST_F(SelfExclusionTest, AnExclusionThatCannotBeWrittenNeverRestarts)
{
    // A vxdbg.ini that reads but cannot be replaced, even for the superuser: its
    // target lies in /proc, where no file can be created beside it.
    fs::path engineFolder = folder("Veneerix");
    fs::create_symlink("/proc/self/status", engineFolder / "vxdbg.ini");
    EngineSettings settings(engineFolder);
    ASSERT_TRUE(selfExclusionNeeded(settings, kProgram));
    prompts.answer(PromptAnswer::Ok);

    EXPECT_FALSE(excludeSelfFromSkinning(settings, kProgram, {"a.uis"}, kWelcome));
    EXPECT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(recordingShell.calls().empty());
}
#endif

}  // namespace
}  // namespace sw
