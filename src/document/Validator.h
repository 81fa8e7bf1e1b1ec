// Checks a personality against its definition catalogue and the files it names, and
// lists the findings as rows (caption, glyph, section, attribute) for a window to show.
#pragma once

#include "document/BitmapDecoder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sw {

class PersonalityText;
class TUisDefinition;
class TUisFile;

// Glyphs of the findings in the program's glyph list.
enum ValidatorIcon : int {
    IconValueNotAllowed = 63,  // choice out of its set, unknown attribute, mandatory attribute missing
    IconNoPersonalityFile = 64,
    IconFileNotFound = 65,
    IconNoErrors = 66,
    IconBitmapGeometry = 67,
    IconBelowMinimum = 68,
    IconAboveMaximum = 69,
};

enum class FindingKind {
    Catalogue,       // the checks against the catalogue, including "No errors found"
    BitmapGeometry,  // frames and fixed ends that do not fit the bitmap that holds them
};

// One row of the findings list.
struct ValidationFinding {
    std::string caption;
    int icon = 0;
    std::string section;    // first sub-item
    std::string attribute;  // second sub-item (empty for some findings)
    FindingKind kind = FindingKind::Catalogue;

    bool operator==(const ValidationFinding&) const = default;
};

struct ValidationResult {
    std::vector<ValidationFinding> findings;
    // False when a malformed Constraints value of the catalogue stopped the run; the
    // rows found before it are kept and no "No errors found" row is added.
    bool completed = true;
    std::string error;  // why it stopped
    std::string errorSection, errorAttribute;
    // Findings past the first kMaxFindingsListed of one icon are counted here instead
    // of kept, so a file of millions of bad lines cannot fill the memory.
    std::size_t omitted = 0;

    // Whether the run completed with nothing to report but "No errors found".
    bool clean() const;
};

inline constexpr const char* kNoErrorsFound = "No errors found";
inline constexpr std::size_t kMaxFindingsListed = 10000;

// Validates the document's sections and attributes. `file` is the file whose existence
// is checked first (normally the document's own file); `skinsRoot` is the folder the
// file references are relative to. The document must have a catalogue (format version
// other than 0): the caller refuses version 0 before, as the explorer does.
// The bitmap geometry findings come after the catalogue rows; "No errors found" is
// the only row when neither kind found anything.
ValidationResult validate(TUisFile& document, const std::filesystem::path& file,
                          const std::filesystem::path& skinsRoot);
// The same for the document's own file and skins root.
ValidationResult validate(TUisFile& document);

// The findings in one line, counted by what they mean ("3 files not found, 1 value
// out of range"); empty when there are none.
std::string findingsSummary(const ValidationResult& result);
// The same for a personality read as text only (the validate verb's way: no store of
// its entries is built), with the catalogue of its format version.
ValidationResult validate(PersonalityText& text, TUisDefinition& catalogue, int version,
                          const std::filesystem::path& file, const std::filesystem::path& skinsRoot);


}  // namespace sw
