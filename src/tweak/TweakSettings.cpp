#include "tweak/TweakSettings.h"

#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "engine/FolderOperations.h"
#include "engine/Registry.h"
#include "engine/Shell.h"

namespace sw::tweak {

namespace fs = std::filesystem;

TweakSettings readTweakSettings()
{
    TweakSettings settings;
    settings.sizeLimit = EngineSettings::globalSwitch("SizeLimit");
    settings.windowLock = EngineSettings::globalSwitch("WindowLock");
    settings.noSound = EngineSettings::globalSwitch("NoSound");
    settings.look = readExplorerLook(kDefaultTransparencyColour);
    settings.toolbars = readExplorerToolbars();
    return settings;
}

std::string synchronizerCommand(const fs::path& programFolder)
{
    return folderWithSeparator(programFolder.string()) + std::string(kSynchronizerProgram) + " /monitor";
}

WriteOutcome writeTweakSettings(const TweakSettings& settings, const fs::path& programFolder)
{
    writeExplorerLook(settings.look);

    Registry registry;
    WriteOutcome outcome;
    outcome.synchronizer = programFolder / kSynchronizerProgram;
    const QString program = QString::fromLocal8Bit(outcome.synchronizer.string());
    if (settings.toolbars.synchronize) {
        // The synchronizer owns the tool-bar pictures from now on.
        writeToolbarImages(false, {}, {});
        registry.writeString(kRunKey, kSynchronizerValue, synchronizerCommand(programFolder));
        outcome.synchronizerStarted = shell().start(program, {QStringLiteral("/monitor")});
    } else {
        writeToolbarImages(settings.toolbars.images, settings.toolbars.backBitmap, settings.toolbars.backBitmapIE5);
        registry.deleteValue(kRunKey, kSynchronizerValue);
        outcome.synchronizerStarted = shell().start(program, {QStringLiteral("/kill")});
    }

    EngineSettings::setGlobalSwitch("SizeLimit", settings.sizeLimit);
    EngineSettings::setGlobalSwitch("WindowLock", settings.windowLock);
    EngineSettings::setGlobalSwitch("NoSound", settings.noSound);

    Engine::sendCommand(kEngineReload);
    return outcome;
}

std::string explorerBitmapValue()
{
    return EngineSettings::text("VX").value_or(std::string());
}

}  // namespace sw::tweak
