// CRenameDataFileDlg: Rename. The calendar name (at most 127 characters) beside the file's
// path; the caller reads the name after OK.
#pragma once

#include <QDialog>

class QLineEdit;

class CRenameDataFileDlg : public QDialog
{
    Q_OBJECT

  public:
    explicit CRenameDataFileDlg(QWidget *parent = nullptr);

    QString GetName() const { return m_name; }
    void SetName(const QString &name);
    QString GetFilePath() const { return m_filePath; }
    void SetFilePath(const QString &path);

    void accept() override;

  private:
    QString m_name;
    QString m_filePath;
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_fileEdit = nullptr;
};
