// Deleting and copying whole personality folders, and the trailing separator of a
// folder path. Neither operation follows a symbolic link: each stays inside the
// folders it was given.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// Deletes every file of the folder and, recursively, every subfolder whose name does
// not begin with "."; then removes the folder itself. A symbolic link is removed as
// a link, never entered; a folder given as a link loses only the link. Single
// failures are skipped. Returns whether the folder itself was removed (so false when
// a dot-folder or an undeletable file kept it).
bool recursiveDelete(const std::filesystem::path& folder);

// Creates the target folder (an existing one stays) and copies every file of the
// source into it, overwriting, and every subfolder whose name does not begin with "."
// into the target's subfolder of that name. Symbolic links in the source are skipped;
// a link already in the target where a file or folder goes is replaced, never written
// through. A target inside the source (which would copy forever) copies nothing.
// Returns whether everything was copied.
bool recursiveCopy(const std::filesystem::path& source, const std::filesystem::path& target);

// The path with the separator appended unless its last character, blanks trimmed,
// already is a separator ("\" or "/").
std::string folderWithSeparator(std::string_view path, char separator = kNativeSeparator);

}  // namespace sw
