// CSingleInstance: one running copy per user. The first copy holds a lock file and listens on a
// per-user local socket; a later copy finds the lock taken and hands its request to the first
// over the socket instead of starting.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

class CSingleInstance : public QObject
{
    Q_OBJECT

  public:
    // Requests a second copy sends, one line each.
    static constexpr const char *kRestore = "restore";
    static constexpr const char *kQuit = "quit";
    static constexpr const char *kOpenPrefix = "open "; // followed by the path

    // The socket and lock names belong to the user; `key` keeps tests apart.
    explicit CSingleInstance(const QString &key = QString(), QObject *parent = nullptr);
    ~CSingleInstance() override;

    // True when this is the first copy: it then holds the lock and listens. False when
    // another copy runs (or the lock cannot be taken).
    bool BecomeFirst();
    // A second copy's request to the first; true when the first copy took it.
    bool SendToFirst(const QString &request, int timeoutMs = 5000) const;

    QString ServerName() const { return m_serverName; }
    QString LockPath() const { return m_lockPath; }

  signals:
    void RequestReceived(const QString &request);

  private:
    void OnNewConnection();

    QString m_serverName;
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
