// The Categories dialog.
#include "editing/lists/CategoriesDlg.h"

#include "core/lists/MasterList.h"
#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/lists/MasterListDefaults.h"
#include "editing/lists/NamedListDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QStringList NamesOf(const CMasterList *list)
{
    QStringList names;
    if (list) {
        for (int i = 0; i < list->GetCount(); ++i)
            names.append(list->GetAt(i)->GetName());
    }
    return names;
}

// A file that holds no master list (or an empty one) gets the default names, saved at once;
// a read-only file offers them without saving.
CMasterList *WithDefaults(CMasterList *list, IFixedObjectStore *file, QObject *owner)
{
    if (!list || !file || list->GetCount() > 0)
        return list;
    const HRESULT hr = CMasterListDefaults::Load(*list, *file);
    if (hr != S_OK)
        ReportError(hr, owner);
    return list;
}
} // namespace

CCategoriesDlg::CCategoriesDlg(CMasterList *masterList, IFixedObjectStore *file,
                               const QString &categoriesText, QWidget *parent)
    : QDialog(parent), m_masterList(WithDefaults(masterList, file, parent)), m_file(file),
      m_picker(NamesOf(m_masterList), categoriesText)
{
    setWindowTitle(tr("Categories"));
    setObjectName(QStringLiteral("CategoriesDlg"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("categories"));
    auto *label = new QLabel(tr("&Item belongs to these categories:"), this);
    label->setBuddy(m_list);
    auto *setup = new QPushButton(tr("&Master Category List..."), this);
    setup->setObjectName(QStringLiteral("setup"));
    setup->setEnabled(m_masterList && m_file);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCategoriesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(setup, &QPushButton::clicked, this, &CCategoriesDlg::OnSetup);
    connect(m_list, &QListWidget::itemChanged, this, [this] {
        if (!m_filling)
            Collect();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(setup);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(360, 340);
    Fill();
    ApplyReadingOrder(this);
}

QStringList CCategoriesDlg::MasterNames() const
{
    return NamesOf(m_masterList);
}

void CCategoriesDlg::Fill()
{
    m_filling = true;
    m_list->clear();
    const auto &rows = m_picker.GetRows();
    for (int i = 0; i < int(rows.size()); ++i) {
        auto *item = new QListWidgetItem(m_picker.GetRowText(i), m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rows[std::size_t(i)].checked ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

void CCategoriesDlg::Collect()
{
    for (int i = 0; i < m_list->count(); ++i)
        m_picker.SetChecked(i, m_list->item(i)->checkState() == Qt::Checked);
}

void CCategoriesDlg::OnSetup()
{
    if (!m_masterList || !m_file)
        return;
    Collect();
    CNamedListDlg dialog(CNamedListEditor::Kind::Categories, *m_masterList, *m_file, this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() == QDialog::Accepted) {
        m_picker.Refill(MasterNames());
        Fill();
    }
}

void CCategoriesDlg::accept()
{
    Collect();
    QString text;
    if (!m_picker.Accept(text))
        return;
    m_result = text;
    QDialog::accept();
}
