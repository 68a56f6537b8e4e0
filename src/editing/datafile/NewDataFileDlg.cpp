// The Create New dialog.
#include "editing/datafile/NewDataFileDlg.h"

#include "core/system/StringTable.h"
#include "editing/datafile/DataFileDialogRules.h"
#include "editing/base/DialogSupport.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNewDataFileDlg::CNewDataFileDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Create New Tessivo File"));
    auto *layout = new QVBoxLayout(this);
    auto *nameGrid = new QGridLayout;
    m_nameEdit = AddEditRow(nameGrid, 0, QStringLiteral("&Name:"), QStringLiteral("name"), EditKind::Plain);
    layout->addLayout(nameGrid);
    layout->addWidget(new QLabel(QStringLiteral("Enter a password for your Tessivo file.")));
    auto *grid = new QGridLayout;
    m_passwordEdit =
        AddEditRow(grid, 0, QStringLiteral("&Password:"), QStringLiteral("newPassword"), EditKind::Password);
    m_verifyEdit = AddEditRow(grid, 1, QStringLiteral("&Verify Password:"), QStringLiteral("confirmPassword"),
                              EditKind::Password);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QString::fromUtf8(kPasswordKeyText)));
    layout->addWidget(MakeOkCancel(this));
    SetName(LoadResString(DataFileDialogText::DefaultCalendarName));
    ApplyReadingOrder(this);
}

void CNewDataFileDlg::SetName(const QString &name)
{
    m_name = name;
    m_nameEdit->setText(name);
}

void CNewDataFileDlg::accept()
{
    const QString name = m_nameEdit->text();
    const QString password = m_passwordEdit->text();
    const DialogVerdict verdict = DecideNewDataFile(name, password, m_verifyEdit->text());
    if (verdict.outcome == DialogVerdict::Accept) {
        m_name = name;
        m_password = password;
    }
    VerdictFields fields;
    fields.name = m_nameEdit;
    fields.newPassword = m_passwordEdit;
    fields.confirmPassword = m_verifyEdit;
    ApplyVerdict(*this, verdict, fields);
}
