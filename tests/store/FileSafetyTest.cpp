// Edits under contention and on odd files: every writer's change survives, a file that
// must not be replaced is refused with a message naming it, and what a refused edit
// touches stays byte for byte as it was.
#include "store/FileBytes.h"
#include "store/IniFile.h"
#include "store/LockedFile.h"
#include "store/ProfileFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::editError;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Runs `body(w)` for each of `writers` writers in a child process of its own and
// expects every one of them to finish without an exception.
template <typename Body>
void runWriters(int writers, Body body)
{
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                body(w);
            } catch (...) {
                _exit(3);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

TEST(FileSafety, WritersInSeveralProcessesLoseNoUpdate)
{
    TempDir dir;
    const std::string file = dir.file("shared.uis");
    writeBytes(file, "[S]\r\nFirst=1\r\n");
    constexpr int kWriters = 3, kEdits = 40;
    // One writer edits through the write-through store the editor uses, the others
    // as the command line does.
    runWriters(kWriters, [&](int w) {
        if (w == 0) {
            TIniFile ini(file);
            for (int i = 0; i < kEdits; ++i)
                ini.WriteString("S", "W0_" + std::to_string(i), "1");
        } else {
            for (int i = 0; i < kEdits; ++i)
                ProfileFile(file).writeString("S", "W" + std::to_string(w) + "_" + std::to_string(i), "1");
        }
    });
    TAcceleratedIniFile result(file);
    TStrings keys;
    result.ReadSection("S", keys);
    EXPECT_EQ(keys.size(), std::size_t(1 + kWriters * kEdits));
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kEdits; ++i)
            EXPECT_EQ(result.ReadString("S", "W" + std::to_string(w) + "_" + std::to_string(i), "lost"), "1");
}

TEST(FileSafety, WritersCreatingTheSameFileAllKeepTheirEntry)
{
    TempDir dir;
    constexpr int kWriters = 3, kFiles = 60;
    runWriters(kWriters, [&](int w) {
        for (int f = 0; f < kFiles; ++f)
            ProfileFile(dir.file("new" + std::to_string(f) + ".uis")).writeString("S", "W" + std::to_string(w), "1");
    });
    for (int f = 0; f < kFiles; ++f) {
        TAcceleratedIniFile result(dir.file("new" + std::to_string(f) + ".uis"));
        for (int w = 0; w < kWriters; ++w)
            EXPECT_EQ(result.ReadString("S", "W" + std::to_string(w), "lost"), "1") << f;
    }
}

// Whether a writer's temporary file lies in `folder`.
bool hasTemporary(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".~sw") != std::string::npos)
            return true;
    return false;
}

// Starts a child that writes `value` (long enough to be caught in the middle) into
// `file`, and waits until its temporary file appears. Returns the child and whether
// the temporary was seen.
std::pair<pid_t, bool> startLongWrite(const std::string& file, const fs::path& folder, const std::string& value)
{
    pid_t pid = fork();
    if (pid == 0) {
        try {
            ProfileFile(file).writeString("S", "Big", value);
        } catch (...) {
        }
        _exit(0);
    }
    bool seen = false;
    for (int i = 0; i < 500000 && !seen && pid > 0; ++i)
        seen = hasTemporary(folder);
    return {pid, seen};
}

TEST(FileSafety, AWriterKilledWhileCreatingAFileLeavesNoEmptyOne)
{
    TempDir dir;
    const std::string file = dir.file("fresh.uis");
    const std::string value(24u << 20, 'x');
    const auto [pid, seen] = startLongWrite(file, dir.path(), value);
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (!seen)
        GTEST_SKIP() << "the writer finished before it could be killed";
    // Either nothing was created or the whole file was.
    const bool created = fs::exists(file);
    if (created) {
        EXPECT_EQ(fs::file_size(file), value.size() + 13);
    }
    // The next writer removes what the dead one left.
    ProfileFile(file).writeString("S", "K", "1");
    EXPECT_EQ(readBytes(file), created ? "[S]\r\nBig=" + value + "\r\nK=1\r\n" : "[S]\r\nK=1\r\n");
    EXPECT_FALSE(hasTemporary(dir.path()));
}

