#include "store/FileBytes.h"

#include "store/CustomIniFile.h"
#include "store/LockedFile.h"

#include "store/NativeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sw {

namespace fs = std::filesystem;

namespace {

// Makes room for a large file's bytes. Fresh memory is otherwise mapped in one small
// page at a time, on first touch, which for a file of megabytes costs more than
// reading it: so large pages are asked for, and the pages are mapped in one call.
void reserveLarge(std::string& bytes, std::size_t size)
{
    bytes.reserve(size);
    constexpr std::size_t kLarge = std::size_t(2) << 20;
    if (size >= 2 * kLarge)
        native::adviseLargeBuffer(bytes.data(), size, true);
}

struct HandleCloser {
    native::Handle handle;
    ~HandleCloser() { native::closeHandle(handle); }
};

}  // namespace

std::string writeErrorMessage(const fs::path& path, int error)
{
    std::string message = "Unable to write to " + path.string();
    if (error != 0)
        message += std::string(" (") + std::strerror(error) + ")";
    return message;
}

std::string createFolders(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (fs::is_directory(folder))
        return {};
    if (!ec)  // something that is not a folder is in the way
        ec = std::make_error_code(std::errc::not_a_directory);
    return "Unable to create the folder " + folder.string() + " (" + ec.message() + ")";
}

std::string readFileBytes(const fs::path& path, std::uintmax_t maxSize)
{
    auto failure = [&](const std::string& why) {
        return EIniFileException("Unable to read " + path.string() + " (" + why + ")");
    };
    native::Error error;
    HandleCloser file{native::openForReading(path, error)};
    if (file.handle == native::kNoHandle)
        throw failure(error.text);
    auto tooLarge = [&] { return failure("the file is larger than " + std::to_string(maxSize >> 20) + " MB"); };
    if (native::sizeOf(file.handle) > std::int64_t(maxSize))
        throw tooLarge();
    std::string bytes;
    ReadResult result = readHandle(file.handle, maxSize, bytes, error);
    if (result == ReadResult::TooLarge)
        throw tooLarge();
    if (result == ReadResult::Failed)
        throw failure(error.text);
    return bytes;
}

bool readFileStart(const fs::path& path, std::size_t count, std::string& bytes, std::uintmax_t& size)
{
    native::Error error;
    HandleCloser file{native::openForReading(path, error)};
    if (file.handle == native::kNoHandle)
        return false;
    const std::int64_t length = native::sizeOf(file.handle);
    if (length < 0)
        return false;
    size = std::uintmax_t(length);
    bytes.assign(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        std::int64_t n = native::readAt(file.handle, bytes.data() + got, count - got, got, error);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return true;
}

void readFileLines(const fs::path& path, const std::function<bool(std::string_view)>& visit, std::uintmax_t maxSize)
{
    auto failure = [&](const std::string& why) {
        return EIniFileException("Unable to read " + path.string() + " (" + why + ")");
    };
    native::Error error;
    HandleCloser file{native::openForReading(path, error)};
    if (file.handle == native::kNoHandle)
        throw failure(error.text);
    auto tooLarge = [&] { return failure("the file is larger than " + std::to_string(maxSize >> 20) + " MB"); };
    if (native::sizeOf(file.handle) > std::int64_t(maxSize))
        throw tooLarge();
    std::string buffer(std::size_t(1) << 18, '\0');
    std::size_t kept = 0;  // bytes of an unfinished line at the buffer's start
    std::uintmax_t total = 0;
    for (;;) {
        if (kept == buffer.size())
            buffer.resize(buffer.size() * 2);
        std::int64_t n = native::readAt(file.handle, buffer.data() + kept, buffer.size() - kept, total, error);
        if (n < 0)
            throw failure(error.text);
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

ReadResult readHandle(native::Handle handle, std::uintmax_t maxSize, std::string& bytes, native::Error& error)
{
    const std::int64_t length = native::sizeOf(handle);
    std::size_t expected = 0;
    if (length > 0 && std::uintmax_t(length) <= maxSize)
        expected = std::size_t(length);
    // One byte more than expected, so that a file which grew meanwhile is noticed.
    bytes.clear();
    reserveLarge(bytes, expected + 1);
    bytes.resize(expected + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(std::size_t(std::min<std::uintmax_t>(bytes.size() * 2 + (1 << 16), maxSize + 1)));
        std::int64_t n = native::readAt(handle, bytes.data() + have, bytes.size() - have, have, error);
        if (n < 0)
            return ReadResult::Failed;
        if (n == 0)
            break;
        have += std::size_t(n);
        if (have > maxSize)
            return ReadResult::TooLarge;
    }
    bytes.resize(have);
    return ReadResult::Ok;
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
