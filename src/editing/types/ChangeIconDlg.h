// CChangeIconDlg: "Change Icon": the icons of one source in a list; the user picks one, or
// browses to another source. Returns the source path and the chosen icon's index, from which
// LoadIconFromFile loads the item type's icons.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

class CChangeIconDlg : public QDialog
{
    Q_OBJECT
  public:
    // Opens on the program's icon library (the desktop theme without it).
    explicit CChangeIconDlg(QWidget *parent = nullptr);

    // After OK: the source and the chosen icon (0 first); -1 before.
    const QString &GetPath() const { return m_path; }
    int GetIndex() const { return m_index; }

    // Fills the list from a source; false, the list unchanged, when the source holds no icons.
    bool FillFrom(const QString &path);
    int IconCount() const;
    void SelectIcon(int index);
    // Browse: a chosen file with icons refills the list, one without shows "contains no icons".
    void Browse();
    // Browse without the file dialog: what choosing `file` does.
    void TakeBrowsedFile(const QString &file);
    void accept() override;

  private:
    QString m_path;
    int m_index = -1;
    QListWidget *m_list = nullptr;
    QLineEdit *m_fileName = nullptr;
};
