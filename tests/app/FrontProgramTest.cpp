// The program users call runs the store verbs and validate without loading any Qt
// library and hands every other command line to the full program, with the same output
// and exit code.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct FrontRun {
    int code = -1;
    std::string out;    // standard output
    std::string trace;  // the dynamic loader's report of the libraries it loaded
};

// Runs the front program with the loader's library trace sent to a file of its own.
FrontRun runFront(const std::string& arguments, const TempDir& dir)
{
    const std::string trace = dir.file("trace");
    const std::string command = "LD_DEBUG=libs LD_DEBUG_OUTPUT=" + trace + " '" SKINWRT_FRONT "' " + arguments +
                                " 2>/dev/null";
    FrontRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // The loader writes one file per process: trace.<pid>, the full program's too.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind("trace.", 0) == 0) {
            run.trace += readBytes(entry.path().string());
            std::filesystem::remove(entry.path());
        }
    return run;
}

TEST(FrontProgram, StoreVerbsAndValidateLoadNoQtAndTheRestReachTheFullProgram)
{
    TempDir dir;
    const std::string skin = dir.file("skin.uis");
    // A version-2 personality with one unknown attribute and one mandatory attribute missing.
    const std::string personality = dir.file("v2.uis");
    writeBytes(personality, "[TITLEBARSKIN]\r\nSkinAuthor=me\r\nBogus=1\r\n");
    const std::string findings =
        personality + "\tTITLEBARSKIN\tBogus\tIllegal or unknown attribute  [Bogus] in Section [TITLEBARSKIN] value [1]\n" +
        personality + "\tTITLEBARSKIN\t\tManditory attribute [SkinName] not found in section [TITLEBARSKIN].\n";
    const struct {
        std::string arguments;
        int code;
        std::string out;  // exact, or (with `contains`) a part of it
        bool contains;
        bool loadsQt;
        std::string bytes;  // the file afterwards
    } rows[] = {
        {"get '" + skin + "' colours ACTIVE", 0, "1 2 3\n", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"get '" + skin + "' Colours Missing", 1, "", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"set '" + skin + "' Colours Active 4", 0, "", false, false, "[Colours]\r\nActive=4\r\n"},
        {"unset '" + skin + "' Colours Active", 0, "", false, false, "[Colours]\r\n"},
        {"erase '" + skin + "' Colours", 0, "", false, false, ""},
        {"get --help", 0, "Usage: skinwrt get FILE SECTION KEY\n", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"--version", 0, "skinwrt ", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"--help", 0, "  skinwrt render FILE -o OUT.png", true, true, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate --help", 0, "Usage: skinwrt validate", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate '" + personality + "'", 1, findings, false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate '" + skin + "'", 1,
         skin + "\t\t\tThis is file format is either not supported or the file is corrupted.\n", false, false,
         "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate --json '" + personality + "'", 1, "\"status\": \"findings\"", true, false,
         "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate '" + dir.file("none.uis") + "'", 2, "", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"pak x.uis", 2, "", false, true, "[Colours]\r\nActive=1 2 3\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        writeBytes(skin, "[Colours]\r\nActive=1 2 3\r\n");
        const FrontRun run = runFront(row.arguments, dir);
        EXPECT_EQ(run.code, row.code);
        if (row.contains)
            EXPECT_NE(run.out.find(row.out), std::string::npos) << run.out;
        else
            EXPECT_EQ(run.out, row.out);
        ASSERT_FALSE(run.trace.empty());
        EXPECT_EQ(run.trace.find("libQt6Widgets") != std::string::npos, row.loadsQt);
        EXPECT_EQ(run.trace.find("libQt6Core") != std::string::npos, row.loadsQt);
        EXPECT_EQ(readBytes(skin), row.bytes);
    }
}

}  // namespace
}  // namespace sw
