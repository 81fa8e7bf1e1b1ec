// The verbs that read and edit one INI file (get, set, unset, erase). They need the
// store alone, so the small front program runs them without loading any window library.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// One line of the general help for each store verb ("  skinwrt get FILE ...\n").
std::string storeVerbsHelp();

// Runs args[0] when it names a store verb and returns its exit code; -1 when it does not.
int runStoreVerb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A file named on the command line is relative to the current folder; the store on
// its own would look for a bare name in the Windows folder.
std::string commandLinePath(const std::string& name);

}  // namespace sw
