#include "tweak/TweakSettings.h"

#include "engine/EngineSettings.h"

#include "TweakEnvironment.h"

namespace sw::tweak {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

class TweakSettingsTest : public test::TweakEnvironment {};

TEST_F(TweakSettingsTest, WithoutEngineValuesTheDefaultsShowAndOkWritesOnlyWhatChanged)
{
    const TweakSettings read = readTweakSettings();
    EXPECT_EQ(read.look.background, ExplorerLook::Regular);
    EXPECT_EQ(read.look.transparencyColour, 7);
    EXPECT_FALSE(read.look.ownTextColour);
    EXPECT_EQ(std::tuple(read.look.red, read.look.green, read.look.blue), std::tuple(0, 0, 255));
    EXPECT_FALSE(read.sizeLimit || read.windowLock || read.noSound);
    EXPECT_FALSE(read.toolbars.images || read.toolbars.synchronize);

    // Nothing changed, nothing written; the engine is still told to reload.
    writeTweakSettings(read, read, programFolderPath);
    for (const char* name : {"ExpTrans", "stretchBitmaps", "transBCOL", "DoExplorerColour", "ExpR", "ExpB"})
        EXPECT_EQ(engineValue(name), std::nullopt) << name;
    EXPECT_FALSE(fs::exists(windowsFolder() / "vx.ini"));
    EXPECT_EQ(channel.codes, std::vector<int>{kEngineReload});

    TweakSettings changed = read;
    changed.look.transparencyColour = 3;
    changed.look.red = 9;  // the own colour is off: the colour is not the engine's
    writeTweakSettings(changed, read, programFolderPath);
    EXPECT_EQ(engineValue("transBCOL"), "3");
    for (const char* name : {"ExpTrans", "stretchBitmaps", "DoExplorerColour", "ExpR"})
        EXPECT_EQ(engineValue(name), std::nullopt) << name;
}

TEST_F(TweakSettingsTest, StoredValuesAreReadLeniently)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> values;
        ExplorerLook::Background background;
        int colour;
        bool ownColour;
    } cases[] = {
        {{{"transBCOL", "1x2"}}, ExplorerLook::Regular, 12, false},
        {{{"ExpTrans", "1"}, {"transBCOL", " 3"}}, ExplorerLook::Transparent, 3, false},
        // the stretched background is switched on last, so it wins
        {{{"ExpTrans", "1"}, {"stretchBitmaps", "1"}}, ExplorerLook::Stretch, 7, false},
        {{{"ExpTrans", "2"}, {"transBCOL", "99"}, {"DoExplorerColour", "1"}}, ExplorerLook::Regular, 15, true},
        {{{"transBCOL", ""}}, ExplorerLook::Regular, 7, false},
    };
    for (const Case& c : cases) {
        fs::remove_all(temp.path() / "registry");
        for (const auto& [name, value] : c.values)
            Registry().writeString(kEngineSettingsKey, name, value);
        const TweakSettings read = readTweakSettings();
        EXPECT_EQ(read.look.background, c.background) << c.values.front().first;
        EXPECT_EQ(read.look.transparencyColour, c.colour) << c.values.front().second;
        EXPECT_EQ(read.look.ownTextColour, c.ownColour);
    }
}

TEST_F(TweakSettingsTest, WritingFollowsTheEnginesOrderAndStoresEverything)
{
    fs::create_directories(windowsFolder());
    writeBytes(windowsFolder() / "vx.ini", "; global\r\n[Global]\r\nNoSound=1\r\nUseHWAcc=1\r\n");
    TweakSettings settings;
    settings.sizeLimit = true;
    settings.noSound = false;
    settings.look.background = ExplorerLook::Transparent;
    settings.look.transparencyColour = 11;
    settings.look.ownTextColour = true;
    settings.look.red = 12;
    settings.look.green = 34;
    settings.look.blue = 56;
    settings.toolbars.images = true;
    settings.toolbars.backBitmap = "C:\\Pictures\\bar.bmp";
    settings.toolbars.backBitmapIE5 = "C:\\Pictures\\bar5.bmp";
    writeTweakSettings(settings, readTweakSettings(), programFolderPath);

    const std::vector<std::pair<const char*, const char*>> expected = {
        {"ExpTrans", "1"}, {"stretchBitmaps", "0"}, {"transBCOL", "11"}, {"DoExplorerColour", "1"},
        {"ExpR", "12"},    {"ExpG", "34"},          {"ExpB", "56"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(engineValue(name), value) << name;
    Registry registry;
    EXPECT_EQ(registry.read(kToolbarKey, "BackBitmap"), "C:\\Pictures\\bar.bmp");
    EXPECT_EQ(registry.read(kToolbarKey, "BackBitmapIE5"), "C:\\Pictures\\bar5.bmp");
    EXPECT_EQ(registry.read(kToolbarKey, "SkinwrightBackBitmapEnable"), "1");
    EXPECT_FALSE(registry.valueExists(kRunKey, kSynchronizerValue));
    // Only the switches changed here are written; WindowLock (off, as missing reads), UseHWAcc
    // and the comment stay as they were.
    EXPECT_EQ(readBytes(windowsFolder() / "vx.ini"),
              "; global\r\n[Global]\r\nNoSound=0\r\nUseHWAcc=1\r\nSizeLimit=1\r\n");
    // Synchronizing was off and stays off: the synchronizer is not called at all.
    EXPECT_TRUE(recordingShell.calls().empty());
    EXPECT_EQ(channel.codes, std::vector<int>{kEngineReload});
}

TEST_F(TweakSettingsTest, SynchronizingRemovesTheToolbarPicturesEvenWhenTheyWereTicked)
{
    Registry registry;
    registry.writeString(kToolbarKey, "BackBitmap", "a.bmp");
    registry.writeString(kToolbarKey, "BackBitmapIE5", "b.bmp");
    registry.writeString(kToolbarKey, "SkinwrightBackBitmapEnable", "1");
    registry.writeString(kToolbarKey, "Other", "kept");
    TweakSettings settings = readTweakSettings();
    ASSERT_TRUE(settings.toolbars.images);
    settings.toolbars.synchronize = true;
    const TweakSettings stored = writeTweakSettings(settings, readTweakSettings(), programFolderPath).stored;

    for (const char* name : {"BackBitmap", "BackBitmapIE5", "SkinwrightBackBitmapEnable"})
        EXPECT_FALSE(registry.valueExists(kToolbarKey, name)) << name;
    EXPECT_EQ(registry.read(kToolbarKey, "Other"), "kept");
    EXPECT_EQ(registry.read(kRunKey, kSynchronizerValue),
              (programFolderPath / "ExpSync.exe").string() + " /monitor");
    ASSERT_EQ(recordingShell.calls().size(), 1u);
    EXPECT_EQ(recordingShell.calls()[0].arguments, QStringList{QStringLiteral("/monitor")});
    EXPECT_TRUE(readTweakSettings().toolbars.synchronize);

    // Switching it off again takes the start entry away and stops the synchronizer.
    settings.toolbars.synchronize = false;
    settings.toolbars.images = false;
    writeTweakSettings(settings, stored, programFolderPath);
    EXPECT_FALSE(registry.valueExists(kRunKey, kSynchronizerValue));
    EXPECT_EQ(recordingShell.calls().back().arguments, QStringList{QStringLiteral("/kill")});
    EXPECT_EQ(recordingShell.calls().back().target.toStdString(), (programFolderPath / "ExpSync.exe").string());
}

}  // namespace
}  // namespace sw::tweak
