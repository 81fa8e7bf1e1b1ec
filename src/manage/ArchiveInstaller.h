// Installing an archive into the skins folder: everything is unpacked flat into a fresh
// temporary folder, checked, and only then copied into the personality's folder.
// Archives come from anywhere, so nothing in one is trusted.
#pragma once

#include "manage/ArchivePacker.h"

#include <cstdint>
#include <filesystem>
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
    // Where the fresh extraction folder is made (empty: the system's temporary folder).
    std::filesystem::path temporaryRoot;
    // When set, everything goes into this folder and no personality file is needed
    // (a plug-in archive).
    std::filesystem::path fixedTarget;
};

struct InstallResult {
    enum Status { Installed, NoPersonality, Refused, Cancelled };
    Status status = Refused;
    std::string message;                // for NoPersonality and Refused: names the archive
    std::filesystem::path uisFile;      // Installed: the personality file to open
    std::vector<std::string> log;       // one line per entry unpacked or left out
};

// Unpacks the archive flat (folder parts of entry names dropped), leaving out folder
// and link entries; refuses it before writing anything when its directory adds up to
// more than the limit, and stops when an entry grows past its declared size. The first
// .uis file names the personality P; the unpacked files are copied into P's folder
// under skinsFolder (files of the same name overwritten, others kept). The temporary
// folder is removed on every path. A cancel (progress returning false) happens before
// anything is copied into the skins folder.
InstallResult installArchive(const std::filesystem::path& archive, const std::filesystem::path& skinsFolder,
                             const InstallOptions& options = {}, const ArchiveProgress& progress = {});

}  // namespace sw
