#include "StoreVerbs.h"

#include "CommandLine.h"

#include "store/ProfileFile.h"

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

std::string commandLinePath(const std::string& name)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(name, ec);
    return ec ? name : absolute.string();
}

std::string storeVerbsHelp()
{
    std::string text;
    for (const auto& [name, verb] : verbs())
        text += "  " + verb.usage + "\n";
    return text;
}

int runStoreVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return -1;
    auto found = std::find_if(verbs().begin(), verbs().end(),
                              [&](const auto& entry) { return entry.first == args[0]; });
    if (found == verbs().end())
        return -1;
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
