// Names taken from untrusted archives and references turned into safe paths: an entry's
// bare file name, the personality name of a .uis file, and the inside-a-folder test.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

// The last part of an archive entry name, whatever it uses to separate folders ("/",
// "\" or a drive's ":"). Nothing for a folder entry, a name that is empty, "." or ".."
// once the folder parts are gone, and a name that cannot be a file name on the
// engine's system (control characters, one of <>"|?*).
std::optional<std::string> flatEntryName(std::string_view entryName);

// Whether the bare file name is one of the editor's own files beside a personality
// (its working copy and that copy's lock), which are never packed nor installed.
bool isEditorOwnFile(std::string_view fileName);

// The name of the personality a file stands for: its name up to the first ".uis"
// (ignoring case). Nothing when the file is not a .uis file or the name would not be a
// folder of its own ("", ".", "..").
std::optional<std::string> personalityNameOf(std::string_view fileName);

// Whether the path, once links are followed, lies inside the folder (or is the folder).
bool isInsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

}  // namespace sw
