#include "document/UisFile.h"

#include "document/FileReference.h"
#include "document/PersonalityText.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw {

namespace fs = std::filesystem;

namespace {

std::string rootName(std::string_view section)
{
    return definitionName("Root", section);
}

// Files (not folders) of the folder matching the pattern, sorted; names beginning
// with "." only when asked for.
std::vector<std::string> sortedFileNames(const fs::path& folder, std::string_view pattern, bool withHidden = false)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (name.empty() || (name[0] == '.' && !withHidden) || entry.is_directory(ec))
            continue;
        if (matchesFilePattern(name, pattern))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Splits at runs of blanks and tabs; leading blanks are skipped.
std::vector<std::string_view> colourFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            ++i;
        if (i > start)
            fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

std::optional<Colour> parseColour(std::string_view text)
{
    std::vector<std::string_view> fields = colourFields(text);
    if (fields.size() < 3)
        return std::nullopt;
    int32_t channel[3];
    for (int i = 0; i < 3; ++i) {
        auto value = valInteger(fields[std::size_t(i)], nullptr, false);
        if (!value)
            return std::nullopt;
        channel[i] = *value;
    }
    return Colour(uint32_t(channel[0]) + uint32_t(channel[1]) * 256u + uint32_t(channel[2]) * 65536u);
}

}  // namespace

TUisFile::TUisFile(std::string fileName)
    : TIniFile(fileName, fileName != kForceUis2Definition), forced_(fileName == kForceUis2Definition)
{
    open();
}

TUisFile::TUisFile(std::string fileName, ReadOnly)
    : TIniFile(fileName, false), text_(std::make_unique<PersonalityText>(profileFilePath(fileName)))
{
    open();
}

void TUisFile::open()
{
    std::error_code ec;
    if (!forced_) {
        fs::path disk = text_ ? profileFilePath(FileName()) : DiskPath();
        fs::path absolute = fs::absolute(disk, ec);
        folder_ = (ec ? disk : absolute).parent_path();
    }
    version_ = detectVersion();
    std::string catalogue = CatalogueFileName(version_);
    definition_ = std::make_unique<TUisDefinition>(catalogue.empty() ? std::string() : (programFolder() / catalogue).string());
    if (!forced_)
        bitmaps_ = sortedFileNames(folder_, "*.bmp", true);
}

void TUisFile::SetFolder(const fs::path& folder)
{
    folder_ = folder;
    bitmaps_ = sortedFileNames(folder_, "*.bmp", true);
}

TUisFile::~TUisFile() = default;

std::string TUisFile::ReadString(std::string_view section, std::string_view key, std::string_view def)
{
    return text_ ? text_->ReadString(section, key, def) : TIniFile::ReadString(section, key, def);
}

void TUisFile::ReadSection(std::string_view section, TStrings& keys)
{
    text_ ? text_->ReadSection(section, keys) : TIniFile::ReadSection(section, keys);
}

void TUisFile::ReadSections(TStrings& sections)
{
    text_ ? text_->ReadSections(sections) : TIniFile::ReadSections(sections);
}

void TUisFile::ReadSectionValues(std::string_view section, TStrings& entries)
{
    text_ ? text_->ReadSectionValues(section, entries) : TIniFile::ReadSectionValues(section, entries);
}

void TUisFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    text_ ? text_->WriteString(section, key, value) : TIniFile::WriteString(section, key, value);
}

void TUisFile::EraseSection(std::string_view section)
{
    text_ ? text_->EraseSection(section) : TIniFile::EraseSection(section);
}

void TUisFile::DeleteKey(std::string_view section, std::string_view key)
{
    text_ ? text_->DeleteKey(section, key) : TIniFile::DeleteKey(section, key);
}

std::string TUisFile::CatalogueFileName(int version)
{
    switch (version) {
    case UisType1p: return "uis1p.def";
    case UisType1: return "uis1.def";
    case UisType2: return "uis2.def";
    default: return {};
    }
}

int TUisFile::detectVersion()
{
    int version = uisVersionOf(*this);
    return version == UisTypeUnknown && forced_ ? UisType2 : version;
}

