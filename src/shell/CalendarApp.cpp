// Start-up, the single instance, and the application's own commands.
#include "shell/CalendarApp.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "core/system/ProgramPaths.h"
#include "editing/datafile/PasswordPromptPort.h"
#include "shell/AboutDlg.h"
#include "shell/FirstRunDefaults.h"
#include "views/drawing/ItemTypeArtResources.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "shell/LogindWatcher.h"
#include "shell/MessageBoxPort.h"
#include "shell/SessionLending.h"
#include "shell/ShellCommands.h"
#include "shell/SingleInstance.h"
#include "shell/TrayArt.h"
#include "shell/TrayRules.h"
#include "shell/options/OptionsCommand.h"
#include "shell/reminders/ReminderWindows.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <malloc.h>

bool HasDisplay()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")) &&
        !platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform.startsWith(QLatin1String("xcb")))
        return !qEnvironmentVariableIsEmpty("DISPLAY");
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

CCalendarApp::CCalendarApp(const QString &instanceKey)
    : m_instance(std::make_unique<CSingleInstance>(instanceKey)),
      m_lending(std::make_unique<CSessionLending>(m_document))
{
}

CCalendarApp::~CCalendarApp()
{
    if (CCalendarDocument::GetApplicationDocument() == &m_document) {
        m_document.SetShell(nullptr);
        m_document.SetTimerPort(nullptr);
        m_document.SetPasswordPrompt(nullptr);
    }
    delete m_frame;
    SetMessagePort(nullptr);
}

