#include "store/ProfileFile.h"

#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/IniLine.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

ProfileFile::ProfileFile(fs::path path) : path_(std::move(path)) {}

const std::string& ProfileFile::load()
{
    std::error_code ec;
    existed_ = fs::exists(path_, ec);
    text_ = existed_ ? readFileBytes(path_) : std::string();
    parse();
    rememberDiskState();
    return text_;
}

void ProfileFile::rememberDiskState()
{
    std::error_code ec;
    diskSize_ = fs::file_size(path_, ec);
    if (ec)
        diskSize_ = 0;
    diskTime_ = fs::last_write_time(path_, ec);
    if (ec)
        diskTime_ = {};
}

void ProfileFile::reloadIfChangedOnDisk()
{
    std::error_code sizeError, timeError;
    auto size = fs::file_size(path_, sizeError);
    auto time = fs::last_write_time(path_, timeError);
    bool exists = !sizeError && !timeError;
    if (exists != existed_ || (exists && (size != diskSize_ || time != diskTime_))) {
        load();
        ++externalReloads_;
    }
}

void ProfileFile::replaceAll(std::string_view bytes)
{
    replaceBytes(0, text_.size(), bytes);
}

ProfileFile::Line ProfileFile::makeLine(std::size_t start, std::size_t length, std::size_t eolLength) const
{
    std::string_view content(text_.data() + start, length);
    IniLine parsed = classifyIniLine(content);
    Line line{start, uint32_t(length), uint8_t(eolLength), uint8_t(parsed.kind), 0, 0};
    if (parsed.kind != IniLineKind::Ignored && !parsed.name.empty()) {
        line.nameOffset = uint32_t(parsed.name.data() - content.data());
        line.nameLength = uint32_t(parsed.name.size());
    }
    return line;
}

void ProfileFile::parse()
{
    lines_.clear();
    forEachLine(text_, [&](std::string_view content, std::size_t eol) {
        lines_.push_back(makeLine(std::size_t(content.data() - text_.data()), content.size(), eol));
    });
}

std::string_view ProfileFile::nameOf(const Line& line) const
{
    return std::string_view(text_).substr(line.start + line.nameOffset, line.nameLength);
}

std::string_view ProfileFile::eolOf(const Line& line) const
{
    return std::string_view(text_).substr(line.start + line.length, line.eolLength);
}

std::string_view ProfileFile::defaultEol() const
{
    for (const Line& line : lines_)
        if (line.eolLength)
            return eolOf(line);
    return "\r\n";
}

std::ptrdiff_t ProfileFile::findHeader(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == uint8_t(IniLineKind::Header) && sameText(nameOf(lines_[i]), section))
            return std::ptrdiff_t(i);
    return -1;
}

std::size_t ProfileFile::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != uint8_t(IniLineKind::Header))
        ++i;
    return i;
}

std::ptrdiff_t ProfileFile::findKey(std::size_t header, std::size_t end, std::string_view key) const
{
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].kind == uint8_t(IniLineKind::Entry) && sameText(nameOf(lines_[i]), key))
            return std::ptrdiff_t(i);
    return -1;
}

