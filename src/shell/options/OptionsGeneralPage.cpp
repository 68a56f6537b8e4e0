// The General page.
#include "shell/options/OptionsGeneralPage.h"

#include "core/system/Messages.h"
#include "editing/base/SectionHeading.h"
#include "shell/options/HotKeyEdit.h"
#include "toolkit/controls/TimeComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

// Qt numbers the days 1 Monday .. 7 Sunday; the work-day table 0 Sunday .. 6 Saturday.
int QtDayOfTableDay(int tableDay)
{
    return tableDay == 0 ? 7 : tableDay;
}

QLabel *Buddy(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

} // namespace

COptionsGeneralPage::COptionsGeneralPage(const AppSettings &live, const QString &programPath, QWidget *parent)
    : CPropertyPage(tr("General"), parent)
{
    m_model.Load(live, programPath);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);

    QLabel *workWeek = CSectionHeading::Create(tr("Work w&eek and time"), this);
    column->addWidget(workWeek);
    auto *days = new QHBoxLayout;
    days->setContentsMargins(12, 0, 0, 0);
    for (auto &box : m_days) {
        box = new QCheckBox(this);
        days->addWidget(box);
    }
    days->addStretch(1);
    workWeek->setBuddy(m_days[0]);
    column->addLayout(days);

    auto *week = new QGridLayout;
    week->setContentsMargins(12, 0, 0, 0);
    week->setHorizontalSpacing(8);
    m_firstDay = new QComboBox(this);
    const QLocale locale;
    for (int day = 1; day <= 7; ++day)
        m_firstDay->addItem(locale.dayName(day, QLocale::LongFormat));
    m_weekRule = new QComboBox(this);
    m_weekRule->addItems({tr("Starts on Jan 1"), tr("First 4-day week"), tr("First full week")});
    m_start = new CTimeComboBox(this);
    m_end = new CTimeComboBox(this, true);
    week->addWidget(Buddy(tr("First day of &week:"), m_firstDay, this), 0, 0);
    week->addWidget(m_firstDay, 0, 1);
    week->addWidget(Buddy(tr("&Start time:"), m_start, this), 0, 3);
    week->addWidget(m_start, 0, 4);
    week->addWidget(Buddy(tr("First week of &year:"), m_weekRule, this), 1, 0);
    week->addWidget(m_weekRule, 1, 1);
    week->addWidget(Buddy(tr("End t&ime:"), m_end, this), 1, 3);
    week->addWidget(m_end, 1, 4);
    week->setColumnMinimumWidth(2, 16);
    week->setColumnStretch(5, 1);
    column->addLayout(week);
    column->addSpacing(6);

    column->addWidget(CSectionHeading::Create(tr("Startup options"), this));
    auto *startup = new QGridLayout;
    startup->setContentsMargins(12, 0, 0, 0);
    m_loadOnStartup = new QCheckBox(tr("&Load program on startup"), this);
    m_showMainWindow = new QCheckBox(tr("S&how main window on startup"), this);
    m_startupView = new QComboBox(this);
    m_startupView->addItems({tr("Last opened view"), tr("Day view"), tr("Multi-day view"), tr("Week view"),
                             tr("Month view"), tr("Year view"), tr("Event List"), tr("Tasks")});
    startup->addWidget(m_loadOnStartup, 0, 0, 1, 2);
    startup->addWidget(m_showMainWindow, 1, 0, 1, 2);
    startup->addWidget(Buddy(tr("Start&up in:"), m_startupView, this), 0, 3);
    startup->addWidget(m_startupView, 0, 4);
    startup->setColumnMinimumWidth(2, 16);
    startup->setColumnStretch(5, 1);
    column->addLayout(startup);
    column->addSpacing(6);

    column->addWidget(CSectionHeading::Create(tr("Keyboard shortcuts"), this));
    auto *keys = new QGridLayout;
    keys->setContentsMargins(12, 0, 0, 0);
    keys->setHorizontalSpacing(8);
    const QString labels[] = {tr("Show the &main window:"), tr("Create a new e&vent:"),
                              tr("Create a new &task:"), tr("Stop active sou&nd:"),
                              tr("Minimize/Restore &all reminders:")};
    for (int i = 0; i < 5; ++i) {
        m_hotKeys[std::size_t(i)] = new CHotKeyEdit(this);
        m_hotKeys[std::size_t(i)]->setMinimumWidth(150);
        keys->addWidget(Buddy(labels[i], m_hotKeys[std::size_t(i)], this), i, 0);
        keys->addWidget(m_hotKeys[std::size_t(i)], i, 1);
    }
    keys->setColumnStretch(2, 1);
    column->addLayout(keys);
    column->addStretch(1);

    connect(m_firstDay, &QComboBox::currentIndexChanged, this, &COptionsGeneralPage::OnFirstDayChanged);
}

