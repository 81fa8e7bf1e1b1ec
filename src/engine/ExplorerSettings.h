// The shell-window settings that both the editor's preferences and the tweak tool
// change: the look of Explorer windows (engine registry values) and the pictures
// behind Explorer tool bars, with the start entry of the tool-bar synchronizer.
#pragma once

#include <string>
#include <string_view>

namespace sw {

inline constexpr std::string_view kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kSynchronizerValue = "Explorer Synchronizer";
inline constexpr std::string_view kSynchronizerProgram = "ExpSync.exe";

struct ExplorerLook {
    enum Background { Regular, Transparent, Stretch };
    Background background = Regular;
    int transparencyColour = 7;  // index into the sixteen transparency colours
    bool ownTextColour = false;
    int red = 0, green = 0, blue = 255;
};

// Reads the engine's values leniently; a missing transBCOL gives `missingColour`
// (the preferences show 0, the tweak tool 7). A stretched background wins over a
// transparent one, which wins over the regular one.
ExplorerLook readExplorerLook(int missingColour);
// Writes ExpTrans, stretchBitmaps and transBCOL, then DoExplorerColour with the
// colour's bytes, or DoExplorerColour "0" alone when the own colour is off.
void writeExplorerLook(const ExplorerLook& look);

struct ExplorerToolbars {
    bool images = false;  // the value SkinwrightBackBitmapEnable exists
    std::string backBitmap;
    std::string backBitmapIE5;
    bool synchronize = false;  // the synchronizer's start entry exists
};

ExplorerToolbars readExplorerToolbars();
// Ticked: writes both pictures and the enable flag "1"; otherwise deletes all three.
void writeToolbarImages(bool images, std::string_view backBitmap, std::string_view backBitmapIE5);

}  // namespace sw
