#include "store/FileBytes.h"

#include "store/CustomIniFile.h"
#include "store/LockedFile.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

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

int readDescriptor(int fd, std::uintmax_t maxSize, std::string& bytes)
{
    struct stat info {};
    std::size_t expected = 0;
    if (::fstat(fd, &info) == 0 && info.st_size > 0 && std::uintmax_t(info.st_size) <= maxSize)
        expected = std::size_t(info.st_size);
    // One byte more than expected, so that a file which grew meanwhile is noticed.
    bytes.assign(expected + 1, '\0');
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
    LockedFile file(path, LockedFile::CreateWhenMissing);
    file.replace(parts, durable, UINTMAX_MAX);
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
