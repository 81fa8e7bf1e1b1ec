// skinwrt pack and skinwrt install: the "Zip" and "Open Zipped" commands of the editor
// without a window, for skin authors and skin libraries working in bulk.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sw {

// pack FILE.uis [-o ARCHIVE]: packs the personality as "Zip" does and prints the report
// line. Exit 0 on success, 2 on bad usage or when the archive cannot be written.
int runPackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
std::string packHelp();

// install ARCHIVE [--skins FOLDER] [--replace]: installs as "Open Zipped" does and prints
// the path of the installed personality file. Exit 0 on success, 2 when the archive holds
// no personality or is refused (the message names the archive), and when a folder of the
// personality's name exists and --replace is not given.
int runInstallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
std::string installHelp();

}  // namespace sw
