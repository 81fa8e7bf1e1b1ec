#include "store/NativeFile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw::native {

namespace fs = std::filesystem;

namespace {

HANDLE toHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::string errorText(long code)
{
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // The system ends its sentences with a full stop and a line break; inside the
    // parentheses of a message neither belongs.
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ' ||
                          text[length - 1] == L'.'))
        --length;
    std::string utf8;
    if (length > 0) {
        int size = ::WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
        utf8.resize(std::size_t(size));
        ::WideCharToMultiByte(CP_UTF8, 0, text, int(length), utf8.data(), size, nullptr, nullptr);
    }
    if (text)
        ::LocalFree(text);
    return utf8.empty() ? "error " + std::to_string(code) : utf8;
}

Handle openForReading(const fs::path& path, Error& error)
{
    // Shared for deleting too, so that a reader never stands in the way of a writer
    // replacing the file; a folder opens only with backup semantics, and is then refused
    // like a device by the checks below rather than with a puzzling "access denied".
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = ::GetLastError();
        error = {long(code), code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND, errorText(long(code))};
        return kNoHandle;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(file);
        error = {long(ERROR_INVALID_FUNCTION), false, "not a regular file"};
        return kNoHandle;
    }
    return reinterpret_cast<Handle>(file);
}

void closeHandle(Handle handle)
{
    if (handle != kNoHandle)
        ::CloseHandle(toHandle(handle));
}

std::int64_t sizeOf(Handle handle)
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(toHandle(handle), &size) ? std::int64_t(size.QuadPart) : -1;
}

std::int64_t readAt(Handle handle, char* into, std::size_t count, std::uint64_t offset, Error& error)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD chunk = count > (1u << 30) ? DWORD(1u << 30) : DWORD(count);
    DWORD got = 0;
    if (::ReadFile(toHandle(handle), into, chunk, &got, &at))
        return got;
    DWORD code = ::GetLastError();
    if (code == ERROR_HANDLE_EOF)
        return 0;
    error = {long(code), false, errorText(long(code))};
    return -1;
}

void adviseLargeBuffer(void*, std::size_t, bool)
{
    // Large pages need a privilege ordinary users lack; small ones it is.
}

long currentProcessId()
{
    return long(::GetCurrentProcessId());
}

bool processIsGone(long pid)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process (else: not ours to ask)
    DWORD code = 0;
    bool gone = ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    ::CloseHandle(process);
    return gone;
}

fs::path runningProgramFile()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name);
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace sw::native
