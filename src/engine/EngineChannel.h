// The engine's command channel: a command code sent one way to the running engine.
// Nothing is ever read back; with no engine listening a command does nothing.
#pragma once

#include <QString>

namespace sw {

class EngineChannel {
public:
    virtual ~EngineChannel();

    virtual void send(int code) = 0;

    // The installed channel, else the platform's own (LocalEngineChannel).
    static EngineChannel& current();
    // Installs a channel (nullptr puts the platform's back) and returns the previous one.
    static EngineChannel* install(EngineChannel* channel);

    // The name the engine listens under: "VXHook2", unless SKINWRT_ENGINE_CHANNEL
    // names another (so that tests running side by side do not meet).
    static QString name();
};

}  // namespace sw
