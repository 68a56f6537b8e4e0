// The Task Recurrence dialog's window.
#include "editing/task/TaskRecurrenceDlg.h"

#include "core/items/RecurrenceBits.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/EditorFields.h"
#include "editing/base/RecurrenceFields.h"

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

namespace {

QRadioButton *Radio(QWidget *parent, const QString &text, const char *name)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

// A count left after a change is copied into the other counts of its period.
void SharesCount(QLineEdit *from, std::initializer_list<QLineEdit *> others)
{
    QObject::connect(from, &QLineEdit::editingFinished, from,
                     [from, others = std::vector<QLineEdit *>(others)] {
                         if (!from->isModified())
                             return;
                         for (QLineEdit *other : others)
                             SetNumber(other, NumberOf(from));
                         from->setModified(false);
                     });
}

void AddRow(QVBoxLayout *page, std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *w : widgets)
        row->addWidget(w);
    row->addStretch();
    page->addLayout(row);
}

} // namespace

CTaskRecurrenceDlg::CTaskRecurrenceDlg(CTaskItem &task, bool readOnly, QWidget *parent)
    : QDialog(parent), m_model(task, readOnly)
{
    setWindowTitle(tr("Task Recurrence"));
    setObjectName(QStringLiteral("TaskRecurrenceDlg"));
    auto *layout = new QVBoxLayout(this);
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

QWidget *CTaskRecurrenceDlg::RegenerateRow(QWidget *parent, QRadioButton *&radio, QLineEdit *&count,
                                           const char *name, const QString &unit)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    radio = Radio(row, tr("Re&generate new task"), (std::string(name) + "Radio").c_str());
    count = NumberField(row, name, std::string(name) == "dailyRegenerate" ? 3 : 2);
    layout->addWidget(radio);
    layout->addWidget(count);
    layout->addWidget(new QLabel(unit + tr(" after each task is completed"), row));
    layout->addStretch();
    SelectsRadio(radio, {count});
    return row;
}

