#include "containers/base/FilterSettings.h"

#include "core/system/Profile.h"

#include <QCryptographicHash>
#include <QFileInfo>

QString CFilterSettings::SectionFor(const QString &dataFilePath, const QString &viewSection)
{
    if (dataFilePath.isEmpty())
        return {};
    const QFileInfo info(dataFilePath);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        canonical = info.absoluteFilePath();
    const QByteArray digest = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("Files\\") + QString::fromLatin1(digest.left(16)) + QLatin1Char('\\') + viewSection;
}

bool CFilterSettings::IsRemembered(const QString &viewSection)
{
    return GetProfileInt(viewSection, QStringLiteral("SF"), 0) != 0;
}

void CFilterSettings::Read(const QString &dataFilePath, const QString &viewSection, int &kind, QString &name)
{
    const QString section = SectionFor(dataFilePath, viewSection);
    kind = section.isEmpty() ? 2 : GetProfileInt(section, QStringLiteral("FltT"), 2);
    name = section.isEmpty() ? QString() : GetProfileString(section, QStringLiteral("FltN"));
}

void CFilterSettings::Write(const QString &dataFilePath, const QString &viewSection, int kind,
                            const QString &name)
{
    const QString section = SectionFor(dataFilePath, viewSection);
    if (section.isEmpty())
        return;
    WriteProfileString(section, QStringLiteral("FltN"), kind >= 1 && kind <= 3 ? name : QString());
    WriteProfileInt(section, QStringLiteral("FltT"), kind);
}
