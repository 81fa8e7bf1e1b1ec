// Everything the tweak tool edits, read at start and written by "OK" and "Apply" in
// the order the engine expects: its registry values, the tool-bar values with the
// synchronizer, the global switches of vx.ini, then the reload command.
#pragma once

#include "engine/ExplorerSettings.h"

#include <filesystem>
#include <string>

namespace sw::tweak {

struct TweakSettings {
    bool sizeLimit = false;
    bool windowLock = false;
    bool noSound = false;
    ExplorerLook look;
    ExplorerToolbars toolbars;
};

// The transparency colour shown when the engine has none stored: "Clear".
inline constexpr int kDefaultTransparencyColour = 7;

TweakSettings readTweakSettings();

// The command line the engine's start entry runs: the synchronizer beside the
// program with "/monitor".
std::string synchronizerCommand(const std::filesystem::path& programFolder);

struct WriteOutcome {
    std::filesystem::path synchronizer;  // the program started ("/monitor" or "/kill")
    bool synchronizerStarted = false;
    TweakSettings stored;  // the settings as they are now stored
};

// Writes the settings that differ from `stored` (as read at start, or as last written),
// so a value the user never touched keeps its text, starts the synchronizer ("/monitor"
// or "/kill") through the shell, and tells the engine to reload. Whether the
// synchronizer started is returned rather than shown.
WriteOutcome writeTweakSettings(const TweakSettings& settings, const TweakSettings& stored,
                                const std::filesystem::path& programFolder);

// The Explorer background picture: the engine's value "VX", or nothing when absent.
std::string explorerBitmapValue();

}  // namespace sw::tweak
