// CFilterEditDlg: the Edit Filter dialog: the name, which item types and categories, AND or OR.
// The decisions are the core's filter rules; this window shows and gathers them.
#pragma once

#include "core/lists/FilterRules.h"

#include <QDialog>

class CItemFilter;
class QButtonGroup;
class QLineEdit;
class QListWidget;

class CFilterEditDlg : public QDialog
{
    Q_OBJECT
  public:
    // `filter` is rewritten on OK; `index` is its place in the working list (-1 for a new one);
    // `workingNames` the names of the working list by index.
    CFilterEditDlg(CItemFilter &filter, int index, const QStringList &workingNames,
                   const QStringList &typeNames, const QStringList &categoryNames, QWidget *parent = nullptr);

    QLineEdit *GetNameEdit() const { return m_name; }
    QListWidget *GetTypeList() const { return m_types; }
    QListWidget *GetCategoryList() const { return m_categories; }
    void ChooseTypes(FilterChoice choice);
    void ChooseCategories(FilterChoice choice);
    void accept() override;

  private:
    void ShowGroup(QListWidget *list, FilterChoice choice, const QStringList &checked, bool extraChecked);
    FilterEditState Gather() const;

    CItemFilter &m_filter;
    int m_index;
    QStringList m_workingNames;
    QStringList m_typeNames;
    QStringList m_categoryNames;
    FilterEditState m_state;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_typeChoice = nullptr;
    QButtonGroup *m_categoryChoice = nullptr;
    QButtonGroup *m_condition = nullptr;
    QListWidget *m_types = nullptr;
    QListWidget *m_categories = nullptr;
};
