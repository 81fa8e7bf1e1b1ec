#include "manage/SkinBrowserModel.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "document/DocumentFiles.h"
#include "engine/FolderChange.h"
#include "manage/ArchivePaths.h"
#include "store/FileBytes.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

std::vector<BrowserEntry> browserEntries(const fs::path& skinsFolder)
{
    std::vector<BrowserEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(skinsFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.' || !it->is_directory(typeError))
            continue;
        BrowserEntry entry{name, std::nullopt};
        if (auto file = resolveFileReference(skinsFolder, makeFileReference(name, name + ".uis"));
            file && fs::is_regular_file(*file, typeError))
            entry.uisFile = *file;
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const BrowserEntry& a, const BrowserEntry& b) {
        const std::string la = asciiLower(a.name), lb = asciiLower(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    return entries;
}

SkinIdentity readSkinIdentity(TCustomIniFile& document)
{
    SkinIdentity identity;
    for (int i = 0; i < 5; ++i)
        identity.fields[i] = document.ReadString("TITLEBARSKIN", kIdentityKeys[i], kUndefined);
    return identity;
}

bool validPersonalityName(const std::string& name)
{
    return personalityNameOf(name + ".uis") == name && name.find(':') == std::string::npos &&
           name.find('\0') == std::string::npos && name.front() != '.' && trim(name) == name;
}

std::string copyPersonality(const fs::path& skinsFolder, const std::string& from, const std::string& to,
                            const std::string& skinName, bool rename)
{
    if (!validPersonalityName(to))
        return "\"" + to + "\" cannot be the name of a personality folder";
    const fs::path source =
        resolveFileReference(skinsFolder, from).value_or(skinsFolder / from);
    const auto sourceFile = resolveFileReference(skinsFolder, makeFileReference(from, from + ".uis"));
    std::error_code ec;
    if (!sourceFile || !fs::is_regular_file(*sourceFile, ec))
        return "No personality file " + (source / (from + ".uis")).string();
    const fs::path target = skinsFolder / to;
    cleanFolderLeftovers(skinsFolder);
    // Also the same folder under another spelling, on a file system that ignores case.
    if (fs::exists(fs::symlink_status(target, ec)) || fs::equivalent(source, target, ec))
        return target.string() + " exists already; choose a name no other personality uses";
    std::optional<FolderChange> change;
    try {
        // Every file and subfolder goes along, not only the ones the values name.
        change.emplace(target, source);
        const fs::path staged = change->staging();
        for (const auto& entry : fs::directory_iterator(staged))
            if (isEditorOwnFile(entry.path().filename().string()))
                fs::remove(entry.path(), ec);
        const fs::path stagedFile = staged / (to + ".uis");
        fs::rename(staged / sourceFile->filename(), stagedFile);
        TUisFile document(stagedFile.string());
        relocateReferences(document, asciiUpper(from) + "\\", to, staged, staged);
        document.WriteString("TITLEBARSKIN", "SkinName", skinName);
        document.UpdateFile();
        change->commit();
    } catch (const std::exception& error) {
        return change ? change->inTarget(error.what()) : error.what();
    }
    try {
        if (rename)
            removeFolderWhole(source);
    } catch (const FolderChangeError& error) {
        return "The copy " + target.string() + " was made, but the old folder stays: " + error.what();
    }
    return {};
}

std::string deletePersonality(const fs::path& skinsFolder, const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
        return "\"" + name + "\" is not the name of a personality folder";
    try {
        removeFolderWhole(skinsFolder / name);
    } catch (const FolderChangeError& error) {
        return error.what();
    }
    return {};
}

}  // namespace sw