TEST(FileSafety, FilesThatMustNotBeReplacedAreRefusedUnchanged)
{
    TempDir dir;
    const std::string original = "[S]\r\nK=old\r\n";
    auto plain = [&](const std::string& name) {
        writeBytes(dir.file(name), original);
        return dir.file(name);
    };
    const std::string readOnly = plain("readonly.uis");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string linked = plain("linked.uis");
    fs::create_hard_link(linked, dir.file("second-name.uis"));
    const std::string fifo = dir.file("pipe.uis");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string toFifo = dir.file("to-pipe.uis");
    fs::create_symlink(fifo, toFifo);
    const std::string folder = dir.file("folder.uis");
    fs::create_directory(folder);
    // Just under the size limit: one more line would pass it.
    const std::string big = dir.file("big.uis");
    writeBytes(big, "[S]\nK=" + std::string(kMaxIniFileSize - 12, 'x') + "\n");
    const std::string bigBytes = readBytes(big);

    const struct {
        const char* name;
        std::string file;
        std::string reason;
    } rows[] = {
        {"read-only", readOnly, "read-only"},
        {"hard links", linked, "it has 2 hard links, and replacing it would separate them; edit a copy instead"},
        {"fifo", fifo, "not a regular file"},
        {"link to a fifo", toFifo, "not a regular file"},
        {"folder", folder, "not a regular file"},
        {"past the size limit", big, "the file would be larger than 32 MB"},
    };
    // A FIFO must be refused at once: waiting for a writer would hang the edit.
    alarm(20);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const bool regular = fs::is_regular_file(row.file);
        const std::string before = regular ? readBytes(row.file) : std::string();
        const std::string expected = "Unable to write to " + row.file + " (" + row.reason + ")";
        EXPECT_EQ(editError([&] { ProfileFile(row.file).writeString("S", "Added", "a value of some length"); }),
                  expected);
        if (row.file != big) {
            EXPECT_EQ(editError([&] { ProfileFile(row.file).deleteKey("S", "K"); }), expected);
            EXPECT_EQ(editError([&] { writeFileAtomically(row.file, {"x"}); }), expected);
        }
        if (regular) {
            EXPECT_EQ(readBytes(row.file), before);
        }
    }
    alarm(0);
    EXPECT_EQ(readBytes(dir.file("second-name.uis")), original);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(toFifo));
    EXPECT_TRUE(fs::is_directory(folder));
    // The file at the limit can still be made smaller.
    EXPECT_EQ(editError([&] { ProfileFile(big).deleteKey("S", "K"); }), "");
    EXPECT_EQ(readBytes(big), "[S]\n");
}

TEST(FileSafety, OwnerModeAndLinksAreKept)
{
    TempDir dir;
    const std::string owned = dir.file("owned.uis");
    writeBytes(owned, "[S]\nK=1\n");
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(owned.c_str(), 4321, 4322), 0);
    }
    ASSERT_EQ(chmod(owned.c_str(), 0640), 0);
    ProfileFile(owned).writeString("S", "K", "2");
    struct stat info {};
    ASSERT_EQ(stat(owned.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4322u);
    }
    EXPECT_EQ(readBytes(owned), "[S]\nK=2\n");

    // A dangling link stays a link; the file it names is created.
    fs::create_directory(dir.path() / "real");
    const std::string dangling = dir.file("dangling.uis");
    fs::create_symlink("real/target.uis", dangling);
    ProfileFile(dangling).writeString("S", "K", "v");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(readBytes(dir.path() / "real" / "target.uis"), "[S]\r\nK=v\r\n");
}

