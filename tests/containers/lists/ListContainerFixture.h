// The Event List and Search Results containers over a temporary data file with a few hundred
// items: single, all-day and multi-day events, series with changed and deleted occurrences,
// hidden events and tasks in every state, plus a handful of items with known texts the search
// tests look for. Today is Tuesday 2024-03-12.
#pragma once

#include "containers/support/ContainerFixture.h"

#include "containers/lists/EventListContainer.h"
#include "containers/lists/SearchContainer.h"
#include "core/items/ItemTestUtil.h"
#include "core/lists/Category.h"
#include "views/list/EventListWnd.h"

#include <map>
#include <set>

namespace list_test {
using namespace container_test;

// One entry as the tests compare them: the record and, for a changed occurrence listed on its
// own, its key date (null for the entry of the whole item).
using EntryKey = std::pair<std::uint32_t, double>;

class ListContainerFixture : public ContainerFixture
{
  public:
    void TearDown() override
    {
        m_lists.clear();
        ContainerFixture::TearDown();
    }

    template <class T> T &Make()
    {
        auto owned = std::make_unique<T>();
        T &c = *owned;
        m_lists.push_back(std::move(owned));
        c.SetContext(&m_context);
        c.SetDataSource(&m_port);
        c.LoadPaneOptions(true);
        c.UpdateFilter(false);
        c.resize(900, 600);
        return c;
    }
    // Destroys a container as the program does when it ends.
    void Drop(CViewContainer &c)
    {
        for (auto it = m_lists.begin(); it != m_lists.end(); ++it)
            if (it->get() == &c) {
                m_lists.erase(it);
                return;
            }
    }
    // The next start of the program: the settings are read again from the file.
    void RestartSettings()
    {
        m_profile.Profile().Sync();
        CProfile::UseIniFile(m_profile.IniPath());
    }

    static std::multiset<std::uint32_t> RecordsOf(const CCalendarViewCtrl &view)
    {
        std::multiset<std::uint32_t> ids;
        for (const auto &e : view.GetEntries())
            ids.insert(e->GetItemRef());
        return ids;
    }
    static std::set<EntryKey> KeysOf(const CCalendarViewCtrl &view)
    {
        std::set<EntryKey> keys;
        for (const auto &e : view.GetEntries())
            keys.insert({e->GetItemRef(), e->HasFlag(CDisplayItem::FlagChanged) ? e->GetOccurrenceDate().Value() : 0.0});
        return keys;
    }

    // ---- The calendar ----
    std::uint32_t Store(CEventItem &e)
    {
        EXPECT_EQ(m_doc.StoreEvent(e, true), S_OK);
        return e.GetRecordId();
    }
    std::uint32_t Single(const QString &subject, const CDateTime &start, const CDateSpan &duration,
                         const QString &location = {}, const QString &notes = {}, std::uint32_t flags = 0)
    {
        CEventItem e;
        e.SetSubject(subject);
        e.SetStart(start);
        e.SetDuration(duration);
        e.SetLocation(location);
        e.SetNotes(notes);
        e.SetFlags(e.GetFlags() | flags);
        return Store(e);
    }
    // Every `interval` days from the start; `count` occurrences when given, else open.
    static CEventItem Series(const QString &subject, const CDateTime &start, int interval, int count = 0)
    {
        CDateTime end;
        std::uint32_t word = Recur::Daily | Recur::ByDate;
        if (count > 0) {
            end = start.DatePart();
            AddDays(end, interval * (count - 1));
            word |= Recur::HasEndDate;
        }
        CEventItem e = MakeSeries(start, Minutes(30), word, std::uint16_t(interval), 0, end);
        e.SetSubject(subject);
        return e;
    }

    // The category a third of the meetings carry, in the master list.
    QString FilterCategory()
    {
        const QString name = QStringLiteral("Work");
        if (m_doc.GetMasterList().Find(name, true) < 0)
            m_doc.GetMasterList().Add(CCategory(name));
        return name;
    }

