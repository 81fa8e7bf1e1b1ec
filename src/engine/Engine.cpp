#include "engine/Engine.h"

#include "engine/EngineChannel.h"
#include "engine/PromptService.h"
#include "engine/Registry.h"
#include "engine/Shell.h"

#include <QDir>
#include <QStandardPaths>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kActivePersonality = "SkinSet";

QString fromLocal(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

fs::path localPath(const QString& path)
{
    return fs::path(QDir::toNativeSeparators(path).toLocal8Bit().toStdString());
}

}  // namespace

Engine::Engine() : folder_(findFolder()) {}

Engine::Engine(fs::path folder) : folder_(std::move(folder)) {}

fs::path Engine::findFolder()
{
    Registry registry;
    if (registry.keyExists(kEngineInstallKey)) {
        std::string path = registry.readString(kEngineInstallKey, "Path");
        if (!path.empty())
            return fs::path(path);
    }
    const QString standIn = qEnvironmentVariable("SKINWRT_DEFAULT_ENGINE_FOLDER");
    if (!standIn.isEmpty())
        return localPath(standIn);
    std::string documents = registry.readString(kShellFoldersKey, "Personal");
    if (!documents.empty())
        return fs::path(documents);
    QString standard = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return localPath(standard.isEmpty() ? QDir::homePath() : standard);
}

bool Engine::folderIsSet()
{
    return !Registry().readString(kEngineInstallKey, "Path").empty();
}

bool Engine::setFolder(const fs::path& folder)
{
    return Registry().writeString(kEngineInstallKey, "Path", folder.string());
}

fs::path Engine::proposedFolder()
{
    return localPath(QDir::homePath()) / "Skins";
}

fs::path Engine::loaderPath() const
{
    return folder_ / "vxload.exe";
}

QString Engine::notInstalledText()
{
    return QStringLiteral("Veneerix is not installed\nPlease visit: ") + fromLocal(kEngineDownloadPage) +
           QStringLiteral(" to download Veneerix\n\nDo you want to download Veneerix now?");
}

bool Engine::installed(bool ask)
{
    if (Registry().keyExists(kEngineSettingsKey))
        return true;
    if (ask && prompts().message(notInstalledText(), QStringLiteral("Caution"), PromptIcon::Information,
                                 PromptButtons::YesNo) == PromptAnswer::Yes)
        shell().open(fromLocal(kEngineDownloadPage), ShellVerb::Open);
    return false;
}

std::string Engine::currentPersonality()
{
    return Registry().readString(kEngineSettingsKey, kActivePersonality);
}

bool Engine::applyPersonality(const std::string& uisPath)
{
    if (!installed(true))
        return false;
    Registry().writeString(kEngineSettingsKey, kActivePersonality, uisPath);
    sendCommand(kEngineReload);
    return true;
}

bool Engine::reloadCurrent()
{
    if (!installed(true))
        return false;
    sendCommand(kEngineReload);
    return true;
}

bool Engine::shutDown()
{
    if (!installed(true))
        return false;
    sendCommand(kEngineShutDown);
    return true;
}

bool Engine::launch() const
{
    if (!installed(true))
        return false;
    return shell().start(QString::fromLocal8Bit(loaderPath().string()), {});
}

void Engine::sendCommand(int code)
{
    EngineChannel::current().send(code);
}

}  // namespace sw
