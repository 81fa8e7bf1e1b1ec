// Whole-file reads and crash-safe replacement of a file's bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace sw {

// The largest file the INI stores load: personalities and catalogues are far smaller,
// and a store keeps several copies and per-line records of a file in memory, so
// anything bigger is taken for a wrong or damaged file rather than read.
inline constexpr std::uintmax_t kMaxIniFileSize = 32u << 20;  // 32 MB

// Reads every byte of the file. Throws EIniFileException naming the file when it
// exists but cannot be read, is not a regular file (a FIFO would wait forever, a
// device never end), or holds more than maxSize bytes (checked while reading too, so
// that a growing file cannot fill the memory).
std::string readFileBytes(const std::filesystem::path& path, std::uintmax_t maxSize = kMaxIniFileSize);

// Reads the file a block at a time into one buffer that is used again, for a reader
// that needs to see each line once and keeps nothing: visit(text) receives whole lines
// (the last block: whatever remains) and returns false to stop reading. A line longer
// than a block makes the buffer grow to hold it. Refuses and throws as readFileBytes.
void readFileLines(const std::filesystem::path& path, const std::function<bool(std::string_view)>& visit,
                   std::uintmax_t maxSize = kMaxIniFileSize);

// The first `count` bytes of a regular file (fewer when it is shorter) and its size,
// or false when it cannot be opened or is not a regular file. Never waits (a FIFO).
bool readFileStart(const std::filesystem::path& path, std::size_t count, std::string& bytes, std::uintmax_t& size);

// Replaces the file with the concatenated parts: the bytes go to a new file beside
// it, which is then renamed over the old one, so a crash leaves either the old or
// the new content, never a mixture. The write holds the file's lock (LockedFile), so
// writers of this program take turns; a program that appends to the file without
// that lock can still lose its line to the rename. A symbolic link is kept and its
// target replaced (a dangling one gets its target created); owner, group and mode
// are kept. With `durable`, the bytes are on disk when the call returns.
// Refuses, changing nothing, what is not a regular file, a read-only file and a file
// with several hard links. Throws EIniFileException naming the file.
void writeFileAtomically(const std::filesystem::path& path, std::initializer_list<std::string_view> parts,
                         bool durable = true);

// Copies a file's bytes over another file the same crash-safe way. Returns false
// (leaving the target as it was) when the source cannot be read or the target written.
bool copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to);

// Creates the folder and every missing folder above it. Empty when the folder is
// there now, else "Unable to create the folder FOLDER (REASON)".
std::string createFolders(const std::filesystem::path& folder);

// The message of a failed write: "Unable to write to FILE" and, when known, the reason.
std::string writeErrorMessage(const std::filesystem::path& path, int error);

}  // namespace sw
