#include "engine/Engine.h"

#include "engine/EngineChannel.h"
#include "engine/Registry.h"
#include "engine/SystemShell.h"

#include "EngineEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

// Records each command with the active personality at the moment it was sent.
class RecordingChannel : public EngineChannel {
public:
    void send(int code) override { sent.push_back({code, Engine::currentPersonality()}); }
    std::vector<std::pair<int, std::string>> sent;
};

class EngineTest : public test::EngineEnvironment {
protected:
    static void installEngine() { ASSERT_TRUE(Registry().writeString(kEngineSettingsKey, "ExpTrans", "0")); }

    RecordingChannel channel;
    ScopedService<EngineChannel> channelScope{channel};
};

TEST_F(EngineTest, InstalledAndTheDownloadQuestion)
{
    struct Case {
        bool installed;
        bool ask;
        std::optional<PromptAnswer> answer;  // the question is shown
    } cases[] = {
        {true, true, std::nullopt},
        {false, false, std::nullopt},
        {false, true, PromptAnswer::Yes},
        {false, true, PromptAnswer::No},
    };
    for (const Case& c : cases) {
        fs::remove_all(temp.path() / "registry");
        if (c.installed)
            installEngine();
        ScriptedPrompts scripted;
        if (c.answer)
            scripted.answer(*c.answer);
        RecordingShell shellCalls;
        ScopedService<PromptService> promptScope(scripted);
        ScopedService<Shell> shellScope(shellCalls);

        EXPECT_EQ(Engine::installed(c.ask), c.installed);

        ASSERT_EQ(scripted.shown().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(describePrompt(scripted.shown()[0]),
                      "message captioned \"Caution\" (Information, YesNo): \"Veneerix is not installed\nPlease visit: "
                      "https://www.corvane.example/veneerix/download/ to download Veneerix\n\nDo you want to "
                      "download Veneerix now?\"");
        }
        bool opens = c.answer == PromptAnswer::Yes;
        ASSERT_EQ(shellCalls.calls().size(), opens ? 1u : 0u);
        if (opens) {
            EXPECT_EQ(shellCalls.calls()[0].kind, ShellCall::Kind::Open);
            EXPECT_EQ(shellCalls.calls()[0].target, "https://www.corvane.example/veneerix/download/");
            EXPECT_EQ(shellCalls.calls()[0].verb, ShellVerb::Open);
        }
    }
}

TEST_F(EngineTest, FolderComesFromTheInstallKeyThenTheDocumentsFolder)
{
    const std::string installKey(kEngineInstallKey), shellFolders(kShellFoldersKey);
    fs::path standard = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    struct Case {
        std::optional<std::string> installPath;
        std::optional<std::string> personal;
        fs::path expected;
    } cases[] = {
        {"/opt/Veneerix", "/home/u/Documents", "/opt/Veneerix"},
        {"/opt/Veneerix", std::nullopt, "/opt/Veneerix"},
        {std::nullopt, "/home/u/My Documents", "/home/u/My Documents"},
        {"", "/home/u/Docs", "/home/u/Docs"},  // an install key without a usable path
        {std::nullopt, std::nullopt, standard},
    };
    for (const Case& c : cases) {
        fs::remove_all(temp.path() / "registry");
        Registry registry;
        if (c.installPath) {
            ASSERT_TRUE(registry.writeString(installKey, "Version", "5"));
            ASSERT_TRUE(registry.writeString(installKey, "Path", *c.installPath));
        }
        if (c.personal) {
            ASSERT_TRUE(registry.writeString(shellFolders, "Personal", *c.personal));
        }
        EXPECT_EQ(Engine().folder(), c.expected);
    }
}

TEST_F(EngineTest, ApplyWritesTheActivePersonalityBeforeTheReloadCommand)
{
    installEngine();
    EXPECT_TRUE(Engine::applyPersonality("/skins/Aqua Blue/Aqua Blue.uis"));
    EXPECT_TRUE(Engine::reloadCurrent());
    EXPECT_TRUE(Engine::shutDown());
    const std::vector<std::pair<int, std::string>> expected = {
        {8889, "/skins/Aqua Blue/Aqua Blue.uis"},
        {8889, "/skins/Aqua Blue/Aqua Blue.uis"},
        {8888, "/skins/Aqua Blue/Aqua Blue.uis"},
    };
    EXPECT_EQ(channel.sent, expected);
}

