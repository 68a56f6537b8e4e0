// The pattern steps against an outside reference: tests/data/rrule_cases.txt lists patterns
// with the dates python-dateutil's rrule gives for the equivalent rule (see the script named
// at the top of that file).
#include "core/items/ItemTestUtil.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdlib>
#include <gtest/gtest.h>

#include "common/TestData.h"

namespace {
CDateTime ParseIso(const QString &text)
{
    const QDateTime q = QDateTime::fromString(text, Qt::ISODate);
    return q.isValid() ? CDateTime::FromQDateTime(q) : CDateTime::Invalid();
}
} // namespace

TEST(RruleTable, PatternStepsGiveTheReferenceDates)
{
    QFile file(TestDataPath(QStringLiteral("rrule_cases.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
    int cases = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('|'));
        ASSERT_EQ(f.size(), 7) << line.toStdString();
        bool ok = false;
        const std::uint32_t word = f[0].toUInt(&ok, 16);
        ASSERT_TRUE(ok);
        const CDateTime start = ParseIso(f[3]);
        const CDateTime end = f[4] == QLatin1String("-") ? CDateTime() : ParseIso(f[4]);
        const CEventItem e = MakeSeries(start, Hours(1), word, std::uint16_t(f[1].toUInt()),
                                        std::uint16_t(f[2].toUInt()), end);
        std::vector<CDateTime> expected;
        for (const QString &d : f[6].split(QLatin1Char(' '), Qt::SkipEmptyParts))
            expected.push_back(ParseIso(d));

        std::vector<CDateTime> got;
        COccurrence o;
        CDateTime from = start - Minutes(1);
        while (got.size() < expected.size() + 1 && e.NextOccurrence(from, o)) {
            got.push_back(o.keyDate);
            from = o.keyDate;
        }
        // A rule without an end was cut at its count; one with an end must stop where it does.
        if (f[4] != QLatin1String("-"))
            EXPECT_EQ(got, expected) << f[5].toStdString();
        else
            EXPECT_EQ(
                std::vector<CDateTime>(got.begin(), got.begin() + std::min(got.size(), expected.size())),
                expected)
                << f[5].toStdString();
        ++cases;
    }
    EXPECT_GT(cases, 0);
}