int uisVersionOf(TCustomIniFile& values)
{
    if (values.ValueExists("CAPTION", "BUTTONCOUNT"))
        return UisType1p;
    if (values.ValueExists("TITLEBARSKIN", "ActiveTitle"))
        return UisType1;
    if (values.ValueExists("TITLEBARSKIN", "SkinAuthor"))
        return UisType2;
    return UisTypeUnknown;
}

int TUisFile::FormatVersion()
{
    if (version_ == UisTypeUnknown)
        version_ = detectVersion();
    return version_;
}

bool TUisFile::MergePluginDefinitions(const std::string& catalogueFile)
{
    return definition_->MergePlugin(catalogueFile, FormatVersion());
}

std::string TUisFile::PersonalityName()
{
    return ReadString("TITLEBARSKIN", "SkinName", "Untitled");
}

fs::path TUisFile::ReferencePath(std::string_view reference) const
{
    return resolveFileReference(SkinsRoot(), reference, folders_).value_or(fs::path());
}

Colour TUisFile::ReadColour(std::string_view section, std::string_view key, Colour def)
{
    std::string value = ReadString(section, key, kMissingValue);
    if (value == kMissingValue)
        return def;
    return parseColour(value).value_or(def);
}

void TUisFile::WriteColour(std::string_view section, std::string_view key, Colour colour)
{
    uint32_t c = uint32_t(colour);
    WriteString(section, key,
                intToStr(c & 255) + " " + intToStr((c >> 8) & 255) + " " + intToStr((c >> 16) & 255));
}

Colour TUisFile::NamedColour(std::string_view name, Colour def)
{
    std::string value = ReadString("COLOURS", name, kMissingValue);
    if (value != kMissingValue)
        return parseColour(value).value_or(def);
    std::string base(name);
    if (!ValueExists("PERSONALITY", base + "R"))
        return def;
    uint32_t r = uint32_t(ReadInteger("PERSONALITY", base + "R", 0));
    uint32_t g = uint32_t(ReadInteger("PERSONALITY", base + "G", 0));
    uint32_t b = uint32_t(ReadInteger("PERSONALITY", base + "B", 0));
    return Colour(r + g * 256u + b * 65536u);
}

int TUisFile::ButtonCount()
{
    return uisButtonCount(*this, FormatVersion());
}

int uisButtonCount(TCustomIniFile& values, int version)
{
    switch (version) {
    case UisType2: return values.ReadInteger("PERSONALITY", "BUTTONCOUNT", 0);
    case UisType1p: return values.ReadInteger("CAPTION", "BUTTONCOUNT", 0);
    default: return 0;
    }
}

void TUisFile::SetButtonCount(int count)
{
    switch (FormatVersion()) {
    case UisType2: WriteInteger("PERSONALITY", "BUTTONCOUNT", count); break;
    case UisType1p: WriteInteger("CAPTION", "BUTTONCOUNT", count); break;
    default: break;
    }
}

bool TUisFile::ButtonVisibleInState(int button, int state)
{
    std::string section = "Button" + intToStr(button);
    if (ReadInteger(section, "Visibility", -255) == state)
        return true;
    for (int i = 1; i <= 9; ++i)
        if (ReadInteger(section, "Visibility" + intToStr(i), -255) == state)
            return true;
    return false;
}

std::string TUisFile::NextFreeSectionName(std::string_view base)
{
    std::string name(base);
    if (!IsEnumerated(base))
        return name;
    for (int i = 0; i < 100; ++i)
        if (!SectionExists(name + intToStr(i)))
            return name + intToStr(i);
    return name + "100";
}

int TUisFile::FileChoices(std::string_view section, std::string_view attribute, TStrings& list)
{
    list.clear();
    std::string pattern = definition_->ReadString(definitionName(section, attribute), "Constraints", "*.bmp");
    std::string folderName = folder_.filename().string();
    for (const std::string& name : sortedFileNames(folder_, pattern))
        list.push_back(makeFileReference(folderName, name));
    std::string current = ReadString(section, attribute, "");
    for (std::size_t i = 0; i < list.size(); ++i)
        if (sameText(list[i], current))
            return int(i);
    return -1;
}

