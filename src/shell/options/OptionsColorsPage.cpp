// The Appearance page.
#include "shell/options/OptionsColorsPage.h"

#include "core/system/Messages.h"
#include "editing/base/SectionHeading.h"
#include "toolkit/controls/ColorButton.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The colour dialog, fully open, solid colours only, with the sixteen custom colours.
bool ChooseWithDialog(QWidget *parent, COLORREF &colour, COptionsColorsModel::CustomColors &custom)
{
    for (int i = 0; i < COptionsColorsModel::kCustomColorCount; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[std::size_t(i)]));
    const QColor chosen =
        QColorDialog::getColor(ToQColor(colour), parent, QString(), QColorDialog::DontUseNativeDialog);
    for (int i = 0; i < COptionsColorsModel::kCustomColorCount; ++i)
        custom[std::size_t(i)] = FromQColor(QColorDialog::customColor(i));
    if (!chosen.isValid())
        return false;
    colour = FromQColor(chosen);
    return true;
}

} // namespace

COptionsColorsPage::COptionsColorsPage(COLORREF livePaneBackground, COLORREF livePaneText, QWidget *parent)
    : CPropertyPage(tr("Appearance"), parent), m_chooser(ChooseWithDialog)
{
    m_model.Load(livePaneBackground, livePaneText);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->setSpacing(6);
    column->addWidget(CSectionHeading::Create(tr("General"), this));
    auto *general = new QGridLayout;
    general->setContentsMargins(12, 0, 0, 0);
    general->setHorizontalSpacing(8);
    m_customPanes = new QCheckBox(tr("Use the following colors for panes"), this);
    m_paneBackground = new CColorButton(this);
    m_paneText = new CColorButton(this);
    m_largeIcons = new QCheckBox(tr("&Large toolbar icons"), this);
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    general->addWidget(m_customPanes, 0, 0, 1, 3);
    general->addWidget(label(tr("&Background color:"), m_paneBackground), 1, 0);
    general->addWidget(m_paneBackground, 1, 1);
    general->addWidget(label(tr("&Text color:"), m_paneText), 2, 0);
    general->addWidget(m_paneText, 2, 1);
    general->addWidget(m_largeIcons, 3, 0, 1, 3);
    general->setColumnMinimumWidth(0, 150);
    general->setColumnStretch(2, 1);
    column->addLayout(general);
    column->addSpacing(8);

    column->addWidget(CSectionHeading::Create(tr("Task options"), this));
    auto *tasks = new QGridLayout;
    tasks->setContentsMargins(12, 0, 0, 0);
    tasks->setHorizontalSpacing(8);
    m_overdue = new CColorButton(this);
    m_completed = new CColorButton(this);
    tasks->addWidget(label(tr("&Overdue task color:"), m_overdue), 0, 0);
    tasks->addWidget(m_overdue, 0, 1);
    tasks->addWidget(label(tr("&Completed task color:"), m_completed), 1, 0);
    tasks->addWidget(m_completed, 1, 1);
    tasks->setColumnMinimumWidth(0, 150);
    tasks->setColumnStretch(2, 1);
    column->addLayout(tasks);
    column->addStretch(1);

    auto &s = m_model.GetState();
    connect(m_paneBackground, &QPushButton::clicked, this,
            [this, &s] { Choose(m_paneBackground, s.paneBackground); });
    connect(m_paneText, &QPushButton::clicked, this, [this, &s] { Choose(m_paneText, s.paneText); });
    connect(m_overdue, &QPushButton::clicked, this, [this, &s] { Choose(m_overdue, s.overdue); });
    connect(m_completed, &QPushButton::clicked, this, [this, &s] { Choose(m_completed, s.completed); });
    connect(m_customPanes, &QCheckBox::clicked, this, [this](bool on) {
        m_model.GetState().customPanes = on;
        m_model.MarkChanged();
        m_paneBackground->setEnabled(on);
        m_paneText->setEnabled(on);
    });
    connect(m_largeIcons, &QCheckBox::clicked, this, [this](bool on) {
        m_model.GetState().largeIcons = on;
        m_model.MarkChanged();
    });
}

void COptionsColorsPage::OnSetActive()
{
    const bool first = !WasShown();
    CPropertyPage::OnSetActive();
    if (!first)
        return;
    const auto &s = m_model.GetState();
    m_customPanes->setChecked(s.customPanes);
    m_paneBackground->SetColor(s.paneBackground);
    m_paneText->SetColor(s.paneText);
    m_paneBackground->setEnabled(s.customPanes);
    m_paneText->setEnabled(s.customPanes);
    m_largeIcons->setChecked(s.largeIcons);
    m_overdue->SetColor(s.overdue);
    m_completed->SetColor(s.completed);
}

bool COptionsColorsPage::OnKillActive()
{
    if (m_model.CanLeave())
        return true;
    m_paneText->setFocus();
    ShowWarningText(tr("Please select different colors for panes."), this);
    return false;
}

void COptionsColorsPage::Choose(CColorButton *button, COLORREF &value)
{
    COLORREF colour = value;
    if (!m_chooser || !m_chooser(this, colour, m_model.GetState().customColors) || colour == value)
        return;
    value = colour;
    button->SetColor(colour);
    button->update();
    m_model.MarkChanged();
}
