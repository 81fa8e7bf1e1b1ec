// The plug-in catalogues installed beside the editor (PLUGINS and its subfolders):
// listing them with their details, installing one from an archive and deleting one
// without touching any other.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sw {

struct PluginEntry {
    std::string name;  // the list's caption
    std::string author;
    std::string email;
    std::string url;
    std::string section;
    std::string optional = "1";  // as written; "1" when missing
    std::filesystem::path file;
};

// Every catalogue of PLUGINS, then of each subfolder not beginning with ".", with
// the details of its section PluginInfo.
std::vector<PluginEntry> listPlugins(const std::filesystem::path& programFolder);

// Whether "Delete" may remove the plug-in: its Optional is not 0. Text that is not a
// number counts as optional.
bool pluginDeletable(const PluginEntry& plugin);

// Removes the plug-in: the subfolder of PLUGINS that holds its catalogue, with all
// its files; a catalogue lying in PLUGINS itself is removed alone. Nothing outside
// that subfolder is ever touched. False when nothing or not everything was removed.
bool deletePlugin(const PluginEntry& plugin, const std::filesystem::path& programFolder);

// Where "Install New" unpacks an archive: PLUGINS followed by the archive's name
// without its extension. Empty when that name is not a plain folder name (an archive
// named "...zip" would otherwise unpack into the program folder itself).
std::filesystem::path pluginInstallFolder(const std::filesystem::path& programFolder,
                                          const std::filesystem::path& archive);

// Unpacks an archive into a folder; false (after telling the user) on failure. The
// archive tools install it; until then "Install New" says it cannot unpack.
using ArchiveInstaller = std::function<bool(const std::filesystem::path& archive, const std::filesystem::path& folder)>;
void setPluginArchiveInstaller(ArchiveInstaller installer);
const ArchiveInstaller& pluginArchiveInstaller();

}  // namespace sw
