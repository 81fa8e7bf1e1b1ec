// Making the editor the program that opens personality files (.uis and .sss), undoing
// it, and checking it. On Windows through the class registry; elsewhere the
// freedesktop way: a MIME type, the editor's desktop entry and the default
// application in mimeapps.list. Both remember the previous default to give it back.
#pragma once

#include <QString>

#include <filesystem>

namespace sw {

// The class registry's form (used on Windows; tested everywhere on the stand-in).
namespace registry_association {
void associate(const QString& programPath);
void remove();
bool check(const QString& programPath);
// The open command associate writes: the quoted program path, a blank, "%1" quoted.
QString openCommand(const QString& programPath);
}  // namespace registry_association

// The freedesktop form, under $XDG_DATA_HOME and $XDG_CONFIG_HOME.
namespace desktop_association {
inline constexpr const char* kMimeType = "application/x-veneerix-personality";
inline constexpr const char* kDesktopFile = "skinwright.desktop";
std::filesystem::path dataHome();
std::filesystem::path configHome();
std::filesystem::path mimePackageFile();
std::filesystem::path desktopEntryFile();
std::filesystem::path mimeAppsFile();
// The default application of the type in mimeapps.list (a desktop file id), or empty.
std::string defaultApplication();
void associate(const QString& programPath);
void remove();
bool check(const QString& programPath);
// The shared-mime-info package of the type (also shipped for system installs).
std::string mimePackageText();
// The desktop entry associate writes for the program.
std::string desktopEntry(const QString& programPath);
}  // namespace desktop_association

// The form of this platform.
void associateFiles(const QString& programPath);
void removeFileAssociation();
bool filesAssociated(const QString& programPath);

}  // namespace sw
