// The program users call. The verbs that read or edit one INI file, and validate, run
// here, linked against the store and the document layer alone, so a script calling
// "skinwrt get" or "skinwrt validate" thousands of times pays no start-up of the window
// libraries; every other command line (the editor, render, pack, install, cut, help)
// is handed to the full program, which lies beside this one in the build tree and in
// <prefix>/libexec when installed.
#include "CommandLine.h"
#include "StoreVerbs.h"
#include "ValidateCommand.h"

#include "store/PlatformPaths.h"
#include "store/Version.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path fullProgram()
{
    std::error_code ec;
    fs::path self = sw::programFile();
    fs::path folder = self.empty() ? fs::path(".") : self.parent_path();
    fs::path name = fs::path("skinwrt-full").concat(self.extension().native());
    fs::path beside = folder / name;
    if (fs::exists(beside, ec))
        return beside;
    return folder.parent_path() / "libexec" / name;
}

#ifdef _WIN32
// The program receives its arguments as one command line, which the C runtime splits:
// each argument quoted so that it splits back into itself (backslashes double only
// before a quote).
std::wstring quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

// Windows has no exec: the full program runs as a child, and its exit code is ours.
int handOver(const fs::path& full, int argc, char** argv)
{
    std::vector<std::wstring> words;
    words.push_back(quoted(full.native()));
    for (int i = 1; i < argc; ++i)
        words.push_back(quoted(fs::path(argv[i]).native()));
    std::vector<const wchar_t*> pointers;
    for (const std::wstring& word : words)
        pointers.push_back(word.c_str());
    pointers.push_back(nullptr);
    std::cout.flush();
    intptr_t code = ::_wspawnv(_P_WAIT, full.c_str(), pointers.data());
    return code < 0 ? -1 : int(code);
}
#else
int handOver(const fs::path& full, int, char** argv)
{
    ::execv(full.c_str(), argv);
    return -1;
}
#endif

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
    int code = handOver(full, argc, argv);
    if (code >= 0)
        return code;
    std::cerr << "skinwrt: cannot start " << full.string() << ": " << std::strerror(errno) << "\n";
    return sw::ExitUsage;
}
