// The Field Chooser window.
#include "views/list/FieldChooserDlg.h"

#include "views/list/ItemListCtrl.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CFieldChooserDlg::CFieldChooserDlg(const std::vector<int> &available, const std::vector<int> &defaults,
                                   QWidget *parent)
    : QDialog(parent), m_available(available), m_defaults(defaults)
{
    setWindowTitle(QStringLiteral("Field Chooser"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("&Check the fields to make visible in this view"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("fields"));
    label->setBuddy(m_list);
    layout->addWidget(label);
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    auto *side = new QVBoxLayout;
    auto *up = new QPushButton(QStringLiteral("Move &Up"), this);
    auto *down = new QPushButton(QStringLiteral("Move &Down"), this);
    auto *restore = new QPushButton(QStringLiteral("&Restore"), this);
    side->addWidget(up);
    side->addWidget(down);
    side->addWidget(restore);
    side->addStretch(1);
    row->addLayout(side);
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(up, &QPushButton::clicked, this, &CFieldChooserDlg::MoveUp);
    connect(down, &QPushButton::clicked, this, &CFieldChooserDlg::MoveDown);
    connect(restore, &QPushButton::clicked, this, &CFieldChooserDlg::Restore);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFieldChooserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFieldChooserDlg::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int r) {
        if (!m_showing)
            m_model.Select(r);
    });
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_showing)
            m_model.SetChecked(m_list->row(item), item->checkState() == Qt::Checked);
    });
    m_model.Fill({}, m_available);
    Show();
}

namespace {

std::vector<int> ViewFields(const CItemListCtrl &view, bool all)
{
    int sortId = 0;
    std::vector<int> ids;
    view.GetDefaultColumns(all, sortId, ids);
    return ids;
}

} // namespace

CFieldChooserDlg::CFieldChooserDlg(const CItemListCtrl &view, QWidget *parent)
    : CFieldChooserDlg(ViewFields(view, true), ViewFields(view, false), parent)
{
    SetFieldOrder(view.Columns().FieldValues());
}

void CFieldChooserDlg::ApplyTo(CItemListCtrl &view) const
{
    view.ApplyFieldValues(m_values);
    view.SaveLayout();
}

void CFieldChooserDlg::SetFieldOrder(const std::vector<std::uint32_t> &values)
{
    m_values = values;
    m_model.Fill(values, m_available);
    Show();
}

void CFieldChooserDlg::Show()
{
    m_showing = true;
    m_list->clear();
    for (const CFieldChooserModel::Row &r : m_model.Rows()) {
        auto *item = new QListWidgetItem(r.name, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(r.checked ? Qt::Checked : Qt::Unchecked);
    }
    m_list->setCurrentRow(m_model.Selected());
    m_showing = false;
}

void CFieldChooserDlg::MoveUp()
{
    m_model.MoveUp();
    Show();
}

void CFieldChooserDlg::MoveDown()
{
    m_model.MoveDown();
    Show();
}

void CFieldChooserDlg::Restore()
{
    m_model.Restore(m_defaults, m_available);
    Show();
}

void CFieldChooserDlg::accept()
{
    m_values = m_model.Result();
    QDialog::accept();
}

bool CFieldChooserDlg::Run(QWidget *parent, std::vector<std::uint32_t> &values,
                           const std::vector<int> &available, const std::vector<int> &defaults)
{
    CFieldChooserDlg dlg(available, defaults, parent);
    dlg.SetFieldOrder(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.GetFieldOrder();
    return true;
}
