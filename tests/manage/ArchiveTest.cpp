// Packing and installing archives, on the happy path and on hostile archives.
#include "ZipFixtures.h"

#include "manage/ArchiveInstaller.h"
#include "manage/ArchivePacker.h"
#include "manage/ArchivePaths.h"
#include "store/AcceleratedIniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::filesUnder;
using test::makeZip;
using test::readBytes;
using test::TempDir;
using test::writeBytes;
using test::ZipEntry;

const std::string kSep(1, char(fs::path::preferred_separator));

std::vector<std::string> shownLines(const std::vector<PackEntry>& list, const fs::path& root, bool packedOnly)
{
    std::vector<std::string> lines;
    for (const PackEntry& entry : list)
        if (!packedOnly || entry.file)
            lines.push_back(entry.shown.substr(root.string().size() + 1));
    return lines;
}

TEST(PackList, FolderKeyPicksValuesOfTheOwnFolderOnly)
{
    TempDir dir;
    const fs::path root = dir.path() / "engine";
    fs::create_directories(root / "MySkin");
    fs::create_directories(root / "Other");
    writeBytes(root / "MySkin" / "Top.bmp", "top");
    writeBytes(root / "Other" / "X.bmp", "x");
    writeBytes(dir.path() / "secret", "key");
    const fs::path uis = root / "MySkin" / "MySkin.uis";
    writeBytes(uis, "[TITLEBARSKIN]\r\nSkinName=Mine\r\nTop=MySkin\\Top.bmp\r\n[Buttons]\r\nA=myskin\\top.bmp\r\n"
                    "B=Other\\X.bmp\r\nC=MySkin\\..\\..\\secret\r\nD=Other\\myskin\\y.bmp\r\nE=MySkin\\Top.bmp\r\n");
    TAcceleratedIniFile document(uis.string());
    const auto list = packFileList(document, uis);
    // Every value holding the key is shown, as written, in document order...
    EXPECT_EQ(shownLines(list, root, false),
              (std::vector<std::string>{"MySkin\\Top.bmp", "myskin\\top.bmp", "MySkin\\..\\..\\secret",
                                        "Other\\myskin\\y.bmp", "MySkin\\Top.bmp", "MySkin" + kSep + "MySkin.uis"}));
    // ...but only files inside the personality's own folder are packed.
    EXPECT_EQ(shownLines(list, root, true),
              (std::vector<std::string>{"MySkin\\Top.bmp", "myskin\\top.bmp", "MySkin\\Top.bmp",
                                        "MySkin" + kSep + "MySkin.uis"}));
    EXPECT_EQ(list.back().file, uis);
}

TEST(PackList, LinkOutOfTheFolderIsNotPacked)
{
    TempDir dir;
    const fs::path root = dir.path() / "engine";
    fs::create_directories(root / "Blue");
    writeBytes(dir.path() / "private.key", "secret");
    fs::create_symlink(dir.path() / "private.key", root / "Blue" / "key.bmp");
    const fs::path uis = root / "Blue" / "Blue.uis";
    writeBytes(uis, "[A]\r\nX=Blue\\key.bmp\r\n");
    TAcceleratedIniFile document(uis.string());
    const auto list = packFileList(document, uis);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FALSE(list[0].file);
}

