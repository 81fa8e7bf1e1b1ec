#include "engine/LocalEngineChannel.h"

#ifdef Q_OS_WIN
#include "enginewin32/EngineWin32.h"
#else
#include <QByteArray>
#include <QLocalSocket>
#endif

namespace sw {

#ifdef Q_OS_WIN

void LocalEngineChannel::send(int code)
{
    win32::sendEngineCommand(name().toStdWString(), code, kTimeoutMs);
}

#else

void LocalEngineChannel::send(int code)
{
    QLocalSocket socket;
    socket.connectToServer(name(), QIODevice::WriteOnly);
    if (!socket.waitForConnected(kTimeoutMs))
        return;
    socket.write(QByteArray::number(code) + '\n');
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
}

#endif

}  // namespace sw
