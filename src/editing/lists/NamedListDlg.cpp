// The list editors of categories and locations.
#include "editing/lists/NamedListDlg.h"

#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/EditingStrings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CNamedListDlg::CNamedListDlg(CNamedListEditor::Kind kind, CCategoryListBase &list, IFixedObjectStore &file,
                             QWidget *parent)
    : QDialog(parent), m_editor(kind, list), m_target(list), m_file(file)
{
    const bool categories = kind == CNamedListEditor::Kind::Categories;
    setWindowTitle(categories ? tr("Master Category List") : tr("Location List"));
    setObjectName(categories ? QStringLiteral("CategoryListDlg") : QStringLiteral("LocationListDlg"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("newName"));
    m_edit->setMaxLength(m_editor.GetMaxText());
    auto *label = new QLabel(categories ? tr("&New category:") : tr("&New location:"), this);
    label->setBuddy(m_edit);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("names"));
    m_add = new QPushButton(tr("&Add"), this);
    m_add->setObjectName(QStringLiteral("add"));
    m_delete = new QPushButton(tr("&Delete"), this);
    m_delete->setObjectName(QStringLiteral("delete"));
    m_reset = new QPushButton(categories ? tr("&Reset") : tr("Remove a&ll"), this);
    m_reset->setObjectName(QStringLiteral("reset"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNamedListDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &CNamedListDlg::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CNamedListDlg::OnDelete);
    connect(m_reset, &QPushButton::clicked, this, &CNamedListDlg::OnReset);
    connect(m_edit, &QLineEdit::textChanged, this, &CNamedListDlg::UpdateButtons);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_editor.SelectRow(row);
        UpdateButtons();
    });

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(m_edit, 1, 0);
    grid->addWidget(m_add, 1, 1);
    grid->addWidget(m_list, 2, 0, 4, 1);
    grid->addWidget(m_delete, 2, 1);
    grid->addWidget(m_reset, 3, 1);
    grid->setRowStretch(5, 1);
    grid->addWidget(buttons, 6, 0, 1, 2);
    resize(380, 320);
    Fill();
    ApplyReadingOrder(this);
}

void CNamedListDlg::Fill()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    m_list->addItems(m_editor.GetRows());
    m_list->setCurrentRow(m_editor.GetSelectedRow());
    UpdateButtons();
}

void CNamedListDlg::UpdateButtons()
{
    // Add is the default button while the edit holds text; OK otherwise.
    const bool canAdd = m_editor.CanAdd(m_edit->text());
    m_add->setEnabled(canAdd);
    m_add->setDefault(canAdd);
    m_ok->setDefault(!canAdd);
    m_delete->setEnabled(m_editor.CanDelete());
}

void CNamedListDlg::OnAdd()
{
    m_editor.Add(m_edit->text());
    m_edit->clear();
    Fill();
    m_edit->setFocus();
}

void CNamedListDlg::OnDelete()
{
    m_editor.DeleteSelected();
    Fill();
    if (m_editor.GetRowCount() == 0)
        m_edit->setFocus();
    else
        m_list->setFocus();
}

void CNamedListDlg::OnReset()
{
    const bool categories = m_editor.GetKind() == CNamedListEditor::Kind::Categories;
    const QString question =
        EditingText(categories ? EditText::ResetCategoriesQuestion : EditText::ClearLocationsQuestion);
    if (ShowMessageBox(this, true, question, MessageIcon::Warning, MessageButtons::OkCancel) !=
        MessageResult::Ok)
        return;
    m_editor.Reset();
    Fill();
}

void CNamedListDlg::accept()
{
    const HRESULT hr = m_editor.Save(m_target, m_file);
    if (hr != S_OK) {
        // Reported and kept open: the edits are still here to save again.
        ReportError(hr);
        return;
    }
    QDialog::accept();
}
