#include "store/StringOps.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(StringOps, NaturalOrderComparesNumbersAsNumbersAndIgnoresCase)
{
    const struct {
        const char* a;
        const char* b;
        bool less;
    } cases[] = {
        {"Extra2", "Extra10", true},   {"Extra10", "Extra2", false}, {"extra2", "EXTRA10", true},
        {"Button9", "Button10", true}, {"Button", "Button0", true},  {"Button0", "Button", false},
        {"Font", "Fonts", true},       {"a2b", "a2c", true},         {"a02", "a2", false},
        {"a2", "a02", true},           {"a10b", "a10a", false},      {"Tabs", "TABS", false},
        {"x99999999999999999999", "x100000000000000000000", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(naturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(StringOps, LeadingCommentsAreLeftOutAndNothingElse)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"; about\r\n; more\r\n\r\n[A]\r\nK=1\r\n", "[A]\r\nK=1\r\n"},
        {"# hash\n  ; indented\n[A]\n; inside\nK=1\n", "[A]\n; inside\nK=1\n"},
        {"[A]\r\n; kept\r\n", "[A]\r\n; kept\r\n"},
        {"K=1\n", "K=1\n"},                 // a key before any section is kept
        {"; only comments\n\n", ""},
        {"; no line end", ""},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(withoutLeadingComments(text), expected) << text;
}

TEST(StringOps, IntegerConversion)
{
    struct Case {
        const char* text;
        int32_t expected;  // with fallback -99
    } cases[] = {
        {"0", 0},           {"-17", -17},        {"+5", 5},          {"  42", 42},
        {"42 ", -99},       {"12abc", -99},      {"", -99},          {"-", -99},
        {"$1F", 31},        {"$1f", 31},         {"-$10", -16},      {"$", -99},
        {"$FFFFFFFF", -1},  {"$100000000", -99}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},              {"2147483648", -99}, {"0x1F", -99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(strToIntDef(c.text, -99), c.expected) << '"' << c.text << '"';
}

TEST(StringOps, LenientIntegerDropsOffendingCharacters)
{
    struct Case {
        const char* text;
        int32_t expected;  // with fallback -99
    } cases[] = {
        {"1x2", 12},  {"x", -99},    {"", -99},        {"12abc", 12}, {"a-5", -5},   {"-", -99},
        {"2a", 2},    {" 7 ", 7},    {"1 2 3", 123},   {"$10", 10},   {"abc", -99},  {"--3", -3},
        // Overflow drops the digit where the value left the 32-bit range.
        {"99999999999", 999999999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lenientInteger(c.text, -99), c.expected) << '"' << c.text << '"';
}

TEST(StringOps, CaseAndTrimRulesTouchOnlyAscii)
{
    EXPECT_EQ(asciiUpper("Colours_az\xe4\xfc"), "COLOURS_AZ\xe4\xfc");
    EXPECT_EQ(asciiLower("ABC\xc4"), "abc\xc4");
    EXPECT_TRUE(sameText("ButtonS", "BUTTONs"));
    EXPECT_FALSE(sameText("\xe4", "\xc4"));
    EXPECT_TRUE(startsWithText("Button12", "BUTTON"));
    EXPECT_FALSE(startsWithText("Butto", "BUTTON"));
    EXPECT_EQ(trim(std::string("\t\x01 a b \x1f\0", 8)), "a b");
    EXPECT_EQ(trim(" \t "), "");
    EXPECT_EQ(CaseInsensitiveHash{}("Abc"), CaseInsensitiveHash{}("aBC"));
}

}  // namespace
}  // namespace sw
