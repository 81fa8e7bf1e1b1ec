// The batch verbs of skinwrt (get, set, unset, erase), kept apart from main() so
// tests can run them on files of their own.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// The exit codes of the verbs.
enum ExitCode { ExitOk = 0, ExitMissing = 1, ExitUsage = 2 };

// Runs the verb named by args[0] (the arguments after the program name).
// Returns the exit code, or -1 when args[0] is not a verb, i.e. the editor should start.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The general help text.
std::string commandLineHelp();

}  // namespace sw
