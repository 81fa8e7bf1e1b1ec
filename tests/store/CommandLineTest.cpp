#include "CommandLine.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(CommandLine, VerbsEditInPlaceWithTheirExitCodes)
{
    TempDir dir;
    const std::string skin = dir.file("skin.uis");
    const std::string original = "; keep me\r\n[Colours]\r\nActive=1 2 3\r\n\r\n[Fonts]\r\nFace=Arial\r\n";
    writeBytes(skin, original);
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string out;
        std::string errStart;
        std::string bytes;  // the file afterwards
    } cases[] = {
        {{"get", skin, "colours", "ACTIVE"}, 0, "1 2 3\n", "", original},
        {{"get", skin, "Colours", "Missing"}, 1, "", "skinwrt: " + skin + ": no key Missing in section [Colours]", original},
        {{"get", dir.file("none.uis"), "A", "b"}, 2, "", "skinwrt: " + dir.file("none.uis") + ": no such file", original},
        {{"get", skin, "Colours"}, 2, "", "Usage: skinwrt get FILE SECTION KEY", original},
        {{"set", skin, "Colours", "Active", "9 9 9"}, 0, "", "",
         "; keep me\r\n[Colours]\r\nActive=9 9 9\r\n\r\n[Fonts]\r\nFace=Arial\r\n"},
        {{"set", skin, "Colours", "Inactive", "0 0 0"}, 0, "", "",
         "; keep me\r\n[Colours]\r\nActive=9 9 9\r\nInactive=0 0 0\r\n\r\n[Fonts]\r\nFace=Arial\r\n"},
        {{"set", skin, "Colours", "Bad", "two\nlines"}, 2, "", "skinwrt: Unable to write to " + skin,
         "; keep me\r\n[Colours]\r\nActive=9 9 9\r\nInactive=0 0 0\r\n\r\n[Fonts]\r\nFace=Arial\r\n"},
        {{"unset", skin, "colours", "active"}, 0, "", "",
         "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n[Fonts]\r\nFace=Arial\r\n"},
        {{"erase", skin, "FONTS"}, 0, "", "", "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n"},
        {{"erase", dir.file("none.uis"), "A"}, 2, "", "skinwrt: " + dir.file("none.uis") + ": no such file",
         "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n"},
        {{"set", dir.file("no/such/folder/x.uis"), "A", "k", "v"}, 2, "",
         "skinwrt: Unable to write to " + dir.file("no/such/folder/x.uis"), "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n"},
        {{"erase", "--help"}, 0, "Usage: skinwrt erase FILE SECTION\n", "", "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n"},
        {{"skin.uis"}, -1, "", "", "; keep me\r\n[Colours]\r\nInactive=0 0 0\r\n\r\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine(c.args, out, err), c.code) << c.args[0];
        if (c.args.size() > 1 && c.args[1] == "--help") {
            EXPECT_EQ(out.str().rfind(c.out, 0), 0u) << out.str();
        } else {
            EXPECT_EQ(out.str(), c.out) << c.args[0];
        }
        EXPECT_EQ(err.str().rfind(c.errStart, 0), 0u) << err.str();
        if (c.errStart.empty()) {
            EXPECT_EQ(err.str(), "");
        }
        EXPECT_EQ(readBytes(skin), c.bytes) << c.args[0];
    }
}

TEST(CommandLine, RelativeNamesAreInTheCurrentFolderNotTheWindowsFolder)
{
    TempDir dir;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"set", "local.uis", "A", "k", "v"}, out, err), 0) << err.str();
    std::filesystem::current_path(previous);
    EXPECT_EQ(readBytes(dir.path() / "local.uis"), "[A]\r\nk=v\r\n");
}

}  // namespace
}  // namespace sw
