// The General page of the data file's Properties.
#include "editing/datafile/DataFilePropertiesGeneral.h"

#include "core/storage/DataFile.h"
#include "core/system/Messages.h"
#include "editing/datafile/DataFileDialogRules.h"
#include "editing/base/DialogSupport.h"
#include "editing/datafile/RenameDataFileDlg.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QFrame *Separator()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton *AddButtonRow(QGridLayout *grid, int row, const QString &text, const QString &note,
                          const QString &objectName)
{
    auto *button = new QPushButton(text);
    button->setObjectName(objectName);
    grid->addWidget(button, row, 0);
    grid->addWidget(new QLabel(note), row, 1);
    return button;
}

} // namespace

CDataFilePropertiesGeneral::CDataFilePropertiesGeneral(CDataFile *dataFile, Services services,
                                                       QWidget *parent)
    : QWidget(parent), m_dataFile(dataFile), m_services(std::move(services))
{
    setWindowTitle(QStringLiteral("General"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QGridLayout;
    m_name = AddEditRow(top, 0, QStringLiteral("Name:"), QStringLiteral("name"), EditKind::ReadOnly);
    layout->addLayout(top);
    layout->addWidget(Separator());
    auto *details = new QGridLayout;
    m_fileName =
        AddEditRow(details, 0, QStringLiteral("Filename:"), QStringLiteral("fileName"), EditKind::ReadOnly);
    m_size = AddEditRow(details, 1, QStringLiteral("Size:"), QStringLiteral("size"), EditKind::ReadOnly);
    m_created =
        AddEditRow(details, 2, QStringLiteral("Created:"), QStringLiteral("created"), EditKind::ReadOnly);
    layout->addLayout(details);
    layout->addWidget(Separator());
    auto *buttons = new QGridLayout;
    m_rename = AddButtonRow(buttons, 0, QStringLiteral("Rename Calendar..."),
                            QStringLiteral("Renames the calendar"), QStringLiteral("renameCalendar"));
    m_backUp = AddButtonRow(buttons, 1, QStringLiteral("Back Up..."), QStringLiteral("Backs up the calendar"),
                            QStringLiteral("backUp"));
    layout->addLayout(buttons);
    layout->addStretch();
    connect(m_rename, &QPushButton::clicked, this, &CDataFilePropertiesGeneral::OnRenameCalendar);
    connect(m_backUp, &QPushButton::clicked, this, &CDataFilePropertiesGeneral::OnBackUp);
    ApplyReadingOrder(this);

    if (!m_dataFile) {
        m_rename->setEnabled(false);
        m_backUp->setEnabled(false);
        return;
    }
    m_name->setText(m_dataFile->GetTitle());
    m_fileName->setText(m_dataFile->GetPath());
    StorageFileInformation info;
    if (m_dataFile->GetStorageFile().GetFileInformation(info) == S_OK) {
        m_size->setText(FormatFileSizeText(info.size));
        m_created->setText(FormatCreatedText(m_dataFile->GetCreationTime()));
    }
    const bool readOnly = m_dataFile->IsReadOnly();
    m_rename->setEnabled(!readOnly);
    m_backUp->setEnabled(!readOnly && m_services.backUp != nullptr);
}

void CDataFilePropertiesGeneral::OnRenameCalendar()
{
    if (!m_dataFile)
        return;
    CRenameDataFileDlg dialog(this);
    dialog.SetName(m_dataFile->GetTitle());
    dialog.SetFilePath(m_dataFile->GetPath());
    if (RunModalDialog(dialog) == QDialog::Accepted)
        ApplyNewName(dialog.GetName());
}

HRESULT CDataFilePropertiesGeneral::ApplyNewName(const QString &name)
{
    if (!m_dataFile)
        return S_FALSE;
    const HRESULT hr = m_dataFile->SetTitle(name);
    if (hr != S_OK)
        return ReportError(hr, this);
    // The header may have cut the name; show what it holds.
    m_name->setText(m_dataFile->GetTitle());
    if (m_services.updateMainWindowTitle)
        m_services.updateMainWindowTitle();
    return S_OK;
}

void CDataFilePropertiesGeneral::OnBackUp()
{
    if (!m_dataFile || !m_services.backUp)
        return;
    if (m_dataFile->IsReadOnly()) {
        ShowWarning(DataFileDialogText::ReadOnlyMode, this);
        return;
    }
    const HRESULT hr = m_services.backUp(this, *m_dataFile);
    if (hr != S_OK && hr != QV_E_CANCELLED)
        ReportError(hr, this);
}

int CDataFilePropertiesGeneral::ShowDataFileProperties(QWidget *parent, CDataFile *dataFile,
                                                       Services services)
{
    QDialog sheet(parent);
    sheet.setWindowTitle(QStringLiteral("Data File"));
    auto *layout = new QVBoxLayout(&sheet);
    auto *tabs = new QTabWidget;
    auto *page = new CDataFilePropertiesGeneral(dataFile, std::move(services));
    tabs->addTab(page, page->windowTitle());
    layout->addWidget(tabs);
    layout->addWidget(MakeOkCancel(&sheet));
    ApplyReadingOrder(&sheet);
    return RunModalDialog(sheet);
}
