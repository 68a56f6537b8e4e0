// The per-user lock and local socket between copies of the program.
#include "shell/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

QString RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace

CSingleInstance::CSingleInstance(const QString &key, QObject *parent) : QObject(parent)
{
    // The program's instance name, made per user so that each user runs one copy.
    const QString base = QStringLiteral("m_tessvo32-%1%2").arg(getuid()).arg(key.isEmpty() ? QString() : u'-' + key);
    m_serverName = RuntimeFolder() + u'/' + base + QStringLiteral(".sock");
    m_lockPath = RuntimeFolder() + u'/' + base + QStringLiteral(".lock");
}

CSingleInstance::~CSingleInstance()
{
    if (m_server)
        m_server->close();
}

bool CSingleInstance::BecomeFirst()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock left by a copy that died is taken over by QLockFile (it checks the process).
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    // Holding the lock, any socket file left behind is stale.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        return true; // still the only copy; later copies simply cannot reach it
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString request = QString::fromUtf8(socket->readLine()).chopped(1);
                socket->write("ok\n");
                socket->flush();
                emit RequestReceived(request);
            }
        });
    }
}

bool CSingleInstance::SendToFirst(const QString &request, int timeoutMs) const
{
    // The first copy may still be starting: try to reach it until the deadline.
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(std::max<qint64>(1, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray line = request.toUtf8();
    line.replace('\n', ' ');
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime()))))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
    return socket.readLine().startsWith("ok");
}
