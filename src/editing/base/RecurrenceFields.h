// The fields the recurrence dialogs of events and tasks share: counts, the week-of-month,
// weekday and month combos in the locale's names, and the rule that typing in a row's field or
// choosing in its combos selects that row.
#pragma once

#include <initializer_list>

class QComboBox;
class QLineEdit;
class QRadioButton;
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
} // namespace RecurrenceFields
