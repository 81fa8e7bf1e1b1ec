#include "engine/FolderChange.h"

#include "store/FileBytes.h"
#include "store/LockedFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

FolderChangeHook hook = nullptr;
bool exchangeAllowed = true;

constexpr const char* kStaging = ".sw-staging-";
constexpr const char* kOld = ".sw-old-";
constexpr const char* kDeleted = ".sw-deleted-";

[[noreturn]] void failWrite(const fs::path& file, int error)
{
    throw FolderChangeError(writeErrorMessage(file, error) + "; nothing was changed");
}

fs::path besideTarget(const fs::path& target, const char* kind)
{
    return target.parent_path() / ("." + target.filename().string() + kind + ownedSuffix());
}

std::optional<struct stat> linkStatus(const fs::path& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

// The file system's own exchange of two names; false (errno set) when it has none.
bool exchange(const fs::path& a, const fs::path& b)
{
    if (!exchangeAllowed) {
        errno = EINVAL;
        return false;
    }
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP;
}

// Moves `from` to the missing `to` without replacing anything that appeared there.
int moveToMissing(const fs::path& from, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!unsupported(errno))
        return errno;
    if (linkStatus(to))
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int flush(const fs::path& path, int flags)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// Copies the folder's entries, links as links, into the existing folder `to`.
void copyTree(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path source = it->path();
        const fs::path copy = to / source.filename();
        const auto info = linkStatus(source);
        if (!info)
            failWrite(source, errno);
        if (S_ISLNK(info->st_mode)) {
            const fs::path link = fs::read_symlink(source, ec);
            if (!ec)
                fs::create_symlink(link, copy, ec);
        } else if (S_ISDIR(info->st_mode)) {
            if (::mkdir(copy.c_str(), 0700) != 0)
                failWrite(source, errno);
            copyTree(source, copy);
            if (::chmod(copy.c_str(), info->st_mode & 07777) != 0)
                failWrite(source, errno);
        } else if (S_ISREG(info->st_mode)) {
            fs::copy_file(source, copy, ec);
            folderChangeStep("copied");
        } else {
            throw FolderChangeError(source.string() + " is neither a file, a folder nor a link; nothing was changed");
        }
        if (ec)
            failWrite(source, ec.value());
    }
    if (ec)
        throw FolderChangeError("Unable to read " + from.string() + " (" + ec.message() + "); nothing was changed");
}

// Puts every byte and name of the folder on the disk.
void flushTree(const fs::path& folder, const fs::path& shown)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const auto type = it->symlink_status(ec).type();
        if (type == fs::file_type::directory)
            flushTree(it->path(), shown / it->path().filename());
        else if (type == fs::file_type::regular)
            if (const int error = flush(it->path(), 0))
                failWrite(shown / it->path().filename(), error);
    }
    if (const int error = ec ? ec.value() : flush(folder, O_DIRECTORY))
        failWrite(shown, error);
}

void flushFolder(const fs::path& folder)
{
    flush(folder.empty() ? fs::path(".") : folder, O_DIRECTORY);
}

}  // namespace

void setFolderChangeHook(FolderChangeHook newHook)
{
    hook = newHook;
}

void setFolderExchange(bool allowed)
{
    exchangeAllowed = allowed;
}

void folderChangeStep(const char* step)
{
    if (hook)
        hook(step);
}

void cleanFolderLeftovers(const fs::path& parent)
{
    std::error_code ec;
    for (fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() != '.')
            continue;
        for (const char* kind : {kStaging, kOld, kDeleted}) {
            const std::size_t at = name.rfind(kind);
            if (at == std::string::npos || at < 2 || !leftByDeadOwner(name, name.substr(0, at + std::strlen(kind))))
                continue;
            // A set-aside folder whose target is missing is the old folder whole.
            const fs::path target = it->path().parent_path() / name.substr(1, at - 1);
            if (kind == kOld && !linkStatus(target) && ::rename(it->path().c_str(), target.c_str()) == 0)
                break;
            removeTree(it->path().c_str());
            break;
        }
    }
}

FolderChange::FolderChange(fs::path target, Start start) : target_(std::move(target))
{
    prepare(start == CopyOfTarget ? target_ : fs::path());
}

FolderChange::FolderChange(fs::path target, const fs::path& copyOf) : target_(std::move(target))
{
    const auto info = linkStatus(copyOf);
    if (!info || !S_ISDIR(info->st_mode))
        throw FolderChangeError(copyOf.string() + " is not a folder; nothing was changed");
    prepare(copyOf);
}

