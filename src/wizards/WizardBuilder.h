// The personality the new skin wizard builds from its template: the choices made on
// the wizard's pages, the checks made before anything is written, and the writing.
// The template's base sections form the new file; variant sections ("<section>$X")
// are merged over them by the choices, and buttons are added from "Button$X".
#pragma once

#include "wizards/ScratchCutter.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class TCustomIniFile;

enum class TitleShadow { None, Drop, Outline };

// One row of the application bar's program list, in list order, with the command its
// button runs unless the author gives another: a program or address the engine's
// platform starts by name.
struct WizardProgram {
    const char* caption;
    const char* suffix;
    const char* command;
};
inline constexpr std::size_t kWizardProgramCount = 9;
extern const std::array<WizardProgram, kWizardProgramCount> kWizardPrograms;

// The five kinds of drive a drive bar shows; the value is the row's icon index.
enum DriveKind : int { DriveRemovable = 0, DriveFixed = 1, DriveOptical = 2, DriveNetwork = 3, DriveRam = 4 };
// The button suffix of a kind ("$Floppy" ...), empty for anything else.
std::string_view driveSuffix(int kind);

struct WizardDrive {
    std::string caption;  // the drive's root, written as its button's command
    int kind = DriveFixed;
    bool checked = true;
};

// The rows' own commands, in list order.
std::array<std::string, kWizardProgramCount> defaultProgramCommands();

struct WizardChoices {
    bool standardStyle = false;  // "$BeOs"; the gradient style otherwise
    bool onTopButtons = true, helpButton = true, rollupButton = true;
    bool appBar = false;
    std::array<bool, kWizardProgramCount> programs{true, true, true, true, true, true, true, true, true};
    // What each program button runs; a button without a command would do nothing.
    std::array<std::string, kWizardProgramCount> programCommands = defaultProgramCommands();
    bool driveBar = false;
    std::vector<WizardDrive> drives;
    TitleShadow shadow = TitleShadow::Drop;
    std::string fileName;  // the folder and file name of the new personality
    ScratchAuthor author;  // skinName is the personality name
};

// Why the text cannot name the new personality's folder, in words for the name's
// caption; empty when it can.
std::string wizardFileNameProblem(std::string_view name);

// The values a button added by the wizard gets over its template section; -1 leaves
// the template's value.
struct WizardButtonOverrides {
    int xCoord = -1, yCoord = -1, align = -1, action = -1, linkedTo = -1, visibility = -1;
};

// Adds Button<ButtonCount> to the target from the template section "Button<suffix>",
// writes the overrides (and the command of a run-command button) and raises
// ButtonCount. Returns the new button's number.
int addWizardButton(TCustomIniFile& target, TCustomIniFile& wizardTemplate, std::string_view suffix,
                    const WizardButtonOverrides& overrides, std::string_view command = {});

struct WizardResult {
    bool ok = false;
    std::filesystem::path uisFile;  // <engine>/<name>/<name>.uis
    std::string error;              // names the file or the name that failed
};

// The template the wizard reads: wizard.uis of the template folder (found without
// regard to case), or nothing when it is missing.
std::optional<std::filesystem::path> wizardTemplateFile(const std::filesystem::path& templateFolder);
// The template folder beside the program.
std::filesystem::path wizardTemplateFolder();

// Writes <engine>/<name>/<name>.uis from the template and copies the template pictures
// it names. An existing file of that name is rebuilt; the caller asks first. Nothing
// is written when the name is not a plain folder name or the template is missing.
WizardResult buildWizardPersonality(const WizardChoices& choices, const std::filesystem::path& engineFolder,
                                    const std::filesystem::path& templateFolder);

}  // namespace sw
