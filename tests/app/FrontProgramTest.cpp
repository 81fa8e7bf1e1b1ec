// The program users call runs the store verbs and validate without loading any Qt
// library and hands every other command line to the full program, with the same output
// and exit code.
#include "store/PlatformPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

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

std::string readPipe(std::FILE* pipe)
{
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

#ifdef _WIN32
// A word of the command line, as cmd.exe passes it on.
std::string word(const std::string& text)
{
    return "\"" + text + "\"";
}

// Runs the front program beside this test program. Windows has no loader trace to
// read: which libraries a program loads is fixed when it is linked, and the front
// program links no Qt library there at all.
FrontRun runFront(const std::string& arguments, const TempDir&)
{
    const std::string front = (programFile().parent_path() / "skinwrt.exe").string();
    // cmd.exe takes off the outer quotes around the whole line.
    const std::string command = "\"" + word(front) + " " + arguments + " 2>NUL\"";
    FrontRun run;
    std::FILE* pipe = ::_popen(command.c_str(), "rb");
    if (!pipe)
        return run;
    run.out = readPipe(pipe);
    run.code = ::_pclose(pipe);
    run.trace = "no trace on this system";
    return run;
}
#else
std::string word(const std::string& text)
{
    return "'" + text + "'";
}

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
    run.out = readPipe(pipe);
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
#endif

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
        {"get " + word(skin) + " colours ACTIVE", 0, "1 2 3\n", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"get " + word(skin) + " Colours Missing", 1, "", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"set " + word(skin) + " Colours Active 4", 0, "", false, false, "[Colours]\r\nActive=4\r\n"},
        {"unset " + word(skin) + " Colours Active", 0, "", false, false, "[Colours]\r\n"},
        {"erase " + word(skin) + " Colours", 0, "", false, false, ""},
        {"get --help", 0, "Usage: skinwrt get FILE SECTION KEY\n", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"--version", 0, "skinwrt ", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"--help", 0, "  skinwrt render FILE -o OUT.png", true, true, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate --help", 0, "Usage: skinwrt validate", true, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate " + word(personality), 1, findings, false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate " + word(skin), 1,
         skin + "\t\t\tThis is file format is either not supported or the file is corrupted.\n", false, false,
         "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate --json " + word(personality), 1, "\"status\": \"findings\"", true, false,
         "[Colours]\r\nActive=1 2 3\r\n"},
        {"validate " + word(dir.file("none.uis")), 2, "", false, false, "[Colours]\r\nActive=1 2 3\r\n"},
        {"pak x.uis", 2, "", false, true, "[Colours]\r\nActive=1 2 3\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
#ifdef _WIN32
        // The full program needs Qt, which is not built for Windows here: what it prints
        // cannot be checked, only that a command line for it fails as a usage error
        // (which "pak" is anyway).
        if (row.loadsQt && row.code != 2)
            continue;
#endif
        writeBytes(skin, "[Colours]\r\nActive=1 2 3\r\n");
        FrontRun run = runFront(row.arguments, dir);
#ifdef _WIN32
        // The console's own line ends: the verbs write "\n", the C runtime "\r\n".
        for (std::size_t at; (at = run.out.find("\r\n")) != std::string::npos;)
            run.out.erase(at, 1);
#endif
        EXPECT_EQ(run.code, row.code);
        if (row.contains)
            EXPECT_NE(run.out.find(row.out), std::string::npos) << run.out;
        else
            EXPECT_EQ(run.out, row.out);
        ASSERT_FALSE(run.trace.empty());
#ifndef _WIN32
        EXPECT_EQ(run.trace.find("libQt6Widgets") != std::string::npos, row.loadsQt);
        EXPECT_EQ(run.trace.find("libQt6Core") != std::string::npos, row.loadsQt);
#endif
        EXPECT_EQ(readBytes(skin), row.bytes);
    }
}

}  // namespace
}  // namespace sw
