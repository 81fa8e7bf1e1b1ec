#include "manage/PluginManager.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "engine/FolderChange.h"
#include "store/AcceleratedIniFile.h"
#include "store/StringOps.h"

namespace sw {

namespace fs = std::filesystem;

namespace {

// The folder the path names, resolved without requiring it to exist.
fs::path normalFolder(const fs::path& path)
{
    std::error_code ec;
    fs::path result = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : result;
}

}  // namespace

std::vector<PluginEntry> listPlugins(const fs::path& programFolder)
{
    std::vector<PluginEntry> plugins;
    for (const fs::path& file : installedPluginCatalogueFiles(programFolder)) {
        PluginEntry entry;
        entry.file = file;
        try {
            TAcceleratedIniFile catalogue(file.string());
            entry.name = catalogue.ReadString("PluginInfo", "Name", "");
            entry.author = catalogue.ReadString("PluginInfo", "Author", "");
            entry.email = catalogue.ReadString("PluginInfo", "Email", "");
            entry.url = catalogue.ReadString("PluginInfo", "Url", "");
            entry.section = catalogue.ReadString("PluginInfo", "SectionName", "");
            entry.optional = catalogue.ReadString("PluginInfo", "Optional", "1");
        } catch (const std::exception&) {
            // An unreadable catalogue is still listed (as optional), so it can be deleted.
        }
        if (entry.name.empty())
            entry.name = file.filename().string();
        plugins.push_back(std::move(entry));
    }
    return plugins;
}

bool pluginDeletable(const PluginEntry& plugin)
{
    const auto value = valInteger(plugin.optional, nullptr, false);
    return !value || *value != 0;
}

bool deletePlugin(const PluginEntry& plugin, const fs::path& programFolder)
{
    const fs::path plugins = normalFolder(programFolder / "PLUGINS");
    const fs::path folder = normalFolder(plugin.file.parent_path());
    std::error_code ec;
    if (folder == plugins) {
        // A catalogue lying in PLUGINS itself: its folder is every plug-in's folder.
        return fs::remove(plugin.file, ec) && !ec;
    }
    if (folder.parent_path() != plugins || fs::is_symlink(plugin.file.parent_path(), ec))
        return false;
    try {
        removeFolderWhole(folder);
        return true;
    } catch (const FolderChangeError&) {
        return false;
    }
}

fs::path pluginInstallFolder(const fs::path& programFolder, const fs::path& archive)
{
    const std::string name = archive.stem().string();
    return isPlainFolderName(name) ? programFolder / "PLUGINS" / name : fs::path();
}

namespace {

ArchiveInstaller& installerSlot()
{
    static ArchiveInstaller installer;
    return installer;
}

}  // namespace

void setPluginArchiveInstaller(ArchiveInstaller installer)
{
    installerSlot() = std::move(installer);
}

const ArchiveInstaller& pluginArchiveInstaller()
{
    return installerSlot();
}

}  // namespace sw
