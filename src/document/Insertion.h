// What the insertion dialogs offer (catalogue sections and attributes a personality
// can still take) and what inserting them writes, as plain functions of the document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sw {

class TUisFile;

// A row of the section list.
struct SectionOffer {
    std::string Name;         // the section as the catalogue names it ("Button", "Font")
    std::string Caption;      // its display name
    std::string Description;  // "Unknown" when the catalogue has none
    int Icon = 8;             // its closed-node icon
};

// A row of an attribute list.
struct AttributeOffer {
    std::string Attribute;
    std::string Caption;
    std::string Description;  // "Unknown" when the catalogue has none
    std::string Value;        // the catalogue's Default, "0" when it has none
    std::string Optional;     // the catalogue's Optional text ("1" when absent)
    int Icon = 0;             // type code (section dialog) or editor kind (attribute dialog)
    bool Ticked = false;
    // Whether the attribute must exist: its Optional text is "0".
    bool Mandatory() const { return Optional == "0"; }
};

// One key and value to write.
struct AttributeWrite {
    std::string Key;
    std::string Value;
};

// The sections the catalogue defines that the document may take, sorted by caption:
// never a virtual one, and one the document already has only when it is a numbered
// family.
std::vector<SectionOffer> offeredSections(TUisFile& document);

// Every attribute the catalogue gives the section, sorted by caption, with the
// mandatory ones ticked.
std::vector<AttributeOffer> sectionAttributes(TUisFile& document, std::string_view section);

// The attributes of the kind (catalogue name: "Button" for Button3) that `section`
// does not have yet, sorted by caption, ticked when the catalogue says they must exist.
std::vector<AttributeOffer> missingAttributes(TUisFile& document, std::string_view section, std::string_view kind);

// The rows of an attribute list that are ticked, as writes.
std::vector<AttributeWrite> tickedWrites(const std::vector<AttributeOffer>& rows);

// The stored number of a choice: the entry's position plus the attribute's shift, and
// the entry position a stored value shows (-1 when it is no number or out of range).
std::string choiceValue(int entry, int shift);
int choiceEntry(std::string_view stored, int shift, int count);

// The name a new section of that catalogue name gets: the next free number of a
// numbered family, the button count for a title-bar button, else the name itself.
std::string newSectionName(TUisFile& document, std::string_view chosen);

struct InsertedSection {
    std::string Name;     // empty when nothing was written
    bool Button = false;  // a title-bar button was added (the count was raised)
};

// Inserts the chosen catalogue section with the ticked attributes. Without any
// attribute nothing is written at all: no empty header, no raised button count.
InsertedSection insertSection(TUisFile& document, std::string_view chosen, const std::vector<AttributeWrite>& writes);

// Writes the attributes into an existing section; returns how many were written.
int insertAttributes(TUisFile& document, std::string_view section, const std::vector<AttributeWrite>& writes);

// A new title-bar button: the section the next button takes. Nothing is written
// until commitButton, so a cancelled dialog leaves the document untouched.
std::string pendingButtonSection(TUisFile& document);
// Writes the button's attributes and raises the count. With no attribute the button
// is not added (a count naming a section with no keys would declare a button that the
// file does not describe). Returns whether it was added.
bool commitButton(TUisFile& document, const std::vector<AttributeWrite>& writes);

// The catalogue entry behind an attribute, as the definition viewer shows it.
struct AttributeDefinition {
    std::string Caption;      // display name, "UNDEFINED" when the catalogue has none
    std::string Attribute;
    std::string Section;
    std::string Description;  // "UNDEFINED" when the catalogue has none
    std::vector<std::string> Entries;  // "key=value" as stored, no inheritance
};
AttributeDefinition attributeDefinition(TUisFile& document, std::string_view section, std::string_view kind,
                                        std::string_view attribute);

}  // namespace sw
