// A shell for tests: records what would have been opened or started and answers
// with a set result, so nothing outside the test ever runs.
#pragma once

#include "engine/Shell.h"

#include <vector>

namespace sw {

struct ShellCall {
    enum class Kind { Open, Start };
    Kind kind = Kind::Open;
    QString target;         // the opened target, or the started program
    ShellVerb verb = ShellVerb::Open;
    QStringList arguments;  // Start only
};

class RecordingShell : public Shell {
public:
    bool open(const QString& target, ShellVerb verb = ShellVerb::Open) override;
    bool start(const QString& program, const QStringList& arguments) override;

    // What open and start return from now on (true at first).
    void setResult(bool result) { result_ = result; }
    const std::vector<ShellCall>& calls() const { return calls_; }

private:
    bool result_ = true;
    std::vector<ShellCall> calls_;
};

}  // namespace sw