QWidget *CTaskRecurrenceDlg::BuildPatternGroup()
{
    auto *box = new QWidget(this);
    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(0, 0, 0, 0);
    QButtonGroup *group = nullptr;
    m_pages = AddPeriodPicker(box, outer, m_periods, group);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        Gather();
        m_model.ChoosePeriod(PeriodAt(id));
        Load();
    });

    // Daily.
    auto *daily = new QWidget(m_pages);
    auto *dl = new QVBoxLayout(daily);
    auto *dailyGroup = new QButtonGroup(daily);
    m_dailyEveryRadio = Radio(daily, tr("E&very"), "dailyEveryRadio");
    m_dailyEvery = NumberField(daily, "dailyEvery", 3);
    AddRow(dl, {m_dailyEveryRadio, m_dailyEvery, new QLabel(tr("day(s)"), daily)});
    dl->addWidget(
        RegenerateRow(daily, m_dailyRegenerateRadio, m_dailyRegenerate, "dailyRegenerate", tr("day(s)")));
    dl->addStretch();
    dailyGroup->addButton(m_dailyEveryRadio);
    dailyGroup->addButton(m_dailyRegenerateRadio);
    SelectsRadio(m_dailyEveryRadio, {m_dailyEvery});
    SharesCount(m_dailyEvery, {m_dailyRegenerate});
    SharesCount(m_dailyRegenerate, {m_dailyEvery});
    m_pages->addWidget(daily);

    // Weekly: the boxes follow the locale's first day of the week.
    auto *weekly = new QWidget(m_pages);
    auto *wl = new QVBoxLayout(weekly);
    auto *weeklyGroup = new QButtonGroup(weekly);
    m_weeklyEveryRadio = Radio(weekly, tr("Recur e&very"), "weeklyEveryRadio");
    m_weeklyEvery = NumberField(weekly, "weeklyEvery", 2);
    AddRow(wl, {m_weeklyEveryRadio, m_weeklyEvery, new QLabel(tr("week(s) on:"), weekly)});
    auto *days = new QGridLayout;
    days->setContentsMargins(20, 0, 0, 0);
    MakeWeekdayBoxes(weekly, m_weekdays, m_weekdayOfBox);
    for (int i = 0; i < 7; ++i) {
        QCheckBox *check = m_weekdays[std::size_t(i)];
        days->addWidget(check, i / 4, i % 4);
        connect(check, &QCheckBox::clicked, m_weeklyEveryRadio,
                [this] { m_weeklyEveryRadio->setChecked(true); });
    }
    wl->addLayout(days);
    wl->addWidget(RegenerateRow(weekly, m_weeklyRegenerateRadio, m_weeklyRegenerate, "weeklyRegenerate",
                                tr("week(s)")));
    wl->addStretch();
    weeklyGroup->addButton(m_weeklyEveryRadio);
    weeklyGroup->addButton(m_weeklyRegenerateRadio);
    SelectsRadio(m_weeklyEveryRadio, {m_weeklyEvery});
    SharesCount(m_weeklyEvery, {m_weeklyRegenerate});
    SharesCount(m_weeklyRegenerate, {m_weeklyEvery});
    m_pages->addWidget(weekly);

    // Monthly.
    auto *monthly = new QWidget(m_pages);
    auto *ml = new QVBoxLayout(monthly);
    auto *monthlyGroup = new QButtonGroup(monthly);
    m_monthlyDayRadio = Radio(monthly, tr("D&ay"), "monthlyDayRadio");
    m_monthlyDay = NumberField(monthly, "monthlyDay", 2);
    m_monthlyDayEvery = NumberField(monthly, "monthlyDayEvery", 2);
    AddRow(ml, {m_monthlyDayRadio, m_monthlyDay, new QLabel(tr("of every"), monthly), m_monthlyDayEvery,
                new QLabel(tr("month(s)"), monthly)});
    m_monthlyNthRadio = Radio(monthly, tr("Th&e"), "monthlyNthRadio");
    m_monthlyWeek = WeekCombo(monthly, "monthlyWeek");
    m_monthlyWeekday = WeekdayCombo(monthly, "monthlyWeekday");
    m_monthlyNthEvery = NumberField(monthly, "monthlyNthEvery", 2);
    AddRow(ml, {m_monthlyNthRadio, m_monthlyWeek, m_monthlyWeekday, new QLabel(tr("of every"), monthly),
                m_monthlyNthEvery, new QLabel(tr("month(s)"), monthly)});
    ml->addWidget(RegenerateRow(monthly, m_monthlyRegenerateRadio, m_monthlyRegenerate, "monthlyRegenerate",
                                tr("month(s)")));
    ml->addStretch();
    monthlyGroup->addButton(m_monthlyDayRadio);
    monthlyGroup->addButton(m_monthlyNthRadio);
    monthlyGroup->addButton(m_monthlyRegenerateRadio);
    SelectsRadio(m_monthlyDayRadio, {m_monthlyDay, m_monthlyDayEvery});
    SelectsRadio(m_monthlyNthRadio, {m_monthlyWeek, m_monthlyWeekday, m_monthlyNthEvery});
    SharesCount(m_monthlyDayEvery, {m_monthlyNthEvery, m_monthlyRegenerate});
    SharesCount(m_monthlyNthEvery, {m_monthlyDayEvery, m_monthlyRegenerate});
    SharesCount(m_monthlyRegenerate, {m_monthlyDayEvery, m_monthlyNthEvery});
    for (QComboBox *combo : {m_monthlyWeek, m_monthlyWeekday}) {
        connect(combo, &QComboBox::activated, this, [this] {
            Gather();
            m_model.ChooseMonthlyRow(TaskRecurrenceRow::Nth);
            Load();
        });
    }
    connect(m_monthlyDayRadio, &QRadioButton::clicked, this, [this] {
        Gather();
        m_model.ChooseMonthlyRow(TaskRecurrenceRow::Every);
        Load();
    });
    m_pages->addWidget(monthly);

    // Yearly.
    auto *yearly = new QWidget(m_pages);
    auto *yl = new QVBoxLayout(yearly);
    auto *yearlyGroup = new QButtonGroup(yearly);
    m_yearlyDateRadio = Radio(yearly, tr("E&very"), "yearlyDateRadio");
    m_yearlyMonth = MonthCombo(yearly, "yearlyMonth");
    m_yearlyDay = NumberField(yearly, "yearlyDay", 2);
    AddRow(yl, {m_yearlyDateRadio, m_yearlyMonth, m_yearlyDay});
    m_yearlyNthRadio = Radio(yearly, tr("Th&e"), "yearlyNthRadio");
    m_yearlyWeek = WeekCombo(yearly, "yearlyWeek");
    m_yearlyWeekday = WeekdayCombo(yearly, "yearlyWeekday");
    m_yearlyNthMonth = MonthCombo(yearly, "yearlyNthMonth");
    AddRow(yl,
           {m_yearlyNthRadio, m_yearlyWeek, m_yearlyWeekday, new QLabel(tr("of"), yearly), m_yearlyNthMonth});
    yl->addWidget(RegenerateRow(yearly, m_yearlyRegenerateRadio, m_yearlyRegenerate, "yearlyRegenerate",
                                tr("year(s)")));
    yl->addStretch();
    yearlyGroup->addButton(m_yearlyDateRadio);
    yearlyGroup->addButton(m_yearlyNthRadio);
    yearlyGroup->addButton(m_yearlyRegenerateRadio);
    SelectsRadio(m_yearlyDateRadio, {m_yearlyDay});
    connect(m_yearlyMonth, &QComboBox::activated, this, [this] {
        Gather();
        m_model.ChooseYearlyRow(TaskRecurrenceRow::Every);
        Load();
    });
    for (QComboBox *combo : {m_yearlyWeek, m_yearlyWeekday, m_yearlyNthMonth}) {
        connect(combo, &QComboBox::activated, this, [this] {
            Gather();
            m_model.ChooseYearlyRow(TaskRecurrenceRow::Nth);
            Load();
        });
    }
    connect(m_yearlyDateRadio, &QRadioButton::clicked, this, [this] {
        Gather();
        m_model.ChooseYearlyRow(TaskRecurrenceRow::Every);
        Load();
    });
    m_pages->addWidget(yearly);
    return box;
}

