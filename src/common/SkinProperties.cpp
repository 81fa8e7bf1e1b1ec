#include "common/SkinProperties.h"

#include "document/AuthorDefaults.h"

#include "store/CustomIniFile.h"

#include <algorithm>

namespace sw {

namespace {

constexpr int rgb(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

int readRange(TCustomIniFile& settings, const char* key, int fallback, int low, int high)
{
    const int value = settings.ReadInteger("General", key, fallback);
    return value < low || value > high ? fallback : value;
}

}  // namespace

const std::array<CodeViewElement, kCodeViewElements>& codeViewElements()
{
    static const std::array<CodeViewElement, kCodeViewElements> elements = {{
        {"Comment", "Comment", {rgb(128, 128, 128), 7, false, true, false}},
        {"Section", "Section", {rgb(255, 0, 0), 9, true, false, false}},
        {"Attribute", "Code", {rgb(0, 0, 0), 0, false, false, false}},
        {"Script Keyword", "Value", {rgb(0, 0, 255), 4, false, false, false}},
        {"Script Value", "KeyWord", {rgb(0, 0, 0), 0, true, false, false}},
    }};
    return elements;
}

const std::array<int, 16>& standardColours()
{
    static const std::array<int, 16> colours = {
        rgb(0, 0, 0),       rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
        rgb(0, 0, 128),     rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
        rgb(128, 128, 128), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
        rgb(0, 0, 255),     rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255),
    };
    return colours;
}

int standardColourIndex(int colour)
{
    const auto& colours = standardColours();
    auto found = std::find(colours.begin(), colours.end(), colour);
    return found == colours.end() ? -1 : int(found - colours.begin());
}

const std::array<const char*, 5>& authorKeys()
{
    static const std::array<const char*, 5> keys = {"SkinName", "SkinAuthor", "AuthorsURL", "AuthorEmail",
                                                    "SpecialNotes"};
    return keys;
}

std::string authorDefault(std::string_view key)
{
    if (key == "SkinName")
        return "Default Skin Name";
    return authorPlaceholder(key);
}

std::string readAuthorValue(TCustomIniFile& settings, std::string_view key)
{
    return settings.ReadString("Author", key, authorDefault(key));
}

std::array<CodeViewStyle, kCodeViewElements> readCodeViewStyles(TCustomIniFile& settings)
{
    std::array<CodeViewStyle, kCodeViewElements> styles;
    for (int i = 0; i < kCodeViewElements; ++i) {
        const CodeViewElement& element = codeViewElements()[i];
        const std::string prefix = element.prefix;
        CodeViewStyle& style = styles[i];
        style.colour = settings.ReadInteger("CodeView", prefix + "Color", element.defaults.colour) & 0xFFFFFF;
        style.colourIndex = settings.ReadInteger("CodeView", prefix + "ColorIndex", element.defaults.colourIndex);
        if (style.colourIndex < 0 || style.colourIndex > 15)
            style.colourIndex = std::max(0, standardColourIndex(style.colour));
        style.bold = settings.ReadBool("CodeView", prefix + "FontBold", element.defaults.bold);
        style.italic = settings.ReadBool("CodeView", prefix + "FontItalic", element.defaults.italic);
        style.underline = settings.ReadBool("CodeView", prefix + "Underline", element.defaults.underline);
    }
    return styles;
}

Preferences readPreferences(TCustomIniFile& settings)
{
    Preferences p;
    for (std::size_t i = 0; i < authorKeys().size(); ++i)
        p.author[i] = readAuthorValue(settings, authorKeys()[i]);
    p.windowsSizeRestore = settings.ReadBool("General", "WindowsSizeRestore", false);
    p.loadRecentlyEdited = settings.ReadBool("General", "LoadRecentlyEdited", false);
    p.desktopState = settings.ReadBool("General", "DesktopState", true);
    // Clamped as the recent list itself does, so the dialog shows what the menu holds.
    p.maxRecent = std::clamp(settings.ReadInteger("General", "MaxRecent", 4), 1, 10);
    p.attributesHotTrack = settings.ReadBool("General", "AttributesHotTrack", true);
    p.descriptiveNames = settings.ReadBool("General", "DescriptiveNames", true);
    p.logoMode = readRange(settings, "LogoMode", 1, 0, 2);
    p.logoImage = settings.ReadString("General", "LogoImage", "");
    p.showPreviewTransparency = settings.ReadBool("General", "ShowPreviewTransparrency", true);
    p.skinShotFormat = readRange(settings, "SkinShotFormat", 2, 0, 2);
    p.customEditor = settings.ReadString("General", "CustomEditor", "");
    p.editMode = readRange(settings, "EditMode", 2, 0, 3);
    p.editButtonMode = readRange(settings, "EditButtonMode", 0, 0, 1);
    p.enableHighlighting = settings.ReadBool("CodeView", "EnableHighLighting", true);
    p.codeView = readCodeViewStyles(settings);
    return p;
}

void storeGeneral(TCustomIniFile& settings, const Preferences& p)
{
    settings.WriteInteger("General", "LogoMode", p.logoMode);
    if (p.logoMode == 2)
        settings.WriteString("General", "LogoImage", p.logoImage);
    settings.WriteBool("General", "ShowPreviewTransparrency", p.showPreviewTransparency);
    settings.WriteBool("General", "WindowsSizeRestore", p.windowsSizeRestore);
    settings.WriteBool("General", "LoadRecentlyEdited", p.loadRecentlyEdited);
    settings.WriteBool("General", "DesktopState", p.desktopState);
    settings.WriteInteger("General", "MaxRecent", p.maxRecent);
    settings.WriteBool("General", "DescriptiveNames", p.descriptiveNames);
    settings.WriteBool("General", "AttributesHotTrack", p.attributesHotTrack);
    settings.WriteInteger("General", "SkinShotFormat", p.skinShotFormat);
}

void storeAuthor(TCustomIniFile& settings, const std::array<std::string, 5>& author, bool withSkinName)
{
    for (std::size_t i = withSkinName ? 0 : 1; i < authorKeys().size(); ++i)
        settings.WriteString("Author", authorKeys()[i], author[i]);
}

void storeCodeView(TCustomIniFile& settings, const Preferences& p)
{
    settings.WriteBool("CodeView", "EnableHighLighting", p.enableHighlighting);
    for (int i = 0; i < kCodeViewElements; ++i) {
        const std::string prefix = codeViewElements()[i].prefix;
        const CodeViewStyle& style = p.codeView[i];
        settings.WriteInteger("CodeView", prefix + "Color", style.colour);
        settings.WriteInteger("CodeView", prefix + "ColorIndex", style.colourIndex);
        settings.WriteBool("CodeView", prefix + "FontBold", style.bold);
        settings.WriteBool("CodeView", prefix + "FontItalic", style.italic);
        settings.WriteBool("CodeView", prefix + "Underline", style.underline);
    }
}

void storeEditors(TCustomIniFile& settings, const Preferences& p)
{
    settings.WriteString("General", "CustomEditor", p.customEditor);
    settings.WriteInteger("General", "EditMode", p.editMode);
    settings.WriteInteger("General", "EditButtonMode", p.editButtonMode);
}

}  // namespace sw
