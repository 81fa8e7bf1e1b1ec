// Runs a command-line verb in this process and keeps its exit code and output.
#pragma once

#include "CommandLine.h"

#include <sstream>
#include <string>
#include <vector>

namespace sw::test {

struct VerbRun {
    int code;
    std::string out, err;
};

inline VerbRun run(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int code = runCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace sw::test
