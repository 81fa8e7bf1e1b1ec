// The suite's version, for the command line and the generator stamp.
#pragma once

#include <string>

namespace sw {

std::string programVersion();
// The build number that goes with the version.
int programBuild();

}  // namespace sw
