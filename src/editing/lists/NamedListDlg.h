// CNamedListDlg: the Master Category List and Location List dialogs over CNamedListEditor.
#pragma once

#include "editing/lists/NamedListEditor.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

class CNamedListDlg : public QDialog
{
    Q_OBJECT
  public:
    CNamedListDlg(CNamedListEditor::Kind kind, CCategoryListBase &list, IFixedObjectStore &file,
                  QWidget *parent = nullptr);

    CNamedListEditor &GetEditor() { return m_editor; }
    QLineEdit *GetEdit() const { return m_edit; }
    QListWidget *GetList() const { return m_list; }
    void OnAdd();
    void OnDelete();
    void OnReset();
    void accept() override;

  private:
    void Fill();
    void UpdateButtons();

    CNamedListEditor m_editor;
    CCategoryListBase &m_target;
    IFixedObjectStore &m_file;
    QLineEdit *m_edit = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_reset = nullptr;
    QPushButton *m_ok = nullptr;
};
