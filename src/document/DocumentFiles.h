// File work of opening, saving and renaming personalities that needs no window:
// the blank-line tidy of a saved file, the proposed names of Save As, moving file
// references to a new folder, and the recent-file list in the settings file.
#pragma once

#include "store/CustomIniFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sw {

class TUisFile;

// Puts an empty line before every section header that follows a non-blank line.
// A line counts as a header when its first "[" stands within its first four
// characters; the first line never gets one. Lines are written back with CR LF;
// the inserted separator is a single LF, as saved personalities have always had it.
std::string tidySavedPersonality(const std::string& bytes);

// The name Save As proposes: the file name in lower case without its first ".uis"
// and up to six characters after it.
std::string proposedSaveAsName(const std::string& documentPath);

// Rewrites every value of the document that holds oldPrefix (compared ignoring case)
// at its first occurrence to newFolder + "\" + the rest, and copies each such file from
// sourceFolder + rest to targetFolder + rest. Copies that fail are skipped; references
// that would leave their folder are left alone. Returns the number of values rewritten.
int relocateReferences(TUisFile& document, const std::string& oldPrefix, const std::string& newFolder,
                       const std::filesystem::path& sourceFolder, const std::filesystem::path& targetFolder);

struct RecentEntry {
    std::string name;
    std::string file;
};

// The complete entries 0 .. maxRecent-1 of section RecentlyUsed (an entry is complete
// when neither its name nor its file is empty or the "unknown" sentinel). Each slot
// keeps its index: missing entries are empty.
std::vector<RecentEntry> loadRecentList(TCustomIniFile& settings, int maxRecent);

// Puts (name, file) first and keeps the other complete entries that differ from it
// in name and file (ignoring case), written back as entries 0, 1, ...
void saveRecentList(TCustomIniFile& settings, int maxRecent, const std::string& name, const std::string& file);

// Removes entry `index` and moves the later ones up.
void removeRecentEntry(TCustomIniFile& settings, int maxRecent, int index);

// MaxRecent of the settings, kept within 1 to 10.
int maxRecentEntries(TCustomIniFile& settings);

}  // namespace sw
