// engine-standin: listens on the engine's command channel as the engine would and
// prints every command code it receives, one per line, as it arrives.
//
//   engine-standin [--name NAME]
//
// The channel is NAME, else $SKINWRT_ENGINE_CHANNEL, else "VXHook2". Once listening,
// "listening on <address>" goes to standard error.

#include "engine/EngineChannel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

void printCode(const QByteArray& line)
{
    QByteArray code = line.trimmed();
    if (code.isEmpty())
        return;
    std::fwrite(code.constData(), 1, std::size_t(code.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void serve(QLocalSocket* socket)
{
    auto readLines = [socket] {
        while (socket->canReadLine())
            printCode(socket->readLine());
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, readLines);
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [socket, readLines] {
        readLines();
        printCode(socket->readAll());  // a last code without a line break
        socket->deleteLater();
    });
    readLines();
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("engine-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Listens on the engine's command channel and prints every command code received."));
    parser.addHelpOption();
    QCommandLineOption nameOption(QStringList{QStringLiteral("n"), QStringLiteral("name")},
                                  QStringLiteral("Channel name (default: $SKINWRT_ENGINE_CHANNEL or VXHook2)."),
                                  QStringLiteral("NAME"));
    parser.addOption(nameOption);
    parser.process(app);

    QString name = parser.isSet(nameOption) ? parser.value(nameOption) : sw::EngineChannel::name();

    QLocalServer server;
    // A server that died leaves its socket file behind, which would block listening.
    QLocalServer::removeServer(name);
    if (!server.listen(name)) {
        std::fprintf(stderr, "engine-standin: cannot listen on %s: %s\n", qPrintable(name),
                     qPrintable(server.errorString()));
        return 1;
    }
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server] {
        while (QLocalSocket* socket = server.nextPendingConnection())
            serve(socket);
    });
    // Ending on a signal goes through the event loop, so the server's address is
    // removed on the way out and no dead address is left behind.
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    QTimer stopCheck;
    QObject::connect(&stopCheck, &QTimer::timeout, &app, [] {
        if (stopRequested)
            QCoreApplication::quit();
    });
    stopCheck.start(50);

    std::fprintf(stderr, "listening on %s\n", qPrintable(server.fullServerName()));
    std::fflush(stderr);
    return app.exec();
}
