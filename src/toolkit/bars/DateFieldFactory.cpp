// Date fields over QDateEdit: the day before the first allowed date stands for "no date".
#include "toolkit/bars/DateFieldFactory.h"

#include <QLocale>

#include <QDateEdit>

namespace {
const QDate kNoDate(1752, 12, 31);
}

QWidget *CreateDateField(QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setDateRange(kNoDate, QDate(4000, 12, 31));
    edit->setSpecialValueText(QStringLiteral("None"));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("ddd ") + QLocale().dateFormat(QLocale::ShortFormat));
    edit->setDate(kNoDate);
    return edit;
}

CDateTime DateFieldValue(const QWidget *field)
{
    const auto *edit = qobject_cast<const QDateEdit *>(field);
    if (!edit || edit->date() <= kNoDate || !edit->date().isValid())
        return CDateTime::Null();
    const QDate d = edit->date();
    return CDateTime(d.year(), d.month(), d.day());
}

void SetDateFieldValue(QWidget *field, const CDateTime &date)
{
    auto *edit = qobject_cast<QDateEdit *>(field);
    if (!edit)
        return;
    if (!date.IsValid()) {
        edit->setDate(kNoDate);
        return;
    }
    edit->setDate(QDate(date.GetYear(), date.GetMonth(), date.GetDay()));
}

void OnDateFieldChanged(QWidget *field, std::function<void()> changed)
{
    if (auto *edit = qobject_cast<QDateEdit *>(field))
        QObject::connect(edit, &QDateEdit::dateChanged, edit, [changed = std::move(changed)] { changed(); });
}
