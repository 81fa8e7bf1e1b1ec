// What the personality explorer shows, built from the document without any widget:
// the section tree under the catalogue's parents, the attribute rows of a section,
// and the selection names of a section.
#pragma once

#include <string>
#include <vector>

namespace sw {

class TUisFile;

struct SectionNode {
    std::string section;  // the section name in the file ("TITLEBARSKIN" for the root)
    std::string caption;
    int image = 8;
    int selectedImage = 9;
    std::vector<SectionNode> children;
};

// The root (caption skinName, images 24 and 25) with every section but those whose
// name starts with TITLEBARSKIN hung under its catalogue parent, parents created on
// demand, each level sorted by caption.
SectionNode buildSectionTree(TUisFile& document, const std::string& skinName);

struct AttributeRow {
    std::string caption;       // display name
    std::string displayValue;  // sub-item 0
    std::string description;   // sub-item 1
    std::string rawValue;      // sub-item 2
    std::string key;           // sub-item 3, trimmed
    int image = 0;             // editor kind
};

// One row per key of the section, in file order.
std::vector<AttributeRow> buildAttributeRows(TUisFile& document, const std::string& currentSection,
                                             const std::string& definitionSection);

struct SectionSelection {
    std::string definitionSection;
    std::string currentSection;
    int currentButton = -1;
};

// Button sections are looked up as "Button" and carry their number; the personality's
// own name stands for TITLEBARSKIN.
SectionSelection selectionForSection(const std::string& section, const std::string& skinName);

}  // namespace sw