void COptionsGeneralPage::LabelDays()
{
    const QLocale locale;
    const auto checks = m_model.GetBoxChecks();
    for (int box = 0; box < 7; ++box) {
        const int day = COptionsGeneralModel::BoxToDay(box, m_model.GetState().firstDayOfWeek);
        m_days[std::size_t(box)]->setText(locale.dayName(QtDayOfTableDay(day), QLocale::ShortFormat));
        m_days[std::size_t(box)]->setChecked(checks[std::size_t(box)]);
    }
}

std::array<bool, 7> COptionsGeneralPage::ReadBoxes() const
{
    std::array<bool, 7> checks{};
    for (int box = 0; box < 7; ++box)
        checks[std::size_t(box)] = m_days[std::size_t(box)]->isChecked();
    return checks;
}

void COptionsGeneralPage::OnFirstDayChanged(int index)
{
    if (m_filling || index < 0)
        return;
    m_model.ChangeFirstDay(index, ReadBoxes());
    LabelDays();
}

void COptionsGeneralPage::OnSetActive()
{
    const bool first = !WasShown();
    CPropertyPage::OnSetActive();
    if (!first)
        return;
    const auto &s = m_model.GetState();
    m_filling = true;
    m_firstDay->setCurrentIndex(s.firstDayOfWeek);
    m_filling = false;
    LabelDays();
    m_weekRule->setCurrentIndex(s.weekOfYearRule);
    m_start->SetTime(CDateTime(1899, 12, 30, s.startHour, s.startMinute));
    m_end->SetTime(CDateTime(1899, 12, 30, s.endHour, s.endMinute));
    m_loadOnStartup->setChecked(s.startWithSystem);
    m_loadOnStartup->setEnabled(s.startWithSystemAvailable);
    m_showMainWindow->setChecked(s.showMainWindow);
    m_startupView->setCurrentIndex(std::min(s.startupView, m_startupView->count() - 1));
    for (std::size_t i = 0; i < m_hotKeys.size(); ++i)
        m_hotKeys[i]->SetWord(s.hotKeys[i]);
}

bool COptionsGeneralPage::OnKillActive()
{
    auto &s = m_model.GetState();
    s.weekOfYearRule = m_weekRule->currentIndex();
    m_model.SetBoxChecks(ReadBoxes());
    m_start->CommitText();
    m_end->CommitText();
    CDateTime start, end;
    const bool startRead = m_start->GetTime(start);
    const bool endRead = m_end->GetTime(end);
    using C = COptionsGeneralModel::TimeCheck;
    const C check = COptionsGeneralModel::CheckTimes(
        startRead, startRead ? start.GetHour() : 0, startRead ? start.GetMinute() : 0, endRead,
        endRead ? end.GetHour() : 0, endRead ? end.GetMinute() : 0);
    if (check != C::Ok) {
        CTimeComboBox *field = check == C::BadStart ? m_start : m_end;
        field->setFocus();
        ShowWarningText(check == C::EndBeforeStart
                            ? tr("The end time you entered occurs before the start time.")
                            : tr("Please specify a valid time."),
                        this);
        return false;
    }
    s.startHour = start.GetHour();
    s.startMinute = start.GetMinute();
    s.endHour = end.GetHour();
    s.endMinute = end.GetMinute();
    s.startWithSystem = m_loadOnStartup->isChecked();
    s.showMainWindow = m_showMainWindow->isChecked();
    s.startupView = m_startupView->currentIndex();
    for (std::size_t i = 0; i < m_hotKeys.size(); ++i)
        s.hotKeys[i] = m_hotKeys[i]->GetWord();
    return true;
}

void COptionsGeneralPage::UpdateStartupBox()
{
    m_loadOnStartup->setChecked(m_model.GetState().startWithSystem);
}
