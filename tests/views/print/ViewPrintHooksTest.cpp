// Print hooks: page units mapped to device pixels, the Details time column, pages that resume
// notes where they stopped, and what lands on a PDF page.
#include "views/print/ViewPrintHooks.h"
#include "common/PaintProbe.h"
#include "core/items/DisplayItem.h"

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
// 254 dpi: one page unit (0.1 mm) is one pixel, which keeps expected positions readable.
QImage Page(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    return image;
}

std::unique_ptr<CDisplayItem> Event(const CDateTime &start, double hours, const QString &subject,
                                    const QString &notes = QString())
{
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, QStringLiteral("Meeting"), start,
                                            CDateSpan(hours / 24.0));
    e->SetSubject(subject);
    e->SetNotes(notes);
    e->SetAge(-1);
    return e;
}

QFont PrintFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(10);
    return f;
}

CViewPrintHooks Hooks(bool notes, bool printEnd = false, bool printTime = true)
{
    CViewPrintHooks hooks;
    hooks.LoadPrintOptions(
        [&](const QString &name, int d) {
            if (name == QLatin1String("SN"))
                return int(notes);
            if (name == QLatin1String("PE"))
                return int(printEnd);
            if (name == QLatin1String("PT"))
                return int(printTime);
            return d;
        },
        PrintFont());
    return hooks;
}

bool HasInk(const QImage &image, const QRect &area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

struct Heading
{
    CDateTime day;
    bool continued;
};
} // namespace

TEST(PrintUnitsTest, PageUnitsGrowUpwardAndMapToPixels)
{
    const CPrintUnits units(254, 127, 1000);
    EXPECT_EQ(units.ToDevice(0, 1000), QPointF(0, 0));    // the page's top edge
    EXPECT_EQ(units.ToDevice(100, 0), QPointF(100, 500)); // its bottom, at half the resolution
    PrintRect r{10, 900, 110, 700};
    EXPECT_EQ(units.ToDevice(r), QRectF(QPointF(10, 50), QPointF(110, 150)));
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_TRUE((PrintRect{0, 10, 5, 10}).IsEmpty());
    EXPECT_EQ(units.HeightToUnits(50), 100);
    EXPECT_EQ(units.DeviceToUnitsY(50), 900);
}

TEST(ViewPrintHooksTest, TimeColumnWidth)
{
    QImage image = Page(100, 100);
    QPainter painter(&image);
    const CPrintUnits units = CPrintUnits::ForPage(image);
    const QFontMetricsF bold(
        [] {
            QFont f = PrintFont();
            f.setWeight(QFont::Bold);
            return f;
        }(),
        &image);
    const int allDay = units.WidthToUnits(bold.horizontalAdvance(QStringLiteral("All Day")));
    CPrintSession session;
    Hooks(false).MeasurePrintTimeColumn(painter, units, session);
    EXPECT_GE(session.timeColumnWidth, allDay);
    const int single = session.timeColumnWidth;
    Hooks(false, true).MeasurePrintTimeColumn(painter, units, session);
    EXPECT_GT(session.timeColumnWidth, single); // start and end
    Hooks(false, false, false).MeasurePrintTimeColumn(painter, units, session);
    EXPECT_EQ(session.timeColumnWidth, 0);
    session.styleId = CPrintSession::StyleMemo;
    session.timeColumnWidth = 7;
    Hooks(false).MeasurePrintTimeColumn(painter, units, session);
    EXPECT_EQ(session.timeColumnWidth, 7); // not a Details job
}

TEST(ViewPrintHooksTest, LongNotesContinueOnNextPageFromTheSameCharacter)
{
    QString notes;
    for (int i = 0; i < 60; ++i)
        notes += QStringLiteral("word%1 ").arg(i, 2, 10, QLatin1Char('0'));
    const auto first = Event(CDateTime(2024, 6, 3), 24, QStringLiteral("Conference"));
    const auto second = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("Review"), notes.trimmed());
    const auto third = Event(CDateTime(2024, 6, 4, 10, 0, 0), 1, QStringLiteral("Lunch"));
    const std::vector<const CDisplayItem *> entries{first.get(), second.get(), third.get()};

    CViewPrintHooks hooks = Hooks(true);
    std::vector<Heading> headings;
    hooks.SetDayHeading([&](QPainter &p, const CPrintUnits &u, const PrintRect &r, const QFont &f,
                            const CDateTime &day, bool continued) {
        headings.push_back({day, continued});
        return CViewPrintHooks::DrawDayHeading(p, u, r, f, day, continued);
    });
    CPrintSession session;
    std::vector<QImage> pages;
    std::vector<int> offsets;
    while (session.resumeIndex < int(entries.size()) && pages.size() < 10) {
        QImage image = Page(600, 450);
        QPainter painter(&image);
        const CPrintUnits units = CPrintUnits::ForPage(image);
        if (pages.empty())
            hooks.MeasurePrintTimeColumn(painter, units, session);
        const int used = hooks.PrintPage(painter, units, CPrintUnits::PageRect(image), session, entries);
        EXPECT_GT(used, 0);
        painter.end();
        pages.push_back(image);
        offsets.push_back(session.resumeIndex == int(entries.size()) ? -2 : session.resumeOffset);
    }
    ASSERT_GE(pages.size(), 2u);
    ASSERT_LT(pages.size(), 10u);
    // The first page stopped inside the second entry's notes.
    EXPECT_GT(offsets[0], 0);
    EXPECT_LT(offsets[0], notes.size());
    // The next page opens with the same day, marked continued, and leaves the time column empty.
    ASSERT_GE(headings.size(), 2u);
    EXPECT_EQ(headings[0].day, CDateTime(2024, 6, 3));
    EXPECT_FALSE(headings[0].continued);
    EXPECT_EQ(headings[1].day, CDateTime(2024, 6, 3));
    EXPECT_TRUE(headings[1].continued);
    const int column = session.timeColumnWidth;
    ASSERT_GT(column, 10);
    const QImage &next = pages[1];
    EXPECT_FALSE(HasInk(next, QRect(0, 80, column - 4, 60)));       // below the heading, left
    EXPECT_TRUE(HasInk(next, QRect(column, 80, 600 - column, 60))); // the notes go on
    // On the first page the all-day entry has its time text in the column.
    EXPECT_TRUE(HasInk(pages[0], QRect(0, 60, column - 4, 60)));
}

