// The in-place editor behind the write-through store: one INI file on disk, changed
// key by key so that every other byte (comments, blank lines, text above the first
// header, order, letter case, line ends) stays as it was.
//
// The file is kept in memory as its bytes plus a record per line, so an edit costs a
// search over the line records and one atomic rewrite, never a re-read. If someone
// else changed the file since it was read or last written, it is read again first,
// so their change is not lost.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    // Reads the file (a missing file is empty) and returns its bytes.
    const std::string& load();

    // Sets the value of the first key of that name in the first section of that name,
    // ignoring case. A new key goes after the last entry of its section; a new
    // section goes at the end of the file, after an empty line.
    // Each edit throws EIniFileException naming the file when it cannot be written,
    // and then leaves both the file and this model as they were.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Removes that one line. Returns whether the key was there.
    bool deleteKey(std::string_view section, std::string_view key);
    // Removes the header and every line up to the next header. Returns whether it was there.
    bool eraseSection(std::string_view section);

    // Replaces the whole file with these bytes (one atomic rewrite).
    void replaceAll(std::string_view bytes);

    const std::filesystem::path& path() const { return path_; }
    const std::string& bytes() const { return text_; }
    // How often another program's change had to be read in before an edit.
    std::uint64_t externalReloads() const { return externalReloads_; }

private:
    struct Line {
        std::size_t start;      // offset of the line in text_
        uint32_t length;        // without its line end
        uint8_t eolLength;      // 0 (last line without a break), 1 (CR or LF) or 2 (CR LF)
        uint8_t kind;           // IniLineKind
        uint32_t nameOffset;    // section or key name, relative to start
        uint32_t nameLength;
    };

    void parse();
    Line makeLine(std::size_t start, std::size_t length, std::size_t eolLength) const;
    std::string_view nameOf(const Line& line) const;
    std::string_view eolOf(const Line& line) const;
    std::string_view defaultEol() const;
    std::ptrdiff_t findHeader(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const;  // index of the next header or lines_.size()
    std::ptrdiff_t findKey(std::size_t header, std::size_t end, std::string_view key) const;
    void reloadIfChangedOnDisk();
    // Writes text_ with bytes [from, to) replaced, then applies the same change to the model.
    void replaceBytes(std::size_t from, std::size_t to, std::string_view replacement);
    void rememberDiskState();

    std::filesystem::path path_;
    std::string text_;
    std::vector<Line> lines_;
    bool existed_ = false;
    std::uintmax_t diskSize_ = 0;
    std::filesystem::file_time_type diskTime_{};
    std::uint64_t externalReloads_ = 0;
};

// Rejects section, key and value texts that cannot be one line of an INI file
// (line breaks, "=" in a key, a key that would read as a comment or a header),
// throwing EIniFileException naming the file.
void checkProfileWrite(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace sw
