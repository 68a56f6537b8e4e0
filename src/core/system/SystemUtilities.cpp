// Operating-system class, session and elevation tests, unique ids.
#include "core/system/SystemUtilities.h"

#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QUuid>

namespace {
int g_uniqueIdCounter = 0;
} // namespace

int GetOsVersionCode()
{
    return 8;
}
bool IsWindowsXP()
{
    return GetOsVersionCode() == 7;
}
bool IsVistaOrLater()
{
    return GetOsVersionCode() == 8;
}

bool IsRemoteSession()
{
    static const bool remote = GetOsVersionCode() > 5 && (!qEnvironmentVariableIsEmpty("SSH_CONNECTION") ||
                                                          !qEnvironmentVariableIsEmpty("SSH_CLIENT") ||
                                                          !qEnvironmentVariableIsEmpty("XRDP_SESSION"));
    return remote;
}

bool IsProcessElevated(qint64 pid, bool &elevated)
{
    elevated = false;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    // "Uid:" real, effective, saved and file-system user ids.
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> fields = line.mid(4).simplified().split(' ');
        if (fields.size() < 2)
            return false;
        bool ok = false;
        const uint effective = fields.at(1).toUInt(&ok);
        if (!ok)
            return false;
        elevated = effective == 0;
        return true;
    }
    return false;
}

QString MakeUniqueId()
{
    const QUuid id = QUuid::createUuid();
    if (id.isNull())
        return MakeTimeBasedId(QDateTime::currentDateTime());
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QString MakeTimeBasedId(const QDateTime &localTime)
{
    return localTime.toString(QStringLiteral("yyyyMMdd'T'HHmmss")) +
           QStringLiteral("-%1@%2").arg(g_uniqueIdCounter++).arg(QSysInfo::machineHostName());
}

QString FormatPercent(int n)
{
    return QStringLiteral("%1%").arg(n);
}
