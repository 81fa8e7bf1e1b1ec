// The skinning engine as both programs reach it: whether it is installed, where its
// folder is, which personality it shows, and the commands that apply, reload, shut
// it down or start it.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// The engine's settings key, whose presence means the engine is installed.
inline constexpr std::string_view kEngineSettingsKey = "Software\\Corvane\\Veneerix\\VX5.ini\\VXLiteFX";
// The engine's install key, value "Path": the engine folder.
inline constexpr std::string_view kEngineInstallKey = "Software\\Corvane\\Veneerix\\VX5.ini\\Installed";
// The user's shell folders, value "Personal": the documents folder.
inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Where the not-installed question sends the user.
inline constexpr std::string_view kEngineDownloadPage = "https://www.corvane.example/veneerix/download/";

// Command codes of the engine's channel.
inline constexpr int kEngineShutDown = 8888;
inline constexpr int kEngineReload = 8889;

class Engine {
public:
    // Finds the engine folder now, once, as the programs do at start.
    Engine();
    explicit Engine(std::filesystem::path folder);

    // The engine folder: value "Path" of the install key; when that key is missing or
    // its path empty, the documents folder of the shell folders key; failing that,
    // the user's documents folder.
    // SKINWRT_DEFAULT_ENGINE_FOLDER, when set, stands in for the documents folder
    // (./run points it at the bundled sample skins).
    static std::filesystem::path findFolder();
    // Whether the engine folder is set (the install key holds a path): without it
    // the folder above is only a guess.
    static bool folderIsSet();
    // Makes the folder the engine folder (the install key's "Path"). False when it
    // could not be stored.
    static bool setFolder(const std::filesystem::path& folder);
    // Where the first-use question proposes to keep skins: "Skins" in the home folder.
    static std::filesystem::path proposedFolder();
    const std::filesystem::path& folder() const { return folder_; }
    // The engine folder followed by "vxload.exe".
    std::filesystem::path loaderPath() const;

    // Whether the engine's settings key exists. When not and ask is set, asks whether
    // to download the engine (Yes opens the download page with the shell).
    static bool installed(bool ask);
    static QString notInstalledText();

    // The full path of the engine's active personality file (empty when none is set).
    static std::string currentPersonality();

    // The commands below do nothing but ask the not-installed question when the
    // engine is not installed, and then return false.
    // Makes the personality file the engine's active one, then tells it to reload.
    static bool applyPersonality(const std::string& uisPath);
    static bool reloadCurrent();
    static bool shutDown();
    // Starts the engine's loader. False also when the loader could not be started.
    bool launch() const;

    // Sends a command code to the running engine, installed or not; without a
    // listening engine this does nothing.
    static void sendCommand(int code);

private:
    std::filesystem::path folder_;
};

}  // namespace sw
