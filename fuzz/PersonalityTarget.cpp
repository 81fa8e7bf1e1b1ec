// Any bytes as a personality file, with any bytes as the catalogue of every format
// version (the input is split at the first "\n#CATALOGUE#\n"): format detection, the
// typed reads, the frame queries and every catalogue query of the document. A
// malformed Constraints value may only raise EConvertError; any other exception, a
// crash or a hang is a finding. A colour written reads back, and every file path the
// document hands out lies under the skins root.
#include "FuzzTargets.h"

#include "document/UisFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <algorithm>

namespace sw::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSeparator = "\n#CATALOGUE#\n";
constexpr std::size_t kPersonalitySectionsQueried = 6;
constexpr std::size_t kKeysQueried = 6;
constexpr std::size_t kListsQueried = 3;

void requireUnderRoot(TUisFile& document, const fs::path& path, const std::string& what)
{
    // The target's skins root holds no links (it writes plain files only).
    require(path.empty() || liesUnder(path, document.SkinsRoot(), true), what + " gives a path outside the skins root");
}

}  // namespace

void personality(std::string_view data)
{
    std::size_t split = data.find(kSeparator);
    std::string_view personalityBytes = data.substr(0, split);
    std::string_view catalogueBytes = split == std::string_view::npos ? std::string_view() : data.substr(split + kSeparator.size());

    const fs::path program = scratchFolder() / "program";
    const fs::path folder = scratchFolder() / "skins" / "Fuzzed";
    static bool prepared = false;
    if (!prepared) {
        fs::create_directories(program);
        fs::create_directories(folder);
        writeFile(folder / "top.bmp", "BM");
        setProgramFolder(program);
        prepared = true;
    }
    // Consecutive inputs often share their catalogue: it is written only when it changed.
    static std::string writtenCatalogue = "\x01 none yet";
    if (catalogueBytes != writtenCatalogue) {
        for (const char* name : {"uis1.def", "uis1p.def", "uis2.def"})
            writeFile(program / name, catalogueBytes);
        writtenCatalogue = catalogueBytes;
    }
    const fs::path file = folder / "Fuzzed.uis";
    writeFile(file, personalityBytes);

    TUisFile document(file.string());
    // The scratch file is thrown away: waiting for the disk would only slow the search.
    document.SetDurable(false);
    int version = document.FormatVersion();
    require(version == UisTypeUnknown || version == UisType1 || version == UisType2 || version == UisType1p,
            "an unknown format version");
    document.MergePluginDefinitions((program / "uis2.def").string());
    document.PersonalityName();
    document.ButtonCount();

    static const char* const sides[] = {"Top", "Bottom", "Left", "Right", "TOP"};
    for (const char* side : sides) {
        requireUnderRoot(document, document.FrameBitmapPath(side), "the frame bitmap path");
        document.Stretched(side);
        document.FrameCount(side);
        document.Height(side, "BOT");
    }
    for (int state = -1; state <= 8; ++state) {
        document.FrameForState(state, 5);
        document.ButtonVisibleInState(state < 0 ? 0 : state, state);
    }

    TStrings sections;
    document.ReadSections(sections);
    TStrings catalogueSections;
    document.Definition().ReadSections(catalogueSections);
    for (std::size_t i = 0; i < catalogueSections.size() && sections.size() < 2 * kPersonalitySectionsQueried; ++i) {
        const std::string& name = catalogueSections[i];
        std::size_t comma = name.find(',');
        if (comma != std::string::npos && !startsWithText(name, "ROOT,"))
            sections.push_back(name.substr(0, comma));
    }
    if (sections.size() > 2 * kPersonalitySectionsQueried)
        sections.resize(2 * kPersonalitySectionsQueried);

    std::size_t listsQueried = 0;
    for (const std::string& section : sections) {
        document.SectionDisplayName(section);
        document.SectionCaption(section);
        document.Parent(section);
        document.IconOpened(section);
        document.IconClosed(section);
        document.IsVirtual(section);
        document.NextFreeSectionName(section);
        document.AttributeDescriptionInContext(section, "Description");

        TStrings keys;
        document.ReadSection(section, keys);
        for (const std::string& name : catalogueSections) {
            std::size_t comma = name.find(',');
            if (comma != std::string::npos && keys.size() < 2 * kKeysQueried &&
                sameText(std::string_view(name).substr(0, comma), section))
                keys.push_back(name.substr(comma + 1));
        }
        if (keys.size() > 2 * kKeysQueried)
            keys.resize(2 * kKeysQueried);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string& key = keys[k];
            Colour a = document.ReadColour(section, key, -1), b = document.ReadColour(section, key, -2);
            require(a == b || (a == -1 && b == -2), "read colour gives neither a colour nor the default");
            Colour c = document.NamedColour(key, -1), d = document.NamedColour(key, -2);
            require(c == d || (c == -1 && d == -2), "named colour gives neither a colour nor the default");
            std::string value = document.ReadString(section, key, "");
            document.AttributeDisplayName(section, key, key);
            document.AttributeDescription(section, key, "");
            document.AttributeTypeOf(section, key);
            document.EditorKind(section, key);
            document.ValueForDisplay(section, key, value);
            if (value.find_first_of("\\/:.") != std::string::npos)
                requireUnderRoot(document, document.ReferencePath(value), "a file reference");
            // The lists run up to thousands of reads each and take one path whatever the
            // section and key: the first few attributes cover them.
            TStrings list;
            if (k == 0 && listsQueried++ < kListsQueried) {
                document.Choices(section, key, list);
                document.Pictures(section, key, list);
            }
            document.Shift(section, key);
            try {
                document.Minimum(section, key);
            } catch (const EConvertError&) {
            }
            try {
                document.Maximum(section, key);
            } catch (const EConvertError&) {
            }
        }
    }
    TStrings list;
    if (!sections.empty())
        document.FileChoices(sections.front(), "Top", list);
    document.DefinitionsOfType("FILE", "BITMAP", list);
    document.DefinitionsOfType("ENUMERATOR", "FONT", list);

    // A colour written through the document reads back as its three low bytes, and
    // the file on disk is what the document last wrote.
    ByteReader reader(personalityBytes.substr(0, 4));
    Colour colour = Colour(uint32_t(reader.byte()) | uint32_t(reader.byte()) << 8 | uint32_t(reader.byte()) << 16 |
                           uint32_t(reader.byte()) << 24);
    document.WriteColour("FuzzColours", "Written", colour);
    require(document.ReadColour("FuzzColours", "Written", -1) == (colour & 0xFFFFFF), "a written colour does not read back");
    require(readFileBytes(file) == document.DiskBytes(), "the file on disk is not what the document wrote");
}

}  // namespace sw::fuzz
