// The password prompt.
#include "editing/datafile/PasswordPromptDlg.h"

#include "core/storage/DataFile.h"
#include "editing/datafile/DataFileDialogRules.h"
#include "editing/base/DialogSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPasswordPromptDlg::CPasswordPromptDlg(const QString &filePath, const QString &calendarName,
                                       PasswordTester tryPassword, QWidget *parent)
    : QDialog(parent), m_tryPassword(std::move(tryPassword))
{
    setWindowTitle(PasswordPromptCaption(calendarName));
    auto *layout = new QVBoxLayout(this);
    auto *message = new QLabel(PasswordPromptMessage(calendarName));
    message->setObjectName(QStringLiteral("message"));
    layout->addWidget(message);
    auto *grid = new QGridLayout;
    QLineEdit *file =
        AddEditRow(grid, 0, QStringLiteral("File:"), QStringLiteral("filePath"), EditKind::ReadOnly);
    file->setText(filePath);
    m_passwordEdit =
        AddEditRow(grid, 1, QStringLiteral("&Password:"), QStringLiteral("password"), EditKind::Password);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(this));
    m_passwordEdit->setFocus(Qt::OtherFocusReason);
    if (!parent) {
        setWindowIcon(QApplication::windowIcon());
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    ApplyReadingOrder(this);
}

CPasswordPromptDlg::CPasswordPromptDlg(CDataFile &dataFile, QWidget *parent)
    : CPasswordPromptDlg(
          dataFile.GetPath(), dataFile.GetTitle(),
          [&dataFile](const QString &password) { return dataFile.CheckPassword(password); }, parent)
{
}

void CPasswordPromptDlg::accept()
{
    const QString password = m_passwordEdit->text();
    const HRESULT check = m_tryPassword ? m_tryPassword(password) : QV_E_WRONG_PASSWORD;
    const DialogVerdict verdict = DecidePasswordPrompt(check);
    if (verdict.outcome == DialogVerdict::Accept)
        m_password = password;
    VerdictFields fields;
    fields.newPassword = m_passwordEdit;
    ApplyVerdict(*this, verdict, fields);
}

std::optional<QString> CPasswordPromptDlg::PromptForPassword(QWidget *parent, const QString &filePath,
                                                             const QString &calendarName,
                                                             PasswordTester tryPassword)
{
    CPasswordPromptDlg dialog(filePath, calendarName, std::move(tryPassword), parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.GetPassword();
}

HRESULT CPasswordPromptDlg::PromptForPassword(QWidget *parent, CDataFile &dataFile)
{
    CPasswordPromptDlg dialog(dataFile, parent);
    return RunModalDialog(dialog) == QDialog::Accepted ? S_OK : QV_E_WRONG_PASSWORD;
}
