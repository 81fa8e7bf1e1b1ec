// Whole-folder comparisons for tests of changes under fault: a snapshot of every entry
// below a folder (file bytes, link targets, subfolders), and a change run in a child
// process stopped at each of its steps in turn.
#pragma once

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "engine/FolderChange.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace sw::test {

// Relative path -> "file:<bytes>", "link:<target>", "folder" or "other" (a FIFO...).
// Empty for a missing folder.
inline std::map<std::string, std::string> snapshotOf(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().lexically_relative(folder).generic_string();
        if (it->is_symlink())
            entries[name] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            entries[name] = "folder";
        else if (it->is_regular_file())
            entries[name] = "file:" + readBytes(it->path());
        else
            entries[name] = "other";
    }
    return entries;
}

// writeBytes, creating the folders on the way first.
inline void writeWithFolders(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    writeBytes(file, bytes);
}

// The names in the folder, sorted.
inline std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs body in a forked child (exit 0 when it returns, 3 when it throws) and returns
// the wait status.
inline int runInChild(const std::function<void()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            body();
        } catch (...) {
            ::_exit(3);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

inline int stepsLeft = 0;
inline int stopSignal = SIGKILL;
inline void stopAtStep(const char*)
{
    if (--stepsLeft == 0)
        ::raise(stopSignal);
}

// Runs `change` in a child stopped by `signal` at the first step of its folder changes,
// then again stopped at the second, and so on until a run finishes; after each run
// `check(finished)` looks at what is on disk. Returns the number of runs.
inline int stopAtEveryStep(const std::function<void()>& change, const std::function<void(bool)>& check,
                           int signal = SIGKILL)
{
    bool finished = false;
    int runs = 0;
    while (!finished && runs < 400) {
        ++runs;
        const int status = runInChild([&] {
            stepsLeft = runs;
            stopSignal = signal;
            setFolderChangeHook(stopAtStep);
            change();
        });
        finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        EXPECT_TRUE(finished || (WIFSIGNALED(status) && WTERMSIG(status) == signal)) << "run " << runs;
        SCOPED_TRACE("stopped at step " + std::to_string(runs));
        check(finished);
    }
    EXPECT_TRUE(finished);
    return runs;
}

}  // namespace sw::test
