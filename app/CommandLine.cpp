#include "CommandLine.h"

#include "PackCommand.h"
#include "CutCommand.h"
#include "RenderCommand.h"
#include "ValidateCommand.h"

#include "store/ProfileFile.h"
#include "store/StringOps.h"
#include "store/Version.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

struct Verb {
    std::size_t arguments;
    std::string usage;
    std::string help;
    std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)> run;
};

// A file named on the command line is relative to the current folder; the store on
// its own would look for a bare name in the Windows folder.
std::string commandLinePath(const std::string& name)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(name, ec);
    return ec ? name : absolute.string();
}

bool requireExistingFile(const std::string& name, std::ostream& err)
{
    std::error_code ec;
    if (fs::is_regular_file(name, ec))
        return true;
    err << "skinwrt: " << name << ": " << (fs::exists(name, ec) ? "not a file" : "no such file") << "\n";
    return false;
}

int getValue(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    if (!requireExistingFile(a[0], err))
        return ExitUsage;
    ProfileFile file(commandLinePath(a[0]));
    std::optional<std::string> value = file.readValue(a[1], a[2]);
    if (!value) {
        err << "skinwrt: " << a[0] << ": no key " << a[2] << " in section [" << a[1] << "]\n";
        return ExitMissing;
    }
    out << *value << "\n";
    return ExitOk;
}

int setValue(const std::vector<std::string>& a, std::ostream&, std::ostream&)
{
    // The file is edited on disk alone: no store of every entry is built for one change.
    ProfileFile(commandLinePath(a[0])).writeString(a[1], a[2], a[3]);
    return ExitOk;
}

int unsetValue(const std::vector<std::string>& a, std::ostream&, std::ostream& err)
{
    if (!requireExistingFile(a[0], err))
        return ExitUsage;
    ProfileFile(commandLinePath(a[0])).deleteKey(a[1], a[2]);
    return ExitOk;
}

// render FILE -o OUT.png [--size WxH] [--inactive], options in any order after FILE.
int renderVerb(const std::vector<std::string>& a, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: skinwrt render FILE -o OUT.png [--size WxH] [--inactive]\n";
    if (!a.empty() && (a[0] == "--help" || a[0] == "-h")) {
        out << usage
            << "Draws the preview of a personality (the active look, or the inactive one) into a PNG file.\n"
               "The size is the preview's client area; 331x297 unless given. Works without a display.\n";
        return ExitOk;
    }
    std::string file, output;
    int width = 331, height = 297;
    bool inactive = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] == "-o" || a[i] == "--output") && i + 1 < a.size()) {
            output = a[++i];
        } else if (a[i] == "--size" && i + 1 < a.size()) {
            const std::string& size = a[++i];
            std::size_t x = size.find_first_of("xX");
            auto w = x == std::string::npos ? std::nullopt : valInteger(size.substr(0, x), nullptr, false);
            auto h = x == std::string::npos ? std::nullopt : valInteger(size.substr(x + 1), nullptr, false);
            if (!w || !h) {
                err << "skinwrt: " << size << ": not a size like 640x480\n" << usage;
                return ExitUsage;
            }
            width = *w;
            height = *h;
        } else if (a[i] == "--inactive") {
            inactive = true;
        } else if (file.empty() && !a[i].empty() && a[i][0] != '-') {
            file = a[i];
        } else {
            err << usage;
            return ExitUsage;
        }
    }
    if (file.empty() || output.empty()) {
        err << usage;
        return ExitUsage;
    }
    return renderPreviewToPng(commandLinePath(file), output, width, height, inactive, err);
}

int eraseSection(const std::vector<std::string>& a, std::ostream&, std::ostream& err)
{
    if (!requireExistingFile(a[0], err))
        return ExitUsage;
    ProfileFile(commandLinePath(a[0])).eraseSection(a[1]);
    return ExitOk;
}

