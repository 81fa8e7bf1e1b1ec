// The Windows side of LockedFile: LockFileEx, a temporary created beside the target and
// moved over it with write-through, FlushFileBuffers before the move, and a console
// handler that removes a pending temporary when Ctrl+C or a closing console ends the
// process. Paths reach the system as UTF-16.
//
// Windows refuses to move a file over one that is still open, so the lock cannot be
// held on the target itself as on POSIX: writers lock a small file beside it instead,
// NAME.~swlock, which each of them opens deleting on close. It exists while some writer
// holds or waits for it and goes with the last; one that is being deleted cannot be
// opened, so a writer never locks a second file of that name while another is locked.
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

fs::path lockFileName(const fs::path& target)
{
    return target.parent_path() / (target.filename().native() + L".~swlock");
}

// Opens and locks the lock file of `target`: a handle, INVALID_HANDLE_VALUE with
// `code` set on failure, or INVALID_HANDLE_VALUE with code 0 where no lock file can be
// made (a folder that is not writable, where no writer can replace the file either).
HANDLE lockBeside(const fs::path& target, DWORD& code)
{
    const fs::path name = lockFileName(target);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        HANDLE lock = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (lock == INVALID_HANDLE_VALUE) {
            code = ::GetLastError();
            if (code == ERROR_ACCESS_DENIED && attempt < 999) {
                // Either the last writer's lock file is going away, or the folder
                // cannot be written to: the first passes within moments.
                DWORD attributes = ::GetFileAttributesW(name.c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES) {
                    ::Sleep(1);
                    continue;
                }
                code = 0;
            }
            if (code == ERROR_PATH_NOT_FOUND)
                code = 0;  // no folder yet: nothing to lock, and the write will say why
            return INVALID_HANDLE_VALUE;
        }
        OVERLAPPED at{};
        if (::LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at))
            return lock;
        code = ::GetLastError();
        ::CloseHandle(lock);
        return INVALID_HANDLE_VALUE;
    }
    code = ERROR_BUSY;
    return INVALID_HANDLE_VALUE;
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
    target_ = resolveTarget(requested_);
    native::Error error;
    // What is not a regular file is refused before any lock file is made beside it.
    native::Handle opened = native::openForReading(target_, error);
    if (opened == native::kNoHandle && !error.missing)
        fail(error.text);
    native::closeHandle(opened);
    DWORD code = 0;
    HANDLE lock = lockBeside(target_, code);
    if (lock == INVALID_HANDLE_VALUE && code != 0)
        fail("cannot lock it: " + native::errorText(long(code)));
    lock_ = reinterpret_cast<std::intptr_t>(lock);
    // Under the lock no writer of this program replaces the file: what is opened now
    // stays what the path names until this writer replaces it.
    opened = native::openForReading(target_, error);
    if (opened != native::kNoHandle) {
        handle_ = opened;
        return;
    }
    if (!error.missing || missing == FailWhenMissing) {
        this->~LockedFile();
        lock_ = -1;
        fail(error.text);
    }
}

LockedFile::~LockedFile()
{
    if (exists())
        ::CloseHandle(toHandle(handle_));
    if (lock_ != -1)
        ::CloseHandle(toHandle(lock_));  // releases the lock, and the last one deletes its file
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
    // The target cannot be replaced while it is open, and needs not be: the lock file
    // keeps the other writers waiting. It is opened again afterwards (the new file, or
    // the old one when the move failed), so this goes on holding what the path names.
    const bool existed = exists();
    if (existed) {
        ::CloseHandle(toHandle(handle_));
        handle_ = -1;
    }
    const DWORD through = durable ? MOVEFILE_WRITE_THROUGH : 0;
    if (error == 0 && existed)
        check(moveWithRetries(temporary, target_, MOVEFILE_REPLACE_EXISTING | through));
    else if (error == 0)
        check(::MoveFileExW(temporary.c_str(), target_.c_str(), through));  // never over a file created meanwhile
    native::Error reopenError;
    handle_ = native::openForReading(target_, reopenError);
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        pending.clear();
        if (!existed && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
            throw CreatedByAnother{};
        fail(native::errorText(long(error)));
    }
}

}  // namespace sw
