#include "CutCommand.h"

#include "engine/Engine.h"
#include "engine/FolderChange.h"
#include "store/AcceleratedIniFile.h"
#include "store/FileBytes.h"
#include "store/PlatformPaths.h"
#include "store/StringOps.h"
#include "wizards/ScratchCatalogue.h"
#include "wizards/ScratchCutter.h"
#include "wizards/TemplatePicture.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kOk = 0, kFailed = 2;

const char* const kUsage =
    "Usage: skinwrt cut PICTURE --name NAME [--skin-name TEXT] [--skins FOLDER] [--replace]\n"
    "                   [--borders TOP,LEFT,BOTTOM,RIGHT] [--transparent R,G,B | --opaque] [--tolerance N]\n"
    "                   [--red STYLE,AMOUNT,TARGET] [--green ...] [--blue ...] [--grayscale STYLE,AMOUNT]\n"
    "                   [--button X,Y,W,H[,ACTION]]... [--image SECTION,ATTRIBUTE,X,Y,W,H[,all]]...\n";

struct UsageError {
    std::string message;
};

std::vector<std::string> splitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

int number(const std::string& text, int low, int high, const std::string& what)
{
    auto value = valInteger(text, nullptr, false);
    if (!value || *value < low || *value > high)
        throw UsageError{what + " must be a whole number from " + intToStr(low) + " to " + intToStr(high) + ", not \"" +
                         text + "\""};
    return *value;
}

FilterStyle style(const std::string& text)
{
    const std::string lower = asciiLower(text);
    if (lower == "darken")
        return FilterStyle::Darken;
    if (lower == "same")
        return FilterStyle::Same;
    if (lower == "lighten")
        return FilterStyle::Lighten;
    throw UsageError{"a style is darken, same or lighten, not \"" + text + "\""};
}

ChannelFilter channel(const std::string& option, const std::string& value)
{
    auto parts = splitCommas(value);
    if (parts.size() != 3)
        throw UsageError{option + " takes STYLE,AMOUNT,TARGET"};
    ChannelFilter filter;
    filter.style = style(parts[0]);
    filter.amount = number(parts[1], 0, 255, "the amount");
    const std::string target = asciiLower(parts[2]);
    if (target != "active" && target != "inactive")
        throw UsageError{"a target is active or inactive, not \"" + parts[2] + "\""};
    filter.active = target == "active";
    return filter;
}

QRect area(const std::vector<std::string>& parts, std::size_t from)
{
    return QRect(number(parts[from], 0, 8000, "X"), number(parts[from + 1], 0, 8000, "Y"),
                 number(parts[from + 2], 0, 8000, "W"), number(parts[from + 3], 0, 8000, "H"));
}

// sw.ini as the editor finds it: in the program folder, else in the user's config folder.
fs::path settingsFile()
{
    std::error_code ec;
    fs::path beside = programFolder() / "sw.ini";
    if (fs::is_regular_file(beside, ec))
        return beside;
    return registryFolder().parent_path() / "sw.ini";
}

struct CutArguments {
    std::string picture, name, skinName, skins;
    bool replace = false;
    std::optional<int> tolerance;
    ScratchJob job;
};

