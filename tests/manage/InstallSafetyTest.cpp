// Installing and packing under fault and on hostile folders: a full disk, links where
// entries go, an installed skin of the same name, names no file can have, and archive
// names that would overwrite what they pack. After each, the old skin is byte for byte
// as it was and nothing is left beside it.
#include "VerbRun.h"
#include "ZipFixtures.h"

#include "manage/ArchiveInstaller.h"
#include "support/FolderSnapshot.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::makeZip;
using test::run;
using test::VerbRun;
using test::readBytes;
using test::snapshotOf;
using test::TempDir;
using test::writeWithFolders;

class InstallSafety : public ::testing::Test {
public:
    TempDir dir;
    fs::path skins = dir.path() / "skins";
    fs::path slate = skins / "Slate";
    void SetUp() override
    {
        writeWithFolders(slate / "Slate.uis", "[TITLEBARSKIN]\r\nSkinName=Old Slate\r\nTop=Slate\\top.bmp\r\n");
        writeWithFolders(slate / "top.bmp", std::string(3000, 'o'));
        writeWithFolders(slate / "mine.psd", "the author's own");
    }
    fs::path archive(const std::string& name, std::size_t bitmapSize = 5000)
    {
        return makeZip(dir.path() / name, {{"Slate/Slate.uis", "[TITLEBARSKIN]\r\nSkinName=New Slate\r\n"},
                                           {"Slate/top.bmp", std::string(bitmapSize, 'n')}});
    }
    InstallResult install(const fs::path& zip, bool replace = true)
    {
        InstallOptions options;
        options.replaceExisting = [replace](const fs::path&) { return replace; };
        return installArchive(zip, skins, options);
    }
    // Installs a 400 KB bitmap over the skin in a child (with a file-size limit when
    // given) and expects it refused with `reason` for that bitmap, the skin unchanged.
    void expectWriteFailure(rlim_t limit, const std::string& reason)
    {
        const fs::path zip = archive("Slate.zip", 400000);
        const fs::path report = dir.path() / "report.txt";
        const auto before = snapshotOf(skins);
        const int status = test::runInChild([&] {
            if (limit) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit size{limit, limit};
                setrlimit(RLIMIT_FSIZE, &size);
            }
            const InstallResult result = install(zip);
            writeWithFolders(report, result.message);
            _exit(result.status == InstallResult::Refused ? 0 : 1);
        });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(readBytes(report), zip.string() + ": Unable to write to " + (slate / "top.bmp").string() + " (" +
                                         reason + "); nothing was installed");
        EXPECT_EQ(snapshotOf(skins), before);
    }
};

// A write that fails half-way leaves the installed skin as it was and says which file
// failed and why: at the file-size limit, and on a full file system where the test may
// mount a small one.
TEST_F(InstallSafety, AWriteFailureLeavesTheOldSkinWholeAndNamesTheFileWithTheReason)
{
    expectWriteFailure(100000, "File too large");
}

TEST_F(InstallSafety, AFullDiskLeavesTheOldSkinWholeAndNamesTheFileWithTheReason)
{
    const fs::path small = dir.path() / "small";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    fs::copy(skins, small / "skins", fs::copy_options::recursive);
    skins = small / "skins";
    slate = skins / "Slate";
    expectWriteFailure(0, "No space left on device");
    ::umount(small.c_str());
}

TEST_F(InstallSafety, LinksWhereTheInstallWritesAreRefused)
{
    const fs::path outside = dir.path() / "outside";
    writeWithFolders(outside / "top.bmp", "outside file");
    const struct {
        const char* name;
        std::function<void()> plant;
        fs::path named;
        std::string reason;
    } rows[] = {
        {"folder link", [&] { fs::remove_all(slate); fs::create_directory_symlink(outside, slate); }, slate,
         " is a symbolic link; nothing is written through it"},
        {"file link", [&] { fs::remove(slate / "top.bmp"); fs::create_symlink(outside / "top.bmp", slate / "top.bmp"); },
         slate / "top.bmp", " is a symbolic link; nothing is written through it (nothing was changed)"},
        {"hard link", [&] { fs::remove(slate / "top.bmp"); fs::create_hard_link(outside / "top.bmp", slate / "top.bmp"); },
         slate / "top.bmp", " has 2 hard links, and replacing it would separate them; nothing was changed"},
    };
    const fs::path zip = archive("Slate.zip");
    for (const auto& row : rows) {
        SetUp();
        row.plant();
        const auto before = snapshotOf(dir.path());
        const InstallResult result = install(zip);
        EXPECT_EQ(result.status, InstallResult::Refused) << row.name;
        EXPECT_EQ(result.message, zip.string() + ": " + row.named.string() + row.reason) << row.name;
        EXPECT_EQ(snapshotOf(dir.path()), before) << row.name;
        EXPECT_EQ(readBytes(outside / "top.bmp"), "outside file") << row.name;
        fs::remove_all(slate);
    }
}