bool TUisFile::Stretched(std::string_view element)
{
    switch (FormatVersion()) {
    case UisType2: return ReadBool("PERSONALITY", std::string(element) + "Stretch", false);
    case UisType1p: return ReadBool("BORDERS", std::string(element) + "MiddleStretch", false);
    default: return false;
    }
}

int TUisFile::FrameCount(std::string_view element)
{
    return uisFrameCount(*this, FormatVersion(), element);
}

int uisFrameCount(TCustomIniFile& values, int version, std::string_view element)
{
    switch (version) {
    case UisType2: return values.ReadInteger("PERSONALITY", std::string(element) + "Frame", 1);
    case UisType1p: return values.ReadInteger("BORDERS", "FrameCount", 1);
    default: return 1;
    }
}

int TUisFile::FrameForState(int state, int fallback)
{
    switch (FormatVersion()) {
    case UisType2: return state == 0 ? 1 : fallback;
    case UisType1p:
        if (state < 0 || state > 7)
            return fallback;
        return ReadInteger("BORDERS", kWindowStates[state], state + 1);
    default: return 1;
    }
}

fs::path TUisFile::FrameBitmapPath(std::string_view side)
{
    std::string reference;
    switch (FormatVersion()) {
    case UisType2:
        reference = ReadString("PERSONALITY", side, "");
        break;
    case UisType1p:
        if (sameText(side, "TOP") || sameText(side, "BOTTOM"))
            reference = ReadString("BORDERS", "horzFrame", "");
        else if (sameText(side, "LEFT") || sameText(side, "RIGHT"))
            reference = ReadString("BORDERS", "vertFrame", "");
        break;
    default:
        break;
    }
    return reference.empty() ? fs::path() : ReferencePath(reference);
}

int TUisFile::Height(std::string_view first, std::string_view second)
{
    return uisEdgeHeight(*this, FormatVersion(), first, second);
}

int uisEdgeHeight(TCustomIniFile& values, int version, std::string_view first, std::string_view second)
{
    switch (version) {
    case UisType2:
        return values.ReadInteger("PERSONALITY", std::string(first) + std::string(second) + "Height", 1);
    case UisType1p:
        return values.ReadInteger(
            "BORDERS", std::string(first) + (sameText(second, "BOT") ? "BOTTOM" : std::string(second)) + "Height", 1);
    default:
        return 1;
    }
}

bool TUisFile::IsButtonSection(std::string_view section)
{
    return startsWithText(section, "BUTTON") && !startsWithText(section, "BUTTONS");
}

std::string TUisFile::AttributeDisplayName(std::string_view section, std::string_view attribute, std::string_view def)
{
    if (!DescriptiveNames)
        return std::string(attribute);
    return definition_->ReadString(definitionName(section, attribute), "Name", def);
}

std::string TUisFile::SectionDisplayName(std::string_view section)
{
    if (!DescriptiveNames)
        return std::string(section);
    return definition_->ReadString(rootName(section), "Name", section);
}

std::string TUisFile::AttributeDescription(std::string_view section, std::string_view attribute, std::string_view def)
{
    return definition_->ReadString(definitionName(section, attribute), "Description", def);
}

std::string TUisFile::AttributeDescriptionInContext(std::string_view section, std::string_view attribute)
{
    std::string upper = asciiUpper(section);
    std::string context(section);
    if (upper.find("BUTTON") != std::string::npos && upper.rfind("BUTTONS", 0) != 0)
        context = "BUTTON";
    else if (upper == "TITLEBARSKIN" || section == PersonalityName())
        context = "TITLEBARSKIN";
    return definition_->ReadString(definitionName(context, attribute), "Description", "Unknown");
}

