// The Customize dialog of the Year view.
#include "containers/customize/CustomizeYearViewDlg.h"

#include "containers/customize/CustomizeParts.h"
#include "containers/customize/FontSampleRow.h"
#include "toolkit/controls/ColorButton.h"
#include "toolkit/controls/ColorComboBox.h"
#include "toolkit/controls/LabelStatic.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CCustomizeYearViewDlg::CCustomizeYearViewDlg(QWidget *parent)
    : QDialog(parent), m_settings(CCustomizeParts::LookColor(42))
{
    m_settings.Load();
    setWindowTitle(tr("Customize Year View"));
    auto *top = new QVBoxLayout(this);
    CCustomizeParts::AddViewGroup(this, top, m_settings.font, &m_settings.customColors, m_settings.background,
                                  m_fontRow, m_background);
    m_weekNumbers = new QCheckBox(tr("Show week &numbers"), this);
    m_autosizing = new QCheckBox(tr("&Autosizing"), this);
    m_rememberFilter = new QCheckBox(tr("Remember selected &filter"), this);
    top->addWidget(m_weekNumbers);
    top->addWidget(m_autosizing);
    top->addWidget(m_rememberFilter);
    top->addSpacing(6);
    top->addWidget(CCustomizeParts::Heading(tr("Days with events"), this));
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Color for days with events:"), this));
    m_busyColor = new CColorButton(this);
    colorRow->addWidget(m_busyColor);
    colorRow->addStretch(1);
    top->addLayout(colorRow);
    m_itemTypeColors = new QCheckBox(tr("&Use item type colors"), this);
    top->addWidget(m_itemTypeColors);
    top->addStretch(1);
    CCustomizeParts::AddOkCancel(this, top);

    m_weekNumbers->setChecked(m_settings.weekNumbers);
    m_autosizing->setChecked(m_settings.autosizing);
    m_rememberFilter->setChecked(m_settings.rememberFilter);
    m_itemTypeColors->setChecked(m_settings.itemTypeColors);
    m_busyColor->SetColor(m_settings.busyColor);
    connect(m_busyColor, &QPushButton::clicked, this, [this] {
        if (auto chosen = CCustomizeParts::ChooseColor(this, m_busyColor->GetColor(), &m_settings.customColors))
            if (*chosen != m_busyColor->GetColor())
                m_busyColor->SetColor(*chosen);
    });
}

void CCustomizeYearViewDlg::accept()
{
    m_settings.background = m_background->GetColor();
    m_settings.weekNumbers = m_weekNumbers->isChecked();
    m_settings.autosizing = m_autosizing->isChecked();
    m_settings.rememberFilter = m_rememberFilter->isChecked();
    m_settings.itemTypeColors = m_itemTypeColors->isChecked();
    m_settings.busyColor = m_busyColor->GetColor();
    m_settings.Save();
    QDialog::accept();
}
