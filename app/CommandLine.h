// The batch verbs of skinwrt (get, set, unset, erase), kept apart from main() so
// tests can run them on files of their own.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// The exit codes of the verbs. A verb whose work fails exits as a usage error does.
enum ExitCode { ExitOk = 0, ExitMissing = 1, ExitUsage = 2, ExitError = 2 };

// Runs the verb named by args[0] (the arguments after the program name).
// Returns the exit code, or -1 when args[0] names a file (or there are no arguments),
// i.e. the editor should start. Anything else that is not a verb is a usage error.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Whether a first argument that is not a verb is taken as the file to open: it has
// an extension, or such a file or folder exists.
bool namesFile(const std::string& argument);

// The general help text.
std::string commandLineHelp();

}  // namespace sw
