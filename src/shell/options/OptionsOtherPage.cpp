// The Other page.
#include "shell/options/OptionsOtherPage.h"

#include "editing/base/SectionHeading.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

COptionsOtherPage::COptionsOtherPage(std::function<void(QWidget *parent)> setup, QWidget *parent)
    : CPropertyPage(tr("Other"), parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);
    column->addWidget(CSectionHeading::Create(tr("Location List"), this));
    auto *row = new QGridLayout;
    row->setContentsMargins(12, 0, 0, 0);
    row->addWidget(new QLabel(tr("To change the list, click Setup."), this), 0, 0);
    m_setup = new QPushButton(tr("&Setup..."), this);
    m_setup->setAutoDefault(false);
    row->addWidget(m_setup, 0, 1);
    row->setColumnStretch(2, 1);
    row->setHorizontalSpacing(16);
    column->addLayout(row);
    column->addStretch(1);
    m_setup->setEnabled(bool(setup));
    connect(m_setup, &QPushButton::clicked, this, [this, setup] {
        if (setup)
            setup(this);
    });
}
