// Laying out and painting a month of 5,000 occurrences (most from recurring events, expanded by
// the core's occurrence search) to an offscreen image, next to the floor of painting what the
// view paints as plain rectangles: the same cells with their day numbers and the same boxes with
// their captions, each one fill and one text. Each runs three times; the ratio is of the medians.
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
#include <string>
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

double g_viewSeconds = 0, g_floorSeconds = 0, g_viewCpuSeconds = 0, g_floorCpuSeconds = 0;

// The view over the month, with every occurrence placed.
void ShowMonth(CMonthViewCtrl &view, ImageViewHost &host, const std::vector<CEventItem> &events)
{
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
}

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
        ShowMonth(view, host, events);
        QPainter painter(&image);
        view.Draw(painter, image.rect());
        painter.end();
        placed = view.GetEntryCount();
    }
    state.counters["entries"] = double(placed);
}

// What the view paints, as plain rectangles and texts.
struct MonthScene
{
    struct Piece
    {
        QRect rect;
        QColor fill;
        QString text;
        int flags = 0;
    };
    std::vector<Piece> cells, boxes;
};

MonthScene CaptureScene()
{
    SetFirstDayOfWeek(0);
    ImageViewHost host(kImageSize);
    CMonthViewCtrl view;
    ShowMonth(view, host, MakeCalendar());
    MonthScene scene;
    const QRect client(QPoint(0, 0), kImageSize);
    for (int cell = 0; cell < view.GetDayCount(); ++cell)
        scene.cells.push_back({view.GetCellRect(cell, CMonthGridModel::PartCell), QColor(0xFF, 0xFF, 0xF0),
                               QString::number(view.GetDayDate(cell).GetDay()),
                               Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine});
    for (const auto &e : view.GetEntries()) {
        if (e->GetRect().height() <= 0)
            continue;
        const QRect box = e->GetRect().adjusted(3, 1, -3, -1);
        if (box.isEmpty() || !box.intersects(client))
            continue;
        const bool oneLine = 2 * view.m_rowHeight >= box.height();
        scene.boxes.push_back({box, QColor(0xFF, 0xF8, 0xE0),
                               e->GetTimeRangeText(view.m_showStartTime, view.m_showEndTime, view.m_showItemType,
                                                   view.m_showCategories, false, false),
                               Qt::AlignLeft | (oneLine ? Qt::AlignVCenter | Qt::TextSingleLine
                                                        : Qt::AlignTop | Qt::TextWordWrap)});
    }
    return scene;
}

void BM_PlainRectangleFloor(benchmark::State &state)
{
    EnsureApplication();
    const MonthScene scene = CaptureScene();
    QImage image(kImageSize, QImage::Format_RGB32);
    QFont font;
    font.setPixelSize(12);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (const auto *pieces : {&scene.cells, &scene.boxes}) {
            for (const MonthScene::Piece &p : *pieces) {
                painter.fillRect(p.rect, p.fill);
                painter.drawText(p.rect.adjusted(2, 1, -2, -1), p.flags, p.text);
            }
        }
    }
    state.counters["boxes"] = double(scene.boxes.size());
}

// Keeps the median of each (milliseconds per pass) to print their ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            const double seconds = run.GetAdjustedRealTime() / 1e3; // both run in milliseconds
            const double cpuSeconds = run.GetAdjustedCPUTime() / 1e3;
            if (run.benchmark_name().find("MonthView") != std::string::npos) {
                g_viewSeconds = seconds;
                g_viewCpuSeconds = cpuSeconds;
            } else if (run.benchmark_name().find("Floor") != std::string::npos) {
                g_floorSeconds = seconds;
                g_floorCpuSeconds = cpuSeconds;
            }
        }
    }
};

} // namespace

BENCHMARK(BM_MonthViewLayoutAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainRectangleFloor)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    // With --render=<folder> the program first writes the month as the view paints it, so that
    // two builds can be compared pixel by pixel.
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).rfind("--render=", 0) == 0) {
            const QString folder = QString::fromLocal8Bit(argv[i] + 9);
            for (int j = i; j < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            EnsureApplication();
            SetFirstDayOfWeek(0);
            ImageViewHost host(kImageSize);
            CMonthViewCtrl view;
            ShowMonth(view, host, MakeCalendar());
            QImage image(kImageSize, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            view.Draw(painter, image.rect());
            painter.end();
            image.save(folder + QStringLiteral("/month-bench.png"));
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // On a loaded machine the wall clock counts the waits for a processor; the CPU time does not.
    if (g_viewSeconds > 0 && g_floorSeconds > 0 && g_floorCpuSeconds > 0)
        std::printf("%d occurrences, medians of 3: month view %.2f ms (CPU %.2f ms), the same cells, boxes and "
                    "texts as plain rectangles %.2f ms (CPU %.2f ms), ratio %.2f (CPU %.2f)\n",
                    kOccurrences, g_viewSeconds * 1e3, g_viewCpuSeconds * 1e3, g_floorSeconds * 1e3,
                    g_floorCpuSeconds * 1e3, g_viewSeconds / g_floorSeconds, g_viewCpuSeconds / g_floorCpuSeconds);
    return 0;
}
