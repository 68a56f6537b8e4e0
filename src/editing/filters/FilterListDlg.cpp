// The Define Filters dialog.
#include "editing/filters/FilterListDlg.h"

#include "core/lists/ItemTypeList.h"
#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/base/SectionHeading.h"
#include "editing/filters/FilterEditDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QStringList TypeNamesOf(const CItemTypeList &types)
{
    QStringList names;
    for (int i = 0; i < types.GetTypeCount(); ++i) {
        ItemTypeInfo info;
        if (types.GetTypeInfo(i, info))
            names.append(info.name);
    }
    return names;
}
} // namespace

CFilterListDlg::CFilterListDlg(IFixedObjectStore &file, CItemTypeList &types,
                               const QStringList &categoryNames, QWidget *parent)
    : QDialog(parent), m_file(file), m_types(types), m_categoryNames(categoryNames), m_model(types)
{
    setWindowTitle(tr("Define Filters"));
    setObjectName(QStringLiteral("FilterListDlg"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("filters"));
    m_create = new QPushButton(tr("&Create..."), this);
    m_create->setObjectName(QStringLiteral("create"));
    m_edit = new QPushButton(tr("&Edit..."), this);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_delete = new QPushButton(tr("&Delete"), this);
    m_delete->setObjectName(QStringLiteral("delete"));
    m_typesText = new QLabel(this);
    m_conditionText = new QLabel(this);
    m_categoriesText = new QLabel(this);
    for (QLabel *label : {m_typesText, m_conditionText, m_categoriesText}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
    }
    auto *buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(tr("&Apply Filter"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFilterListDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFilterListDlg::reject);
    connect(m_create, &QPushButton::clicked, this, &CFilterListDlg::OnCreate);
    connect(m_edit, &QPushButton::clicked, this, &CFilterListDlg::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CFilterListDlg::OnDelete);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.SelectRow(row);
        ShowDetails();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_model.GetSelectedRow() >= 0)
            OnEdit();
        else
            OnCreate();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CSectionHeading::Create(tr("Existing filters"), this));
    auto *top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(m_create);
    side->addWidget(m_edit);
    side->addWidget(m_delete);
    side->addStretch();
    top->addLayout(side);
    layout->addLayout(top, 1);
    layout->addWidget(CSectionHeading::Create(tr("Details"), this));
    auto *details = new QGridLayout;
    details->addWidget(new QLabel(tr("Item types:"), this), 0, 0, Qt::AlignTop);
    details->addWidget(m_typesText, 0, 1);
    details->addWidget(new QLabel(tr("Condition:"), this), 1, 0, Qt::AlignTop);
    details->addWidget(m_conditionText, 1, 1);
    details->addWidget(new QLabel(tr("Categories:"), this), 2, 0, Qt::AlignTop);
    details->addWidget(m_categoriesText, 2, 1);
    details->setColumnStretch(1, 1);
    layout->addLayout(details);
    layout->addWidget(buttons);
    resize(440, 380);
    Fill();
    ApplyReadingOrder(this);
}

void CFilterListDlg::Fill()
{
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        for (int row = 0; row < m_model.GetRowCount(); ++row)
            m_list->addItem(m_model.GetRowText(row));
        m_list->setCurrentRow(m_model.GetSelectedRow());
    }
    if (m_model.GetSelectedRow() >= 0)
        m_list->scrollToItem(m_list->item(m_model.GetSelectedRow()));
    m_create->setEnabled(m_model.CanCreate());
    m_edit->setEnabled(m_model.CanEditOrDelete());
    m_delete->setEnabled(m_model.CanEditOrDelete());
    ShowDetails();
}

void CFilterListDlg::ShowDetails()
{
    const FilterDetails details = m_model.GetSelectedDetails();
    m_typesText->setText(details.itemTypes);
    m_conditionText->setText(details.condition);
    m_categoriesText->setText(details.categories);
    m_apply->setEnabled(m_model.CanApply());
}

void CFilterListDlg::OnCreate()
{
    if (!m_model.CanCreate())
        return;
    CItemFilter filter;
    CFilterEditDlg dialog(filter, -1, m_model.GetWorkingNames(), TypeNamesOf(m_types), m_categoryNames, this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_model.AddFilter(filter);
    Fill();
    m_list->setFocus();
}

void CFilterListDlg::OnEdit()
{
    const CItemFilter *selected = m_model.GetSelectedFilter();
    if (!selected)
        return;
    CItemFilter filter;
    filter.CopyFrom(*selected);
    CFilterEditDlg dialog(filter, m_model.GetSelectedFilterIndex(), m_model.GetWorkingNames(),
                          TypeNamesOf(m_types), m_categoryNames, this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_model.ReplaceSelected(filter);
    Fill();
}

void CFilterListDlg::OnDelete()
{
    if (m_model.GetSelectedRow() < 0)
        return;
    if (ShowMessageBox(this, true, QString::fromUtf8(kDeleteFilterQuestion), MessageIcon::Warning,
                       MessageButtons::YesNo) != MessageResult::Yes)
        return;
    m_model.DeleteSelected();
    Fill();
    if (m_model.GetRowCount() > 0)
        m_list->setFocus();
    else
        m_create->setFocus();
}

bool CFilterListDlg::SaveIfChanged()
{
    const HRESULT hr = m_model.Save(m_types, m_file);
    if (hr != S_OK) {
        ReportError(hr);
        return false;
    }
    return true;
}

void CFilterListDlg::accept()
{
    const CItemFilter *selected = m_model.GetSelectedFilter();
    if (!selected)
        return;
    const QString name = selected->GetName();
    if (!SaveIfChanged())
        return; // reported; the working list stays for another try
    m_result = name;
    QDialog::accept();
}

void CFilterListDlg::reject()
{
    const bool changed = m_model.IsChanged();
    if (!SaveIfChanged())
        return;
    if (changed)
        QDialog::accept();
    else
        QDialog::reject();
}
