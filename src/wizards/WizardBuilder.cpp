#include "wizards/WizardBuilder.h"

#include "document/FileReference.h"
#include "engine/FolderChange.h"
#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
#include "store/IniFile.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"

namespace sw {

namespace fs = std::filesystem;

const std::array<WizardProgram, kWizardProgramCount> kWizardPrograms = {{
    {"Word Processor", "$WordProcessor", "write.exe"},
    {"Spreadsheet", "$Spreadsheet", "excel.exe"},
    {"Paint Program", "$Paint", "mspaint.exe"},
    {"Multimedia", "$MultiMedia", "wmplayer.exe"},
    {"Web site 1", "$MSIE", "https://skinwright.example.org/"},
    {"Web Site 2", "$Netscape", "https://www.example.org/"},
    {"MSDOS Prompt", "$Command", "cmd.exe"},
    {"Mail Delivery", "$Mail", "mailto:"},
    {"Halcyra", "$Halcyra", "https://halcyra.example.org/"},
}};

std::array<std::string, kWizardProgramCount> defaultProgramCommands()
{
    std::array<std::string, kWizardProgramCount> commands;
    for (std::size_t row = 0; row < kWizardProgramCount; ++row)
        commands[row] = kWizardPrograms[row].command;
    return commands;
}

namespace {

constexpr std::string_view kTemplatePrefix = "wizard\\";
constexpr int kBarStart = 6, kBarStep = 19;
constexpr int kActionRunCommand = 5, kActionButtonBar = 40;
constexpr int kAlignBottomLeft = 2, kAlignBottomRight = 3;
constexpr int kVisibleWithBar = 40;

bool isBaseSection(std::string_view section)
{
    return section.find('$') == std::string_view::npos;
}

// Copies every key of the template section, in order, into the target section.
void copySection(TCustomIniFile& from, const std::string& fromSection, TCustomIniFile& to,
                 const std::string& toSection)
{
    TStrings entries;
    from.ReadSectionValues(fromSection, entries);
    for (const std::string& entry : entries) {
        const std::size_t eq = entry.find('=');
        if (eq != std::string::npos)
            to.WriteString(toSection, entry.substr(0, eq), entry.substr(eq + 1));
    }
}

void mergeVariant(TCustomIniFile& wizardTemplate, const TStrings& baseSections, TCustomIniFile& target,
                  const std::string& suffix)
{
    for (const std::string& section : baseSections)
        copySection(wizardTemplate, section + suffix, target, section);
}

// Points every "wizard\" value at the new folder and copies the picture it names.
void relocatePictures(TCustomIniFile& target, const std::string& name, const fs::path& templateFolder,
                      const fs::path& folder)
{
    TStrings sections, entries;
    target.ReadSections(sections);
    for (const std::string& section : sections) {
        target.ReadSectionValues(section, entries);
        for (const std::string& entry : entries) {
            const std::size_t eq = entry.find('=');
            if (eq == std::string::npos)
                continue;
            const std::string value = entry.substr(eq + 1);
            const std::size_t at = asciiLower(value).find(kTemplatePrefix);
            if (at == std::string::npos)
                continue;
            const std::string rest = value.substr(0, at) + value.substr(at + kTemplatePrefix.size());
            target.WriteString(section, entry.substr(0, eq), name + "\\" + rest);
            // A reference that would leave either folder is written but never followed.
            const auto source = resolveFileReference(templateFolder, rest);
            const auto copy = resolveFileReference(folder, rest);
            std::error_code ec;
            if (!source || !copy || !fs::is_regular_file(*source, ec))
                continue;
            fs::create_directories(copy->parent_path(), ec);
            copyFileAtomically(*source, *copy);
        }
    }
}

}  // namespace

std::string_view driveSuffix(int kind)
{
    static constexpr std::string_view suffixes[] = {"$Floppy", "$HDrive", "$CD", "$Net", "$Ram"};
    return kind >= 0 && kind < 5 ? suffixes[kind] : std::string_view();
}

std::string wizardFileNameProblem(std::string_view name)
{
    if (isPlainFolderName(name))
        return {};
    if (name.find_first_not_of(' ') == std::string_view::npos)
        return "The file name is empty";
    if (name.find_first_of("/\\") != std::string_view::npos)
        return "The file name must not contain \\ or /";
    if (name == "." || name == "..")
        return "The file name cannot be \".\" or \"..\"";
    if (name.size() > 200)
        return "The file name is longer than 200 characters";
    if (name.back() == '.' || name.back() == ' ')
        return "The file name must not end with a dot or a blank";
    return "The file name must not contain any of : * ? \" < > | or control characters";
}

int addWizardButton(TCustomIniFile& target, TCustomIniFile& wizardTemplate, std::string_view suffix,
                    const WizardButtonOverrides& overrides, std::string_view command)
{
    const int number = std::max(target.ReadInteger("PERSONALITY", "ButtonCount", 0), 0);
    const std::string section = "Button" + intToStr(number);
    copySection(wizardTemplate, "Button" + std::string(suffix), target, section);
    const std::pair<const char*, int> values[] = {
        {"XCoord", overrides.xCoord},     {"YCoord", overrides.yCoord},     {"Align", overrides.align},
        {"Action", overrides.action},     {"LinkedTo", overrides.linkedTo}, {"Visibility", overrides.visibility},
    };
    for (const auto& [key, value] : values)
        if (value != -1)
            target.WriteInteger(section, key, value);
    if (overrides.action == kActionRunCommand && !command.empty())
        target.WriteString(section, "Command", command);
    target.WriteInteger("PERSONALITY", "ButtonCount", number + 1);
    return number;
}

std::optional<fs::path> wizardTemplateFile(const fs::path& templateFolder)
{
    std::error_code ec;
    auto file = resolveFileReference(templateFolder, "wizard.uis");
    if (file && fs::is_regular_file(*file, ec))
        return file;
    return std::nullopt;
}

fs::path wizardTemplateFolder()
{
    return programFolder() / "template";
}

WizardResult buildWizardPersonality(const WizardChoices& choices, const fs::path& engineFolder,
                                    const fs::path& templateFolder)
{
    WizardResult result;
    const std::string& name = choices.fileName;
    if (const std::string problem = wizardFileNameProblem(name); !problem.empty()) {
        result.error = "\"" + name + "\" cannot name a personality folder: " + problem;
        return result;
    }
    const std::optional<fs::path> templateFile = wizardTemplateFile(templateFolder);
    if (!templateFile) {
        result.error = "The wizard template " + (templateFolder / "wizard.uis").string() + " was not found";
        return result;
    }
    const fs::path folder = engineFolder / name;
    result.uisFile = folder / (name + ".uis");
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(folder, ec))) {
        result.error = folder.string() + " is a link; the personality is not written through it";
        return result;
    }
    // The folder is rebuilt in a staging copy that replaces it whole (the author's
    // other files kept), so a failure or a kill leaves the old personality as it was.
    result.error = createFolders(engineFolder);
    if (!result.error.empty())
        return result;
    std::optional<FolderChange> change;
    try {
        change.emplace(folder, FolderChange::CopyOfTarget);
        const fs::path staged = change->staging();
        const fs::path stagedFile = staged / result.uisFile.filename();
        if (fs::exists(fs::symlink_status(stagedFile, ec)) && !fs::remove(stagedFile, ec)) {
            result.error = "Unable to delete " + result.uisFile.string();
            return result;
        }
        TIniFile wizardTemplate(templateFile->string());
        TIniFile target(stagedFile.string());
        // Hundreds of single edits: the file is made durable once, at the end.
        target.SetDurable(false);
        TStrings sections;
        target.ReadSections(sections);
        for (const std::string& section : sections)
            target.EraseSection(section);

        TStrings baseSections;
        wizardTemplate.ReadSections(sections);
        for (const std::string& section : sections)
            if (isBaseSection(section))
                baseSections.push_back(section);
        mergeVariant(wizardTemplate, baseSections, target, "");
        if (choices.standardStyle)
            mergeVariant(wizardTemplate, baseSections, target, "$BeOs");
        if (!choices.driveBar && !choices.appBar)
            mergeVariant(wizardTemplate, baseSections, target, "$Plain");
        if (choices.shadow == TitleShadow::Drop)
            mergeVariant(wizardTemplate, baseSections, target, "$Shadow");
        if (choices.shadow == TitleShadow::Outline)
            mergeVariant(wizardTemplate, baseSections, target, "$Outline");

        if (choices.helpButton)
            addWizardButton(target, wizardTemplate, "$Help", {});
        if (choices.rollupButton)
            addWizardButton(target, wizardTemplate, "$Rollup", {});
        if (choices.onTopButtons)
            for (const char* suffix : {"$SetOnTop", "$ClearOnTop", "$NotOnTop"})
                addWizardButton(target, wizardTemplate, suffix, {});

        const WizardButtonOverrides bar{.align = kAlignBottomRight, .action = kActionButtonBar};
        if (choices.appBar) {
            const int barButton = addWizardButton(target, wizardTemplate, "$AppBar", bar);
            int x = kBarStart;
            for (std::size_t row = 0; row < kWizardProgramCount; ++row) {
                if (!choices.programs[row])
                    continue;
                addWizardButton(target, wizardTemplate, kWizardPrograms[row].suffix,
                                {.xCoord = x, .align = kAlignBottomLeft, .action = kActionRunCommand,
                                 .linkedTo = barButton, .visibility = kVisibleWithBar},
                                choices.programCommands[row]);
                x += kBarStep;
            }
        }
        if (choices.driveBar) {
            const int barButton = addWizardButton(target, wizardTemplate, "$DriveBar", bar);
            int x = kBarStart;
            for (const WizardDrive& drive : choices.drives) {
                if (!drive.checked)
                    continue;
                if (!driveSuffix(drive.kind).empty())
                    addWizardButton(target, wizardTemplate, driveSuffix(drive.kind),
                                    {.xCoord = x, .align = kAlignBottomLeft, .action = kActionRunCommand,
                                     .linkedTo = barButton, .visibility = kVisibleWithBar},
                                    drive.caption);
                x += kBarStep;
            }
        }

        relocatePictures(target, name, templateFolder, staged);

        const ScratchAuthor& author = choices.author;
        target.WriteString("TITLEBARSKIN", "SkinName", author.skinName);
        target.WriteString("TITLEBARSKIN", "SkinAuthor", author.author);
        target.WriteString("TITLEBARSKIN", "AuthorsURL", author.url);
        target.WriteString("TITLEBARSKIN", "AuthorEmail", author.email);
        target.WriteString("TITLEBARSKIN", "SpecialNotes", author.notes);
        target.SetDurable(true);
        target.DeleteKey("TITLEBARSKIN", "EditorNotes");
        target.UpdateFile();
        change->commit();
    } catch (const std::exception& error) {
        result.error = change ? change->inTarget(error.what()) : error.what();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace sw
