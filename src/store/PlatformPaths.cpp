#include "store/PlatformPaths.h"

#include "store/NativeFile.h"

#include <cstdlib>

namespace sw {

namespace fs = std::filesystem;

namespace {

fs::path environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fs::path();
}

fs::path& programFolderOverride()
{
    static fs::path folder;
    return folder;
}

}  // namespace

fs::path programFolder()
{
    if (!programFolderOverride().empty())
        return programFolderOverride();
    std::error_code ec;
    fs::path executable = native::runningProgramFile();
    if (executable.empty())
        return fs::current_path(ec);
    fs::path folder = executable.parent_path();
    // Installed, the programs lie in <prefix>/bin and their data in
    // <prefix>/share/skinwright; in the build tree the data lies beside them.
    fs::path installed = folder.parent_path() / "share" / "skinwright";
    if (!fs::exists(folder / "uis2.def", ec) && fs::exists(installed / "uis2.def", ec))
        return installed;
    return folder;
}

fs::path programFile()
{
    return native::runningProgramFile();
}

void setProgramFolder(const fs::path& folder)
{
    programFolderOverride() = folder;
}

fs::path registryFolder()
{
    fs::path folder = environmentPath("SKINWRT_REGISTRY_DIR");
    if (!folder.empty())
        return folder;
    fs::path config = environmentPath("XDG_CONFIG_HOME");
    if (config.empty()) {
        fs::path home = environmentPath("HOME");
        if (home.empty())
            home = environmentPath("USERPROFILE");
        config = home / ".config";
    }
    return config / "Skinwright" / "registry";
}

fs::path windowsFolder()
{
    fs::path folder = environmentPath("WINDIR");
    return folder.empty() ? registryFolder() / "windows" : folder;
}

fs::path profileFilePath(const std::string& fileName)
{
    if (fileName.find_first_of("/\\") == std::string::npos && fileName.find(':') == std::string::npos)
        return windowsFolder() / fileName;
    return fs::path(fileName);
}

}  // namespace sw
