// Random edits on random files, checked against a plain model of the in-place rules:
// the bytes on disk and what the store reads back must match after every edit.
#include "store/IniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace sw {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The model: the file as a list of lines, parsed afresh for every edit.
struct ModelLine {
    std::string content, eol;
};

std::vector<ModelLine> splitLines(const std::string& bytes)
{
    std::vector<ModelLine> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        ModelLine line;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            line.content += bytes[i++];
        if (i < bytes.size()) {
            bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            line.eol = crlf ? "\r\n" : std::string(1, bytes[i]);
            i += line.eol.size();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string modelTrim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= 32) ++b;
    while (e > b && (unsigned char)s[e - 1] <= 32) --e;
    return s.substr(b, e - b);
}

bool equalNoCase(std::string a, std::string b)
{
    for (auto* s : {&a, &b})
        for (char& c : *s)
            if (c >= 'a' && c <= 'z') c = char(c - 32);
    return a == b;
}

bool isHeader(const ModelLine& l, const std::string& section)
{
    std::string t = modelTrim(l.content);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']' && (section == "\x01" || equalNoCase(t.substr(1, t.size() - 2), section));
}

// The trimmed key of an entry line, or nothing for blank, comment and header lines.
std::optional<std::string> entryKey(const ModelLine& l)
{
    std::string t = modelTrim(l.content);
    if (t.empty() || t[0] == ';' || isHeader(l, "\x01"))
        return std::nullopt;
    std::size_t eq = t.find('=');
    return eq == std::string::npos ? "" : modelTrim(t.substr(0, eq));
}

bool isEntry(const ModelLine& l, const std::string& key)
{
    auto name = entryKey(l);
    return name && equalNoCase(*name, key);
}

struct Model {
    std::string bytes;

    std::string apply(char op, const std::string& section, const std::string& key, const std::string& value)
    {
        std::vector<ModelLine> lines = splitLines(bytes);
        std::string defaultEol = "\r\n";
        for (auto& l : lines)
            if (!l.eol.empty()) { defaultEol = l.eol; break; }
        std::size_t h = 0;
        while (h < lines.size() && !isHeader(lines[h], section)) ++h;
        std::size_t end = h + 1;
        while (end < lines.size() && !isHeader(lines[end], "\x01")) ++end;
        std::size_t k = h + 1;
        while (h < lines.size() && k < end && !isEntry(lines[k], key)) ++k;
        bool sectionFound = h < lines.size(), keyFound = sectionFound && k < end;

        if (op == 'w') {
            std::string entry = key + "=" + value;
            if (keyFound) {
                // The key keeps its spelling and the blanks around "=": only the value changes.
                std::string& content = lines[k].content;
                std::size_t eq = content.find('=');
                if (eq == std::string::npos) {
                    content = entry;
                } else {
                    std::size_t at = eq + 1;
                    while (at < content.size() && static_cast<unsigned char>(content[at]) <= 32) ++at;
                    content = content.substr(0, at) + value;
                }
            } else if (sectionFound) {
                std::size_t after = h;
                for (std::size_t i = h + 1; i < end; ++i)
                    if (entryKey(lines[i]))
                        after = i;
                if (lines[after].eol.empty()) {
                    lines[after].eol = defaultEol;
                    lines.insert(lines.begin() + long(after) + 1, {entry, ""});
                } else {
                    lines.insert(lines.begin() + long(after) + 1, {entry, lines[after].eol});
                }
            } else {
                if (!lines.empty()) {
                    if (lines.back().eol.empty()) lines.back().eol = defaultEol;
                    if (!modelTrim(lines.back().content).empty()) lines.push_back({"", defaultEol});
                }
                lines.push_back({"[" + section + "]", defaultEol});
                lines.push_back({entry, defaultEol});
            }
        } else if (op == 'd' && keyFound) {
            lines.erase(lines.begin() + long(k));
        } else if (op == 'e' && sectionFound) {
            lines.erase(lines.begin() + long(h), lines.begin() + long(end));
        }
        bytes.clear();
        for (auto& l : lines) bytes += l.content + l.eol;
        return bytes;
    }
};

template <typename T>
const T& pick(std::mt19937& random, const std::vector<T>& from)
{
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

TEST(IniFileRandom, EditsMatchTheModelByteForByte)
{
    std::mt19937 random(20261207);
    const std::vector<std::string> sections = {"A", "a", "Colours", "COLOURS", "Button1", "Empty", "New"};
    const std::vector<std::string> keys = {"x", "X", "Key", "kEY", "k2", "", "Long Name"};
    const std::vector<std::string> values = {"1", "0 0 128", "a=b", "semi;colon", "", "v v", std::string("n\0l", 3)};
    const std::vector<std::string> eols = {"\r\n", "\r\n", "\n", "\r"};
    auto chance = [&](int percent) { return int(random() % 100) < percent; };

    TempDir dir;
    const std::string file = dir.file("random.uis");
    for (int round = 0; round < 250; ++round) {
        // A random file: text above the first header, comments, blank lines, odd
        // spacing, plain text, duplicates, mixed line ends, maybe no final break.
        std::string bytes;
        const bool big = round % 10 == 0;
        int lineCount = big ? 1500 : int(random() % 30);
        for (int i = 0; i < lineCount; ++i) {
            int kind = int(random() % 10);
            std::string line;
            if (kind < 2) line = (chance(30) ? "  [" : "[") + pick(random, sections) + (big ? std::to_string(random() % 40) : "") + (chance(30) ? "]  " : "]");
            else if (kind < 7) line = (chance(30) ? " " : "") + pick(random, keys) + (big ? std::to_string(random() % 30) : "") + (chance(30) ? " = " : "=") + pick(random, values);
            else if (kind == 7) line = "; comment " + pick(random, keys);
            else if (kind == 8) line = chance(50) ? "" : "  \t ";
            else line = "plain text";
            bytes += line + (i + 1 == lineCount && chance(30) ? "" : pick(random, eols));
        }
        writeBytes(file, bytes);
        Model model{bytes};
        TIniFile ini(file);
        for (int step = 0; step < 25; ++step) {
            char op = "wwwwdde"[random() % 7];
            std::string section = pick(random, sections) + (big && chance(70) ? std::to_string(random() % 40) : "");
            std::string key = pick(random, keys) + (big && chance(70) ? std::to_string(random() % 30) : "");
            std::string value = pick(random, values);
            std::string before = model.bytes;
            std::string expected = model.apply(op, section, key, value);
            if (op == 'w') ini.WriteString(section, key, value);
            else if (op == 'd') ini.DeleteKey(section, key);
            else ini.EraseSection(section);
            std::string context = "round " + std::to_string(round) + " step " + std::to_string(step) + " op " + op +
                                  " [" + section + "] " + key;
            ASSERT_EQ(readBytes(file), expected) << context;
            TAcceleratedIniFile fresh(file);
            ASSERT_EQ(ini.Text(), fresh.Text()) << context;
            ASSERT_EQ(ini.ReadString(section, key, "?"), fresh.ReadString(section, key, "?")) << context;
        }
    }
}

}  // namespace
}  // namespace sw
