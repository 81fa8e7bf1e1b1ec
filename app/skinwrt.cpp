// The program users call. The verbs that read or edit one INI file, and validate, run
// here, linked against the store and the document layer alone, so a script calling
// "skinwrt get" or "skinwrt validate" thousands of times pays no start-up of the window
// libraries; every other command line (the editor, render, pack, install, cut, help)
// is handed to the full program, which lies beside this one in the build tree and in
// <prefix>/libexec when installed.
#include "CommandLine.h"
#include "StoreVerbs.h"
#include "ValidateCommand.h"

#include "store/Version.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path fullProgram()
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    fs::path folder = ec ? fs::path(".") : self.parent_path();
    fs::path beside = folder / "skinwrt-full";
    if (fs::exists(beside, ec))
        return beside;
    return folder.parent_path() / "libexec" / "skinwrt-full";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        std::vector<std::string> args(argv + 1, argv + argc);
        if (args[0] == "--version") {
            std::cout << "skinwrt " << sw::programVersion() << "\n";
            return sw::ExitOk;
        }
        if (args[0] == "validate")
            return sw::runValidateCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
        int code = sw::runStoreVerb(args, std::cout, std::cerr);
        if (code >= 0)
            return code;
    }
    fs::path full = fullProgram();
    ::execv(full.c_str(), argv);
    std::cerr << "skinwrt: cannot start " << full.string() << ": " << std::strerror(errno) << "\n";
    return sw::ExitUsage;
}
