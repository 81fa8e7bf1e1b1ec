// skinwrt cut: a new personality cut from one template picture, without windows; it
// writes exactly what the picture wizard's Finish writes.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// The verb's own arguments (after "cut"). Prints the new .uis path on out; returns 0,
// or 2 with the reason on err (bad usage, an unreadable picture, a job that is not
// ready, an existing folder without --replace, a file that cannot be written).
int runCutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string cutHelp();

}  // namespace sw
