// The few calls of the operating system the store makes to read files and to know
// about processes, one implementation per system (NativeFilePosix.cpp,
// NativeFileWindows.cpp), so that everything above them is the same on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace sw::native {

// A descriptor (POSIX) or a HANDLE (Windows); both systems' "none" is -1.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// A failed call: the system's code (0: none), whether the file was missing, and the
// system's own words for it.
struct Error {
    long code = 0;
    bool missing = false;
    std::string text;
};

// The system's words for an error code (strerror, FormatMessageW), as UTF-8 bytes.
std::string errorText(long code);

// Opens an existing file for reading, without waiting (a FIFO waits for a writer
// otherwise), and refuses what is not a regular file: a folder, a device, a FIFO
// ("not a regular file"). Returns kNoHandle and fills `error` on failure.
Handle openForReading(const std::filesystem::path& path, Error& error);
void closeHandle(Handle handle);

// The open file's size, or -1.
std::int64_t sizeOf(Handle handle);

// Reads up to `count` bytes at `offset`; returns how many (0 at the end), or -1 and
// fills `error`.
std::int64_t readAt(Handle handle, char* into, std::size_t count, std::uint64_t offset, Error& error);

// Asks for large pages (and for the pages to be mapped at once) for a buffer about to
// be filled. A hint: where the system does not know it nothing changes.
void adviseLargeBuffer(void* start, std::size_t bytes, bool populate);

long currentProcessId();
// Whether no process of that id runs (a process that cannot be asked is taken to run).
bool processIsGone(long pid);

// The file of the running program, or empty when it cannot be known.
std::filesystem::path runningProgramFile();

}  // namespace sw::native

namespace sw {

enum class ReadResult { Ok, TooLarge, Failed };

// Reads an open file from its start to its end straight into `bytes` (sized from the
// file's length, so a file is copied once and held once). TooLarge when there are more
// than maxSize bytes; Failed fills `error`. (FileBytes.cpp, the same on every system.)
ReadResult readHandle(native::Handle handle, std::uintmax_t maxSize, std::string& bytes, native::Error& error);

}  // namespace sw
