// Any bytes as a definition catalogue, queried with the names it defines (and their
// numbered forms): every look-up ends, even on cyclic or long Inherits chains, and
// gives either the caller's default or a value that some section of the catalogue
// holds for that key; a key the section has itself always wins.
#include "FuzzTargets.h"

#include "document/UisDefinition.h"
#include "store/StringOps.h"

#include <algorithm>
#include <set>

namespace sw::fuzz {

namespace {

class ParsedCatalogue : public TUisDefinition {
public:
    explicit ParsedCatalogue(std::string_view text) : TUisDefinition(std::string(), NoLoad{}) { loadText(text); }
    // The plain store's read: no name normalisation, no inheritance.
    std::string PlainRead(std::string_view section, std::string_view key)
    {
        return TAcceleratedIniFile::ReadString(section, key, kMissingValue);
    }
};

constexpr std::size_t kCatalogueSectionsQueried = 32;
const char* const kCommonKeys[] = {"Description", "Type", "Name", "Inherits", "Constraints", "Default", "Optional"};

// "Root,Frame" -> "Root,Frame7"; "Button,Action" -> "Button12,Action": the numbered
// forms a document asks with.
std::string numbered(const std::string& name)
{
    if (startsWithText(name, "ROOT"))
        return name + "7";
    std::size_t comma = name.find(',');
    if (comma == std::string::npos)
        return name + "3";
    return name.substr(0, comma) + "12" + name.substr(comma);
}

}  // namespace

void catalogue(std::string_view data)
{
    ParsedCatalogue definitions(data);
    TStrings all, sections;
    definitions.ReadSections(all);
    sections = all;
    if (sections.size() > kCatalogueSectionsQueried)
        sections.resize(kCatalogueSectionsQueried);

    for (const std::string& section : sections) {
        TStrings keys;
        definitions.ReadSection(section, keys);
        keys.insert(keys.end(), std::begin(kCommonKeys), std::end(kCommonKeys));
        if (keys.size() > 24)
            keys.erase(keys.begin(), keys.end() - 24);
        for (const std::string& asked : {section, numbered(section)}) {
            for (const std::string& key : keys) {
                const std::string one = definitions.ReadString(asked, key, "\x01one");
                const std::string two = definitions.ReadString(asked, key, "\x01two");
                if (one == "\x01one") {
                    require(two == "\x01two", "a look-up gives the default for one caller and a value for another");
                    continue;
                }
                require(one == two, "two look-ups of one key give different values");
                std::string direct = definitions.PlainRead(TUisDefinition::NormaliseName(asked), key);
                if (direct != kMissingValue) {
                    require(one == direct, "a key of the section itself does not win over inherited ones");
                    continue;
                }
                bool held = false;
                for (std::size_t i = 0; i < all.size() && !held; ++i)
                    held = definitions.PlainRead(all[i], key) == one;
                require(held, "an inherited value that no section of the catalogue holds");
            }
            definitions.ReadInteger(asked, "Constraints", 0);
            definitions.ReadBool(asked, "Virtual", false);
        }
    }
}

}  // namespace sw::fuzz
