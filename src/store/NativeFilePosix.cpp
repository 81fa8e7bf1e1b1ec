#include "store/NativeFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw::native {

namespace fs = std::filesystem;

std::string errorText(long code)
{
    return std::strerror(int(code));
}

Handle openForReading(const fs::path& path, Error& error)
{
    // Non-blocking, so that a FIFO is refused at once instead of waiting for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = {errno, errno == ENOENT, errorText(errno)};
        return kNoHandle;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = {EINVAL, false, "not a regular file"};
        return kNoHandle;
    }
    return fd;
}

void closeHandle(Handle handle)
{
    if (handle != kNoHandle)
        ::close(int(handle));
}

std::int64_t sizeOf(Handle handle)
{
    struct stat info {};
    return ::fstat(int(handle), &info) == 0 ? std::int64_t(info.st_size) : -1;
}

std::int64_t readAt(Handle handle, char* into, std::size_t count, std::uint64_t offset, Error& error)
{
    for (;;) {
        ssize_t n = ::pread(int(handle), into, count, off_t(offset));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            error = {errno, false, errorText(errno)};
            return -1;
        }
    }
}

void adviseLargeBuffer(void* start, std::size_t bytes, bool populate)
{
    constexpr std::size_t kLarge = std::size_t(2) << 20;
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    [[maybe_unused]] const std::uintptr_t from = (first + kLarge - 1) & ~std::uintptr_t(kLarge - 1);
    [[maybe_unused]] const std::uintptr_t to = (first + bytes) & ~std::uintptr_t(kLarge - 1);
#ifdef MADV_HUGEPAGE
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
    if (populate) {
        const std::uintptr_t page = first & ~std::uintptr_t(4095);
        ::madvise(reinterpret_cast<void*>(page), first + bytes - page, MADV_POPULATE_WRITE);
    }
}

long currentProcessId()
{
    return long(::getpid());
}

bool processIsGone(long pid)
{
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

fs::path runningProgramFile()
{
    std::error_code ec;
    fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : executable;
}

}  // namespace sw::native
