// The main window's archive and browser commands: "Zip", "Open &Zipped", an archive
// named at start-up, and "&Vistarium Navigator".
#pragma once

#include <QString>

namespace sw {

class TMainForm;

// The open dialog's filter for archives.
inline constexpr const char* kArchiveFilter = "All archives (*.zip,*.vxa)|*.zip;*.vxa|Zip Archives (*.zip)|*.zip|"
                                              "VXA Archives (*.vxa)|*.vxa;*.vxa|All files (*.*)|*.*";

// Saves the open personality and shows "Zip Skin" with its files.
void ZipPersonality(TMainForm& main);
// Asks for an archive, starting in RecentZipFolder, and installs it.
void OpenZipped(TMainForm& main);
// Installs the archive into the engine folder and opens the personality it holds.
// Returns whether a personality was installed.
bool InstallArchiveAndOpen(TMainForm& main, const QString& archive);
// Shows the skin browser; "Open Skin" opens the selected personality.
void ShowSkinBrowser(TMainForm& main);

}  // namespace sw
