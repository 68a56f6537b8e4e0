// Offscreen renders of a fixture month in each weekday mode and in week-count mode, written as
// PNG files under renders/ beside the test program; the pixels are checked against the
// rectangles the view computed.
#include "views/month/MonthTestSupport.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/dates/DateRules.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "views/month/MonthViewCtrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr COLORREF kFrame = 0x000000FF; // frames of all-day bars: pure red

struct RenderCase
{
    const char *name;
    bool work, nonWork, weekCount;
    int weeks;
    bool hatched; // non-work days drawn with the hatch pattern
};

class MonthRenderTest : public ::testing::TestWithParam<RenderCase>
{
  protected:
    void SetUp() override
    {
        saved = CMenuLook::Instance().GetColors();
        CMenuLook::Colors colors = saved;
        colors.frame = kFrame;
        CMenuLook::Instance().SetColors(colors);
        host.client = QRect(0, 0, 700, 500);
        view.SetHost(&host);
        view.SetContainer(&container);
        view.ReloadOptions();
        QFont font;
        font.setPixelSize(12);
        view.ApplyFont(font);
        view.m_optionOS = 0;
    }
    void TearDown() override { CMenuLook::Instance().SetColors(saved); }

    void AddFixture()
    {
        const auto add = [&](CDateTime s, CDateTime e, const char *subject, std::uint32_t flags = 0) {
            view.AddEntry(MakeEntry(s, e, QString::fromLatin1(subject), flags));
        };
        add(CDateTime(2024, 8, 28, 10, 0, 0), CDateTime(2024, 8, 28, 11, 0, 0), "Last of August");
        add(CDateTime(2024, 9, 3), CDateTime(2024, 9, 6), "Conference");
        add(CDateTime(2024, 9, 7), CDateTime(2024, 9, 10), "Long weekend away");
        add(CDateTime(2024, 9, 12, 9, 0, 0), CDateTime(2024, 9, 12, 9, 30, 0), "Dentist");
        add(CDateTime(2024, 9, 12, 14, 0, 0), CDateTime(2024, 9, 12, 15, 0, 0),
            "Quarterly review with a subject long enough to wrap over several lines");
        add(CDateTime(2024, 9, 14, 8, 0, 0), CDateTime(2024, 9, 14, 16, 0, 0), "Hike");
        add(CDateTime(2024, 9, 15, 8, 0, 0), CDateTime(2024, 9, 15, 16, 0, 0), "Sunday lunch");
        for (int i = 0; i < 9; ++i)
            add(CDateTime(2024, 9, 18, 8 + i, 0, 0), CDateTime(2024, 9, 18, 8 + i, 30, 0), "Busy");
        add(CDateTime(2024, 9, 21, 22, 0, 0), CDateTime(2024, 9, 22, 2, 0, 0), "Night shift",
            CDisplayItem::FlagCrossesMidnight);
        view.Refresh(true);
    }

    QRgb Pixel(const QImage &image, int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    static QRgb Rgb(COLORREF c) { return ToQColor(c).rgb() & 0xFFFFFF; }

    CMenuLook::Colors saved;
    TempProfile profile;
    MonthWeekScope week;
    FakeHost host;
    FakeContainer container;
    CMonthViewCtrl view;
};

TEST_P(MonthRenderTest, PaintsCellsAndBarsWhereTheLayoutPutThem)
{
    const RenderCase &c = GetParam();
    view.SetVisibleWeekdays(c.work, c.nonWork, c.weekCount, c.weeks, false);
    view.m_optionSWD = c.hatched ? 1 : 0;
    view.SetDate(CDateTime(2024, 9, 12));
    AddFixture();

    QImage image(700, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.Draw(painter, image.rect());
    }
    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(QStringLiteral("month-%1.png").arg(QLatin1String(c.name)))));

    const CMonthGridModel &model = view.GetModel();
    const int cells = model.CellCount();
    ASSERT_EQ(view.GetDayCount(), cells);
    std::vector<bool> covered(std::size_t(cells), false);
    int bars = 0;
    for (const auto &e : view.GetEntries()) {
        ASSERT_GE(e->GetFirstCell(), 0);
        ASSERT_LT(e->GetLastCell(), cells);
        for (int cell = e->GetFirstCell(); cell <= e->GetLastCell(); ++cell)
            covered[std::size_t(cell)] = true;
        const QRect r = e->GetRect();
        const QRect first = view.GetCellRect(e->GetFirstCell(), CMonthGridModel::PartBody);
        const QRect last = view.GetCellRect(e->GetLastCell(), CMonthGridModel::PartBody);
        // Every piece spans exactly the bodies of its cells, inside its first cell's row.
        EXPECT_EQ(r.left(), first.left()) << e->GetSubject().toStdString();
        EXPECT_EQ(r.left() + r.width(), last.left() + last.width()) << e->GetSubject().toStdString();
        EXPECT_EQ(first.top(), last.top()) << e->GetSubject().toStdString();
        if (r.height() <= 0)
            continue;
        EXPECT_GE(r.top(), first.top()) << e->GetSubject().toStdString();
        if (e->HasFlag(CDisplayItem::FlagAllDay)) {
            ++bars;
            const QRect box = r.adjusted(3, 1, -3, -1);
            EXPECT_EQ(Pixel(image, box.center().x(), box.top()), Rgb(kFrame))
                << e->GetSubject().toStdString();
        }
    }
    EXPECT_GT(bars, 0);

    // Cells without entries show their own background in the middle of the body.
    for (int cell = 0; cell < cells; ++cell) {
        if (covered[std::size_t(cell)] || cell == view.GetTodayCell())
            continue;
        const QRect body = view.GetCellRect(cell, CMonthGridModel::PartBody);
        const QRgb expected =
            Rgb(view.GetCellMark(cell) & CMonthGridModel::CellOtherMonth ? view.GetOtherMonthColour()
                                                                         : view.m_backgroundColour);
        QPoint p = body.center();
        if (c.hatched) {
            // The pattern's grey diagonals fall where x + y is a multiple of 4.
            p.rx() -= (p.x() + p.y()) % 4;
            EXPECT_EQ(Pixel(image, p.x(), p.y()), 0xC0C0C0u) << c.name << " cell " << cell;
            p.rx() += 1;
        }
        EXPECT_EQ(Pixel(image, p.x(), p.y()), expected) << c.name << " cell " << cell;
    }
    // Grid lines between the columns.
    if (model.GetColumns() > 1) {
        const QRect second = view.GetCellRect(1, CMonthGridModel::PartCell);
        EXPECT_EQ(Pixel(image, second.left(), second.center().y()), Rgb(view.GetGridLineColour())) << c.name;
    }
}

