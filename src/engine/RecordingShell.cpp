#include "engine/RecordingShell.h"

namespace sw {

bool RecordingShell::open(const QString& target, ShellVerb verb)
{
    calls_.push_back({ShellCall::Kind::Open, target, verb, {}});
    return result_;
}

bool RecordingShell::start(const QString& program, const QStringList& arguments)
{
    calls_.push_back({ShellCall::Kind::Start, program, ShellVerb::Open, arguments});
    return result_;
}

}  // namespace sw
