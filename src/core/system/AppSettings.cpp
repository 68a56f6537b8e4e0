// Loading the program-wide settings with their defaults and limits.
#include "core/system/AppSettings.h"
#include "core/dates/WeekRules.h"

#include "core/system/ConstStrings.h"
#include "core/system/OptionalLibraries.h"
#include "core/system/Profile.h"
#include "core/system/SystemUtilities.h"

#include <QLocale>
#include <QString>
#include <cstdint>

#if defined(__GLIBC__)
#include <langinfo.h>
#include <locale.h>
#endif

namespace {
constexpr std::uint32_t kMaxDurationMinutes = 720;
constexpr std::uint32_t kMaxLeadMinutes = 527040; // 366 days
constexpr int kMinCascade = 4;
constexpr int kMaxCascade = 62;
constexpr std::uint32_t kTimeLimit = 0x180000; // hour 24

// The C library's minimal number of days in week 1 for the locale, when it knows the locale.
std::optional<int> MinimalDaysInFirstWeek(const QLocale &locale)
{
#if defined(__GLIBC__)
    const QString name = locale.name();
    for (const QString &candidate : {name + QStringLiteral(".UTF-8"), name + QStringLiteral(".utf8"), name}) {
        const locale_t loc = newlocale(LC_TIME_MASK, candidate.toUtf8().constData(), locale_t(nullptr));
        if (!loc)
            continue;
        const char *days = nl_langinfo_l(_NL_TIME_WEEK_1STWEEK, loc);
        const int value = days ? static_cast<unsigned char>(days[0]) : 0;
        freelocale(loc);
        if (value >= 1 && value <= 7)
            return value;
    }
#else
    Q_UNUSED(locale);
#endif
    return std::nullopt;
}

bool ValidWorkTime(std::uint32_t start, std::uint32_t end)
{
    return start <= end && (start & 0xFFFF) < 60 && (end & 0xFFFF) < 60 && start < kTimeLimit &&
           end < kTimeLimit;
}

int ClampCascade(int value)
{
    return value < kMinCascade ? kMinCascade : (value > kMaxCascade ? kMaxCascade : value);
}

class CommonReader
{
  public:
    explicit CommonReader(const CProfile &profile)
        : m_profile(profile), m_section(GetConstString(ConstName::Common))
    {
    }
    int Int(int nameIndex, int defaultValue) const
    {
        return m_profile.GetInt(m_section, GetConstString(nameIndex), defaultValue);
    }
    std::uint32_t Word(int nameIndex, int defaultValue) const
    {
        return static_cast<std::uint32_t>(Int(nameIndex, defaultValue));
    }

  private:
    const CProfile &m_profile;
    QString m_section;
};
} // namespace

LocaleWeekInfo LocaleWeekInfo::FromLocale(const QLocale &locale)
{
    LocaleWeekInfo info;
    info.firstDayOfWeek = LocaleFirstDayOfWeek(locale);
    if (const std::optional<int> days = MinimalDaysInFirstWeek(locale)) {
        if (*days <= 1)
            info.firstWeekOfYear = 0;
        else if (*days >= 7)
            info.firstWeekOfYear = 1;
        else
            info.firstWeekOfYear = 2;
    } else {
        // The C library does not know the locale (none generated): the territory decides.
        info.firstWeekOfYear = LocaleWeekOfYearRule(locale) == kWeekFirstFourDays ? 2 : 0;
    }
    return info;
}

int DefaultFirstDayOfWeek(const LocaleWeekInfo &locale)
{
    if (!locale.firstDayOfWeek || *locale.firstDayOfWeek < 0)
        return 0;
    return *locale.firstDayOfWeek > 6 ? 6 : *locale.firstDayOfWeek;
}

int DefaultWeekOfYearRule(const LocaleWeekInfo &locale)
{
    if (!locale.firstWeekOfYear || *locale.firstWeekOfYear < 0)
        return 0;
    switch (*locale.firstWeekOfYear) {
    case 0:
        return 0;
    case 1:
        return 2;
    default:
        return 1;
    }
}

