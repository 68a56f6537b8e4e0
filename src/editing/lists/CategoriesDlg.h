// CCategoriesDlg: ticks the categories of an item from the master list; Setup... edits the list.
#pragma once

#include "editing/lists/CategoriesPicker.h"

#include <QDialog>

class CMasterList;
class IFixedObjectStore;
class QListWidget;

class CCategoriesDlg : public QDialog
{
    Q_OBJECT
  public:
    // Without a master list (or a file to save it to) the list offers only the item's names.
    CCategoriesDlg(CMasterList *masterList, IFixedObjectStore *file, const QString &categoriesText,
                   QWidget *parent = nullptr);
    // The categories text after OK.
    QString GetResult() const { return m_result; }
    QListWidget *GetList() const { return m_list; }
    void accept() override;

  private:
    QStringList MasterNames() const;
    void Fill();
    void Collect();
    void OnSetup();

    CMasterList *m_masterList;
    IFixedObjectStore *m_file;
    CCategoriesPicker m_picker;
    QListWidget *m_list = nullptr;
    QString m_result;
    bool m_filling = false;
};
