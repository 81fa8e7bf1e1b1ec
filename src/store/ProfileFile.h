// The in-place editor behind the write-through store: one INI file on disk, changed
// key by key so that every other byte (comments, blank lines, text above the first
// header, order, letter case, line ends) stays as it was.
//
// An edit reads the file under its lock, finds the lines with one scan and writes the
// file back whole, so it costs a few passes over the bytes and a copy of them in memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    // Reads the file (a missing file is empty) and returns its bytes.
    const std::string& load();

    // Reads the file and gives the value of the key as the in-memory stores read it
    // (first section and first key of those names), or nothing when it is missing.
    // The file is read a block at a time and not kept (bytes() does not change).
    std::optional<std::string> readValue(std::string_view section, std::string_view key);

    // Sets the value of the first key of that name in the first section of that name,
    // ignoring case; only the value's bytes change, the key keeps its spelling. A new
    // key goes after the last entry of its section; a new section goes at the end of
    // the file, after an empty line.
    // Each edit holds the file's lock from reading to replacing it, and works on the
    // bytes on disk at that moment, so a change made by anyone since is kept.
    // It throws EIniFileException naming the file when it cannot be written, and then
    // leaves the file as it was.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Removes that one line. Returns whether the key was there.
    bool deleteKey(std::string_view section, std::string_view key);
    // Removes the header and every line up to the next header. Returns whether it was there.
    bool eraseSection(std::string_view section);

    // Replaces the whole file with these bytes (one atomic rewrite).
    void replaceAll(std::string_view bytes);
    // Whether each edit waits until its bytes are on the disk (the default). A
    // scratch file that is copied elsewhere to be kept may do without.
    void setDurable(bool durable) { durable_ = durable; }
    // An owned file belongs to this object alone: when an edit finds it removed or
    // changed by someone else, the edit starts from the bytes last written instead.
    void setOwned(bool owned) { owned_ = owned; }
    std::uint64_t ownedRestores() const { return ownedRestores_; }

    const std::filesystem::path& path() const { return path_; }
    const std::string& bytes() const { return text_; }
    // How often another program's change had to be read in before an edit.
    std::uint64_t externalReloads() const { return externalReloads_; }

private:
    // Reads the locked file into text_, replaces bytes [from, to) with `replacement`
    // and writes it back; text_ then holds what is on disk.
    void replaceBytes(class LockedFile& file, std::size_t from, std::size_t to, std::string_view replacement);
    // Reads the locked file into text_, counting a change made by someone else.
    void readLocked(class LockedFile& file);
    void writeLocked(class LockedFile& file, std::string_view section, std::string_view key, std::string_view value);

    std::filesystem::path path_;
    std::string text_;
    bool durable_ = true;
    // Whether text_ holds what this object last read or wrote, and how often the file
    // turned out to hold something else when an edit read it (another program's change).
    bool loaded_ = false;
    std::uint64_t externalReloads_ = 0;
    bool owned_ = false;
    std::uint64_t ownedRestores_ = 0;
};

// The same three edits made to a text in memory, with the same rules: only the value's
// bytes change, new keys go after the section's last entry, and so on. The text
// must hold what checkProfileWrite accepts.
std::string iniSetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);
std::string iniDeleteKey(std::string_view text, std::string_view section, std::string_view key);
std::string iniEraseSection(std::string_view text, std::string_view section);

// Rejects section, key and value texts that cannot be one line of an INI file
// (line breaks, "=" in a key, a key that would read as a comment or a header),
// throwing EIniFileException naming the file.
void checkProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace sw
