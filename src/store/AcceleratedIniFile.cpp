#include "store/AcceleratedIniFile.h"

#include "store/FileBytes.h"
#include "store/FlatNameIndex.h"
#include "store/IniLine.h"

#include <deque>

namespace sw {

namespace fs = std::filesystem;

namespace {

// Below these sizes a plain scan is quicker than building and keeping an index.
constexpr std::size_t kIndexedEntries = 16;
constexpr std::size_t kIndexedSections = 16;

// Names are short: a plain loop finds the "=" sooner than a library search is set up.
std::string_view entryName(const std::string& entry)
{
    const char* text = entry.data();
    std::size_t length = 0;
    while (length < entry.size() && text[length] != '=')
        ++length;
    return {text, length};
}

}  // namespace

struct TAcceleratedIniFile::Section {
    std::string name;
    std::vector<std::string> entries;
    // Key -> first entry position, built on demand for long sections only, so a file
    // of many small sections pays nothing for it.
    mutable std::unique_ptr<FlatNameIndex> keyIndex;

    auto nameAt() const
    {
        return [this](std::size_t i) { return entryName(entries[i]); };
    }

    std::ptrdiff_t findKey(std::string_view key) const
    {
        if (entries.size() < kIndexedEntries) {
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (sameText(entryName(entries[i]), key))
                    return std::ptrdiff_t(i);
            return -1;
        }
        if (!keyIndex) {
            keyIndex = std::make_unique<FlatNameIndex>();
            keyIndex->build(entries.size(), nameAt());
        }
        return keyIndex->find(key, nameAt());
    }

    void append(std::string entry)
    {
        entries.push_back(std::move(entry));
        if (keyIndex)
            keyIndex->add(entryName(entries.back()), entries.size() - 1, nameAt());
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

void TAcceleratedIniFile::loadText(std::string_view text)
{
    clearCache();
    ++generation_;
    Section* current = nullptr;
    forEachLine(text, [&](std::string_view line, std::size_t) {
        IniLine parsed = classifyIniLine(line);
        if (parsed.kind == IniLineKind::Header) {
            current = &appendSection(parsed.name);
        } else if (parsed.kind == IniLineKind::Entry && current) {
            std::string entry;
            entry.reserve(parsed.name.size() + 1 + parsed.value.size());
            entry.append(parsed.name).append(1, '=').append(parsed.value);
            current->append(std::move(entry));
        }
    });
}

void TAcceleratedIniFile::replaceText(std::string_view text)
{
    sections_->clear();
    sectionIndex_.clear();
    sectionIndexValid_ = false;
    loadText(text);
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
    const std::string& entry = found->entries[std::size_t(position)];
    return entry.substr(entryName(entry).size() + 1);
}

std::optional<std::string_view> TAcceleratedIniFile::ValueAt(std::size_t position, std::string_view key) const
{
    if (position >= sections_->size())
        return std::nullopt;
    const Section& section = (*sections_)[position];
    std::ptrdiff_t found = section.findKey(key);
    if (found < 0)
        return std::nullopt;
    const std::string& entry = section.entries[std::size_t(found)];
    return std::string_view(entry).substr(entryName(entry).size() + 1);
}

std::size_t TAcceleratedIniFile::SectionCount() const
{
    return sections_->size();
}

const std::string& TAcceleratedIniFile::SectionName(std::size_t position) const
{
    return (*sections_)[position].name;
}

const TStrings* TAcceleratedIniFile::SectionEntries(std::string_view section) const
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
    return std::string(entryName(found->entries[std::size_t(position)]));
}

void TAcceleratedIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    ++generation_;
    Section* found = findSectionCached(section);
    if (!found)
        found = &appendSection(section);
    std::string entry;
    entry.reserve(key.size() + 1 + value.size());
    entry.append(key).append(1, '=').append(value);
    std::ptrdiff_t position = found->findKey(key);
    if (position >= 0)
        found->entries[std::size_t(position)] = std::move(entry);
    else
        found->append(std::move(entry));
}

void TAcceleratedIniFile::ReadSection(std::string_view section, TStrings& keys)
{
    keys.clear();
    if (Section* found = findSectionCached(section)) {
        keys.reserve(found->entries.size());
        for (const std::string& entry : found->entries)
            keys.emplace_back(entryName(entry));
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
    if (const Section* found = findSection(section))
        entries = found->entries;
}

void TAcceleratedIniFile::EraseSection(std::string_view section)
{
    ++generation_;
    const Section* found = findSection(section);
    if (!found)
        return;
    for (auto it = sections_->begin(); it != sections_->end(); ++it)
        if (&*it == found) {
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
    if (position >= 0)
        found->remove(std::size_t(position));
}

std::string TAcceleratedIniFile::Text() const
{
    std::string text;
    for (const Section& section : *sections_) {
        text.append(1, '[').append(section.name).append("]\r\n");
        for (const std::string& entry : section.entries)
            text.append(entry).append("\r\n");
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
