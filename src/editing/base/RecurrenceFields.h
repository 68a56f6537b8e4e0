// The fields the recurrence dialogs of events and tasks share: counts, the week-of-month,
// weekday and month combos in the locale's names, the rule that typing in a row's field or
// choosing in its combos selects that row, the period radios beside their pages, the weekday
// boxes, the range rows and the dialog's buttons.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QString;
class QWidget;

namespace RecurrenceFields {
// A count field of at most `digits` digits.
QLineEdit *NumberField(QWidget *parent, const char *name, int digits);
// "first" .. "fourth", "last".
QComboBox *WeekCombo(QWidget *parent, const char *name);
// The day names, Monday first.
QComboBox *WeekdayCombo(QWidget *parent, const char *name);
QComboBox *MonthCombo(QWidget *parent, const char *name);
// The field's number; 0 when it holds none.
int NumberOf(const QLineEdit *edit);
void SetNumber(QLineEdit *edit, int value);
void SetIndex(QComboBox *box, int index);
void SelectsRadio(QRadioButton *radio, std::initializer_list<QWidget *> fields);

// The periods in the order of their radios and pages: daily, weekly, monthly, yearly.
using PeriodRadios = std::array<QRadioButton *, 4>;
std::uint32_t PeriodAt(int index);
// The "Recurrence pattern" heading, then the period radios, a line and the stack of their
// pages; a click on a radio reports its index through `group`.
QStackedWidget *AddPeriodPicker(QWidget *box, QBoxLayout *outer, PeriodRadios &radios, QButtonGroup *&group);
// Checks the radio of `period` (without its signals) and shows its page.
void ShowPeriodPage(const PeriodRadios &radios, QStackedWidget *pages, std::uint32_t period);

// The seven weekday boxes in the locale's week order, named "weekday0".."weekday6"; `weekdayOf`
// gets the day of each (1 Sunday .. 7 Saturday).
using WeekdayBoxes = std::array<QCheckBox *, 7>;
using BoxWeekdays = std::array<int, 7>;
void MakeWeekdayBoxes(QWidget *parent, WeekdayBoxes &boxes, BoxWeekdays &weekdayOf);
void ShowWeekdays(const WeekdayBoxes &boxes, const BoxWeekdays &weekdayOf, std::uint32_t bits);
std::uint32_t CheckedWeekdays(const WeekdayBoxes &boxes, const BoxWeekdays &weekdayOf);

// The range of the recurrence: its start, and "Does not end" or "Ends on:" a date.
struct RangeFields
{
    QWidget *startDate = nullptr;
    QWidget *endDate = nullptr;
    QRadioButton *noEnd = nullptr;
    QRadioButton *endsOn = nullptr;
};
// The range rows under `heading` spanning `headingColumns`; the end date is enabled with "Ends on:".
QWidget *MakeRangeGroup(QWidget *parent, const QString &heading, int headingColumns, RangeFields &fields);

// OK, Cancel and "Remove recurrence", which runs `remove` (enabled when `canRemove`); OK is off
// when read-only.
QDialogButtonBox *MakeDialogButtons(QDialog *dialog, bool canRemove, bool readOnly,
                                    std::function<void()> remove);
} // namespace RecurrenceFields
