// A writer process is killed (SIGKILL) at random moments while it edits a personality's
// working copy through the write-through store and saves it over the personality file.
// After every kill both files must hold exactly the content of some moment between two
// writes (never a mixture), and must reopen as the same personality.
#include "CrashWriter.h"

#include "document/UisFile.h"
#include "store/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <csignal>
#include <map>
#include <set>
#include <random>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::crashPayload;
using test::crashTemplate;
using test::TempDir;
using test::writeBytes;

// The bytes of the personality after Counter=counter and Data=crashPayload(payload)
// were written into the template, made with the store in a folder of its own.
class ExpectedStates {
public:
    explicit ExpectedStates(fs::path folder) : folder_(std::move(folder)) {}

    const std::string& bytes(int counter, int payload)
    {
        auto key = std::make_pair(counter, payload);
        auto found = states_.find(key);
        if (found != states_.end())
            return found->second;
        fs::path file = folder_ / "expected.uis";
        writeBytes(file, crashTemplate());
        {
            TIniFile ini(file.string());
            ini.WriteInteger("TITLEBARSKIN", "Counter", counter);
            ini.WriteString("PAYLOAD", "Data", crashPayload(payload));
        }
        return states_[key] = readFileBytes(file);
    }

private:
    fs::path folder_;
    std::map<std::pair<int, int>, std::string> states_;
};

// Checks one file after a kill; returns its counter, or -1 after reporting a failure.
int checkWhole(const fs::path& file, ExpectedStates& expected)
{
    std::string bytes = readFileBytes(file);
    TUisFile reopened(file.string());
    EXPECT_EQ(reopened.FormatVersion(), UisType2) << file;
    int counter = reopened.ReadInteger("TITLEBARSKIN", "Counter", -1);
    // The payload names its round: "r<round>:..."; it lags the counter when a writer
    // was killed between the two writes of a round (and the next one went on).
    std::string data = reopened.ReadString("PAYLOAD", "Data", "");
    int payload = data.size() > 1 ? std::atoi(data.c_str() + 1) : -1;
    if (counter < 0 || payload < 0 || payload > counter) {
        ADD_FAILURE() << file << " holds counter " << counter << " and payload " << payload << " ("
                      << bytes.size() << " bytes)";
        return -1;
    }
    if (bytes != expected.bytes(counter, payload)) {
        ADD_FAILURE() << file << " is torn: counter " << counter << ", payload " << payload << ", "
                      << bytes.size() << " bytes";
        return -1;
    }
    return counter;
}

bool hasTemporaryFile(const fs::path& folder)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().find(".~sw") != std::string::npos)
            return true;
    return false;
}

// The writer process; never outlives the test, whatever assertion ends it.
class Writer {
public:
    explicit Writer(const fs::path& folder)
    {
        std::string program = SKINWRT_CRASH_WRITER, argument = folder.string();
        char* argv[] = {program.data(), argument.data(), nullptr};
        if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0)
            pid_ = -1;
    }
    ~Writer()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool started() const { return pid_ > 0; }
    // Kills it; returns the status waitpid reports.
    int kill()
    {
        int status = 0;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
};

TEST(CrashSafety, AKilledWriterLeavesEveryFileWholeAndReadable)
{
    TempDir dir;
    const fs::path folder = dir.path() / "Crash";
    fs::create_directories(folder);
    fs::create_directories(dir.path() / "expected");
    writeBytes(folder / "Work.uis", crashTemplate());
    writeBytes(folder / "Skin.uis", crashTemplate());
    for (const char* name : {"Work.uis", "Skin.uis"})
        fs::permissions(folder / name, fs::perms::owner_read | fs::perms::owner_write);
    ExpectedStates expected(dir.path() / "expected");
    std::set<std::string> leftWork;  // the working copy's temporaries after the last kill

    std::mt19937 random(20240607);
    constexpr int kKills = 40;
    int advanced = 0, lastCounter = 0, leftovers = 0;
    for (int round = 0; round < kKills && !HasFailure(); ++round) {
        auto startTime = fs::last_write_time(folder / "Work.uis");
        Writer writer(folder);
        ASSERT_TRUE(writer.started()) << "cannot start " << SKINWRT_CRASH_WRITER;
        // Wait until the writer is in its loop (its first write has landed), then let
        // it run a random while longer, so the kill falls anywhere in a round.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        std::error_code ec;
        while (fs::last_write_time(folder / "Work.uis", ec) == startTime && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        if (round % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(random)));
        } else {
            // Every other kill aims at the middle of a write: as soon as a temporary
            // file appears beside the personality.
            auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (!hasTemporaryFile(folder) && std::chrono::steady_clock::now() < until) {
            }
        }
        int status = writer.kill();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer ended on its own before the kill (status " << status << ")";

        int work = checkWhole(folder / "Work.uis", expected);
        int saved = checkWhole(folder / "Skin.uis", expected);
        EXPECT_LE(saved, work) << "the personality is ahead of its working copy";
        if (work > lastCounter)
            ++advanced;
        lastCounter = std::max(lastCounter, work);
        // A kill in the middle of a write leaves its unfinished temporary file behind:
        // readable by no one the personality itself is not readable by, and removed by
        // the next writer of the same file, so they never pile up.
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".~sw") == std::string::npos)
                continue;
            left.insert(name);
            EXPECT_EQ(entry.status().permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none)
                << name << " can be read by others";
            if (name.rfind("Work.uis", 0) == 0) {
                EXPECT_EQ(leftWork.count(name), 0u) << name << " outlived the next write of its file";
            }
        }
        EXPECT_LE(left.size(), 2u) << "temporary files pile up";
        leftWork.clear();
        for (const std::string& name : left)
            if (name.rfind("Work.uis", 0) == 0)
                leftWork.insert(name);
        leftovers += !left.empty();
    }
    // Every kill came after at least one write of that run, and some in the middle of one.
    EXPECT_EQ(advanced, kKills);
    EXPECT_GT(leftovers, 0) << "no kill landed during a write";
    RecordProperty("rounds_written", lastCounter);
    RecordProperty("kills_during_a_write", leftovers);
    std::printf("%d kills, %d rounds written, %d kills landed during a write\n", kKills, lastCounter, leftovers);
}

}  // namespace
}  // namespace sw
