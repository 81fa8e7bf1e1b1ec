// Packing a personality into a flat archive: which files go in (the folder key rule),
// writing them with the best deflate level under their bare names, and the report line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sw {

class TCustomIniFile;

// The folder key of a personality file name: lower case, the first ".uis" removed,
// a backslash appended ("MySkin.uis" gives "myskin\").
std::string packFolderKey(const std::string& uisFileName);

// One line of the file list: the text shown ("<skins root>\<value>") and the file it
// stands for, when that lies inside the personality's own folder.
struct PackEntry {
    std::string shown;
    std::optional<std::filesystem::path> file;
};

// The files a personality names inside its own folder, in the order of the document's
// sections and keys (a file named by several values is listed each time), followed by
// the personality file itself. A value holding the folder key but resolving outside the
// personality folder (".." steps, links) is listed without a file, so it is never packed.
std::vector<PackEntry> packFileList(TCustomIniFile& document, const std::filesystem::path& uisFile);
// The same lines handed to `visit` one at a time, so that a personality of many values
// is packed without holding a line per value.
void forEachPackEntry(TCustomIniFile& document, const std::filesystem::path& uisFile,
                      const std::function<void(const PackEntry&)>& visit);

// Where an archive of the personality goes unless another is named: <name>.zip in its
// folder, <name> being the folder key without its backslash.
std::filesystem::path defaultArchivePath(const std::filesystem::path& uisFile);

// Why the archive cannot be written to that path, or empty: it is the personality file
// itself or a file the archive would hold (an earlier archive at the default path is
// left out instead), its name does not end in .zip or .vxa, or it is a symbolic link.
std::string archiveTargetProblem(const std::filesystem::path& archive, const std::filesystem::path& uisFile,
                                 const std::vector<std::filesystem::path>& files);

// "Zip file created successfully. File size: N bytes. ( K KB )"
std::string zipSuccessLine(std::uintmax_t size);

// Progress of long archive work: done and total bytes; returning false cancels.
using ArchiveProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct PackResult {
    bool ok = false;
    bool cancelled = false;
    std::string error;               // why nothing was written
    std::vector<std::string> notes;  // files left out, one line each
    std::uintmax_t size = 0;         // of the archive written
};

// Writes the archive: each file once under its bare name (names are compared without
// regard to case, the first wins), deflate level 9, no folder entries. Missing files,
// files that are not regular files, the editor's own files and the archive itself
// (an earlier one, named by a value) are noted and left out. The archive is built in
// memory and replaces its destination through a flushed temporary file only when
// complete, so a failure, a cancel or a kill leaves any earlier archive as it was.
PackResult writeFlatArchive(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
                            const ArchiveProgress& progress = {});

}  // namespace sw