void FolderChange::prepare(const fs::path& copyOf)
{
    cleanFolderLeftovers(target_.parent_path());
    const auto info = linkStatus(target_);
    if (!info && errno != ENOENT)
        failWrite(target_, errno);
    existed_ = bool(info);
    if (existed_ && S_ISLNK(info->st_mode))
        throw FolderChangeError(target_.string() +
                                " is a symbolic link; nothing is written through it (nothing was changed)");
    if (existed_ && !S_ISDIR(info->st_mode))
        throw FolderChangeError(target_.string() + " is not a folder; nothing was changed");
    if (existed_ && ((info->st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0))
        throw FolderChangeError(target_.string() + " is read-only; nothing was changed");
    {
        CleaningSignalsHeld held;
        staging_ = besideTarget(target_, kStaging);
        if (::mkdir(staging_.c_str(), 0700) != 0)
            failWrite(target_.parent_path(), errno);
        cleanup_.emplace(staging_);
    }
    try {
        if (!copyOf.empty() && (existed_ || copyOf != target_))
            copyTree(copyOf, staging_);
    } catch (...) {
        removeTree(staging_.c_str());
        throw;
    }
}

FolderChange::~FolderChange()
{
    if (!committed_)
        removeTree(staging_.c_str());
}

std::string FolderChange::inTarget(std::string message) const
{
    const std::string staged = staging_.string(), target = target_.string();
    for (std::size_t at = message.find(staged); at != std::string::npos; at = message.find(staged, at + target.size()))
        message.replace(at, staged.size(), target);
    return message;
}

void FolderChange::refuseLinked(const fs::path& relative) const
{
    const fs::path file = target_ / relative;
    const auto info = existed_ ? linkStatus(file) : std::nullopt;
    if (!info)
        return;
    if (S_ISLNK(info->st_mode))
        throw FolderChangeError(file.string() + " is a symbolic link; nothing is written through it (nothing was changed)");
    if (S_ISREG(info->st_mode) && info->st_nlink > 1)
        throw FolderChangeError(file.string() + " has " + std::to_string(info->st_nlink) +
                                " hard links, and replacing it would separate them; nothing was changed");
}

void FolderChange::commit()
{
    mode_t mode = 0777;
    if (const auto info = linkStatus(target_); info && S_ISDIR(info->st_mode)) {
        mode = info->st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::chmod(staging_.c_str(), mode) != 0)
        failWrite(target_, errno);
    flushTree(staging_, target_);
    folderChangeStep("flushed");
    const fs::path parent = target_.parent_path();
    const auto present = linkStatus(target_);
    if (!present) {
        if (const int error = moveToMissing(staging_, target_))
            failWrite(target_, error);
        committed_ = true;
        cleanup_.reset();
        folderChangeStep("moved in");
        flushFolder(parent);
        return;
    }
    if (!S_ISDIR(present->st_mode))
        throw FolderChangeError(target_.string() + " is no longer a folder; nothing was changed");
    if (exchange(staging_, target_)) {
        // The staging name holds the old folder now; a signal still removes it.
        committed_ = true;
        folderChangeStep("exchanged");
        flushFolder(parent);
        removeTree(staging_.c_str());
        cleanup_.reset();
        return;
    }
    if (!unsupported(errno))
        failWrite(target_, errno);
    const fs::path old = besideTarget(target_, kOld);
    {
        RemovedOnSignal putBack(old, target_);
        if (::rename(target_.c_str(), old.c_str()) != 0)
            failWrite(target_, errno);
        folderChangeStep("set aside");
        if (::rename(staging_.c_str(), target_.c_str()) != 0) {
            const int error = errno;
            ::rename(old.c_str(), target_.c_str());
            failWrite(target_, error);
        }
        committed_ = true;
        cleanup_.reset();
        folderChangeStep("moved in");
        flushFolder(parent);
        removeTree(old.c_str());
    }
}

void removeFolderWhole(const fs::path& target)
{
    const auto info = linkStatus(target);
    if (!info)
        return;
    if (!S_ISDIR(info->st_mode)) {
        if (::unlink(target.c_str()) != 0)
            failWrite(target, errno);
        return;
    }
    if ((info->st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
        throw FolderChangeError(target.string() + " is read-only; nothing was changed");
    cleanFolderLeftovers(target.parent_path());
    const fs::path gone = besideTarget(target, kDeleted);
    RemovedOnSignal cleanup(gone);
    if (::rename(target.c_str(), gone.c_str()) != 0)
        failWrite(target, errno);
    folderChangeStep("set aside");
    flushFolder(target.parent_path());
    removeTree(gone.c_str());
}

}  // namespace sw