void ProfileFile::replaceBytes(std::size_t from, std::size_t to, std::string_view replacement)
{
    std::string_view old(text_);
    writeFileAtomically(path_, {old.substr(0, from), replacement, old.substr(to)});
    existed_ = true;

    // Re-read only the lines around the change. Start at the line holding `from`, or
    // one line earlier when that one ends in a lone CR or in nothing, since the new
    // bytes may join it (a CR meeting an LF becomes one CR LF break).
    auto lineEnd = [](const Line& line) { return line.start + line.length + line.eolLength; };
    std::size_t first = std::size_t(
        std::upper_bound(lines_.begin(), lines_.end(), from,
                         [&](std::size_t offset, const Line& line) { return offset < lineEnd(line); })
        - lines_.begin());
    if (first > 0) {
        const Line& previous = lines_[first - 1];
        if (previous.eolLength == 0 || (previous.eolLength == 1 && text_[lineEnd(previous) - 1] == '\r'))
            --first;
    }
    std::size_t position = first < lines_.size() ? std::min(lines_[first].start, from) : from;
    const std::ptrdiff_t delta = std::ptrdiff_t(replacement.size()) - std::ptrdiff_t(to - from);
    std::size_t kept = first;
    while (kept < lines_.size() && lines_[kept].start < to)
        ++kept;
    std::vector<Line> tail(lines_.begin() + std::ptrdiff_t(kept), lines_.end());
    for (Line& line : tail)
        line.start = std::size_t(std::ptrdiff_t(line.start) + delta);
    lines_.resize(first);

    text_.replace(from, to - from, replacement);
    const std::size_t changedEnd = from + replacement.size();
    std::size_t next = 0;  // first record of tail not yet passed
    while (position < text_.size()) {
        while (next < tail.size() && tail[next].start < position)
            ++next;
        bool joinsBreak = position > 0 && text_[position - 1] == '\r' && text_[position] == '\n';
        if (position >= changedEnd && next < tail.size() && tail[next].start == position && !joinsBreak)
            break;
        std::size_t end = position;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        std::size_t eol = 0;
        if (end < text_.size())
            eol = (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ? 2 : 1;
        lines_.push_back(makeLine(position, end - position, eol));
        position = end + eol;
    }
    if (position < text_.size())
        lines_.insert(lines_.end(), tail.begin() + std::ptrdiff_t(next), tail.end());
    rememberDiskState();
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    checkProfileWrite(path_, section, key, value);
    reloadIfChangedOnDisk();
    std::string entry;
    entry.reserve(key.size() + value.size() + 1);
    entry.append(key).append(1, '=').append(value);

    std::ptrdiff_t header = findHeader(section);
    if (header >= 0) {
        std::size_t end = sectionEnd(std::size_t(header));
        std::ptrdiff_t found = findKey(std::size_t(header), end, key);
        if (found >= 0) {
            const Line& line = lines_[std::size_t(found)];
            replaceBytes(line.start, line.start + line.length, entry);
            return;
        }
        // After the section's last entry, so comments that lead into the next
        // section stay with it.
        std::size_t after = std::size_t(header);
        for (std::size_t i = std::size_t(header) + 1; i < end; ++i)
            if (lines_[i].kind == uint8_t(IniLineKind::Entry))
                after = i;
        const Line& line = lines_[after];
        std::size_t at = line.start + line.length + line.eolLength;
        if (line.eolLength)
            replaceBytes(at, at, entry.append(eolOf(line)));
        else
            replaceBytes(at, at, std::string(defaultEol()) + entry);
        return;
    }

    std::string eol(defaultEol());
    std::string addition;
    if (!lines_.empty()) {
        if (lines_.back().eolLength == 0)
            addition += eol;
        const Line& last = lines_.back();
        if (!trimView(std::string_view(text_).substr(last.start, last.length)).empty())
            addition += eol;
    }
    addition.append(1, '[').append(section).append(1, ']').append(eol).append(entry).append(eol);
    replaceBytes(text_.size(), text_.size(), addition);
}

bool ProfileFile::deleteKey(std::string_view section, std::string_view key)
{
    reloadIfChangedOnDisk();
    std::ptrdiff_t header = findHeader(section);
    if (header < 0)
        return false;
    std::ptrdiff_t found = findKey(std::size_t(header), sectionEnd(std::size_t(header)), key);
    if (found < 0)
        return false;
    const Line& line = lines_[std::size_t(found)];
    replaceBytes(line.start, line.start + line.length + line.eolLength, {});
    return true;
}

bool ProfileFile::eraseSection(std::string_view section)
{
    reloadIfChangedOnDisk();
    std::ptrdiff_t header = findHeader(section);
    if (header < 0)
        return false;
    std::size_t end = sectionEnd(std::size_t(header));
    std::size_t from = lines_[std::size_t(header)].start;
    std::size_t to = end < lines_.size() ? lines_[end].start : text_.size();
    replaceBytes(from, to, {});
    return true;
}

void checkProfileWrite(const fs::path& file, std::string_view section, std::string_view key, std::string_view value)
{
    auto fail = [&](const std::string& why) {
        throw EIniFileException("Unable to write to " + file.string() + " (" + why + ")");
    };
    auto hasBreak = [](std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        fail("a line break cannot be stored in an INI file");
    if (key.find('=') != std::string_view::npos)
        fail("the key name \"" + std::string(key) + "\" contains \"=\"");
    std::string header = "[" + std::string(section) + "]";
    IniLine parsedHeader = classifyIniLine(header);
    if (parsedHeader.kind != IniLineKind::Header || parsedHeader.name != section)
        fail("\"" + std::string(section) + "\" cannot be a section name");
    std::string line = std::string(key) + "=" + std::string(value);
    IniLine parsedLine = classifyIniLine(line);
    if (parsedLine.kind != IniLineKind::Entry || parsedLine.name != key)
        fail("\"" + std::string(key) + "\" cannot be a key name");
}

}  // namespace sw
