// The Customize Date Navigator dialog.
#include "containers/customize/CustomizeDateNavigatorDlg.h"

#include "containers/customize/CustomizeParts.h"
#include "containers/customize/FontSampleRow.h"
#include "containers/mainbase/MainBasePointers.h"
#include "containers/mainbase/MainBaseWnd.h"
#include "toolkit/controls/ColorButton.h"
#include "toolkit/controls/LabelStatic.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

CCustomizeDateNavigatorDlg::CCustomizeDateNavigatorDlg(QWidget *parent)
    : QDialog(parent), m_settings(CCustomizeParts::LookColor(35))
{
    m_settings.Load();
    setWindowTitle(tr("Customize Date Navigator"));
    setMinimumWidth(360);
    auto *top = new QVBoxLayout(this);
    top->addWidget(CCustomizeParts::Heading(tr("Date Navigator"), this));
    auto *form = new QFormLayout;
    top->addLayout(form);
    m_fontRow = new CFontSampleRow(m_settings.font, tr("F&ont..."), this);
    form->addRow(tr("Font:"), m_fontRow);
    m_weekNumbers = new QCheckBox(tr("Show week &numbers"), this);
    top->addWidget(m_weekNumbers);
    top->addSpacing(6);
    top->addWidget(CCustomizeParts::Heading(tr("Days with events"), this));
    auto *busyRow = new QHBoxLayout;
    m_busyDefault = new QCheckBox(tr("&Default color for days with events:"), this);
    m_busyColor = new CColorButton(this);
    busyRow->addWidget(m_busyDefault);
    busyRow->addWidget(m_busyColor);
    busyRow->addStretch(1);
    top->addLayout(busyRow);
    m_useFilters = new QCheckBox(tr("Take into account filters"), this);
    m_itemTypeColors = new QCheckBox(tr("&Use item type colors"), this);
    for (QCheckBox *box : {m_useFilters, m_itemTypeColors}) {
        auto *row = new QHBoxLayout;
        row->addSpacing(20);
        row->addWidget(box);
        top->addLayout(row);
    }
    top->addStretch(1);
    CCustomizeParts::AddOkCancel(this, top);

    m_weekNumbers->setChecked(m_settings.weekNumbers);
    m_busyDefault->setChecked(m_settings.busyDefault);
    m_useFilters->setChecked(m_settings.useFilters);
    m_itemTypeColors->setChecked(m_settings.itemTypeColors);
    m_busyColor->SetColor(m_settings.busyColor);
    UpdateEnabling();

    connect(m_busyDefault, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.SetBusyDefault(on);
        m_useFilters->setChecked(m_settings.useFilters);
        m_itemTypeColors->setChecked(m_settings.itemTypeColors);
        UpdateEnabling();
    });
    connect(m_busyColor, &QPushButton::clicked, this, [this] {
        if (auto chosen = CCustomizeParts::ChooseColor(this, m_busyColor->GetColor(), &m_settings.customColors))
            if (*chosen != m_busyColor->GetColor())
                m_busyColor->SetColor(*chosen);
    });
}

void CCustomizeDateNavigatorDlg::UpdateEnabling()
{
    const bool on = m_settings.BusyOptionsEnabled();
    m_useFilters->setEnabled(on);
    m_itemTypeColors->setEnabled(on);
    m_busyColor->setEnabled(on);
}

void CCustomizeDateNavigatorDlg::accept()
{
    m_settings.weekNumbers = m_weekNumbers->isChecked();
    m_settings.busyDefault = m_busyDefault->isChecked();
    m_settings.useFilters = m_useFilters->isChecked();
    m_settings.itemTypeColors = m_itemTypeColors->isChecked();
    m_settings.busyColor = m_busyColor->GetColor();
    m_changed = m_settings.Save();
    if (m_changed)
        if (CMainBaseWnd *mainBase = CMainBasePointers::MainBase())
            mainBase->ResizeDateNavigatorBar();
    QDialog::accept();
}
