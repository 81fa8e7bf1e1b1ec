#include "engine/EngineSettings.h"

#include "engine/Engine.h"
#include "engine/Registry.h"

#include "EngineEnvironment.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class EngineSettingsTest : public test::EngineEnvironment {};

TEST_F(EngineSettingsTest, RegistryValuesReadLenientlyWithTheirDefaults)
{
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        int expected;
    } cases[] = {
        {"ExpTrans", std::nullopt, 0},
        {"stretchBitmaps", "", 0},
        {"transBCOL", "1x2", 12},
        {"DoExplorerColour", " 1 ", 1},
        {"ExpR", "2a5b5", 255},
        {"ExpG", "-", 0},
        {"ExpB", std::nullopt, 255},
        {"expb", "", 255},
        {"ExpB", "zero", 255},
        {"ExpB", "0", 0},
    };
    for (const Case& c : cases) {
        fs::remove_all(temp.path() / "registry");
        if (c.stored) {
            ASSERT_TRUE(Registry().writeString(kEngineSettingsKey, c.name, *c.stored));
        }
        EXPECT_EQ(EngineSettings::value(c.name), c.expected) << c.name << " = " << c.stored.value_or("(missing)");
    }
    ASSERT_TRUE(EngineSettings::setValue("transBCOL", 7));
    EXPECT_EQ(Registry().read(kEngineSettingsKey, "transBCOL"), "7");
}

TEST_F(EngineSettingsTest, GlobalSwitchesAreEditedInPlaceInTheWindowsFolder)
{
    const std::string before =
        "; Veneerix global settings\r\n"
        "[Global]\r\n"
        "SizeLimit=0\r\n"
        "; keep windows on screen\r\n"
        "WindowLock=1\r\n"
        "UseHWAcc=2\r\n"
        "\r\n"
        "[Other]\r\n"
        "NoSound=1\r\n";
    fs::path file = folder("windows") / "vx.ini";
    writeBytes(file, before);
    EXPECT_EQ(EngineSettings::globalFile(), file);

    const std::pair<std::string_view, bool> reads[] = {
        {"SizeLimit", false}, {"windowlock", true}, {"NoSound", false}, {"UseHWAcc", true}};
    for (auto [name, on] : reads)
        EXPECT_EQ(EngineSettings::globalSwitch(name), on) << name;

    EXPECT_TRUE(EngineSettings::setGlobalSwitch("SizeLimit", true));
    EXPECT_TRUE(EngineSettings::setGlobalSwitch("WindowLock", false));
    EXPECT_TRUE(EngineSettings::setGlobalSwitch("NoSound", true));
    EXPECT_EQ(readBytes(file),
              "; Veneerix global settings\r\n"
              "[Global]\r\n"
              "SizeLimit=1\r\n"
              "; keep windows on screen\r\n"
              "WindowLock=0\r\n"
              "UseHWAcc=2\r\n"
              "NoSound=1\r\n"
              "\r\n"
              "[Other]\r\n"
              "NoSound=1\r\n");
}

TEST_F(EngineSettingsTest, AMissingWindowsFolderAndVxIniAreCreated)
{
    EXPECT_FALSE(EngineSettings::globalSwitch("NoSound"));
    EXPECT_TRUE(EngineSettings::setGlobalSwitch("NoSound", true));
    EXPECT_EQ(readBytes(temp.path() / "windows" / "vx.ini"), "[Global]\r\nNoSound=1\r\n");
}

TEST_F(EngineSettingsTest, PerProgramFilesOfTheEngineFolder)
{
    fs::path engineFolder = folder("Veneerix");
    writeBytes(engineFolder / "vxdbg.ini",
               "# per-program fixes\n"
               "[winamp.exe]\n"
               "NoBitmaps=1\n"
               "ButtonFix=0\n"
               "[Explorer.exe]\n"
               "MDIFix=1\n");
    writeBytes(engineFolder / "vxPerApp.ini",
               "[WINAMP.EXE]\n"
               "Skin=Aqua\n"
               "[Notepad.exe]\n"
               "Skin=Paper\n");
    EngineSettings settings(engineFolder);

    EXPECT_TRUE(settings.programSwitch("WINAMP.EXE", "nobitmaps"));
    EXPECT_FALSE(settings.programSwitch("winamp.exe", "ButtonFix", true));
    EXPECT_TRUE(settings.programSwitch("winamp.exe", "ActiveFix", true));
    EXPECT_FALSE(settings.programSwitch("calc.exe", "NoScroll"));
    EXPECT_EQ(settings.programSkin("winamp.exe"), "Aqua");
    EXPECT_EQ(settings.programSkin("calc.exe"), "");
    EXPECT_EQ(settings.knownPrograms(), (std::vector<std::string>{"Explorer.exe", "Notepad.exe", "winamp.exe"}));

    EXPECT_TRUE(settings.setProgramSwitch("winamp.exe", "ButtonFix", true));
    EXPECT_TRUE(settings.setProgramSwitch("calc.exe", "NoScroll", true));
    EXPECT_EQ(readBytes(engineFolder / "vxdbg.ini"),
              "# per-program fixes\n"
              "[winamp.exe]\n"
              "NoBitmaps=1\n"
              "ButtonFix=1\n"
              "[Explorer.exe]\n"
              "MDIFix=1\n"
              "\n"
              "[calc.exe]\n"
              "NoScroll=1\n");

    EXPECT_TRUE(settings.setProgramSkin("notepad.exe", "Slate"));
    EXPECT_TRUE(settings.setProgramSkin("winamp.exe", ""));
    EXPECT_EQ(readBytes(engineFolder / "vxPerApp.ini"),
              "[Notepad.exe]\n"
              "Skin=Slate\n");
}

TEST_F(EngineSettingsTest, FailedWritesAreReportedNotThrown)
{
    EngineSettings settings(temp.path() / "no such engine folder");
    EXPECT_FALSE(settings.setProgramSwitch("skinwrt", "ActiveFix", true));
    EXPECT_FALSE(settings.setProgramSkin("skinwrt", "Aqua"));
    EXPECT_FALSE(settings.programSwitch("skinwrt", "ActiveFix"));
    EXPECT_TRUE(settings.knownPrograms().empty());
    EXPECT_FALSE(fs::exists(temp.path() / "no such engine folder"));
}

}  // namespace
}  // namespace sw
