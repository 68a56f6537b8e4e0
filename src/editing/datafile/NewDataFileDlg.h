// CNewDataFileDlg: Create New. The calendar name (at most 127 characters) and a password
// typed twice; the caller reads both after OK.
#pragma once

#include <QDialog>

class QLineEdit;

class CNewDataFileDlg : public QDialog
{
    Q_OBJECT

  public:
    // The name starts as "Personal Calendar".
    explicit CNewDataFileDlg(QWidget *parent = nullptr);

    QString GetName() const { return m_name; }
    QString GetPassword() const { return m_password; }
    void SetName(const QString &name);

    void accept() override;

  private:
    QString m_name;
    QString m_password;
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QLineEdit *m_verifyEdit = nullptr;
};
