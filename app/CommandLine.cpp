#include "CommandLine.h"

#include "PackCommand.h"
#include "CutCommand.h"
#include "RenderCommand.h"
#include "StoreVerbs.h"
#include "ValidateCommand.h"

#include "store/StringOps.h"
#include "store/Version.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>

namespace sw {

namespace fs = std::filesystem;

namespace {

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
    text += storeVerbsHelp();
    text += "  skinwrt validate [--json] FILE...\n";
    text += "  skinwrt render FILE -o OUT.png [--size WxH] [--inactive]\n";
    text += "  skinwrt pack FILE.uis [-o ARCHIVE]\n";
    text += "  skinwrt install ARCHIVE [--skins FOLDER] [--replace]\n";
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
    int code = runStoreVerb(args, out, err);
    if (code >= 0)
        return code;
    if (namesFile(args[0]))
        return -1;
    // A mistyped or unknown verb would otherwise start the editor, and a script
    // calling it would wait for a window nobody sees.
    err << "skinwrt: " << args[0] << ": neither a verb nor a file\n\n" << commandLineHelp();
    return ExitUsage;
}

}  // namespace sw
