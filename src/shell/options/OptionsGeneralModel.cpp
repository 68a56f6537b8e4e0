// The General page's values.
#include "shell/options/OptionsGeneralModel.h"

#include "core/dates/WeekRules.h"
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "shell/FirstRunDefaults.h"
#include "shell/HotKeySet.h"
#include "shell/options/HotKeyCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString Common()
{
    return GetConstString(ConstName::Common);
}

QString QuotedExec(const QString &programPath)
{
    QString quoted = programPath;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + quoted + u'"';
}

// The system error of a start-up entry that could not be written.
std::uint32_t AutostartWriteError()
{
    const QFileInfo folder(QFileInfo(CFirstRunDefaults::AutostartFilePath()).path());
    if (folder.exists() && !folder.isDir())
        return 3; // the path is not a folder
    return 5;     // the folder or the entry refuses writing
}

} // namespace

const std::array<int, 5> &COptionsGeneralModel::HotKeyOrder()
{
    static const std::array<int, 5> order = {HotKeyId::Restore, HotKeyId::NewEvent, HotKeyId::NewTask,
                                             HotKeyId::StopSounds, HotKeyId::MinimiseReminders};
    return order;
}

int COptionsGeneralModel::PackWorkDays(const std::array<bool, 7> &days)
{
    int mask = 0;
    for (int i = 0; i < 7; ++i)
        if (days[std::size_t(i)])
            mask |= 1 << i;
    return mask;
}

std::array<bool, 7> COptionsGeneralModel::UnpackWorkDays(int mask)
{
    std::array<bool, 7> days{};
    for (int i = 0; i < 7; ++i)
        days[std::size_t(i)] = (mask & (1 << i)) != 0;
    return days;
}

bool COptionsGeneralModel::AutostartStarts(const QString &programPath)
{
    QFile file(CFirstRunDefaults::AutostartFilePath());
    if (programPath.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    const QString wanted = QStringLiteral("Exec=") + QuotedExec(programPath);
    while (!in.atEnd())
        if (in.readLine().trimmed() == wanted)
            return true;
    return false;
}

void COptionsGeneralModel::Load(const AppSettings &live, const QString &programPath)
{
    State &s = m_state;
    s.weekOfYearRule = std::clamp(live.weekOfYearRule, 0, 2);
    s.firstDayOfWeek = std::clamp(live.firstDayOfWeek, 0, 6);
    s.workDays = UnpackWorkDays(live.workDays);
    s.startHour = live.workStart >> 16;
    s.startMinute = live.workStart & 0xFFFF;
    s.endHour = live.workEnd >> 16;
    s.endMinute = live.workEnd & 0xFFFF;
    s.startWithSystemAvailable = !programPath.isEmpty() && QFileInfo(programPath).isFile();
    s.startWithSystem = s.startWithSystemAvailable && AutostartStarts(programPath);
    s.showMainWindow = GetProfileInt(Common(), GetConstString(ConstName::HMW), 0) == 0;
    const int view = GetProfileInt(Common(), QStringLiteral("SView"), 0);
    s.startupView = view > 7 ? kViewCount : std::max(view, 0);
    for (std::size_t i = 0; i < HotKeyOrder().size(); ++i)
        s.hotKeys[i] =
            std::uint16_t(GetProfileInt(Common(), CHotKeySet::ValueName(HotKeyOrder()[i]), 0) & 0xFFFF);
    m_loaded = s;
}

std::array<bool, 7> COptionsGeneralModel::GetBoxChecks() const
{
    std::array<bool, 7> checks{};
    for (int box = 0; box < 7; ++box)
        checks[std::size_t(box)] = m_state.workDays[std::size_t(BoxToDay(box, m_state.firstDayOfWeek))];
    return checks;
}

void COptionsGeneralModel::SetBoxChecks(const std::array<bool, 7> &checks)
{
    for (int box = 0; box < 7; ++box)
        m_state.workDays[std::size_t(BoxToDay(box, m_state.firstDayOfWeek))] = checks[std::size_t(box)];
}

void COptionsGeneralModel::ChangeFirstDay(int firstDayOfWeek, const std::array<bool, 7> &checks)
{
    SetBoxChecks(checks);
    m_state.firstDayOfWeek = std::clamp(firstDayOfWeek, 0, 6);
}

COptionsGeneralModel::TimeCheck COptionsGeneralModel::CheckTimes(bool startRead, int startHour,
                                                                 int startMinute, bool endRead, int endHour,
                                                                 int endMinute)
{
    if (!startRead)
        return TimeCheck::BadStart;
    if (!endRead)
        return TimeCheck::BadEnd;
    if (startHour * 60 + startMinute > endHour * 60 + endMinute)
        return TimeCheck::EndBeforeStart;
    return TimeCheck::Ok;
}

COptionsGeneralModel::ApplyResult COptionsGeneralModel::Apply(AppSettings &live, CHotKeySet *hotKeys,
                                                              const QString &programPath)
{
    ApplyResult result;
    const State &s = m_state;
    const int workDays = PackWorkDays(s.workDays);
    const int start = AppSettings::PackTime(s.startHour, s.startMinute);
    const int end = AppSettings::PackTime(s.endHour, s.endMinute);
    if (s.weekOfYearRule != live.weekOfYearRule || s.firstDayOfWeek != live.firstDayOfWeek ||
        workDays != live.workDays || start != live.workStart || end != live.workEnd) {
        result.refreshViews = true;
        result.layOutAgain = true;
    }

    live.workDays = workDays;
    live.weekOfYearRule = s.weekOfYearRule;
    live.firstDayOfWeek = s.firstDayOfWeek;
    live.workStart = start;
    live.workEnd = end;
    ApplyCalendarRules(live);
    WriteProfileInt(ConstName::Common, ConstName::WD, workDays);
    WriteProfileInt(ConstName::Common, ConstName::FWOY, s.weekOfYearRule);
    WriteProfileInt(ConstName::Common, ConstName::FDOW, s.firstDayOfWeek);
    WriteProfileInt(ConstName::Common, ConstName::WTS, start);
    WriteProfileInt(ConstName::Common, ConstName::WTE, end);
    WriteProfileInt(ConstName::Common, ConstName::HMW, s.showMainWindow ? 0 : 1);
    WriteProfileInt(Common(), QStringLiteral("SView"), s.startupView);

    // Keys that did not change are held (or were refused) since start-up already.
    if (hotKeys)
        for (std::size_t i = 0; i < HotKeyOrder().size(); ++i) {
            const int id = HotKeyOrder()[i];
            if (s.hotKeys[i] == m_loaded.hotKeys[i])
                continue;
            if (hotKeys->ChangeHotKey(id, s.hotKeys[i]))
                m_loaded.hotKeys[i] = s.hotKeys[i];
            else
                result.refusedHotKeys.append(CHotKeyCodec::ToText(s.hotKeys[i]));
        }

    if (s.startWithSystem && s.startWithSystemAvailable) {
        if (!CFirstRunDefaults::WriteAutostartEntry(programPath)) {
            m_state.startWithSystem = false;
            result.autostartError = AutostartWriteError();
            result.ok = false;
        }
    } else {
        CFirstRunDefaults::RemoveAutostartEntry();
    }
    CProfile::Instance().Sync();
    return result;
}
