#include "editor/ExplorerModel.h"

#include "document/UisFile.h"
#include "store/StringOps.h"

#include <algorithm>
#include <functional>

namespace sw {

namespace {

struct FlatNode {
    std::string section;
    std::string caption;
    int image, selectedImage;
    int parent;  // index, -1 for the root
};

class TreeBuilder {
public:
    TreeBuilder(TUisFile& document, const std::string& skinName) : document_(document)
    {
        nodes_.push_back({"TITLEBARSKIN", skinName, 24, 25, -1});
    }

    int add(const std::string& section, std::vector<std::string>& pending)
    {
        for (std::size_t i = 1; i < nodes_.size(); ++i)
            if (sameText(nodes_[i].section, section))
                return int(i);
        std::string parent = document_.Parent(section);
        int parentIndex = 0;
        // A catalogue whose parents lead back to a section already on the way would
        // never end; such a section hangs under the root instead.
        bool circular = std::any_of(pending.begin(), pending.end(),
                                    [&](const std::string& s) { return sameText(s, parent); });
        if (!sameText(parent, "Root") && !sameText(parent, section) && !circular) {
            parentIndex = -1;
            for (std::size_t i = 1; i < nodes_.size(); ++i)
                if (sameText(nodes_[i].section, parent))
                    parentIndex = int(i);  // the last match wins
            if (parentIndex < 0) {
                pending.push_back(section);
                parentIndex = add(parent, pending);
                pending.pop_back();
            }
        }
        nodes_.push_back({section, document_.SectionDisplayName(section), document_.IconClosed(section),
                          document_.IconOpened(section), parentIndex});
        return int(nodes_.size() - 1);
    }

    SectionNode tree() const { return build(0); }

private:
    SectionNode build(int index) const
    {
        const FlatNode& flat = nodes_[std::size_t(index)];
        SectionNode node{flat.section, flat.caption, flat.image, flat.selectedImage, {}};
        for (std::size_t i = 1; i < nodes_.size(); ++i)
            if (nodes_[i].parent == index)
                node.children.push_back(build(int(i)));
        std::stable_sort(node.children.begin(), node.children.end(), [](const SectionNode& a, const SectionNode& b) {
            return naturalLess(a.caption, b.caption);
        });
        return node;
    }

    TUisFile& document_;
    std::vector<FlatNode> nodes_;
};

}  // namespace

SectionNode buildSectionTree(TUisFile& document, const std::string& skinName)
{
    TreeBuilder builder(document, skinName);
    TStrings sections;
    document.ReadSections(sections);
    std::vector<std::string> pending;
    for (const std::string& section : sections)
        if (!startsWithText(section, "TITLEBARSKIN"))
            builder.add(section, pending);
    return builder.tree();
}

std::vector<AttributeRow> buildAttributeRows(TUisFile& document, const std::string& currentSection,
                                             const std::string& definitionSection)
{
    std::vector<AttributeRow> rows;
    TStrings keys;
    document.ReadSection(currentSection, keys);
    for (const std::string& name : keys) {
        AttributeRow row;
        row.key = trim(name);
        row.rawValue = document.ReadString(currentSection, name, "");
        row.caption = document.AttributeDisplayName(currentSection, name, name);
        row.displayValue = document.ValueForDisplay(currentSection, name, row.rawValue);
        row.description = document.AttributeDescription(definitionSection, row.key, "Unknown");
        row.image = document.EditorKind(currentSection, name);
        rows.push_back(std::move(row));
    }
    return rows;
}

SectionSelection selectionForSection(const std::string& section, const std::string& skinName)
{
    if (TUisFile::IsButtonSection(section))
        return {"Button", section, strToIntDef(std::string_view(section).substr(6), -1)};
    if (section == skinName)
        return {section, "TITLEBARSKIN", -1};
    return {section, section, -1};
}

}  // namespace sw
