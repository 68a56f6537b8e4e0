// The data-file commands.
#include "shell/DataFileCommands.h"

#include "core/document/CalendarDocument.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "core/system/ProgramPaths.h"
#include "editing/datafile/DataFilePropertiesGeneral.h"
#include "editing/base/DialogSupport.h"
#include "editing/datafile/NewDataFileDlg.h"
#include "editing/datafile/PasswordProtectionDlg.h"
#include "editing/datafile/RenameDataFileDlg.h"
#include "shell/PasswordChange.h"
#include "shell/RecentFileList.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

namespace {

const QString kFilter = QStringLiteral("Tessivo Data File (*.qv0);;All Files (*)");

QString InitialFolder()
{
    const QString folder = GetDataFolder();
    return DirectoryExists(folder) ? folder : QString();
}

} // namespace

CDataFileCommands::Asks CDataFileCommands::DialogAsks(CCalendarDocument &document)
{
    Asks asks;
    asks.chooseNewPath = [](QWidget *parent, const QString &folder, QString &path) {
        QFileDialog dialog(parent, QStringLiteral("Create Data File"), folder, kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("qv0"));
        if (RunModalDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().first();
        return true;
    };
    asks.chooseOpenPath = [](QWidget *parent, const QString &folder, QString &path, bool &readOnly) {
        QFileDialog dialog(parent, QStringLiteral("Open Data File"), folder, kFilter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("qv0"));
        // The read-only box lives in our own copy of the dialog.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto *box = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
        box->setChecked(readOnly);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(box, grid->rowCount(), 0, 1, -1);
        if (RunModalDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().first();
        readOnly = box->isChecked();
        return true;
    };
    asks.newFileDetails = [](QWidget *parent, QString &name, QString &password) {
        CNewDataFileDlg dialog(parent);
        if (RunModalDialog(dialog) != QDialog::Accepted)
            return false;
        name = dialog.GetName();
        password = dialog.GetPassword();
        return true;
    };
    asks.newPassword = [&document](QWidget *parent, QString &password) {
        CPasswordProtectionDlg dialog(document.GetDataFile(), parent);
        if (RunModalDialog(dialog) != QDialog::Accepted)
            return false;
        password = dialog.GetNewPassword();
        return true;
    };
    asks.newName = [&document](QWidget *parent, QString &name) {
        CRenameDataFileDlg dialog(parent);
        dialog.SetName(document.GetDataFile().GetTitle());
        dialog.SetFilePath(document.GetDataFile().GetPath());
        if (RunModalDialog(dialog) != QDialog::Accepted)
            return false;
        name = dialog.GetName();
        return true;
    };
    asks.shiftHeld = [] { return QApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); };
    return asks;
}

CDataFileCommands::CDataFileCommands(CCalendarDocument &document, CRecentFileListEx &recent,
                                     std::function<void()> changed, QWidget *parent)
    : m_document(document), m_recent(recent), m_changed(std::move(changed)), m_parent(parent),
      m_asks(DialogAsks(document))
{
}

void CDataFileCommands::AddRecent(const QString &path)
{
    m_recent.Add(path);
    m_recent.WriteList(CProfile::Instance());
}

HRESULT CDataFileCommands::OpenDataFile(const QString &path, bool readOnly)
{
    if (m_document.IsOpen() && IsSameDataFilePath(path, m_document.GetDataFile().GetPath())) {
        m_changed();
        return QV_E_ALREADY_OPEN;
    }
    m_document.HandleSessionError(1);
    const HRESULT hr = m_document.OpenCalendarFile(path, QString(), nullptr, true, readOnly);
    if (hr == S_OK)
        AddRecent(path);
    if (hr == QV_E_ALREADY_OPEN)
        return hr;
    if (hr == S_OK || hr == 1 || IsQuietCode(hr))
        m_changed();
    else
        m_document.HandleSessionError(hr);
    m_changed();
    return hr;
}

void CDataFileCommands::OnNew()
{
    QString path;
    if (!m_asks.chooseNewPath(m_parent, InitialFolder(), path))
        return;
    // Creating a new file deletes what is at the path first: never the file in use.
    if (m_document.IsOpen() && IsSameDataFilePath(path, m_document.GetDataFile().GetPath())) {
        ShowWarningText(QStringLiteral("The file '%1' is the data file that is open now.\n\n"
                                       "Choose another name for the new data file.")
                            .arg(QDir::toNativeSeparators(path)),
                        m_parent);
        return;
    }
    QString name, password;
    if (!m_asks.newFileDetails(m_parent, name, password))
        return;
    const HRESULT created = CCalendarDocument::CreateFreshDataFile(path, name, password);
    if (created != S_OK) {
        ReportError(created, m_parent);
        return;
    }
    m_document.HandleSessionError(1);
    const HRESULT hr = m_document.OpenCalendarFile(path, QString(), nullptr, true, false);
    if (hr == S_OK)
        AddRecent(path);
    if (hr != S_OK && hr != 1 && !IsQuietCode(hr))
        m_document.HandleSessionError(hr);
    m_changed();
}

void CDataFileCommands::OnOpen()
{
    QString path;
    bool readOnly = GetProfileInt(ConstName::Common, ConstName::OROA, 0) != 0;
    if (!m_asks.chooseOpenPath(m_parent, InitialFolder(), path, readOnly))
        return;
    OpenDataFile(path, readOnly);
}

void CDataFileCommands::OnRecent(int index)
{
    const QString path = m_recent.GetPath(index);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        const QString text = QStringLiteral("The file '%1' cannot be opened.\n\nDo you want to remove the reference "
                                            "to it from the Recent File List?")
                                 .arg(path);
        if (AskQuestion(text, m_parent, MessageButtons::YesNo) == MessageResult::Yes) {
            m_recent.Remove(index);
            m_recent.WriteList(CProfile::Instance());
        }
        return;
    }
    const bool readOnly = GetProfileInt(ConstName::Common, ConstName::OROA, 0) != 0 ||
                          (m_asks.shiftHeld && m_asks.shiftHeld());
    OpenDataFile(path, readOnly);
}

