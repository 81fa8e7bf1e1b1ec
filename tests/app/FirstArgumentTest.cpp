// What the first argument of skinwrt starts: a verb, the editor on a file, or an
// error with the verb list (never a window a script would wait for).
#include "CommandLine.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace sw {
namespace {

namespace fs = std::filesystem;

TEST(FirstArgument, NeitherAVerbNorAFileIsAUsageErrorWithTheVerbList)
{
    test::TempDir dir;
    test::writeBytes(dir.path() / "README", "no extension, but there");
    fs::create_directories(dir.path() / "Skins");
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    struct Case {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"pak", "x.uis"}, ExitUsage},        // a mistyped verb
        {{"frobnicate"}, ExitUsage},
        {{"--frobnicate"}, ExitUsage},
        {{"x.uis"}, -1},                       // a file to open, even one not there yet
        {{"archive.zip"}, -1},
        {{"README"}, -1},                      // no extension, but such a file exists
        {{"Skins"}, -1},
        {{}, -1},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine(c.args, out, err), c.code) << (c.args.empty() ? "(none)" : c.args[0]);
        if (c.code == ExitUsage) {
            EXPECT_EQ(err.str().rfind("skinwrt: " + c.args[0] + ": neither a verb nor a file\n", 0), 0u) << err.str();
            EXPECT_NE(err.str().find("skinwrt get FILE SECTION KEY"), std::string::npos);
            EXPECT_NE(err.str().find("skinwrt render FILE"), std::string::npos);
        } else {
            EXPECT_EQ(err.str(), "");
        }
        EXPECT_EQ(out.str(), "");
    }
    fs::current_path(previous);
}

TEST(FirstArgument, HelpListsEveryVerb)
{
    std::ostringstream out, err;
    ASSERT_EQ(runCommandLine({"--help"}, out, err), ExitOk);
    for (const char* verb : {"skinwrt get ", "skinwrt set ", "skinwrt unset ", "skinwrt erase ", "skinwrt validate ",
                             "skinwrt render ", "skinwrt [FILE]"})
        EXPECT_NE(out.str().find(verb), std::string::npos) << verb;
}

}  // namespace
}  // namespace sw
