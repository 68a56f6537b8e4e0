// The Event Recurrence dialog's window.
#include "editing/event/EventRecurrenceDlg.h"

#include "editing/base/DialogSupport.h"
#include "editing/base/EditorFields.h"
#include "editing/base/RecurrenceFields.h"
#include "editing/base/SectionHeading.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace RecurrenceFields;

CEventRecurrenceDlg::CEventRecurrenceDlg(CEventItem &event, bool readOnly, QWidget *parent)
    : QDialog(parent), m_model(event, readOnly)
{
    setWindowTitle(tr("Event Recurrence"));
    setObjectName(QStringLiteral("EventRecurrenceDlg"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildTimeGroup());
    layout->addWidget(BuildPatternGroup());
    layout->addWidget(BuildRangeGroup());

    auto *buttons = MakeDialogButtons(this, m_model.CanRemove(), readOnly, [this] {
        m_model.RemoveRecurrence();
        QDialog::accept();
    });
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Load();
    if (readOnly)
        buttons->button(QDialogButtonBox::Cancel)->setFocus();
    ApplyReadingOrder(this);
}

QWidget *CEventRecurrenceDlg::BuildTimeGroup()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(CSectionHeading::Create(tr("Event time"), box), 0, 0, 1, 6);
    m_startTime = CEditorFields::CreateTimeField(box, QStringLiteral("startTime"));
    m_endTime = CEditorFields::CreateTimeField(box, QStringLiteral("endTime"));
    m_duration = CEditorFields::CreateDurationField(box, QStringLiteral("duration"), false);
    auto add = [&](int column, const QString &text, QWidget *field) {
        auto *label = new QLabel(text, box);
        label->setBuddy(field);
        grid->addWidget(label, 1, column);
        grid->addWidget(field, 1, column + 1);
    };
    add(0, tr("S&tart:"), m_startTime);
    add(2, tr("E&nd:"), m_endTime);
    add(4, tr("D&uration:"), m_duration);
    CEditorFields::OnChanged(m_startTime, this, [this] {
        m_model.SetStartTime(CEditorFields::GetTime(m_startTime));
        CEditorFields::SetTime(m_endTime, m_model.Form().endTime);
    });
    CEditorFields::OnChanged(m_endTime, this, [this] {
        m_model.SetEndTime(CEditorFields::GetTime(m_endTime));
        CEditorFields::SetDuration(m_duration, m_model.Form().duration);
    });
    CEditorFields::OnChanged(m_duration, this, [this] {
        CDateSpan span;
        if (CEditorFields::GetDuration(m_duration, span)) {
            m_model.SetDuration(span);
            CEditorFields::SetTime(m_endTime, m_model.Form().endTime);
        }
    });
    return box;
}