TEST(PackReport, SizeInBytesAndWholeKilobytes)
{
    const struct {
        std::uintmax_t size;
        const char* line;
    } cases[] = {
        {5000, "Zip file created successfully. File size: 5000 bytes. ( 4 KB )"},
        {1023, "Zip file created successfully. File size: 1023 bytes. ( 0 KB )"},
        {1024, "Zip file created successfully. File size: 1024 bytes. ( 1 KB )"},
        {0, "Zip file created successfully. File size: 0 bytes. ( 0 KB )"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zipSuccessLine(c.size), c.line);
}

TEST(PackArchive, FlatDeflatedEachFileOnce)
{
    TempDir dir;
    const fs::path skin = dir.path() / "Blue";
    fs::create_directories(skin / "sub");
    writeBytes(skin / "Blue.uis", "[A]\r\n");
    writeBytes(skin / "Top.bmp", std::string(3000, 'a'));
    writeBytes(skin / "sub" / "top.BMP", "other file, same name");
    const fs::path archive = skin / "blue.zip";
    const PackResult result = writeFlatArchive(
        archive, {skin / "Top.bmp", skin / "sub" / ".." / "Top.bmp", skin / "sub" / "top.BMP", skin / "missing.bmp",
                  skin / "Blue.uis"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.size, fs::file_size(archive));
    EXPECT_EQ(test::zipNames(archive), (std::vector<std::string>{"Top.bmp", "Blue.uis"}));
    EXPECT_TRUE(test::allDeflated(archive));
    EXPECT_EQ(test::readZip(archive)["Top.bmp"], std::string(3000, 'a'));
    ASSERT_EQ(result.notes.size(), 2u);
    EXPECT_NE(result.notes[0].find("top.BMP"), std::string::npos);
    EXPECT_NE(result.notes[1].find("missing.bmp"), std::string::npos);
}

TEST(PackArchive, RebuildsInsteadOfAddingAndKeepsOldArchiveOnFailure)
{
    TempDir dir;
    writeBytes(dir.path() / "a.bmp", "a");
    writeBytes(dir.path() / "b.bmp", "b");
    const fs::path archive = dir.path() / "s.zip";
    ASSERT_TRUE(writeFlatArchive(archive, {dir.path() / "a.bmp", dir.path() / "b.bmp"}).ok);
    ASSERT_TRUE(writeFlatArchive(archive, {dir.path() / "b.bmp"}).ok);
    EXPECT_EQ(test::zipNames(archive), std::vector<std::string>{"b.bmp"});
    const std::string before = readBytes(archive);

    // Nothing to pack, and a cancel: the earlier archive stays as it was.
    EXPECT_FALSE(writeFlatArchive(archive, {dir.path() / "gone.bmp"}).ok);
    const PackResult cancelled =
        writeFlatArchive(archive, {dir.path() / "a.bmp"}, [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(readBytes(archive), before);
    EXPECT_EQ(filesUnder(dir.path()), (std::vector<std::string>{"a.bmp", "b.bmp", "s.zip"}));
}

TEST(EntryNames, FolderPartsAndUnusableNames)
{
    const struct {
        const char* entry;
        const char* flat;  // nullptr: left out
    } cases[] = {
        {"Folder/Blue.uis", "Blue.uis"},   {"../../evil.bmp", "evil.bmp"},
        {"/etc/passwd", "passwd"},         {"C:\\Windows\\x.dll", "x.dll"},
        {"C:x.bmp", "x.bmp"},              {"..\\..\\up.bmp", "up.bmp"},
        {"a/b/", nullptr},                 {"..", nullptr},
        {"a/..", nullptr},                 {"", nullptr},
        {"plain.bmp", "plain.bmp"},
    };
    for (const auto& c : cases) {
        auto flat = flatEntryName(c.entry);
        if (c.flat)
            EXPECT_EQ(flat, std::optional<std::string>(c.flat)) << c.entry;
        else
            EXPECT_FALSE(flat) << c.entry;
    }
    EXPECT_EQ(personalityNameOf("Blue.UIS"), std::optional<std::string>("Blue"));
    EXPECT_EQ(personalityNameOf("a.uis.uis"), std::optional<std::string>("a"));
    for (const char* none : {".uis", "..uis", "...uis", "x.uisx", "blue.bmp"})
        EXPECT_FALSE(personalityNameOf(none)) << none;
}

class Install : public ::testing::Test {
public:
    TempDir dir;
    fs::path skins = dir.path() / "engine";
    fs::path temp = dir.path() / "temp";
    InstallOptions options;
    void SetUp() override
    {
        fs::create_directories(skins);
        fs::create_directories(temp);
        options.replaceExisting = [](const fs::path&) { return true; };
    }
    InstallResult install(const fs::path& archive, const ArchiveProgress& progress = {})
    {
        return installArchive(archive, skins, options, progress);
    }
};

TEST_F(Install, FlatIntoThePersonalityFolderTwice)
{
    const fs::path archive = makeZip(dir.path() / "Pack.vxa", {{"Folder/", "", false, true},
                                                                {"Folder/a.bmp", "first"},
                                                                {"Folder/Blue.uis", "[TITLEBARSKIN]\r\n"}});
    InstallResult result = install(archive);
    ASSERT_EQ(result.status, InstallResult::Installed) << result.message;
    EXPECT_EQ(result.uisFile, skins / "Blue" / "Blue.uis");
    EXPECT_EQ(filesUnder(skins), (std::vector<std::string>{"Blue/Blue.uis", "Blue/a.bmp"}));

    // A second install overwrites its own files and keeps what the author added.
    writeBytes(skins / "Blue" / "extra.txt", "mine");
    makeZip(archive, {{"Folder/a.bmp", "second"}, {"Folder/Blue.uis", "[TITLEBARSKIN]\r\n"}});
    result = install(archive);
    ASSERT_EQ(result.status, InstallResult::Installed) << result.message;
    EXPECT_EQ(readBytes(skins / "Blue" / "a.bmp"), "second");
    EXPECT_EQ(readBytes(skins / "Blue" / "extra.txt"), "mine");
    EXPECT_TRUE(filesUnder(temp).empty());
}

TEST_F(Install, FirstPersonalityNamesTheFolderAndAnExistingFolderMatchesWithoutCase)
{
    fs::create_directories(skins / "red");
    const fs::path archive =
        makeZip(dir.path() / "two.zip", {{"x.bmp", "x"}, {"Red.uis", "[A]\r\n"}, {"Green.uis", "[A]\r\n"}});
    const InstallResult result = install(archive);
    ASSERT_EQ(result.status, InstallResult::Installed) << result.message;
    EXPECT_EQ(result.uisFile, skins / "red" / "Red.uis");
    EXPECT_EQ(filesUnder(skins), (std::vector<std::string>{"red/Green.uis", "red/Red.uis", "red/x.bmp"}));
}

TEST_F(Install, NoPersonalityWritesNothing)
{
    const struct {
        const char* name;
        std::vector<ZipEntry> entries;
    } cases[] = {
        {"bitmaps.zip", {{"a.bmp", "a"}, {"b/", "", false, true}}},
        {"dotnames.zip", {{".uis", "x"}, {"dir/..uis", "y"}, {"x.uis.txt", "z"}}},
        {"linkuis.zip", {{"Blue.uis", "/etc/passwd", true}}},
        {"empty.zip", {}},
    };
    for (const auto& c : cases) {
        fs::path archive = dir.path() / c.name;
        if (c.entries.empty())
            writeBytes(archive, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
        else
            makeZip(archive, c.entries);
        const InstallResult result = install(archive);
        EXPECT_EQ(result.status, InstallResult::NoPersonality) << c.name;
        EXPECT_EQ(result.message, archive.string() + ": This package does not contain a personality file or is corrupted");
    }
    EXPECT_TRUE(filesUnder(skins).empty());
    EXPECT_TRUE(filesUnder(temp).empty());
}

TEST_F(Install, HostileNamesAndLinksStayInside)
{
    const fs::path archive = makeZip(dir.path() / "evil.zip", {
                                                                  {"../../escape.bmp", "1"},
                                                                  {"/tmp/absolute.bmp", "2"},
                                                                  {"C:\\Windows\\drive.bmp", "3"},
                                                                  {"..\\..\\back.bmp", "4"},
                                                                  {"link.bmp", "/etc/passwd", true},
                                                                  {"deep/../../Evil.uis", "[A]\r\n"},
                                                              });
    const InstallResult result = install(archive);
    ASSERT_EQ(result.status, InstallResult::Installed) << result.message;
    EXPECT_EQ(filesUnder(dir.path()),
              (std::vector<std::string>{"engine/Evil/Evil.uis", "engine/Evil/absolute.bmp", "engine/Evil/back.bmp",
                                        "engine/Evil/drive.bmp", "engine/Evil/escape.bmp", "evil.zip"}));
    EXPECT_NE(std::find(result.log.begin(), result.log.end(), "Extracting escape.bmp"), result.log.end());
    EXPECT_NE(std::find(result.log.begin(), result.log.end(), "Link left out: link.bmp"), result.log.end());
}

TEST_F(Install, SizesAreCheckedBeforeAndWhileUnpacking)
{
    // Too much by the directory: refused before a byte is written.
    options.maxUnpackedSize = 1000;
    const fs::path big = makeZip(dir.path() / "big.zip", {{"Big.uis", "[A]\r\n"}, {"a.bmp", std::string(600, 'a')},
                                                          {"b.bmp", std::string(600, 'b')}});
    InstallResult result = install(big);
    EXPECT_EQ(result.status, InstallResult::Refused);
    EXPECT_EQ(result.message.rfind(big.string() + ": the archive unpacks to more than 1000 bytes", 0), 0u)
        << result.message;
    EXPECT_TRUE(filesUnder(temp).empty());

    // A directory claiming 4 GiB is refused with the real limit.
    options.maxUnpackedSize = kMaxUnpackedSize;
    test::patchDeclaredSizes(big, 0xfffffff0u);
    result = install(big);
    EXPECT_EQ(result.status, InstallResult::Refused);
    EXPECT_NE(result.message.find("unpacks to more than 1073741824 bytes"), std::string::npos) << result.message;

    // An entry that unpacks to more than it declares: stopped, nothing installed.
    const fs::path liar = makeZip(dir.path() / "liar.zip", {{"Liar.uis", "[A]\r\n"}, {"a.bmp", std::string(5000, 'a')}});
    test::patchDeclaredSizes(liar, 10);
    result = install(liar);
    EXPECT_EQ(result.status, InstallResult::Refused);
    EXPECT_EQ(result.message.rfind(liar.string() + ": ", 0), 0u) << result.message;
    EXPECT_TRUE(filesUnder(skins).empty());
    EXPECT_TRUE(filesUnder(temp).empty());
}

TEST_F(Install, CorruptAndCancelledLeaveNothing)
{
    std::string noise(70000, '\0');
    std::uint32_t seed = 12345;
    for (char& c : noise)
        c = char((seed = seed * 1103515245u + 12345u) >> 24);
    const fs::path archive = makeZip(dir.path() / "skin.zip", {{"Skin.uis", "[A]\r\n"}, {"a.bmp", noise}});
    std::string bytes = readBytes(archive);

    const InstallResult cancelled = install(archive, [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_EQ(cancelled.status, InstallResult::Cancelled);

    writeBytes(dir.path() / "garbage.zip", "this is not an archive");
    const InstallResult garbage = install(dir.path() / "garbage.zip");
    EXPECT_EQ(garbage.status, InstallResult::Refused);
    EXPECT_NE(garbage.message.find("garbage.zip: This package does not contain a personality file"), std::string::npos);

    // Damaged deflate data in the middle of the big entry.
    const auto at = bytes.find(std::string("a.bmp")) + 200;
    for (std::size_t i = at; i < at + 40 && i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ 0x5a);
    writeBytes(dir.path() / "broken.zip", bytes);
    const InstallResult broken = install(dir.path() / "broken.zip");
    EXPECT_EQ(broken.status, InstallResult::Refused) << broken.message;

    EXPECT_TRUE(filesUnder(skins).empty());
    EXPECT_TRUE(filesUnder(temp).empty());
}

}  // namespace
}  // namespace sw
