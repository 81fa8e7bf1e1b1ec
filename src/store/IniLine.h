// How one line of an INI file is understood. The in-memory stores and the in-place
// file editor both classify lines here, so what a read finds and what a
// write-through edit touches on disk are always the same line.
#pragma once

#include <cstddef>
#include <string_view>

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
// an empty text yields nothing.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\n' && *q != '\r')
            ++q;
        std::size_t eol = 0;
        if (q < end)
            eol = (*q == '\r' && q + 1 < end && q[1] == '\n') ? 2 : 1;
        visit(std::string_view(p, std::size_t(q - p)), eol);
        p = q + eol;
    }
}

}  // namespace sw
