#include "store/LockedFile.h"

#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/SignalCleanup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

std::string errorText(int error) { return std::strerror(error); }

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

// A symbolic link names the file it points to; a dangling one the file it would create.
fs::path resolveTarget(const fs::path& requested)
{
    std::error_code ec;
    fs::path path = requested;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path.lexically_normal();
}

}  // namespace

std::string temporaryPrefix(const fs::path& target)
{
    return target.filename().string() + ".~sw";
}

void removeStaleTemporaries(const fs::path& target)
{
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        // NAME.~sw<pid>-<random>: only a writer that no longer runs leaves one behind.
        if (!leftByDeadOwner(entry.path().filename().string(), prefix))
            continue;
        std::error_code removeError;
        if (entry.is_regular_file(removeError))
            fs::remove(entry.path(), removeError);
    }
}

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
            fd_ = fd;
            return;
        }
        ::close(fd);
    }
    fail("it keeps being replaced by another program");
}

LockedFile::~LockedFile()
{
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
}

int LockedFile::createFrom(const fs::path& temporary) const
{
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without that rename: a second name for the temporary, which fails
    // when the target exists, then the temporary's own name goes.
    if (::link(temporary.c_str(), target_.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    return errno;
}

void LockedFile::fail(const std::string& why) const
{
    throw EFileWriteError(requested_, why);
}

std::string LockedFile::readAll(std::uintmax_t maxSize) const
{
    std::string bytes;
    if (fd_ < 0)
        return bytes;
    int error = readDescriptor(fd_, maxSize, bytes);
    if (error == EFBIG)
        throw EIniFileException("Unable to read " + requested_.string() + " (the file is larger than " +
                                std::to_string(maxSize >> 20) + " MB)");
    if (error != 0)
        throw EIniFileException("Unable to read " + requested_.string() + " (" + errorText(error) + ")");
    return bytes;
}

void LockedFile::replace(std::initializer_list<std::string_view> parts, bool durable, std::uintmax_t maxSize)
{
    std::uintmax_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    if (size > maxSize)
        fail("the file would be larger than " + std::to_string(maxSize >> 20) + " MB");

    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) != 0)
        fail(errorText(errno));
    if (fd_ >= 0) {
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
            temporary = target_.parent_path() / (temporaryPrefix(target_) + ownedSuffix());
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
    if (fd_ >= 0) {
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
    if (error == 0 && fd_ >= 0)
        check(::rename(temporary.c_str(), target_.c_str()) == 0);
    else if (error == 0)
        error = createFrom(temporary);
    if (error != 0) {
        ::unlink(temporary.c_str());
        if (error == EEXIST && fd_ < 0)
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
