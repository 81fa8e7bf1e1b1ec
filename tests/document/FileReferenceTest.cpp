#include "document/FileReference.h"
#include "document/ThumbnailRow.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string_view>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeBytes;

TEST(FileReference, ResolvesUnderTheRootIgnoringCase)
{
    TempDir dir;
    fs::path root = dir.path() / "Skins";
    fs::create_directories(root / "Aqua" / "Sub");
    writeBytes(root / "Aqua" / "Top.bmp", "x");
    writeBytes(root / "Aqua" / "Sub" / "x.BMP", "x");
    writeBytes(dir.path() / "secret.txt", "x");
    // Wine has no symbolic links, and Windows makes them only with a privilege: the
    // cases of links are left out where none can be made.
    std::error_code linkError;
    fs::create_symlink(dir.path() / "secret.txt", root / "Aqua" / "link.bmp", linkError);
    if (!linkError)
        fs::create_symlink(dir.path(), root / "Aqua" / "outside", linkError);
    const bool links = !linkError;
    struct Case {
        const char* reference;
        std::optional<fs::path> expected;
    } cases[] = {
        {"Aqua\\Top.bmp", root / "Aqua" / "Top.bmp"},
        {"AQUA\\TOP.BMP", root / "Aqua" / "Top.bmp"},
        {"aqua/sub\\X.bmp", root / "Aqua" / "Sub" / "x.BMP"},
        {"Aqua\\\\Top.bmp", root / "Aqua" / "Top.bmp"},
        {"Aqua\\missing.bmp", root / "Aqua" / "missing.bmp"},  // may be created later
        {"Nowhere\\x.bmp", root / "Nowhere" / "x.bmp"},
        {"..\\..\\..\\etc\\passwd", std::nullopt},
        {"Aqua\\..\\..\\secret.txt", std::nullopt},
        {"\\etc\\passwd", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"C:\\Windows\\win.ini", std::nullopt},
        {"Aqua\\link.bmp", std::nullopt},           // a link to a file outside the root
        {"Aqua\\outside\\secret.txt", std::nullopt},  // a link to a folder outside
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        if (!links && std::string_view(c.reference).find("Aqua\\link.bmp") == 0)
            continue;
        if (!links && std::string_view(c.reference).find("Aqua\\outside") == 0)
            continue;
        std::optional<fs::path> found = resolveFileReference(root, c.reference);
#ifdef _WIN32
        // A file system that ignores letter case finds the file under the spelling
        // asked for: the same file, named as the reference names it.
        auto folded = [](const std::optional<fs::path>& path) {
            std::string text = path ? path->string() : "(none)";
            for (char& c : text)
                c = char(std::tolower((unsigned char)c));
            return text;
        };
        EXPECT_EQ(folded(found), folded(c.expected)) << c.reference;
#else
        EXPECT_EQ(found, c.expected) << c.reference;
#endif
    }
    EXPECT_EQ(makeFileReference("Aqua", "top.bmp"), "Aqua\\top.bmp");
}

TEST(FileReference, PatternsMatchLikeTheFileDialogs)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"top.bmp", "*.bmp", true},     {"TOP.BMP", "*.bmp", true},      {"top.bmp.txt", "*.bmp", false},
        {"a.wav", "*.wav;*.mid", true}, {"a.mid", "*.wav; *.mid", true}, {"a.vxs", "*.wav;*.mid", false},
        {"b1.bmp", "b?.bmp", true},     {"b12.bmp", "b?.bmp", false},    {"x", "*", true},
        {"abcabc.x", "*abc.x", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchesFilePattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(ThumbnailRow, GeometryOfAListRow)
{
    ThumbnailRowLayout layout = layoutThumbnailRow({10, 100, 300, 48}, 120, 30);
    EXPECT_EQ(layout.textX, 70);
    EXPECT_EQ(layout.textY, 105);
    EXPECT_EQ(layout.textClip, (RowRect{70, 101, 240, 46}));
    EXPECT_EQ(layout.picture, (RowRect{13, 103, 52, 30}));
    EXPECT_EQ(layoutThumbnailRow({0, 0, 300, 48}, 20, 90).picture, (RowRect{3, 3, 20, 42}));
    struct Case {
        std::optional<int> picture;
        int expected;
    } heights[] = {{std::nullopt, 17}, {5, 20}, {14, 20}, {30, 36}, {42, 48}, {400, 48}};
    for (const Case& c : heights)
        EXPECT_EQ(thumbnailRowHeight(c.picture, 17), c.expected);
}

}  // namespace
}  // namespace sw
