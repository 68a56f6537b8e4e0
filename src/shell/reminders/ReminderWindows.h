// CReminderWindows: the program's open reminder windows. The document creates them through it
// when a reminder comes due and lists, enables and closes them through it; the item editors ask
// it about the window of the item they edit; the tray's commands minimise, restore and silence
// them all. The list is kept topmost first: a window that opens or is activated moves to the
// front.
#pragma once

#include "core/document/ReminderWindowHost.h"
#include "editing/base/ReminderWindowPort.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class CCalendarDocument;
class CDocumentEventStore;
class CReminderDlg;
class IReminderShell;
class QWidget;

class CReminderWindows : public QObject, public IReminderWindowHost, public IReminderWindowPort
{
    Q_OBJECT
  public:
    explicit CReminderWindows(CCalendarDocument &document, QObject *parent = nullptr);
    ~CReminderWindows() override;

    CCalendarDocument &Document() const { return m_document; }
    // The visible main window, null while the program sits in the tray.
    void SetMainWindowProvider(std::function<QWidget *()> provider) { m_mainWindow = std::move(provider); }
    QWidget *MainWindow() const { return m_mainWindow ? m_mainWindow() : nullptr; }
    // The program around the windows; without one the program's own (CProgramReminderShell).
    void SetShell(IReminderShell *shell) { m_shell = shell; }
    IReminderShell &Shell();

    // IReminderWindowHost
    bool CreateReminder(CItemRef &holder) override;
    std::vector<IReminderWindow *> GetWindows() const override;

    // IReminderWindowPort
    bool IsReminderWindowOpen(const CItemKey &key) const override;
    QWidget *GetReminderWindow(const CItemKey &key) const override;
    void HoldReminderWindow(const CItemKey &key, bool hold) override;
    void CloseReminderWindow(const CItemKey &key) override;

    // The tray's commands.
    void MinimiseAll();
    void RestoreAll();
    void StopAllSounds();
    int Count() const { return int(m_windows.size()); }
    CReminderDlg *WindowAt(int index) const;
    CReminderDlg *FindWindow(int kind, std::uint32_t recordId) const;

    // The windows tell the list about themselves.
    void WindowActivated(CReminderDlg *window);
    void WindowClosed(CReminderDlg *window);

  private:
    CCalendarDocument &m_document;
    std::function<QWidget *()> m_mainWindow;
    IReminderShell *m_shell = nullptr;
    std::unique_ptr<IReminderShell> m_programShell;
    std::vector<QPointer<CReminderDlg>> m_windows;
};
