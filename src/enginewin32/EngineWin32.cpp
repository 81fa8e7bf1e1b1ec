#include "enginewin32/EngineWin32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw::win32 {

namespace {

// A string value of a key under the current user (one the system expands, expanded),
// or empty.
std::wstring userValue(const wchar_t* key, const wchar_t* name)
{
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0)
        return {};
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value.data(),
                       &size) != ERROR_SUCCESS)
        return {};
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return value;
}

}  // namespace

bool sendEngineCommand(const std::wstring& messageName, int code, unsigned timeoutMs)
{
    const UINT message = ::RegisterWindowMessageW(messageName.c_str());
    HWND window = ::FindWindowExW(nullptr, nullptr, kEngineWindowClass, kEngineWindowTitle);
    if (!message || !window)
        return false;
    // A hung engine must not hang the programs: wait a bounded time, then go on.
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, message, WPARAM(code), 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, timeoutMs,
                                 &ignored) != 0;
}

std::filesystem::path engineFolderFromRegistry()
{
    std::wstring folder = userValue(L"Software\\Corvane\\Veneerix\\VX5.ini\\Installed", L"Path");
    if (folder.empty())
        folder = userValue(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Personal");
    return std::filesystem::path(folder);
}

}  // namespace sw::win32