QWidget *CEventRecurrenceDlg::BuildPatternGroup()
{
    auto *box = new QWidget(this);
    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(0, 0, 0, 0);
    QButtonGroup *group = nullptr;
    m_pages = AddPeriodPicker(box, outer, m_periods, group);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.ChoosePeriod(PeriodAt(id));
        Load();
    });

    // Daily.
    auto *daily = new QWidget(m_pages);
    auto *dl = new QHBoxLayout(daily);
    m_dailyEvery = NumberField(daily, "dailyEvery", 3);
    dl->addWidget(new QLabel(tr("Every"), daily));
    dl->addWidget(m_dailyEvery);
    dl->addWidget(new QLabel(tr("day(s)"), daily));
    dl->addStretch();
    m_pages->addWidget(daily);

    // Weekly: the boxes follow the locale's first day of the week.
    auto *weekly = new QWidget(m_pages);
    auto *wl = new QGridLayout(weekly);
    m_weeklyEvery = NumberField(weekly, "weeklyEvery", 2);
    auto *everyRow = new QHBoxLayout;
    everyRow->addWidget(new QLabel(tr("Recur every"), weekly));
    everyRow->addWidget(m_weeklyEvery);
    everyRow->addWidget(new QLabel(tr("week(s) on:"), weekly));
    everyRow->addStretch();
    wl->addLayout(everyRow, 0, 0, 1, 4);
    MakeWeekdayBoxes(weekly, m_weekdays, m_weekdayOfBox);
    for (int i = 0; i < 7; ++i)
        wl->addWidget(m_weekdays[std::size_t(i)], 1 + i / 4, i % 4);
    m_pages->addWidget(weekly);

    // Monthly.
    auto *monthly = new QWidget(m_pages);
    auto *ml = new QGridLayout(monthly);
    m_monthlyDayRadio = new QRadioButton(tr("D&ay"), monthly);
    m_monthlyNthRadio = new QRadioButton(tr("Th&e"), monthly);
    m_monthlyDay = NumberField(monthly, "monthlyDay", 2);
    m_monthlyDayEvery = NumberField(monthly, "monthlyDayEvery", 2);
    m_monthlyWeek = WeekCombo(monthly, "monthlyWeek");
    m_monthlyWeekday = WeekdayCombo(monthly, "monthlyWeekday");
    m_monthlyNthEvery = NumberField(monthly, "monthlyNthEvery", 2);
    auto *r1 = new QHBoxLayout;
    r1->addWidget(m_monthlyDayRadio);
    r1->addWidget(m_monthlyDay);
    r1->addWidget(new QLabel(tr("of every"), monthly));
    r1->addWidget(m_monthlyDayEvery);
    r1->addWidget(new QLabel(tr("month(s)"), monthly));
    r1->addStretch();
    auto *r2 = new QHBoxLayout;
    r2->addWidget(m_monthlyNthRadio);
    r2->addWidget(m_monthlyWeek);
    r2->addWidget(m_monthlyWeekday);
    r2->addWidget(new QLabel(tr("of every"), monthly));
    r2->addWidget(m_monthlyNthEvery);
    r2->addWidget(new QLabel(tr("month(s)"), monthly));
    r2->addStretch();
    ml->addLayout(r1, 0, 0);
    ml->addLayout(r2, 1, 0);
    m_pages->addWidget(monthly);
    SelectsRadio(m_monthlyDayRadio, {m_monthlyDay, m_monthlyDayEvery});
    SelectsRadio(m_monthlyNthRadio, {m_monthlyWeek, m_monthlyWeekday, m_monthlyNthEvery});
    connect(m_monthlyDayEvery, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_monthlyNthEvery->setText(text); });
    connect(m_monthlyDayRadio, &QRadioButton::clicked, this, [this] {
        Gather();
        m_model.ClickMonthlyDay();
        Load();
    });

    // Yearly.
    auto *yearly = new QWidget(m_pages);
    auto *yl = new QGridLayout(yearly);
    m_yearlyDateRadio = new QRadioButton(tr("E&very"), yearly);
    m_yearlyNthRadio = new QRadioButton(tr("Th&e"), yearly);
    m_yearlyMonth = MonthCombo(yearly, "yearlyMonth");
    m_yearlyDay = NumberField(yearly, "yearlyDay", 2);
    m_yearlyWeek = WeekCombo(yearly, "yearlyWeek");
    m_yearlyWeekday = WeekdayCombo(yearly, "yearlyWeekday");
    m_yearlyNthMonth = MonthCombo(yearly, "yearlyNthMonth");
    auto *y1 = new QHBoxLayout;
    y1->addWidget(m_yearlyDateRadio);
    y1->addWidget(m_yearlyMonth);
    y1->addWidget(m_yearlyDay);
    y1->addStretch();
    auto *y2 = new QHBoxLayout;
    y2->addWidget(m_yearlyNthRadio);
    y2->addWidget(m_yearlyWeek);
    y2->addWidget(m_yearlyWeekday);
    y2->addWidget(new QLabel(tr("of"), yearly));
    y2->addWidget(m_yearlyNthMonth);
    y2->addStretch();
    m_calculateAge = new QCheckBox(tr("Calculate a&ge using start date"), yearly);
    m_calculateAge->setObjectName(QStringLiteral("calculateAge"));
    yl->addLayout(y1, 0, 0);
    yl->addLayout(y2, 1, 0);
    yl->addWidget(m_calculateAge, 2, 0);
    m_pages->addWidget(yearly);
    SelectsRadio(m_yearlyDateRadio, {m_yearlyMonth, m_yearlyDay});
    SelectsRadio(m_yearlyNthRadio, {m_yearlyWeek, m_yearlyWeekday, m_yearlyNthMonth});
    connect(m_yearlyDateRadio, &QRadioButton::clicked, this, [this] {
        Gather();
        m_model.ClickYearlyEvery();
        Load();
    });
    return box;
}

QWidget *CEventRecurrenceDlg::BuildRangeGroup()
{
    QWidget *box = MakeRangeGroup(this, tr("The pattern"), 4, m_range);
    CEditorFields::OnChanged(m_range.startDate, this, [this] {
        Gather();
        m_model.SetStartDate(CEditorFields::GetDate(m_range.startDate));
        Load();
    });
    return box;
}

void CEventRecurrenceDlg::ShowPeriod(std::uint32_t period)
{
    for (int i = 0; i < 4; ++i) {
        if (PeriodAt(i) == period) {
            m_periods[std::size_t(i)]->setChecked(true);
            m_model.ChoosePeriod(period);
            Load();
        }
    }
}