QWidget *CTaskRecurrenceDlg::BuildRangeGroup()
{
    QWidget *box = MakeRangeGroup(this, tr("Range of recurrence"), 5, m_range);
    CEditorFields::OnChanged(m_range.startDate, this, [this] {
        Gather();
        m_model.SetStartDate(CEditorFields::GetDate(m_range.startDate));
        Load();
    });
    CEditorFields::OnChanged(m_range.endDate, this, [this] {
        Gather();
        m_model.SetEndDate(CEditorFields::GetDate(m_range.endDate));
        Load();
    });
    return box;
}

void CTaskRecurrenceDlg::ShowPeriod(std::uint32_t period)
{
    for (int i = 0; i < 4; ++i) {
        if (PeriodAt(i) == period) {
            m_periods[std::size_t(i)]->setChecked(true);
            m_model.ChoosePeriod(period);
            Load();
        }
    }
}

void CTaskRecurrenceDlg::Load()
{
    using Row = TaskRecurrenceRow;
    const TaskRecurrenceForm &f = m_model.Form();
    ShowPeriodPage(m_periods, m_pages, f.period);
    (f.dailyRow == Row::Regenerate ? m_dailyRegenerateRadio : m_dailyEveryRadio)->setChecked(true);
    SetNumber(m_dailyEvery, f.dailyEvery);
    SetNumber(m_dailyRegenerate, f.dailyRegenerate);
    (f.weeklyRow == Row::Regenerate ? m_weeklyRegenerateRadio : m_weeklyEveryRadio)->setChecked(true);
    SetNumber(m_weeklyEvery, f.weeklyEvery);
    SetNumber(m_weeklyRegenerate, f.weeklyRegenerate);
    ShowWeekdays(m_weekdays, m_weekdayOfBox, f.weekdays);
    (f.monthlyRow == Row::Regenerate ? m_monthlyRegenerateRadio
     : f.monthlyRow == Row::Nth      ? m_monthlyNthRadio
                                     : m_monthlyDayRadio)
        ->setChecked(true);
    SetNumber(m_monthlyDay, f.monthlyDay);
    SetNumber(m_monthlyDayEvery, f.monthlyDayEvery);
    SetIndex(m_monthlyWeek, f.monthlyWeek);
    SetIndex(m_monthlyWeekday, f.monthlyWeekday);
    SetNumber(m_monthlyNthEvery, f.monthlyNthEvery);
    SetNumber(m_monthlyRegenerate, f.monthlyRegenerate);
    (f.yearlyRow == Row::Regenerate ? m_yearlyRegenerateRadio
     : f.yearlyRow == Row::Nth      ? m_yearlyNthRadio
                                    : m_yearlyDateRadio)
        ->setChecked(true);
    SetIndex(m_yearlyMonth, f.yearlyMonth);
    SetNumber(m_yearlyDay, f.yearlyDay);
    SetIndex(m_yearlyWeek, f.yearlyWeek);
    SetIndex(m_yearlyWeekday, f.yearlyWeekday);
    SetIndex(m_yearlyNthMonth, f.yearlyNthMonth);
    SetNumber(m_yearlyRegenerate, f.yearlyRegenerate);
    CEditorFields::SetDate(m_range.startDate, f.start);
    CEditorFields::SetDate(m_range.endDate, f.end);
    {
        const QSignalBlocker a(m_range.endsOn), b(m_range.noEnd);
        (f.endsOn ? m_range.endsOn : m_range.noEnd)->setChecked(true);
    }
    m_range.endDate->setEnabled(f.endsOn);
}

