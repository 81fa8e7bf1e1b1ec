#include "store/FileBytes.h"

#include "store/CustomIniFile.h"
#include "store/LockedFile.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

// Makes room for a large file's bytes. Fresh memory is otherwise mapped in one small
// page at a time, on first touch, which for a file of megabytes costs more than
// reading it: so large pages are asked for, and the pages are mapped in one call.
// Both are hints; where the system does not know them nothing changes.
void reserveLarge(std::string& bytes, std::size_t size)
{
    bytes.reserve(size);
    constexpr std::size_t kLarge = std::size_t(2) << 20;
    if (size < 2 * kLarge)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t from = (start + kLarge - 1) & ~std::uintptr_t(kLarge - 1);
    const std::uintptr_t to = (start + size) & ~std::uintptr_t(kLarge - 1);
#ifdef MADV_HUGEPAGE
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
    const std::uintptr_t page = start & ~std::uintptr_t(4095);
    ::madvise(reinterpret_cast<void*>(page), start + size - page, MADV_POPULATE_WRITE);
}

}  // namespace

std::string writeErrorMessage(const fs::path& path, int error)
{
    std::string message = "Unable to write to " + path.string();
    if (error != 0)
        message += std::string(" (") + std::strerror(error) + ")";
    return message;
}

std::string readFileBytes(const fs::path& path, std::uintmax_t maxSize)
{
    auto failure = [&](const std::string& why) {
        return EIniFileException("Unable to read " + path.string() + " (" + why + ")");
    };
    // Non-blocking, so that a FIFO is refused at once instead of waiting for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw failure(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw failure("not a regular file");
    }
    auto tooLarge = [&] { return failure("the file is larger than " + std::to_string(maxSize >> 20) + " MB"); };
    if (std::uintmax_t(info.st_size) > maxSize) {
        ::close(fd);
        throw tooLarge();
    }
    std::string bytes;
    int error = readDescriptor(fd, maxSize, bytes);
    ::close(fd);
    if (error == EFBIG)
        throw tooLarge();
    if (error != 0)
        throw failure(std::strerror(error));
    return bytes;
}

void readFileLines(const fs::path& path, const std::function<bool(std::string_view)>& visit, std::uintmax_t maxSize)
{
    auto failure = [&](const std::string& why) {
        return EIniFileException("Unable to read " + path.string() + " (" + why + ")");
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw failure(std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        throw failure("not a regular file");
    auto tooLarge = [&] { return failure("the file is larger than " + std::to_string(maxSize >> 20) + " MB"); };
    if (std::uintmax_t(info.st_size) > maxSize)
        throw tooLarge();
    std::string buffer(std::size_t(1) << 18, '\0');
    std::size_t kept = 0;  // bytes of an unfinished line at the buffer's start
    std::uintmax_t total = 0;
    for (;;) {
        if (kept == buffer.size())
            buffer.resize(buffer.size() * 2);
        ssize_t n = ::read(fd, buffer.data() + kept, buffer.size() - kept);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw failure(std::strerror(errno));
        total += std::uintmax_t(n);
        if (total > maxSize)
            throw tooLarge();
        const std::size_t have = kept + std::size_t(n);
        if (n == 0) {
            if (kept)
                visit(std::string_view(buffer.data(), kept));
            return;
        }
        // Up to the last line end; a CR there may be the first half of a CR LF, which
        // then reads as one more, empty, line: nothing a reader of entries sees.
        std::size_t end = have;
        while (end > 0 && buffer[end - 1] != '\n' && buffer[end - 1] != '\r')
            --end;
        if (end == 0) {
            kept = have;
            continue;
        }
        if (!visit(std::string_view(buffer.data(), end)))
            return;
        std::memmove(buffer.data(), buffer.data() + end, have - end);
        kept = have - end;
    }
}

int readDescriptor(int fd, std::uintmax_t maxSize, std::string& bytes)
{
    struct stat info {};
    std::size_t expected = 0;
    if (::fstat(fd, &info) == 0 && info.st_size > 0 && std::uintmax_t(info.st_size) <= maxSize)
        expected = std::size_t(info.st_size);
    // One byte more than expected, so that a file which grew meanwhile is noticed.
    bytes.clear();
    reserveLarge(bytes, expected + 1);
    bytes.resize(expected + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(std::size_t(std::min<std::uintmax_t>(bytes.size() * 2 + (1 << 16), maxSize + 1)));
        ssize_t n = ::pread(fd, bytes.data() + have, bytes.size() - have, off_t(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        have += std::size_t(n);
        if (have > maxSize)
            return EFBIG;
    }
    bytes.resize(have);
    return 0;
}

void writeFileAtomically(const fs::path& path, std::initializer_list<std::string_view> parts, bool durable)
{
    LockedFile::Edit(path, LockedFile::CreateWhenMissing,
                     [&](LockedFile& file) { file.replace(parts, durable, UINTMAX_MAX); });
}

bool copyFileAtomically(const fs::path& from, const fs::path& to)
{
    try {
        writeFileAtomically(to, {readFileBytes(from)});
        return true;
    } catch (const EIniFileException&) {
        return false;
    }
}

}  // namespace sw
