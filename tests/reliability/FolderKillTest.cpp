// install --replace, cut --replace and pack killed at many points: afterwards the skin
// (or the archive) is the old one whole or the new one whole, byte for byte, and the
// next run of the same command finishes and leaves nothing over.
#include "CommandLine.h"

#include "store/PlatformPaths.h"
#include "support/FolderSnapshot.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sstream>
#include <thread>

#include <zip.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::namesIn;
using test::readBytes;
using test::snapshotOf;
using test::TempDir;
using test::writeWithFolders;

int runVerb(const std::vector<std::string>& args, int expected = 0)
{
    std::ostringstream out, err;
    const int code = runCommandLine(args, out, err);
    EXPECT_EQ(code, expected) << err.str();
    return code;
}

// Bytes that deflate slowly enough for a kill to land inside a pack.
std::string noise(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char((seed = seed * 1103515245u + 12345u) >> 23);
    return bytes;
}

void writeArchive(const fs::path& archive, const std::vector<std::pair<std::string, std::string>>& entries)
{
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        zip_file_add(zip, name.c_str(), source, 0);
    }
    ASSERT_EQ(zip_close(zip), 0);
}

class FolderKill : public ::testing::Test {
public:
    TempDir dir;
    fs::path program = dir.path() / "program";
    fs::path skins = dir.path() / "skins";
    fs::path slate = skins / "Slate";
    fs::path pristine = dir.path() / "pristine";
    fs::path picture = dir.path() / "window.bmp";
    static constexpr auto kCopy = fs::copy_options::recursive | fs::copy_options::copy_symlinks;

    void SetUp() override
    {
        const fs::path shipped = programFolder();
        fs::create_directories(program / "template");
        fs::copy_file(shipped / "uis2.def", program / "uis2.def");
        fs::copy_file(shipped / "template" / "scratch.uis", program / "template" / "scratch.uis");
        writeWithFolders(program / "sw.ini", "[Author]\r\nSkinAuthor=Ann\r\n");
        setProgramFolder(program);
        writeWithFolders(slate / "Slate.uis", "[TITLEBARSKIN]\r\nSkinName=Old\r\nTop=Slate\\top.bmp\r\n");
        writeWithFolders(slate / "top.bmp", noise(300000, 1));
        writeWithFolders(slate / "mine.psd", "the author's own");
        writeWithFolders(slate / "extras" / "notes.txt", "notes");
        fs::copy(slate, pristine, kCopy);
        QImage window(400, 300, QImage::Format_RGB32);
        window.fill(qRgb(245, 20, 30));
        ASSERT_TRUE(window.save(QString::fromStdString(picture.string()), "BMP"));
    }
    void TearDown() override { setProgramFolder({}); }

    void restoreOld()
    {
        fs::remove_all(slate);
        fs::copy(pristine, slate, kCopy);
    }

    // Kills the verb (which ends in --replace) after 1, 2, ... steps of its folder change
    // until it finishes; after each kill the skin is old or new whole, the next run
    // cleans up even when it refuses (without --replace), and a run with it completes.
    void killAtEveryStep(const std::vector<std::string>& args)
    {
        const std::vector<std::string> refused(args.begin(), args.end() - 1);
        const auto old = snapshotOf(slate);
        ASSERT_EQ(runVerb(args), 0);
        const auto fresh = snapshotOf(slate);
        ASSERT_NE(fresh, old);
        restoreOld();
        const int runs = test::stopAtEveryStep(
            [&] {
                std::ostringstream out, err;
                ::_exit(runCommandLine(args, out, err));
            },
            [&](bool finished) {
                const auto now = snapshotOf(slate);
                EXPECT_TRUE(finished ? now == fresh : now == old || now == fresh);
                runVerb(refused, 2);
                EXPECT_EQ(snapshotOf(slate), now);
                EXPECT_EQ(namesIn(skins), std::vector<std::string>{"Slate"});
                ASSERT_EQ(runVerb(args), 0);
                EXPECT_EQ(snapshotOf(slate), fresh);
                EXPECT_EQ(namesIn(skins), std::vector<std::string>{"Slate"});
                restoreOld();
            });
        EXPECT_GT(runs, 4);  // the change was stopped at several points
    }
};

TEST_F(FolderKill, InstallOverASkinKilledAtEveryStep)
{
    const fs::path archive = dir.path() / "Slate.zip";
    writeArchive(archive, {{"Slate/Slate.uis", "[TITLEBARSKIN]\r\nSkinName=New\r\n"},
                           {"Slate/top.bmp", noise(200000, 2)},
                           {"Slate/new.bmp", noise(100000, 3)}});
    killAtEveryStep({"install", archive.string(), "--skins", skins.string(), "--replace"});
}

TEST_F(FolderKill, CutReplaceKilledAtEveryStep)
{
    killAtEveryStep({"cut", picture.string(), "--name", "Slate", "--skins", skins.string(), "--button",
                     "350,5,15,14", "--replace"});
}

// pack has no steps of its own to stop at: it is killed after random delays instead,
// and interrupted by each cleaning signal.
TEST_F(FolderKill, PackKilledAtRandomMomentsLeavesTheOldOrTheNewArchive)
{
    const fs::path uis = slate / "Slate.uis";
    const fs::path archive = slate / "slate.zip";
    writeWithFolders(slate / "big.bmp", noise(3000000, 4));
    writeWithFolders(uis, "[TITLEBARSKIN]\r\nTop=Slate\\top.bmp\r\nBig=Slate\\big.bmp\r\n");
    const std::vector<std::string> args{"pack", uis.string()};
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runVerb(args), 0);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    const std::string fresh = readBytes(archive);
    const std::string old = "an archive from before";
    std::mt19937 random(34);
    const std::vector<std::string> expectedNames{"Slate.uis", "big.bmp", "extras", "mine.psd", "slate.zip", "top.bmp"};
    int interrupted = 0;
    for (int round = 0; round < 24; ++round) {
        const int signal = round % 4 == 0 ? SIGTERM : round % 4 == 1 ? SIGINT : round % 4 == 2 ? SIGHUP : SIGKILL;
        SCOPED_TRACE("round " + std::to_string(round));
        writeWithFolders(archive, old);
        const pid_t pid = ::fork();
        if (pid == 0) {
            std::ostringstream out, err;
            ::_exit(runCommandLine(args, out, err));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (took.count() + 1)));
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        interrupted += WIFSIGNALED(status);
        const std::string now = readBytes(archive);
        EXPECT_TRUE(now == old || now == fresh);
        if (signal != SIGKILL)
            EXPECT_EQ(namesIn(slate), expectedNames);
        ASSERT_EQ(runVerb(args), 0);
        EXPECT_EQ(readBytes(archive), fresh);
        EXPECT_EQ(namesIn(slate), expectedNames);
    }
    EXPECT_GT(interrupted, 6);
}

}  // namespace
}  // namespace sw
