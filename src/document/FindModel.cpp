#include "document/FindModel.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

#include <set>
#include <utility>

namespace sw {

namespace {

// The catalogue section whose attribute types a section takes: every button-like
// section shares the "Button" definitions.
std::string typeSection(std::string_view section)
{
    const std::string upper = asciiUpper(section);
    if (upper.find("BUTTON") != std::string::npos && upper.rfind("BUTTONS", 0) != 0)
        return "Button";
    return std::string(section);
}

// Section and key names compare without regard to case, as the store finds them.
struct FoldedName {
    bool operator()(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) const
    {
        return std::pair(asciiUpper(a.first), asciiUpper(a.second)) < std::pair(asciiUpper(b.first), asciiUpper(b.second));
    }
};

}  // namespace

std::string latin1Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        const auto byte = static_cast<unsigned char>(c);
        // a-z, and the Latin-1 small letters from a grave to thorn except the division sign.
        if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
            c = static_cast<char>(byte - 0x20);
    }
    return upper;
}

std::vector<std::string> findSections(TUisFile& document)
{
    TStrings all;
    document.ReadSections(all);
    std::vector<std::string> sections;
    std::set<std::string> seen;
    for (std::string& name : all)
        if (seen.insert(asciiUpper(name)).second)
            sections.push_back(std::move(name));
    return sections;
}

bool textMatches(std::string_view candidate, const FindOptions& options)
{
    if (options.CaseSensitive)
        return options.WholeString ? candidate == options.Text
                                   : !options.Text.empty() && candidate.find(options.Text) != std::string_view::npos;
    const std::string text = latin1Upper(options.Text);
    const std::string upper = latin1Upper(candidate);
    return options.WholeString ? upper == text : !text.empty() && upper.find(text) != std::string::npos;
}

std::vector<FindMatch> findInSection(TUisFile& document, std::string_view section, const FindOptions& options)
{
    std::vector<FindMatch> matches;
    if (!options.Names && !options.Values)
        return matches;
    TStrings keys;
    document.ReadSection(section, keys);
    std::set<std::string> seen;
    const std::string types = typeSection(section);
    for (const std::string& key : keys) {
        // A key written twice reads as its first value; one row stands for it.
        if (!seen.insert(asciiUpper(key)).second)
            continue;
        std::string value = document.ReadString(section, key, "");
        if ((options.Names && textMatches(key, options)) || (options.Values && textMatches(value, options)))
            matches.push_back({std::string(section), key, std::move(value), document.AttributeTypeOf(types, key)});
    }
    return matches;
}

std::vector<FindMatch> findInDocument(TUisFile& document, const FindOptions& options)
{
    std::vector<FindMatch> matches;
    for (const std::string& section : findSections(document)) {
        std::vector<FindMatch> found = findInSection(document, section, options);
        matches.insert(matches.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    return matches;
}

std::string replaceText(std::string_view value, std::string_view text, std::string_view replacement)
{
    if (text.empty())
        return std::string(value);
    std::string result;
    result.reserve(value.size());
    std::size_t from = 0;
    for (std::size_t at = value.find(text); at != std::string_view::npos; at = value.find(text, from)) {
        result.append(value, from, at - from);
        result.append(replacement);
        from = at + text.size();
    }
    result.append(value, from);
    return result;
}

ReplaceResult replaceInMatches(TUisFile& document, const std::vector<FindMatch>& matches, std::string_view text,
                               std::string_view replacement)
{
    ReplaceResult result;
    std::set<std::pair<std::string, std::string>, FoldedName> done;
    for (const FindMatch& match : matches) {
        if (!done.insert({match.Section, match.Key}).second)
            continue;
        const std::string current = document.ReadString(match.Section, match.Key, kMissingValue);
        if (current == kMissingValue) {
            ++result.Unchanged;
            continue;
        }
        std::string replaced = replaceText(current, text, replacement);
        // A value without the text is left as it is on disk, byte for byte.
        if (replaced == current) {
            ++result.Unchanged;
            continue;
        }
        document.WriteString(match.Section, match.Key, replaced);
        ++result.Written;
    }
    return result;
}

}  // namespace sw
