#include "document/LineDiff.h"

#include "store/IniLine.h"

#include <algorithm>
#include <cstdint>

namespace sw {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line, std::size_t) { lines.push_back(line); });
    // A text ending in a line break has no line after it.
    if (!lines.empty() && lines.back().empty() && !text.empty() && (text.back() == '\n' || text.back() == '\r'))
        lines.pop_back();
    return lines;
}

// The edit script of the middle parts by the longest common subsequence; beyond this
// many cells the table would cost more than the answer is worth.
constexpr std::size_t kMaxTableCells = 16u * 1024u * 1024u;

void diffMiddle(const std::vector<std::string_view>& a, std::size_t a0, std::size_t a1,
                const std::vector<std::string_view>& b, std::size_t b0, std::size_t b1, std::string& script)
{
    const std::size_t n = a1 - a0, m = b1 - b0;
    if (n == 0 || m == 0 || n * m > kMaxTableCells) {
        script.append(n, '-').append(m, '+');
        return;
    }
    // lcs[i][j]: common length of a[a0+i..] and b[b0+j..].
    std::vector<uint32_t> lcs((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> uint32_t& { return lcs[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            at(i, j) = a[a0 + i] == b[b0 + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    std::size_t i = 0, j = 0;
    while (i < n && j < m) {
        if (a[a0 + i] == b[b0 + j]) {
            script += ' ';
            ++i, ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            script += '-';
            ++i;
        } else {
            script += '+';
            ++j;
        }
    }
    script.append(n - i, '-').append(m - j, '+');
}

bool isHeader(std::string_view line)
{
    return classifyIniLine(line).kind == IniLineKind::Header;
}

}  // namespace

std::vector<DiffHunk> diffLines(std::string_view oldText, std::string_view newText, int context)
{
    const std::vector<std::string_view> a = splitLines(oldText), b = splitLines(newText);
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    std::string script(prefix, ' ');
    diffMiddle(a, prefix, a.size() - suffix, b, prefix, b.size() - suffix, script);
    script.append(suffix, ' ');

    // Changes closer than two contexts apart share a hunk.
    const std::size_t keep = std::size_t(std::max(context, 0));
    std::vector<std::pair<std::size_t, std::size_t>> groups;  // first and last change
    for (std::size_t k = 0; k < script.size(); ++k)
        if (script[k] != ' ') {
            if (groups.empty() || k - groups.back().second - 1 > 2 * keep)
                groups.push_back({k, k});
            else
                groups.back().second = k;
        }

    std::vector<DiffHunk> hunks;
    std::size_t k = 0, ai = 0, bi = 0;
    std::string section;  // the header in force at old line ai
    auto step = [&](DiffHunk* hunk) {
        const char kind = script[k++];
        if (kind != '+' && isHeader(a[ai]))
            section = std::string(a[ai]);
        if (!hunk) {
            ai += kind != '+';
            bi += kind != '-';
            return;
        }
        if (kind == '+') {
            hunk->lines.push_back({'+', std::string(b[bi++])});
            ++hunk->newCount;
            return;
        }
        hunk->lines.push_back({kind, std::string(a[ai++])});
        ++hunk->oldCount;
        if (kind == ' ') {
            ++bi;
            ++hunk->newCount;
        }
    };
    for (auto [first, last] : groups) {
        const std::size_t from = first > keep ? first - keep : 0;
        const std::size_t to = std::min(script.size(), last + keep + 1);
        while (k < from)
            step(nullptr);
        DiffHunk hunk;
        hunk.oldStart = int(ai) + 1;
        hunk.newStart = int(bi) + 1;
        while (k < to) {
            if (k == first)
                hunk.section = section;  // where the first change stands
            step(&hunk);
        }
        if (hunk.oldCount == 0)
            --hunk.oldStart;  // an insertion names the line it follows
        if (hunk.newCount == 0)
            --hunk.newStart;
        hunks.push_back(std::move(hunk));
    }
    return hunks;
}

std::string unifiedDiff(const std::vector<DiffHunk>& hunks, std::string_view oldName, std::string_view newName)
{
    if (hunks.empty())
        return {};
    std::string text;
    text.append("--- ").append(oldName).append("\n+++ ").append(newName).append("\n");
    for (const DiffHunk& hunk : hunks) {
        text += "@@ -" + std::to_string(hunk.oldStart) + "," + std::to_string(hunk.oldCount) + " +" +
                std::to_string(hunk.newStart) + "," + std::to_string(hunk.newCount) + " @@";
        if (!hunk.section.empty())
            text.append(" ").append(hunk.section);
        text += "\n";
        for (const DiffLine& line : hunk.lines)
            text.append(1, line.kind).append(line.text).append("\n");
    }
    return text;
}

}  // namespace sw