CutArguments parse(const std::vector<std::string>& args, const ScratchCatalogue& catalogue)
{
    CutArguments parsed;
    ScratchJob& job = parsed.job;
    bool haveSkinName = false, transparencyChosen = false, rgbChosen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--name") {
            parsed.name = value();
        } else if (arg == "--skin-name") {
            parsed.skinName = value();
            haveSkinName = true;
        } else if (arg == "--skins") {
            parsed.skins = value();
        } else if (arg == "--replace") {
            parsed.replace = true;
        } else if (arg == "--borders") {
            auto parts = splitCommas(value());
            if (parts.size() != 4)
                throw UsageError{"--borders takes TOP,LEFT,BOTTOM,RIGHT"};
            job.borders = {number(parts[0], 0, 100, "the top border"), number(parts[1], 0, 100, "the left border"),
                           number(parts[2], 0, 100, "the bottom border"), number(parts[3], 0, 100, "the right border")};
        } else if (arg == "--transparent" || arg == "--opaque") {
            if (transparencyChosen)
                throw UsageError{"give --transparent or --opaque once"};
            transparencyChosen = true;
            if (arg == "--opaque") {
                job.useTransparency = false;
                continue;
            }
            auto parts = splitCommas(value());
            if (parts.size() != 3)
                throw UsageError{"--transparent takes R,G,B"};
            job.transparent = qRgb(number(parts[0], 0, 255, "R"), number(parts[1], 0, 255, "G"),
                                   number(parts[2], 0, 255, "B"));
        } else if (arg == "--tolerance") {
            parsed.tolerance = number(value(), 0, 255, "the tolerance");
        } else if (arg == "--red" || arg == "--green" || arg == "--blue") {
            const ChannelFilter parsedChannel = channel(arg, value());
            if (arg == "--red")
                job.filter.red = parsedChannel;
            else if (arg == "--green")
                job.filter.green = parsedChannel;
            else
                job.filter.blue = parsedChannel;
            rgbChosen = true;
        } else if (arg == "--grayscale") {
            auto parts = splitCommas(value());
            if (parts.size() != 2)
                throw UsageError{"--grayscale takes STYLE,AMOUNT"};
            job.filter.grayscale = true;
            job.filter.brightnessStyle = style(parts[0]);
            job.filter.brightness = number(parts[1], 0, 255, "the amount");
        } else if (arg == "--button") {
            auto parts = splitCommas(value());
            if (parts.size() != 4 && parts.size() != 5)
                throw UsageError{"--button takes X,Y,W,H[,ACTION]"};
            ScratchButton button;
            button.area = area(parts, 0);
            if (parts.size() == 5)
                button.action = number(parts[4], 0, int(catalogue.actions.size()) - 1, "the action");
            job.buttons.push_back(button);
        } else if (arg == "--image") {
            auto parts = splitCommas(value());
            if (parts.size() != 6 && !(parts.size() == 7 && asciiLower(parts[6]) == "all"))
                throw UsageError{"--image takes SECTION,ATTRIBUTE,X,Y,W,H[,all]"};
            auto known = std::find_if(catalogue.images.begin(), catalogue.images.end(), [&](const auto& choice) {
                return sameText(choice.section, parts[0]) && sameText(choice.attribute, parts[1]);
            });
            if (known == catalogue.images.end())
                throw UsageError{parts[0] + "," + parts[1] + " is not a skin picture the wizard can cut"};
            ScratchImage image;
            image.section = known->section;
            image.attribute = known->attribute;
            image.imageCount = known->imageCount;
            image.allImages = parts.size() == 7;
            image.area = area(parts, 2);
            job.images.push_back(image);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else if (parsed.picture.empty()) {
            parsed.picture = arg;
        } else {
            throw UsageError{"one picture only (" + parsed.picture + ", " + arg + ")"};
        }
    }
    if (parsed.tolerance && !job.useTransparency)
        throw UsageError{"--tolerance is for the see-through colour: not with --opaque"};
    if (rgbChosen && job.filter.grayscale)
        throw UsageError{"--grayscale replaces the RGB filter: give one or the other"};
    if (parsed.picture.empty())
        throw UsageError{"no picture given"};
    if (parsed.name.empty())
        throw UsageError{"--name is required"};
    job.fileName = parsed.name;
    job.author.skinName = haveSkinName ? parsed.skinName : parsed.name;
    job.actionShift = catalogue.actionShift;
    return parsed;
}

}  // namespace

