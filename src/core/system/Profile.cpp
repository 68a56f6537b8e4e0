// The per-user settings store over QSettings.
#include "core/system/Profile.h"

#include "core/system/ConstStrings.h"

#include <QSettings>
#include <QStringList>
#include <cstdint>

CProfile::CProfile()
    : m_settings(std::make_unique<QSettings>(GetConstString(ConstName::CompanyKey),
                                             GetConstString(ConstName::ProgramKey)))
{
}

CProfile::CProfile(const QString &iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

CProfile::~CProfile() = default;

QString CProfile::Key(const QString &section, const QString &name)
{
    // QSettings separates groups with '/'; sections name sub-sections with '\'.
    QString key = section;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!key.isEmpty())
        key += QLatin1Char('/');
    return key + name;
}

int CProfile::GetInt(const QString &section, const QString &name, int defaultValue) const
{
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok, 10);
    if (!ok)
        return defaultValue;
    // Stored values are 32-bit words: keep the low 32 bits as the registry would.
    return static_cast<int>(static_cast<std::uint32_t>(n));
}

QString CProfile::GetString(const QString &section, const QString &name, const QString &defaultValue) const
{
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid())
        return defaultValue;
    if (v.typeId() == QMetaType::QStringList) // an unquoted comma in a hand-edited file
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool CProfile::GetBinary(const QString &section, const QString &name, QByteArray &data) const
{
    const QVariant v = m_settings->value(Key(section, name));
    if (v.typeId() != QMetaType::QByteArray) {
        data.clear();
        return false;
    }
    data = v.toByteArray();
    return true;
}

bool CProfile::HasValue(const QString &section, const QString &name) const
{
    return m_settings->contains(Key(section, name));
}

bool CProfile::WriteInt(const QString &section, const QString &name, int value)
{
    m_settings->setValue(Key(section, name), value);
    return m_settings->status() == QSettings::NoError;
}

bool CProfile::WriteString(const QString &section, const QString &name, const QString &value)
{
    m_settings->setValue(Key(section, name), value);
    return m_settings->status() == QSettings::NoError;
}

bool CProfile::WriteBinary(const QString &section, const QString &name, const QByteArray &data)
{
    m_settings->setValue(Key(section, name), data);
    return m_settings->status() == QSettings::NoError;
}

bool CProfile::DeleteValue(const QString &section, const QString &name)
{
    const QString key = Key(section, name);
    if (!m_settings->contains(key))
        return false;
    m_settings->remove(key);
    return true;
}

bool CProfile::WriteIntIfUnset(const QString &section, const QString &name, int value, bool onlyIfUnset)
{
    if (onlyIfUnset && GetInt(section, name, kUnsetInt) != kUnsetInt)
        return false;
    WriteInt(section, name, value);
    return true;
}

bool CProfile::WriteStringIfUnset(const QString &section, const QString &name, const QString &value,
                                  bool onlyIfUnset)
{
    const QString unset = QString::fromLatin1(kUnsetText);
    if (onlyIfUnset && GetString(section, name, unset) != unset)
        return false;
    WriteString(section, name, value);
    return true;
}

void CProfile::Sync()
{
    m_settings->sync();
}

QString CProfile::FileName() const
{
    return m_settings->fileName();
}

namespace {
std::unique_ptr<CProfile> &ProgramProfile()
{
    static std::unique_ptr<CProfile> profile;
    return profile;
}
} // namespace

CProfile &CProfile::Instance()
{
    auto &p = ProgramProfile();
    if (!p)
        p = std::make_unique<CProfile>();
    return *p;
}

void CProfile::UseIniFile(const QString &iniPath)
{
    auto &p = ProgramProfile();
    if (p)
        p->Sync();
    p = iniPath.isEmpty() ? std::make_unique<CProfile>() : std::make_unique<CProfile>(iniPath);
}

int GetProfileInt(const QString &section, const QString &name, int defaultValue)
{
    return CProfile::Instance().GetInt(section, name, defaultValue);
}

int GetProfileInt(int sectionIndex, int nameIndex, int defaultValue)
{
    return GetProfileInt(GetConstString(sectionIndex), GetConstString(nameIndex), defaultValue);
}

QString GetProfileString(const QString &section, const QString &name, const QString &defaultValue)
{
    return CProfile::Instance().GetString(section, name, defaultValue);
}

QString GetProfileString(int sectionIndex, int nameIndex, const QString &defaultValue)
{
    return GetProfileString(GetConstString(sectionIndex), GetConstString(nameIndex), defaultValue);
}

bool GetProfileBinary(const QString &section, const QString &name, QByteArray &data)
{
    return CProfile::Instance().GetBinary(section, name, data);
}

bool GetProfileBinary(int sectionIndex, int nameIndex, QByteArray &data)
{
    return GetProfileBinary(GetConstString(sectionIndex), GetConstString(nameIndex), data);
}

bool WriteProfileInt(const QString &section, const QString &name, int value)
{
    return CProfile::Instance().WriteInt(section, name, value);
}

bool WriteProfileInt(int sectionIndex, int nameIndex, int value)
{
    return WriteProfileInt(GetConstString(sectionIndex), GetConstString(nameIndex), value);
}

bool WriteProfileString(const QString &section, const QString &name, const QString &value)
{
    return CProfile::Instance().WriteString(section, name, value);
}

bool WriteProfileString(int sectionIndex, int nameIndex, const QString &value)
{
    return WriteProfileString(GetConstString(sectionIndex), GetConstString(nameIndex), value);
}

bool WriteProfileBinary(const QString &section, const QString &name, const QByteArray &data)
{
    return CProfile::Instance().WriteBinary(section, name, data);
}

bool WriteProfileBinary(int sectionIndex, int nameIndex, const QByteArray &data)
{
    return WriteProfileBinary(GetConstString(sectionIndex), GetConstString(nameIndex), data);
}

bool WriteProfileIntIfUnset(const QString &section, const QString &name, int value, bool onlyIfUnset)
{
    return CProfile::Instance().WriteIntIfUnset(section, name, value, onlyIfUnset);
}

bool WriteProfileStringIfUnset(const QString &section, const QString &name, const QString &value,
                               bool onlyIfUnset)
{
    return CProfile::Instance().WriteStringIfUnset(section, name, value, onlyIfUnset);
}

QString GetPrintingSection(int printStyleId)
{
    int section = ConstName::Details;
    switch (printStyleId) {
    case 64:
        section = ConstName::Memo;
        break;
    case 257:
        section = ConstName::Day;
        break;
    case 258:
        section = ConstName::MDay;
        break;
    case 259:
        section = ConstName::Week;
        break;
    case 260:
        section = ConstName::Month;
        break;
    case 261:
        section = ConstName::Year;
        break;
    case 262:
        section = ConstName::List;
        break;
    default:
        break;
    }
    return GetConstString(ConstName::Printing) + QLatin1Char('\\') + GetConstString(section);
}
