// Shared dialog helpers.
#include "editing/base/DialogSupport.h"

#include "core/system/Messages.h"
#include "core/system/ReadingOrder.h"
#include "editing/base/ReminderWindowsGate.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

namespace {

WrongPasswordWaitFn &CurrentWait()
{
    static WrongPasswordWaitFn wait;
    return wait;
}

void DefaultWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QThread::msleep(kWrongPasswordWaitMs);
    QApplication::restoreOverrideCursor();
}

QLineEdit *FieldOf(const VerdictFields &fields, DialogField which)
{
    switch (which) {
    case DialogField::Name:
        return fields.name;
    case DialogField::OldPassword:
        return fields.oldPassword;
    case DialogField::NewPassword:
        return fields.newPassword;
    case DialogField::None:
        break;
    }
    return nullptr;
}

void Empty(QLineEdit *edit)
{
    if (edit)
        edit->clear();
}

} // namespace

void ApplyReadingOrder(QWidget *dialog)
{
    if (dialog && IsRightToLeftReading())
        dialog->setLayoutDirection(Qt::RightToLeft);
}

int RunModalDialog(QDialog &dialog)
{
    CReminderWindowsGate::Hold gate;
    return dialog.exec();
}

WrongPasswordWaitFn SetWrongPasswordWait(WrongPasswordWaitFn wait)
{
    WrongPasswordWaitFn previous = std::move(CurrentWait());
    CurrentWait() = std::move(wait);
    return previous;
}

void WaitAfterWrongPassword()
{
    if (CurrentWait())
        CurrentWait()();
    else
        DefaultWait();
}

bool ApplyVerdict(QDialog &dialog, const DialogVerdict &verdict, const VerdictFields &fields)
{
    if (verdict.waitFirst)
        WaitAfterWrongPassword();
    if (verdict.clearOld)
        Empty(fields.oldPassword);
    if (verdict.clearNewPair) {
        Empty(fields.newPassword);
        Empty(fields.confirmPassword);
    }
    if (QLineEdit *focus = FieldOf(fields, verdict.focus)) {
        focus->setFocus(Qt::OtherFocusReason);
        if (verdict.selectFocusText)
            focus->selectAll();
    }
    if (!verdict.warningText.isEmpty())
        ShowWarningText(verdict.warningText, &dialog);
    else if (verdict.errorCode != S_OK)
        ReportError(verdict.errorCode, &dialog);

    switch (verdict.outcome) {
    case DialogVerdict::Accept:
        dialog.done(QDialog::Accepted);
        return true;
    case DialogVerdict::Cancel:
        dialog.done(QDialog::Rejected);
        return true;
    case DialogVerdict::StayOpen:
        break;
    }
    return false;
}

QLineEdit *AddEditRow(QGridLayout *grid, int row, const QString &label, const QString &objectName,
                      EditKind kind)
{
    auto *caption = new QLabel(label);
    auto *edit = new QLineEdit;
    edit->setObjectName(objectName);
    if (kind == EditKind::Password)
        edit->setEchoMode(QLineEdit::Password);
    if (kind == EditKind::ReadOnly)
        edit->setReadOnly(true);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QDialogButtonBox *MakeOkCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
