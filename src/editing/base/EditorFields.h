// CEditorFields: the one place where the editing dialogs make their date, time and duration
// fields and read and write them as program values. The fields are the toolkit's date picker
// and its time and duration combos.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <functional>

class QComboBox;
class QObject;
class QWidget;

class CEditorFields
{
  public:
    // A date field in the user's short date format with the program's drop-down calendar.
    static QWidget *CreateDateField(QWidget *parent, const QString &objectName);
    // An editable time-of-day field with the half hours in its list; typed text is read when
    // the field is left or Enter is pressed.
    static QWidget *CreateTimeField(QWidget *parent, const QString &objectName);
    // An editable duration box with the preset spans (the zero entry first when asked) and
    // "Other..."; typed text is read when the field is left or Enter is pressed.
    static QComboBox *CreateDurationField(QWidget *parent, const QString &objectName, bool zeroEntry);

    // The field's date at 00:00; invalid when the field holds none.
    static CDateTime GetDate(const QWidget *field);
    static void SetDate(QWidget *field, const CDateTime &date);
    // The field's time as a time of day on day 0 (1899-12-30); invalid while the field holds
    // text that is not (yet) a time.
    static CDateTime GetTime(const QWidget *field);
    static void SetTime(QWidget *field, const CDateTime &time);
    // False while the field holds no valid duration (being typed, or not a duration).
    static bool GetDuration(const QComboBox *field, CDateSpan &span);
    static QString GetDurationText(const QComboBox *field);
    static void SetDuration(QComboBox *field, const CDateSpan &span);

    // Reads text typed into a time or duration field now, as leaving it does; a change is
    // reported through OnChanged.
    static void CommitText(QWidget *field);

    // Calls `changed` whenever the user changes the field.
    static void OnChanged(QWidget *field, QObject *context, const std::function<void()> &changed);
};
