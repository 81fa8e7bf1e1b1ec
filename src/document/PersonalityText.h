// A personality file held for reading only, in little more memory than its bytes:
// the bytes themselves and where the first section of each name begins. Reads answer
// as the in-memory stores do (first section, first key, names ignoring case, values
// trimmed), walking the lines of one section; nothing is kept per line, and only the
// long section read last has its keys indexed. The validate verb checks files of
// millions of lines with it.
#pragma once

#include "store/CustomIniFile.h"
#include "store/IniLine.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class PersonalityText : public TCustomIniFile {
public:
    // Reads the file; throws EIniFileException as readFileBytes does (a file that cannot
    // be read, is not a regular file or is larger than the store's limit).
    explicit PersonalityText(const std::filesystem::path& file);
    // The text of a file already in memory; `fileName` only names it.
    PersonalityText(std::string fileName, std::string bytes);
    ~PersonalityText() override;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    // Every section, in order, repeated names included (as the stores list them).
    void ReadSections(TStrings& sections) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSectionValues(std::string_view section, TStrings& entries) override;
    // The text is read-only: each change throws EIniFileException naming the file.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    void UpdateFile() override;

    // The first section of each name, in the order of the file (a repeated section
    // reads as its first occurrence, so the later ones are not listed).
    std::size_t SectionCount() const { return firstHeaders_.size(); }
    std::string_view SectionName(std::size_t position) const;
    // Calls visit(name, value) for each entry of the section at that position, in order;
    // a visit that returns false stops the walk.
    template <typename Visit>
    void ForEachEntry(std::size_t position, Visit&& visit) const
    {
        auto entry = [&](std::string_view name, std::string_view value, std::size_t) {
            return bool(visit(name, value));
        };
        walkBody(firstHeaders_[position], entry);
    }

    // The value of the first key of that name in the first section of that name, as the
    // stores read it, looked for in the text itself without keeping anything.
    static std::optional<std::string_view> FindValue(std::string_view text, std::string_view section,
                                                     std::string_view key);

private:
    void index();
    // The offset of the header line of the first section of that name, or nothing.
    std::optional<uint32_t> find(std::string_view name) const;
    std::string_view nameAt(uint32_t headerOffset) const;
    void grow();

    // The line that begins at an offset (without its line break) and where the next
    // one begins, split as forEachLine splits them.
    std::string_view lineAt(std::size_t offset, std::size_t& next) const
    {
        const char* base = bytes_.data();
        const std::size_t size = bytes_.size();
        std::size_t end = offset;
        while (end < size && base[end] != '\r' && base[end] != '\n')
            ++end;
        next = end;
        if (next < size)
            next += (base[next] == '\r' && next + 1 < size && base[next + 1] == '\n') ? 2 : 1;
        return {base + offset, end - offset};
    }

    // Calls visit(name, value, lineOffset) for the entries after the header line at that
    // offset, up to the next header or the end; a visit that returns false stops it.
    template <typename Visit>
    void walkBody(uint32_t headerOffset, Visit& visit) const
    {
        std::size_t next = 0;
        lineAt(headerOffset, next);
        walkFrom(next, visit);
    }
    template <typename Visit>
    void walkFrom(std::size_t offset, Visit& visit) const
    {
        while (offset < bytes_.size()) {
            std::size_t next = 0;
            IniLine parsed = classifyIniLine(lineAt(offset, next));
            if (parsed.kind == IniLineKind::Header)
                return;
            if (parsed.kind == IniLineKind::Entry && !visit(parsed.name, parsed.value, offset))
                return;
            offset = next;
        }
    }

    // Where the first entry of a key lies in a long section that is read again and
    // again (the personality's own section, say): one section at a time is indexed.
    struct KeyIndex;
    std::optional<std::size_t> findKey(uint32_t headerOffset, std::string_view key, std::size_t& walked);
    void indexKeys(uint32_t headerOffset);

    std::string bytes_;
    // Where the header line of the first section of each name begins, in file order.
    std::vector<uint32_t> firstHeaders_;
    // Open addressing over firstHeaders_: position + 1, 0 for a free slot; names are
    // compared by reading them from the text, so a slot costs four bytes.
    std::vector<uint32_t> slots_;
    std::unique_ptr<KeyIndex> keys_;
    // The section read last, and where it begins (nothing when there is none).
    std::string lastSection_;
    std::optional<uint32_t> lastHeader_;
};

}  // namespace sw
