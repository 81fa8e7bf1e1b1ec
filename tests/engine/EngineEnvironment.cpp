#include "EngineEnvironment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <atomic>

namespace sw::test {

namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 10000;

QByteArray uniqueChannelName()
{
    static std::atomic<int> counter = 0;
    return "skinwrt-channel-" + QByteArray::number(QCoreApplication::applicationPid()) + "-" +
           QByteArray::number(++counter);
}

}  // namespace

EngineEnvironment::EngineEnvironment()
{
    const std::pair<const char*, QByteArray> variables[] = {
        {"SKINWRT_REGISTRY_DIR", QByteArray::fromStdString((temp.path() / "registry").string())},
        {"WINDIR", QByteArray::fromStdString((temp.path() / "windows").string())},
        {"SKINWRT_ENGINE_CHANNEL", uniqueChannelName()},
    };
    for (const auto& [name, value] : variables) {
        saved_.push_back({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        qputenv(name, value);
    }
}

EngineEnvironment::~EngineEnvironment()
{
    for (const SavedVariable& variable : saved_) {
        if (variable.value)
            qputenv(variable.name, *variable.value);
        else
            qunsetenv(variable.name);
    }
}

fs::path EngineEnvironment::folder(const std::string& name) const
{
    fs::path path = temp.path() / name;
    fs::create_directories(path);
    return path;
}

StandIn::StandIn()
{
    process_.setProgram(QStringLiteral(ENGINE_STANDIN_PATH));
    process_.start();
}

StandIn::~StandIn()
{
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool StandIn::waitUntilListening()
{
    QDeadlineTimer deadline(kWaitMs);
    QByteArray status;
    process_.setReadChannel(QProcess::StandardError);
    bool listening = false;
    while (!listening && !deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(100);
        status += process_.readAllStandardError();
        listening = status.contains("listening on");
    }
    process_.setReadChannel(QProcess::StandardOutput);
    return listening;
}

QStringList StandIn::codes(int count)
{
    QDeadlineTimer deadline(kWaitMs);
    QStringList lines;
    while (true) {
        output_ += process_.readAllStandardOutput();
        lines = QString::fromLatin1(output_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (lines.size() >= count || deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return lines;
        process_.waitForReadyRead(100);
    }
}

}  // namespace sw::test
