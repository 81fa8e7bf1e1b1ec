#include "document/PersonalityText.h"

#include "store/FileBytes.h"
#include "store/NativeFile.h"
#include "store/StringOps.h"

#include <cstring>

namespace sw {

namespace {

// A slot of the section table holds the section's position + 1 in its low bits and
// eight bits of the name's hash above them, so that a probe rarely has to read a name
// from the text.
constexpr uint32_t kPositionBits = 24;
constexpr uint32_t kPositionMask = (uint32_t(1) << kPositionBits) - 1;
// A slot of a key index holds the entry line's offset + 1 and six bits of hash.
constexpr uint32_t kOffsetBits = 26;
constexpr uint32_t kOffsetMask = (uint32_t(1) << kOffsetBits) - 1;

// A section is indexed by key once a read has walked this many of its entries; at
// most this many keys are indexed, and reads of others walk on from where it stopped.
constexpr std::size_t kIndexedAfter = 64;
constexpr std::size_t kMaxIndexedKeys = std::size_t(1) << 20;

// Gives a table of many slots zeros, asking for large pages first: its slots are read
// at random, and with small pages nearly every probe would also miss the page cache
// of the processor. A hint; where it is not known nothing changes.
void clearSlots(std::vector<uint32_t>& slots, std::size_t count)
{
    slots.clear();
    slots.shrink_to_fit();
    slots.reserve(count);
    const std::size_t bytes = count * sizeof(uint32_t);
    if (bytes >= (std::size_t(4) << 20))
        native::adviseLargeBuffer(slots.data(), bytes, false);
    slots.assign(count, 0);
}

uint32_t hashOf(std::string_view name)
{
    std::size_t h = CaseInsensitiveHash{}(name);
    // Mixed once more: the table takes its slot from the low bits, which the
    // multiplication alone leaves alike for names that differ only at their end.
    uint32_t x = uint32_t(h ^ (h >> 32));
    x ^= x >> 16;
    x *= 0x85ebca6bu;
    x ^= x >> 13;
    x *= 0xc2b2ae35u;
    return x ^ (x >> 16);
}

}  // namespace

struct PersonalityText::KeyIndex {
    uint32_t header = 0;
    std::vector<uint32_t> slots;
    std::size_t count = 0;
    // Where indexing stopped: entries from here on are not in the table (the end of
    // the section when it holds no more than kMaxIndexedKeys keys).
    std::size_t resume = 0;
    bool complete = false;
};

PersonalityText::PersonalityText(const std::filesystem::path& file)
    : TCustomIniFile(file.string()), bytes_(readFileBytes(file))
{
    index();
}

PersonalityText::PersonalityText(std::string fileName, std::string bytes)
    : TCustomIniFile(std::move(fileName)), bytes_(std::move(bytes))
{
    if (bytes_.size() > kMaxIniFileSize)
        throw EIniFileException("Unable to read " + FileName() + " (the file is larger than " +
                                std::to_string(kMaxIniFileSize >> 20) + " MB)");
    index();
}

PersonalityText::~PersonalityText() = default;

void PersonalityText::index()
{
    // A section per four bytes at most ("[x]" and a line end), so positions fit the
    // slots; and an offset fits a key slot.
    static_assert(kMaxIniFileSize / 4 < kPositionMask && kMaxIniFileSize < kOffsetMask);
    const char* base = bytes_.data();
    const std::size_t size = bytes_.size();
    auto lineBreak = [](char c) { return c == '\r' || c == '\n'; };
    // Only headers matter here, and a header line holds a "[" after nothing but blanks:
    // jump from one "[" to the next instead of walking every line.
    std::size_t from = 0;
    while (from < size) {
        const void* hit = std::memchr(base + from, '[', size - from);
        if (!hit)
            break;
        const std::size_t bracket = std::size_t(static_cast<const char*>(hit) - base);
        std::size_t start = bracket;
        while (start > 0 && static_cast<unsigned char>(base[start - 1]) <= 32 && !lineBreak(base[start - 1]))
            --start;
        std::size_t end = bracket;
        while (end < size && !lineBreak(base[end]))
            ++end;
        from = end;
        if (start > 0 && !lineBreak(base[start - 1]))
            continue;  // text before it on its line
        IniLine parsed = classifyIniLine(std::string_view(base + start, end - start));
        if (parsed.kind != IniLineKind::Header || find(parsed.name))
            continue;
        // At most half full: a miss, the common case here, then ends after a probe or two.
        if ((firstHeaders_.size() + 1) * 2 > slots_.size())
            grow();
        const uint32_t hash = hashOf(parsed.name);
        const std::size_t mask = slots_.size() - 1;
        std::size_t at = hash & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        firstHeaders_.push_back(uint32_t(start));
        slots_[at] = ((hash >> kPositionBits) << kPositionBits) | uint32_t(firstHeaders_.size());
    }
    firstHeaders_.shrink_to_fit();
}

void PersonalityText::grow()
{
    clearSlots(slots_, slots_.empty() ? 16 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    // In file order, so the names are read from the text front to back.
    for (std::size_t position = 0; position < firstHeaders_.size(); ++position) {
        const uint32_t hash = hashOf(nameAt(firstHeaders_[position]));
        std::size_t at = hash & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = ((hash >> kPositionBits) << kPositionBits) | uint32_t(position + 1);
    }
}

std::optional<uint32_t> PersonalityText::find(std::string_view name) const
{
    if (slots_.empty())
        return std::nullopt;
    const uint32_t hash = hashOf(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint32_t slot = slots_[at];
        if (slot == 0)
            return std::nullopt;
        if ((slot >> kPositionBits) == (hash >> kPositionBits)) {
            const uint32_t header = firstHeaders_[(slot & kPositionMask) - 1];
            if (sameText(nameAt(header), name))
                return header;
        }
    }
}

std::string_view PersonalityText::nameAt(uint32_t headerOffset) const
{
    std::size_t next = 0;
    return classifyIniLine(lineAt(headerOffset, next)).name;
}

std::string_view PersonalityText::SectionName(std::size_t position) const
{
    return nameAt(firstHeaders_[position]);
}

void PersonalityText::indexKeys(uint32_t headerOffset)
{
    auto index = std::make_unique<KeyIndex>();
    index->header = headerOffset;
    auto keyAt = [&](uint32_t slot) {
        std::size_t next = 0;
        return classifyIniLine(lineAt((slot & kOffsetMask) - 1, next)).name;
    };
    auto insert = [&](std::vector<uint32_t>& slots, uint32_t hash, uint32_t slot) {
        const std::size_t mask = slots.size() - 1;
        std::size_t at = hash & mask;
        while (slots[at] != 0)
            at = (at + 1) & mask;
        slots[at] = slot;
    };
    index->slots.assign(16, 0);
    index->complete = true;
    auto visit = [&](std::string_view name, std::string_view, std::size_t offset) {
        const uint32_t hash = hashOf(name);
        const std::size_t mask = index->slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const uint32_t slot = index->slots[at];
            if (slot == 0)
                break;
            if ((slot >> kOffsetBits) == (hash >> kOffsetBits) && sameText(keyAt(slot), name))
                return true;  // a later entry of a key already there
        }
        if (index->count == kMaxIndexedKeys) {
            index->resume = offset;
            index->complete = false;
            return false;
        }
        if ((index->count + 1) * 2 > index->slots.size()) {
            std::vector<uint32_t> larger;
            clearSlots(larger, index->slots.size() * 2);
            for (uint32_t slot : index->slots)
                if (slot != 0)
                    insert(larger, hashOf(keyAt(slot)), slot);
            index->slots = std::move(larger);
        }
        insert(index->slots, hash, ((hash >> kOffsetBits) << kOffsetBits) | uint32_t(offset + 1));
        ++index->count;
        return true;
    };
    walkBody(headerOffset, visit);
    keys_ = std::move(index);
}

std::optional<std::size_t> PersonalityText::findKey(uint32_t headerOffset, std::string_view key, std::size_t& walked)
{
    std::optional<std::size_t> found;
    auto visit = [&](std::string_view name, std::string_view, std::size_t offset) {
        ++walked;
        if (!sameText(name, key))
            return true;
        found = offset;
        return false;
    };
    if (!keys_ || keys_->header != headerOffset) {
        walkBody(headerOffset, visit);
        return found;
    }
    const KeyIndex& index = *keys_;
    const uint32_t hash = hashOf(key);
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint32_t slot = index.slots[at];
        if (slot == 0)
            break;
        if ((slot >> kOffsetBits) != (hash >> kOffsetBits))
            continue;
        std::size_t next = 0;
        if (sameText(classifyIniLine(lineAt((slot & kOffsetMask) - 1, next)).name, key))
            return std::size_t((slot & kOffsetMask) - 1);
    }
    if (!index.complete)
        walkFrom(index.resume, visit);
    return found;
}

