#include "engine/Registry.h"

#include "EngineEnvironment.h"
#include "store/StringOps.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::readBytes;

class RegistryTest : public test::EngineEnvironment {};

constexpr std::string_view kKey = "Software\\Corvane\\Veneerix\\VX5.ini\\VXLiteFX";

TEST_F(RegistryTest, ValuesComeBackAsWrittenWhateverTheLetterCase)
{
    const std::pair<std::string, std::string> values[] = {
        {"SkinSet", "C:\\Program Files\\Veneerix\\Aqua\\Aqua.uis"},
        {"", "the key's default value"},
        {"@", "Edit with Skinwright"},
        {"Empty", ""},
        {"Commas", "a, b,c"},
        {"Quotes", "say \"hi\" ; not a comment"},
        {"AtSign", "@Variant(looks like one)"},
        {"Blanks", "  padded  x=y [z]"},
        {"NonAscii", "/skins/\xc3\xa9t\xc3\xa9.uis"},
    };
    Registry registry;
    for (const auto& [name, value] : values)
        ASSERT_TRUE(registry.writeString(kKey, name, "first")) << name;
    // Written again under other letter cases: the same values change, none is added.
    for (const auto& [name, value] : values)
        ASSERT_TRUE(registry.writeString("SOFTWARE/corvane/VENEERIX/vx5.INI/vxlitefx", asciiUpper(name), value));
    for (const auto& [name, value] : values)
        EXPECT_EQ(registry.read(kKey, asciiLower(name)), value) << name;

    EXPECT_EQ(registry.read(kKey, "ExpB"), std::nullopt);
    EXPECT_EQ(registry.readString("Software\\Nobody", "SkinSet"), "");
    EXPECT_FALSE(registry.writeString(kKey, "a\\b", "x"));
    EXPECT_FALSE(registry.writeString(kKey, "a/b", "x"));

    std::string hive = readBytes(temp.path() / "registry" / "HKEY_CURRENT_USER.ini");
    EXPECT_NE(hive.find("SkinSet"), std::string::npos);
    EXPECT_EQ(hive.find("SKINSET"), std::string::npos);
    EXPECT_EQ(hive.find("corvane"), std::string::npos);
}

TEST_F(RegistryTest, KeyExistence)
{
    Registry user;
    Registry classes(RegistryHive::ClassesRoot);
    ASSERT_TRUE(user.writeString(kKey, "SkinSet", "x"));
    ASSERT_TRUE(classes.writeString(".uis", "", "VeneerixPersonalityFile"));
    struct Case {
        const Registry& hive;
        std::string_view key;
        bool exists;
    } cases[] = {
        {user, kKey, true},
        {user, "software\\corvane\\veneerix\\vx5.ini\\vxlitefx", true},
        {user, "\\Software\\Corvane\\", true},
        {user, "Software\\Corvane\\Veneerix\\VX5.ini\\Installed", false},
        {user, "Software\\Corvane\\Veneerix\\VX5.ini\\VXLiteFX\\SkinSet", false},
        {user, ".uis", false},
        {classes, ".uis", true},
        {classes, kKey, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hive.keyExists(c.key), c.exists) << c.key;
}

TEST_F(RegistryTest, DeletingAValueKeepsItsNeighboursAndASubkeyOfTheSameName)
{
    Registry registry;
    const std::string_view toolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
    ASSERT_TRUE(registry.writeString(toolbar, "BackBitmap", "a.bmp"));
    ASSERT_TRUE(registry.writeString(toolbar, "BackBitmapIE5", "b.bmp"));
    ASSERT_TRUE(registry.writeString("Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmap", "Kept", "yes"));

    EXPECT_TRUE(registry.deleteValue(toolbar, "backbitmap"));
    EXPECT_FALSE(registry.deleteValue(toolbar, "BackBitmap"));
    EXPECT_FALSE(registry.valueExists(toolbar, "BackBitmap"));
    EXPECT_EQ(registry.read(toolbar, "BackBitmapIE5"), "b.bmp");
    EXPECT_EQ(registry.read("Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmap", "Kept"), "yes");
}

}  // namespace
}  // namespace sw
