#include "document/PersonalityText.h"

#include "store/FileBytes.h"
#include "store/StringOps.h"

#include <cstring>

namespace sw {

namespace {

// A slot holds the section's position + 1 in its low bits and eight bits of the
// name's hash above them, so that a probe rarely has to read a name from the text.
constexpr uint32_t kPositionBits = 24;
constexpr uint32_t kPositionMask = (uint32_t(1) << kPositionBits) - 1;

uint32_t hashOf(std::string_view name)
{
    std::size_t h = CaseInsensitiveHash{}(name);
    return uint32_t(h ^ (h >> 32));
}

uint32_t tagOf(uint32_t hash)
{
    return hash >> kPositionBits;
}

}  // namespace

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
    // A section per four bytes at most ("[x]" and a line end), so positions fit the slots.
    static_assert((kMaxIniFileSize / 4) < kPositionMask);
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
        if ((firstHeaders_.size() + 1) * 4 > slots_.size() * 3)
            grow();
        const uint32_t hash = hashOf(parsed.name);
        const std::size_t mask = slots_.size() - 1;
        std::size_t at = hash & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        firstHeaders_.push_back(uint32_t(start));
        slots_[at] = (tagOf(hash) << kPositionBits) | uint32_t(firstHeaders_.size());
    }
    firstHeaders_.shrink_to_fit();
}

void PersonalityText::grow()
{
    std::vector<uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (uint32_t slot : old) {
        if (slot == 0)
            continue;
        std::size_t at = hashOf(nameAt(firstHeaders_[(slot & kPositionMask) - 1])) & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
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
        if (tagOf(slot) == tagOf(hash)) {
            const uint32_t header = firstHeaders_[(slot & kPositionMask) - 1];
            if (sameText(nameAt(header), name))
                return header;
        }
    }
}

std::string_view PersonalityText::nameAt(uint32_t headerOffset) const
{
    // The line ends at the first CR or LF; the CR is looked for only up to the LF, so a
    // file of LF line ends is not searched to its end for every name.
    std::string_view rest = std::string_view(bytes_).substr(headerOffset);
    const void* lf = std::memchr(rest.data(), '\n', rest.size());
    std::size_t end = lf ? std::size_t(static_cast<const char*>(lf) - rest.data()) : rest.size();
    if (const void* cr = std::memchr(rest.data(), '\r', end))
        end = std::size_t(static_cast<const char*>(cr) - rest.data());
    return classifyIniLine(rest.substr(0, end)).name;
}

std::string_view PersonalityText::SectionName(std::size_t position) const
{
    return nameAt(firstHeaders_[position]);
}

std::string PersonalityText::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    std::optional<uint32_t> header = find(section);
    if (!header)
        return std::string(def);
    std::optional<std::string_view> found;
    auto visit = [&](std::string_view name, std::string_view value) {
        if (!sameText(name, key))
            return true;
        found = value;
        return false;
    };
    walkBody(*header, visit);
    return found ? std::string(*found) : std::string(def);
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
        auto visit = [&](std::string_view name, std::string_view) {
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
        auto visit = [&](std::string_view name, std::string_view value) {
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
