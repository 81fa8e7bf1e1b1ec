// The engine's command channel on this machine. On Windows: the registered window
// message sent to the engine's window. Elsewhere: one line holding the code, written
// to the local socket server the engine (or tools/engine-standin) listens on.
#pragma once

#include "engine/EngineChannel.h"

namespace sw {

class LocalEngineChannel : public EngineChannel {
public:
    // Gives up after this long, so a stuck engine never stalls the programs.
    static constexpr int kTimeoutMs = 1000;

    void send(int code) override;
};

}  // namespace sw
