// One opened personality file: its format version, its folder and bitmaps, its
// definition catalogue, and the typed reads, writes and catalogue queries that the
// explorer, the preview, the validator and the wizards ask of it. Every change is
// written through to the file at once (TIniFile).
#pragma once

#include "document/FileReference.h"
#include "document/UisDefinition.h"
#include "store/IniFile.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

namespace sw {

enum UisType : int { UisTypeUnknown = 0, UisType1 = 1, UisType2 = 2, UisType1p = 11 };

// The file name that gives an empty version-2 document with its catalogue.
inline constexpr std::string_view kForceUis2Definition = "$Force$Uis$2$Definition";

// The window states, in index order.
inline constexpr const char* kWindowStates[8] = {
    "NormalInactive", "NormalActive", "MDIInactive", "MDIActive",
    "NonSizableInactive", "NonSizableActive", "ToolInactive", "ToolActive",
};

using Colour = int32_t;  // red + green * 256 + blue * 65536

// The most entries a choice or picture list of the catalogue yields. Real lists hold a
// handful; a count of millions in a damaged or hostile catalogue would otherwise
// stall the program building strings for it.
inline constexpr int kMaxListEntries = 4096;

class PersonalityText;

class TUisFile : public TIniFile {
public:
    explicit TUisFile(std::string fileName);
    // A document that is only looked at (the render verb): its values are read from a
    // read-only text of the file, in little more memory than the file's bytes, and
    // every change throws EIniFileException naming the file.
    struct ReadOnly {};
    TUisFile(std::string fileName, ReadOnly);
    ~TUisFile() override;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& entries) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;

    // The detected version; a document of version 0 is detected again on each call.
    int FormatVersion();
    // The catalogue (empty for version 0, so every query gives its default).
    TUisDefinition& Definition() { return *definition_; }
    // Appends a plug-in catalogue when its PluginInfo UisType equals this version.
    // Returns whether it was merged; a file that cannot be read is not.
    bool MergePluginDefinitions(const std::string& catalogueFile);

    // The personality folder and the skins root (the folder that holds it).
    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path SkinsRoot() const { return folder_.parent_path(); }
    // For a copy of a personality kept elsewhere: its references resolve against
    // the personality's own folder.
    void SetFolder(const std::filesystem::path& folder);
    // Names of the *.bmp files of the folder, sorted.
    const std::vector<std::string>& Bitmaps() const { return bitmaps_; }
    // SkinName of TITLEBARSKIN, "Untitled" when absent.
    std::string PersonalityName();

    // Friendly names from the catalogue, or plain names when this is off.
    bool DescriptiveNames = true;

    // Typed access.
    Colour ReadColour(std::string_view section, std::string_view key, Colour def);
    void WriteColour(std::string_view section, std::string_view key, Colour colour);
    Colour NamedColour(std::string_view name, Colour def);
    int ButtonCount();
    void SetButtonCount(int count);
    bool ButtonVisibleInState(int button, int state);
    std::string NextFreeSectionName(std::string_view base);
    // Files of the folder matching the attribute's pattern, as references; returns
    // the position of the current value in the list, or -1.
    int FileChoices(std::string_view section, std::string_view attribute, TStrings& list);
    // The path a file reference names under the skins root (empty when refused).
    std::filesystem::path ReferencePath(std::string_view reference) const;

    // Frame and border queries of the preview.
    bool Stretched(std::string_view element);
    int FrameCount(std::string_view element);
    int FrameForState(int state, int fallback);
    std::filesystem::path FrameBitmapPath(std::string_view side);
    int Height(std::string_view first, std::string_view second);

    // Catalogue queries for a section and attribute of this document.
    std::string AttributeDisplayName(std::string_view section, std::string_view attribute, std::string_view def);
    std::string SectionDisplayName(std::string_view section);
    std::string AttributeDescription(std::string_view section, std::string_view attribute, std::string_view def);
    std::string AttributeDescriptionInContext(std::string_view section, std::string_view attribute);
    std::string SectionCaption(std::string_view section);
    std::string ButtonActionCaption(std::string_view section);
    std::string ButtonAlignmentText(std::string_view section);
    int AttributeTypeOf(std::string_view section, std::string_view attribute, int preset = -1);
    int EditorKind(std::string_view section, std::string_view attribute, int preset = -1);
    // Throw EConvertError when Constraints is malformed.
    int Minimum(std::string_view section, std::string_view attribute);
    int Maximum(std::string_view section, std::string_view attribute);
    // Choices and Pictures list at most kMaxListEntries entries.
    int Choices(std::string_view section, std::string_view attribute, TStrings& list);
    int Shift(std::string_view section, std::string_view attribute);
    int Pictures(std::string_view section, std::string_view attribute, TStrings& list);
    int DefinitionsOfType(std::string_view typeWord, std::string_view subtypeWord, TStrings& list);
    std::string Parent(std::string_view section);
    int IconOpened(std::string_view section);
    int IconClosed(std::string_view section);
    bool IsVirtual(std::string_view section);
    bool IsEnumerated(std::string_view section);
    std::string ValueForDisplay(std::string_view section, std::string_view attribute, std::string_view value);

    // Whether a section name is a title-bar button section (Button0, Button1, ...):
    // upper-cased it begins with BUTTON but not with BUTTONS.
    static bool IsButtonSection(std::string_view section);
    // The catalogue file of a version ("uis2.def"), empty for version 0.
    static std::string CatalogueFileName(int version);

private:
    void open();
    int detectVersion();

    int version_ = UisTypeUnknown;
    bool forced_ = false;
    std::filesystem::path folder_;
    std::vector<std::string> bitmaps_;
    std::unique_ptr<TUisDefinition> definition_;
    // The values of a read-only document (none for one that is edited).
    std::unique_ptr<PersonalityText> text_;
    // Listings of the folders references pass through, for names in the wrong case.
    mutable FolderIndex folders_;
};

// The reads behind FormatVersion (without the forced version 2), ButtonCount,
// FrameCount and Height, on any store of a personality's values: the validate verb
// asks them of a read-only text of the file.
int uisVersionOf(TCustomIniFile& values);
int uisButtonCount(TCustomIniFile& values, int version);
int uisFrameCount(TCustomIniFile& values, int version, std::string_view element);
int uisEdgeHeight(TCustomIniFile& values, int version, std::string_view first, std::string_view second);

// Plug-in catalogues offered to a document, in order: *.def of the personality
// folder, of PLUGINS beside the program, then of each PLUGINS subfolder (names
// beginning with "." skipped). Each folder's files are sorted by name. Only regular
// files that lie, links resolved, inside their folder are offered.
std::vector<std::filesystem::path> pluginCatalogueFiles(const std::filesystem::path& personalityFolder,
                                                        const std::filesystem::path& programFolder);
// The installed part of that list: PLUGINS beside the program, then its subfolders.
std::vector<std::filesystem::path> installedPluginCatalogueFiles(const std::filesystem::path& programFolder);

}  // namespace sw