std::string cutHelp()
{
    return std::string(kUsage) +
           "\nCuts a new personality out of one template picture (BMP or JPEG) of a window:\n"
           "the four border strips, the title-bar buttons and other skin pictures, each with\n"
           "active and inactive states told apart by a colour filter. Writes the folder\n"
           "SKINS/NAME with NAME.uis (from the template scratch.uis) and its bitmaps, then\n"
           "prints the path of the new .uis file.\n\n"
           "  --name NAME          folder and file name of the personality (a plain name)\n"
           "  --skin-name TEXT     the personality's name as the engine lists it (default NAME)\n"
           "  --skins FOLDER       where personalities are installed (default: the engine folder)\n"
           "  --replace            replace an existing folder SKINS/NAME and everything in it\n"
           "  --borders T,L,B,R    border sizes in pixels, 0-100 (default 22,8,8,8)\n"
           "  --transparent R,G,B  the picture's see-through colour (default 255,0,255)\n"
           "  --opaque             no see-through colour\n"
           "  --tolerance N        pixels within N (0-255) of the see-through colour on every\n"
           "                       channel are see-through too (default 24 for a JPEG\n"
           "                       picture, whose compression moves the colour; else 0)\n"
           "  --red/--green/--blue STYLE,AMOUNT,TARGET\n"
           "                       STYLE darken, same or lighten; AMOUNT 0-255; TARGET active or\n"
           "                       inactive: which pictures the channel shift applies to\n"
           "                       (default darken,20,inactive for each channel)\n"
           "  --grayscale STYLE,AMOUNT\n"
           "                       instead of the RGB filter: inactive pictures in gray, made\n"
           "                       darker or lighter by AMOUNT; active ones unchanged\n"
           "  --button X,Y,W,H[,ACTION]\n"
           "                       a title-bar button at X,Y of the picture (six states side by\n"
           "                       side); ACTION is the index in the catalogue's action list\n"
           "                       (default 4); at least one button is needed\n"
           "  --image SECTION,ATTRIBUTE,X,Y,W,H[,all]\n"
           "                       another skin picture, e.g. PERSONALITY,Menubar; cut with as\n"
           "                       many states as the catalogue gives it, or once with \"all\"\n\n"
           "Every area must be wider and higher than 2 pixels. Author fields come from the\n"
           "Author section of sw.ini. Exit 0 on success, 2 with the reason on stderr.\n";
}

int runCutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << cutHelp();
        return kOk;
    }
    const ScratchCatalogue catalogue = loadScratchCatalogue();
    CutArguments parsed;
    try {
        parsed = parse(args, catalogue);
    } catch (const UsageError& error) {
        err << "skinwrt: cut: " << error.message << "\n" << kUsage;
        return kFailed;
    }
    ScratchJob& job = parsed.job;
    std::vector<std::string> problems = readinessProblems(job);
    if (!problems.empty()) {
        for (const std::string& problem : problems)
            err << "skinwrt: cut: " << problem << "\n";
        return kFailed;
    }
    const TemplatePicture picture = loadTemplatePicture(parsed.picture);
    if (picture.image.isNull()) {
        err << "skinwrt: " << parsed.picture << ": cannot read the picture (" << picture.error << ")\n";
        return kFailed;
    }
    job.picture = picture.image;
    job.transparentTolerance = parsed.tolerance.value_or(defaultSeeThroughTolerance(parsed.picture));
    if (job.useTransparency && job.transparentTolerance > 0 && isJpegName(parsed.picture))
        err << "skinwrt: cut: " << parsed.picture << " is a JPEG picture: colours within "
            << job.transparentTolerance << " of the see-through colour on every channel are see-through\n";
    TAcceleratedIniFile settings(settingsFile().string());
    const ScratchAuthor fromSettings = authorFromSettings(settings);
    job.author = {job.author.skinName, fromSettings.author, fromSettings.url, fromSettings.email, fromSettings.notes};
    std::error_code ec;
    const fs::path skins = parsed.skins.empty() ? Engine::findFolder() : fs::absolute(parsed.skins, ec);
    if (const std::string problem = createFolders(skins); !problem.empty()) {
        err << "skinwrt: " << problem << "\n";
        return kFailed;
    }
    const fs::path folder = skins / job.fileName;
    cleanFolderLeftovers(skins);  // a folder a killed run set aside is the skin itself
    if (fs::exists(fs::symlink_status(folder, ec)) && !parsed.replace) {
        err << "skinwrt: " << folder.string() << ": already exists; give --replace to replace it and all it holds\n";
        return kFailed;
    }
    ScratchResult result = createScratchPersonality(job, skins, scratchTemplatePath(settings), parsed.replace);
    if (!result.ok) {
        err << "skinwrt: " << result.error << "\n";
        return kFailed;
    }
    out << result.uisFile.string() << "\n";
    return kOk;
}

}  // namespace sw
