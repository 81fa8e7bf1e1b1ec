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

WriteOutcome writeTweakSettings(const TweakSettings& settings, const TweakSettings& stored, const fs::path& programFolder)
{
    WriteOutcome outcome;
    outcome.stored = settings;
    outcome.stored.look = writeExplorerLook(settings.look, stored.look);

    Registry registry;
    outcome.synchronizer = programFolder / kSynchronizerProgram;
    const QString program = QString::fromLocal8Bit(outcome.synchronizer.string());
    const bool switched = settings.toolbars.synchronize != stored.toolbars.synchronize;
    if (settings.toolbars.synchronize) {
        // The synchronizer owns the tool-bar pictures from now on.
        if (switched) {
            removeToolbarImages();
            registry.writeString(kRunKey, kSynchronizerValue, synchronizerCommand(programFolder));
        }
        outcome.stored.toolbars = stored.toolbars;
        outcome.stored.toolbars.synchronize = true;
        outcome.stored.toolbars.images = stored.toolbars.images && !switched;
        outcome.synchronizerStarted = shell().start(program, {QStringLiteral("/monitor")});
    } else {
        writeToolbarImages(settings.toolbars, stored.toolbars);
        // Only a synchronizer that was on is told to stop: one the user never started
        // (or never installed) must not come up as an error.
        if (switched) {
            registry.deleteValue(kRunKey, kSynchronizerValue);
            outcome.synchronizerStarted = shell().start(program, {QStringLiteral("/kill")});
        } else {
            outcome.synchronizerStarted = true;
        }
    }

    const std::pair<const char*, bool TweakSettings::*> switches[] = {
        {"SizeLimit", &TweakSettings::sizeLimit}, {"WindowLock", &TweakSettings::windowLock},
        {"NoSound", &TweakSettings::noSound}};
    for (const auto& [name, member] : switches)
        if (settings.*member != stored.*member)
            EngineSettings::setGlobalSwitch(name, settings.*member);

    Engine::sendCommand(kEngineReload);
    return outcome;
}

std::string explorerBitmapValue()
{
    return EngineSettings::text("VX").value_or(std::string());
}

}  // namespace sw::tweak
