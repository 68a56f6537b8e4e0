// CFilterListDlg: the Define Filters dialog over the core's filter list model: the saved filters
// by name, their details, create, edit and delete, Apply Filter and Close.
#pragma once

#include "core/lists/FilterListModel.h"

#include <QDialog>

class CItemTypeList;
class IFixedObjectStore;
class QLabel;
class QListWidget;
class QPushButton;

class CFilterListDlg : public QDialog
{
    Q_OBJECT
  public:
    CFilterListDlg(IFixedObjectStore &file, CItemTypeList &types, const QStringList &categoryNames,
                   QWidget *parent = nullptr);

    // The name of the filter to apply; empty when none was chosen.
    QString GetResult() const { return m_result; }
    CFilterListModel &GetModel() { return m_model; }
    QListWidget *GetList() const { return m_list; }
    void OnCreate();
    void OnEdit();
    void OnDelete();
    void accept() override; // Apply Filter
    void reject() override; // Close

  private:
    void Fill();
    void ShowDetails();
    bool SaveIfChanged();

    IFixedObjectStore &m_file;
    CItemTypeList &m_types;
    QStringList m_categoryNames;
    CFilterListModel m_model;
    QString m_result;
    QListWidget *m_list = nullptr;
    QPushButton *m_create = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_apply = nullptr;
    QLabel *m_typesText = nullptr;
    QLabel *m_conditionText = nullptr;
    QLabel *m_categoriesText = nullptr;
};
