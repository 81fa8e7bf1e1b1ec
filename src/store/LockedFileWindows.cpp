// The Windows side of LockedFile: LockFileEx, a temporary created beside the target and
// moved over it with write-through, FlushFileBuffers before the move, and a console
// handler that removes a pending temporary when Ctrl+C or a closing console ends the
// process. Paths reach the system as UTF-16.
#include "store/LockedFile.h"

#include "store/NativeFile.h"

#include <cwchar>
#include <mutex>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

HANDLE toHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string lastErrorText() { return native::errorText(long(::GetLastError())); }

// Locks on Windows are mandatory: a locked byte cannot be read through any other
// handle. So the writers' lock is one byte far beyond the end of any file (a lock may
// lie past the end), which writers take turns on while readers read freely.
constexpr DWORD kLockOffsetLow = 0xFFFFFFFEu;
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFFu;

OVERLAPPED lockPosition()
{
    OVERLAPPED at{};
    at.Offset = kLockOffsetLow;
    at.OffsetHigh = kLockOffsetHigh;
    return at;
}

// The temporary file being written, removed by the console's Ctrl+C, Ctrl+Break or
// close before the process ends. One at a time per process (writes are short).
std::mutex temporaryMutex;
wchar_t pendingTemporary[32768];
volatile LONG pendingSet = 0;

BOOL WINAPI removePendingTemporary(DWORD)
{
    if (pendingSet)
        ::DeleteFileW(pendingTemporary);
    return FALSE;  // the event goes on to the next handler, which by default ends the process
}

class PendingTemporary {
public:
    PendingTemporary() : lock_(temporaryMutex) { installed_ = ::SetConsoleCtrlHandler(removePendingTemporary, TRUE); }
    ~PendingTemporary()
    {
        clear();
        if (installed_)
            ::SetConsoleCtrlHandler(removePendingTemporary, FALSE);
    }
    // Known to the handler before the file exists, so that it cannot be left behind
    // by an interruption right after it is created.
    void set(const fs::path& temporary)
    {
        clear();
        const std::wstring& name = temporary.native();
        if (name.size() >= sizeof pendingTemporary / sizeof pendingTemporary[0])
            return;
        std::wmemcpy(pendingTemporary, name.c_str(), name.size() + 1);
        ::InterlockedExchange(&pendingSet, 1);
    }
    void clear() { ::InterlockedExchange(&pendingSet, 0); }

private:
    std::lock_guard<std::mutex> lock_;
    BOOL installed_ = FALSE;
};

bool writeAll(HANDLE out, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > (1u << 30) ? DWORD(1u << 30) : DWORD(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(out, bytes.data(), chunk, &written, nullptr))
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// What the path names now, without opening it for anything but its identity.
bool currentIdentity(const fs::path& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE file = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    return known;
}

// Another program that has the file open without sharing its deletion (an editor, a
// virus scanner) makes the move fail for a moment: a few more tries before giving up.
bool moveWithRetries(const fs::path& from, const fs::path& to, DWORD flags)
{
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), flags))
            return true;
        DWORD code = ::GetLastError();
        if (attempt == 20 || (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION))
            return false;
        ::Sleep(25);
    }
}

}  // namespace

LockedFile::LockedFile(const fs::path& requested, Missing missing) : requested_(requested)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        target_ = resolveTarget(requested_);
        native::Error error;
        native::Handle opened = native::openForReading(target_, error);
        if (opened == native::kNoHandle) {
            if (!error.missing)
                fail(error.text);
            if (missing == FailWhenMissing)
                fail(error.text);
            return;
        }
        HANDLE file = toHandle(opened);
        OVERLAPPED at = lockPosition();
        if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
            std::string why = lastErrorText();
            ::CloseHandle(file);
            fail("cannot lock it: " + why);
        }
        // Another writer may have replaced the file while this one waited: the lock
        // must be on the file the path names now.
        BY_HANDLE_FILE_INFORMATION locked{}, current{};
        if (::GetFileInformationByHandle(file, &locked) && currentIdentity(target_, current) &&
            sameFile(locked, current) && resolveTarget(requested_) == target_) {
            handle_ = opened;
            return;
        }
        ::UnlockFileEx(file, 0, 1, 0, &at);
        ::CloseHandle(file);
    }
    fail("it keeps being replaced by another program");
}

LockedFile::~LockedFile()
{
    if (!exists())
        return;
    OVERLAPPED at = lockPosition();
    ::UnlockFileEx(toHandle(handle_), 0, 1, 0, &at);
    ::CloseHandle(toHandle(handle_));
}

void LockedFile::replaceWith(std::initializer_list<std::string_view> parts, bool durable)
{
    BY_HANDLE_FILE_INFORMATION info{};
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (exists()) {
        if (!::GetFileInformationByHandle(toHandle(handle_), &info))
            fail(lastErrorText());
        if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            fail("read-only");
        if (info.nNumberOfLinks > 1)
            fail("it has " + std::to_string(info.nNumberOfLinks) +
                 " hard links, and replacing it would separate them; edit a copy instead");
        // The new file looks like the old one in a folder listing (hidden, archive...).
        attributes = info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (attributes == 0)
            attributes = FILE_ATTRIBUTE_NORMAL;
    }
    removeStaleTemporaries(target_);

    PendingTemporary pending;
    fs::path temporary;
    HANDLE out = INVALID_HANDLE_VALUE;
    DWORD openError = 0;
    for (int attempt = 0; attempt < 16 && out == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporaryName(target_);
        pending.set(temporary);
        // Its deletion is shared, so that the console handler can remove it while open.
        out = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            attributes, nullptr);
        openError = out == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
        if (openError != 0 && openError != ERROR_FILE_EXISTS && openError != ERROR_ALREADY_EXISTS)
            break;
    }
    if (out == INVALID_HANDLE_VALUE) {
        pending.clear();
        fail(native::errorText(long(openError)));
    }
    DWORD error = 0;
    auto check = [&](bool ok) {
        if (!ok && error == 0) {
            DWORD code = ::GetLastError();
            error = code ? code : DWORD(ERROR_WRITE_FAULT);
        }
    };
    for (std::string_view part : parts)
        if (error == 0)
            check(writeAll(out, part));
    // The bytes are on the disk before the name points at them.
    if (durable && error == 0)
        check(::FlushFileBuffers(out));
    check(::CloseHandle(out));
    const DWORD through = durable ? MOVEFILE_WRITE_THROUGH : 0;
    if (error == 0 && exists())
        check(moveWithRetries(temporary, target_, MOVEFILE_REPLACE_EXISTING | through));
    else if (error == 0)
        check(::MoveFileExW(temporary.c_str(), target_.c_str(), through));  // never over a file created meanwhile
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        pending.clear();
        if (!exists() && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
            throw CreatedByAnother{};
        fail(native::errorText(long(error)));
    }
}

}  // namespace sw
