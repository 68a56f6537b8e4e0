// CCalendarApp: the application: one copy per user, start-up in the tray with the hidden frame,
// the calendar document for the life of the process, the open requests of later copies, and
// the commands that work without the main window (About, links, sounds, reminders).
#pragma once

#include "core/document/CalendarDocument.h"
#include "core/document/DocumentShell.h"
#include "shell/CommandLine.h"
#include "toolkit/commands/CommandTarget.h"

#include <QObject>
#include <memory>

class CMainFrame;
class CMessageBoxPort;
class CPasswordPromptPort;
class CSessionLending;
class CSingleInstance;

class CCalendarApp : public QObject, public IDocumentShell, public ICommandTarget
{
    Q_OBJECT

  public:
    // `instanceKey` keeps the single-instance names of tests apart; empty in the program.
    explicit CCalendarApp(const QString &instanceKey = QString());
    ~CCalendarApp() override;

    // True to run the event loop; false to end at once with ExitCode.
    bool InitInstance(const QStringList &arguments);
    int ExitCode() const { return m_exitCode; }

    // A data file handed over by a desktop launch or a later copy (the shell's open request).
    bool OnOpenRequest(const QString &path);
    // One request line from a later copy.
    void OnInstanceRequest(const QString &request);

    CCalendarDocument &Document() { return m_document; }
    CSessionLending &Lending() { return *m_lending; }
    CMainFrame &Frame() { return *m_frame; }

    // IDocumentShell
    void SetWaitCursor(bool on) override;
    void OpenItemEditor(CItemRef &holder, bool readOnly) override;
    void CloseSessionWindows() override;
    void RunIdleOnce() override;
    HRESULT SavePublishOptions(CDataFile &file) override;

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CCmdUI &ui) override;

  private:
    void OpenLink(const QString &url);

    CCalendarDocument m_document;
    std::unique_ptr<CMessageBoxPort> m_messagePort;
    std::unique_ptr<CPasswordPromptPort> m_passwordPrompt;
    std::unique_ptr<CSingleInstance> m_instance;
    std::unique_ptr<CSessionLending> m_lending;
    CMainFrame *m_frame = nullptr;
    bool m_starting = false;
    int m_exitCode = 0;
};

// True when the program has a display to show its windows on (or runs on a platform that
// needs none, such as offscreen).
bool HasDisplay();
