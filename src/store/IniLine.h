// How one line of an INI file is understood. The in-memory stores and the in-place
// file editor both classify lines here, so what a read finds and what a
// write-through edit touches on disk are always the same line.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace sw {

enum class IniLineKind : unsigned char {
    Ignored,  // blank or comment (";" first after trimming)
    Header,   // "[" name "]" after trimming
    Entry,    // name "=" value, or plain text (an entry with an empty name)
};

struct IniLine {
    IniLineKind kind = IniLineKind::Ignored;
    std::string_view name;   // section name (untrimmed inside the brackets) or trimmed key
    std::string_view value;  // trimmed value; for text without "=" the whole trimmed line
};

IniLine classifyIniLine(std::string_view line);

// Calls visit(content, lineEndLength) for each line; lines end at CR, LF or CR LF.
// A text that ends without a line break still yields its last line (with length 0);
// an empty text yields nothing. A visit that returns bool stops the walk with false.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit)
{
    const char* base = text.data();
    const std::size_t size = text.size();
    // The next LF and the next CR, each looked for with memchr and kept until the walk
    // passes it, so the bytes are searched once even when only one kind of end occurs.
    std::size_t nextLf = 0, nextCr = 0;
    bool lfKnown = false, crKnown = false;
    auto find = [&](std::size_t from, char c) {
        const void* hit = std::memchr(base + from, c, size - from);
        return hit ? std::size_t(static_cast<const char*>(hit) - base) : size;
    };
    std::size_t p = 0;
    while (p < size) {
        if (!lfKnown || nextLf < p) {
            nextLf = find(p, '\n');
            lfKnown = true;
        }
        if (!crKnown || nextCr < p) {
            nextCr = find(p, '\r');
            crKnown = true;
        }
        std::size_t q = nextLf < nextCr ? nextLf : nextCr;
        std::size_t eol = 0;
        if (q < size)
            eol = (base[q] == '\r' && q + 1 < size && base[q + 1] == '\n') ? 2 : 1;
        std::string_view line(base + p, q - p);
        if constexpr (std::is_same_v<decltype(visit(line, eol)), bool>) {
            if (!visit(line, eol))
                return;
        } else {
            visit(line, eol);
        }
        p = q + eol;
    }
}

}  // namespace sw
