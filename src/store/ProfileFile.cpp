#include "store/ProfileFile.h"

#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/IniLine.h"
#include "store/LockedFile.h"
#include "store/StringOps.h"

#include <cstring>


namespace sw {

namespace fs = std::filesystem;

namespace {

// One line of the text: where it starts, its length without the line end, and the
// length of that line end (0 for a last line without one).
struct Span {
    std::size_t start = 0, length = 0, eol = 0;
    std::size_t end() const { return start + length + eol; }
};

// What one scan of the text finds for a section and a key.
struct Scan {
    bool hasHeader = false;
    Span header;              // the first header of the section
    std::size_t sectionEnd = 0;  // offset of the next header, or the text's size
    bool hasKey = false;
    Span key;                 // the first entry of the key in that section
    Span lastEntry;           // the section's last entry, or its header
    Span lastLine;            // the text's last line
    bool hasLines = false;
    std::string_view firstEol;  // the first line end of the text
};

Scan scanText(std::string_view text, std::string_view section, std::string_view key, bool wantKey)
{
    Scan scan;
    scan.sectionEnd = text.size();
    bool inSection = false;
    // The walk stops as soon as nothing more can change the result: at the key, or at
    // the end of the section. Only a missing section needs the text's last line.
    forEachLine(text, [&](std::string_view content, std::size_t eol) {
        Span span{std::size_t(content.data() - text.data()), content.size(), eol};
        scan.lastLine = span;
        scan.hasLines = true;
        if (scan.firstEol.empty() && eol)
            scan.firstEol = text.substr(span.start + span.length, eol);
        // Outside the section only headers matter; most lines are told apart by
        // their first byte that is not blank.
        if (!inSection) {
            std::size_t first = 0;
            while (first < content.size() && static_cast<unsigned char>(content[first]) <= 32)
                ++first;
            if (first == content.size() || content[first] != '[')
                return true;
        }
        IniLine parsed = classifyIniLine(content);
        if (parsed.kind == IniLineKind::Header) {
            if (inSection) {
                scan.sectionEnd = span.start;
                return false;
            }
            if (!scan.hasHeader && sameText(parsed.name, section)) {
                scan.hasHeader = inSection = true;
                scan.header = scan.lastEntry = span;
            }
            return true;
        }
        if (!inSection || parsed.kind != IniLineKind::Entry)
            return true;
        scan.lastEntry = span;
        if (wantKey && sameText(parsed.name, key)) {
            scan.hasKey = true;
            scan.key = span;
            return false;
        }
        return true;
    });
    return scan;
}

// Where the value of an entry line begins: after its "=" and the blanks that follow,
// so that replacing from there keeps the key exactly as the file spells it.
std::size_t valueOffset(std::string_view line)
{
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::string_view::npos;
    std::size_t at = eq + 1;
    while (at < line.size() && static_cast<unsigned char>(line[at]) <= 32)
        ++at;
    return at;
}

}  // namespace

ProfileFile::ProfileFile(fs::path path) : path_(std::move(path)) {}

const std::string& ProfileFile::load()
{
    std::error_code ec;
    text_ = fs::exists(path_, ec) ? readFileBytes(path_) : std::string();
    loaded_ = true;
    return text_;
}

std::optional<std::string> ProfileFile::readValue(std::string_view section, std::string_view key)
{
    // Read in blocks and let go: a look-up keeps nothing of the file, and needs no copy of it.
    std::error_code ec;
    if (!fs::exists(path_, ec))
        return std::nullopt;
    std::optional<std::string> value;
    bool inSection = false, done = false;
    readFileLines(path_, [&](std::string_view block) {
        std::size_t pos = 0;
        while (pos < block.size() && !done) {
            if (!inSection) {
                // Before the section only headers matter, and a header begins with "[":
                // jump from one "[" to the next instead of walking every line.
                const void* hit = std::memchr(block.data() + pos, '[', block.size() - pos);
                if (!hit)
                    return true;
                const std::size_t at = std::size_t(static_cast<const char*>(hit) - block.data());
                auto isEnd = [](char c) { return c == '\n' || c == '\r'; };
                std::size_t start = at;
                while (start > 0 && static_cast<unsigned char>(block[start - 1]) <= 32 && !isEnd(block[start - 1]))
                    --start;
                std::size_t end = at;
                while (end < block.size() && !isEnd(block[end]))
                    ++end;
                if (start == 0 || isEnd(block[start - 1])) {
                    IniLine parsed = classifyIniLine(block.substr(start, end - start));
                    inSection = parsed.kind == IniLineKind::Header && sameText(parsed.name, section);
                }
                pos = end;
                continue;
            }
            // In the section: its entries, up to the next header.
            forEachLine(block.substr(pos), [&](std::string_view content, std::size_t) {
                IniLine parsed = classifyIniLine(content);
                if (parsed.kind == IniLineKind::Header)
                    return !(done = true);  // only the first section of the name is read
                if (parsed.kind == IniLineKind::Entry && sameText(parsed.name, key)) {
                    value = std::string(parsed.value);
                    return !(done = true);
                }
                return true;
            });
            pos = block.size();
        }
        return !done;
    });
    return value;
}

void ProfileFile::readLocked(LockedFile& file)
{
    std::string current = file.readAll(kMaxIniFileSize);
    if (loaded_ && current != text_ && owned_) {
        // The whole file is written back from text_, so the edit puts it right again.
        ++ownedRestores_;
        return;
    }
    if (loaded_ && current != text_)
        ++externalReloads_;
    text_ = std::move(current);
    loaded_ = true;
}

void ProfileFile::replaceAll(std::string_view bytes)
{
    LockedFile::Edit(path_, LockedFile::CreateWhenMissing, [&](LockedFile& file) {
        readLocked(file);
        replaceBytes(file, 0, text_.size(), bytes);
    });
}

void ProfileFile::replaceBytes(LockedFile& file, std::size_t from, std::size_t to, std::string_view replacement)
{
    std::string_view old(text_);
    file.replace({old.substr(0, from), replacement, old.substr(to)}, durable_, kMaxIniFileSize);
    if (replacement.size() <= to - from) {
        text_.replace(from, to - from, replacement);
        return;
    }
    // Built at its exact size: growing the old one in place could double its capacity.
    std::string next;
    next.reserve(text_.size() - (to - from) + replacement.size());
    next.append(old.substr(0, from)).append(replacement).append(old.substr(to));
    text_ = std::move(next);
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    checkProfileWrite(path_, section, key, value);
    LockedFile::Edit(path_, LockedFile::CreateWhenMissing, [&](LockedFile& file) { writeLocked(file, section, key, value); });
}

namespace {

// Where one edit replaces bytes of a text: [from, to) becomes `replacement`.
struct TextEdit {
    std::size_t from = 0, to = 0;
    std::string replacement;
};

TextEdit planWrite(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const Scan scan = scanText(text, section, key, true);
    const std::string_view eol = scan.firstEol.empty() ? std::string_view("\r\n") : scan.firstEol;

    if (scan.hasKey) {
        std::string_view line = text.substr(scan.key.start, scan.key.length);
        std::size_t at = valueOffset(line);
        if (at == std::string_view::npos)  // plain text read as an entry without a name
            return {scan.key.start, scan.key.start + scan.key.length, std::string(key) + "=" + std::string(value)};
        return {scan.key.start + at, scan.key.start + scan.key.length, std::string(value)};
    }

    std::string entry;
    entry.reserve(key.size() + value.size() + 3);
    entry.append(key).append(1, '=').append(value);
    if (scan.hasHeader) {
        // After the section's last entry, so comments that lead into the next
        // section stay with it.
        const Span& after = scan.lastEntry;
        std::size_t at = after.end();
        if (after.eol)
            return {at, at, entry.append(text.substr(after.start + after.length, after.eol))};
        return {at, at, std::string(eol) + entry};
    }

    std::string addition;
    if (scan.hasLines) {
        if (scan.lastLine.eol == 0)
            addition += eol;
        if (!trimView(text.substr(scan.lastLine.start, scan.lastLine.length)).empty())
            addition += eol;
    }
    addition.append(1, '[').append(section).append(1, ']').append(eol).append(entry).append(eol);
    return {text.size(), text.size(), std::move(addition)};
}

std::optional<TextEdit> planDelete(std::string_view text, std::string_view section, std::string_view key)
{
    const Scan scan = scanText(text, section, key, true);
    if (!scan.hasKey)
        return std::nullopt;
    return TextEdit{scan.key.start, scan.key.end(), {}};
}

std::optional<TextEdit> planErase(std::string_view text, std::string_view section)
{
    const Scan scan = scanText(text, section, {}, false);
    if (!scan.hasHeader)
        return std::nullopt;
    return TextEdit{scan.header.start, scan.sectionEnd, {}};
}

std::string applied(std::string_view text, const std::optional<TextEdit>& edit)
{
    if (!edit)
        return std::string(text);
    std::string result;
    result.reserve(text.size() - (edit->to - edit->from) + edit->replacement.size());
    result.append(text.substr(0, edit->from)).append(edit->replacement).append(text.substr(edit->to));
    return result;
}

}  // namespace

void ProfileFile::writeLocked(LockedFile& file, std::string_view section, std::string_view key, std::string_view value)
{
    readLocked(file);
    TextEdit edit = planWrite(text_, section, key, value);
    replaceBytes(file, edit.from, edit.to, edit.replacement);
}

bool ProfileFile::deleteKey(std::string_view section, std::string_view key)
{
    LockedFile file(path_, LockedFile::AllowMissing);
    readLocked(file);
    const auto edit = planDelete(text_, section, key);
    if (!edit)
        return false;
    replaceBytes(file, edit->from, edit->to, {});
    return true;
}

bool ProfileFile::eraseSection(std::string_view section)
{
    LockedFile file(path_, LockedFile::AllowMissing);
    readLocked(file);
    const auto edit = planErase(text_, section);
    if (!edit)
        return false;
    replaceBytes(file, edit->from, edit->to, {});
    return true;
}

std::string iniSetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    return applied(text, planWrite(text, section, key, value));
}

std::string iniDeleteKey(std::string_view text, std::string_view section, std::string_view key)
{
    return applied(text, planDelete(text, section, key));
}

std::string iniEraseSection(std::string_view text, std::string_view section)
{
    return applied(text, planErase(text, section));
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
