// Expanding recurring events: 1,000 events of mixed patterns over one month, one year and ten
// years with the core's occurrence search, and the same rules with libical's recurrence
// iterator for comparison. Prints occurrences per second for both and their ratio.
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"

#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {
struct Series
{
    CEventItem event;
    std::string rrule;
    icaltimetype dtstart;
};

const char *const kIcalDays[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"}; // by day of week 1..7

std::string MonthDayRule(int day)
{
    if (day <= 28)
        return "BYMONTHDAY=" + std::to_string(day);
    std::string s = "BYMONTHDAY=28";
    for (int d = 29; d <= day; ++d)
        s += "," + std::to_string(d);
    return s + ";BYSETPOS=-1";
}

// Mixed patterns as people use them: daily, weekly on some days, monthly by date and by
// weekday, yearly; some with an end date, some with exceptions.
std::vector<Series> MakeSeries(int count)
{
    std::mt19937 rng(1000);
    std::vector<Series> all(static_cast<size_t>(count));
    for (Series &s : all) {
        const int year = 2015 + int(rng() % 10), month = int(rng() % 12) + 1;
        const int day = int(rng() % 28) + 1, hour = int(rng() % 14) + 7;
        CDateTime start(year, month, day, hour, 0, 0);
        const int interval = int(rng() % 3) + 1;
        std::uint32_t word = 0;
        std::uint16_t n = std::uint16_t(interval), dayNumber = 0;
        switch (rng() % 6) {
        case 0:
            word = Recur::Daily | Recur::ByDate;
            s.rrule = "FREQ=DAILY;INTERVAL=" + std::to_string(interval);
            break;
        case 1:
        case 2: {
            word = Recur::Weekly | Recur::ByDate | Recur::WeekdayBit(start.GetDayOfWeek());
            std::string days = kIcalDays[start.GetDayOfWeek() - 1];
            const int other = int(rng() % 7) + 1;
            if (other != start.GetDayOfWeek()) {
                word |= Recur::WeekdayBit(other);
                days += std::string(",") + kIcalDays[other - 1];
            }
            s.rrule = "FREQ=WEEKLY;WKST=MO;INTERVAL=" + std::to_string(interval) + ";BYDAY=" + days;
            break;
        }
        case 3:
            word = Recur::Monthly | Recur::ByDate;
            dayNumber = std::uint16_t(day);
            s.rrule = "FREQ=MONTHLY;INTERVAL=" + std::to_string(interval) + ";" + MonthDayRule(day);
            break;
        case 4: {
            const bool last = rng() % 2;
            word = Recur::Monthly | Recur::NthWeekday | Recur::WeekdayBit(start.GetDayOfWeek()) |
                   (last ? Recur::Last : Recur::First << ((day - 1) / 7 % 4));
            CDateTime aligned = start;
            NthWeekdayOfMonth(aligned, word);
            start = CDateTime(aligned.GetYear(), aligned.GetMonth(), aligned.GetDay(), hour, 0, 0);
            dayNumber = std::uint16_t(start.GetDay());
            s.rrule = "FREQ=MONTHLY;INTERVAL=" + std::to_string(interval) +
                      ";BYDAY=" + (last ? std::string("-1") : std::to_string((day - 1) / 7 % 4 + 1)) +
                      kIcalDays[start.GetDayOfWeek() - 1];
            break;
        }
        default:
            word = Recur::Yearly | Recur::ByDate;
            n = 1;
            s.rrule = "FREQ=YEARLY;BYMONTH=" + std::to_string(month) + ";" + MonthDayRule(day);
            break;
        }
        CDateTime end;
        if (rng() % 4 == 0) {
            word |= Recur::HasEndDate;
            end = CDateTime(2030 + int(rng() % 10), 6, 30, 23, 59, 59);
            char until[32];
            std::snprintf(until, sizeof until, ";UNTIL=%04d0630T235959", end.GetYear());
            s.rrule += until;
        }
        s.event.SetStart(start);
        s.event.SetDuration(CDateSpan(0, 1, 0, 0));
        s.event.SetRecurrence(word, n, dayNumber, start, end);
        s.dtstart = icaltime_null_time();
        s.dtstart.year = year;
        s.dtstart.month = start.GetMonth();
        s.dtstart.day = start.GetDay();
        s.dtstart.hour = hour;
        s.dtstart.is_date = 0;
    }
    return all;
}

const std::vector<Series> &AllSeries()
{
    static const std::vector<Series> all = MakeSeries(1000);
    return all;
}

struct Window
{
    const char *name;
    CDateTime start, end;
};

const Window kWindows[] = {
    {"month", CDateTime(2025, 3, 1), CDateTime(2025, 4, 1)},
    {"year", CDateTime(2025, 1, 1), CDateTime(2026, 1, 1)},
    {"ten years", CDateTime(2025, 1, 1), CDateTime(2035, 1, 1)},
};

std::map<std::string, double> g_rates;
std::map<std::string, long> g_counts;

void BM_Tessivo(benchmark::State &state)
{
    const Window &w = kWindows[state.range(0)];
    std::vector<CEventItem> events;
    for (const Series &s : AllSeries())
        events.push_back(s.event);
    long occurrences = 0;
    for (auto _ : state) {
        long count = 0;
        for (CEventItem &e : events) {
            COccurrence o;
            for (bool ok = e.FindFirstOccurrenceBetween(w.start, w.end, &o); ok;
                 ok = e.FindNextOccurrenceInRange(&o))
                ++count;
        }
        benchmark::DoNotOptimize(count);
        occurrences += count;
        g_counts[std::string("tessivo ") + w.name] = count;
    }
    state.counters["occ/s"] = benchmark::Counter(double(occurrences), benchmark::Counter::kIsRate);
}

icaltimetype IcalFrom(const CDateTime &d)
{
    icaltimetype t = icaltime_null_time();
    t.year = d.GetYear();
    t.month = d.GetMonth();
    t.day = d.GetDay();
    t.is_date = 0;
    return t;
}

void BM_Libical(benchmark::State &state)
{
    const Window &w = kWindows[state.range(0)];
    std::vector<icalrecurrencetype> rules;
    for (const Series &s : AllSeries())
        rules.push_back(icalrecurrencetype_from_string(s.rrule.c_str()));
    const icaltimetype from = IcalFrom(w.start), to = IcalFrom(w.end);
    long occurrences = 0;
    for (auto _ : state) {
        long count = 0;
        for (size_t i = 0; i < rules.size(); ++i) {
            icalrecur_iterator *it = icalrecur_iterator_new(rules[i], AllSeries()[i].dtstart);
            if (!it)
                continue;
            // Start at the window where the iterator can; it walks from the series start otherwise.
            icalrecur_iterator_set_start(it, from);
            for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
                 t = icalrecur_iterator_next(it)) {
                if (icaltime_compare(t, to) >= 0)
                    break;
                // One-hour occurrences touch the window when they end after its start.
                icaltimetype endTime = t;
                icaltime_adjust(&endTime, 0, 1, 0, 0);
                if (icaltime_compare(endTime, from) > 0)
                    ++count;
            }
            icalrecur_iterator_free(it);
        }
        benchmark::DoNotOptimize(count);
        occurrences += count;
        g_counts[std::string("libical ") + w.name] = count;
    }
    state.counters["occ/s"] = benchmark::Counter(double(occurrences), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_Tessivo)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libical)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Keeps the measured rates for the comparison printed at the end.
class RateReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs) {
            const auto it = r.counters.find("occ/s");
            if (it != r.counters.end() && r.run_type == Run::RT_Iteration)
                g_rates[r.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-10s %14s %14s %16s %16s %8s\n", "window", "tessivo occ", "libical occ", "tessivo occ/s",
                "libical occ/s", "ratio");
    for (int i = 0; i < 3; ++i) {
        const std::string name = kWindows[i].name;
        char ourName[32], theirName[32];
        std::snprintf(ourName, sizeof ourName, "BM_Tessivo/%d", i);
        std::snprintf(theirName, sizeof theirName, "BM_Libical/%d", i);
        const double ours = g_rates[ourName], theirs = g_rates[theirName];
        std::printf("%-10s %14ld %14ld %16.0f %16.0f %8.2f\n", name.c_str(),
                    g_counts[std::string("tessivo ").append(name)],
                    g_counts[std::string("libical ").append(name)], ours, theirs,
                    theirs > 0 ? ours / theirs : 0.0);
    }
    return 0;
}
