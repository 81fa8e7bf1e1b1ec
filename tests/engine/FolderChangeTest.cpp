// Changes to a whole folder under fault: killed or interrupted at every step, the
// target is the old folder whole or the new one whole and the next change leaves
// nothing over; links, hard links, read-only folders and odd files are refused with a
// message naming them, changing nothing.
#include "engine/FolderChange.h"

#include "support/FolderSnapshot.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::namesIn;
using test::readBytes;
using test::snapshotOf;
using test::TempDir;
using test::writeWithFolders;

std::string errorOf(const std::function<void()>& change)
{
    try {
        change();
        return {};
    } catch (const FolderChangeError& error) {
        return error.what();
    }
}

// A process that has ended, so its id names no running change.
pid_t deadProcess()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

class FolderChangeTest : public ::testing::Test {
public:
    TempDir dir;
    fs::path parent = dir.path() / "skins";
    fs::path target = parent / "Slate";
    void SetUp() override
    {
        fs::create_directories(target / "extras");
        writeWithFolders(target / "Slate.uis", "[TITLEBARSKIN]\r\nSkinName=Slate\r\n");
        writeWithFolders(target / "top.bmp", std::string(70000, 'o'));
        writeWithFolders(target / "extras" / "notes.txt", "kept");
        fs::create_symlink("top.bmp", target / "alias.bmp");
        writeWithFolders(parent / "Other" / "Other.uis", "[A]\r\n");
    }
    // The change every run makes: one file replaced, one added, the rest kept.
    static void change(const fs::path& folder)
    {
        FolderChange change(folder, FolderChange::CopyOfTarget);
        writeWithFolders(change.staging() / "top.bmp", std::string(90000, 'n'));
        writeWithFolders(change.staging() / "new.bmp", "new");
        change.commit();
    }
};

TEST_F(FolderChangeTest, StoppedAtEveryStepTheTargetIsOldOrNewWholeAndNothingIsLeftOver)
{
    const auto old = snapshotOf(target);
    const auto other = snapshotOf(parent / "Other");
    TempDir copies;
    const auto copyOptions = fs::copy_options::recursive | fs::copy_options::copy_symlinks;
    fs::copy(target, copies.path() / "pristine", copyOptions);
    fs::copy(target, copies.path() / "changed", copyOptions);
    change(copies.path() / "changed");
    const auto fresh = snapshotOf(copies.path() / "changed");
    ASSERT_NE(old, fresh);
    const std::vector<std::string> expectedNames{"Other", "Slate"};

    const struct {
        int signal;
        bool exchange;
    } rows[] = {{SIGKILL, true}, {SIGKILL, false}, {SIGTERM, true}, {SIGTERM, false}, {SIGHUP, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE("signal " + std::to_string(row.signal) + (row.exchange ? ", exchange" : ", renames"));
        const auto run = [&] {
            setFolderExchange(row.exchange);
            change(target);
        };
        const int runs = test::stopAtEveryStep(run, [&](bool finished) {
            // A cleaning signal leaves nothing over; with the exchange even a kill never
            // leaves the target missing or mixed.
            if (row.signal != SIGKILL)
                EXPECT_EQ(namesIn(parent), expectedNames);
            if (row.signal != SIGKILL || row.exchange) {
                const auto now = snapshotOf(target);
                EXPECT_TRUE(now == old || now == fresh);
            }
            cleanFolderLeftovers(parent);
            const auto now = snapshotOf(target);
            EXPECT_TRUE(finished ? now == fresh : now == old || now == fresh);
            EXPECT_EQ(namesIn(parent), expectedNames);
            EXPECT_EQ(snapshotOf(parent / "Other"), other);
            fs::remove_all(target);
            fs::copy(copies.path() / "pristine", target, copyOptions);
        }, row.signal);
        EXPECT_GE(runs, row.exchange ? 6 : 7);  // three copies, the flush, the swap's steps
    }
}

TEST_F(FolderChangeTest, LeftoversOfDeadOwnersAreCleanedOrPutBack)
{
    const std::string deadSuffix = std::to_string(deadProcess()) + "-0badf00d";
    const std::string liveSuffix = std::to_string(::getppid()) + "-0badf00d";
    const struct {
        std::string name;
        bool kept;
    } rows[] = {
        {".Slate.sw-staging-" + deadSuffix, false},
        {".Slate.sw-old-" + deadSuffix, false},  // Slate is there: the set-aside copy goes
        {".Slate.sw-deleted-" + deadSuffix, false},
        {".Slate.sw-staging-" + liveSuffix, true},  // its change still runs
        {".Slate.sw-staging-x" + deadSuffix, true},
        {".Blue.sw-old-" + deadSuffix, false},  // Blue is missing: this is Blue now
    };
    for (const auto& row : rows)
        writeWithFolders(parent / row.name / "a.bmp", row.name);
    cleanFolderLeftovers(parent);
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(parent / row.name), row.kept) << row.name;
    EXPECT_EQ(readBytes(parent / "Blue" / "a.bmp"), ".Blue.sw-old-" + deadSuffix);
    EXPECT_EQ(readBytes(target / "top.bmp"), std::string(70000, 'o'));
}

// Links where writes go are refused by the installer's tests; here what every change
// refuses, whoever makes it.
TEST_F(FolderChangeTest, OddFilesReadOnlyFoldersAndAMissingParentAreRefusedUnchanged)
{
    fs::create_directories(parent / "Odd");
    ASSERT_EQ(::mkfifo((parent / "Odd" / "pipe").c_str(), 0600), 0);
    fs::create_directories(parent / "Locked");
    fs::permissions(parent / "Locked", fs::perms::owner_read | fs::perms::owner_exec);
    const auto before = snapshotOf(dir.path());
    const std::string locked = (parent / "Locked").string() + " is read-only; nothing was changed";
    const std::pair<std::function<void()>, std::string> rows[] = {
        {[&] { removeFolderWhole(parent / "Locked"); }, locked},
        {[&] { FolderChange(parent / "Locked", FolderChange::Empty); }, locked},
        {[&] { FolderChange(parent / "Odd", FolderChange::CopyOfTarget); },
         (parent / "Odd" / "pipe").string() + " is neither a file, a folder nor a link; nothing was changed"},
        {[&] { FolderChange(dir.path() / "missing" / "Slate", FolderChange::Empty); },
         "Unable to write to " + (dir.path() / "missing").string() + " (No such file or directory); nothing was changed"},
    };
    for (const auto& [change, message] : rows)
        EXPECT_EQ(errorOf(change), message);
    EXPECT_EQ(snapshotOf(dir.path()), before);
    fs::permissions(parent / "Locked", fs::perms::owner_all);
}

}  // namespace
}  // namespace sw
