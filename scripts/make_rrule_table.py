#!/usr/bin/env python3
"""Writes tests/data/rrule_cases.txt: recurrence patterns of the calendar with the dates that
python-dateutil's rrule gives for the equivalent iCalendar rule. The core tests read the table
and check that the item's own pattern steps give the same dates.

Run from the repository root:  python3 scripts/make_rrule_table.py
The cases are seeded, so the table only changes when this script or dateutil changes.
"""
import datetime as dt
import random
import sys

import dateutil
from dateutil.rrule import rrulestr

OUT = "tests/data/rrule_cases.txt"
COUNT = 40  # dates listed for a rule without an end

DAILY, WEEKLY, MONTHLY, YEARLY = 0x100, 0x200, 0x400, 0x800
BY_DATE, NTH = 0x1000, 0x2000
HAS_END = 0x2000000
NTH_BITS = {1: 0x10000, 2: 0x20000, 3: 0x40000, 4: 0x80000, -1: 0x100000}
# Weekday bit by Python weekday (0 Monday .. 6 Sunday); iCalendar names in the same order.
WEEKDAY_BITS = [0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x02]
ICAL_DAYS = ["MO", "TU", "WE", "TH", "FR", "SA", "SU"]


def month_day_rule(day):
    # The calendar steps a missing day back to the month's last day; iCalendar skips such
    # months, so ask for the last existing day among 28..day.
    if day <= 28:
        return "BYMONTHDAY=%d" % day
    return "BYMONTHDAY=%s;BYSETPOS=-1" % ",".join(str(d) for d in range(28, day + 1))


def case(word, interval, day, start, end, rule):
    text = "DTSTART:%s\nRRULE:%s" % (start.strftime("%Y%m%dT%H%M%S"), rule)
    if end is not None:
        text += ";UNTIL=%s" % end.strftime("%Y%m%dT%H%M%S")
        dates = list(rrulestr(text))
    else:
        text += ";COUNT=%d" % COUNT
        dates = list(rrulestr(text))
    if end is not None:
        word |= HAS_END
    return "%#x|%d|%d|%s|%s|%s|%s" % (
        word, interval, day, start.strftime("%Y-%m-%dT%H:%M:%S"),
        end.strftime("%Y-%m-%dT%H:%M:%S") if end is not None else "-", rule,
        " ".join(d.strftime("%Y-%m-%dT%H:%M:%S") for d in dates))


def fixed_cases():
    c = []
    t = dt.datetime
    # Edge cases: day 31 through short months, 29 February, last weekday, skipped weeks.
    c.append(case(MONTHLY | BY_DATE, 1, 31, t(2009, 1, 31, 9, 0), None, "FREQ=MONTHLY;INTERVAL=1;" + month_day_rule(31)))
    c.append(case(MONTHLY | BY_DATE, 1, 31, t(2009, 2, 28, 9, 0), None, "FREQ=MONTHLY;INTERVAL=1;" + month_day_rule(31)))
    c.append(case(MONTHLY | BY_DATE, 3, 20, t(2024, 6, 5, 8, 0), None, "FREQ=MONTHLY;INTERVAL=3;" + month_day_rule(20)))
    c.append(case(YEARLY | BY_DATE, 1, 29, t(2008, 2, 29, 7, 30), None, "FREQ=YEARLY;BYMONTH=2;" + month_day_rule(29)))
    c.append(case(MONTHLY | NTH | 0x40 | NTH_BITS[-1], 1, 25, t(2008, 1, 25), None, "FREQ=MONTHLY;INTERVAL=1;BYDAY=-1FR"))
    c.append(case(WEEKLY | BY_DATE | 0x04 | 0x20, 2, 0, t(2024, 6, 12, 10, 0), None,
                  "FREQ=WEEKLY;INTERVAL=2;WKST=MO;BYDAY=MO,TH"))
    c.append(case(WEEKLY | BY_DATE | 0x02 | 0x80, 3, 0, t(2024, 6, 9, 18, 0), dt.datetime(2025, 3, 1, 23, 59, 59),
                  "FREQ=WEEKLY;INTERVAL=3;WKST=MO;BYDAY=SA,SU"))
    c.append(case(YEARLY | NTH | 0x02 | NTH_BITS[-1], 12, 31, t(2024, 3, 31, 2, 0), None,
                  "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU"))
    c.append(case(DAILY | BY_DATE, 7, 0, t(1899, 12, 25, 6, 15), None, "FREQ=DAILY;INTERVAL=7"))
    c.append(case(MONTHLY | NTH | 0x08 | NTH_BITS[2], 2, 1, t(1860, 1, 1, 12, 0), None,
                  "FREQ=MONTHLY;INTERVAL=2;BYDAY=+2TU"))
    return c


