// The Advanced page.
#include "shell/options/OptionsAdvancedPage.h"

#include "editing/base/SectionHeading.h"
#include "toolkit/controls/TreeOptionsCtrl.h"

#include <QLabel>
#include <QVBoxLayout>

COptionsAdvancedPage::COptionsAdvancedPage(const AppSettings &live, int screenCount, QWidget *parent)
    : CPropertyPage(tr("Advanced"), parent), m_screenCount(screenCount)
{
    m_model.Load(live);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);
    column->addWidget(CSectionHeading::Create(tr("Settings"), this));
    m_tree = new CTreeOptionsCtrl(this);
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumHeight(260);
    column->addWidget(m_tree, 1);
}

void COptionsAdvancedPage::OnSetActive()
{
    const bool first = !WasShown();
    CPropertyPage::OnSetActive();
    if (!first)
        return;
    for (const auto &group : COptionsAdvancedModel::Groups()) {
        QTreeWidgetItem *parent = m_tree->InsertGroup(tr(group.text), group.image, nullptr);
        for (int i = group.first; i < group.first + group.count; ++i)
            m_items[std::size_t(i)] = m_tree->InsertCheckBox(
                tr(COptionsAdvancedModel::Switches()[std::size_t(i)].text), parent, m_model.IsChecked(i));
    }
    m_tree->expandAll();
    if (m_screenCount < 2)
        m_tree->EnableCheckBox(m_items[COptionsAdvancedModel::kSecondaryMonitor], false);
}

bool COptionsAdvancedPage::OnKillActive()
{
    if (WasShown())
        for (int i = 0; i < COptionsAdvancedModel::kCount; ++i)
            m_model.SetChecked(i, m_tree->GetCheck(m_items[std::size_t(i)]));
    return true;
}
