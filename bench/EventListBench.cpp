// The Event List over 50,000 events (one in ten recurring): filling it from the items, sorting
// it by start, subject and next occurrence, and painting one screen of it offscreen.
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceBits.h"
#include "views/base/CalendarViewWnd.h"
#include "views/list/EventListWnd.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kItems = 50000;

const char *const kSubjects[] = {"Team meeting",     "Dentist appointment", "Call with the landlord",
                                 "Lunch with Sarah", "Project review",      "Pick up the children",
                                 "Yoga class",       "Budget planning",     "Flight to Lisbon",
                                 "Parents' evening", "Car service",         "Quarterly report due"};
const char *const kLocations[] = {"", "Room 4.12", "Online", "Café Central", "Head office, 3rd floor", "Gym"};
const char *const kCategories[] = {"", "Work", "Family", "Work, Important", "Health"};

// The views paint through Qt's GUI, which needs an application object.
void EnsureApplication()
{
    static QApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "EventListBench";
        static char *argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

const std::vector<CEventItem> &Events()
{
    static const std::vector<CEventItem> events = [] {
        std::mt19937 rng(2024);
        std::vector<CEventItem> out;
        out.reserve(kItems);
        for (int i = 0; i < kItems; ++i) {
            CEventItem e;
            e.SetRecordId(std::uint32_t(i + 1));
            e.SetSubject(QString::fromUtf8(kSubjects[rng() % std::size(kSubjects)]) +
                         QStringLiteral(" %1").arg(rng() % 1000));
            e.SetLocation(QString::fromUtf8(kLocations[rng() % std::size(kLocations)]));
            e.SetCategories(QString::fromUtf8(kCategories[rng() % std::size(kCategories)]));
            const CDateTime start(2015 + int(rng() % 15), 1 + int(rng() % 12), 1 + int(rng() % 28),
                                  7 + int(rng() % 12), int(rng() % 4) * 15, 0);
            e.SetStart(start);
            e.SetDuration(CDateSpan((1 + rng() % 8) / 48.0));
            e.SetCreatedTime(CDateTime(2014, 1, 1));
            if (i % 10 == 0)
                e.SetRecurrence(Recur::Weekly | Recur::ByDate | Recur::Monday, 1, 0, start,
                                CDateTime::Null());
            out.push_back(e);
        }
        return out;
    }();
    return events;
}

void Fill(CEventListWnd &view)
{
    view.SetRange(CDateTime::Null(), CDateTime::Null());
    for (const CEventItem &e : Events()) {
        CItemRef ref;
        ref.SetItem(std::make_unique<CEventItem>(e));
        ref.SetRecordId(e.GetRecordId());
        view.OfferItem(ref, nullptr);
    }
}

void BM_FillEventList(benchmark::State &state)
{
    EnsureApplication();
    Events();
    for (auto _ : state) {
        CEventListWnd view;
        Fill(view);
        benchmark::DoNotOptimize(view.GetEntryCount());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_FillEventList)->Unit(benchmark::kMillisecond);

void BM_SortEventList(benchmark::State &state)
{
    EnsureApplication();
    CEventListWnd view;
    view.LoadDefaultLayout();
    Fill(view);
    const int column = int(state.range(0));
    const int visual = view.Columns().VisualIndexOf(column);
    bool ascending = true;
    for (auto _ : state) {
        view.SortByColumn(visual, ascending ? CItemListCtrl::SortRequest::Ascending
                                            : CItemListCtrl::SortRequest::Descending);
        ascending = !ascending;
    }
    state.SetLabel(column == 16 ? "by start" : column == 4 ? "by subject" : "by next occurrence");
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_SortEventList)->Arg(16)->Arg(4)->Arg(18)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreen(benchmark::State &state)
{
    EnsureApplication();
    CEventListWnd view;
    CCalendarViewWnd wnd(view);
    wnd.resize(1200, 800);
    view.LoadFonts(true);
    view.LoadDefaultLayout();
    Fill(view);
    view.Refresh(true);
    view.ScrollVertically(CItemListCtrl::Scroll::Track, kItems / 2);
    view.GetEntry(kItems / 2 + 3)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    QImage image(wnd.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.Draw(painter, QRect(QPoint(0, 0), wnd.size()));
    }
    state.SetLabel(QStringLiteral("%1 rows").arg(view.RowsPerPage()).toStdString());
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond);

} // namespace