TEST(ViewPrintHooksTest, EntryTallerThanAnEmptyPageStillAdvancesTheJob)
{
    const auto tall = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("Tall"), QStringLiteral("x"));
    const auto next = Event(CDateTime(2024, 6, 3, 10, 0, 0), 1, QStringLiteral("Next"));
    const std::vector<const CDisplayItem *> entries{tall.get(), next.get()};
    CViewPrintHooks hooks = Hooks(true);
    CPrintSession session;
    int pages = 0;
    while (session.resumeIndex < int(entries.size()) && pages < 20) {
        QImage image = Page(400, 40); // room for the heading, not for the entry's head
        QPainter painter(&image);
        hooks.PrintPage(painter, CPrintUnits::ForPage(image), CPrintUnits::PageRect(image), session, entries);
        ++pages;
    }
    EXPECT_LT(pages, 20);
    EXPECT_EQ(session.resumeIndex, 2);
}

TEST(ViewPrintHooksTest, SelectedOnlyAndOtherStyles)
{
    const auto a = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("A"));
    const auto b = Event(CDateTime(2024, 6, 3, 10, 0, 0), 1, QStringLiteral("B"));
    b->SetState(CDisplayItem::StateSelected);
    const std::vector<const CDisplayItem *> entries{a.get(), b.get()};
    CViewPrintHooks hooks = Hooks(false);
    std::vector<Heading> headings;
    hooks.SetDayHeading(
        [&](QPainter &, const CPrintUnits &, const PrintRect &, const QFont &, const CDateTime &d, bool c) {
            headings.push_back({d, c});
            return 50;
        });
    QImage image = Page(600, 400);
    QPainter painter(&image);
    const CPrintUnits units = CPrintUnits::ForPage(image);
    CPrintSession session;
    session.selectedOnly = true;
    hooks.PrintPage(painter, units, CPrintUnits::PageRect(image), session, entries);
    EXPECT_EQ(session.resumeIndex, 2);
    ASSERT_EQ(headings.size(), 1u);
    EXPECT_TRUE(headings[0].continued); // the skipped entry before it has the same date

    CPrintSession memo;
    memo.styleId = 99;
    EXPECT_EQ(hooks.PrintPage(painter, units, CPrintUnits::PageRect(image), memo, entries), 0);
    EXPECT_EQ(memo.resumeIndex, 0);
}

TEST(ViewPrintHooksTest, DetailsPageOnPdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("details.pdf"));
    const auto e = Event(CDateTime(2024, 6, 3, 9, 0, 0), 1, QStringLiteral("Budget review"),
                         QStringLiteral("Bring the figures"));
    const std::vector<const CDisplayItem *> entries{e.get()};
    CViewPrintHooks hooks = Hooks(true);
    CPrintSession session;
    int used = 0;
    {
        QPdfWriter pdf(path);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QPageSize::A5));
        QPainter painter(&pdf);
        const CPrintUnits units = CPrintUnits::ForPage(pdf);
        const PrintRect page = CPrintUnits::PageRect(pdf);
        // A5 is 148 x 210 mm.
        EXPECT_NEAR(page.Height(), 2100 - 0, 150);
        hooks.MeasurePrintTimeColumn(painter, units, session);
        used = hooks.PrintPage(painter, units, page, session, entries);
    }
    EXPECT_GT(used, 0);
    EXPECT_EQ(session.resumeIndex, 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    // The same page painted to an image of the page at 100 dpi: text at the top left, nothing
    // in the lower half.
    QImage image(583, 827, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CPrintSession again;
        hooks.MeasurePrintTimeColumn(painter, CPrintUnits::ForPage(image), again);
        hooks.PrintPage(painter, CPrintUnits::ForPage(image), CPrintUnits::PageRect(image), again, entries);
    }
    const QRect ink = PaintedBounds(image);
    EXPECT_LT(ink.top(), 10);
    EXPECT_LT(ink.bottom(), 200);
}
