// The file promises on Windows, with the system's own means: writers in several
// processes take turns through the lock, a file that must not be replaced (read-only
// attribute, several hard links, a folder, a device) is refused with a message naming
// it and stays as it was, and what a killed writer left is removed by the next edit.
#include "store/FileBytes.h"
#include "store/LockedFile.h"
#include "store/PlatformPaths.h"
#include "store/ProfileFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::editError;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

constexpr const char* kRoleVariable = "SKINWRT_TEST_ROLE";

// This test program started again as a child process, running only ChildRole with
// `role` in its environment.
struct Child {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

Child startChild(const std::string& role)
{
    const std::wstring program = programFile().native();
    std::wstring command = L"\"" + program + L"\" --gtest_filter=FileSafetyWindows.ChildRole";
    ::SetEnvironmentVariableA(kRoleVariable, role.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    BOOL started = ::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                    &startup, &info);
    ::SetEnvironmentVariableA(kRoleVariable, nullptr);
    if (!started)
        return {};
    ::CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

// Waits for the child; its exit code, or -1.
long finish(Child& child)
{
    DWORD code = DWORD(-1);
    ::WaitForSingleObject(child.process, INFINITE);
    ::GetExitCodeProcess(child.process, &code);
    ::CloseHandle(child.process);
    child.process = nullptr;
    return long(code);
}

void kill(Child& child)
{
    ::TerminateProcess(child.process, 9);
    finish(child);
}

// One edit of a counter under the lock: read, add one, replace.
void increment(const fs::path& file)
{
    LockedFile::Edit(file, LockedFile::CreateWhenMissing, [&](LockedFile& locked) {
        const std::string bytes = locked.readAll(kMaxIniFileSize);
        const long value = bytes.empty() ? 0 : std::stol(bytes.substr(2));
        const std::string next = "N=" + std::to_string(value + 1) + "\r\n";
        locked.replace({next}, false, kMaxIniFileSize);
    });
}

// Not a test of its own: the part of a test that runs in a child process. Roles:
// "increment FILE COUNT", "sleep" (until killed).
TEST(FileSafetyWindows, ChildRole)
{
    const char* role = std::getenv(kRoleVariable);
    if (!role)
        GTEST_SKIP() << "runs only as the child process of another test";
    const std::string text = role;
    if (text.rfind("increment ", 0) == 0) {
        const std::size_t space = text.rfind(' ');
        const fs::path file = text.substr(10, space - 10);
        const int count = std::stoi(text.substr(space + 1));
        for (int i = 0; i < count; ++i)
            increment(file);
    } else if (text == "sleep") {
        ::Sleep(120000);
    } else {
        FAIL() << "unknown role " << text;
    }
}

TEST(FileSafetyWindows, WritersInSeveralProcessesTakeTurns)
{
    TempDir dir;
    const fs::path counter = dir.path() / "counter.ini";
    constexpr int kChildren = 3, kEdits = 40;
    std::vector<Child> children;
    for (int c = 0; c < kChildren; ++c) {
        children.push_back(startChild("increment " + counter.string() + " " + std::to_string(kEdits)));
        ASSERT_NE(children.back().process, nullptr);
    }
    // This process takes part too.
    for (int i = 0; i < kEdits; ++i)
        increment(counter);
    for (Child& child : children)
        EXPECT_EQ(finish(child), 0);
    EXPECT_EQ(readBytes(counter), "N=" + std::to_string((kChildren + 1) * kEdits) + "\r\n");
    // Neither temporaries nor the lock file are left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

TEST(FileSafetyWindows, FilesThatMustNotBeReplacedAreRefusedUnchanged)
{
    TempDir dir;
    const std::string original = "[S]\r\nK=1\r\n";
    const fs::path readOnly = dir.path() / "read-only.uis";
    writeBytes(readOnly, original);
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const fs::path linked = dir.path() / "linked.uis";
    writeBytes(linked, original);
    fs::create_hard_link(linked, dir.path() / "second-name.uis");
    const fs::path folder = dir.path() / "folder.uis";
    fs::create_directory(folder);
    struct Case {
        fs::path file;
        std::string reason;
    } cases[] = {
        {readOnly, "read-only"},
        {linked, "it has 2 hard links, and replacing it would separate them; edit a copy instead"},
        {folder, "not a regular file"},
        {fs::path(L"\\\\.\\NUL"), "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string());
        EXPECT_EQ(editError([&] { ProfileFile(c.file.string()).writeString("S", "K", "2"); }),
                  "Unable to write to " + c.file.string() + " (" + c.reason + ")");
        if (fs::is_regular_file(c.file))
            EXPECT_EQ(readBytes(c.file), original);
    }
    EXPECT_EQ(readBytes(dir.path() / "second-name.uis"), original);
    EXPECT_EQ(editError([&] { readFileBytes(folder); }), "Unable to read " + folder.string() + " (not a regular file)");
    // Only the files made above: no temporary, no lock file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 4);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSafetyWindows, ASystemErrorIsGivenInTheSystemsWords)
{
    TempDir dir;
    const fs::path nowhere = dir.path() / "missing folder" / "skin.uis";
    const std::string error = editError([&] { ProfileFile(nowhere.string()).writeString("S", "K", "1"); });
    // The reason is the system's text for the error, not a number.
    const std::string prefix = "Unable to write to " + nowhere.string() + " (";
    ASSERT_EQ(error.substr(0, prefix.size()), prefix) << error;
    EXPECT_EQ(error.back(), ')');
    const std::string reason = error.substr(prefix.size(), error.size() - prefix.size() - 1);
    EXPECT_GT(reason.size(), 8u) << error;
    EXPECT_EQ(reason.find("error "), std::string::npos) << error;
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << error;
}

TEST(FileSafetyWindows, AnEditKeepsTheAttributesAndTheBytesAroundIt)
{
    TempDir dir;
    const fs::path file = dir.path() / "hidden.uis";
    writeBytes(file, "; note\n[S]\r\nK=1\rX=2\n\n");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ProfileFile(file.string()).writeString("s", "k", "22");
    EXPECT_EQ(readBytes(file), "; note\n[S]\r\nK=22\rX=2\n\n");
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
}

TEST(FileSafetyWindows, TheNextEditRemovesTheTemporariesOfKilledWritersOnly)
{
    TempDir dir;
    const fs::path file = dir.path() / "skin.uis";
    writeBytes(file, "[S]\r\nK=1\r\n");
    Child dead = startChild("sleep");
    Child alive = startChild("sleep");
    ASSERT_NE(dead.process, nullptr);
    ASSERT_NE(alive.process, nullptr);
    const DWORD deadPid = dead.pid;
    kill(dead);
    const std::string prefix = temporaryPrefix(file);
    struct Case {
        std::string name;
        bool kept;
    } cases[] = {
        {prefix + std::to_string(deadPid) + "-0badf00d", false},  // its writer was killed
        {prefix + std::to_string(alive.pid) + "-0badf00d", true},  // its writer still runs
        {prefix + std::to_string(::GetCurrentProcessId()) + "-0badf00d", true},  // this process's own
        {prefix + "x-0badf00d", true},  // not a writer's name
        {"other.uis.~sw" + std::to_string(deadPid) + "-0badf00d", true},  // another file's
    };
    for (const Case& c : cases)
        writeBytes(dir.path() / c.name, "partial");
    ProfileFile(file.string()).writeString("S", "K", "2");
    EXPECT_EQ(readBytes(file), "[S]\r\nK=2\r\n");
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(dir.path() / c.name), c.kept) << c.name;
    kill(alive);
}

}  // namespace
}  // namespace sw
