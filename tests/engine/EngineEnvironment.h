// A private world for one engine test: its own registry hives, Windows folder and
// engine channel name in a temporary folder, scripted prompts and a recording shell,
// so nothing the test does reaches the user's desktop.
#pragma once

#include "engine/RecordingShell.h"
#include "engine/ScopedService.h"
#include "engine/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *out << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *out << '}';
}

namespace sw::test {

class EngineEnvironment : public ::testing::Test {
protected:
    EngineEnvironment();
    ~EngineEnvironment() override;

    std::filesystem::path folder(const std::string& name) const;  // created

    TempDir temp;
    ScriptedPrompts prompts;
    RecordingShell recordingShell;

private:
    struct SavedVariable {
        const char* name;
        std::optional<QByteArray> value;
    };
    std::vector<SavedVariable> saved_;
    ScopedService<PromptService> promptScope_{prompts};
    ScopedService<Shell> shellScope_{recordingShell};
};

// tools/engine-standin, listening on this test's channel until destroyed.
class StandIn {
public:
    StandIn();
    ~StandIn();
    // True once the server listens (waits at most a few seconds).
    bool waitUntilListening();
    // The codes printed so far, waiting until there are at least count of them or
    // a few seconds have passed.
    QStringList codes(int count);

private:
    QProcess process_;
    QByteArray output_;
};

}  // namespace sw::test
