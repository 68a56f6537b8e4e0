// One fuzz input for the settings readers, shared by the fuzz target and the test that replays
// the inputs kept under tests/data/fuzz-settings: the bytes are the settings file itself (INI
// text as the settings layer keeps it). Every value is read as a number, a text and a binary
// value, then the program-wide settings and the fonts are loaded from it; whatever the file
// holds, the loaded values must keep their limits.
#pragma once

#include "core/lists/LogFont.h"
#include "core/system/AppSettings.h"
#include "core/system/Profile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace SettingsFuzz {

// A settings file that uses what the program writes: numbers, texts, a font record and a
// binary value, in the sections the program keeps them in.
inline QByteArray Seed()
{
    return QByteArray("[Common]\n"
                      "WD=62\nFDOW=0\nFWOY=2\nWTS=524288\nWTE=1114112\nDD=45\nDS=10\nRWCX=38\n"
                      "L0=/home/user/calendar.qvd\n"
                      "[Month]\nFont=@ByteArray(\\xf8\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0"
                      "\\x90\\x1\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0Sans\\0)\nSM=1\nSW=5\n"
                      "[Event%20List]\nSizes=@ByteArray(\\x1\\0\\0\\0d\\0\\0\\0)\n");
}

// The values Load keeps inside their limits whatever was stored.
inline const char *CheckLimits(const AppSettings &s)
{
    if (s.firstDayOfWeek < 0 || s.firstDayOfWeek > 6)
        return "first day of the week out of range";
    if (s.weekOfYearRule < 0 || s.weekOfYearRule > 2)
        return "week-number rule out of range";
    if (s.defaultDurationMinutes < 1 || s.defaultDurationMinutes > 720)
        return "default duration out of range";
    if (s.defaultLeadMinutes < 1 || s.defaultLeadMinutes > 527040)
        return "default lead out of range";
    if (s.reminderCascadeX < 4 || s.reminderCascadeX > 62 || s.reminderCascadeY < 4 || s.reminderCascadeY > 62)
        return "reminder cascade out of range";
    if ((s.workStart & 0xFFFF) >= 60 || (s.workEnd & 0xFFFF) >= 60 || s.workStart > s.workEnd ||
        s.workStart < 0 || (s.workEnd >> 16) > 24)
        return "work time out of range";
    return nullptr;
}

// Runs one input; returns a description of the first broken rule, or null.
inline const char *RunInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("tessivo-settings-fuzz-%1.ini").arg(qint64(::getpid())));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return nullptr; // nothing to test without a file
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    CProfile::UseIniFile(path);
    const char *problem = nullptr;
    {
        CProfile &profile = CProfile::Instance();
        QSettings raw(path, QSettings::IniFormat);
        const QStringList keys = raw.allKeys();
        for (const QString &key : keys) {
            const qsizetype slash = key.lastIndexOf(QLatin1Char('/'));
            const QString section = slash < 0 ? QString() : key.left(slash);
            const QString name = key.mid(slash + 1);
            profile.GetInt(section, name, 7);
            profile.GetString(section, name, QStringLiteral("default"));
            QByteArray binary;
            profile.GetBinary(section, name, binary);
            profile.HasValue(section, name);
        }
        AppSettings settings;
        AppSettingsEnvironment env;
        settings.Load(profile, env);
        problem = CheckLimits(settings);
        settings.ReloadCaptionSetting(profile, true);
        for (const char *section : {"Month", "Day", "Week", "Year", "Event List", "Printing\\Day"}) {
            const LogFont font = LoadFontSettingPoints(QString::fromLatin1(section), QStringLiteral("Font"), 8);
            if (!problem && font.faceName[LogFont::kFaceSize - 1] != '\0')
                problem = "font face name not terminated";
        }
    }
    return problem;
}

} // namespace SettingsFuzz
