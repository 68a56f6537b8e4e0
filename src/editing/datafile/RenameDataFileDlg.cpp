// The Rename dialog.
#include "editing/datafile/RenameDataFileDlg.h"

#include "editing/datafile/DataFileDialogRules.h"
#include "editing/base/DialogSupport.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CRenameDataFileDlg::CRenameDataFileDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Rename Tessivo file"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    m_nameEdit = AddEditRow(grid, 0, QStringLiteral("&Name:"), QStringLiteral("name"), EditKind::Plain);
    m_fileEdit = AddEditRow(grid, 1, QStringLiteral("File:"), QStringLiteral("filePath"), EditKind::ReadOnly);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(this));
    ApplyReadingOrder(this);
}

void CRenameDataFileDlg::SetName(const QString &name)
{
    m_name = name;
    m_nameEdit->setText(name);
}

void CRenameDataFileDlg::SetFilePath(const QString &path)
{
    m_filePath = path;
    m_fileEdit->setText(path);
}

void CRenameDataFileDlg::accept()
{
    const QString name = m_nameEdit->text();
    const DialogVerdict verdict = DecideRename(name);
    if (verdict.outcome == DialogVerdict::Accept)
        m_name = name;
    VerdictFields fields;
    fields.name = m_nameEdit;
    ApplyVerdict(*this, verdict, fields);
}
