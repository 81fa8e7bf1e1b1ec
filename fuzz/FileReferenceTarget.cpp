// Any bytes as a file reference of a personality, resolved against a skins root that
// holds folders, files of other letter case, links that stay inside, links that lead
// out of it and a link that loops: a path given back always lies under the root, both
// as written and once every link in it is followed. The bytes split at the first NUL
// also serve as a file name and a pattern for the file choice filter.
#include "FuzzTargets.h"

#include "document/FileReference.h"
#include "store/StringOps.h"

namespace sw::fuzz {

namespace fs = std::filesystem;

namespace {

const fs::path& skinsRoot()
{
    static const fs::path root = [] {
        fs::path base = scratchFolder() / "references";
        fs::path root = base / "Skins";
        fs::create_directories(root / "Alpha" / "Sub");
        fs::create_directories(root / "Beta");
        fs::create_directories(base / "Outside");
        writeFile(root / "Alpha" / "Top.BMP", "BM");
        writeFile(root / "Alpha" / "Sub" / "x.bmp", "BM");
        writeFile(base / "Outside" / "secret.txt", "secret");
        std::error_code ec;
        fs::create_directory_symlink(base / "Outside", root / "Out", ec);
        fs::create_directory_symlink("../Outside", root / "Beta" / "Up", ec);
        fs::create_directory_symlink("Alpha", root / "In", ec);
        fs::create_symlink("/etc/passwd", root / "Alpha" / "passwd.bmp", ec);
        fs::create_symlink("Loop", root / "Loop", ec);
        return root;
    }();
    return root;
}

}  // namespace

void fileReference(std::string_view data)
{
    const fs::path& root = skinsRoot();
    std::optional<fs::path> resolved = resolveFileReference(root, data);
    if (resolved) {
        auto p = resolved->begin();
        for (auto r = root.begin(); r != root.end(); ++r, ++p)
            require(p != resolved->end() && *p == *r, "a resolved reference does not start with the skins root");
        for (; p != resolved->end(); ++p)
            require(*p != ".." && *p != ".", "a resolved reference holds a \".\" or \"..\" component");
        require(liesUnder(*resolved, root), "a resolved reference leads out of the skins root");
    }

    std::size_t nul = data.find('\0');
    if (nul != std::string_view::npos) {
        std::string_view name = data.substr(0, nul), pattern = data.substr(nul + 1);
        bool matched = matchesFilePattern(name, pattern);
        if (!name.empty())
            require(matchesFilePattern(name, "*"), "\"*\" does not match a name");
        if (matched)
            require(matchesFilePattern(name, std::string(pattern) + ";"), "adding an empty pattern loses a match");
    }
}

}  // namespace sw::fuzz
