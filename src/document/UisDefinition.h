// The definition catalogue of one UIS format version: an in-memory INI store whose
// reads normalise numbered section names (Button3,Action -> BUTTON,ACTION) and follow
// Inherits chains for missing keys, at most kMaxInheritsDepth links deep.
#pragma once

#include "store/AcceleratedIniFile.h"

#include <stdexcept>

namespace sw {

// A catalogue value that must be a number and is not ("'abc' is not a valid integer value").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Attribute type codes (also glyph indices).
enum AttributeType : int {
    TypeUnknown = 0, TypeString = 1, TypeInt = 2, TypeChoose = 3, TypeBool = 4, TypeFile = 5,
    TypeColor = 6, TypeComboColor = 7, TypeFont = 11, TypeEnumerator = 47,
};

// Real chains are two or three links long; a longer one (or a cycle) is a damaged or
// hostile catalogue, and following it further would only cost time.
inline constexpr int kMaxInheritsDepth = 64;

// The catalogue section describing one attribute of a document section: "Section,Attribute".
std::string definitionName(std::string_view section, std::string_view attribute);

class TUisDefinition : public TAcceleratedIniFile {
public:
    using TAcceleratedIniFile::TAcceleratedIniFile;

    // Only read string is overridden; the typed reads and value exists go through it.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;

    // What the catalogue says of one attribute of a document section. The type code
    // (TypeUnknown when the attribute is not described); the editor of a file
    // attribute, by its subtype (5 for a bitmap); its limits, throwing EConvertError when
    // Constraints is malformed; and the shift of a choice's stored numbers.
    int AttributeType(std::string_view section, std::string_view attribute);
    int FileEditorKind(std::string_view section, std::string_view attribute);
    int Minimum(std::string_view section, std::string_view attribute);
    int Maximum(std::string_view section, std::string_view attribute);
    int Shift(std::string_view section, std::string_view attribute);

    // Appends a plug-in catalogue's bytes when its PluginInfo UisType equals the version.
    // Returns whether they were merged; a file that cannot be read is not.
    bool MergePlugin(const std::string& catalogueFile, int version);

    // The definition section that describes a document section or attribute:
    // upper-cased, with the digits of a numbered family removed.
    static std::string NormaliseName(std::string_view section);

private:
    std::string constraintPart(std::string_view section, std::string_view attribute, bool maximum);

    // The section each section inherits from (its position, -1 for none), worked out
    // once per content, so a read costs at most one step per link.
    const std::vector<int32_t>& parents();

    std::vector<int32_t> parents_;
    uint64_t parentsGeneration_ = ~uint64_t(0);
};

}  // namespace sw
