// The Customize dialog of the list views.
#include "containers/customize/CustomizeListViewDlg.h"

#include "containers/customize/CustomizeParts.h"
#include "containers/customize/FontSampleRow.h"
#include "toolkit/controls/ColorComboBox.h"
#include "toolkit/controls/LabelStatic.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

CListViewSettings::Kind CCustomizeListViewDlg::KindOf(int sectionIndex)
{
    CListViewSettings::Kind kind = CListViewSettings::Kind::EventList;
    CListViewSettings::KindForSection(sectionIndex, kind);
    return kind;
}

CCustomizeListViewDlg::CCustomizeListViewDlg(int sectionIndex, FieldChooser chooseFields, QWidget *parent)
    : QDialog(parent), m_settings(KindOf(sectionIndex)), m_chooseFields(std::move(chooseFields))
{
    m_settings.Load();
    setWindowTitle(tr("Customize ") + m_settings.TitleSuffix());
    auto *top = new QVBoxLayout(this);
    CCustomizeParts::AddViewGroup(this, top, m_settings.font, &m_settings.customColors, m_settings.background,
                                  m_fontRow, m_background);
    top->addSpacing(6);
    top->addWidget(CCustomizeParts::Heading(tr("Items"), this));
    m_standardSelection = new QCheckBox(tr("Use standard sele&ction"), this);
    m_itemTypeColors = new QCheckBox(tr("Use item type colo&rs"), this);
    m_rememberFilter = new QCheckBox(tr("Remember selected &filter"), this);
    m_useFilters = new QCheckBox(tr("Take into account filters"), this);
    top->addWidget(m_standardSelection);
    top->addWidget(m_itemTypeColors);
    top->addWidget(m_rememberFilter);
    top->addWidget(m_useFilters);
    m_rememberFilter->setVisible(m_settings.ShowsRememberFilter());
    m_rememberFilter->setEnabled(m_settings.RememberFilterEnabled());
    m_useFilters->setVisible(m_settings.ShowsUseFilters());
    top->addStretch(1);

    auto *buttons = CCustomizeParts::AddOkCancel(this, top);
    m_fields = buttons->addButton(tr("&Fields..."), QDialogButtonBox::ResetRole);
    m_fields->setEnabled(bool(m_chooseFields));
    connect(m_fields, &QPushButton::clicked, this, [this] {
        if (m_chooseFields)
            m_chooseFields(this);
    });

    m_standardSelection->setChecked(m_settings.standardSelection);
    m_itemTypeColors->setChecked(m_settings.itemTypeColors);
    m_rememberFilter->setChecked(m_settings.rememberFilter);
    m_useFilters->setChecked(m_settings.useFilters);
}

void CCustomizeListViewDlg::accept()
{
    m_settings.background = m_background->GetColor();
    m_settings.standardSelection = m_standardSelection->isChecked();
    m_settings.itemTypeColors = m_itemTypeColors->isChecked();
    m_settings.rememberFilter = m_rememberFilter->isChecked();
    m_settings.useFilters = m_useFilters->isChecked();
    m_settings.Save();
    QDialog::accept();
}
