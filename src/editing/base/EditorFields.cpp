// Date, time and duration fields of the editing dialogs on the toolkit's controls.
#include "editing/base/EditorFields.h"

#include "toolkit/controls/DurationComboBox.h"
#include "toolkit/controls/TimeComboBox.h"
#include "toolkit/navigator/DatePickerCtrl.h"

QWidget *CEditorFields::CreateDateField(QWidget *parent, const QString &objectName)
{
    auto *picker = new CDatePickerCtrl(parent);
    picker->setObjectName(objectName);
    return picker;
}

QWidget *CEditorFields::CreateTimeField(QWidget *parent, const QString &objectName)
{
    auto *box = new CTimeComboBox(parent);
    box->setObjectName(objectName);
    return box;
}

QComboBox *CEditorFields::CreateDurationField(QWidget *parent, const QString &objectName, bool zeroEntry)
{
    auto *box = new CDurationComboBox(parent);
    box->setObjectName(objectName);
    box->FillList(zeroEntry);
    return box;
}

CDateTime CEditorFields::GetDate(const QWidget *field)
{
    const auto *picker = qobject_cast<const CDatePickerCtrl *>(field);
    CDateTime date;
    if (!picker || !picker->GetDateTime(date) || !date.IsValid())
        return CDateTime::Invalid();
    return date;
}

void CEditorFields::SetDate(QWidget *field, const CDateTime &date)
{
    auto *picker = qobject_cast<CDatePickerCtrl *>(field);
    if (!picker || !date.IsValid())
        return;
    const QSignalBlocker block(picker);
    picker->SetDateTime(date);
}

CDateTime CEditorFields::GetTime(const QWidget *field)
{
    const auto *box = qobject_cast<const CTimeComboBox *>(field);
    CDateTime time;
    if (!box || !box->GetTime(time))
        return CDateTime::Invalid();
    return time;
}

void CEditorFields::SetTime(QWidget *field, const CDateTime &time)
{
    auto *box = qobject_cast<CTimeComboBox *>(field);
    if (!box || !time.IsValid())
        return;
    const QSignalBlocker block(box);
    box->SetTime(time);
}

bool CEditorFields::GetDuration(const QComboBox *field, CDateSpan &span)
{
    const auto *box = qobject_cast<const CDurationComboBox *>(field);
    return box && box->GetDuration(span);
}

QString CEditorFields::GetDurationText(const QComboBox *field)
{
    return field ? field->currentText() : QString();
}

void CEditorFields::SetDuration(QComboBox *field, const CDateSpan &span)
{
    auto *box = qobject_cast<CDurationComboBox *>(field);
    if (!box)
        return;
    const QSignalBlocker block(box);
    box->SetDuration(span);
}

void CEditorFields::CommitText(QWidget *field)
{
    if (auto *time = qobject_cast<CTimeComboBox *>(field))
        time->CommitText();
    else if (auto *duration = qobject_cast<CDurationComboBox *>(field))
        duration->CommitText();
}

void CEditorFields::OnChanged(QWidget *field, QObject *context, const std::function<void()> &changed)
{
    if (auto *date = qobject_cast<CDatePickerCtrl *>(field)) {
        // Every change, typed or picked, as Qt's date field reported it: the dialogs follow the
        // field while the user types.
        QObject::connect(date, &CDatePickerCtrl::dateChanged, context, [changed] { changed(); });
    } else if (auto *time = qobject_cast<CTimeComboBox *>(field)) {
        QObject::connect(time, &CTimeComboBox::timeChanged, context, [changed] { changed(); });
    } else if (auto *duration = qobject_cast<CDurationComboBox *>(field)) {
        QObject::connect(duration, &CDurationComboBox::durationChanged, context, [changed] { changed(); });
    }
}
