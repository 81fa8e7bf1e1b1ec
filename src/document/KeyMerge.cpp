#include "document/KeyMerge.h"

#include "store/IniLine.h"
#include "store/ProfileFile.h"
#include "store/StringOps.h"

#include <map>

namespace sw {

namespace {

struct Entry {
    std::string name, value;
};
struct Section {
    std::string name;
    std::vector<std::string> order;  // folded key names, file order
    std::map<std::string, Entry> keys;
};
struct Parsed {
    std::vector<std::string> order;  // folded section names, file order
    std::map<std::string, Section> sections;

    const Section* find(const std::string& folded) const
    {
        auto it = sections.find(folded);
        return it == sections.end() ? nullptr : &it->second;
    }
};

// Read as the stores read: the first section and the first key of a name win.
Parsed parse(std::string_view text)
{
    Parsed parsed;
    Section* current = nullptr;
    forEachLine(text, [&](std::string_view content, std::size_t) {
        const IniLine line = classifyIniLine(content);
        if (line.kind == IniLineKind::Header) {
            const std::string folded = asciiUpper(std::string(line.name));
            auto [it, added] = parsed.sections.try_emplace(folded);
            current = added ? &it->second : nullptr;
            if (added) {
                it->second.name = std::string(line.name);
                parsed.order.push_back(folded);
            }
        } else if (current && line.kind == IniLineKind::Entry && !line.name.empty()) {
            const std::string folded = asciiUpper(std::string(line.name));
            if (current->keys.try_emplace(folded, Entry{std::string(line.name), std::string(line.value)}).second)
                current->order.push_back(folded);
        }
    });
    return parsed;
}

std::optional<std::string> valueOf(const Section* section, const std::string& key)
{
    if (!section)
        return std::nullopt;
    auto it = section->keys.find(key);
    return it == section->keys.end() ? std::nullopt : std::optional<std::string>(it->second.value);
}

}  // namespace

KeyMergeResult mergeKeyChanges(std::string_view base, std::string_view mine, std::string_view theirs, bool keepMine)
{
    const Parsed b = parse(base), m = parse(mine), t = parse(theirs);
    KeyMergeResult result{std::string(theirs), {}};
    std::string& out = result.bytes;

    // One key: mine changed it from base to `wanted`; theirs has `present`.
    auto settle = [&](const Section& names, const std::string& keyName, const std::optional<std::string>& was,
                      const std::optional<std::string>& wanted, const std::optional<std::string>& present) {
        if (present == wanted)
            return;
        if (present != was) {
            result.conflicts.push_back({names.name, keyName, was, wanted, present});
            if (!keepMine)
                return;
        }
        out = wanted ? iniSetValue(out, names.name, keyName, *wanted) : iniDeleteKey(out, names.name, keyName);
    };

    for (const std::string& folded : m.order) {
        const Section& mineSection = m.sections.at(folded);
        const Section* baseSection = b.find(folded);
        const Section* theirSection = t.find(folded);
        for (const std::string& key : mineSection.order) {
            const std::optional<std::string> was = valueOf(baseSection, key), wanted = valueOf(&mineSection, key);
            if (was != wanted)
                settle(mineSection, mineSection.keys.at(key).name, was, wanted, valueOf(theirSection, key));
        }
        if (baseSection)
            for (const std::string& key : baseSection->order)
                if (!mineSection.keys.count(key))
                    settle(mineSection, baseSection->keys.at(key).name, valueOf(baseSection, key), std::nullopt,
                           valueOf(theirSection, key));
    }

    // Sections mine removed go when theirs still has them as they were.
    for (const std::string& folded : b.order) {
        if (m.find(folded))
            continue;
        const Section& baseSection = b.sections.at(folded);
        const Section* theirSection = t.find(folded);
        if (!theirSection)
            continue;
        bool untouched = theirSection->order.size() == baseSection.order.size();
        for (const std::string& key : baseSection.order)
            untouched = untouched && valueOf(theirSection, key) == valueOf(&baseSection, key);
        if (!untouched) {
            result.conflicts.push_back({baseSection.name, {}, std::string("(section)"), std::nullopt,
                                        std::string("(section, changed)")});
            if (!keepMine)
                continue;
        }
        out = iniEraseSection(out, baseSection.name);
    }
    return result;
}

std::string describeConflicts(const std::vector<KeyConflict>& conflicts, std::size_t maxLines)
{
    auto shown = [](const std::optional<std::string>& value) {
        return value ? "\"" + *value + "\"" : std::string("removed");
    };
    std::string text;
    for (std::size_t i = 0; i < conflicts.size() && i < maxLines; ++i) {
        const KeyConflict& c = conflicts[i];
        if (c.key.empty())
            text += "[" + c.section + "]: removed here, changed there\n";
        else
            text += "[" + c.section + "] " + c.key + ": here " + shown(c.mine) + ", there " + shown(c.theirs) + "\n";
    }
    if (conflicts.size() > maxLines)
        text += "... and " + std::to_string(conflicts.size() - maxLines) + " more\n";
    return text;
}

}  // namespace sw
