#include "manage/FileAssociation.h"

#include "engine/Registry.h"
#include "store/FileBytes.h"
#include "store/IniFile.h"

#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>
#include <memory>

namespace sw {

namespace fs = std::filesystem;

namespace registry_association {

namespace {

constexpr std::string_view kClass = "VeneerixPersonalityFile";
constexpr std::string_view kExtensions[] = {".uis", ".sss"};

std::string bytes(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

}  // namespace

QString openCommand(const QString& programPath)
{
    return QLatin1Char('"') + programPath + QStringLiteral("\" \"%1\"");
}

void associate(const QString& programPath)
{
    Registry classes(RegistryHive::ClassesRoot);
    for (std::string_view extension : kExtensions) {
        const std::string previous = classes.readString(extension, "");
        if (previous != kClass)
            classes.writeString(extension, "old_assoc", previous);
        classes.writeString(extension, "", kClass);
        classes.writeString(std::string(extension) + "\\AlternateApps", "Skinwright", "Edit with Skinwright");
    }
    const std::string path = bytes(programPath);
    classes.writeString(kClass, "", "Veneerix Personality File");
    classes.writeString(std::string(kClass) + "\\DefaultIcon", "", path + ",0");
    classes.writeString(std::string(kClass) + "\\Shell\\Open\\Command", "", bytes(openCommand(programPath)));
    classes.writeString("Skinwright", "@", "Edit with Skinwright");
    classes.writeString("Skinwright\\shell\\open\\command", "@", "\"" + path + "\"  \"%1\"");
}

void remove()
{
    Registry classes(RegistryHive::ClassesRoot);
    for (std::string_view extension : kExtensions) {
        const std::optional<std::string> previous = classes.read(extension, "old_assoc");
        if (!previous)
            continue;
        classes.writeString(extension, "", *previous);
        classes.deleteValue(extension, "old_assoc");
    }
}

bool check(const QString& programPath)
{
    Registry classes(RegistryHive::ClassesRoot);
    return classes.readString(".uis", "") == kClass &&
           classes.readString(std::string(kClass) + "\\Shell\\Open\\Command", "") == bytes(openCommand(programPath));
}

}  // namespace registry_association

namespace desktop_association {

namespace {

constexpr std::string_view kDefaults = "Default Applications";
constexpr std::string_view kPreviousKey = "old_assoc";

fs::path environmentFolder(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    if (value && *value)
        return fs::path(value);
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / fallback;
}

// The previous default is kept in a file of the editor's own; mimeapps.list is shared
// with every other program and may be rewritten by them.
fs::path previousDefaultFile()
{
    return configHome() / "Skinwright" / "association.ini";
}

std::string execQuoted(const std::string& path)
{
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

void writeIfChanged(const fs::path& file, const std::string& content)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    try {
        if (fs::exists(file, ec) && readFileBytes(file) == content)
            return;
        writeFileAtomically(file, {content});
    } catch (const std::exception&) {
        // Association failures are not reported; check() shows the outcome.
    }
}

// Lets a running desktop see the new type and entry at once; a missing tool is fine.
void refreshDesktopDatabases()
{
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty())
        QProcess::execute(mime, {QString::fromLocal8Bit((dataHome() / "mime").string())});
    const QString desktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktop.isEmpty())
        QProcess::execute(desktop, {QString::fromLocal8Bit((dataHome() / "applications").string())});
}

std::unique_ptr<TIniFile> openIni(const fs::path& file)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    try {
        return std::make_unique<TIniFile>(file.string());
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace

fs::path dataHome()
{
    return environmentFolder("XDG_DATA_HOME", ".local/share");
}

fs::path configHome()
{
    return environmentFolder("XDG_CONFIG_HOME", ".config");
}

fs::path mimePackageFile()
{
    return dataHome() / "mime" / "packages" / "skinwright.xml";
}

fs::path desktopEntryFile()
{
    return dataHome() / "applications" / kDesktopFile;
}

fs::path mimeAppsFile()
{
    return configHome() / "mimeapps.list";
}

std::string mimePackageText()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"application/x-veneerix-personality\">\n"
           "    <comment>Veneerix personality</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <icon name=\"skinwright\"/>\n"
           "    <glob pattern=\"*.uis\"/>\n"
           "    <glob pattern=\"*.sss\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string desktopEntry(const QString& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Skinwright\n"
           "GenericName=Skin Editor\n"
           "Comment=Create and edit window-frame skins (personalities) of the Veneerix engine\n"
           "Exec=" + execQuoted(programPath.toLocal8Bit().toStdString()) + " %f\n"
           "Icon=skinwright\n"
           "Terminal=false\n"
           "Categories=Graphics;2DGraphics;\n"
           "MimeType=" + std::string(kMimeType) + ";\n";
}

std::string defaultApplication()
{
    // Only read: asking must not create the user's configuration folder.
    std::error_code ec;
    if (!fs::exists(mimeAppsFile(), ec))
        return {};
    auto list = openIni(mimeAppsFile());
    return list ? list->ReadString(kDefaults, kMimeType, "") : std::string();
}

void associate(const QString& programPath)
{
    writeIfChanged(mimePackageFile(), mimePackageText());
    writeIfChanged(desktopEntryFile(), desktopEntry(programPath));
    auto list = openIni(mimeAppsFile());
    auto previous = openIni(previousDefaultFile());
    if (!list || !previous)
        return;
    try {
        const std::string current = list->ReadString(kDefaults, kMimeType, "");
        if (current != kDesktopFile)
            previous->WriteString(kMimeType, kPreviousKey, current);
        list->WriteString(kDefaults, kMimeType, kDesktopFile);
    } catch (const std::exception&) {
    }
    refreshDesktopDatabases();
}

void remove()
{
    auto previous = openIni(previousDefaultFile());
    auto list = openIni(mimeAppsFile());
    if (!previous || !list)
        return;
    try {
        const std::string old = previous->ReadString(kMimeType, kPreviousKey, kMissingValue);
        if (old == kMissingValue)
            return;
        if (old.empty())
            list->DeleteKey(kDefaults, kMimeType);
        else
            list->WriteString(kDefaults, kMimeType, old);
        previous->DeleteKey(kMimeType, kPreviousKey);
    } catch (const std::exception&) {
    }
}

bool check(const QString& programPath)
{
    if (defaultApplication() != kDesktopFile)
        return false;
    try {
        return readFileBytes(desktopEntryFile()) == desktopEntry(programPath);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace desktop_association

void associateFiles(const QString& programPath)
{
#ifdef _WIN32
    registry_association::associate(programPath);
#else
    desktop_association::associate(programPath);
#endif
}

void removeFileAssociation()
{
#ifdef _WIN32
    registry_association::remove();
#else
    desktop_association::remove();
#endif
}

bool filesAssociated(const QString& programPath)
{
#ifdef _WIN32
    return registry_association::check(programPath);
#else
    return desktop_association::check(programPath);
#endif
}

}  // namespace sw
