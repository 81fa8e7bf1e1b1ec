#include "store/FlatNameIndex.h"
#include "store/AcceleratedIniFile.h"
#include "store/IniLine.h"
#include "store/ProfileFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sw {
namespace {

// Each line as "content|eol length", in order.
std::vector<std::string> walk(std::string_view text, std::size_t stopAfter = SIZE_MAX)
{
    std::vector<std::string> lines;
    forEachLine(text, [&](std::string_view line, std::size_t eol) {
        lines.push_back(std::string(line) + "|" + std::to_string(eol));
        return lines.size() < stopAfter;
    });
    return lines;
}

TEST(LineWalk, SplitsAtEveryKindOfLineEndAndStopsWhenAsked)
{
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } rows[] = {
        {"", {}},
        {"a", {"a|0"}},
        {"a\r\nb\r\n", {"a|2", "b|2"}},
        {"a\nb", {"a|1", "b|0"}},
        {"a\rb\r", {"a|1", "b|1"}},
        {"a\n\rb", {"a|1", "|1", "b|0"}},  // LF then CR: two ends, not one
        {"\r\r\r", {"|1", "|1", "|1"}},
        {"x\r\n\n\ry\r\n", {"x|2", "|1", "|1", "y|2"}},
        {"a\nb\rc\r\nd", {"a|1", "b|1", "c|2", "d|0"}},
        {"[S]\r\rk=1\n\n", {"[S]|1", "|1", "k=1|1", "|1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(walk(row.text), row.lines);
        // A visit that answers false ends the walk after that line.
        std::vector<std::string> first(row.lines.begin(), row.lines.begin() + std::min<std::size_t>(2, row.lines.size()));
        EXPECT_EQ(walk(row.text, 2), first);
    }
}

TEST(LineWalk, LongRunsOfOneLineEndAreWalkedWhole)
{
    // Only CRs, then only LFs: each line end found once, every line seen.
    for (char end : {'\r', '\n'}) {
        std::string text(200000, end);
        text += "last";
        std::size_t lines = 0;
        std::string_view last;
        forEachLine(text, [&](std::string_view line, std::size_t) {
            ++lines;
            last = line;
        });
        EXPECT_EQ(lines, 200001u);
        EXPECT_EQ(last, "last");
    }
}

TEST(FlatNameIndex, AnswersTheFirstPositionOfANameIgnoringCase)
{
    // Repeated names (in other letter cases too) keep their first position, and the
    // table keeps doing so as it grows past its first size.
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i)
        names.push_back("Key" + std::to_string(i));
    names.push_back("KEY7");
    names.push_back("key499");
    names.push_back("");
    auto nameAt = [&](std::size_t i) { return std::string_view(names[i]); };

    FlatNameIndex built;
    built.build(names.size(), nameAt);
    FlatNameIndex added;
    for (std::size_t i = 0; i < names.size(); ++i)
        added.add(names[i], i, nameAt);

    const struct {
        const char* name;
        std::ptrdiff_t position;
    } rows[] = {
        {"Key0", 0}, {"key7", 7}, {"KEY7", 7}, {"kEy499", 499}, {"", 502},
        {"Key500", -1}, {"Key", -1}, {"Key00", -1}, {"Key7 ", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(built.find(row.name, nameAt), row.position);
        EXPECT_EQ(added.find(row.name, nameAt), row.position);
    }
    FlatNameIndex none;
    EXPECT_EQ(none.find("Key0", nameAt), -1);
    built.clear();
    EXPECT_TRUE(built.empty());
    EXPECT_EQ(built.find("Key0", nameAt), -1);
}

// The look-up of the get verb reads the file in blocks and jumps between headers; it
// must find what the in-memory store finds, wherever lines and blocks happen to end.
TEST(ProfileFileLookup, FindsWhatTheStoreFindsInAnyText)
{
    test::TempDir dir;
    const std::string file = dir.file("lookup.ini");
    const char* pieces[] = {"[S]", " [s] ", "[T]", "[S", "a[S]", ";[S]", "[ S ]", "[]", "[[S]]", "k=1", "K = 2",
                            "k", "=k", "x=[S]", "  [T]x", "[T]\t", "v=3", "\r", "\n", "\r\n", "\r\r", "\n\r"};
    const std::pair<const char*, const char*> lookups[] = {
        {"S", "k"}, {"s", "K"}, {"T", "v"}, {" S ", "k"}, {"S", ""}, {"[S]", "k"}, {"", "k"}, {"T", "k"}, {"U", "k"}};
    std::mt19937 random(11);
    // Small texts, then ones of several blocks so that lines cross the block ends.
    for (std::size_t size : {std::size_t(40), std::size_t(200), std::size_t(3000), std::size_t(600000)}) {
        for (int round = 0; round < 30; ++round) {
            std::string text;
            while (text.size() < size) {
                text += pieces[random() % std::size(pieces)];
                if (random() % 3 == 0)
                    text += "\r\n";
            }
            test::writeBytes(file, text);
            TAcceleratedIniFile store(file);
            for (const auto& [section, key] : lookups) {
                std::string expected = store.ReadString(section, key, kMissingValue);
                std::optional<std::string> found = ProfileFile(file).readValue(section, key);
                ASSERT_EQ(found.value_or(std::string(kMissingValue)), expected)
                    << "size " << size << ", round " << round << ", [" << section << "] " << key;
            }
        }
    }
}

}  // namespace
}  // namespace sw
