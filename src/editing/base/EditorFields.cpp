// Date, time and duration fields of the editing dialogs on Qt's own controls.
#include "editing/base/EditorFields.h"

#include "core/dates/DurationText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>

namespace {
// The preset spans of the duration boxes, in minutes.
constexpr int kPresetMinutes[] = {5, 10, 15, 20, 30, 60, 120, 240, 480, 720, 1440, 2880, 4320, 5760, 10080};
} // namespace

QWidget *CEditorFields::CreateDateField(QWidget *parent, const QString &objectName)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(objectName);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    edit->setMinimumDate(QDate(1753, 1, 1));
    edit->setMaximumDate(QDate(4000, 12, 31));
    // Room for the longest day and month of the format.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(
                              edit->locale().toString(QDate(2000, 12, 28), edit->displayFormat())) +
                          48);
    return edit;
}

QWidget *CEditorFields::CreateTimeField(QWidget *parent, const QString &objectName)
{
    auto *edit = new QTimeEdit(parent);
    edit->setObjectName(objectName);
    // Hours and minutes: the editors keep no seconds.
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[^hHmaAp]?s+")));
    edit->setDisplayFormat(format);
    return edit;
}

QComboBox *CEditorFields::CreateDurationField(QWidget *parent, const QString &objectName, bool zeroEntry)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    if (zeroEntry)
        box->addItem(FormatDuration(CDateSpan(0.0)));
    for (int minutes : kPresetMinutes)
        box->addItem(FormatDuration(CDateSpan::FromMinutes(minutes)));
    return box;
}

CDateTime CEditorFields::GetDate(const QWidget *field)
{
    const auto *edit = qobject_cast<const QDateEdit *>(field);
    if (!edit || !edit->date().isValid())
        return CDateTime::Invalid();
    const QDate d = edit->date();
    return CDateTime(d.year(), d.month(), d.day());
}

void CEditorFields::SetDate(QWidget *field, const CDateTime &date)
{
    auto *edit = qobject_cast<QDateEdit *>(field);
    if (!edit || !date.IsValid())
        return;
    const QSignalBlocker block(edit);
    edit->setDate(QDate(date.GetYear(), date.GetMonth(), date.GetDay()));
}

CDateTime CEditorFields::GetTime(const QWidget *field)
{
    const auto *edit = qobject_cast<const QTimeEdit *>(field);
    if (!edit || !edit->time().isValid())
        return CDateTime::Invalid();
    const QTime t = edit->time();
    return CDateTime(1899, 12, 30, t.hour(), t.minute(), 0);
}

void CEditorFields::SetTime(QWidget *field, const CDateTime &time)
{
    auto *edit = qobject_cast<QTimeEdit *>(field);
    if (!edit || !time.IsValid())
        return;
    const QSignalBlocker block(edit);
    edit->setTime(QTime(time.GetHour(), time.GetMinute()));
}

QString CEditorFields::GetDurationText(const QComboBox *field)
{
    return field ? field->currentText() : QString();
}

void CEditorFields::SetDuration(QComboBox *field, const CDateSpan &span)
{
    if (!field)
        return;
    const QSignalBlocker block(field);
    const QString text = FormatDuration(span);
    const int index = field->findText(text);
    if (index >= 0)
        field->setCurrentIndex(index);
    field->setEditText(text);
}

void CEditorFields::OnChanged(QWidget *field, QObject *context, const std::function<void()> &changed)
{
    if (auto *date = qobject_cast<QDateEdit *>(field)) {
        QObject::connect(date, &QDateEdit::dateChanged, context, [changed] { changed(); });
    } else if (auto *time = qobject_cast<QTimeEdit *>(field)) {
        QObject::connect(time, &QTimeEdit::timeChanged, context, [changed] { changed(); });
    } else if (auto *box = qobject_cast<QComboBox *>(field)) {
        QObject::connect(box, &QComboBox::activated, context, [changed] { changed(); });
        if (box->lineEdit())
            QObject::connect(box->lineEdit(), &QLineEdit::editingFinished, context, [changed] { changed(); });
    }
}
