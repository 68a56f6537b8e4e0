// The defaults a new installation writes.
#include "shell/FirstRunDefaults.h"

#include "core/dates/DateRules.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "core/system/ProgramPaths.h"
#include "core/system/StringTable.h"
#include "shell/SampleCalendar.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr int kDefaultCalendarNameId = 59321; // "Personal Calendar"

struct IntDefault
{
    const char *section;
    const char *name;
    int value;
    bool onlyIfUnset;
};

struct TextDefault
{
    const char *section;
    const char *name;
    const char *value;
};

// In the order they are written; texts are all written only when unset.
constexpr IntDefault kIntDefaults[] = {
    {"Common", "FT", 1, true},
    {"Common", "AU", 1, false},
    {"Common", "WD", 62, true},
    {"Common", "TDDS", 1, true},
    {"Common", "TDDN", 0, true},
    {"Day", "SI", 1, true},
    {"Day", "ST", 1, true},
    {"Day", "ET", 1, true},
    {"Day", "SN", 1, true},
    {"MDay", "ST", 1, true},
    {"MDay", "CB3", 0xCBD8D0, true},
    {"MDay", "SN", 1, true},
    {"Week", "ST", 1, true},
    {"Week", "ET", 1, true},
    {"Week", "OS", 0, true},
    {"Week", "CB3", 0xCFE6D8, true},
};

constexpr const char *kDateTimeFooter = "[Current Date] [Current Time]";

void WritePrintDefaults(CProfile &profile)
{
    auto text = [&](const char *section, const char *name, const char *value) {
        profile.WriteStringIfUnset(QString::fromLatin1(section), QString::fromLatin1(name),
                                   QString::fromLatin1(value), true);
    };
    auto number = [&](const char *section, const char *name, int value) {
        profile.WriteIntIfUnset(QString::fromLatin1(section), QString::fromLatin1(name), value, true);
    };
    text("Printing\\Day", "FR", kDateTimeFooter);
    number("Printing\\Day", "Orient", 1);
    number("Printing\\Week", "PE", 1);
    text("Printing\\Week", "FR", kDateTimeFooter);
    number("Printing\\Week", "Orient", 1);
    number("Printing\\Week", "OS", 0);
    text("Printing\\Month", "FR", kDateTimeFooter);
    number("Printing\\Month", "Orient", 1);
    number("Printing\\Month", "PC", 0);
    number("Printing\\Month", "PT", 1);
    number("Printing\\Month", "PE", 0);
    number("Printing\\Month", "OS", 0);
    number("Printing\\Year", "Orient", 2);
    text("Printing\\List", "FC", "[Page #]");
    text("Printing\\List", "FR", kDateTimeFooter);
    number("Printing\\List", "Orient", 1);
    text("Printing\\Details", "FR", kDateTimeFooter);
    for (const char *name : {"Orient", "PT", "PE", "SN"})
        number("Printing\\Details", name, 1);
    text("Printing\\Memo", "FR", kDateTimeFooter);
    for (const char *name : {"Orient", "PT", "PE", "IT", "CG", "SN"})
        number("Printing\\Memo", name, 1);
}

constexpr const char *kStarterSounds[] = {
    "Tinkle.wav",  "Siren2.wav",   "Rooster.wav", "Reville.wav", "Notify.wav",
    "Mac.wav",     "Fanfare3.wav", "Error.wav",   "Doorbl.wav",  "Cosmicl.wav",
    "Connect.wav", "Boing.wav",    "Beep.wav",    "Alert.wav",   "Alarm.wav",
}; // Item1 .. Item15

void FillRecentSounds(CProfile &profile)
{
    const QString section = GetConstString(ConstName::RecentSounds);
    for (int i = 15; i >= 1; --i) {
        QString path;
        if (!GetProgramFolder(GetConstString(ConstName::FolderSounds), QString::fromLatin1(kStarterSounds[i - 1]),
                              path))
            continue;
        profile.WriteStringIfUnset(section, QStringLiteral("Item%1").arg(i), path, true);
    }
}

} // namespace

namespace {
QString g_autostartFolder;
} // namespace

void CFirstRunDefaults::SetAutostartFolder(const QString &folder)
{
    g_autostartFolder = folder;
}

QString CFirstRunDefaults::AutostartFilePath()
{
    const QString folder = g_autostartFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                     QStringLiteral("/autostart")
                               : g_autostartFolder;
    return folder + QStringLiteral("/tessivo.desktop");
}

bool CFirstRunDefaults::WriteAutostartEntry(const QString &programPath)
{
    const QString path = AutostartFilePath();
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString quoted = programPath;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=\"%2\"\n"
                                         "Icon=tessivo\nTerminal=false\nX-GNOME-Autostart-enabled=true\n")
                              .arg(GetConstString(ConstName::ProgramName), quoted);
    file.write(entry.toUtf8());
    return file.commit();
}

bool CFirstRunDefaults::RemoveAutostartEntry()
{
    const QString path = AutostartFilePath();
    return !QFile::exists(path) || QFile::remove(path);
}

QString CFirstRunDefaults::SampleDataFilePath()
{
    return GetDataFolder() + QStringLiteral("/calendar.qv0");
}

int ApplyFirstRunDefaults(CProfile &profile)
{
    const QString installStamp = GetInstallValue(QStringLiteral("Stamp"));
    if (installStamp.isEmpty())
        return 0;
    const QString common = GetConstString(ConstName::Common);
    const QString userStamp = profile.GetString(common, QStringLiteral("Stamp"));
    if (userStamp == installStamp)
        return 0;

    for (const IntDefault &d : kIntDefaults)
        profile.WriteIntIfUnset(QString::fromLatin1(d.section), QString::fromLatin1(d.name), d.value, d.onlyIfUnset);
    WritePrintDefaults(profile);
    if (userStamp.isEmpty())
        FillRecentSounds(profile);

    const QString program = GetProgramFilePath();
    if (!program.isEmpty())
        CFirstRunDefaults::WriteAutostartEntry(program);

    const QString sample = CFirstRunDefaults::SampleDataFilePath();
    CreateSampleDataFile(sample, LoadResString(kDefaultCalendarNameId), GetToday());
    profile.WriteStringIfUnset(common, GetConstString(ConstName::L0), sample, true);

    const QString versionText = QStringLiteral(TESSIVO_VERSION ".0.0");
    profile.WriteStringIfUnset(QStringLiteral("Install"), versionText, installStamp, true);
    profile.WriteString(common, QStringLiteral("Stamp"), installStamp);
    profile.Sync();
    return 1;
}
