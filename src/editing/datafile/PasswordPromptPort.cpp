// The document's password question answered by the password prompt dialog.
#include "editing/datafile/PasswordPromptPort.h"

#include "core/storage/DataFile.h"
#include "core/document/MessagePort.h"
#include "editing/datafile/PasswordPromptDlg.h"

int CPasswordPromptPort::PromptPassword(CDataFile &file, const QString &path, const QString &calendarName)
{
    // The dialog tries each typed password on the file and stays open on a wrong one, so an
    // accepted password leaves its key in the file.
    const auto accepted = CPasswordPromptDlg::PromptForPassword(
        m_parent, path, calendarName, [&file](const QString &password) { return file.CheckPassword(password); });
    return accepted ? MessageResult::Ok : MessageResult::Cancel;
}
