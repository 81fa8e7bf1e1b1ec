// Byte-string helpers shared by every layer: ASCII case rules, trimming and the
// integer conversions the INI files and personalities rely on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

// Upper-cases the letters a to z only; every other byte stays as it is.
char asciiUpper(char c);
std::string asciiUpper(std::string_view text);
std::string asciiLower(std::string_view text);

// Equality ignoring the letter case of a to z (the rule for section and key names).
bool sameText(std::string_view a, std::string_view b);
// Orders names as a reader would: ignoring ASCII case, with runs of digits compared
// as numbers ("Extra2" before "Extra10"); equal numbers with more leading zeros last.
bool naturalLess(std::string_view a, std::string_view b);
bool startsWithText(std::string_view text, std::string_view prefix);  // ignoring case

// Removes leading and trailing bytes 0 to 32 (blanks, tabs, control characters).
std::string_view trimView(std::string_view text);
std::string trim(std::string_view text);

// Converts an integer the way the program's values are read: optional blanks,
// optional sign, decimal digits or "$" followed by hexadecimal digits, nothing after.
// Decimal must fit in 32 bits; hexadecimal may use all 32 bits (so $FFFFFFFF is -1).
// On failure, errorPosition (when given) receives the 1-based position of the byte
// at which conversion stopped, which is one past the end when the text ended early.
std::optional<int32_t> valInteger(std::string_view text, std::size_t* errorPosition = nullptr,
                                  bool allowHex = true);

// valInteger, or the fallback when the text does not convert.
int32_t strToIntDef(std::string_view text, int32_t fallback);

// The lenient conversion of personality values: while the text does not convert as a
// decimal integer, the byte at which it failed is dropped. "1x2" gives 12; "x" gives
// the fallback, as does an empty text or one that fails past its end ("-").
int32_t lenientInteger(std::string_view text, int32_t fallback);

// Decimal text of a 32-bit signed value.
std::string intToStr(int64_t value);

// INI text without the comment lines (";" or "#") and blank lines before its first
// other line: a template's description of itself, which a copy made from it leaves out.
std::string_view withoutLeadingComments(std::string_view text);

// Hash and equality that ignore ASCII letter case, for look-up tables of names.
struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept;
};
struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return sameText(a, b); }
};

}  // namespace sw
