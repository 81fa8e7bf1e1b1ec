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
        bool finished = false;
        int step = 1;
        for (; step < 100 && !finished; ++step) {
            SCOPED_TRACE("signal " + std::to_string(row.signal) + (row.exchange ? " exchange" : " renames") +
                         ", step " + std::to_string(step));
            const int status = test::runInChild([&] {
                setFolderExchange(row.exchange);
                test::stepsLeft = step;
                test::stopSignal = row.signal;
                setFolderChangeHook(test::stopAtStep);
                change(target);
            });
            finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            ASSERT_TRUE(finished || (WIFSIGNALED(status) && WTERMSIG(status) == row.signal)) << status;
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
            EXPECT_TRUE(now == old || now == fresh);
            if (finished)
                EXPECT_EQ(now, fresh);
            EXPECT_EQ(namesIn(parent), expectedNames);
            EXPECT_EQ(snapshotOf(parent / "Other"), other);
            // Back to the old folder for the next run.
            fs::remove_all(target);
            fs::copy(copies.path() / "pristine", target, copyOptions);
        }
        EXPECT_TRUE(finished);
        EXPECT_GE(step, row.exchange ? 6 : 7);  // three copies, the flush, the swap's steps
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

TEST_F(FolderChangeTest, LinksOddFilesAndReadOnlyFoldersAreRefusedUnchanged)
{
    const fs::path outsideFolder = dir.path() / "elsewhere";
    writeWithFolders(outsideFolder / "Linked.uis", "outside");
    fs::create_symlink(outsideFolder, parent / "Linked");
    writeWithFolders(outsideFolder / "shared.bmp", "shared");
    fs::create_hard_link(outsideFolder / "shared.bmp", target / "hard.bmp");
    fs::create_directories(parent / "Odd");
    ASSERT_EQ(::mkfifo((parent / "Odd" / "pipe").c_str(), 0600), 0);
    fs::create_directories(parent / "Locked");
    fs::permissions(parent / "Locked", fs::perms::owner_read | fs::perms::owner_exec);
    const auto before = snapshotOf(dir.path());
    const struct {
        std::function<void()> change;
        std::string message;
    } rows[] = {
        {[&] { FolderChange(parent / "Linked", FolderChange::CopyOfTarget); },
         (parent / "Linked").string() + " is a symbolic link; nothing is written through it (nothing was changed)"},
        {[&] { removeFolderWhole(parent / "Locked"); }, (parent / "Locked").string() + " is read-only; nothing was changed"},
        {[&] { FolderChange(parent / "Locked", FolderChange::Empty); },
         (parent / "Locked").string() + " is read-only; nothing was changed"},
        {[&] { FolderChange(parent / "Odd", FolderChange::CopyOfTarget); },
         (parent / "Odd" / "pipe").string() + " is neither a file, a folder nor a link; nothing was changed"},
        {[&] { FolderChange(target, FolderChange::CopyOfTarget).refuseLinked("hard.bmp"); },
         (target / "hard.bmp").string() + " has 2 hard links, and replacing it would separate them; nothing was changed"},
        {[&] { FolderChange(target, FolderChange::CopyOfTarget).refuseLinked("alias.bmp"); },
         (target / "alias.bmp").string() + " is a symbolic link; nothing is written through it (nothing was changed)"},
        {[&] { FolderChange(dir.path() / "missing" / "Slate", FolderChange::Empty); },
         "Unable to write to " + (dir.path() / "missing").string() + " (No such file or directory); nothing was changed"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(errorOf(row.change), row.message);
    EXPECT_EQ(snapshotOf(dir.path()), before);
    fs::permissions(parent / "Locked", fs::perms::owner_all);
    // Removing a link loses the link only.
    removeFolderWhole(parent / "Linked");
    EXPECT_FALSE(fs::exists(fs::symlink_status(parent / "Linked")));
    EXPECT_EQ(readBytes(outsideFolder / "Linked.uis"), "outside");
}

}  // namespace
}  // namespace sw
