// CPasswordPromptDlg: asks for the password of a data file being opened and keeps asking until
// the file takes it or the person cancels.
#pragma once

#include "core/system/ResultCode.h"

#include <QDialog>
#include <functional>
#include <optional>

class CDataFile;
class QLineEdit;

class CPasswordPromptDlg : public QDialog
{
    Q_OBJECT

  public:
    // Tests a typed password: S_OK when it opens the file, 0x8004050F when it is wrong, any
    // other code for a failure of the file.
    using PasswordTester = std::function<HRESULT(const QString &password)>;

    // Without a parent the prompt stays on top of other windows, since nothing of the program
    // may be showing yet.
    CPasswordPromptDlg(const QString &filePath, const QString &calendarName, PasswordTester tryPassword,
                       QWidget *parent = nullptr);
    // Tests on the data file, which holds the key after OK.
    CPasswordPromptDlg(CDataFile &dataFile, QWidget *parent = nullptr);

    // The password that was accepted; meaningful after OK.
    QString GetPassword() const { return m_password; }

    void accept() override;

    // Runs the prompt modally. The accepted password, or nothing when cancelled.
    static std::optional<QString> PromptForPassword(QWidget *parent, const QString &filePath,
                                                    const QString &calendarName, PasswordTester tryPassword);
    // For an open data file, with its path and title: S_OK with the key in the file, or
    // 0x8004050F when the person cancelled.
    static HRESULT PromptForPassword(QWidget *parent, CDataFile &dataFile);

  private:
    PasswordTester m_tryPassword;
    QString m_password;
    QLineEdit *m_passwordEdit = nullptr;
};