// A process that has ended, so its id names no running writer.
pid_t deadProcess()
{
    pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

TEST(FileSafety, TemporariesOfDeadWritersAreRemovedAndNoneIsLeftBehind)
{
    TempDir dir;
    const std::string file = dir.file("skin.uis");
    writeBytes(file, "[S]\nK=1\n");
    const pid_t dead = deadProcess();
    const struct {
        std::string name;
        bool removed;
    } rows[] = {
        {"skin.uis.~sw" + std::to_string(dead) + "-0badf00d", true},
        {"skin.uis.~sw" + std::to_string(getppid()) + "-0badf00d", false},  // its writer runs
        {"other.uis.~sw" + std::to_string(dead) + "-0badf00d", false},      // another file's
        {"skin.uis.~swnotapid", false},
    };
    for (const auto& row : rows)
        writeBytes(dir.path() / row.name, "stale");
    ProfileFile(file).writeString("S", "K", "2");
    for (const auto& row : rows)
        EXPECT_EQ(fs::exists(dir.path() / row.name), !row.removed) << row.name;
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        entries += entry.path().filename().string().rfind("skin.uis", 0) == 0;
    EXPECT_EQ(entries, 3u);  // the file, the live writer's and the odd name
}

TEST(FileSafety, AnInterruptedWriterRemovesItsTemporary)
{
    TempDir dir;
    const std::string file = dir.file("skin.uis");
    writeBytes(file, "[S]\nK=1\n");
    // A write long enough (24 MB, made durable) to be caught in the middle.
    const auto [pid, seen] = startLongWrite(file, dir.path(), std::string(24u << 20, 'x'));
    ASSERT_GT(pid, 0);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!seen || !WIFSIGNALED(status))
        GTEST_SKIP() << "the writer finished before it could be interrupted";
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_FALSE(hasTemporary(dir.path()));
    EXPECT_EQ(readBytes(file), "[S]\nK=1\n");
}

TEST(FileSafety, AChangeOnDiskIsKeptEvenWhenSizeAndTimeMatch)
{
    TempDir dir;
    const std::string file = dir.file("skin.uis");
    writeBytes(file, "[S]\nA=1\nB=2\n");
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    TIniFile ini(file);
    // Another program changes one byte within the same time-stamp tick.
    writeBytes(file, "[S]\nA=7\nB=2\n");
    struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    ini.WriteString("S", "B", "3");
    EXPECT_EQ(readBytes(file), "[S]\nA=7\nB=3\n");
}

TEST(FileSafety, AnEditChangesOnlyTheValueBytes)
{
    TempDir dir;
    const struct {
        const char* before;
        const char* key;
        const char* value;
        const char* after;
    } rows[] = {
        {"[TitleBarSkin]\r\nButtonCount=9\r\n", "BUTTONCOUNT", "10", "[TitleBarSkin]\r\nButtonCount=10\r\n"},
        {"[titlebarskin]\nbuttoncount = 9 \n", "ButtonCount", "10", "[titlebarskin]\nbuttoncount = 10\n"},
        {"[TITLEBARSKIN]\nButtonCount=\n", "buttonCOUNT", "3", "[TITLEBARSKIN]\nButtonCount=3\n"},
        {"[TITLEBARSKIN]\nButtonCount=9", "BUTTONCOUNT", "", "[TITLEBARSKIN]\nButtonCount="},
    };
    for (const auto& row : rows) {
        const std::string file = dir.file("skin.uis");
        writeBytes(file, row.before);
        {
            TIniFile ini(file);
            ini.WriteString("TITLEBARSKIN", row.key, row.value);
            // Memory may spell the key as written; a read finds it either way.
            EXPECT_EQ(ini.ReadString("TitleBarSkin", "ButtonCount", "?"), row.value);
        }
        EXPECT_EQ(readBytes(file), row.after) << row.before;
    }
}

}  // namespace
}  // namespace sw
