#include "document/UisDefinition.h"

#include "store/StringOps.h"

#include <unordered_set>

namespace sw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string TUisDefinition::NormaliseName(std::string_view section)
{
    std::string name = asciiUpper(section);
    if (name.rfind("ROOT", 0) == 0) {
        while (!name.empty() && isDigit(name.back()))
            name.pop_back();
        return name;
    }
    std::size_t comma = name.find(',');
    if (comma != std::string::npos) {
        std::size_t start = comma;
        while (start > 0 && isDigit(name[start - 1]))
            --start;
        name.erase(start, comma - start);
    }
    return name;
}

std::string TUisDefinition::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    if (section.empty())
        return std::string(def);
    std::string name = NormaliseName(section);
    std::string value = TAcceleratedIniFile::ReadString(name, key, kMissingValue);
    if (value != kMissingValue)
        return value;
    // A chain that comes back to a section it already visited would never end; it
    // stops there and gives the default.
    std::unordered_set<std::string> visited{name};
    std::string next = TAcceleratedIniFile::ReadString(name, "Inherits", "");
    while (!next.empty()) {
        name = NormaliseName(next);
        if (!visited.insert(name).second)
            break;
        value = TAcceleratedIniFile::ReadString(name, key, kMissingValue);
        if (value != kMissingValue)
            return value;
        next = TAcceleratedIniFile::ReadString(name, "Inherits", "");
    }
    return std::string(def);
}

}  // namespace sw
