// The skin editor's entry point: a batch verb runs without a window; anything else
// starts the editor.
#include "CommandLine.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    int code = sw::runCommandLine(args, std::cout, std::cerr);
    if (code >= 0)
        return code;
    // The editor's windows come next; until then the command line is all there is.
    std::cout << sw::commandLineHelp();
    return 0;
}
