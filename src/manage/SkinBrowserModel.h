// What the skin browser shows and does without a window: the personalities of a skins
// folder, their identity fields, and copying, renaming and deleting them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sw {

class TCustomIniFile;

// The text standing for a value that is not there.
inline constexpr const char* kUndefined = "UNDEFINED";

struct BrowserEntry {
    std::string name;                       // the folder's name
    std::optional<std::filesystem::path> uisFile;  // <folder>\<name>.uis, when there is one
};

// The subfolders of the skins folder whose names do not begin with ".", sorted by name
// without regard to case. A folder holding <name>.uis (letter case aside) has a file.
std::vector<BrowserEntry> browserEntries(const std::filesystem::path& skinsFolder);

// The five identity fields of TITLEBARSKIN (SkinName, SkinAuthor, AuthorsURL,
// AuthorEmail, SpecialNotes), "UNDEFINED" where missing.
struct SkinIdentity {
    std::string fields[5];
};
inline constexpr const char* kIdentityKeys[5] = {"SkinName", "SkinAuthor", "AuthorsURL", "AuthorEmail",
                                                 "SpecialNotes"};
SkinIdentity readSkinIdentity(TCustomIniFile& document);

// Whether a name typed for a new personality can be a folder of the skins folder.
bool validPersonalityName(const std::string& name);

// Copies personality `from` of the skins folder to the new folder `to`: every file,
// subfolder and link of <from> (links as links; the editor's working copy and lock
// left behind), its personality file renamed <to>.uis with the values rewritten to
// <to>\... and the skin name set to skinName. The new folder appears whole or not at
// all; an existing folder of that name is refused. With rename, the old folder is
// deleted afterwards, only when the copy succeeded. Returns an error text naming the
// file, empty on success.
std::string copyPersonality(const std::filesystem::path& skinsFolder, const std::string& from, const std::string& to,
                            const std::string& skinName, bool rename);

// Deletes the personality's folder with all its content, all at once (a link in its
// place loses only the link). Returns an error text naming the folder, empty when it
// is gone.
std::string deletePersonality(const std::filesystem::path& skinsFolder, const std::string& name);

}  // namespace sw
