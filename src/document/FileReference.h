// File references inside a personality ("Folder\file.bmp", relative to the skins
// root) turned into paths of this file system, and back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

// The path a reference names under the skins root. Backslashes and slashes both
// separate components; each component that exists is matched without regard to
// letter case (a missing one is taken as written). A reference that would leave the
// root (an absolute path, a drive letter, "..", a link pointing outside) gives nothing.
std::optional<std::filesystem::path> resolveFileReference(const std::filesystem::path& skinsRoot,
                                                          std::string_view reference);

// "Folder\file" as a personality stores it.
std::string makeFileReference(std::string_view folderName, std::string_view fileName);

// Whether a file name matches a pattern of "*" and "?" (ignoring case), as the
// file choices of an attribute are filtered; ";" separates several patterns.
bool matchesFilePattern(std::string_view fileName, std::string_view patterns);

// Whether a name can be one folder directly inside another: not empty, not "." or
// "..", no separators, no control characters and none of the characters Windows
// forbids in file names.
bool isPlainFolderName(std::string_view name);

}  // namespace sw
