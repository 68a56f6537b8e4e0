#include "containers/base/DialogContainerPrompts.h"

#include "editing/base/GoToDateDlg.h"
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/ReminderWindowsGate.h"

#include <QApplication>
#include <QGuiApplication>

OccurrenceChoice CDialogContainerPrompts::AskOccurrenceOrSeries(int kind, int mode, const QString &subject,
                                                                QWidget *parent)
{
    CReminderWindowsGate::Hold hold;
    CRecurrencePromptDlg dialog(kind, mode, subject, parent);
    if (dialog.exec() != QDialog::Accepted)
        return OccurrenceChoice::Cancel;
    return dialog.GetChoice() == 0 ? OccurrenceChoice::Occurrence : OccurrenceChoice::Series;
}

bool CDialogContainerPrompts::AskGoToDate(CDateTime &date, QWidget *parent)
{
    CReminderWindowsGate::Hold hold;
    CGoToDateDlg dialog(date, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    date = dialog.GetDate();
    return true;
}

bool CDialogContainerPrompts::IsShiftHeld() const
{
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void CDialogContainerPrompts::SetWaitCursor(bool on)
{
    if (on) {
        if (m_waitDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_waitDepth > 0 && --m_waitDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}
