// A busy week in the day time grid: placing, laying out and painting 2,000 timed entries into an
// offscreen image, against painting as many plain filled and captioned rectangles.
#include "ImageViewHost.h"
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

std::map<std::string, double> g_times; // real time per iteration, in ms

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
        view.SetDate(false, true, kMonday);
        for (const auto &e : week)
            view.AddEntry(e->Clone());
        view.Refresh(true);
        view.ScrollToRow(16);
        QPainter painter(&image);
        view.Draw(painter, image.rect());
        painter.end();
        drawn = view.GetEntryCount();
    }
    state.counters["entries"] = drawn;
}
BENCHMARK(BM_DayGridWeek)->Unit(benchmark::kMillisecond);

void BM_PlainRectangles(benchmark::State &state)
{
    const auto week = MakeWeek();
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    QFont font;
    font.setPixelSize(11);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.fillRect(image.rect(), Qt::white);
        int i = 0;
        for (const auto &e : week) {
            const QRect r(20 + (i * 37) % (kImageSize.width() - 200), (i * 53) % (kImageSize.height() - 40),
                          150, 34);
            painter.fillRect(r, QColor::fromRgb(0xA4A2FB));
            painter.setPen(Qt::black);
            painter.drawText(r.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                             e->GetSubject());
            ++i;
        }
    }
}
BENCHMARK(BM_PlainRectangles)->Unit(benchmark::kMillisecond);

class TimeReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs) {
            if (r.run_type == Run::RT_Iteration)
                g_times[r.benchmark_name()] = r.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double grid = g_times["BM_DayGridWeek"], plain = g_times["BM_PlainRectangles"];
    std::printf("\n%d entries: day grid layout and paint %.2f ms, plain rectangles %.2f ms, ratio %.2f\n",
                kEntries, grid, plain, plain > 0 ? grid / plain : 0.0);
    return 0;
}
