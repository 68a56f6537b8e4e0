// Laying out and painting a month of 5,000 occurrences (most from recurring events, expanded by
// the core's occurrence search) to an offscreen image, next to the floor of painting the same
// number of filled, captioned rectangles with QPainter. Prints both and their ratio.
#include "ImageViewHost.h"
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceBits.h"
#include "core/dates/WeekRules.h"
#include "views/month/MonthViewCtrl.h"
#include "views/base/ViewPorts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kOccurrences = 5000;
constexpr int kDailySeries = 100; // 42 days each in a six-week grid
const QSize kImageSize(1400, 1000);

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "MonthViewBench";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv); // lives for the whole run
    }
}

// 100 daily series and single events to make up 5,000 occurrences in September 2024's grid.
std::vector<CEventItem> MakeCalendar()
{
    std::mt19937 rng(2024);
    std::vector<CEventItem> events;
    const CDateTime gridStart(2024, 8, 26);
    for (int i = 0; i < kDailySeries; ++i) {
        CEventItem e;
        const CDateTime start(2024, 8, 1, 6 + i % 14, int(rng() % 4) * 15, 0);
        e.SetSubject(QStringLiteral("Daily %1").arg(i));
        e.SetStart(start);
        e.SetDuration(CDateSpan(0, 0, 30, 0));
        e.SetRecurrence(Recur::Daily | Recur::ByDate, 1, 0, start, CDateTime());
        events.push_back(e);
    }
    const int singles = kOccurrences - kDailySeries * 42;
    for (int i = 0; i < singles; ++i) {
        CEventItem e;
        CDateTime start = gridStart;
        AddDays(start, long(rng() % 42));
        const bool allDay = rng() % 8 == 0;
        start = CDateTime(start.GetYear(), start.GetMonth(), start.GetDay(), allDay ? 0 : 7 + int(rng() % 12),
                          0, 0);
        e.SetSubject(QStringLiteral("Event %1").arg(i));
        e.SetStart(start);
        e.SetDuration(allDay ? CDateSpan(double(1 + rng() % 3)) : CDateSpan(0, 1, 0, 0));
        events.push_back(e);
    }
    return events;
}

double g_viewSeconds = 0, g_floorSeconds = 0;

void BM_MonthViewLayoutAndPaint(benchmark::State &state)
{
    EnsureApplication();
    SetFirstDayOfWeek(0);
    const std::vector<CEventItem> events = MakeCalendar();
    ImageViewHost host(kImageSize);
    QImage image(kImageSize, QImage::Format_RGB32);
    long placed = 0;
    for (auto _ : state) {
        CMonthViewCtrl view;
        view.SetHost(&host);
        view.m_optionOS = 0; // stack single-day items: the costlier layout
        QFont font;
        font.setPixelSize(12);
        view.ApplyFont(font);
        view.SetDate(CDateTime(2024, 9, 12));
        for (const CEventItem &e : events) {
            CItemRef ref;
            ref.SetItem(std::make_unique<CEventItem>(e));
            ref.SetRecordId(1);
            view.AddItem(ref);
        }
        view.Refresh(true);
        QPainter painter(&image);
        view.Draw(painter, image.rect());
        painter.end();
        placed = view.GetEntryCount();
    }
    state.counters["entries"] = double(placed);
}

void BM_PlainRectangleFloor(benchmark::State &state)
{
    EnsureApplication();
    QImage image(kImageSize, QImage::Format_RGB32);
    QFont font;
    font.setPixelSize(12);
    std::vector<QRect> rects;
    std::vector<QString> captions;
    for (int i = 0; i < kOccurrences; ++i) {
        rects.emplace_back((i * 37) % (kImageSize.width() - 120), (i * 17) % (kImageSize.height() - 20), 120,
                           17);
        captions.push_back(QStringLiteral("Event %1").arg(i));
    }
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        for (int i = 0; i < kOccurrences; ++i) {
            painter.fillRect(rects[std::size_t(i)], QColor(0xFF, 0xF8, 0xE0));
            painter.drawText(rects[std::size_t(i)], Qt::AlignLeft | Qt::AlignVCenter,
                             captions[std::size_t(i)]);
        }
    }
}

// Keeps both timings (milliseconds per pass) to print their ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const double seconds = run.GetAdjustedRealTime() / 1e3; // both run in milliseconds
            if (run.benchmark_name().find("MonthView") != std::string::npos)
                g_viewSeconds = seconds;
            else if (run.benchmark_name().find("Floor") != std::string::npos)
                g_floorSeconds = seconds;
        }
    }
};

} // namespace

BENCHMARK(BM_MonthViewLayoutAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRectangleFloor)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (g_viewSeconds > 0 && g_floorSeconds > 0)
        std::printf("month view %.2f ms, plain rectangles %.2f ms, ratio %.1f\n", g_viewSeconds * 1e3,
                    g_floorSeconds * 1e3, g_viewSeconds / g_floorSeconds);
    return 0;
}
