// Archives made for the tests with libzip: ordinary ones, and hostile ones with odd
// names, link entries and sizes that lie.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace sw::test {

struct ZipEntry {
    std::string name;
    std::string bytes;
    bool link = false;     // stored as a symbolic link whose target is `bytes`
    bool folder = false;   // a folder entry (name ends with "/")
};

// Writes the archive (deflated entries) and returns its path.
std::filesystem::path makeZip(const std::filesystem::path& archive, const std::vector<ZipEntry>& entries);

// The archive's entries: name -> unpacked bytes.
std::map<std::string, std::string> readZip(const std::filesystem::path& archive);

// Names in archive order, and whether every entry is deflated.
std::vector<std::string> zipNames(const std::filesystem::path& archive);
bool allDeflated(const std::filesystem::path& archive);

// Rewrites the uncompressed size of every entry in the archive's local headers and
// central directory, so the archive lies about what it unpacks to.
void patchDeclaredSizes(const std::filesystem::path& archive, std::uint32_t size);

// Every file under the folder, as paths relative to it with "/".
std::vector<std::string> filesUnder(const std::filesystem::path& folder);

}  // namespace sw::test
