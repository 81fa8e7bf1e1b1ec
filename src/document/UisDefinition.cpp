#include "document/UisDefinition.h"

#include "store/FileBytes.h"
#include "store/StringOps.h"
#include "document/PersonalityText.h"

namespace sw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int strictInteger(const std::string& text)
{
    if (auto value = valInteger(text))
        return *value;
    throw EConvertError("'" + text + "' is not a valid integer value");
}

}  // namespace

std::string definitionName(std::string_view section, std::string_view attribute)
{
    std::string name(section);
    name += ',';
    name += attribute;
    return name;
}

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

int TUisDefinition::AttributeType(std::string_view section, std::string_view attribute)
{
    std::string word =
        asciiUpper(ReadString(definitionName(trimView(section), trimView(attribute)), "Type", "Unknown"));
    static const std::pair<const char*, int> types[] = {
        {"STRING", TypeString}, {"INT", TypeInt},     {"CHOOSE", TypeChoose},         {"BOOL", TypeBool},
        {"FILE", TypeFile},     {"COLOR", TypeColor}, {"COMBOCOLOR", TypeComboColor}, {"FONT", TypeFont},
        {"ENUMERATOR", TypeEnumerator},
    };
    for (const auto& [name, code] : types)
        if (word == name)
            return code;
    return TypeUnknown;
}

int TUisDefinition::FileEditorKind(std::string_view section, std::string_view attribute)
{
    std::string s = asciiUpper(ReadString(definitionName(trimView(section), trimView(attribute)), "Subtype", "Bitmap"));
    if (s == "SOUND") return 17;
    if (s == "COMMAND") return 16;
    if (s == "ZIP") return 51;
    if (s == "SCRIPT") return 46;
    return 5;
}

std::string TUisDefinition::constraintPart(std::string_view section, std::string_view attribute, bool maximum)
{
    std::string constraints = ReadString(definitionName(section, attribute), "Constraints", "-32766,32767");
    std::size_t comma = constraints.find(',');
    if (comma == std::string::npos)
        return constraints;
    return maximum ? constraints.substr(comma + 1) : constraints.substr(0, comma);
}

int TUisDefinition::Minimum(std::string_view section, std::string_view attribute)
{
    return strictInteger(constraintPart(section, attribute, false));
}

int TUisDefinition::Maximum(std::string_view section, std::string_view attribute)
{
    return strictInteger(constraintPart(section, attribute, true));
}

int TUisDefinition::Shift(std::string_view section, std::string_view attribute)
{
    return ReadInteger(definitionName(section, attribute), "ShiftNumericValue", 0);
}

bool TUisDefinition::MergePlugin(const std::string& catalogueFile, int version)
{
    // Read once: a file that changed between two reads could merge unchecked content.
    std::string bytes;
    try {
        bytes = readFileBytes(catalogueFile);
    } catch (const EIniFileException&) {
        return false;  // an unreadable plug-in is left out; the skin still opens
    }
    // Its version is read from the bytes as they are: a store of a catalogue that is
    // not merged would cost many times its size for one value.
    std::string type(PersonalityText::FindValue(bytes, "PluginInfo", "UisType").value_or(""));
    if (type.size() > 2 && type[0] == '0' && (type[1] == 'x' || type[1] == 'X'))
        type = "$" + type.substr(2);  // as ReadInteger reads it
    if (strToIntDef(type, -1) != version)
        return false;
    // Appended after the base catalogue, so a name it already has keeps its definition.
    LoadText(bytes);
    return true;
}

}  // namespace sw
