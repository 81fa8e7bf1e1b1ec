// A file held under this program's advisory write lock while it is read, edited and
// replaced, so that writers in several processes take turns and no edit is lost.
#pragma once

#include "store/CustomIniFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// A write that was refused or failed: "Unable to write to FILE (REASON)", with the
// reason on its own for messages worded differently.
class EFileWriteError : public EIniFileException {
public:
    EFileWriteError(const std::filesystem::path& file, std::string reason)
        : EIniFileException("Unable to write to " + file.string() + " (" + reason + ")"), reason_(std::move(reason))
    {
    }
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

class LockedFile {
public:
    enum Missing { FailWhenMissing, CreateWhenMissing, AllowMissing };

    // Follows a symbolic link to the file it names (a dangling link names the file it
    // would create), opens it and waits for the lock. A file replaced by another writer
    // while waiting is opened again, so the lock is always on the file the path names.
    // A missing file is not created here: replace() puts the whole new file in place at
    // once, so no empty file is ever seen, nor left by a writer killed half-way.
    // Throws EIniFileException naming `requested` when the path names something other
    // than a regular file, cannot be opened, or (FailWhenMissing) does not exist.
    LockedFile(const std::filesystem::path& requested, Missing missing);

    // Runs edit(file) on the locked file, again from the start when the file was missing
    // and another writer created it first (the edit must then apply to what it wrote).
    template <typename Body>
    static auto Edit(const std::filesystem::path& requested, Missing missing, Body&& edit)
    {
        for (int attempt = 1;; ++attempt) {
            LockedFile file(requested, missing);
            try {
                return edit(file);
            } catch (const CreatedByAnother&) {
                if (attempt == kCreateAttempts)
                    file.fail("it keeps being created by another program");
            }
        }
    }
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // The path as the caller gave it (for messages) and the file it resolved to.
    const std::filesystem::path& requested() const { return requested_; }
    const std::filesystem::path& target() const { return target_; }
    bool exists() const { return handle_ != -1; }

    // Every byte of the locked file (empty when it does not exist).
    std::string readAll(std::uintmax_t maxSize) const;

    // Replaces the locked file with the concatenated parts through a temporary file
    // beside it, keeping its owner, group and mode. With `durable`, the bytes reach
    // the disk before the rename and the rename before returning. Refuses (throws,
    // changing nothing) a read-only file, one with several hard links (a rename would
    // split them) and a result larger than maxSize. A missing file is created only if
    // it is still missing; otherwise CreatedByAnother is thrown (see Edit).
    void replace(std::initializer_list<std::string_view> parts, bool durable, std::uintmax_t maxSize);

private:
    struct CreatedByAnother {};
    static constexpr int kCreateAttempts = 1000;

    [[noreturn]] void fail(const std::string& why) const;
    // The system's part of replace(): the refusals, the temporary and the rename
    // (LockedFilePosix.cpp, LockedFileWindows.cpp).
    void replaceWith(std::initializer_list<std::string_view> parts, bool durable);

    std::filesystem::path requested_;
    std::filesystem::path target_;
    std::intptr_t handle_ = -1;  // a descriptor (POSIX) or a HANDLE (Windows), both -1 when none
    std::intptr_t lock_ = -1;    // Windows: the lock file beside the target (see LockedFileWindows.cpp)
};

// Removes the temporary files that writers of `target` left when they were killed
// (their process is gone). Called with the lock held, so no live writer is touched.
void removeStaleTemporaries(const std::filesystem::path& target);

// Whether `name` is PREFIX<pid>-... of a process that has ended (not this one): what a
// killed writer or folder change left, which the next one may remove.
bool leftByDeadOwner(std::string_view name, std::string_view prefix);

// The name prefix of the temporary files of a target ("NAME.~sw").
std::string temporaryPrefix(const std::filesystem::path& target);

// A fresh temporary's name beside the target: NAME.~sw<pid>-<random>, from which
// removeStaleTemporaries tells whose it is.
std::filesystem::path temporaryName(const std::filesystem::path& target);

// A symbolic link names the file it points to; a dangling one the file it would create.
std::filesystem::path resolveTarget(const std::filesystem::path& requested);

}  // namespace sw