    // The few hundred items of every kind.
    void BuildCalendar()
    {
        for (int i = 0; i < 150; ++i) {
            CDateTime start = At(2023, 10, 1, 8 + i % 9);
            AddDays(start, i * 3);
            CEventItem e;
            e.SetSubject(QStringLiteral("Meeting %1").arg(i));
            e.SetStart(start);
            e.SetDuration(Hours(1));
            e.SetLocation(QStringLiteral("Room %1").arg(i % 7));
            e.SetNotes(QStringLiteral("Agenda point %1").arg(i));
            if (i % 3 == 0)
                e.SetCategories(QStringLiteral("Errands, ") + FilterCategory());
            if (i % 50 == 7)
                e.SetFlags(e.GetFlags() | CCalendarItem::FlagHidden);
            Store(e);
        }
        for (int i = 0; i < 30; ++i) {
            CDateTime day = At(2024, 1, 1);
            AddDays(day, i * 5);
            Single(QStringLiteral("Holiday %1").arg(i), day, Days(1));
        }
        for (int i = 0; i < 20; ++i) {
            CDateTime day = At(2024, 2, 1, 9);
            AddDays(day, i * 6);
            Single(QStringLiteral("Conference %1").arg(i), day, Days(3), QStringLiteral("Hall %1").arg(i));
        }
        for (int i = 0; i < 40; ++i) {
            CDateTime start = At(2023, 11, 6, 7);
            AddDays(start, i);
            CEventItem s = Series(QStringLiteral("Routine %1").arg(i), start, 7, i % 2 ? 10 : 0);
            if (i % 4 == 0) {
                CDateTime key = start;
                AddDays(key, 14);
                CRecurrenceException *x = s.GetException(key, true);
                x->SetSubject(true, QStringLiteral("Routine %1 moved").arg(i));
                x->SetNotes(true, QStringLiteral("changed notes %1").arg(i));
                x->newStart = key + Hours(2);
            }
            Store(s);
        }
        for (int i = 0; i < 60; ++i) {
            CDateTime due = At(2024, 2, 20);
            AddDays(due, i);
            CTaskItem t;
            t.SetSubject(QStringLiteral("Chore %1").arg(i));
            if (i % 5 != 0)
                t.SetDueDate(due);
            if (i % 4 == 0)
                t.MarkCompleted(At(2024, 3, 1));
            EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
        }
        BuildKnownItems();
    }

    // Items with texts found by the search tests.
    void BuildKnownItems()
    {
        budget = Single(QStringLiteral("Quarterly budget review"), At(2024, 3, 20, 10), Hours(2),
                        QStringLiteral("Board room"));
        sailing = Single(QStringLiteral("Sailing"), At(2024, 4, 6, 9), Hours(4), QStringLiteral("Marina"),
                         QStringLiteral("Bring the harbour charts"));
        lunch = Single(QStringLiteral("Lunch"), At(2024, 3, 8, 12), Hours(1), QStringLiteral("Lighthouse Cafe"));
        CEventItem gym = Series(QStringLiteral("Gym"), At(2024, 3, 4, 7), 7);
        gym.SetLocation(QStringLiteral("Sports centre"));
        CRecurrenceException *a = gym.GetException(At(2024, 3, 18, 7), true);
        a->SetSubject(true, QStringLiteral("Dentist appointment"));
        a->newStart = At(2024, 3, 18, 15);
        CRecurrenceException *b = gym.GetException(At(2024, 4, 15, 7), true);
        b->SetLocation(true, QStringLiteral("Dentist clinic"));
        CRecurrenceException *c = gym.GetException(At(2024, 3, 25, 7), true);
        c->SetSubject(true, QStringLiteral("Dentist follow-up"));
        gymKeyA = At(2024, 3, 18, 7);
        gymKeyB = At(2024, 4, 15, 7);
        gymKeyC = At(2024, 3, 25, 7);
        gym_ = Store(gym);
        // The follow-up was called off: that occurrence is gone with its texts.
        EXPECT_EQ(m_doc.DeleteOccurrence(gym_, gymKeyC, true, true), S_OK);
        CTaskItem t;
        t.SetSubject(QStringLiteral("Call the dentist"));
        t.SetDueDate(At(2024, 5, 2));
        EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
        dentistTask = t.GetRecordId();
    }

    std::uint32_t budget = 0, sailing = 0, lunch = 0, gym_ = 0, dentistTask = 0;
    CDateTime gymKeyA, gymKeyB, gymKeyC;
    std::vector<std::unique_ptr<CViewContainer>> m_lists;
};

} // namespace list_test
