#include "store/FileBytes.h"

#include "store/CustomIniFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

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
    auto tooLarge = [&] {
        return EIniFileException("Unable to read " + path.string() + " (the file is larger than " +
                                 std::to_string(maxSize >> 20) + " MB)");
    };
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    if (!ec && size > maxSize)
        throw tooLarge();
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (!file) {
        int error = errno;
        throw EIniFileException("Unable to read " + path.string() + " (" + std::strerror(error) + ")");
    }
    std::string bytes;
    if (!ec)
        bytes.reserve(size);
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + n > maxSize) {
            std::fclose(file);
            throw tooLarge();
        }
        bytes.append(buffer, n);
    }
    bool failed = std::ferror(file);
    int error = errno;
    std::fclose(file);
    if (failed)
        throw EIniFileException("Unable to read " + path.string() + " (" + std::strerror(error) + ")");
    return bytes;
}

void writeFileAtomically(const fs::path& requested, std::initializer_list<std::string_view> parts)
{
    std::error_code ec;
    fs::path path = requested;
    if (fs::is_symlink(path, ec)) {
        fs::path target = fs::weakly_canonical(path, ec);
        if (!ec)
            path = target;
    }

    static std::mt19937_64 random{std::random_device{}()};
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".~sw%08x", unsigned(random()));
        temporary = path;
        temporary += suffix;
        file = std::fopen(temporary.string().c_str(), "wbx");
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        throw EIniFileException(writeErrorMessage(requested, errno));

    bool ok = true;
    for (std::string_view part : parts)
        if (!part.empty() && std::fwrite(part.data(), 1, part.size(), file) != part.size())
            ok = false;
    int error = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        auto permissions = fs::status(path, ec).permissions();
        if (!ec && permissions != fs::perms::unknown)
            fs::permissions(temporary, permissions, ec);
        fs::rename(temporary, path, ec);
        if (ec) {
            ok = false;
            error = ec.value();
        }
    }
    if (!ok) {
        fs::remove(temporary, ec);
        throw EIniFileException(writeErrorMessage(requested, error));
    }
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
