// The editor's preferences as stored in sw.ini: every setting of the preferences
// dialog with its default, the code view's five text styles and the sixteen
// standard colours of their colour grid. Reading and writing, no widgets.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sw {

class TCustomIniFile;

// One styled element of the code view.
struct CodeViewStyle {
    int colour = 0;  // red + 256 * green + 65536 * blue
    int colourIndex = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct CodeViewElement {
    const char* caption;  // as the list shows it
    const char* prefix;   // of the keys in section CodeView
    CodeViewStyle defaults;
};

enum CodeViewElementIndex { ElementComment, ElementSection, ElementAttribute, ElementKeyword, ElementValue };
inline constexpr int kCodeViewElements = 5;
const std::array<CodeViewElement, kCodeViewElements>& codeViewElements();

// The colour grid's sixteen cells, row by row: the system palette's entries 0-7 and 12-19.
const std::array<int, 16>& standardColours();
// The cell holding the colour, or -1.
int standardColourIndex(int colour);

// The value of a key of section Author when sw.ini has none.
std::string authorDefault(std::string_view key);
// The keys of section Author in the dialog's order: SkinName, SkinAuthor, AuthorsURL,
// AuthorEmail, SpecialNotes.
const std::array<const char*, 5>& authorKeys();

struct Preferences {
    std::array<std::string, 5> author;  // by authorKeys()
    bool windowsSizeRestore = false;
    bool loadRecentlyEdited = false;
    bool desktopState = true;
    int maxRecent = 4;
    bool attributesHotTrack = true;
    bool descriptiveNames = true;
    int logoMode = 1;
    std::string logoImage;
    bool showPreviewTransparency = true;
    int skinShotFormat = 2;
    std::string customEditor;
    int editMode = 2;
    int editButtonMode = 0;
    bool enableHighlighting = true;
    std::array<CodeViewStyle, kCodeViewElements> codeView;
};

// Reads every setting; missing or out-of-range values give the defaults.
Preferences readPreferences(TCustomIniFile& settings);
std::string readAuthorValue(TCustomIniFile& settings, std::string_view key);
std::array<CodeViewStyle, kCodeViewElements> readCodeViewStyles(TCustomIniFile& settings);

// The groups of settings in the order the dialog stores them.
void storeGeneral(TCustomIniFile& settings, const Preferences& preferences);   // LogoMode ... SkinShotFormat
void storeAuthor(TCustomIniFile& settings, const std::array<std::string, 5>& author, bool withSkinName = true);
void storeCodeView(TCustomIniFile& settings, const Preferences& preferences);
void storeEditors(TCustomIniFile& settings, const Preferences& preferences);   // CustomEditor, EditMode, EditButtonMode

}  // namespace sw
