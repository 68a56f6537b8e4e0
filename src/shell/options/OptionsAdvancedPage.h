// COptionsAdvancedPage: the behaviour switches as a tree of check boxes.
#pragma once

#include "shell/PropertyPage.h"
#include "shell/options/OptionsAdvancedModel.h"

#include <array>

class CTreeOptionsCtrl;
class QTreeWidgetItem;

class COptionsAdvancedPage : public CPropertyPage
{
    Q_OBJECT
  public:
    COptionsAdvancedPage(const AppSettings &live, int screenCount, QWidget *parent = nullptr);

    COptionsAdvancedModel &Model() { return m_model; }
    CTreeOptionsCtrl *Tree() const { return m_tree; }
    QTreeWidgetItem *Item(int index) const { return m_items[std::size_t(index)]; }

    void OnSetActive() override;
    // Reads the check boxes back into the values.
    bool OnKillActive() override;

  private:
    COptionsAdvancedModel m_model;
    int m_screenCount;
    CTreeOptionsCtrl *m_tree = nullptr;
    std::array<QTreeWidgetItem *, COptionsAdvancedModel::kCount> m_items{};
};
