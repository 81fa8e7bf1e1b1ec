// The write-through INI store: reads come from memory, and every change is made in
// place on disk first (through ProfileFile) and only then in memory, so a file's
// comments and layout survive editing and a failed write changes nothing.
#pragma once

#include "store/AcceleratedIniFile.h"
#include "store/ProfileFile.h"

namespace sw {

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
    ProfileFile disk_;
    bool diskBacked_ = true;
};

}  // namespace sw
