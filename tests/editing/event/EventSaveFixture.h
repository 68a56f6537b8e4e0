// A temporary data file under a document, a store that fails at a chosen step, and helpers that
// open an editor model on a new event, a stored series or one occurrence and read back exactly
// which records the file holds after reopening it.
#pragma once

#include "core/document/DocumentTestSupport.h"

#include "core/items/RecurrenceBits.h"
#include "editing/event/DocumentEventStore.h"
#include "editing/event/EventEditorModel.h"
#include "editing/event/EventSave.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace event_save_test {

using namespace document_test;

// Passes every call on to the document, except the call numbered failAt (counted from 1 over all
// loads, stores, deletes and list saves), which fails without touching the file.
class FaultyStore : public IEventStore
{
  public:
    explicit FaultyStore(CCalendarDocument &doc) : m_real(doc) {}
    HRESULT LoadEvent(CEventItem &e) override { return Step() ? m_real.LoadEvent(e) : kFailure; }
    HRESULT StoreEvent(CEventItem &e) override { return Step() ? m_real.StoreEvent(e) : kFailure; }
    HRESULT DeleteEvent(std::uint32_t id, bool keepMark) override
    {
        return Step() ? m_real.DeleteEvent(id, keepMark) : kFailure;
    }
    HRESULT SaveEventRef(CItemRef &h) override { return Step() ? m_real.SaveEventRef(h) : kFailure; }
    HRESULT DeleteHeldEvent(CItemRef &h, bool one) override
    {
        return Step() ? m_real.DeleteHeldEvent(h, one) : kFailure;
    }
    CCategoryList &GetLocationList() override { return m_real.GetLocationList(); }
    HRESULT SaveLocationList() override { return Step() ? m_real.SaveLocationList() : kFailure; }

    static constexpr HRESULT kFailure = HRESULT(0x80070000u + 112); // disk full
    int failAt = 0;
    int calls = 0;

  private:
    bool Step() { return ++calls != failAt; }
    CDocumentEventStore m_real;
};

// One record as the reopened file holds it.
struct StoredEvent
{
    std::uint32_t id = 0;
    QString subject;
    CDateTime start;
    double durationDays = 0;
    bool recurring = false;
    bool deleted = false;
    int exceptions = 0;
    std::uint32_t externalRef = 0;

    bool operator==(const StoredEvent &o) const
    {
        return subject == o.subject && start == o.start && std::abs(durationDays - o.durationDays) < 1e-6 &&
               recurring == o.recurring && deleted == o.deleted && exceptions == o.exceptions &&
               externalRef == o.externalRef;
    }
};

inline void PrintTo(const StoredEvent &e, std::ostream *os)
{
    *os << "{" << e.subject.toStdString() << " " << e.start.ToIsoString().toStdString() << " "
        << e.durationDays << "d" << (e.recurring ? " series" : "") << (e.deleted ? " deleted" : "") << " ex "
        << e.exceptions << " ref " << e.externalRef << "}";
}

class EventSaveFixture : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
    }

    // Every event record of the file after closing and opening it again, sorted by subject and start.
    std::vector<StoredEvent> Reopened()
    {
        m_doc.CloseCalendarFile();
        EXPECT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        std::vector<StoredEvent> out;
        m_doc.EnumAllEvents([&](std::uint32_t id) {
            CEventItem e(id);
            EXPECT_EQ(m_doc.LoadEvent(e), S_OK);
            StoredEvent s;
            s.id = id;
            s.subject = e.GetSubject();
            s.start = e.GetStart();
            s.durationDays = e.GetDuration().Value();
            s.recurring = e.IsRecurring();
            s.deleted = e.HasFlag(CCalendarItem::FlagDeleted);
            s.exceptions = e.GetExceptionCount();
            s.externalRef = e.GetReservedValue();
            out.push_back(s);
            return S_OK;
        });
        std::sort(out.begin(), out.end(), [](const StoredEvent &a, const StoredEvent &b) {
            if (a.subject != b.subject)
                return a.subject < b.subject;
            if (!(a.start == b.start))
                return a.start < b.start;
            return a.deleted < b.deleted;
        });
        return out;
    }

    static StoredEvent Rec(const char *subject, const CDateTime &start, double days, bool recurring = false,
                           int exceptions = 0, bool deleted = false, std::uint32_t ref = 0)
    {
        StoredEvent s;
        s.subject = QString::fromUtf8(subject);
        s.start = start;
        s.durationDays = days;
        s.recurring = recurring;
        s.exceptions = exceptions;
        s.deleted = deleted;
        s.externalRef = ref;
        return s;
    }

    // A weekly series on Mondays from 6 May 2024, 09:00-10:00, stored.
    std::uint32_t StoreWeeklySeries(const char *subject = "Standup")
    {
        CEventItem e =
            MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
        e.SetSubject(QString::fromUtf8(subject));
        EXPECT_EQ(m_doc.StoreEvent(e, false), S_OK);
        return e.GetRecordId();
    }

    // An editor model on a stored event as a series or single event.
    std::unique_ptr<CEventEditorModel> OpenStored(std::uint32_t id)
    {
        auto holder = std::make_unique<CItemRef>();
        EXPECT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindEvent, id), S_OK);
        auto model =
            std::make_unique<CEventEditorModel>(std::move(holder), false, false, EventEditorSettings());
        EXPECT_TRUE(model->Load());
        return model;
    }

    // An editor model on one occurrence, as a view's open command makes it: the event's record
    // id cleared and a new exception for the occurrence.
    std::unique_ptr<CEventEditorModel> OpenOccurrence(std::uint32_t id, const CDateTime &key)
    {
        auto holder = std::make_unique<CItemRef>();
        EXPECT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindEvent, id), S_OK);
        holder->SetOccurrenceDate(key);
        holder->SetOneOccurrence(true);
        CEventItem *event = holder->GetEvent();
        bool created = event->FindExceptionIndex(key) < 0;
        if (created)
            event->InsertException(key);
        event->SetRecordId(0);
        auto model =
            std::make_unique<CEventEditorModel>(std::move(holder), false, created, EventEditorSettings());
        EXPECT_TRUE(model->Load());
        return model;
    }

    std::unique_ptr<CEventEditorModel> OpenNew()
    {
        auto model = std::make_unique<CEventEditorModel>(std::make_unique<CItemRef>(1), false, false,
                                                         EventEditorSettings());
        EXPECT_TRUE(model->Load());
        return model;
    }
};

} // namespace event_save_test