void CTaskRecurrenceDlg::Gather()
{
    using Row = TaskRecurrenceRow;
    TaskRecurrenceForm &f = m_model.Form();
    f.dailyRow = m_dailyRegenerateRadio->isChecked() ? Row::Regenerate : Row::Every;
    f.dailyEvery = NumberOf(m_dailyEvery);
    f.dailyRegenerate = NumberOf(m_dailyRegenerate);
    f.weeklyRow = m_weeklyRegenerateRadio->isChecked() ? Row::Regenerate : Row::Every;
    f.weeklyEvery = NumberOf(m_weeklyEvery);
    f.weeklyRegenerate = NumberOf(m_weeklyRegenerate);
    f.weekdays = CheckedWeekdays(m_weekdays, m_weekdayOfBox);
    f.monthlyRow = m_monthlyRegenerateRadio->isChecked() ? Row::Regenerate
                   : m_monthlyNthRadio->isChecked()      ? Row::Nth
                                                         : Row::Every;
    f.monthlyDay = NumberOf(m_monthlyDay);
    f.monthlyDayEvery = NumberOf(m_monthlyDayEvery);
    f.monthlyWeek = m_monthlyWeek->currentIndex();
    f.monthlyWeekday = m_monthlyWeekday->currentIndex();
    f.monthlyNthEvery = NumberOf(m_monthlyNthEvery);
    f.monthlyRegenerate = NumberOf(m_monthlyRegenerate);
    f.yearlyRow = m_yearlyRegenerateRadio->isChecked() ? Row::Regenerate
                  : m_yearlyNthRadio->isChecked()      ? Row::Nth
                                                       : Row::Every;
    f.yearlyMonth = m_yearlyMonth->currentIndex();
    f.yearlyDay = NumberOf(m_yearlyDay);
    f.yearlyWeek = m_yearlyWeek->currentIndex();
    f.yearlyWeekday = m_yearlyWeekday->currentIndex();
    f.yearlyNthMonth = m_yearlyNthMonth->currentIndex();
    f.yearlyRegenerate = NumberOf(m_yearlyRegenerate);
    f.endsOn = m_range.endsOn->isChecked();
}

void CTaskRecurrenceDlg::FocusField(TaskRecurrenceField field)
{
    using Row = TaskRecurrenceRow;
    const TaskRecurrenceForm &f = m_model.Form();
    QWidget *target = nullptr;
    switch (field) {
    case TaskRecurrenceField::Start:
        target = m_range.startDate;
        break;
    case TaskRecurrenceField::End:
        target = m_range.endDate;
        break;
    case TaskRecurrenceField::Weekdays:
        target = m_weekdays[1];
        break;
    case TaskRecurrenceField::Day:
        target = f.period == Recur::Monthly ? m_monthlyDay : m_yearlyDay;
        break;
    case TaskRecurrenceField::Every:
        switch (f.period) {
        case Recur::Daily:
            target = f.dailyRow == Row::Regenerate ? m_dailyRegenerate : m_dailyEvery;
            break;
        case Recur::Weekly:
            target = f.weeklyRow == Row::Regenerate ? m_weeklyRegenerate : m_weeklyEvery;
            break;
        case Recur::Monthly:
            target = f.monthlyRow == Row::Regenerate ? m_monthlyRegenerate
                     : f.monthlyRow == Row::Nth      ? m_monthlyNthEvery
                                                     : m_monthlyDayEvery;
            break;
        default:
            target = m_yearlyRegenerate;
            break;
        }
        break;
    default:
        break;
    }
    if (target)
        target->setFocus();
}

void CTaskRecurrenceDlg::accept()
{
    Gather();
    if (!m_model.Ok()) {
        FocusField(m_model.GetBadField());
        return;
    }
    QDialog::accept();
}
