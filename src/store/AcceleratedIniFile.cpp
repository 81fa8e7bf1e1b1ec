#include "store/AcceleratedIniFile.h"

#include "store/FileBytes.h"
#include "store/FlatNameIndex.h"
#include "store/IniLine.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace sw {

namespace fs = std::filesystem;

namespace {

// Below these sizes a plain scan is quicker than building and keeping an index.
constexpr std::size_t kIndexedEntries = 16;
constexpr std::size_t kIndexedSections = 16;

// Loaded text is kept in buffers of at least this size, so small writes share one.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

struct TAcceleratedIniFile::Section {
    std::string name;
    std::vector<Entry> entries;
    // Key -> first entry position, built on demand for long sections only, so a file
    // of many small sections pays nothing for it.
    mutable std::unique_ptr<FlatNameIndex> keyIndex;

    auto nameAt() const
    {
        return [this](std::size_t i) { return entries[i].name; };
    }

    std::ptrdiff_t findKey(std::string_view key) const
    {
        if (entries.size() < kIndexedEntries) {
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (sameText(entries[i].name, key))
                    return std::ptrdiff_t(i);
            return -1;
        }
        if (!keyIndex) {
            keyIndex = std::make_unique<FlatNameIndex>();
            keyIndex->build(entries.size(), nameAt());
        }
        return keyIndex->find(key, nameAt());
    }

    void append(Entry entry)
    {
        entries.push_back(entry);
        if (keyIndex)
            keyIndex->add(entries.back().name, entries.size() - 1, nameAt());
    }

    void remove(std::size_t position)
    {
        entries.erase(entries.begin() + std::ptrdiff_t(position));
        keyIndex.reset();
    }
};

auto TAcceleratedIniFile::sectionNameAt() const
{
    return [this](std::size_t i) -> std::string_view { return (*sections_)[i].name; };
}

TAcceleratedIniFile::TAcceleratedIniFile(std::string fileName, NoLoad)
    : TCustomIniFile(std::move(fileName)), sections_(std::make_unique<std::deque<Section>>())
{
}

TAcceleratedIniFile::TAcceleratedIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)), sections_(std::make_unique<std::deque<Section>>())
{
    LoadMore(FileName());
}

TAcceleratedIniFile::~TAcceleratedIniFile() = default;

void TAcceleratedIniFile::LoadMore(const std::string& fileName)
{
    clearCache();
    std::error_code ec;
    if (fileName.empty() || !fs::exists(fileName, ec))
        return;
    loadText(readFileBytes(fileName));
}

std::string_view TAcceleratedIniFile::keep(std::string_view bytes)
{
    keptBytes_ += bytes.size();
    // Small pieces go at the end of the last block while it has room.
    if (buffers_.empty() || buffers_.back().capacity - buffers_.back().size < bytes.size()) {
        Block block;
        block.capacity = std::max(bytes.size(), kBufferSize);
        block.bytes = std::make_unique_for_overwrite<char[]>(block.capacity);
        buffers_.push_back(std::move(block));
    }
    Block& last = buffers_.back();
    char* at = last.bytes.get() + last.size;
    if (!bytes.empty())
        std::memcpy(at, bytes.data(), bytes.size());
    last.size += bytes.size();
    return {at, bytes.size()};
}

void TAcceleratedIniFile::loadText(std::string_view text)
{
    clearCache();
    ++generation_;
    // The entries are views of one copy of the text.
    const std::string_view kept = keep(text);
    Section* current = nullptr;
    forEachLine(kept, [&](std::string_view line, std::size_t) {
        IniLine parsed = classifyIniLine(line);
        if (parsed.kind == IniLineKind::Header)
            current = &appendSection(parsed.name);
        else if (parsed.kind == IniLineKind::Entry && current)
            current->append({parsed.name, parsed.value});
    });
}

void TAcceleratedIniFile::replaceText(std::string_view text)
{
    sections_->clear();
    sectionIndex_.clear();
    sectionIndexValid_ = false;
    // The text may be a view of the present blocks: then it is copied before they go.
    bool ours = false;
    for (const Block& block : buffers_)
        ours = ours || (text.data() >= block.bytes.get() && text.data() < block.bytes.get() + block.capacity);
    const std::string copy = ours ? std::string(text) : std::string();
    buffers_.clear();
    keptBytes_ = wastedBytes_ = 0;
    loadText(ours ? std::string_view(copy) : text);
}

void TAcceleratedIniFile::compactIfWasteful()
{
    if (wastedBytes_ < kBufferSize || wastedBytes_ < keptBytes_ - wastedBytes_)
        return;
    std::vector<Block> old = std::move(buffers_);
    buffers_.clear();
    keptBytes_ = wastedBytes_ = 0;
    for (Section& section : *sections_)
        for (Entry& entry : section.entries) {
            const std::size_t nameSize = entry.name.size();
            const std::string_view both = keep(std::string(entry.name).append(entry.value));
            entry.name = both.substr(0, nameSize);
            entry.value = both.substr(nameSize);
        }
}

void TAcceleratedIniFile::clearCache()
{
    cachedName_.clear();
    cachedPosition_ = -1;
    cachedSection_ = nullptr;
}

TAcceleratedIniFile::Section& TAcceleratedIniFile::appendSection(std::string_view name)
{
    // In a deque: no allocation of its own per section, and the others stay where they are.
    sections_->emplace_back();
    sections_->back().name = name;
    if (sectionIndexValid_)
        sectionIndex_.add(name, sections_->size() - 1, sectionNameAt());
    return sections_->back();
}

