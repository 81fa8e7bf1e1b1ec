#include "document/FileReference.h"

#include "store/StringOps.h"

#include <vector>

namespace sw {

namespace fs = std::filesystem;

namespace {

bool isInside(const fs::path& path, const fs::path& root)
{
    auto p = path.begin(), r = root.begin();
    for (; r != root.end(); ++r, ++p) {
        if (r->empty())
            continue;  // a trailing separator of the root
        if (p == path.end() || *p != *r)
            return false;
    }
    return true;
}

bool matchOne(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with one back-tracking point for the last "*".
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        // "*" is a wildcard even where the name holds a "*" of its own.
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || asciiUpper(pattern[p]) == asciiUpper(name[n]))) {
            ++n;
            ++p;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

std::optional<std::string> FolderIndex::find(const fs::path& folder, std::string_view name)
{
    std::error_code ec;
    const auto modified = fs::last_write_time(folder, ec);
    if (ec)
        return std::nullopt;
    Listing& listing = folders_[folder.string()];
    if (listing.names.empty() || listing.modified != modified) {
        listing.names.clear();
        listing.modified = modified;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            std::string entryName = entry.path().filename().string();
            listing.names.emplace(asciiUpper(entryName), entryName);  // the first of names equal but for case
        }
    }
    auto found = listing.names.find(asciiUpper(name));
    if (found == listing.names.end())
        return std::nullopt;
    return found->second;
}

namespace {

std::optional<fs::path> resolve(const fs::path& skinsRoot, std::string_view reference, FolderIndex* index)
{
    std::vector<std::string> components;
    std::string current;
    for (char c : reference) {
        if (c == '\\' || c == '/') {
            if (current.empty() && components.empty())
                return std::nullopt;  // absolute: "\x" or "/x"
            if (!current.empty())
                components.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        components.push_back(current);
    if (components.empty())
        return std::nullopt;
    for (const std::string& component : components)
        // A NUL byte would end the name early for the system, so "..\0" would climb out.
        if (component == "." || component == ".." || component.find_first_of(std::string(":\0", 2)) != std::string::npos)
            return std::nullopt;

    fs::path path = skinsRoot;
    std::error_code ec;
    // Whether `path` is a folder: asked once for the root, then known from the status
    // of each component, so a reference costs one status call per component.
    bool folder = fs::is_directory(skinsRoot, ec);
    bool throughLink = false;
    for (const std::string& component : components) {
        fs::path exact = path / component;
        fs::file_status status = folder ? fs::symlink_status(exact, ec) : fs::file_status(fs::file_type::not_found);
        if (fs::exists(status) || !folder) {
            path = exact;
        } else {
            fs::path match = exact;
            if (index) {
                if (std::optional<std::string> name = index->find(path, component))
                    match = path / *name;
            } else {
                for (const auto& entry : fs::directory_iterator(path, ec))
                    if (sameText(entry.path().filename().string(), component)) {
                        match = entry.path();
                        break;
                    }
            }
            path = match;
            status = match == exact ? fs::file_status(fs::file_type::not_found) : fs::symlink_status(path, ec);
        }
        throughLink = throughLink || fs::is_symlink(status);
        folder = fs::is_directory(status) || (fs::is_symlink(status) && fs::is_directory(path, ec));
    }
    if (!throughLink)
        return path;  // plain components under the root: it cannot lead anywhere else
    // Links may point anywhere; what they reach must still lie under the root. When
    // either cannot be made canonical, where it leads is unknown, so it is refused.
    std::error_code realError, rootError;
    fs::path real = fs::weakly_canonical(path, realError);
    fs::path realRoot = fs::weakly_canonical(skinsRoot, rootError);
    if (realError || rootError || !isInside(real, realRoot))
        return std::nullopt;
    return path;
}

}  // namespace

std::optional<fs::path> resolveFileReference(const fs::path& skinsRoot, std::string_view reference)
{
    return resolve(skinsRoot, reference, nullptr);
}

std::optional<fs::path> resolveFileReference(const fs::path& skinsRoot, std::string_view reference, FolderIndex& index)
{
    return resolve(skinsRoot, reference, &index);
}

std::string makeFileReference(std::string_view folderName, std::string_view fileName)
{
    std::string reference(folderName);
    reference += '\\';
    reference += fileName;
    return reference;
}

bool matchesFilePattern(std::string_view fileName, std::string_view patterns)
{
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string_view::npos)
            end = patterns.size();
        std::string_view pattern = trimView(patterns.substr(start, end - start));
        if (!pattern.empty() && matchOne(fileName, pattern))
            return true;
        start = end + 1;
    }
    return false;
}

bool isPlainFolderName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > 200)
        return false;
    // Also what a Windows file name cannot hold, so the skin can travel there.
    for (unsigned char c : name)
        if (c < 32 || std::string_view("/\\:*?\"<>|").find(char(c)) != std::string_view::npos)
            return false;
    // Windows drops trailing dots and blanks, which would name another folder.
    return name.back() != '.' && name.back() != ' ';
}

}  // namespace sw
