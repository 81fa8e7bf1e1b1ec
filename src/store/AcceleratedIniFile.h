// The in-memory INI store: the whole file as an ordered list of sections, each an
// ordered list of "name=value" entries, written back only by UpdateFile.
#pragma once

#include "store/CustomIniFile.h"
#include "store/FlatNameIndex.h"
#include "store/StringOps.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace sw {

class TAcceleratedIniFile : public TCustomIniFile {
public:
    // Loads the file when it exists; a missing file gives an empty store.
    explicit TAcceleratedIniFile(std::string fileName);
    ~TAcceleratedIniFile() override;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& entries) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    // Writes every section as "[name]", its entries and an empty line, CR LF each;
    // nothing is written when the file name is blank.
    void UpdateFile() override;

    // Appends the sections of another file (when it exists) after the present ones.
    void LoadMore(const std::string& fileName);
    // Appends the sections found in the text.
    void LoadText(std::string_view text) { loadText(text); }

    // The sections in order without copying them: their count and the name of each.
    std::size_t SectionCount() const;
    const std::string& SectionName(std::size_t position) const;
    // One entry of a section: its name and value, views of the store's own bytes.
    struct Entry {
        std::string_view name;
        std::string_view value;
    };
    // The entries of the first section of that name, without a copy (nothing when
    // there is none); valid until the store changes.
    const std::vector<Entry>* SectionEntries(std::string_view section) const;

    // The whole store as UpdateFile writes it.
    std::string Text() const;

protected:
    struct NoLoad {};
    TAcceleratedIniFile(std::string fileName, NoLoad);

    // Appends the sections found in the text.
    void loadText(std::string_view text);
    // Forgets every section and reads the store from the text.
    void replaceText(std::string_view text);

    // Direct access for stores that answer many reads over the same sections: the
    // position of the first section of a name (-1 when none), and a key's value in the
    // section at a position. Generation() changes whenever the content does.
    std::ptrdiff_t SectionPosition(std::string_view name) const { return findSectionPosition(name); }
    std::optional<std::string_view> ValueAt(std::size_t position, std::string_view key) const;
    uint64_t Generation() const { return generation_; }
    // The name of the key as the store spells it, or `key` itself when it is not there.
    std::string KeySpelling(std::string_view section, std::string_view key);

private:
    struct Section;

    Section* findSectionCached(std::string_view name);
    std::ptrdiff_t findSectionPosition(std::string_view name) const;
    Section* findSection(std::string_view name) const;
    Section& appendSection(std::string_view name);
    void clearCache();
    // The name of the section at a position, for the index.
    auto sectionNameAt() const;

    std::unique_ptr<std::deque<Section>> sections_;
    // Keeps a copy of the bytes and gives the view of the copy; the entries point
    // into these buffers, which never move.
    std::string_view keep(std::string_view bytes);
    // Copies every entry into one fresh buffer once written-over bytes outweigh the
    // live ones, so a long editing session does not grow without end.
    void compactIfWasteful();

    // Fixed-size blocks of kept bytes: filling one never moves what it holds.
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };
    std::vector<Block> buffers_;
    std::size_t keptBytes_ = 0;   // in buffers_
    std::size_t wastedBytes_ = 0;  // of entries overwritten or deleted since

    // The one-entry cache of the section found last.
    std::string cachedName_;
    std::ptrdiff_t cachedPosition_ = -1;
    Section* cachedSection_ = nullptr;
    // Name -> first position, built on demand for long files; results are those of
    // the first-match search.
    mutable FlatNameIndex sectionIndex_;
    mutable bool sectionIndexValid_ = false;
    uint64_t generation_ = 0;
};

}  // namespace sw
