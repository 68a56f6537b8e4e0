// The list of open reminder windows.
#include "shell/reminders/ReminderWindows.h"

#include "core/items/CalendarItem.h"
#include "core/items/ItemRef.h"
#include "shell/reminders/ProgramReminderShell.h"
#include "shell/reminders/ReminderDlg.h"
#include "shell/sound/SoundPlayer.h"

#include <algorithm>

CReminderWindows::CReminderWindows(CCalendarDocument &document, QObject *parent)
    : QObject(parent), m_document(document)
{
}

CReminderWindows::~CReminderWindows()
{
    for (const QPointer<CReminderDlg> &window : std::vector<QPointer<CReminderDlg>>(m_windows))
        delete window.data();
}

IReminderShell &CReminderWindows::Shell()
{
    if (m_shell)
        return *m_shell;
    if (!m_programShell)
        m_programShell = std::make_unique<CProgramReminderShell>(*this);
    return *m_programShell;
}

bool CReminderWindows::CreateReminder(CItemRef &holder)
{
    auto *window = new CReminderDlg(*this);
    // Listed first, so that it is found while it comes up.
    m_windows.insert(m_windows.begin(), window);
    if (!window->CreateReminder(holder)) {
        WindowClosed(window);
        delete window;
        return false;
    }
    return true;
}

std::vector<IReminderWindow *> CReminderWindows::GetWindows() const
{
    std::vector<IReminderWindow *> out;
    for (const QPointer<CReminderDlg> &window : m_windows) {
        if (window && !window->IsClosing())
            out.push_back(window.data());
    }
    return out;
}

CReminderDlg *CReminderWindows::WindowAt(int index) const
{
    const std::vector<IReminderWindow *> windows = GetWindows();
    if (index < 0 || index >= int(windows.size()))
        return nullptr;
    return static_cast<CReminderDlg *>(windows[std::size_t(index)]);
}

CReminderDlg *CReminderWindows::FindWindow(int kind, std::uint32_t recordId) const
{
    for (IReminderWindow *w : GetWindows()) {
        auto *window = static_cast<CReminderDlg *>(w);
        if (window->GetRecordId() == recordId && (kind == 0 || window->GetKind() == kind))
            return window;
    }
    return nullptr;
}

bool CReminderWindows::IsReminderWindowOpen(const CItemKey &key) const
{
    return key.itemId != 0 && FindWindow(key.kind, key.itemId) != nullptr;
}

QWidget *CReminderWindows::GetReminderWindow(const CItemKey &key) const
{
    return key.itemId != 0 ? FindWindow(key.kind, key.itemId) : nullptr;
}

void CReminderWindows::HoldReminderWindow(const CItemKey &key, bool hold)
{
    if (CReminderDlg *window = key.itemId != 0 ? FindWindow(key.kind, key.itemId) : nullptr)
        window->SetHeldByEditor(hold);
}

void CReminderWindows::CloseReminderWindow(const CItemKey &key)
{
    if (CReminderDlg *window = key.itemId != 0 ? FindWindow(key.kind, key.itemId) : nullptr)
        window->Close();
}

void CReminderWindows::MinimiseAll()
{
    for (IReminderWindow *w : GetWindows())
        static_cast<CReminderDlg *>(w)->showMinimized();
}

void CReminderWindows::RestoreAll()
{
    for (IReminderWindow *w : GetWindows()) {
        auto *window = static_cast<CReminderDlg *>(w);
        if (window->isMinimized())
            window->showNormal();
    }
}

void CReminderWindows::StopAllSounds()
{
    for (IReminderWindow *w : GetWindows())
        static_cast<CReminderDlg *>(w)->StopSound();
}

void CReminderWindows::WindowActivated(CReminderDlg *window)
{
    const auto it = std::find(m_windows.begin(), m_windows.end(), window);
    if (it == m_windows.end() || it == m_windows.begin())
        return;
    QPointer<CReminderDlg> keep = *it;
    m_windows.erase(it);
    m_windows.insert(m_windows.begin(), keep);
}

void CReminderWindows::WindowClosed(CReminderDlg *window)
{
    m_windows.erase(std::remove_if(m_windows.begin(), m_windows.end(),
                                   [window](const QPointer<CReminderDlg> &w) { return !w || w == window; }),
                    m_windows.end());
}