void CEventRecurrenceDlg::Load()
{
    const RecurrenceForm &f = m_model.Form();
    CEditorFields::SetTime(m_startTime, f.startTime);
    CEditorFields::SetTime(m_endTime, f.endTime);
    CEditorFields::SetDuration(m_duration, f.duration);
    ShowPeriodPage(m_periods, m_pages, f.period);
    SetNumber(m_dailyEvery, f.dailyEvery);
    SetNumber(m_weeklyEvery, f.weeklyEvery);
    ShowWeekdays(m_weekdays, m_weekdayOfBox, f.weekdays);
    (f.monthlyNth ? m_monthlyNthRadio : m_monthlyDayRadio)->setChecked(true);
    SetNumber(m_monthlyDay, f.monthlyDay);
    SetNumber(m_monthlyDayEvery, f.monthlyDayEvery);
    SetIndex(m_monthlyWeek, f.monthlyWeek);
    SetIndex(m_monthlyWeekday, f.monthlyWeekday);
    SetNumber(m_monthlyNthEvery, f.monthlyNthEvery);
    (f.yearlyNth ? m_yearlyNthRadio : m_yearlyDateRadio)->setChecked(true);
    SetIndex(m_yearlyMonth, f.yearlyMonth);
    SetNumber(m_yearlyDay, f.yearlyDay);
    SetIndex(m_yearlyWeek, f.yearlyWeek);
    SetIndex(m_yearlyWeekday, f.yearlyWeekday);
    SetIndex(m_yearlyNthMonth, f.yearlyNthMonth);
    m_calculateAge->setChecked(f.calculateAge);
    CEditorFields::SetDate(m_range.startDate, f.startDate);
    CEditorFields::SetDate(m_range.endDate, f.endDate);
    (f.endsOn ? m_range.endsOn : m_range.noEnd)->setChecked(true);
    m_range.endDate->setEnabled(f.endsOn);
}

void CEventRecurrenceDlg::Gather()
{
    RecurrenceForm &f = m_model.Form();
    f.dailyEvery = NumberOf(m_dailyEvery);
    f.weeklyEvery = NumberOf(m_weeklyEvery);
    f.weekdays = CheckedWeekdays(m_weekdays, m_weekdayOfBox);
    f.monthlyNth = m_monthlyNthRadio->isChecked();
    f.monthlyDay = NumberOf(m_monthlyDay);
    f.monthlyDayEvery = NumberOf(m_monthlyDayEvery);
    f.monthlyWeek = m_monthlyWeek->currentIndex();
    f.monthlyWeekday = m_monthlyWeekday->currentIndex();
    f.monthlyNthEvery = NumberOf(m_monthlyNthEvery);
    f.yearlyNth = m_yearlyNthRadio->isChecked();
    f.yearlyMonth = m_yearlyMonth->currentIndex();
    f.yearlyDay = NumberOf(m_yearlyDay);
    f.yearlyWeek = m_yearlyWeek->currentIndex();
    f.yearlyWeekday = m_yearlyWeekday->currentIndex();
    f.yearlyNthMonth = m_yearlyNthMonth->currentIndex();
    f.calculateAge = m_calculateAge->isChecked();
    f.endsOn = m_range.endsOn->isChecked();
    f.endDate = CEditorFields::GetDate(m_range.endDate);
}

void CEventRecurrenceDlg::FocusField(RecurrenceField field)
{
    const int page = m_pages->currentIndex();
    QWidget *target = nullptr;
    switch (field) {
    case RecurrenceField::Every:
        target = page == 0   ? static_cast<QWidget *>(m_dailyEvery)
                 : page == 1 ? static_cast<QWidget *>(m_weeklyEvery)
                             : static_cast<QWidget *>(m_monthlyDayEvery);
        break;
    case RecurrenceField::Weekdays:
        target = m_weekdays[0];
        break;
    case RecurrenceField::Day:
        target = page == 2 ? m_monthlyDay : m_yearlyDay;
        break;
    default:
        break;
    }
    if (target)
        target->setFocus();
}

void CEventRecurrenceDlg::accept()
{
    // Times typed but not yet committed (OK by its shortcut keeps the focus where it is).
    for (QWidget *field : {m_startTime, m_endTime, static_cast<QWidget *>(m_duration)})
        CEditorFields::CommitText(field);
    Gather();
    if (m_model.Ok() != RecurrenceOkResult::Done) {
        FocusField(m_model.GetBadField());
        return;
    }
    QDialog::accept();
}