AppSettingsEnvironment AppSettingsEnvironment::FromSystem(bool noHideSwitch)
{
    AppSettingsEnvironment env;
    env.locale = LocaleWeekInfo::FromLocale(QLocale());
    env.noHideSwitch = noHideSwitch;
    env.compositionOn = IsVistaOrLater() && IsCompositionEnabled();
    return env;
}

void AppSettings::Load(const CProfile &profile, const AppSettingsEnvironment &env)
{
    const CommonReader common(profile);
    using namespace ConstName;

    soundOn = common.Int(SoundE, 1);
    workDays = common.Int(WD, 127) & 0x7F;
    const std::uint32_t weekRule = common.Word(FWOY, DefaultWeekOfYearRule(env.locale));
    weekOfYearRule = weekRule > 2 ? 2 : static_cast<int>(weekRule);
    const std::uint32_t firstDay = common.Word(FDOW, DefaultFirstDayOfWeek(env.locale));
    firstDayOfWeek = firstDay > 6 ? 6 : static_cast<int>(firstDay);
    hideWhenMinimised = common.Int(MWHM, 0);
    exitOnClose = common.Int(MWMX, 0);
    hideDeleteForRecurring = common.Int(HDB, 0);
    remindersTopmost = common.Int(AOT, 0);
    remindersTakeFocus = common.Int(GTF, 0);
    bringRemindersToTop = remindersTakeFocus ? 0 : common.Int(BTT, 1);
    askOccurrenceOnOpen = common.Int(ASQO, 1);
    askOccurrenceOnOpenTask = common.Int(ASQOT, 0);
    confirmMove = common.Int(ASQM, 0);
    confirmDelete = common.Int(ASQD, 1);
    skipMinimisedReminders = common.Int(SMR, 1);
    newEventsAllDay = common.Int(NEAD, 0);
    newItemsWithoutReminder = common.Int(NNF, 0);
    followSessionChanges = common.Int(UFUS, 1);
    alternateTrayIcons = common.Int(OTI, 0);

    const std::uint32_t start = common.Word(WTS, workStart);
    const std::uint32_t end = common.Word(WTE, workEnd);
    if (ValidWorkTime(start, end)) {
        workStart = static_cast<int>(start);
        workEnd = static_cast<int>(end);
    }

    timeRangeTexts = common.Int(ALA, 1);
    detailedItems = common.Int(SN, 1);
    if (env.noHideSwitch)
        noHide = 1;
    else
        noHide = common.Int(NoHide, 0);
    openReadOnly = common.Int(OROA, 0);
    ReloadCaptionSetting(profile, env.compositionOn);
    stopSoundAllowed = common.Int(USB, 1);
    itemTypeMenusFirst = common.Int(UAM, 0);
    tasksOverStartToDue = common.Int(STSD, 1);

    std::uint32_t duration = common.Word(DD, 30);
    duration = duration == 0 ? 1 : (duration > kMaxDurationMinutes ? kMaxDurationMinutes : duration);
    defaultDurationMinutes = static_cast<int>(duration);
    std::uint32_t lead = common.Word(DS, 15);
    lead = lead == 0 ? 1 : (lead > kMaxLeadMinutes ? kMaxLeadMinutes : lead);
    defaultLeadMinutes = static_cast<int>(lead);

    nonWorkDayTextColour = common.Int(UWITC, 0);
    nonWorkDayShadow = common.Int(UWSHC, 0);
    typePrefixShortcut = common.Int(U3L, 0);
    eventListFlag = common.Int(UCLW, 1);
    reminderCascadeX = ClampCascade(common.Int(RWCX, 38));
    reminderCascadeY = ClampCascade(common.Int(RWCY, 19));
    remindersOnOtherMonitor = common.Int(RWCM, 0);
    reminderMonitor = common.Int(RWCN, 1);
}

void AppSettings::ReloadCaptionSetting(const CProfile &profile, bool compositionOn)
{
    subjectInCaption = CommonReader(profile).Int(ConstName::STB, compositionOn ? 0 : 1);
}

void ApplyCalendarRules(const AppSettings &settings)
{
    SetWorkWeekMask(settings.workDays);
    SetFirstDayOfWeek(settings.firstDayOfWeek);
    SetWeekOfYearRule(settings.weekOfYearRule);
}

AppSettings &ProgramSettings()
{
    static AppSettings settings;
    return settings;
}
