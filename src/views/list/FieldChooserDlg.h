// CFieldChooserDlg: "Field Chooser": which fields a list view shows as columns and in which
// order. A thin window over CFieldChooserModel.
#pragma once

#include "views/list/FieldChooserModel.h"

#include <QDialog>

class CItemListCtrl;
class QListWidget;

class CFieldChooserDlg : public QDialog
{
    Q_OBJECT

  public:
    // `available` the fields the view offers, `defaults` its default columns (for "&Restore").
    CFieldChooserDlg(const std::vector<int> &available, const std::vector<int> &defaults,
                     QWidget *parent = nullptr);

    // On a list view: its fields, its default columns and its layout now.
    explicit CFieldChooserDlg(const CItemListCtrl &view, QWidget *parent = nullptr);

    // The layout (width << 16 | id, display order) before the dialog runs, and after OK.
    void SetFieldOrder(const std::vector<std::uint32_t> &values);
    const std::vector<std::uint32_t> &GetFieldOrder() const { return m_values; }
    CFieldChooserModel &Model() { return m_model; }

    void MoveUp();
    void MoveDown();
    void Restore();
    void accept() override;

    // Hands the layout of OK to the view, which keeps it in its settings at once.
    void ApplyTo(CItemListCtrl &view) const;

    // Runs the dialog on a layout; true with the new layout on OK.
    static bool Run(QWidget *parent, std::vector<std::uint32_t> &values, const std::vector<int> &available,
                    const std::vector<int> &defaults);

  private:
    void Show();

    CFieldChooserModel m_model;
    std::vector<int> m_available;
    std::vector<int> m_defaults;
    std::vector<std::uint32_t> m_values;
    QListWidget *m_list = nullptr;
    bool m_showing = false;
};