const std::vector<std::pair<std::string, Verb>>& verbs()
{
    static const std::vector<std::pair<std::string, Verb>> table = {
        {"get", {3, "skinwrt get FILE SECTION KEY",
                 "Prints the value of KEY in SECTION (names ignore letter case).\n"
                 "Exit 0 when found, 1 when the key is missing, 2 when FILE cannot be read.",
                 getValue}},
        {"set", {4, "skinwrt set FILE SECTION KEY VALUE",
                 "Writes VALUE in place: every other line of FILE stays as it was.\n"
                 "A missing key is added to its section, a missing section at the end.\n"
                 "Exit 0 on success, 2 when FILE cannot be written.",
                 setValue}},
        {"unset", {3, "skinwrt unset FILE SECTION KEY",
                   "Deletes the line of KEY in SECTION; nothing else changes.\n"
                   "Exit 0 on success (also when the key was not there), 2 on errors.",
                   unsetValue}},
        {"erase", {2, "skinwrt erase FILE SECTION",
                   "Deletes SECTION: its header and every line up to the next header.\n"
                   "Exit 0 on success (also when the section was not there), 2 on errors.",
                   eraseSection}},
    };
    return table;
}

}  // namespace

bool namesFile(const std::string& argument)
{
    std::error_code ec;
    return fs::path(argument).has_extension() || fs::exists(argument, ec);
}

std::string commandLineHelp()
{
    std::string text = "skinwrt " + programVersion() +
                       " - authoring suite for window-frame skins\n\n"
                       "Usage:\n"
                       "  skinwrt [FILE]     start the editor (a .uis file opens, a .zip is offered for installing)\n";
    for (const auto& [name, verb] : verbs())
        text += "  " + verb.usage + "\n";
    text += "  skinwrt validate [--json] FILE...\n";
    text += "  skinwrt render FILE -o OUT.png [--size WxH] [--inactive]\n";
    text += "  skinwrt pack FILE.uis [-o ARCHIVE]\n";
    text += "  skinwrt install ARCHIVE [--skins FOLDER]\n";
    text += "  skinwrt cut PICTURE --name NAME [options]   a personality cut from one template picture\n";
    text += "\n'skinwrt VERB --help' describes one verb. '--version' prints the version.\n";
    return text;
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return -1;
    if (args[0] == "--help" || args[0] == "-h") {
        out << commandLineHelp();
        return ExitOk;
    }
    if (args[0] == "--version") {
        out << "skinwrt " << programVersion() << "\n";
        return ExitOk;
    }
    if (args[0] == "validate")
        return runValidateCommand({args.begin() + 1, args.end()}, out, err);
    if (args[0] == "render")
        return renderVerb({args.begin() + 1, args.end()}, out, err);
    if (args[0] == "pack")
        return runPackCommand({args.begin() + 1, args.end()}, out, err);
    if (args[0] == "install")
        return runInstallCommand({args.begin() + 1, args.end()}, out, err);
    if (args[0] == "cut")
        return runCutCommand({args.begin() + 1, args.end()}, out, err);
    auto found = std::find_if(verbs().begin(), verbs().end(),
                              [&](const auto& entry) { return entry.first == args[0]; });
    if (found == verbs().end()) {
        if (namesFile(args[0]))
            return -1;
        // A mistyped or unknown verb would otherwise start the editor, and a script
        // calling it would wait for a window nobody sees.
        err << "skinwrt: " << args[0] << ": neither a verb nor a file\n\n" << commandLineHelp();
        return ExitUsage;
    }
    const Verb& verb = found->second;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
        out << "Usage: " << verb.usage << "\n" << verb.help << "\n";
        return ExitOk;
    }
    if (rest.size() != verb.arguments) {
        err << "Usage: " << verb.usage << "\n";
        return ExitUsage;
    }
    try {
        return verb.run(rest, out, err);
    } catch (const std::exception& error) {
        err << "skinwrt: " << error.what() << "\n";
        return ExitUsage;
    }
}

}  // namespace sw
