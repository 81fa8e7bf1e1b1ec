#include "document/DocumentFiles.h"

#include "document/FileReference.h"
#include "document/UisFile.h"
#include "store/FileBytes.h"
#include "store/IniLine.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

namespace {

const std::string kRecentSentinel = "$SW$UNKNOWN$!";

bool completeEntry(const RecentEntry& entry)
{
    return !entry.name.empty() && !entry.file.empty() && entry.name != kRecentSentinel &&
           entry.file != kRecentSentinel;
}

}  // namespace

std::string tidySavedPersonality(const std::string& bytes)
{
    std::vector<std::string> lines;
    forEachLine(bytes, [&](std::string_view line, std::size_t) { lines.emplace_back(line); });
    auto isHeader = [](const std::string& line) {
        std::size_t bracket = line.find('[');
        return bracket != std::string::npos && bracket < 4;
    };
    for (std::size_t i = lines.size(); i-- > 1;)
        if (isHeader(lines[i]) && !trimView(lines[i - 1]).empty())
            lines.insert(lines.begin() + std::ptrdiff_t(i), "\n");
    std::string text;
    text.reserve(bytes.size() + lines.size() * 2);
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return text;
}

std::string proposedSaveAsName(const std::string& documentPath)
{
    std::string name = asciiLower(fs::path(documentPath).filename().string());
    std::size_t at = name.find(".uis");
    if (at != std::string::npos)
        name.erase(at, std::min<std::size_t>(4 + 6, name.size() - at));
    return name;
}

int relocateReferences(TUisFile& document, const std::string& oldPrefix, const std::string& newFolder,
                       const fs::path& sourceFolder, const fs::path& targetFolder)
{
    const std::string upperPrefix = asciiUpper(oldPrefix);
    int rewritten = 0;
    TStrings sections, entries;
    document.ReadSections(sections);
    for (const std::string& section : sections) {
        document.ReadSectionValues(section, entries);
        for (const std::string& entry : entries) {
            std::size_t eq = entry.find('=');
            std::string key = entry.substr(0, eq), value = entry.substr(eq + 1);
            std::size_t at = asciiUpper(value).find(upperPrefix);
            if (at == std::string::npos)
                continue;
            std::string rest = value.substr(0, at) + value.substr(at + oldPrefix.size());
            document.WriteString(section, key, newFolder + "\\" + rest);
            ++rewritten;
            auto source = resolveFileReference(sourceFolder, rest);
            auto target = resolveFileReference(targetFolder, rest);
            std::error_code same;
            if (!source || !target || fs::equivalent(*source, *target, same))
                continue;
            std::error_code ec;
            fs::create_directories(target->parent_path(), ec);
            copyFileAtomically(*source, *target);
        }
    }
    return rewritten;
}

std::vector<RecentEntry> loadRecentList(TCustomIniFile& settings, int maxRecent)
{
    std::vector<RecentEntry> list;
    for (int i = 0; i < maxRecent; ++i) {
        RecentEntry entry{settings.ReadString("RecentlyUsed", "RecentName" + intToStr(i), kRecentSentinel),
                          settings.ReadString("RecentlyUsed", "RecentFile" + intToStr(i), kRecentSentinel)};
        list.push_back(completeEntry(entry) ? entry : RecentEntry{});
    }
    return list;
}

void saveRecentList(TCustomIniFile& settings, int maxRecent, const std::string& name, const std::string& file)
{
    std::vector<RecentEntry> list{{name, file}};
    for (const RecentEntry& entry : loadRecentList(settings, maxRecent))
        // Two skins may share a name: only the same file is one entry.
        if (completeEntry(entry) && !sameText(entry.file, file))
            list.push_back(entry);
    for (std::size_t i = 0; i < list.size(); ++i) {
        settings.WriteString("RecentlyUsed", "RecentName" + intToStr(int64_t(i)), list[i].name);
        settings.WriteString("RecentlyUsed", "RecentFile" + intToStr(int64_t(i)), list[i].file);
    }
}

void removeRecentEntry(TCustomIniFile& settings, int maxRecent, int index)
{
    std::vector<RecentEntry> list = loadRecentList(settings, maxRecent);
    if (index < 0 || index >= int(list.size()))
        return;
    list.erase(list.begin() + index);
    std::size_t kept = 0;
    for (const RecentEntry& entry : list)
        if (completeEntry(entry)) {
            settings.WriteString("RecentlyUsed", "RecentName" + intToStr(int64_t(kept)), entry.name);
            settings.WriteString("RecentlyUsed", "RecentFile" + intToStr(int64_t(kept)), entry.file);
            ++kept;
        }
    for (std::size_t i = kept; i <= std::size_t(maxRecent); ++i) {
        settings.DeleteKey("RecentlyUsed", "RecentName" + intToStr(int64_t(i)));
        settings.DeleteKey("RecentlyUsed", "RecentFile" + intToStr(int64_t(i)));
    }
}

int maxRecentEntries(TCustomIniFile& settings)
{
    return std::clamp(settings.ReadInteger("General", "MaxRecent", 4), 1, 10);
}

}  // namespace sw