// The view paints every pixel of its window itself, whatever was there before: with today in
// the grid and in a window too small for the cells to fill themselves too.
TEST_P(MonthRenderTest, PaintsEveryPixelOfItsWindow)
{
    const RenderCase &c = GetParam();
    SetNowProvider([] { return CDateTime(2024, 9, 12, 10, 0, 0); });
    UpdateToday();
    view.SetVisibleWeekdays(c.work, c.nonWork, c.weekCount, c.weeks, false);
    view.m_optionSWD = c.hatched ? 1 : 0;
    view.SetDate(CDateTime(2024, 9, 12));
    AddFixture();
    for (const QSize size : {QSize(700, 500), QSize(90, 70)}) {
        host.client = QRect(QPoint(0, 0), size);
        view.Refresh(false);
        QImage onWhite(size, QImage::Format_RGB32), onMagenta(size, QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        onMagenta.fill(Qt::magenta);
        for (QImage *image : {&onWhite, &onMagenta}) {
            QPainter painter(image);
            view.Draw(painter, image->rect());
        }
        EXPECT_TRUE(onWhite == onMagenta) << c.name << " at " << size.width() << " x " << size.height();
    }
    SetNowProvider({});
    ResetToday();
}

// A full month as the benchmark paints it: 100 daily series and single events, 5,000 occurrences;
// the picture is kept for comparison, and every placed bar shows its frame.
TEST_F(MonthRenderTest, BusyMonthOfDailySeriesAndSingleEvents)
{
    host.client = QRect(0, 0, 1400, 1000);
    view.SetVisibleWeekdays(true, true, false, 6, false);
    view.SetDate(CDateTime(2024, 9, 12));
    std::mt19937 rng(2024);
    const CDateTime gridStart(2024, 8, 26);
    auto add = [&](const CEventItem &event) {
        CItemRef ref;
        ref.SetItem(std::make_unique<CEventItem>(event));
        ref.SetRecordId(1);
        view.AddItem(ref);
    };
    for (int i = 0; i < 100; ++i) {
        const CDateTime start(2024, 8, 1, 6 + i % 14, int(rng() % 4) * 15, 0);
        add(DailyEvent(QStringLiteral("Daily %1").arg(i), start, CDateSpan(0, 0, 30, 0)));
    }
    for (int i = 0; i < 5000 - 4200; ++i) {
        CEventItem e;
        CDateTime start = gridStart;
        AddDays(start, long(rng() % 42));
        const bool allDay = rng() % 8 == 0;
        start = CDateTime(start.GetYear(), start.GetMonth(), start.GetDay(), allDay ? 0 : 7 + int(rng() % 12), 0, 0);
        e.SetSubject(QStringLiteral("Event %1").arg(i));
        e.SetStart(start);
        e.SetDuration(allDay ? CDateSpan(double(1 + rng() % 3)) : CDateSpan(0, 1, 0, 0));
        add(e);
    }
    view.Refresh(true);
    EXPECT_GE(view.GetEntryCount(), 5000);

    QImage image(1400, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.Draw(painter, image.rect());
    }
    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(QStringLiteral("month-busy.png"))));
    int bars = 0;
    for (const auto &e : view.GetEntries()) {
        const QRect r = e->GetRect();
        if (r.height() <= 0 || !e->HasFlag(CDisplayItem::FlagAllDay))
            continue;
        const QRect box = r.adjusted(3, 1, -3, -1);
        EXPECT_EQ(Pixel(image, box.center().x(), box.top()), Rgb(kFrame)) << e->GetSubject().toStdString();
        ++bars;
    }
    EXPECT_GT(bars, 20);
}

INSTANTIATE_TEST_SUITE_P(Modes, MonthRenderTest,
                         ::testing::Values(RenderCase{"all-days", true, true, false, 5, false},
                                           RenderCase{"work-days", true, false, false, 5, false},
                                           RenderCase{"non-work-days", false, true, false, 5, true},
                                           RenderCase{"three-weeks", true, true, true, 3, false}),
                         [](const auto &info) {
                             QString name = QString::fromLatin1(info.param.name);
                             return name.remove(QLatin1Char('-')).toStdString();
                         });

} // namespace
