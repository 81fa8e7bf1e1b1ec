// The write-through INI store: reads come from memory, and every change is made in
// place on disk first (through ProfileFile) and only then in memory, so a file's
// comments and layout survive editing and a failed write changes nothing.
#pragma once

#include "store/AcceleratedIniFile.h"
#include "store/ProfileFile.h"

#include <cstdint>
#include <utility>

namespace sw {

class TIniFile;

// What an editor puts between its windows and the file: every change asks first
// (so pending work elsewhere can be applied, or the change refused), and a change
// that cannot be written is handed over instead of thrown through the windows.
class ChangeGuard {
public:
    virtual ~ChangeGuard() = default;
    // False refuses the change: nothing is written, nothing is thrown.
    virtual bool beforeChange(TIniFile& file) = 0;
    // The change could not be written; the file and the store are as they were.
    virtual void changeFailed(TIniFile& file, const std::string& message) = 0;
};

class TIniFile : public TAcceleratedIniFile {
public:
    // A file name without a folder names that file in the Windows folder.
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;

    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    // Every change is already on disk; there is nothing buffered to flush.
    void UpdateFile() override;

    // Rewrites the whole file with these bytes and reads the store from them again:
    // how undo and redo put back a document exactly as it was.
    void ReplaceBytes(std::string_view bytes);
    // Whether each edit waits until it is on the disk (the default); a working copy
    // that is saved elsewhere later may turn this off.
    void SetDurable(bool durable) { disk_.setDurable(durable); }
    // A file this store alone may change (an editor's working copy): what another
    // program did to it is overwritten from memory by the next change instead of read in.
    void SetOwnedCopy(bool owned) { disk_.setOwned(owned); }
    // How often the file had to be written again from memory so far.
    std::uint64_t OwnedCopyRestores() const { return disk_.ownedRestores(); }

    // Changes go through the guard while one is set (nullptr: changes throw).
    void SetChangeGuard(ChangeGuard* guard) { guard_ = guard; }
    // Lets the changes made while it lives throw instead of going through the guard:
    // for callers that handle a failure themselves (undo, applying typed text, save).
    class Unguarded {
    public:
        explicit Unguarded(TIniFile& file) : file_(file), guard_(std::exchange(file.guard_, nullptr)) {}
        ~Unguarded() { file_.guard_ = guard_; }
        Unguarded(const Unguarded&) = delete;
        Unguarded& operator=(const Unguarded&) = delete;

    private:
        TIniFile& file_;
        ChangeGuard* guard_;
    };

    // The disk file this store edits, and its bytes as last read or written.
    const std::filesystem::path& DiskPath() const { return disk_.path(); }
    const std::string& DiskBytes() const { return disk_.bytes(); }
    // Whether another program changed the file since it was opened (its change was
    // read in before the next edit).
    bool ChangedByOthers() const { return disk_.externalReloads() != 0; }

protected:
    // With diskBacked false the store names no real file: it reads and writes memory only.
    TIniFile(std::string fileName, bool diskBacked);

private:
    // Runs one change through the guard, if there is one.
    template <typename Change>
    void guarded(Change&& change);
    void writeThrough(std::string_view section, std::string_view key, std::string_view value);

    ProfileFile disk_;
    ChangeGuard* guard_ = nullptr;
    bool diskBacked_ = true;
};

}  // namespace sw
