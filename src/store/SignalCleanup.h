// Temporary files and folders that must not outlive the process that made them:
// SIGINT, SIGTERM and SIGHUP remove them before the signal takes its usual course,
// and the next run recognises the ones a killed process left by the owner's process
// id in their names.
#pragma once

#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// While it lives, the path (a file or a folder with everything in it) is removed
// when SIGINT, SIGTERM or SIGHUP arrives; a signal the process ignores stays ignored.
// With putBackTo set, the path is instead renamed back to putBackTo when nothing is
// there (a folder set aside by a change interrupted between its two renames).
// A few may be registered at once; one more than that is simply not cleaned.
class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const std::filesystem::path& path, const std::filesystem::path& putBackTo = {});
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    int slot_ = -1;
};

// Blocks SIGINT, SIGTERM and SIGHUP while it lives, so that a path created in its
// scope is registered before a signal could leave it behind.
class CleaningSignalsHeld {
public:
    CleaningSignalsHeld();
    ~CleaningSignalsHeld();
    CleaningSignalsHeld(const CleaningSignalsHeld&) = delete;
    CleaningSignalsHeld& operator=(const CleaningSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// Removes a file, or a folder with everything below it, never following a link (a
// link is removed as a link). Safe to call from a signal handler. Returns whether
// nothing is left at the path.
bool removeTree(const char* path);

// "<pid>-<random>" made for a temporary name of this process.
std::string ownedSuffix();

// For a name that is `prefix` followed by "<pid>-...": whether that process is gone
// (so the name is a leftover). False for other names and for live owners.

}  // namespace sw
