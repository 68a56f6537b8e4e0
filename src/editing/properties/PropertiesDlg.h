// CPropertiesDlg: the Properties window of one event or task: the General page (or the task's),
// and for a recurring event with exceptions the Exceptions page. Runs modal under a parent and
// modeless without one, as every editor does.
#pragma once

#include "editing/base/DialogEx.h"

#include <memory>

class CItemRef;
class QTabWidget;
class QTreeWidget;

class CPropertiesDlg : public CDialogEx
{
    Q_OBJECT
  public:
    CPropertiesDlg(std::unique_ptr<CItemRef> holder, QWidget *parent = nullptr);
    ~CPropertiesDlg() override;

    QTabWidget *Pages() const { return m_pages; }
    QTreeWidget *ExceptionList() const { return m_exceptions; }

  private:
    QWidget *BuildEventGeneral();
    QWidget *BuildTaskGeneral();
    QWidget *BuildExceptions();

    std::unique_ptr<CItemRef> m_holder;
    QTabWidget *m_pages = nullptr;
    QTreeWidget *m_exceptions = nullptr;
};

// Shows the properties of the held item: modal under a live parent (returning the dialog's
// result), else modeless (returning 0).
int ShowPropertiesDialog(std::unique_ptr<CItemRef> holder, QWidget *parent);