bool CCalendarApp::InitInstance(const QStringList &arguments)
{
    m_starting = true;
    const CommandLine line = CommandLine::Parse(arguments);

    if (!m_instance->BecomeFirst()) {
        // A later copy: hand the request to the running one and end.
        QString request = QString::fromLatin1(CSingleInstance::kRestore);
        if (line.switchGiven == CommandLine::Switch::Quit || line.switchGiven == CommandLine::Switch::Uninstall)
            request = QString::fromLatin1(CSingleInstance::kQuit);
        else if (!line.openPath.isEmpty())
            request = QString::fromLatin1(CSingleInstance::kOpenPrefix) + line.openPath;
        if (line.switchGiven == CommandLine::Switch::Uninstall)
            CFirstRunDefaults::RemoveAutostartEntry();
        m_exitCode = m_instance->SendToFirst(request) ? 0 : 1;
        return false;
    }
    if (line.switchGiven == CommandLine::Switch::Uninstall) {
        CFirstRunDefaults::RemoveAutostartEntry();
        return false;
    }
    if (line.switchGiven == CommandLine::Switch::Quit)
        return false; // nothing runs that could be told to quit
    const bool noHide = line.switchGiven == CommandLine::Switch::NoHide;

    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(MakeProgramIcon());
    QApplication::setApplicationDisplayName(GetConstString(ConstName::ProgramName));
    m_messagePort = std::make_unique<CMessageBoxPort>();
    SetMessagePort(m_messagePort.get());

    // The built-in item-type icons, which new files and Restore in Options take their art from.
    RegisterItemTypeArt();
    UpdateToday();
    BuildLocaleFormats();
    ApplyFirstRunDefaults(CProfile::Instance());
    ProgramSettings().Load(CProfile::Instance(), AppSettingsEnvironment::FromSystem(noHide));
    ApplyCalendarRules(ProgramSettings());

    m_document.RegisterAsApplicationDocument();
    m_passwordPrompt = std::make_unique<CPasswordPromptPort>();
    m_document.SetPasswordPrompt(m_passwordPrompt.get());
    m_document.SetShell(this);
    m_frame = new CMainFrame(m_document);
    m_frame->SetApplicationTarget(this);
    m_frame->SetNoHide(noHide);
    m_document.SetTimerPort(m_frame);
    if (!m_frame->Create())
        return false;
    connect(m_frame, &CMainFrame::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(m_instance.get(), &CSingleInstance::RequestReceived, this, &CCalendarApp::OnInstanceRequest);
    if (ProgramSettings().followSessionChanges) {
        auto *watcher = new CLogindWatcher(this);
        connect(watcher, &CLogindWatcher::SessionLeft, this,
                [this] { m_lending->OnSessionLeft(QApplication::activeModalWidget() != nullptr); });
        connect(watcher, &CLogindWatcher::SessionBack, this, [this] {
            if (m_lending->OnSessionBack() == S_OK && m_frame->GetMainWnd())
                m_frame->GetMainWnd()->RefreshViews(true, true);
            m_frame->UpdateTrayIcon();
        });
    }

    StartShowState start;
    start.hideMainWindow = GetProfileInt(ConstName::Common, ConstName::HMW, 0) != 0;
    start.noHide = noHide;
    if (line.openPath.isEmpty()) {
        const bool shift = QApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
        const HRESULT hr = m_document.OpenLastCalendarFile(shift);
        if (hr != S_OK) {
            m_document.CloseCalendarFile();
            m_frame->SetStartupError(hr);
            start.openFailed = true;
        } else {
            start.readOnly = m_document.IsReadOnly();
        }
    }
    m_frame->AddTrayIcon();
    start.hasTray = m_frame->HasTrayIcon();
    const bool show = ShowMainWindowAtStart(start);
    if (m_document.ArmReminderTimer() == 0) {
        ReportError(0x8004050A);
        return false;
    }
    if (!line.openPath.isEmpty())
        OnOpenRequest(line.openPath);
    else if (show)
        m_frame->Restore();
    m_starting = false;
    if (!m_frame->GetMainWnd())
        malloc_trim(0); // sitting in the tray: give memory back
    return true;
}

void CCalendarApp::OnInstanceRequest(const QString &request)
{
    if (request == QLatin1String(CSingleInstance::kQuit))
        m_frame->Close();
    else if (request.startsWith(QLatin1String(CSingleInstance::kOpenPrefix)))
        OnOpenRequest(request.mid(int(qstrlen(CSingleInstance::kOpenPrefix))));
    else
        m_frame->Restore();
}

bool CCalendarApp::OnOpenRequest(const QString &path)
{
    if (QApplication::activeModalWidget() || m_lending->IsLent()) {
        // A dialog is running (opening another file under it would pull the file away), or the
        // file is lent while the session is away.
        m_frame->Restore();
        QApplication::beep();
        return false;
    }
    m_frame->Restore();
    if (QFileInfo(path).suffix().compare(QStringLiteral("zaz"), Qt::CaseInsensitive) == 0) {
        ShowInfoText(QStringLiteral("You need to import the Holiday file into the program. Click Help."));
        return true;
    }
    const bool readOnly = GetProfileInt(ConstName::Common, ConstName::OROA, 0) != 0;
    if (m_document.IsOpen() && IsSameDataFilePath(path, m_document.GetDataFile().GetPath()))
        return true;
    m_document.HandleSessionError(1);
    const HRESULT hr = m_document.OpenCalendarFile(path, QString(), nullptr, true, readOnly);
    CMainWnd *window = m_frame->GetMainWnd();
    if (hr == S_OK && window)
        window->AddRecentFile(path);
    else if (hr != S_OK && hr != 1 && !IsQuietCode(hr))
        m_document.HandleSessionError(hr);
    if (window)
        window->RefreshViews(true, false);
    m_frame->UpdateTrayIcon();
    return true;
}

void CCalendarApp::SetWaitCursor(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CCalendarApp::OpenItemEditor(CItemRef &, bool)
{
    // The item editors are not part of the program yet.
}

void CCalendarApp::CloseSessionWindows()
{
    // Pop-ups above the main window close; a modal dialog is never torn down under its loop.
    if (CMainWnd *window = m_frame ? m_frame->GetMainWnd() : nullptr)
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget != window && widget->isVisible() && widget->isWindow() && !widget->isModal() &&
                widget->windowType() == Qt::Popup)
                widget->close();
}

void CCalendarApp::RunIdleOnce()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

HRESULT CCalendarApp::SavePublishOptions(CDataFile &)
{
    return S_OK; // web publishing keeps no options yet
}

void CCalendarApp::OpenLink(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

bool CCalendarApp::OnCommand(int id)
{
    switch (id) {
    case ShellCmd::About:
        ShowAboutDialog(m_frame->GetMainWnd());
        return true;
    case ShellCmd::Web:
    case ShellCmd::OnlineHelp:
        OpenLink(GetConstString(ConstName::WebSite));
        return true;
    case ShellCmd::Support:
    case ShellCmd::Newsletter:
        OpenLink(GetConstString(ConstName::MailTo) + GetConstString(ConstName::SupportAddress));
        return true;
    case ShellCmd::HelpTopics: {
        const QString help = GetInstallValue(GetConstString(ConstName::InstallPath)) + QStringLiteral("/help/index.html");
        if (!QFileInfo::exists(help) || !QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
            ShowErrorTextModal(QStringLiteral("Cannot open help."));
        return true;
    }
    case ShellCmd::SoundEnable:
    case ShellCmd::SoundDisable:
        ProgramSettings().soundOn = id == ShellCmd::SoundEnable ? 1 : 0;
        WriteProfileInt(ConstName::Common, ConstName::SoundE, ProgramSettings().soundOn);
        return true;
    case ShellCmd::EnableReminders:
        m_frame->ToggleReminders();
        return true;
    case ShellCmd::Options:
        RunOptionsCommand(m_document, *m_frame);
        return true;
    case ShellCmd::MinimiseAllReminders:
        m_frame->Reminders().MinimiseAll();
        return true;
    case ShellCmd::RestoreAllReminders:
        m_frame->Reminders().RestoreAll();
        return true;
    case ShellCmd::StopAllSounds:
        m_frame->Reminders().StopAllSounds();
        return true;
    default:
        return false;
    }
}

bool CCalendarApp::OnUpdateCommand(int id, CCmdUI &ui)
{
    const bool writable = m_document.IsOpen() && !m_document.IsReadOnly();
    switch (id) {
    case ShellCmd::About:
    case ShellCmd::Web:
    case ShellCmd::OnlineHelp:
    case ShellCmd::Support:
    case ShellCmd::Newsletter:
    case ShellCmd::HelpTopics:
    case ShellCmd::Options:
        ui.Enable(true);
        return true;
    case ShellCmd::SoundEnable:
        ui.Enable(ProgramSettings().soundOn == 0);
        return true;
    case ShellCmd::SoundDisable:
        ui.Enable(ProgramSettings().soundOn != 0);
        return true;
    case ShellCmd::EnableReminders:
        ui.Enable(writable);
        ui.SetCheck(m_frame->AreRemindersOn());
        return true;
    case ShellCmd::MinimiseAllReminders:
    case ShellCmd::RestoreAllReminders:
    case ShellCmd::StopAllSounds:
        ui.Enable(writable);
        return true;
    // Need the item editors, which are not part of the program yet.
    case ShellCmd::NewTask:
    case ShellCmd::PrintSetup:
        ui.Enable(false);
        return true;
    default:
        return false;
    }
}