void CDataFileCommands::OnClose()
{
    m_document.HandleSessionError(1);
    m_changed();
}

void CDataFileCommands::OnRename()
{
    if (!m_document.IsOpen())
        return;
    QString name;
    if (!m_asks.newName(m_parent, name))
        return;
    const HRESULT hr = m_document.GetDataFile().SetTitle(name);
    if (hr != S_OK)
        ReportError(hr, m_parent);
    m_changed();
}

void CDataFileCommands::OnChangePassword()
{
    if (!m_document.IsOpen() || m_document.IsReadOnly())
        return;
    QString password;
    if (!m_asks.newPassword(m_parent, password))
        return;
    const CPasswordChange::Outcome outcome = CPasswordChange().Run(m_document, password);
    if (!outcome.dataLeftAt.isEmpty()) {
        ShowErrorText(QStringLiteral("The password could not be changed, and the data file could not be put back "
                                     "at its place.\n\nYour data is safe in '%1'. Rename it back to '%2' to use it.")
                          .arg(outcome.dataLeftAt, outcome.dataLeftAt.chopped(4)),
                      m_parent);
    } else if (outcome.code != S_OK && outcome.code != QV_E_ALREADY_OPEN) {
        ReportError(outcome.code, m_parent);
    }
    m_changed();
}

void CDataFileCommands::OnProperties()
{
    if (!m_document.IsOpen())
        return;
    CDataFilePropertiesGeneral::Services services;
    services.updateMainWindowTitle = m_changed;
    const int result = CDataFilePropertiesGeneral::ShowDataFileProperties(m_parent, &m_document.GetDataFile(), services);
    if (result == -1 || result == 3)
        ReportError(E_OUT_OF_MEMORY, m_parent);
}
