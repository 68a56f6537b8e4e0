// A busy week in the day time grid: placing, laying out and painting 2,000 timed entries into an
// offscreen image, against the floor of painting what the view paints as plain rectangles: the
// same cells, the same boxes with the same captions and the same hour labels, each one fill and
// one text. Each runs three times; the ratio is of the medians.
#include "ImageViewHost.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "views/timegrid/DayViewCtrl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kEntries = 2000;
const QSize kImageSize(1400, 1000);
const CDateTime kMonday(2024, 3, 4);

std::map<std::string, double> g_times, g_cpuTimes; // real and CPU time per iteration, in ms

// The same pseudo-random week every run: starts on the half hour, 30 minutes to 3 hours long.
std::vector<std::unique_ptr<CDisplayItem>> MakeWeek()
{
    QRandomGenerator random(20240304);
    std::vector<std::unique_ptr<CDisplayItem>> week;
    for (int i = 0; i < kEntries; ++i) {
        const int day = int(random.bounded(7));
        const int startRow = int(random.bounded(44));
        const int rows = 1 + int(random.bounded(6));
        const CDateTime start(2024, 3, 4 + day, startRow / 2, (startRow % 2) * 30, 0);
        auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, i % 11, QStringLiteral("Type"),
                                                start, CDateSpan(0, 0, rows * 30, 0));
        e->SetItemRef(std::uint32_t(i + 1));
        e->SetOccurrenceDate(start);
        e->SetSubject(QStringLiteral("Meeting %1").arg(i));
        week.push_back(std::move(e));
    }
    return week;
}

// The view over the week, laid out and scrolled as the benchmark paints it.
void ShowWeek(CDayViewCtrl &view, ImageViewHost &host, const std::vector<std::unique_ptr<CDisplayItem>> &week)
{
    view.SetHost(&host);
    view.SetDate(false, true, kMonday);
    for (const auto &e : week)
        view.AddEntry(e->Clone());
    view.Refresh(true);
    view.ScrollToRow(16);
}

void BM_DayGridWeek(benchmark::State &state)
{
    const auto week = MakeWeek();
    ImageViewHost host(kImageSize);
    CDayViewCtrl view;
    view.SetHost(&host);
    view.Create();
    view.SetGridDays(7, false);
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    int drawn = 0;
    for (auto _ : state) {
        ShowWeek(view, host, week);
        QPainter painter(&image);
        view.Draw(painter, image.rect());
        painter.end();
        drawn = view.GetEntryCount();
    }
    state.counters["entries"] = drawn;
}
BENCHMARK(BM_DayGridWeek)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// What the view paints, as plain rectangles and texts.
struct DayScene
{
    struct Piece
    {
        QRect rect;
        QColor fill;
        QString text;
        int flags = 0;
        QRect textRect; // empty: the rectangle less a pixel and two at the sides
    };
    std::vector<Piece> cells, boxes, labels;
};

DayScene CaptureScene(const std::vector<std::unique_ptr<CDisplayItem>> &week)
{
    ImageViewHost host(kImageSize);
    CDayViewCtrl view;
    view.SetHost(&host);
    view.Create();
    view.SetGridDays(7, false);
    ShowWeek(view, host, week);
    DayScene scene;
    const CTimeGridLayout &grid = view.Grid();
    const QRect client(QPoint(0, 0), kImageSize);
    for (int c = 0; c < grid.ColumnCount(); ++c) {
        for (int r = grid.TopRow(); r < grid.TopRow() + grid.RowsShown() && r < grid.RowsPerDay(); ++r)
            scene.cells.push_back({view.GetCellRect(c * grid.RowsPerDay() + r, 0), ToQColor(view.m_workingColour), {}, 0, {}});
    }
    for (int i = 0; i < view.GetEntryCount(); ++i) {
        const CDisplayItem &e = *view.GetEntry(i);
        const QRect box = view.GetEntryRect(i);
        if (e.HasState(CDisplayItem::StateHidden) || box.width() <= 0 || !box.intersects(client))
            continue;
        const bool wrap = e.GetLastCell() > e.GetFirstCell();
        // The caption goes where the view puts it: right of the icon column, and only when
        // there is room for it.
        const int iconColumn = (view.m_showTypeIcon || view.m_showStatusIcons) ? 16 + 1 : 0;
        const QRect textRect = RectFromEdges(box.x() + 2 + iconColumn, box.y() + 1, RectRight(box) - 1, RectBottom(box) - 1);
        scene.boxes.push_back({box, ToQColor(view.GetItemColors(e).background),
                               textRect.width() <= 0 ? QString() :
                               e.GetTimeRangeText(view.m_showStartTime, view.m_showEndTime, view.m_showItemType,
                                                  view.m_showCategories, false, false),
                               int(Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine)),
                               textRect});
    }
    const int perHour = 60 / grid.MinutesPerRow();
    for (int hour = 0; hour < 24; ++hour) {
        const int top = grid.GridToClientY(hour * perHour * grid.RowHeight());
        const QRect band(7, top, grid.LabelWidth() - 11, perHour * grid.RowHeight());
        if (band.intersects(client))
            scene.labels.push_back({band, ToQColor(view.m_labelBackground), view.GetHourLabel(hour).text,
                                    Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, {}});
    }
    return scene;
}

