#include "manage/ArchivePaths.h"

#include "engine/EditorState.h"
#include "store/StringOps.h"

namespace sw {

namespace fs = std::filesystem;

std::optional<std::string> flatEntryName(std::string_view entryName)
{
    if (entryName.find('\0') != std::string_view::npos)
        return std::nullopt;
    const auto cut = entryName.find_last_of("/\\:");
    std::string_view name = cut == std::string_view::npos ? entryName : entryName.substr(cut + 1);
    if (name.empty() || name == "." || name == "..")
        return std::nullopt;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || std::string_view("<>\"|?*").find(char(c)) != std::string_view::npos)
            return std::nullopt;
    return std::string(name);
}

bool isEditorOwnFile(std::string_view fileName)
{
    const std::string name = asciiLower(fileName);
    const std::string workingCopy = asciiLower(kWorkingCopyName);
    return name == workingCopy || name == workingCopy + ".lock";
}

std::optional<std::string> personalityNameOf(std::string_view fileName)
{
    const std::string lower = asciiLower(fileName);
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".uis") != 0)
        return std::nullopt;
    const std::string name(fileName.substr(0, lower.find(".uis")));
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
        return std::nullopt;
    return name;
}

bool isInsideFolder(const fs::path& path, const fs::path& folder)
{
    std::error_code ec;
    const fs::path inner = fs::weakly_canonical(path, ec);
    if (ec)
        return false;
    const fs::path outer = fs::weakly_canonical(folder, ec);
    if (ec)
        return false;
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace sw
