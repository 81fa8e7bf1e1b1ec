#include "document/UisDefinition.h"

#include "store/StringOps.h"


namespace sw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string TUisDefinition::NormaliseName(std::string_view section)
{
    std::string name = asciiUpper(section);
    if (name.rfind("ROOT", 0) == 0) {
        while (!name.empty() && isDigit(name.back()))
            name.pop_back();
        return name;
    }
    std::size_t comma = name.find(',');
    if (comma != std::string::npos) {
        std::size_t start = comma;
        while (start > 0 && isDigit(name[start - 1]))
            --start;
        name.erase(start, comma - start);
    }
    return name;
}

const std::vector<int32_t>& TUisDefinition::parents()
{
    if (parentsGeneration_ == Generation())
        return parents_;
    parents_.assign(SectionCount(), -1);
    for (std::size_t i = 0; i < parents_.size(); ++i) {
        std::optional<std::string_view> next = ValueAt(i, "Inherits");
        if (next && !next->empty())
            parents_[i] = int32_t(SectionPosition(NormaliseName(*next)));
    }
    parentsGeneration_ = Generation();
    return parents_;
}

std::string TUisDefinition::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    if (section.empty())
        return std::string(def);
    std::ptrdiff_t position = SectionPosition(NormaliseName(section));
    if (position < 0)
        return std::string(def);
    if (std::optional<std::string_view> value = ValueAt(std::size_t(position), key))
        return std::string(*value);
    // A cycle comes back to where it started and finds nothing new: the bound ends it
    // with the default as well.
    const std::vector<int32_t>& parent = parents();
    for (int depth = 0; depth < kMaxInheritsDepth; ++depth) {
        position = parent[std::size_t(position)];
        if (position < 0)
            break;
        if (std::optional<std::string_view> value = ValueAt(std::size_t(position), key))
            return std::string(*value);
    }
    return std::string(def);
}

}  // namespace sw
