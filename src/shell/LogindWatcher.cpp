// logind session signals.
#include "shell/LogindWatcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kSessionInterface = QStringLiteral("org.freedesktop.login1.Session");
} // namespace

CLogindWatcher::CLogindWatcher(QObject *parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusInterface manager(kService, QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), bus);
    if (!manager.isValid())
        return;
    const QDBusReply<QDBusObjectPath> session =
        manager.call(QStringLiteral("GetSessionByPID"), quint32(QCoreApplication::applicationPid()));
    if (!session.isValid())
        return;
    const QString path = session.value().path();
    m_watching = bus.connect(kService, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                             QStringLiteral("PropertiesChanged"), this,
                             SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
    bus.connect(kService, path, kSessionInterface, QStringLiteral("Lock"), this, SLOT(OnLock()));
    bus.connect(kService, path, kSessionInterface, QStringLiteral("Unlock"), this, SLOT(OnUnlock()));
}

void CLogindWatcher::OnPropertiesChanged(const QString &interfaceName, const QVariantMap &changed, const QStringList &)
{
    if (interfaceName != kSessionInterface || !changed.contains(QStringLiteral("Active")))
        return;
    const bool active = changed.value(QStringLiteral("Active")).toBool();
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        emit SessionBack();
    else
        emit SessionLeft();
}

void CLogindWatcher::OnLock()
{
    emit SessionLeft();
}

void CLogindWatcher::OnUnlock()
{
    emit SessionBack();
}
