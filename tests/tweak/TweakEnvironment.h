// The tweak tool's tests: a private registry, Windows folder and engine folder, and
// a channel that records the commands sent to the engine.
#pragma once

#include "EngineEnvironment.h"

#include "engine/Engine.h"
#include "engine/EngineChannel.h"
#include "engine/Registry.h"
#include "engine/ScopedService.h"
#include "store/PlatformPaths.h"

#include <vector>

namespace sw::test {

class RecordingChannel : public EngineChannel {
public:
    void send(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

class TweakEnvironment : public EngineEnvironment {
protected:
    TweakEnvironment()
    {
        Registry().writeString(kEngineInstallKey, "Path", engineFolder.string());
        setProgramFolder(programFolderPath);
    }
    ~TweakEnvironment() override { setProgramFolder({}); }

    std::filesystem::path engineFolder = folder("engine");
    std::filesystem::path programFolderPath = folder("program");
    RecordingChannel channel;
    ScopedService<EngineChannel> channelScope{channel};

    std::optional<std::string> engineValue(const char* name) const
    {
        return Registry().read(kEngineSettingsKey, name);
    }
};

}  // namespace sw::test