std::string TUisFile::ButtonActionCaption(std::string_view section)
{
    int def = definition_->ReadInteger("Button,Action", "Default", 0);
    // In 64 bits: a value and a shift near the ends of the range would overflow.
    int64_t action = int64_t(ReadInteger(section, "Action", def)) -
                     definition_->ReadInteger("Button,Action", "ShiftNumericValue", 0);
    return definition_->ReadString("Button,Action", "Value" + intToStr(action), "Undefined");
}

std::string TUisFile::ButtonAlignmentText(std::string_view section)
{
    int align = ReadInteger(section, "Align", 0);
    return "Aligned " + definition_->ReadString("Button,Align", "Value" + intToStr(align), "Unaligned");
}

std::string TUisFile::SectionCaption(std::string_view section)
{
    std::string caption = "[" + std::string(section) + "]  - ";
    if (IsButtonSection(section))
        return caption + ButtonActionCaption(section) + ",  " + ButtonAlignmentText(section);
    return caption + definition_->ReadString(rootName(section), "Description", "Unknown");
}

int TUisFile::AttributeTypeOf(std::string_view section, std::string_view attribute, int preset)
{
    if (preset != -1)
        return preset;
    return definition_->AttributeType(section, attribute);
}

int TUisFile::EditorKind(std::string_view section, std::string_view attribute, int preset)
{
    attribute = trimView(attribute);
    int type = AttributeTypeOf(section, attribute, preset);
    auto subtype = [&] {
        return asciiUpper(definition_->ReadString(definitionName(trimView(section), attribute), "Subtype", "Bitmap"));
    };
    switch (type) {
    case TypeBool:
        return ReadBool(section, attribute, false) ? 19 : 18;
    case TypeFile:
        return definition_->FileEditorKind(section, attribute);
    case TypeColor: {
        char last = attribute.empty() ? '\0' : asciiUpper(attribute.back());
        return last == 'R' ? 12 : last == 'G' ? 13 : last == 'B' ? 14 : 7;
    }
    case TypeEnumerator: {
        std::string s = subtype();
        if (s == "BUTTON") return 73;
        if (s == "LAYOUT") return 72;
        if (s == "SCRIPT") return 74;
        if (s == "FONT") return 70;
        if (s == "COLOUR") return 71;
        return 47;
    }
    default:
        return type;
    }
}

int TUisFile::Minimum(std::string_view section, std::string_view attribute)
{
    return definition_->Minimum(section, attribute);
}

int TUisFile::Maximum(std::string_view section, std::string_view attribute)
{
    return definition_->Maximum(section, attribute);
}

int TUisFile::Choices(std::string_view section, std::string_view attribute, TStrings& list)
{
    list.clear();
    std::string name = definitionName(section, attribute);
    int count = std::min(definition_->ReadInteger(name, "Constraints", 0), kMaxListEntries);
    for (int i = 0; i < count; ++i) {
        std::string key = "Value" + intToStr(i);
        list.push_back(definition_->ReadString(name, key, key));
    }
    return definition_->ReadInteger(name, "ShiftNumericValue", 0);
}

int TUisFile::Shift(std::string_view section, std::string_view attribute)
{
    return definition_->Shift(section, attribute);
}

int TUisFile::Pictures(std::string_view section, std::string_view attribute, TStrings& list)
{
    list.clear();
    std::string name = definitionName(section, attribute);
    int count = std::min(definition_->ReadInteger(name, "ImageCount", 0), kMaxListEntries);
    for (int i = 1; i <= count; ++i) {
        std::string key = "Image" + intToStr(i);
        list.push_back(definition_->ReadString(name, key, key));
    }
    return count;
}

int TUisFile::DefinitionsOfType(std::string_view typeWord, std::string_view subtypeWord, TStrings& list)
{
    list.clear();
    std::string type = asciiUpper(typeWord), subtype = asciiUpper(subtypeWord);
    TStrings sections;
    definition_->ReadSections(sections);
    for (const std::string& section : sections) {
        std::string found = definition_->ReadString(section, "Type", kMissingValue);
        if (found == kMissingValue || asciiUpper(found) != type)
            continue;
        if (asciiUpper(definition_->ReadString(section, "SubType", "BITMAP")) == subtype)
            list.push_back(section);
    }
    return int(list.size());
}

