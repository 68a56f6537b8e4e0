// The Go To Date dialog.
#include "editing/base/GoToDateDlg.h"

#include "core/system/Messages.h"
#include "editing/base/DialogSupport.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/EditorFields.h"

#include <QFormLayout>
#include <QVBoxLayout>

CGoToDateDlg::CGoToDateDlg(const CDateTime &date, QWidget *parent) : QDialog(parent), m_date(date)
{
    setWindowTitle(tr("Go To Date"));
    setObjectName(QStringLiteral("GoToDateDlg"));
    m_field = CEditorFields::CreateDateField(this, QStringLiteral("date"));
    CEditorFields::SetDate(m_field, date);
    auto *form = new QFormLayout;
    form->addRow(tr("&Date:"), m_field);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    setMinimumWidth(260);
    ApplyReadingOrder(this);
}

void CGoToDateDlg::accept()
{
    const CDateTime date = CEditorFields::GetDate(m_field);
    if (!date.IsValid()) {
        m_field->setFocus();
        ShowWarningText(EditingText(EditText::InvalidDate));
        return;
    }
    m_date = date;
    QDialog::accept();
}
