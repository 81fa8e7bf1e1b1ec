// Installing an archive into the skins folder: the archive's directory is checked
// first, then everything is unpacked flat into a staging copy of the personality's
// folder that replaces the folder only when complete and flushed (FolderChange).
// Archives come from anywhere, so nothing in one is trusted.
#pragma once

#include "manage/ArchivePacker.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sw {

// The text shown when an archive holds no personality file.
inline constexpr const char* kNoPersonalityText = "This package does not contain a personality file or is corrupted";

// Most bytes an archive may unpack to, by its own directory.
inline constexpr std::uint64_t kMaxUnpackedSize = std::uint64_t(1) << 30;
// Most entries an archive may hold.
inline constexpr std::uint64_t kMaxArchiveEntries = 20000;

struct InstallOptions {
    std::uint64_t maxUnpackedSize = kMaxUnpackedSize;
    std::uint64_t maxEntries = kMaxArchiveEntries;
    // Asked, before anything is written, whether an existing folder of the
    // personality's name may be installed over; unset or false: the install stops
    // with status Exists.
    std::function<bool(const std::filesystem::path& folder)> replaceExisting;
    // When set, everything goes into this folder and no personality file is needed
    // (a plug-in archive).
    std::filesystem::path fixedTarget;
};

struct InstallResult {
    enum Status { Installed, NoPersonality, Refused, Cancelled, Exists };
    Status status = Refused;
    std::string message;                // for NoPersonality and Refused: names the archive
    std::filesystem::path uisFile;      // Installed: the personality file to open
    std::filesystem::path folder;       // Installed and Exists: the folder installed into
    std::vector<std::string> log;       // one line per entry unpacked or left out
};

// Unpacks the archive flat (folder parts of entry names dropped), leaving out folder
// and link entries, names no file can have and the editor's own files; refuses it
// before writing anything when its directory adds up to more than the limit, and stops
// when an entry grows past its declared size. The first .uis file names the
// personality P, installed into P's folder under skinsFolder: files of the same name
// overwritten, others kept, all or nothing. An existing folder is installed over only
// when options.replaceExisting agrees; a link or a file with several hard links where
// an entry goes is refused. A cancel (progress returning false) leaves the skins folder
// as it was.
InstallResult installArchive(const std::filesystem::path& archive, const std::filesystem::path& skinsFolder,
                             const InstallOptions& options = {}, const ArchiveProgress& progress = {});

}  // namespace sw
