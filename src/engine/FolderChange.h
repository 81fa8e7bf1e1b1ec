// All-or-nothing changes to one folder (a personality's or a plug-in's): the new
// content is built in a staging folder beside the target, flushed, and swapped in with
// renames, so that the target is at every moment either the old folder whole or the
// new one whole. What a killed change left beside its target is cleaned, or the old
// folder put back, by the next change in the same parent folder.
#pragma once

#include "store/SignalCleanup.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace sw {

// A refused or failed change; the text names the file and gives the system's reason.
class FolderChangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FolderChange {
public:
    enum Start { Empty, CopyOfTarget };

    // Prepares a change of `target` (which need not exist): cleans what killed changes
    // left in its parent folder and makes the staging folder ".NAME.sw-staging-<pid>-<n>"
    // beside it, empty or holding a copy of every file, subfolder and link of the
    // target. Refuses a target that is a symbolic link, not a folder or read-only, and
    // a target holding something that is neither a file, a folder nor a link.
    FolderChange(std::filesystem::path target, Start start);
    // The same, the staging folder starting as a copy of another folder.
    FolderChange(std::filesystem::path target, const std::filesystem::path& copyOf);
    // Without commit() the staging folder goes and the target stays as it was.
    ~FolderChange();
    FolderChange(const FolderChange&) = delete;
    FolderChange& operator=(const FolderChange&) = delete;

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& staging() const { return staging_; }
    bool targetExisted() const { return existed_; }

    // The message with the staging folder's path put back to the target's, so that a
    // failure while writing into the staging folder names the file the user knows.
    std::string inTarget(std::string message) const;

    // Refuses to replace the target's entry `relative` when it is a symbolic link or a
    // file with several hard links (the change would cut it off from its other names).
    void refuseLinked(const std::filesystem::path& relative) const;

    // Flushes every file and folder of the staging folder and puts it in the target's
    // place; the old folder, if any, is removed afterwards.
    void commit();

private:
    void prepare(const std::filesystem::path& copyOf);

    std::filesystem::path target_;
    std::filesystem::path staging_;
    std::optional<RemovedOnSignal> cleanup_;
    bool existed_ = false;
    bool committed_ = false;
};

// Removes the folder whole: one rename takes it out of the way (a killed removal leaves
// only a leftover the next change cleans), then it is deleted. A link in its place
// loses only the link. Throws FolderChangeError naming it.
void removeFolderWhole(const std::filesystem::path& target);

// Cleans what killed changes left in the folder: their staging and deleted folders
// go, and a set-aside old folder is moved back when its target is missing (removed
// otherwise). Folders of changes still running are left alone.
void cleanFolderLeftovers(const std::filesystem::path& parent);

// A point of a change that a test may stop at (kill the process there); the hook is
// called with the step's name. Null: no hook.
using FolderChangeHook = void (*)(const char* step);
void setFolderChangeHook(FolderChangeHook hook);
void folderChangeStep(const char* step);

// Tests only: whether the swap may use the file system's atomic exchange of two names
// (true) or must take the two renames every file system has.
void setFolderExchange(bool allowed);

}  // namespace sw
