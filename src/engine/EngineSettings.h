// The engine's settings that the editor's preferences and the tweak tool change:
// values of the engine's registry key, the global switches of vx.ini in the Windows
// folder, and the per-program files vxdbg.ini and vxPerApp.ini in the engine folder.
// The INI files are edited in place, key by key.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The switches of vx.ini's section "Global".
inline constexpr std::array<std::string_view, 4> kGlobalSwitches = {"SizeLimit", "WindowLock", "NoSound", "UseHWAcc"};
// The switches of a program's section in vxdbg.ini.
inline constexpr std::array<std::string_view, 10> kProgramSwitches = {
    "ActiveFix", "IgnoreApp", "NoBitmaps", "NoSize", "DirectXisOk",
    "ButtonFix", "NoFlatTool", "MDIFix", "FixMDIChildSizing", "NoScroll"};

class EngineSettings {
public:
    explicit EngineSettings(std::filesystem::path engineFolder);

    // A value of the engine's settings key read as a number, leniently (characters
    // that spoil the number are dropped); missing or unreadable as 0, "ExpB" as 255.
    static int value(std::string_view name);
    static int value(std::string_view name, int fallback);
    // The value's text as stored, or nothing when it is missing.
    static std::optional<std::string> text(std::string_view name);
    // Stores the number as decimal text (creating the key). False when not stored.
    static bool setValue(std::string_view name, int value);
    static bool setText(std::string_view name, std::string_view text);

    // vx.ini in the Windows folder.
    static std::filesystem::path globalFile();
    static bool globalSwitch(std::string_view name);
    // False when the file could not be written.
    static bool setGlobalSwitch(std::string_view name, bool on);

    // vxdbg.ini in the engine folder; one section per program file name ("Skinwrt.exe").
    std::filesystem::path programFile() const;
    bool programSwitch(std::string_view program, std::string_view name, bool fallback = false) const;
    bool setProgramSwitch(std::string_view program, std::string_view name, bool on);

    // vxPerApp.ini in the engine folder: the personality chosen for a program.
    std::filesystem::path programSkinFile() const;
    std::string programSkin(std::string_view program) const;
    // An empty personality removes the program's section.
    bool setProgramSkin(std::string_view program, std::string_view skin);

    // The programs named in vxdbg.ini or vxPerApp.ini, each once (letter case aside,
    // the first spelling wins), sorted without regard to case.
    std::vector<std::string> knownPrograms() const;

    const std::filesystem::path& engineFolder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

}  // namespace sw
