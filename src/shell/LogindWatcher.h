// CLogindWatcher: tells when this desktop session stops being the active one or is locked,
// and when it comes back, from logind over the system bus. Where there is no logind the
// watcher stays silent.
#pragma once

#include <QObject>

class CLogindWatcher : public QObject
{
    Q_OBJECT

  public:
    explicit CLogindWatcher(QObject *parent = nullptr);
    bool IsWatching() const { return m_watching; }

  signals:
    void SessionLeft();
    void SessionBack();

  private slots:
    void OnPropertiesChanged(const QString &interfaceName, const QVariantMap &changed, const QStringList &invalidated);
    void OnLock();
    void OnUnlock();

  private:
    bool m_watching = false;
    bool m_active = true;
};