def random_cases(rng, n):
    out = []
    for _ in range(n):
        year = rng.randint(1950, 2060)
        month = rng.randint(1, 12)
        day = rng.randint(1, 28 if month == 2 else 30)
        if rng.random() < 0.1 and month in (1, 3, 5, 7, 8, 10, 12):
            day = 31
        start = dt.datetime(year, month, day, rng.randint(0, 23), rng.choice([0, 15, 30, 45]), rng.choice([0, 0, 30]))
        end = None
        if rng.random() < 0.4:
            e = start.date() + dt.timedelta(days=rng.randint(0, 1200))
            end = dt.datetime(e.year, e.month, e.day, 23, 59, 59)
        kind = rng.choice(["daily", "weekly", "mday", "mnth", "yday", "ynth"])
        interval = rng.randint(1, 5)
        if kind == "daily":
            out.append(case(DAILY | BY_DATE, interval, 0, start, end, "FREQ=DAILY;INTERVAL=%d" % interval))
        elif kind == "weekly":
            days = sorted(rng.sample(range(7), rng.randint(1, 7)))
            if rng.random() < 0.6:  # as the editors make it: the start on a chosen day
                while start.weekday() not in days:
                    start += dt.timedelta(days=1)
            word = WEEKLY | BY_DATE
            for d in days:
                word |= WEEKDAY_BITS[d]
            out.append(case(word, interval, 0, start, end, "FREQ=WEEKLY;INTERVAL=%d;WKST=MO;BYDAY=%s" % (
                interval, ",".join(ICAL_DAYS[d] for d in days))))
        elif kind == "mday":
            mday = rng.randint(1, 31)
            out.append(case(MONTHLY | BY_DATE, interval, mday, start, end,
                            "FREQ=MONTHLY;INTERVAL=%d;%s" % (interval, month_day_rule(mday))))
        elif kind == "mnth":
            wd = rng.randrange(7)
            nth = rng.choice([1, 2, 3, 4, -1])
            word = MONTHLY | NTH | WEEKDAY_BITS[wd] | NTH_BITS[nth]
            out.append(case(word, interval, start.day, start, end,
                            "FREQ=MONTHLY;INTERVAL=%d;BYDAY=%+d%s" % (interval, nth, ICAL_DAYS[wd])))
        elif kind == "yday":
            out.append(case(YEARLY | BY_DATE, 1, start.day, start, end,
                            "FREQ=YEARLY;BYMONTH=%d;%s" % (start.month, month_day_rule(start.day))))
        else:
            wd = rng.randrange(7)
            nth = rng.choice([1, 2, 3, 4, -1])
            word = YEARLY | NTH | WEEKDAY_BITS[wd] | NTH_BITS[nth]
            out.append(case(word, 12, start.day, start, end,
                            "FREQ=YEARLY;BYMONTH=%d;BYDAY=%+d%s" % (start.month, nth, ICAL_DAYS[wd])))
    return out


def main():
    rng = random.Random(1753)
    lines = fixed_cases() + random_cases(rng, 240)
    with open(OUT, "w", encoding="utf-8") as f:
        f.write("# Recurrence patterns with the dates python-dateutil's rrule gives for the equivalent rule.\n")
        f.write("# Made by scripts/make_rrule_table.py with python-dateutil %s (Debian python3-dateutil);\n"
                % dateutil.__version__)
        f.write("# regenerate with that script rather than editing by hand.\n")
        f.write("# Fields: pattern word|interval|day number|start|pattern end or -|RRULE|dates (first %d without an end)\n"
                % COUNT)
        for line in lines:
            f.write(line + "\n")
    print("wrote %d cases to %s" % (len(lines), OUT), file=sys.stderr)


if __name__ == "__main__":
    main()
