#include "PackCommand.h"

#include "CommandLine.h"
#include "document/PersonalityText.h"
#include "engine/Engine.h"
#include "manage/ArchiveInstaller.h"
#include "manage/ArchivePacker.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <set>

namespace sw {

namespace fs = std::filesystem;

namespace {

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
           "written as <name>.zip in the personality's folder unless -o names another, which must\n"
           "end in .zip or .vxa and be neither the personality nor a file the archive holds. An\n"
           "earlier archive named by a value is never packed. The archive replaces the old one\n"
           "only when it is complete and on the disk. Prints the report line; files left out are\n"
           "listed on standard error.\n";
}

std::string installHelp()
{
    return "Usage: skinwrt install ARCHIVE [--skins FOLDER] [--replace]\n"
           "Installs a .zip or .vxa archive: its files are unpacked flat into the folder of the\n"
           "first personality file it holds, under the skins folder (default: the engine folder).\n"
           "A folder of that name is installed over only with --replace: files of the same name\n"
           "are replaced, others kept. The folder changes all at once, or not at all when the\n"
           "install fails. Prints the path of the installed personality file. Archives that\n"
           "unpack to more than 1 GiB, and entries larger than they declare, are refused; links\n"
           "and folder parts are never created.\n";
}

int runPackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << packHelp();
        return ExitOk;
    }
    std::optional<std::string> file, archive;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && !archive)
            archive = args[++i];
        else if (!file && args[i] != "-o")
            file = args[i];
        else {
            err << packHelp();
            return ExitError;
        }
    }
    if (!file) {
        err << packHelp();
        return ExitError;
    }
    const fs::path uisFile = absolutePath(*file);
    std::error_code ec;
    if (!fs::is_regular_file(uisFile, ec)) {
        err << "skinwrt: " << *file << ": " << (fs::exists(uisFile, ec) ? "not a file" : "no such file") << "\n";
        return ExitError;
    }
    // Each file once, in the order first named; values are seen one at a time.
    std::vector<fs::path> files;
    std::set<fs::path> listed;
    try {
        PersonalityText document(uisFile);
        forEachPackEntry(document, uisFile, [&](const PackEntry& entry) {
            if (!entry.file)
                err << "skinwrt: pack: outside the personality's folder, left out: " << entry.shown << "\n";
            else if (listed.insert(*entry.file).second)
                files.push_back(*entry.file);
        });
    } catch (const std::exception& error) {
        err << "skinwrt: " << *file << ": " << error.what() << "\n";
        return ExitError;
    }
    const fs::path target = archive ? absolutePath(*archive) : defaultArchivePath(uisFile);
    if (const std::string problem = archiveTargetProblem(target, uisFile, files); archive && !problem.empty()) {
        err << "skinwrt: pack: " << problem << "; nothing was written\n";
        return ExitError;
    }
    const PackResult result = writeFlatArchive(target, files);
    for (const std::string& note : result.notes)
        err << "skinwrt: pack: " << note << "\n";
    if (!result.ok) {
        err << "skinwrt: I/O Error: " << result.error << ".\n";
        return ExitError;
    }
    out << zipSuccessLine(result.size) << "\n";
    return ExitOk;
}

int runInstallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (wantsHelp(args)) {
        out << installHelp();
        return ExitOk;
    }
    std::optional<std::string> archive, skins;
    bool replace = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--skins" && i + 1 < args.size() && !skins)
            skins = args[++i];
        else if (args[i] == "--replace" && !replace)
            replace = true;
        else if (!archive && args[i] != "--skins" && args[i] != "--replace")
            archive = args[i];
        else {
            err << installHelp();
            return ExitError;
        }
    }
    if (!archive) {
        err << installHelp();
        return ExitError;
    }
    std::error_code ec;
    if (!fs::is_regular_file(*archive, ec)) {
        err << "skinwrt: " << *archive << ": " << (fs::exists(*archive, ec) ? "not a file" : "no such file") << "\n";
        return ExitError;
    }
    const fs::path folder = skins ? absolutePath(*skins) : Engine::findFolder();
    if (!fs::is_directory(folder, ec)) {
        err << "skinwrt: " << folder.string() << ": the skins folder does not exist\n";
        return ExitError;
    }
    InstallOptions options;
    options.replaceExisting = [replace](const fs::path&) { return replace; };
    const InstallResult result = installArchive(absolutePath(*archive), folder, options);
    if (result.status == InstallResult::Exists) {
        err << "skinwrt: " << result.folder.string()
            << ": a personality of that name is installed already; nothing was installed. "
               "Give --replace to replace it (files of the same name are replaced, others kept)\n";
        return ExitError;
    }
    if (result.status != InstallResult::Installed) {
        err << "skinwrt: " << result.message << "\n";
        return ExitError;
    }
    out << result.uisFile.string() << "\n";
    return ExitOk;
}

}  // namespace sw
