#include "engine/LocalEngineChannel.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QByteArray>
#include <QLocalSocket>
#endif

namespace sw {

#ifdef Q_OS_WIN

void LocalEngineChannel::send(int code)
{
    const QByteArray message = name().toLocal8Bit();
    UINT messageId = RegisterWindowMessageA(message.constData());
    HWND window = FindWindowExA(nullptr, nullptr, "#32770", "Veneerix");
    if (!messageId || !window)
        return;
    // A hung engine must not hang the programs: wait a bounded time, then go on.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, messageId, WPARAM(code), 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, kTimeoutMs, &ignored);
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
