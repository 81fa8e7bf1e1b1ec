#include "engine/FolderOperations.h"

#include "store/StringOps.h"

#include <vector>

namespace sw {

namespace fs = std::filesystem;

namespace {

bool isDotName(const fs::path& entry)
{
    std::string name = entry.filename().string();
    return !name.empty() && name.front() == '.';
}

// The entries of a folder, listed before anything in it changes; listed is cleared
// when the folder cannot be read.
std::vector<fs::directory_entry> entriesOf(const fs::path& folder, bool* listed = nullptr)
{
    std::vector<fs::directory_entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    if (listed)
        *listed = !ec;
    return entries;
}

// A real folder, not a link to one.
bool isFolder(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.symlink_status(ec).type() == fs::file_type::directory;
}

bool isLink(const fs::path& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::symlink;
}

// The path with links resolved, ending in "/", so that a prefix test compares
// whole names.
std::string resolvedFolderText(const fs::path& path)
{
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
    std::string text = resolved.lexically_normal().generic_string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

// True when the path is the folder or lies anywhere below it.
bool isInside(const fs::path& path, const fs::path& folder)
{
    return resolvedFolderText(path).starts_with(resolvedFolderText(folder));
}

// Creates the folder (an existing one stays) and copies the source's entries into it.
bool copyInto(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    fs::create_directory(target, ec);
    bool complete = !ec || fs::is_directory(target);
    bool listed = true;
    for (const fs::directory_entry& entry : entriesOf(source, &listed)) {
        if (isLink(entry.path()))
            continue;
        bool folder = isFolder(entry);
        if (folder && isDotName(entry.path()))
            continue;
        // A link already in the target would take the copy outside it.
        fs::path destination = target / entry.path().filename();
        if (isLink(destination))
            fs::remove(destination, ec);
        if (folder) {
            complete = copyInto(entry.path(), destination) && complete;
        } else {
            ec.clear();
            fs::copy_file(entry.path(), destination, fs::copy_options::overwrite_existing, ec);
            complete = !ec && complete;
        }
    }
    return complete && listed;
}

}  // namespace

bool recursiveDelete(const fs::path& folder)
{
    std::error_code ec;
    if (!isLink(folder)) {
        for (const fs::directory_entry& entry : entriesOf(folder)) {
            if (!isFolder(entry))
                fs::remove(entry.path(), ec);
            else if (!isDotName(entry.path()))
                recursiveDelete(entry.path());
        }
    }
    ec.clear();
    return fs::remove(folder, ec) && !ec;
}

bool recursiveCopy(const fs::path& source, const fs::path& target)
{
    if (isInside(target, source))
        return false;
    return copyInto(source, target);
}

std::string folderWithSeparator(std::string_view path, char separator)
{
    std::string_view trimmed = trimView(path);
    if (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/'))
        return std::string(path);
    return std::string(path) + separator;
}

}  // namespace sw
