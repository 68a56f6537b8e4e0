// Fakes of the document's ports and a fixture with a temporary data file, a temporary profile,
// a recording message port and a clock the test sets.
#pragma once

#include "core/items/ItemTestUtil.h"
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"

#include "core/document/CalendarDocument.h"
#include "core/document/DateNavigatorSink.h"
#include "core/dates/DateRules.h"
#include "core/document/DocumentShell.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/document/MainWindowSink.h"
#include "core/document/PasswordPrompt.h"
#include "core/document/ReminderWindowHost.h"
#include "core/items/TaskItem.h"
#include "core/document/TimerPort.h"

#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace document_test {

class FakeMainWindow : public IMainWindowSink
{
  public:
    void RefreshItemInView(const CCalendarItem &item) override { refreshed.push_back(item.GetRecordId()); }
    void NotifyItemRescheduled(const CCalendarItem &item, const CDateTime &) override
    {
        rescheduled.push_back(item.GetRecordId());
    }
    void NotifyItemChanged(std::uint32_t recordId, const CDateTime &, bool, bool) override
    {
        changed.push_back(recordId);
    }
    void UpdateTitle() override { ++titleUpdates; }
    void RefreshViews(bool, bool) override { ++viewRefreshes; }
    void ClearItemCount() override {}

    std::vector<std::uint32_t> refreshed, rescheduled, changed;
    int titleUpdates = 0;
    int viewRefreshes = 0;
};

class FakeNavigator : public IDateNavigatorSink
{
  public:
    void RemoveItemDays(std::uint32_t recordId, bool) override { removed.push_back(recordId); }
    void UpdateItemDays(const CEventItem &event, bool) override { updated.push_back(event.GetRecordId()); }
    std::vector<std::uint32_t> removed, updated;
};

// Types the passwords of the list one after another, as a user retrying would.
class FakePasswordPrompt : public IPasswordPrompt
{
  public:
    int PromptPassword(CDataFile &file, const QString &, const QString &) override
    {
        ++prompts;
        for (const QString &typed : passwords) {
            const HRESULT hr = file.CheckPassword(typed);
            results.push_back(hr);
            if (hr == S_OK)
                return MessageResult::Ok;
        }
        return MessageResult::Cancel;
    }
    QStringList passwords;
    std::vector<HRESULT> results;
    int prompts = 0;
};

class FakeTimers : public ITimerPort
{
  public:
    int SetTimer(int timerId, int milliseconds) override
    {
        if (fail)
            return 0;
        armed[timerId] = milliseconds;
        return timerId;
    }
    void KillTimer(int id) override { armed.erase(id); }
    std::map<int, int> armed;
    bool fail = false;
};

class FakeReminderWindow : public IReminderWindow
{
  public:
    FakeReminderWindow(std::uint32_t id, std::vector<std::unique_ptr<FakeReminderWindow>> *list)
        : recordId(id), owner(list)
    {
    }
    std::uint32_t GetRecordId() const override { return recordId; }
    bool IsMinimised() const override { return minimised; }
    void Enable(bool enable) override { enabled = enable; }
    int TimeTick(const CDateTime &) override
    {
        ++ticks;
        return 0;
    }
    void Close() override
    {
        auto it =
            std::find_if(owner->begin(), owner->end(), [this](const auto &w) { return w.get() == this; });
        if (it != owner->end())
            owner->erase(it); // deletes this: nothing may follow
    }

    std::uint32_t recordId;
    std::vector<std::unique_ptr<FakeReminderWindow>> *owner;
    bool minimised = false;
    bool enabled = true;
    int ticks = 0;
};

// Keeps its windows topmost first; a new window opens on top.
class FakeWindowHost : public IReminderWindowHost
{
  public:
    bool CreateReminder(CItemRef &holder) override
    {
        if (fail)
            return false;
        created.push_back(holder.GetRecordId());
        subjects.push_back(holder.GetItem()->GetSubject());
        windows.insert(windows.begin(), std::make_unique<FakeReminderWindow>(holder.GetRecordId(), &windows));
        return true;
    }
    std::vector<IReminderWindow *> GetWindows() const override
    {
        std::vector<IReminderWindow *> out;
        for (const auto &w : windows)
            out.push_back(w.get());
        return out;
    }
    void Open(std::uint32_t id) { windows.push_back(std::make_unique<FakeReminderWindow>(id, &windows)); }

    std::vector<std::unique_ptr<FakeReminderWindow>> windows;
    std::vector<std::uint32_t> created;
    QStringList subjects;
    bool fail = false;
};

class FakeShell : public IDocumentShell
{
  public:
    void SetWaitCursor(bool on) override { waitCursor += on ? 1 : -1; }
    void OpenItemEditor(CItemRef &holder, bool) override
    {
        editorKinds.push_back(int(holder.GetItem()->GetKind()));
    }
    void CloseSessionWindows() override { ++sessionCloses; }
    void RunIdleOnce() override {}
    HRESULT SavePublishOptions(CDataFile &) override
    {
        ++publishSaves;
        return S_OK;
    }
    int waitCursor = 0;
    std::vector<int> editorKinds;
    int sessionCloses = 0;
    int publishSaves = 0;
};

class DocumentFixture : public ::testing::Test
{
  public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("calendar.qvd"));
        SetClock(At(2024, 3, 12, 8, 0));
        m_doc.SetMainWindow(&m_mainWindow);
        m_doc.SetDateNavigator(&m_navigator);
        m_doc.SetShell(&m_shell);
        m_doc.SetReminderWindowHost(&m_windows);
        m_doc.SetPasswordPrompt(&m_prompt);
    }
    void TearDown() override
    {
        m_doc.CloseCalendarFile();
        SetNowProvider({});
        ResetToday();
    }

    void SetClock(const CDateTime &now)
    {
        m_now = now;
        SetNowProvider([this] { return m_now; });
        UpdateToday();
    }

    void CreateFile(const QString &password = QString())
    {
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, QStringLiteral("Home"), password), S_OK);
    }
    void CreateAndOpen()
    {
        CreateFile();
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    }

    // A single event with a reminder `lead` before its start, stored through the document.
    std::uint32_t AddEvent(const QString &subject, const CDateTime &start, const CDateSpan &lead,
                           std::uint32_t extraFlags = 0)
    {
        CEventItem event;
        event.SetSubject(subject);
        event.SetStart(start);
        event.SetDuration(Hours(1));
        event.SetReminder(true, lead);
        event.SetFlags(event.GetFlags() | extraFlags);
        EXPECT_EQ(m_doc.StoreEvent(event, true), S_OK);
        return event.GetRecordId();
    }

    std::vector<std::uint32_t> QueuedIds() const
    {
        std::vector<std::uint32_t> ids;
        for (const auto &entry : m_doc.GetQueue())
            ids.push_back(entry->recordId);
        return ids;
    }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    QTemporaryDir m_dir;
    QString m_path;
    CDateTime m_now;
    FakeMainWindow m_mainWindow;
    FakeNavigator m_navigator;
    FakeShell m_shell;
    FakeWindowHost m_windows;
    FakePasswordPrompt m_prompt;
    FakeTimers m_timers; // handed to the document by the tests that run the timers
    CCalendarDocument m_doc;
};

} // namespace document_test
