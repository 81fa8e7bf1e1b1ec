#include "store/IniLine.h"

#include "store/StringOps.h"

namespace sw {

IniLine classifyIniLine(std::string_view line)
{
    std::string_view text = trimView(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        return {IniLineKind::Header, text.substr(1, text.size() - 2), {}};
    std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return {IniLineKind::Entry, {}, text};
    return {IniLineKind::Entry, trimView(text.substr(0, eq)), trimView(text.substr(eq + 1))};
}

}  // namespace sw
