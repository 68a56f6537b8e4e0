// The Change Password dialog.
#include "editing/datafile/PasswordProtectionDlg.h"

#include "core/storage/DataFile.h"
#include "editing/datafile/DataFileDialogRules.h"
#include "editing/base/DialogSupport.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPasswordProtectionDlg::CPasswordProtectionDlg(CDataFile &dataFile, QWidget *parent)
    : QDialog(parent), m_dataFile(dataFile)
{
    setWindowTitle(QStringLiteral("Password Protection"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter a password for your Tessivo file.")));
    auto *grid = new QGridLayout;
    m_old = AddEditRow(grid, 0, QStringLiteral("&Old password:"), QStringLiteral("oldPassword"),
                       EditKind::Password);
    m_new = AddEditRow(grid, 1, QStringLiteral("&New password:"), QStringLiteral("newPassword"),
                       EditKind::Password);
    m_confirm = AddEditRow(grid, 2, QStringLiteral("&Confirm new password:"),
                           QStringLiteral("confirmPassword"), EditKind::Password);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QString::fromUtf8(kPasswordKeyText)));
    layout->addWidget(MakeOkCancel(this));
    ApplyReadingOrder(this);
}

void CPasswordProtectionDlg::accept()
{
    const QString oldPassword = m_old->text();
    const QString newPassword = m_new->text();
    const QString confirmPassword = m_confirm->text();
    const HRESULT check = m_dataFile.CheckPassword(oldPassword);
    const DialogVerdict verdict = DecidePasswordChange(check, oldPassword, newPassword, confirmPassword);
    if (verdict.outcome == DialogVerdict::Accept)
        m_newPassword = newPassword;
    VerdictFields fields;
    fields.oldPassword = m_old;
    fields.newPassword = m_new;
    fields.confirmPassword = m_confirm;
    ApplyVerdict(*this, verdict, fields);
}
