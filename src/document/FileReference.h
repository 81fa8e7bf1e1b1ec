// File references inside a personality ("Folder\file.bmp", relative to the skins
// root) turned into paths of this file system, and back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sw {

// The path a reference names under the skins root. Backslashes and slashes both
// separate components; each component that exists is matched without regard to
// letter case (a missing one is taken as written). A reference that would leave the
// root (an absolute path, a drive letter, "..", a link pointing outside) gives nothing.
std::optional<std::filesystem::path> resolveFileReference(const std::filesystem::path& skinsRoot,
                                                          std::string_view reference);

// The listings of folders, kept for resolving many references in a row: upper-cased
// name -> the name on disk. A folder is listed again only when its modification time
// changed (an entry was added, removed or renamed), which one status call tells.
class FolderIndex {
public:
    // The entry of the folder whose name matches without regard to case, or nothing.
    std::optional<std::string> find(const std::filesystem::path& folder, std::string_view name);

private:
    struct Listing {
        std::filesystem::file_time_type modified;
        std::unordered_map<std::string, std::string> names;
    };
    std::unordered_map<std::string, Listing> folders_;
};

// The same, with the folder listings taken from (and kept in) the index.
std::optional<std::filesystem::path> resolveFileReference(const std::filesystem::path& skinsRoot,
                                                          std::string_view reference, FolderIndex& index);

// "Folder\file" as a personality stores it.
std::string makeFileReference(std::string_view folderName, std::string_view fileName);

// Whether a file name matches a pattern of "*" and "?" (ignoring case), as the
// file choices of an attribute are filtered; ";" separates several patterns.
bool matchesFilePattern(std::string_view fileName, std::string_view patterns);

// Whether a name can be one folder directly inside another: not empty, not "." or
// "..", at most 200 characters, no separators, no control characters, none of the
// characters Windows forbids in file names, and no trailing dot or blank.
bool isPlainFolderName(std::string_view name);

}  // namespace sw
