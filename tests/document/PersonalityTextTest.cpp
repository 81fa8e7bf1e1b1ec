#include "document/PersonalityText.h"

#include "store/AcceleratedIniFile.h"
#include "store/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace sw {
namespace {

// A random INI text of the shapes the store must agree on: names repeated in other
// letter cases, repeated sections, blanks and control bytes around names and values,
// comments, lines without "=", "[" inside values, every kind of line end, text before
// the first header, and long sections (read through their key index).
std::string randomText(std::mt19937& random)
{
    const char* names[] = {"Alpha", "ALPHA", "beta", "Gamma", "x", "Button1", "button1", "", "a b"};
    const char* keys[] = {"k", "K", "key", "Key2", "top", "TOP", "", "v"};
    const char* values[] = {"1", " 2 ", "", "[x]", "a=b", "\t7\t", "Skin\\top.bmp", "\x01z\x02"};
    const char* ends[] = {"\r\n", "\n", "\r"};
    auto pick = [&](const auto& list) { return list[random() % std::size(list)]; };
    std::string text;
    auto end = [&] { text += random() % 4 == 0 ? pick(ends) : "\r\n"; };
    if (random() % 3 == 0) {
        text += "before=1";
        end();
    }
    const int sections = int(random() % 8);
    for (int s = 0; s < sections; ++s) {
        text += random() % 5 == 0 ? " \t[" : "[";
        text += pick(names);
        text += random() % 5 == 0 ? "] " : "]";
        end();
        // One section in eight is long: a read there walks past the point at which
        // the text indexes its keys.
        const int entries = random() % 8 == 0 ? 100 + int(random() % 300) : int(random() % 6);
        for (int e = 0; e < entries; ++e) {
            switch (random() % 10) {
            case 0: text += "; comment"; break;
            case 1: break;  // blank line
            case 2: text += "plain text"; break;
            case 3: text += "  k" + std::to_string(random() % 50) + " = " + pick(values); break;
            default: text += std::string(pick(keys)) + "=" + pick(values); break;
            }
            end();
        }
    }
    if (random() % 2)
        text += "[last]\nk=tail";  // no line break at the end
    return text;
}

TEST(PersonalityText, ReadsAnswerAsTheStoreDoes)
{
    std::mt19937 random(15);
    const char* sections[] = {"alpha", "BETA", "gamma", "x", "X", "button1", "", "a b", "missing", "last"};
    const char* keys[] = {"k", "key", "KEY2", "top", "", "v", "k7", "K49", "before", "absent"};
    for (int round = 0; round < 300; ++round) {
        const std::string text = randomText(random);
        SCOPED_TRACE("round " + std::to_string(round));
        PersonalityText lean("memory", text);
        TAcceleratedIniFile store{std::string()};
        store.LoadText(text);

        // The first section of each name, in order, with its entries.
        std::vector<std::string> expectedNames, names;
        std::vector<std::string> expectedEntries, entries;
        for (std::size_t i = 0; i < store.SectionCount(); ++i) {
            const std::string& name = store.SectionName(i);
            bool repeated = false;
            for (const std::string& earlier : expectedNames)
                repeated = repeated || sameText(earlier, name);
            if (repeated)
                continue;
            expectedNames.push_back(name);
            for (const auto& entry : *store.SectionEntries(name))
                expectedEntries.push_back(name + "|" + std::string(entry.name) + "=" + std::string(entry.value));
        }
        for (std::size_t i = 0; i < lean.SectionCount(); ++i) {
            const std::string name(lean.SectionName(i));
            names.push_back(name);
            lean.ForEachEntry(i, [&](std::string_view key, std::string_view value) {
                entries.push_back(name + "|" + std::string(key) + "=" + std::string(value));
                return true;
            });
        }
        EXPECT_EQ(names, expectedNames);
        EXPECT_EQ(entries, expectedEntries);

        TStrings all, expectedAll;
        lean.ReadSections(all);
        store.ReadSections(expectedAll);
        EXPECT_EQ(all, expectedAll);

        // Every read, twice over so that the second finds the long sections indexed.
        for (int pass = 0; pass < 2; ++pass)
            for (const char* section : sections)
                for (const char* key : keys)
                    EXPECT_EQ(lean.ReadString(section, key, "#none"), store.ReadString(section, key, "#none"))
                        << "[" << section << "] " << key;
        for (const char* section : sections) {
            TStrings values, expectedValues;
            lean.ReadSectionValues(section, values);
            store.ReadSectionValues(section, expectedValues);
            EXPECT_EQ(values, expectedValues) << section;
        }
    }
}

TEST(PersonalityText, FindValueReadsTheFirstSectionOfTheName)
{
    const struct {
        const char* text;
        const char* section;
        const char* key;
        std::optional<std::string_view> value;
    } rows[] = {
        {"[PluginInfo]\nUisType = 2 \n", "plugininfo", "UISTYPE", "2"},
        {"[PluginInfo]\nOther=1\n[PluginInfo]\nUisType=2\n", "PluginInfo", "UisType", std::nullopt},
        {"UisType=2\n[PluginInfo]\n", "PluginInfo", "UisType", std::nullopt},
        {"[A]\nUisType=1\n[PluginInfo]\r\n; UisType=9\r\nUisType=11\r\nUisType=12", "PluginInfo", "UisType", "11"},
        {"", "PluginInfo", "UisType", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PersonalityText::FindValue(row.text, row.section, row.key), row.value) << row.text;
}

TEST(PersonalityText, IsReadOnlyAndKeepsTheStoresSizeLimit)
{
    PersonalityText text("skin.uis", "[A]\nk=1\n");
    EXPECT_EQ(text.ReadInteger("a", "K", 0), 1);
    EXPECT_TRUE(text.ValueExists("A", "k"));
    try {
        text.WriteString("A", "k", "2");
        FAIL() << "a write was accepted";
    } catch (const EIniFileException& error) {
        EXPECT_STREQ(error.what(), "Unable to write to skin.uis (opened for reading only)");
    }
    EXPECT_THROW(text.DeleteKey("A", "k"), EIniFileException);
    EXPECT_THROW(text.EraseSection("A"), EIniFileException);
    EXPECT_EQ(text.ReadString("A", "k", ""), "1");

    test::TempDir dir;
    const std::string big = dir.file("big.uis");
    test::writeBytes(big, std::string(kMaxIniFileSize + 1, ';'));
    try {
        PersonalityText refused{std::filesystem::path(big)};
        FAIL() << "a file over the limit was read";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to read " + big + " (the file is larger than 32 MB)");
    }
}

}  // namespace
}  // namespace sw