TEST_F(EngineTest, CommandsWithoutTheEngineOnlyAsk)
{
    Engine engine(folder("engine"));
    const std::function<bool()> commands[] = {
        [] { return Engine::applyPersonality("/skins/A/A.uis"); },
        [] { return Engine::reloadCurrent(); },
        [] { return Engine::shutDown(); },
        [&engine] { return engine.launch(); },
    };
    for (const auto& command : commands) {
        prompts.answer(PromptAnswer::No);
        EXPECT_FALSE(command());
    }
    EXPECT_EQ(prompts.shown().size(), 4u);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_TRUE(recordingShell.calls().empty());
    EXPECT_FALSE(Registry().valueExists(kEngineSettingsKey, "SkinSet"));
}

#ifndef _WIN32
TEST_F(EngineTest, LaunchReportsAMissingLoaderAndRunsAPresentOne)
{
    installEngine();
    SystemShell desktop;
    ScopedService<Shell> desktopScope(desktop);
    EXPECT_FALSE(Engine(folder("empty")).launch());

    // A loader of our own that leaves a mark when it runs.
    fs::path engineFolder = folder("Veneerix"), mark = temp.path() / "loader-ran";
    writeBytes(engineFolder / "vxload.exe", "#!/bin/sh\ntouch '" + mark.string() + "'\n");
    fs::permissions(engineFolder / "vxload.exe", fs::perms::owner_all);
    EXPECT_TRUE(Engine(engineFolder).launch());
    QDeadlineTimer deadline(10000);
    while (!fs::exists(mark) && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_TRUE(fs::exists(mark));
}
#endif

class EngineChannelTest : public test::EngineEnvironment {
protected:
    ~EngineChannelTest() override { QFile::remove(address()); }
    static QString address() { return QDir::temp().filePath(EngineChannel::name()); }
};

TEST_F(EngineChannelTest, TheStandInReceivesEachCommandInOrder)
{
    ASSERT_TRUE(Registry().writeString(kEngineSettingsKey, "ExpTrans", "0"));
    {
        test::StandIn standIn;
        ASSERT_TRUE(standIn.waitUntilListening());
        EXPECT_TRUE(Engine::applyPersonality("/skins/Aqua/Aqua.uis"));
        EXPECT_TRUE(Engine::shutDown());
        EXPECT_TRUE(Engine::reloadCurrent());
        Engine::sendCommand(1234);
        EXPECT_EQ(standIn.codes(4), (QStringList{"8889", "8888", "8889", "1234"}));
    }
#ifndef _WIN32
    // Stopped, the stand-in leaves no dead address behind.
    EXPECT_FALSE(QFile::exists(address()));
#endif
}

TEST_F(EngineChannelTest, NoListeningEngineMakesCommandsQuickNoOps)
{
    for (bool deadAddress : {false, true}) {
#ifndef _WIN32
        if (deadAddress) {
            // What an engine that crashed leaves: a socket bound there, nobody listening.
            sockaddr_un socketAddress{};
            socketAddress.sun_family = AF_UNIX;
            QByteArray path = address().toLocal8Bit();
            ASSERT_LT(std::size_t(path.size()), sizeof socketAddress.sun_path);
            std::memcpy(socketAddress.sun_path, path.constData(), std::size_t(path.size()));
            int handle = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(::bind(handle, reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress), 0);
            ::close(handle);
        }
#endif
        QElapsedTimer timer;
        timer.start();
        Engine::sendCommand(8889);
        Engine::sendCommand(8888);
        // Well below the channel's own time-out: nobody was waited for.
        EXPECT_LT(timer.elapsed(), 500) << deadAddress;
    }
}

}  // namespace
}  // namespace sw
