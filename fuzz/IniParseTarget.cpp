// Any bytes as an INI file: loading never fails, every stored entry holds an "=",
// reads find the first of duplicate names, the typed reads fall back to their
// defaults, and the text written back from memory reads back as the same store.
#include "FuzzTargets.h"

#include "store/AcceleratedIniFile.h"

#include <algorithm>

namespace sw::fuzz {

namespace {

class ParsedText : public TAcceleratedIniFile {
public:
    explicit ParsedText(std::string_view text) : TAcceleratedIniFile(std::string(), NoLoad{}) { loadText(text); }
};

constexpr std::size_t kSectionsChecked = 48;
constexpr std::size_t kEntriesChecked = 48;

}  // namespace

void iniParse(std::string_view data)
{
    ParsedText store(data);
    const std::string text = store.Text();
    ParsedText again(text);
    require(again.Text() == text, "the text written back from memory reads back as a different store");

    TStrings sections;
    store.ReadSections(sections);
    for (std::size_t s = 0; s < std::min(sections.size(), kSectionsChecked); ++s) {
        const std::string& section = sections[s];
        TStrings entries, keys;
        store.ReadSectionValues(section, entries);
        store.ReadSection(section, keys);
        require(entries.size() == keys.size(), "read section and read section values disagree on the count");
        for (std::size_t e = 0; e < std::min(entries.size(), kEntriesChecked); ++e) {
            const std::string& entry = entries[e];
            std::size_t eq = entry.find('=');
            require(eq != std::string::npos, "a stored entry without \"=\"");
            require(entry.substr(0, eq) == keys[e], "read section gives another name than the entry holds");
            // The first entry of that name (ignoring case) answers the read.
            std::size_t first = 0;
            while (!sameText(keys[first], keys[e]))
                ++first;
            std::string expected = entries[first].substr(entries[first].find('=') + 1);
            require(store.ReadString(section, keys[e], kMissingValue) == expected,
                    "a read does not give the value of the first entry of that name");
            require(store.ValueExists(section, keys[e]) == (expected != kMissingValue),
                    "value exists disagrees with the read");

            // Typed reads never throw; a text that does not convert gives the default.
            int32_t a = store.ReadInteger(section, keys[e], 7), b = store.ReadInteger(section, keys[e], -7);
            require(a == b || (a == 7 && b == -7), "read integer gives neither the value nor the default");
            store.ReadBool(section, keys[e], true);
            double f1 = store.ReadFloat(section, keys[e], 1.5), f2 = store.ReadFloat(section, keys[e], -1.5);
            require(f1 == f2 || (f1 == 1.5 && f2 == -1.5) || (f1 != f1 && f2 != f2),
                    "read float gives neither the value nor the default");
            store.ReadDate(section, keys[e], 0);
            store.ReadTime(section, keys[e], 0);
            store.ReadDateTime(section, keys[e], 0);
        }
    }
}

}  // namespace sw::fuzz
