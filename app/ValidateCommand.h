// skinwrt validate: checks personality files against their catalogues and the files
// they name, for skin authors and for skin libraries that check uploads in bulk.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// Validates each file in turn and prints its findings: one line per finding, the file
// (as given), section, attribute and message separated by tabs; or, with json, one
// array of an object per file. Every file is checked even after a failing one.
// Returns 0 when every file is clean, 1 when any has a finding other than "No errors
// found" (a file of no known format included), 2 when a file cannot be read or its
// check cannot complete (the message on err names the file), or when no file is given.
int runValidate(const std::vector<std::string>& files, bool json, std::ostream& out, std::ostream& err);

// The verb's own arguments (after "validate"): [--json] [--] FILE..., or --help.
int runValidateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "Usage: skinwrt validate [--json] FILE..." and what the verb does.
std::string validateHelp();

}  // namespace sw