std::string TUisFile::Parent(std::string_view section)
{
    return definition_->ReadString(rootName(section), "Parent", "Root");
}

int TUisFile::IconOpened(std::string_view section)
{
    return definition_->ReadInteger(rootName(section), "IconOpened", 9);
}

int TUisFile::IconClosed(std::string_view section)
{
    return definition_->ReadInteger(rootName(section), "IconClosed", 8);
}

bool TUisFile::IsVirtual(std::string_view section)
{
    return definition_->ReadBool(rootName(section), "Virtual", false);
}

bool TUisFile::IsEnumerated(std::string_view section)
{
    return definition_->ReadBool(rootName(section), "Enumerated", false);
}

std::string TUisFile::ValueForDisplay(std::string_view section, std::string_view attribute, std::string_view value)
{
    if (!DescriptiveNames)
        return std::string(value);
    std::string name = definitionName(section, attribute);
    switch (AttributeTypeOf(section, attribute)) {
    case TypeChoose: {
        int shift = definition_->ReadInteger(name, "ShiftNumericValue", 0);
        // Minus the shift, saturated: the negation of the smallest integer does not fit.
        int unshifted = shift == INT32_MIN ? INT32_MAX : -shift;
        int stored = lenientInteger(value, definition_->ReadInteger(name, "Default", unshifted));
        std::string key = "Value" + intToStr(int64_t(stored) - shift);
        return definition_->ReadString(name, key, key);
    }
    case TypeBool:
        // A value that is not a number is shown as it is rather than guessed at.
        if (auto number = valInteger(value))
            return *number != 0 ? "Enabled" : "Disabled";
        return std::string(value);
    case TypeEnumerator: {
        static const char* families[] = {"Font", "Colour", "Layout", "Button", "Script"};
        int kind = EditorKind(section, attribute);
        if (kind >= 70 && kind <= 74)
            return families[kind - 70] + std::string(value);
        return std::string(value);
    }
    default:
        return std::string(value);
    }
}

bool regularFileInside(const fs::path& file, const fs::path& folder)
{
    std::error_code ec;
    fs::path real = fs::canonical(file, ec);
    if (ec)
        return false;
    fs::path realFolder = fs::canonical(folder, ec);
    if (ec)
        return false;
    // Checked on the real file, so a link to a FIFO or a device is refused as well.
    if (!fs::is_regular_file(fs::symlink_status(real, ec)))
        return false;
    fs::path relative = real.lexically_relative(realFolder);
    return !relative.empty() && *relative.begin() != ".." && !relative.is_absolute();
}

std::vector<fs::path> installedPluginCatalogueFiles(const fs::path& programFolder)
{
    std::vector<fs::path> files;
    // A downloaded skin is untrusted: only plain files of its own folder are read, never
    // what a link reaches elsewhere (a secret), nor a FIFO (it would wait forever) or a
    // device (it would never end).
    auto addFolder = [&](const fs::path& folder) {
        for (const std::string& name : sortedFileNames(folder, "*.def"))
            if (regularFileInside(folder / name, folder))
                files.push_back(folder / name);
    };
    fs::path plugins = programFolder / "PLUGINS";
    addFolder(plugins);
    std::vector<fs::path> subfolders;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(plugins, ec)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory(ec) && !name.empty() && name[0] != '.')
            subfolders.push_back(entry.path());
    }
    std::sort(subfolders.begin(), subfolders.end());
    for (const fs::path& folder : subfolders)
        addFolder(folder);
    return files;
}

std::vector<fs::path> pluginCatalogueFiles(const fs::path& personalityFolder, const fs::path& programFolder)
{
    std::vector<fs::path> files;
    for (const std::string& name : sortedFileNames(personalityFolder, "*.def"))
        if (regularFileInside(personalityFolder / name, personalityFolder))
            files.push_back(personalityFolder / name);
    std::vector<fs::path> installed = installedPluginCatalogueFiles(programFolder);
    files.insert(files.end(), installed.begin(), installed.end());
    return files;
}

}  // namespace sw
