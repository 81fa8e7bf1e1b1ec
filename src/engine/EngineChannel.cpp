#include "engine/EngineChannel.h"

#include "engine/LocalEngineChannel.h"

#include <QtGlobal>

namespace sw {

namespace {

EngineChannel* installed = nullptr;

}  // namespace

EngineChannel::~EngineChannel() = default;

EngineChannel& EngineChannel::current()
{
    static LocalEngineChannel platform;
    return installed ? *installed : platform;
}

EngineChannel* EngineChannel::install(EngineChannel* channel)
{
    EngineChannel* previous = installed;
    installed = channel;
    return previous;
}

QString EngineChannel::name()
{
    QString name = qEnvironmentVariable("SKINWRT_ENGINE_CHANNEL");
    return name.isEmpty() ? QStringLiteral("VXHook2") : name;
}

}  // namespace sw
