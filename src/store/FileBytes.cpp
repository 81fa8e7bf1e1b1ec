#include "store/FileBytes.h"

#include "store/CustomIniFile.h"
#include "store/LockedFile.h"

#include <cerrno>
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
    bytes.reserve(std::size_t(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            throw failure(std::strerror(error));
        }
        if (n == 0)
            break;
        if (bytes.size() + std::size_t(n) > maxSize) {
            ::close(fd);
            throw tooLarge();
        }
        bytes.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return bytes;
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
