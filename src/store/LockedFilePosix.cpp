// The POSIX side of LockedFile: flock, a temporary created O_EXCL and renamed over the
// target, fsync of the file and of its folder, and the signals that remove a pending
// temporary before the process ends.
#include "store/LockedFile.h"

#include "store/NativeFile.h"
#include "store/SignalCleanup.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

std::string errorText(int error) { return native::errorText(error); }

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// Moves the finished temporary to the missing target without replacing a file
// another writer put there meanwhile; returns an errno value, or 0.
int createFrom(const fs::path& temporary, const fs::path& target)
{
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without that rename: a second name for the temporary, which fails
    // when the target exists, then the temporary's own name goes.
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    return errno;
}

}  // namespace

LockedFile::LockedFile(const fs::path& requested, Missing missing) : requested_(requested)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        target_ = resolveTarget(requested_);
        // Non-blocking, so that a FIFO does not wait for a writer before it is refused.
        int fd = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0 && errno == ENOENT) {
            if (missing == FailWhenMissing)
                fail(errorText(ENOENT));
            return;
        }
        if (fd < 0)
            fail(errorText(errno));
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            fail("not a regular file");
        }
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                int error = errno;
                ::close(fd);
                fail("cannot lock it: " + errorText(error));
            }
        }
        // Another writer may have replaced the file while this one waited: the lock
        // must be on the file the path names now.
        struct stat current {};
        if (::stat(target_.c_str(), &current) == 0 && current.st_dev == opened.st_dev &&
            current.st_ino == opened.st_ino && resolveTarget(requested_) == target_) {
            handle_ = fd;
            return;
        }
        ::close(fd);
    }
    fail("it keeps being replaced by another program");
}

LockedFile::~LockedFile()
{
    if (handle_ >= 0)
        ::close(int(handle_));  // releases the lock
}

void LockedFile::replaceWith(std::initializer_list<std::string_view> parts, bool durable)
{
    const int current = int(handle_);
    struct stat info {};
    if (current >= 0 && ::fstat(current, &info) != 0)
        fail(errorText(errno));
    if (current >= 0) {
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            fail("read-only");
        if (::access(target_.c_str(), W_OK) != 0)
            fail(errorText(errno));
        if (info.st_nlink > 1)
            fail("it has " + std::to_string(info.st_nlink) +
                 " hard links, and replacing it would separate them; edit a copy instead");
    }
    removeStaleTemporaries(target_);

    fs::path temporary;
    int out = -1;
    std::optional<RemovedOnSignal> pending;
    {
        // The cleaning signals wait until the new file is known to their handler, so an
        // interruption right after it is created cannot leave it behind.
        CleaningSignalsHeld held;
        for (int attempt = 0; attempt < 16 && out < 0; ++attempt) {
            temporary = temporaryName(target_);
            out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (out < 0 && errno != EEXIST)
                break;
        }
        if (out < 0)
            fail(errorText(errno));
        pending.emplace(temporary);
    }
    int error = 0;
    auto check = [&](bool ok) {
        if (!ok && error == 0)
            error = errno ? errno : EIO;
    };
    if (current >= 0) {
        // Owner and group first: a change of owner clears the set-id bits of the mode.
        if (info.st_uid != ::geteuid() || info.st_gid != ::getegid())
            check(::fchown(out, info.st_uid, info.st_gid) == 0);
        check(::fchmod(out, info.st_mode & 07777) == 0);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        check(::fchmod(out, 0666 & ~mask) == 0);
    }
    for (std::string_view part : parts)
        if (error == 0)
            check(writeAll(out, part));
    if (durable && error == 0)
        check(::fsync(out) == 0);
    if (::close(out) != 0)
        check(false);
    if (error == 0 && current >= 0)
        check(::rename(temporary.c_str(), target_.c_str()) == 0);
    else if (error == 0)
        error = createFrom(temporary, target_);
    if (error != 0) {
        ::unlink(temporary.c_str());
        if (error == EEXIST && current < 0)
            throw CreatedByAnother{};
        fail(errorText(error));
    }
    if (durable) {
        fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
        int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
}

}  // namespace sw
