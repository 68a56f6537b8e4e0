// CPasswordProtectionDlg: Change Password. Asks for the old password and the new one twice;
// the caller reads the new password after OK and writes the file anew with it.
#pragma once

#include <QDialog>

class CDataFile;
class QLineEdit;

class CPasswordProtectionDlg : public QDialog
{
    Q_OBJECT

  public:
    explicit CPasswordProtectionDlg(CDataFile &dataFile, QWidget *parent = nullptr);

    // Meaningful after OK.
    QString GetNewPassword() const { return m_newPassword; }

    // OK: a wrong old password or differing new entries keep the dialog open; a new password
    // equal to the old one ends it as cancelled, since nothing would change.
    void accept() override;

  private:
    CDataFile &m_dataFile;
    QString m_newPassword;
    QLineEdit *m_old = nullptr;
    QLineEdit *m_new = nullptr;
    QLineEdit *m_confirm = nullptr;
};