TEST_F(InstallSafety, UnusableNamesAndTheEditorsOwnFilesAreNeverInstalled)
{
    fs::remove_all(slate);
    // The archive's own name is 250 characters long (made under a short one first).
    const fs::path zip = dir.path() / (std::string(246, 'L') + ".zip");
    const fs::path made = makeZip(dir.path() / "short.zip",
                                 {{"Trailing .uis", "[B]\r\n"},  // names no folder: not the personality
                                  {"Slate.uis", "[A]\r\n"},
                                  {"ok.bmp", "ok"},
                                  {"$$sw_temp_ini_file$$.tmp.lock", "12345\nother-host\n"},
                                  {"x/$$SW_TEMP_INI_FILE$$.TMP", "[A]\r\n"},
                                  {"line\nbreak.bmp", "1"},
                                  {"tab\t.bmp", "2"},
                                  {"a<b>.bmp", "3"},
                                  {"what?.bmp", "4"},
                                  {"star*.bmp", "5"},
                                  {"pipe|quote\".bmp", "6"}});
    fs::rename(made, zip);
    const InstallResult result = install(zip);
    ASSERT_EQ(result.status, InstallResult::Installed) << result.message;
    EXPECT_EQ(snapshotOf(skins), (std::map<std::string, std::string>{
                                     {"Slate", "folder"},
                                     {"Slate/Slate.uis", "file:[A]\r\n"},
                                     {"Slate/Trailing .uis", "file:[B]\r\n"},
                                     {"Slate/ok.bmp", "file:ok"}}));
    for (const std::string& line : result.log)
        EXPECT_EQ(line.find_first_of("\r\n\t"), std::string::npos) << line;
    EXPECT_NE(std::find(result.log.begin(), result.log.end(), "Unusable name left out: line?break.bmp"), result.log.end());
}

TEST_F(InstallSafety, TheCommandLineInstallsOverASkinOnlyWithReplace)
{
    const fs::path zip = archive("Slate.zip");
    const auto before = snapshotOf(skins);
    VerbRun r = run({"install", zip.string(), "--skins", skins.string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "skinwrt: " + slate.string() +
                         ": a personality of that name is installed already; nothing was installed. Give --replace "
                         "to replace it (files of the same name are replaced, others kept)\n");
    EXPECT_EQ(snapshotOf(skins), before);
    r = run({"install", "--replace", zip.string(), "--skins", skins.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readBytes(slate / "top.bmp"), std::string(5000, 'n'));
    EXPECT_EQ(readBytes(slate / "mine.psd"), "the author's own");
}

TEST_F(InstallSafety, PackRefusesArchiveNamesThatWouldOverwriteWhatItPacks)
{
    writeWithFolders(slate / "Slate.uis", "[TITLEBARSKIN]\r\nTop=Slate\\top.bmp\r\nExtras=Slate\\extras.zip\r\n"
                                    "Old=Slate\\slate.zip\r\nWork=Slate\\$$sw_temp_ini_file$$.tmp\r\n");
    writeWithFolders(slate / "extras.zip", "the skin's own archive");
    writeWithFolders(slate / "slate.zip", "an earlier archive of the skin");
    writeWithFolders(slate / "$$sw_temp_ini_file$$.tmp", "working copy");
    const std::string uis = (slate / "Slate.uis").string();
    const auto before = snapshotOf(dir.path());
    const struct {
        fs::path archive;
        std::string problem;
    } rows[] = {
        {slate / "Slate.uis", ": this is the personality file itself"},
        {slate / "top.bmp", ": this file would be packed into the archive"},
        {slate / "extras.zip", ": this file would be packed into the archive"},
        {dir.path() / "out.zip.txt", ": the name of an archive must end in .zip or .vxa"},
        {dir.path() / "out", ": the name of an archive must end in .zip or .vxa"},
    };
    for (const auto& row : rows) {
        const VerbRun r = run({"pack", uis, "-o", row.archive.string()});
        EXPECT_EQ(r.code, 2) << row.archive;
        EXPECT_EQ(r.err, "skinwrt: pack: " + row.archive.string() + row.problem + "; nothing was written\n");
    }
    EXPECT_EQ(snapshotOf(dir.path()), before);
    // The default archive never holds an earlier one of itself nor the editor's files.
    for (int round = 0; round < 2; ++round) {
        const VerbRun r = run({"pack", uis});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(test::zipNames(slate / "slate.zip"),
                  (std::vector<std::string>{"top.bmp", "extras.zip", "Slate.uis"}));
    }
}

}  // namespace
}  // namespace sw