void BM_DayViewFloor(benchmark::State &state)
{
    const DayScene scene = CaptureScene(MakeWeek());
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    QFont font;
    font.setPixelSize(11);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (const DayScene::Piece &cell : scene.cells)
            painter.fillRect(cell.rect, cell.fill);
        for (const auto *pieces : {&scene.boxes, &scene.labels}) {
            for (const DayScene::Piece &p : *pieces) {
                painter.fillRect(p.rect, p.fill);
                if (!p.text.isEmpty())
                    painter.drawText(p.textRect.isEmpty() ? p.rect.adjusted(2, 1, -2, -1) : p.textRect, p.flags,
                                     p.text);
            }
        }
    }
    state.counters["boxes"] = double(scene.boxes.size());
    state.counters["cells"] = double(scene.cells.size());
}
BENCHMARK(BM_DayViewFloor)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// Keeps the median of each benchmark's repetitions.
class TimeReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                g_times[r.run_name.function_name] = r.GetAdjustedRealTime();
                g_cpuTimes[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

// With --render=<folder> the program first writes the week as the view paints it, plain and with
// quarter-hour rows, hour marks and a cell selection, so that two builds can be compared pixel by
// pixel.
void WriteRenders(const QString &folder)
{
    const auto week = MakeWeek();
    for (const bool quarters : {false, true}) {
        ImageViewHost host(kImageSize);
        CDayViewCtrl view;
        view.SetHost(&host);
        view.Create();
        view.SetGridDays(7, false);
        if (quarters) {
            view.m_markHours = 1;
            view.SetTimeScale(15, false);
            view.OnFocusGained();
        }
        ShowWeek(view, host, week);
        if (quarters)
            view.SetCurrentCell(6 * view.Grid().RowsPerDay() + 40);
        QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.Draw(painter, image.rect());
        painter.end();
        image.save(folder + (quarters ? QStringLiteral("/dayview-bench-quarters.png") : QStringLiteral("/dayview-bench.png")));
    }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QString renderFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).rfind("--render=", 0) == 0) {
            renderFolder = QString::fromLocal8Bit(argv[i] + 9);
            for (int j = i; j < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    QApplication app(argc, argv);
    if (!renderFolder.isEmpty())
        WriteRenders(renderFolder);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double grid = g_times["BM_DayGridWeek"], plain = g_times["BM_DayViewFloor"];
    const double gridCpu = g_cpuTimes["BM_DayGridWeek"], plainCpu = g_cpuTimes["BM_DayViewFloor"];
    // On a loaded machine the wall clock counts the waits for a processor; the CPU time does not.
    std::printf("\n%d entries, medians of 3: day grid layout and paint %.2f ms (CPU %.2f ms), the same cells, "
                "boxes and texts as plain rectangles %.2f ms (CPU %.2f ms), ratio %.2f (CPU %.2f)\n",
                kEntries, grid, gridCpu, plain, plainCpu, plain > 0 ? grid / plain : 0.0,
                plainCpu > 0 ? gridCpu / plainCpu : 0.0);
    return 0;
}
