// Date fields over the program's date picker, with its "none" check for no date.
#include "toolkit/bars/DateFieldFactory.h"

#include "toolkit/navigator/DatePickerCtrl.h"

QWidget *CreateDateField(QWidget *parent)
{
    auto *picker = new CDatePickerCtrl(parent, true);
    picker->SetDateTime(CDateTime::Null());
    return picker;
}

CDateTime DateFieldValue(const QWidget *field)
{
    const auto *picker = qobject_cast<const CDatePickerCtrl *>(field);
    CDateTime date;
    if (!picker || !picker->GetDateTime(date) || !date.IsValid())
        return CDateTime::Null();
    return date;
}

void SetDateFieldValue(QWidget *field, const CDateTime &date)
{
    if (auto *picker = qobject_cast<CDatePickerCtrl *>(field))
        picker->SetDateTime(date.IsValid() ? date : CDateTime::Null());
}

void OnDateFieldChanged(QWidget *field, std::function<void()> changed)
{
    if (auto *picker = qobject_cast<CDatePickerCtrl *>(field))
        QObject::connect(picker, &CDatePickerCtrl::dateChanged, picker,
                         [changed = std::move(changed)] { changed(); });
}
