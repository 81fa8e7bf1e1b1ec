// Finding text in the attribute names and values of a personality, and replacing it
// in the values of chosen matches: the rules behind the "Find" window, free of widgets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sw {

class TUisFile;

struct FindOptions {
    std::string Text;
    bool Names = false;          // look in the keys
    bool Values = true;          // look in the values
    bool WholeString = false;    // the key or value must equal the text
    bool CaseSensitive = false;  // otherwise both sides are compared in upper case
};

// One matching attribute.
struct FindMatch {
    std::string Section;
    std::string Key;    // as stored
    std::string Value;  // as it was when found
    int Type = 0;       // the attribute's type code (also its glyph)
};

// Upper-cases the letters of single-byte Latin-1 text (a-z and the accented letters),
// one byte for one byte.
std::string latin1Upper(std::string_view text);

// Every section of the document in file order, each name once.
std::vector<std::string> findSections(TUisFile& document);

// Whether `candidate` matches the search text under the options' whole-string and
// case rules (Names and Values are not looked at).
bool textMatches(std::string_view candidate, const FindOptions& options);

// The attributes of one section that match, in key order.
std::vector<FindMatch> findInSection(TUisFile& document, std::string_view section, const FindOptions& options);
// The matches of every section, sections in file order.
std::vector<FindMatch> findInDocument(TUisFile& document, const FindOptions& options);

// Every occurrence of `text` in `value` replaced by `replacement`, left to right and
// case-sensitive; an empty `text` replaces nothing.
std::string replaceText(std::string_view value, std::string_view text, std::string_view replacement);

// What a replacement did.
struct ReplaceResult {
    int Written = 0;    // values that changed and were written
    int Unchanged = 0;  // matches whose value did not hold the text (or were gone)
};

// Replaces `text` by `replacement` in the values of these matches, reading each value
// from the document as it is now, so nothing stale is written back. An attribute listed
// more than once is replaced once. A write that fails throws (EIniFileException);
// the values written before it stay written.
ReplaceResult replaceInMatches(TUisFile& document, const std::vector<FindMatch>& matches, std::string_view text,
                               std::string_view replacement);

}  // namespace sw
