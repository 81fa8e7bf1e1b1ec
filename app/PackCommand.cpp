#include "PackCommand.h"

#include "engine/Engine.h"
#include "manage/ArchiveInstaller.h"
#include "manage/ArchivePacker.h"
#include "store/AcceleratedIniFile.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kExitOk = 0, kExitError = 2;

bool wantsHelp(const std::vector<std::string>& args)
{
    return !args.empty() && (args[0] == "--help" || args[0] == "-h");
}

fs::path absolutePath(const std::string& name)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(name, ec);
    return ec ? fs::path(name) : absolute;
}

}  // namespace

std::string packHelp()
{
    return "Usage: skinwrt pack FILE.uis [-o ARCHIVE]\n"
           "Packs the personality into a flat archive: the personality file and every file its\n"
           "values name inside its own folder, each once, under its bare name. The archive is\n"
           "written as <name>.zip in the personality's folder unless -o names another. Prints the\n"
           "report line; files left out are listed on standard error.\n";
}

std::string installHelp()
{
    return "Usage: skinwrt install ARCHIVE [--skins FOLDER]\n"
           "Installs a .zip or .vxa archive: its files are unpacked flat and copied into the folder\n"
           "of the first personality file it holds, under the skins folder (default: the engine\n"
           "folder). Files of the same name are overwritten, others kept. Prints the path of the\n"
           "installed personality file. Archives that unpack to more than 1 GiB, and entries\n"
           "larger than they declare, are refused; links and folder parts are never created.\n";
}

int runPackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << packHelp();
        return kExitOk;
    }
    std::optional<std::string> file, archive;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && !archive)
            archive = args[++i];
        else if (!file && args[i] != "-o")
            file = args[i];
        else {
            err << packHelp();
            return kExitError;
        }
    }
    if (!file) {
        err << packHelp();
        return kExitError;
    }
    const fs::path uisFile = absolutePath(*file);
    std::error_code ec;
    if (!fs::is_regular_file(uisFile, ec)) {
        err << "skinwrt: " << *file << ": " << (fs::exists(uisFile, ec) ? "not a file" : "no such file") << "\n";
        return kExitError;
    }
    std::vector<PackEntry> list;
    try {
        TAcceleratedIniFile document(uisFile.string());
        list = packFileList(document, uisFile);
    } catch (const std::exception& error) {
        err << "skinwrt: " << *file << ": " << error.what() << "\n";
        return kExitError;
    }
    std::vector<fs::path> files;
    for (const PackEntry& entry : list) {
        if (entry.file)
            files.push_back(*entry.file);
        else
            err << "skinwrt: pack: outside the personality's folder, left out: " << entry.shown << "\n";
    }
    std::string name = packFolderKey(uisFile.filename().string());
    name.pop_back();
    const fs::path target = archive ? absolutePath(*archive) : uisFile.parent_path() / (name + ".zip");
    const PackResult result = writeFlatArchive(target, files);
    for (const std::string& note : result.notes)
        err << "skinwrt: pack: " << note << "\n";
    if (!result.ok) {
        err << "skinwrt: I/O Error: " << result.error << ".\n";
        return kExitError;
    }
    out << zipSuccessLine(result.size) << "\n";
    return kExitOk;
}

int runInstallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << installHelp();
        return kExitOk;
    }
    std::optional<std::string> archive, skins;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--skins" && i + 1 < args.size() && !skins)
            skins = args[++i];
        else if (!archive && args[i] != "--skins")
            archive = args[i];
        else {
            err << installHelp();
            return kExitError;
        }
    }
    if (!archive) {
        err << installHelp();
        return kExitError;
    }
    std::error_code ec;
    if (!fs::is_regular_file(*archive, ec)) {
        err << "skinwrt: " << *archive << ": " << (fs::exists(*archive, ec) ? "not a file" : "no such file") << "\n";
        return kExitError;
    }
    const fs::path folder = skins ? absolutePath(*skins) : Engine::findFolder();
    if (!fs::is_directory(folder, ec)) {
        err << "skinwrt: " << folder.string() << ": the skins folder does not exist\n";
        return kExitError;
    }
    const InstallResult result = installArchive(absolutePath(*archive), folder);
    if (result.status != InstallResult::Installed) {
        err << "skinwrt: " << result.message << "\n";
        return kExitError;
    }
    out << result.uisFile.string() << "\n";
    return kExitOk;
}

}  // namespace sw