std::string PersonalityText::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    // Reads come in runs on one section (a button's action, type and image).
    std::optional<uint32_t> header;
    if (lastHeader_ && sameText(section, lastSection_)) {
        header = lastHeader_;
    } else {
        header = find(section);
        lastSection_ = section;
        lastHeader_ = header;
    }
    if (!header)
        return std::string(def);
    std::size_t walked = 0;
    std::optional<std::size_t> entry = findKey(*header, key, walked);
    // A long section is walked once more to index its keys, so that the next reads
    // of it do not walk it again.
    if (walked > kIndexedAfter && !(keys_ && keys_->header == *header))
        indexKeys(*header);
    if (!entry)
        return std::string(def);
    std::size_t next = 0;
    return std::string(classifyIniLine(lineAt(*entry, next)).value);
}

std::optional<std::string_view> PersonalityText::FindValue(std::string_view text, std::string_view section,
                                                           std::string_view key)
{
    std::optional<std::string_view> found;
    bool inSection = false, seen = false;
    forEachLine(text, [&](std::string_view line, std::size_t) {
        IniLine parsed = classifyIniLine(line);
        if (parsed.kind == IniLineKind::Header) {
            if (inSection || seen)
                return false;  // only the first section of the name counts
            inSection = seen = sameText(parsed.name, section);
        } else if (inSection && parsed.kind == IniLineKind::Entry && sameText(parsed.name, key)) {
            found = parsed.value;
            return false;
        }
        return true;
    });
    return found;
}