std::ptrdiff_t TAcceleratedIniFile::findSectionPosition(std::string_view name) const
{
    const std::deque<Section>& sections = *sections_;
    if (sections.size() < kIndexedSections) {
        for (std::size_t i = 0; i < sections.size(); ++i)
            if (sameText(sections[i].name, name))
                return std::ptrdiff_t(i);
        return -1;
    }
    if (!sectionIndexValid_) {
        sectionIndex_.build(sections.size(), sectionNameAt());
        sectionIndexValid_ = true;
    }
    return sectionIndex_.find(name, sectionNameAt());
}

TAcceleratedIniFile::Section* TAcceleratedIniFile::findSection(std::string_view name) const
{
    std::ptrdiff_t position = findSectionPosition(name);
    return position < 0 ? nullptr : &(*sections_)[std::size_t(position)];
}

TAcceleratedIniFile::Section* TAcceleratedIniFile::findSectionCached(std::string_view name)
{
    if (cachedSection_ && sameText(cachedName_, name))
        return cachedSection_;
    std::ptrdiff_t position = findSectionPosition(name);
    cachedPosition_ = position;
    if (position < 0)
        return nullptr;
    cachedName_ = asciiUpper(name);
    cachedSection_ = &(*sections_)[std::size_t(position)];
    return cachedSection_;
}

std::string TAcceleratedIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    Section* found = findSectionCached(section);
    if (!found)
        return std::string(def);
    std::ptrdiff_t position = found->findKey(key);
    if (position < 0)
        return std::string(def);
    return std::string(found->entries[std::size_t(position)].value);
}

std::optional<std::string_view> TAcceleratedIniFile::ValueAt(std::size_t position, std::string_view key) const
{
    if (position >= sections_->size())
        return std::nullopt;
    const Section& section = (*sections_)[position];
    std::ptrdiff_t found = section.findKey(key);
    if (found < 0)
        return std::nullopt;
    return section.entries[std::size_t(found)].value;
}

std::size_t TAcceleratedIniFile::SectionCount() const
{
    return sections_->size();
}

const std::string& TAcceleratedIniFile::SectionName(std::size_t position) const
{
    return (*sections_)[position].name;
}

const std::vector<TAcceleratedIniFile::Entry>* TAcceleratedIniFile::SectionEntries(std::string_view section) const
{
    const Section* found = findSection(section);
    return found ? &found->entries : nullptr;
}

std::string TAcceleratedIniFile::KeySpelling(std::string_view section, std::string_view key)
{
    Section* found = findSectionCached(section);
    std::ptrdiff_t position = found ? found->findKey(key) : -1;
    if (position < 0)
        return std::string(key);
    return std::string(found->entries[std::size_t(position)].name);
}

void TAcceleratedIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    ++generation_;
    Section* found = findSectionCached(section);
    if (!found)
        found = &appendSection(section);
    // Name and value kept together, the name first; an existing entry takes both,
    // so its name is spelt as written.
    const std::string_view both = keep(std::string(key).append(value));
    const Entry written{both.substr(0, key.size()), both.substr(key.size())};
    std::ptrdiff_t position = found->findKey(key);
    if (position >= 0) {
        Entry& entry = found->entries[std::size_t(position)];
        wastedBytes_ += entry.name.size() + entry.value.size();
        entry = written;
    } else {
        found->append(written);
    }
    compactIfWasteful();
}

void TAcceleratedIniFile::ReadSection(std::string_view section, TStrings& keys)
{
    keys.clear();
    if (Section* found = findSectionCached(section)) {
        keys.reserve(found->entries.size());
        for (const Entry& entry : found->entries)
            keys.emplace_back(entry.name);
    }
}

void TAcceleratedIniFile::ReadSections(TStrings& sections)
{
    sections.clear();
    sections.reserve(sections_->size());
    for (const Section& section : *sections_)
        sections.push_back(section.name);
}

void TAcceleratedIniFile::ReadSectionValues(std::string_view section, TStrings& entries)
{
    entries.clear();
    if (const Section* found = findSection(section)) {
        entries.reserve(found->entries.size());
        for (const Entry& entry : found->entries)
            entries.push_back(std::string(entry.name).append(1, '=').append(entry.value));
    }
}

void TAcceleratedIniFile::EraseSection(std::string_view section)
{
    ++generation_;
    const Section* found = findSection(section);
    if (!found)
        return;
    for (auto it = sections_->begin(); it != sections_->end(); ++it)
        if (&*it == found) {
            for (const Entry& entry : it->entries)
                wastedBytes_ += entry.name.size() + entry.value.size();
            sections_->erase(it);
            break;
        }
    sectionIndexValid_ = false;
    sectionIndex_.clear();
    clearCache();
}

void TAcceleratedIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    ++generation_;
    Section* found = findSection(section);
    if (!found)
        return;
    std::ptrdiff_t position = found->findKey(key);
    if (position >= 0) {
        const Entry& entry = found->entries[std::size_t(position)];
        wastedBytes_ += entry.name.size() + entry.value.size();
        found->remove(std::size_t(position));
    }
}

std::string TAcceleratedIniFile::Text() const
{
    std::string text;
    for (const Section& section : *sections_) {
        text.append(1, '[').append(section.name).append("]\r\n");
        for (const Entry& entry : section.entries)
            text.append(entry.name).append(1, '=').append(entry.value).append("\r\n");
        text.append("\r\n");
    }
    return text;
}

void TAcceleratedIniFile::UpdateFile()
{
    if (trimView(FileName()).empty())
        return;
    writeFileAtomically(FileName(), {Text()});
}

}  // namespace sw
