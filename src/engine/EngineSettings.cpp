#include "engine/EngineSettings.h"

#include "engine/Engine.h"
#include "engine/Registry.h"
#include "store/IniFile.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

#include <algorithm>
#include <memory>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kGlobalSection = "Global";

// The store over an engine file, or none when the file exists but cannot be read.
std::unique_ptr<TIniFile> openFile(const fs::path& file)
{
    try {
        return std::make_unique<TIniFile>(file.string());
    } catch (const EIniFileException&) {
        return nullptr;
    }
}

bool readBool(const fs::path& file, std::string_view section, std::string_view key, bool fallback)
{
    auto ini = openFile(file);
    return ini ? ini->ReadBool(section, key, fallback) : fallback;
}

template <class Edit>
bool edit(const fs::path& file, Edit change)
{
    auto ini = openFile(file);
    if (!ini)
        return false;
    try {
        change(*ini);
        return true;
    } catch (const EIniFileException&) {
        return false;
    }
}

}  // namespace

EngineSettings::EngineSettings(fs::path engineFolder) : folder_(std::move(engineFolder)) {}

int EngineSettings::value(std::string_view name)
{
    return value(name, sameText(name, "ExpB") ? 255 : 0);
}

int EngineSettings::value(std::string_view name, int fallback)
{
    return lenientInteger(text(name).value_or(std::string()), fallback);
}

std::optional<std::string> EngineSettings::text(std::string_view name)
{
    return Registry().read(kEngineSettingsKey, name);
}

bool EngineSettings::setValue(std::string_view name, int value)
{
    return setText(name, intToStr(value));
}

bool EngineSettings::setText(std::string_view name, std::string_view text)
{
    return Registry().writeString(kEngineSettingsKey, name, text);
}

fs::path EngineSettings::globalFile()
{
    return windowsFolder() / "vx.ini";
}

bool EngineSettings::globalSwitch(std::string_view name)
{
    return readBool(globalFile(), kGlobalSection, name, false);
}

bool EngineSettings::setGlobalSwitch(std::string_view name, bool on)
{
    return edit(globalFile(), [&](TIniFile& ini) { ini.WriteBool(kGlobalSection, name, on); });
}

fs::path EngineSettings::programFile() const
{
    return folder_ / "vxdbg.ini";
}

bool EngineSettings::programSwitch(std::string_view program, std::string_view name, bool fallback) const
{
    return readBool(programFile(), program, name, fallback);
}

bool EngineSettings::setProgramSwitch(std::string_view program, std::string_view name, bool on)
{
    return edit(programFile(), [&](TIniFile& ini) { ini.WriteBool(program, name, on); });
}

fs::path EngineSettings::programSkinFile() const
{
    return folder_ / "vxPerApp.ini";
}

std::string EngineSettings::programSkin(std::string_view program) const
{
    auto ini = openFile(programSkinFile());
    return ini ? ini->ReadString(program, "Skin", "") : std::string();
}

bool EngineSettings::setProgramSkin(std::string_view program, std::string_view skin)
{
    return edit(programSkinFile(), [&](TIniFile& ini) {
        if (skin.empty())
            ini.EraseSection(program);
        else
            ini.WriteString(program, "Skin", skin);
    });
}

std::vector<std::string> EngineSettings::knownPrograms() const
{
    std::vector<std::string> programs;
    for (const fs::path& file : {programFile(), programSkinFile()}) {
        auto ini = openFile(file);
        if (!ini)
            continue;
        TStrings sections;
        ini->ReadSections(sections);
        for (const std::string& section : sections)
            if (std::none_of(programs.begin(), programs.end(),
                             [&](const std::string& known) { return sameText(known, section); }))
                programs.push_back(section);
    }
    std::stable_sort(programs.begin(), programs.end(),
                     [](const std::string& a, const std::string& b) { return asciiUpper(a) < asciiUpper(b); });
    return programs;
}

}  // namespace sw