void PersonalityText::ReadSections(TStrings& sections)
{
    sections.clear();
    forEachLine(bytes_, [&](std::string_view line, std::size_t) {
        IniLine parsed = classifyIniLine(line);
        if (parsed.kind == IniLineKind::Header)
            sections.emplace_back(parsed.name);
    });
}

void PersonalityText::ReadSection(std::string_view section, TStrings& keys)
{
    keys.clear();
    if (std::optional<uint32_t> header = find(section)) {
        auto visit = [&](std::string_view name, std::string_view, std::size_t) {
            keys.emplace_back(name);
            return true;
        };
        walkBody(*header, visit);
    }
}

void PersonalityText::ReadSectionValues(std::string_view section, TStrings& entries)
{
    entries.clear();
    if (std::optional<uint32_t> header = find(section)) {
        auto visit = [&](std::string_view name, std::string_view value, std::size_t) {
            std::string entry(name);
            entry.append(1, '=').append(value);
            entries.push_back(std::move(entry));
            return true;
        };
        walkBody(*header, visit);
    }
}

namespace {

[[noreturn]] void refuseChange(const std::string& file)
{
    throw EIniFileException("Unable to write to " + file + " (opened for reading only)");
}

}  // namespace

void PersonalityText::WriteString(std::string_view, std::string_view, std::string_view)
{
    refuseChange(FileName());
}

void PersonalityText::EraseSection(std::string_view)
{
    refuseChange(FileName());
}

void PersonalityText::DeleteKey(std::string_view, std::string_view)
{
    refuseChange(FileName());
}

void PersonalityText::UpdateFile() {}

}  // namespace sw
