#include "store/LockedFile.h"

#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/NativeFile.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

namespace sw {

namespace fs = std::filesystem;

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

std::string temporaryPrefix(const fs::path& target)
{
    return target.filename().string() + ".~sw";
}

fs::path temporaryName(const fs::path& target)
{
    static std::mutex randomMutex;
    static std::mt19937 random{std::random_device{}()};
    unsigned value;
    {
        std::lock_guard<std::mutex> lock(randomMutex);
        value = unsigned(random());
    }
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "%ld-%08x", native::currentProcessId(), value);
    return target.parent_path() / (temporaryPrefix(target) + suffix);
}

void removeStaleTemporaries(const fs::path& target)
{
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        // NAME.~sw<pid>-<random>: only a writer that no longer runs leaves one behind.
        if (!leftByDeadOwner(name, prefix))
            continue;
        std::error_code removeError;
        if (entry.is_regular_file(removeError))
            fs::remove(entry.path(), removeError);
    }
}

bool leftByDeadOwner(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string rest(name.substr(prefix.size()));
    if (rest[0] < '0' || rest[0] > '9')
        return false;
    char* end = nullptr;
    const long pid = std::strtol(rest.c_str(), &end, 10);
    if (pid <= 0 || *end != '-' || pid == native::currentProcessId())
        return false;
    return native::processIsGone(pid);
}

void LockedFile::fail(const std::string& why) const
{
    throw EFileWriteError(requested_, why);
}

std::string LockedFile::readAll(std::uintmax_t maxSize) const
{
    std::string bytes;
    if (!exists())
        return bytes;
    native::Error error;
    ReadResult result = readHandle(handle_, maxSize, bytes, error);
    if (result == ReadResult::TooLarge)
        throw EIniFileException("Unable to read " + requested_.string() + " (the file is larger than " +
                                std::to_string(maxSize >> 20) + " MB)");
    if (result == ReadResult::Failed)
        throw EIniFileException("Unable to read " + requested_.string() + " (" + error.text + ")");
    return bytes;
}

void LockedFile::replace(std::initializer_list<std::string_view> parts, bool durable, std::uintmax_t maxSize)
{
    std::uintmax_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    if (size > maxSize)
        fail("the file would be larger than " + std::to_string(maxSize >> 20) + " MB");
    replaceWith(parts, durable);
}

}  // namespace sw
