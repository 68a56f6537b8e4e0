// CEditorFields: the one place where the editing dialogs make their date, time and duration
// fields and read and write them as program values. The fields are Qt's own controls for now;
// the toolkit's date picker and time and duration combos replace them here alone.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <functional>

class QComboBox;
class QWidget;

class CEditorFields
{
  public:
    // A date field in the locale's short date format with a drop-down calendar.
    static QWidget *CreateDateField(QWidget *parent, const QString &objectName);
    // A time-of-day field in the locale's time format.
    static QWidget *CreateTimeField(QWidget *parent, const QString &objectName);
    // An editable duration box with the preset spans (the zero entry first when asked); the typed
    // text is read with the duration parser.
    static QComboBox *CreateDurationField(QWidget *parent, const QString &objectName, bool zeroEntry);

    // The field's date at 00:00; invalid when the field holds none.
    static CDateTime GetDate(const QWidget *field);
    static void SetDate(QWidget *field, const CDateTime &date);
    // The field's time as a time of day on day 0 (1899-12-30); invalid when the field holds none.
    static CDateTime GetTime(const QWidget *field);
    static void SetTime(QWidget *field, const CDateTime &time);
    static QString GetDurationText(const QComboBox *field);
    static void SetDuration(QComboBox *field, const CDateSpan &span);

    // Calls `changed` whenever the user changes the field.
    static void OnChanged(QWidget *field, QObject *context, const std::function<void()> &changed);
};
