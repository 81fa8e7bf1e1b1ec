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
// Writes what differs from `stored` (the look as read, or as last written): the
// background as ExpTrans and stretchBitmaps, transBCOL, DoExplorerColour ("1" or "0"),
// and the colour's bytes when the colour changed while the own colour is on. A value
// the user left alone keeps its text, however it is spelt or far out of range.
// Returns the look as it is now stored.
ExplorerLook writeExplorerLook(const ExplorerLook& look, const ExplorerLook& stored);

struct ExplorerToolbars {
    bool images = false;  // the value SkinwrightBackBitmapEnable exists
    std::string backBitmap;
    std::string backBitmapIE5;
    bool synchronize = false;  // the synchronizer's start entry exists
};

ExplorerToolbars readExplorerToolbars();
// Ticked: writes the pictures that differ from `stored`, and the enable flag "1" when
// it was not ticked; unticked when it was ticked: deletes all three. The synchronizer's
// entry is not touched.
void writeToolbarImages(const ExplorerToolbars& toolbars, const ExplorerToolbars& stored);
// Deletes both pictures and the enable flag.
void removeToolbarImages();

}  // namespace sw
