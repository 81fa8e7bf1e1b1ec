// Where the program's stand-ins for the desktop's system places live: the registry
// hives and the Windows folder (home of the engine's vx.ini).
#pragma once

#include <filesystem>
#include <string>

namespace sw {

// $SKINWRT_REGISTRY_DIR, else the user's config folder ($XDG_CONFIG_HOME or
// ~/.config) followed by "Skinwright/registry".
std::filesystem::path registryFolder();

// $WINDIR when set, else a "windows" folder beside the registry files.
std::filesystem::path windowsFolder();

// The disk file a profile-file name addresses: a name without any folder means
// that file in the Windows folder; anything else is used as it is.
std::filesystem::path profileFilePath(const std::string& fileName);

// The folder of the running program, where the catalogues, templates and plug-ins
// lie. Found from the program file itself: its own folder, or <prefix>/share/skinwright
// for a program installed in <prefix>/bin. setProgramFolder overrides it (tests).
std::filesystem::path programFolder();
// The running program's own file (empty when the system cannot tell).
std::filesystem::path programFile();
void setProgramFolder(const std::filesystem::path& folder);

}  // namespace sw
