// The date fields of the toolkit's bars, made in one place so that the bars need not know the
// picker behind them. A field may show no date (its "none" check cleared).
#pragma once

#include "core/dates/DateTime.h"

#include <functional>

class QWidget;

// A date field limited to 1753-01-01 .. 4000-12-31 that starts with no date.
QWidget *CreateDateField(QWidget *parent);
// The field's date (time of day cleared), or the null date when it shows none.
CDateTime DateFieldValue(const QWidget *field);
// Shows a date; a null or invalid date shows none, and a date out of range changes nothing.
void SetDateFieldValue(QWidget *field, const CDateTime &date);
// Calls `changed` whenever the user changes the date.
void OnDateFieldChanged(QWidget *field, std::function<void()> changed);
