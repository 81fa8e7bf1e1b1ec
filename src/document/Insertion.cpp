#include "document/Insertion.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

#include <algorithm>
#include <set>

namespace sw {

namespace {

bool captionBefore(const std::string& a, const std::string& b)
{
    return asciiUpper(a) < asciiUpper(b);
}

// The catalogue's section names, each once (the first spelling wins, as in a lookup).
TStrings catalogueSections(TUisFile& document)
{
    TStrings all, unique;
    document.Definition().ReadSections(all);
    std::set<std::string> seen;
    for (const std::string& name : all)
        if (seen.insert(asciiUpper(name)).second)
            unique.push_back(name);
    return unique;
}

// Attribute names of the catalogue entries "<kind>,<attribute>".
TStrings catalogueAttributes(TUisFile& document, std::string_view kind)
{
    const std::string prefix = asciiUpper(kind) + ",";
    TStrings attributes;
    for (const std::string& name : catalogueSections(document))
        if (asciiUpper(name).rfind(prefix, 0) == 0 && name.size() > prefix.size())
            attributes.push_back(name.substr(prefix.size()));
    return attributes;
}

AttributeOffer offer(TUisFile& document, std::string_view kind, const std::string& attribute)
{
    TUisDefinition& catalogue = document.Definition();
    const std::string entry = std::string(kind) + "," + attribute;
    AttributeOffer row;
    row.Attribute = attribute;
    row.Caption = document.AttributeDisplayName(kind, attribute, attribute);
    row.Description = catalogue.ReadString(entry, "Description", "Unknown");
    row.Value = catalogue.ReadString(entry, "Default", "0");
    row.Optional = catalogue.ReadString(entry, "Optional", "1");
    return row;
}

void sortByCaption(std::vector<AttributeOffer>& rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const AttributeOffer& a, const AttributeOffer& b) { return captionBefore(a.Caption, b.Caption); });
}

}  // namespace

std::vector<SectionOffer> offeredSections(TUisFile& document)
{
    std::vector<SectionOffer> offers;
    for (const std::string& entry : catalogueSections(document)) {
        if (!startsWithText(entry, "Root,") || entry.size() <= 5)
            continue;
        const std::string name = entry.substr(5);
        if (document.IsVirtual(name))
            continue;
        if (document.SectionExists(name) && !document.IsEnumerated(name))
            continue;
        SectionOffer offer;
        offer.Name = name;
        offer.Caption = document.SectionDisplayName(name);
        offer.Description = document.Definition().ReadString(entry, "Description", "Unknown");
        offer.Icon = document.IconClosed(name);
        offers.push_back(std::move(offer));
    }
    std::stable_sort(offers.begin(), offers.end(),
                     [](const SectionOffer& a, const SectionOffer& b) { return captionBefore(a.Caption, b.Caption); });
    return offers;
}

std::vector<AttributeOffer> sectionAttributes(TUisFile& document, std::string_view section)
{
    std::vector<AttributeOffer> rows;
    for (const std::string& attribute : catalogueAttributes(document, section)) {
        AttributeOffer row = offer(document, section, attribute);
        row.Icon = document.AttributeTypeOf(section, attribute);
        row.Ticked = row.Mandatory();
        rows.push_back(std::move(row));
    }
    sortByCaption(rows);
    return rows;
}

std::vector<AttributeOffer> missingAttributes(TUisFile& document, std::string_view section, std::string_view kind)
{
    std::vector<AttributeOffer> rows;
    for (const std::string& attribute : catalogueAttributes(document, kind)) {
        if (document.ValueExists(section, attribute))
            continue;
        AttributeOffer row = offer(document, kind, attribute);
        row.Icon = document.EditorKind(kind, attribute);
        row.Ticked = !document.Definition().ReadBool(std::string(kind) + "," + attribute, "Optional", true);
        rows.push_back(std::move(row));
    }
    sortByCaption(rows);
    return rows;
}

std::vector<AttributeWrite> tickedWrites(const std::vector<AttributeOffer>& rows)
{
    std::vector<AttributeWrite> writes;
    for (const AttributeOffer& row : rows)
        if (row.Ticked)
            writes.push_back({row.Attribute, row.Value});
    return writes;
}

std::string choiceValue(int entry, int shift)
{
    return intToStr(int64_t(entry) + shift);
}

int choiceEntry(std::string_view stored, int shift, int count)
{
    auto value = valInteger(std::string(trimView(stored)));
    if (!value)
        return -1;
    const int64_t entry = int64_t(*value) - shift;
    return entry >= 0 && entry < count ? int(entry) : -1;
}

std::string newSectionName(TUisFile& document, std::string_view chosen)
{
    std::string name = document.NextFreeSectionName(chosen);
    if (TUisFile::IsButtonSection(name))
        name += intToStr(document.ButtonCount());
    return name;
}

InsertedSection insertSection(TUisFile& document, std::string_view chosen, const std::vector<AttributeWrite>& writes)
{
    InsertedSection result;
    if (writes.empty() || chosen.empty())
        return result;
    result.Name = newSectionName(document, chosen);
    if (TUisFile::IsButtonSection(result.Name)) {
        document.SetButtonCount(document.ButtonCount() + 1);
        result.Button = true;
    }
    for (const AttributeWrite& write : writes)
        document.WriteString(result.Name, write.Key, write.Value);
    document.UpdateFile();
    return result;
}

int insertAttributes(TUisFile& document, std::string_view section, const std::vector<AttributeWrite>& writes)
{
    for (const AttributeWrite& write : writes)
        document.WriteString(section, write.Key, write.Value);
    if (!writes.empty())
        document.UpdateFile();
    return int(writes.size());
}

std::string pendingButtonSection(TUisFile& document)
{
    return "Button" + intToStr(document.ButtonCount());
}

bool commitButton(TUisFile& document, const std::vector<AttributeWrite>& writes)
{
    if (writes.empty())
        return false;
    const std::string section = pendingButtonSection(document);
    document.SetButtonCount(document.ButtonCount() + 1);
    insertAttributes(document, section, writes);
    return true;
}

AttributeDefinition attributeDefinition(TUisFile& document, std::string_view section, std::string_view kind,
                                        std::string_view attribute)
{
    AttributeDefinition definition;
    const std::string entry = std::string(kind) + "," + std::string(attribute);
    definition.Caption = document.AttributeDisplayName(kind, attribute, "UNDEFINED");
    definition.Attribute = attribute;
    definition.Section = section;
    definition.Description = document.Definition().ReadString(entry, "Description", "UNDEFINED");
    document.Definition().ReadSectionValues(entry, definition.Entries);
    return definition;
}

}  // namespace sw
