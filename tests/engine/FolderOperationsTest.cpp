#include "engine/FolderOperations.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Every entry below the folder, without following links: "sub/" for a folder,
// "name@" for a link, "name=bytes" for a file.
std::vector<std::string> listing(const fs::path& root)
{
    std::vector<std::string> entries;
    std::function<void(const fs::path&, const std::string&)> walk = [&](const fs::path& folder,
                                                                       const std::string& prefix) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            std::string name = prefix + entry.path().filename().string();
            auto type = entry.symlink_status().type();
            if (type == fs::file_type::symlink) {
                entries.push_back(name + "@");
            } else if (type == fs::file_type::directory) {
                entries.push_back(name + "/");
                walk(entry.path(), name + "/");
            } else {
                entries.push_back(name + "=" + readBytes(entry.path()));
            }
        }
    };
    walk(root, "");
    std::sort(entries.begin(), entries.end());
    return entries;
}

using Listing = std::vector<std::string>;

// A personality folder with a subfolder, a dot-folder and links that lead outside,
// next to an outside folder whose content must never change.
struct Tree {
    explicit Tree(const TempDir& temp) : skin(temp.path() / "skins" / "Aqua"), outside(temp.path() / "outside")
    {
        fs::create_directories(skin / "Sounds" / "Deep");
        fs::create_directories(outside / "inner");
        writeBytes(skin / "Aqua.uis", "[TitlebarSkin]");
        writeBytes(skin / "top.bmp", "BM1");
        writeBytes(skin / "Sounds" / "close.wav", "RIFF");
        writeBytes(skin / "Sounds" / "Deep" / "x", "x");
        writeBytes(outside / "precious.txt", "keep me");
        writeBytes(outside / "inner" / "more.txt", "and me");
        fs::create_directory_symlink(outside, skin / "linked folder");
        fs::create_symlink(outside / "precious.txt", skin / "linked.bmp");
        fs::create_directory_symlink(outside, skin / "Sounds" / "deep link");
    }
    void addDotFolder() const
    {
        fs::create_directories(skin / ".svn");
        writeBytes(skin / ".svn" / "entries", "svn");
    }
    bool outsideUntouched() const
    {
        return listing(outside) == Listing{"inner/", "inner/more.txt=and me", "precious.txt=keep me"};
    }

    fs::path skin;
    fs::path outside;
};

TEST(FolderOperations, RecursiveDeleteStaysInsideTheFolder)
{
    struct Case {
        const char* name;
        bool dotFolder;
        bool removed;
        Listing remaining;  // of the skins folder
    } cases[] = {
        {"everything goes, links as links", false, true, {}},
        {"a dot-folder is skipped and keeps the folder", true, false, {"Aqua/", "Aqua/.svn/", "Aqua/.svn/entries=svn"}},
    };
    for (const Case& c : cases) {
        TempDir temp;
        Tree tree(temp);
        if (c.dotFolder)
            tree.addDotFolder();
        EXPECT_EQ(recursiveDelete(tree.skin), c.removed) << c.name;
        EXPECT_EQ(listing(temp.path() / "skins"), c.remaining) << c.name;
        EXPECT_TRUE(tree.outsideUntouched()) << c.name;
    }
}

TEST(FolderOperations, RecursiveDeleteOfALinkRemovesOnlyTheLink)
{
    TempDir temp;
    Tree tree(temp);
    EXPECT_TRUE(recursiveDelete(tree.skin / "linked folder"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree.skin / "linked folder")));
    EXPECT_TRUE(tree.outsideUntouched());
    EXPECT_FALSE(recursiveDelete(temp.path() / "never was"));
}

TEST(FolderOperations, RecursiveCopySkipsLinksAndDotFoldersAndNeverWritesThroughALink)
{
    TempDir temp;
    Tree tree(temp);
    tree.addDotFolder();
    fs::path target = temp.path() / "skins" / "Aqua copy";
    fs::create_directories(target / "Sounds");
    writeBytes(target / "top.bmp", "old");
    writeBytes(target / "extra.txt", "stays");
    // Links in the target where a file and a folder of the source go.
    fs::create_symlink(tree.outside / "precious.txt", target / "Aqua.uis");
    fs::create_directory_symlink(tree.outside / "inner", target / "Sounds" / "Deep");

    EXPECT_TRUE(recursiveCopy(tree.skin, target));

    EXPECT_EQ(listing(target), (Listing{
                                   "Aqua.uis=[TitlebarSkin]",
                                   "Sounds/",
                                   "Sounds/Deep/",
                                   "Sounds/Deep/x=x",
                                   "Sounds/close.wav=RIFF",
                                   "extra.txt=stays",
                                   "top.bmp=BM1",
                               }));
    EXPECT_TRUE(tree.outsideUntouched());
}

TEST(FolderOperations, RecursiveCopyIntoItselfCopiesNothing)
{
    TempDir temp;
    Tree tree(temp);
    fs::create_directory_symlink(tree.skin, temp.path() / "alias");
    const Listing before = listing(tree.skin);
    const fs::path targets[] = {tree.skin, tree.skin / "Copy", tree.skin / "Sounds" / "Copy",
                                tree.skin / "Sounds" / ".." / "Copy", temp.path() / "alias" / "Copy"};
    for (const fs::path& target : targets) {
        EXPECT_FALSE(recursiveCopy(tree.skin, target)) << target;
        EXPECT_EQ(listing(tree.skin), before) << target;
    }
    // A sibling whose name starts like the source is not inside it.
    EXPECT_TRUE(recursiveCopy(tree.skin / "Sounds", temp.path() / "skins" / "AquaSounds"));
    EXPECT_EQ(readBytes(temp.path() / "skins" / "AquaSounds" / "close.wav"), "RIFF");
}

TEST(FolderOperations, FolderWithSeparator)
{
    struct Case {
        std::string path;
        char separator;
        std::string expected;
    } cases[] = {
        {"C:\\Program Files\\Veneerix", '\\', "C:\\Program Files\\Veneerix\\"},
        {"C:\\Veneerix\\  ", '\\', "C:\\Veneerix\\  "},
        {"C:\\Veneerix  ", '\\', "C:\\Veneerix  \\"},
        {"/home/u/skins", '/', "/home/u/skins/"},
        {"/home/u/skins/", '\\', "/home/u/skins/"},
        {"C:\\Veneerix\\", '/', "C:\\Veneerix\\"},
        {"", '/', "/"},
        {"   ", '\\', "   \\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(folderWithSeparator(c.path, c.separator), c.expected) << '"' << c.path << '"';
    EXPECT_EQ(folderWithSeparator("skins"), std::string("skins") + kNativeSeparator);
}

}  // namespace
}  // namespace sw
