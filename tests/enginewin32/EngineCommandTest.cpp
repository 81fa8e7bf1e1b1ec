// The engine protocol on Windows, against a stand-in engine window that records what
// it receives: the command codes arrive in order, a missing engine makes a command a
// prompt no-op, and the engine folder comes from the current user's registry.
#include "enginewin32/EngineWin32.h"
#include "store/PlatformPaths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;

HWND engineWindow()
{
    return ::FindWindowExW(nullptr, nullptr, win32::kEngineWindowClass, win32::kEngineWindowTitle);
}

TEST(EngineWin32, CommandsReachTheEngineWindowInTheirOrder)
{
    ASSERT_EQ(engineWindow(), nullptr) << "an engine window is there already";
    TempDir dir;
    const std::filesystem::path record = dir.path() / "codes.txt";
    const std::wstring program = (programFile().parent_path() / "engine-standin-win.exe").native();
    std::wstring command = L"\"" + program + L"\" \"" + record.native() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process));
    ::CloseHandle(process.hThread);
    for (int i = 0; i < 400 && !engineWindow(); ++i)
        ::Sleep(50);
    ASSERT_NE(engineWindow(), nullptr) << "the stand-in engine did not open its window";
    const struct {
        const char* action;
        int code;
    } steps[] = {{"apply a personality", win32::kReloadCommand},
                 {"reload the current one", win32::kReloadCommand},
                 {"shut down", win32::kShutDownCommand}};
    for (const auto& step : steps)
        EXPECT_TRUE(win32::sendEngineCommand(L"VXHook2", step.code, 1000)) << step.action;
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(readBytes(record), "8889\n8889\n8888\n");
    // With no engine running a command does nothing, and says so at once.
    const DWORD before = ::GetTickCount();
    EXPECT_FALSE(win32::sendEngineCommand(L"VXHook2", win32::kReloadCommand, 1000));
    EXPECT_LT(::GetTickCount() - before, 500u);
}

// Sets (or with nullptr deletes) a string value under the current user.
void setUserValue(const wchar_t* key, const wchar_t* name, const std::optional<std::wstring>& value)
{
    if (value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value->c_str(),
                          DWORD((value->size() + 1) * sizeof(wchar_t)));
    } else {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
    }
}

std::optional<std::wstring> userValue(const wchar_t* key, const wchar_t* name)
{
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

TEST(EngineWin32, TheEngineFolderComesFromTheRegistryElseTheDocumentsFolder)
{
    const wchar_t* installed = L"Software\\Corvane\\Veneerix\\VX5.ini\\Installed";
    const wchar_t* shellFolders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::optional<std::wstring> savedPath = userValue(installed, L"Path");
    const std::optional<std::wstring> savedPersonal = userValue(shellFolders, L"Personal");
    const struct {
        std::optional<std::wstring> path, personal;
        std::wstring expected;
    } cases[] = {
        {L"C:\\Program Files\\Veneerix", L"C:\\users\\me\\Documents", L"C:\\Program Files\\Veneerix"},
        {std::nullopt, L"C:\\users\\me\\Documents", L"C:\\users\\me\\Documents"},
        {std::nullopt, std::nullopt, L""},
    };
    for (const auto& c : cases) {
        setUserValue(installed, L"Path", c.path);
        setUserValue(shellFolders, L"Personal", c.personal);
        EXPECT_EQ(win32::engineFolderFromRegistry().native(), c.expected);
    }
    setUserValue(installed, L"Path", savedPath);
    setUserValue(shellFolders, L"Personal", savedPersonal);
}

}  // namespace
}  // namespace sw
