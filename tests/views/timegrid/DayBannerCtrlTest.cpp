// The all-day banner driven without a window: columns and work weeks, item placement in lanes,
// scrolling, keys, typing, the in-place edit and drags, through the faked host and container.
#include "views/timegrid/DayBannerCtrl.h"
#include "common/TempProfile.h"
#include "views/support/RecordEntry.h"
#include "views/support/ViewFakes.h"
#include "views/timegrid/WorkWeekGuard.h"
#include "core/dates/WeekRules.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kBefore = CDisplayItem::FlagBeginsBefore;
constexpr std::uint32_t kAfter = CDisplayItem::FlagEndsAfter;
constexpr int kMonToFri = 0x3E;  // bit 0 Sunday
constexpr int kMonWedFri = 0x2A; // work days apart from each other
constexpr int kEveryDay = 0x7F;

// 2024-03-04 is a Monday.
CDateTime Day(int day, int hour = 0)
{
    return CDateTime(2024, 3, day, hour, 0, 0);
}

class TestBanner : public CDayBannerCtrl
{
  public:
    CDateTime today = Day(6);
    CDateTime Today() const override { return today; }
};

std::unique_ptr<CDisplayItem> MakeItem(std::uint32_t record, const CDateTime &start, const CDateTime &end,
                                       const QString &subject = QStringLiteral("item"),
                                       int kind = CDisplayItem::KindEvent)
{
    return MakeRecordEntry(record, start, end, subject, kind);
}

class BannerTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        host.client = QRect(0, 0, 400, 120);
        banner.SetHost(&host);
        banner.SetContainer(&container);
        banner.SetLabelWidth(40);
        banner.LoadViewOptions();
        banner.LoadFonts(false);
    }
    void TearDown() override { CDragState::End(); }
    // Shows `days` days from the Monday 4 March (or that week's work days).
    void Show(int days, bool workWeek, int mask = kMonToFri)
    {
        SetWorkWeekMask(mask);
        banner.SetBannerDays(days, workWeek);
        banner.SetDate(Day(4), false, true);
    }
    const CDisplayItem *Find(std::uint32_t record) const
    {
        for (const auto &e : banner.GetEntries()) {
            if (e->GetItemRef() == record)
                return e.get();
        }
        return nullptr;
    }
    int Lane(const CDisplayItem &e) const
    {
        return (e.GetRect().top() - banner.GetViewRect().top()) / banner.GetLaneStep();
    }
    QPoint CentreOf(int column) const
    {
        const QRect r = banner.GetCellRect(column, 0);
        return QPoint(r.left() + r.width() / 2, banner.GetViewRect().top() + 4);
    }
    QPoint EntryCentre(std::uint32_t record) const
    {
        const int index = banner.FindEntry(record, Find(record)->GetOccurrenceDate());
        return banner.GetEntryRect(index).center();
    }

    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    TestBanner banner;
    WorkWeekGuard m_week{kMonToFri, 0};
};

} // namespace

TEST(BannerDayFromDate, MidnightAndClippingRules)
{
    struct Case
    {
        CDateTime date;
        bool workWeek;
        int day;
        bool atMidnight;
        bool clipped;
    } cases[] = {
        {Day(4), false, 0, true, false},     {Day(5, 12), false, 1, false, false},
        {Day(3, 23), false, 0, false, true}, // before the first date
        {Day(7), false, 2, false, false},    // the midnight that ends the last day
        {Day(7), true, 3, true, false},      // ... is the index past it in a work week
        {Day(7, 1), false, 2, false, true},  // any later time is clipped
        {Day(9), true, 2, true, true},
    };
    for (const Case &c : cases) {
        const BannerDayHit hit = BannerDayFromDate(Day(4), 3, c.workWeek, c.date);
        EXPECT_EQ(hit.day, c.day) << c.date.ToIsoString().toStdString();
        EXPECT_EQ(hit.atMidnight, c.atMidnight) << c.date.ToIsoString().toStdString();
        EXPECT_EQ(hit.clipped, c.clipped) << c.date.ToIsoString().toStdString();
    }
    EXPECT_EQ(BannerDayFromDate(Day(4), 1, true, Day(5)).day, 0) << "one day: the index past it is that day";
}

TEST_F(BannerTest, WorkWeekColumnsMapToTheWorkDaysOfTheWeek)
{
    SetFirstDayOfWeek(6); // weeks start on Sunday
    Show(5, true, kMonWedFri);
    EXPECT_EQ(banner.GetColumnCount(), 3);
    EXPECT_EQ(banner.GetFirstDate(), Day(3)) << "the week's Sunday";
    EXPECT_EQ(banner.GetDayDate(0), Day(4));
    EXPECT_EQ(banner.GetDayDate(1), Day(6));
    EXPECT_EQ(banner.GetDayDate(2), Day(8));
    EXPECT_EQ(banner.ColumnToDay(1), 3);
    EXPECT_EQ(banner.DayToColumn(2), -1);
    // The day after the last column is one day later, whatever the table holds past it.
    EXPECT_EQ(banner.GetDayDate(3), Day(9));
    EXPECT_DOUBLE_EQ(banner.GetDaySpan(1, 3).GetTotalDays(), 3.0);
    EXPECT_DOUBLE_EQ(banner.GetDaySpan(0, 1).GetTotalDays(), 2.0);

    Show(5, true, 0);
    EXPECT_EQ(banner.GetColumnCount(), 7) << "a week without work days shows all its days";
    Show(4, false);
    EXPECT_EQ(banner.GetColumnCount(), 4);
    EXPECT_EQ(banner.GetFirstDate(), Day(4));
}

TEST_F(BannerTest, ItemsTakeColumnsAndEdgeFlags)
{
    struct Case
    {
        const char *name;
        bool workWeek;
        int mask;
        CDateTime start, end;
        bool added;
        int first, last;
        std::uint32_t flags;
    } cases[] = {
        // Three days, Monday to Wednesday.
        {"one whole day", false, kMonToFri, Day(4), Day(5), true, 0, 0, 0},
        {"two days", false, kMonToFri, Day(4), Day(6), true, 0, 1, 0},
        {"noon to noon", false, kMonToFri, Day(4, 12), Day(5, 12), true, 0, 1, 0},
        {"starts before", false, kMonToFri, Day(2), Day(5), true, 0, 0, kBefore},
        {"ends after", false, kMonToFri, Day(6), Day(9), true, 2, 2, kAfter},
        {"both sides", false, kMonToFri, Day(1), Day(10), true, 0, 2, kBefore | kAfter},
        {"ends with the range", false, kMonToFri, Day(6), Day(7), true, 2, 2, 0},
        {"after the range", false, kMonToFri, Day(7), Day(8), false, 0, 0, 0},
        {"ends as the range starts", false, kMonToFri, Day(1), Day(4), false, 0, 0, 0},
        // Work week Monday, Wednesday, Friday.
        {"hidden day only", true, kMonWedFri, Day(5), Day(6), false, 0, 0, 0},
        {"weekend only", true, kMonWedFri, Day(9), Day(11), false, 0, 0, 0},
        {"Tuesday to Thursday", true, kMonWedFri, Day(5), Day(8), true, 1, 1, kBefore | kAfter},
        {"Wednesday to Saturday", true, kMonWedFri, Day(6), Day(10), true, 1, 2, kAfter},
        {"Friday alone", true, kMonWedFri, Day(8), Day(9), true, 2, 2, 0},
        {"before the week to Monday", true, kMonWedFri, Day(2), Day(5), true, 0, 0, kBefore},
        // Work week Monday to Friday, the next week: Saturday to Tuesday.
        {"Saturday to Tuesday", true, kMonToFri, Day(9), Day(13), true, 0, 1, kBefore},
    };
    for (const Case &c : cases) {
        Show(3, c.workWeek, c.mask);
        if (std::string(c.name) == "Saturday to Tuesday")
            banner.SetDate(Day(11), false, true);
        const bool added = banner.AddEntry(MakeItem(1, c.start, c.end));
        EXPECT_EQ(added, c.added) << c.name;
        if (!added || !c.added)
            continue;
        banner.Refresh(true);
        const CDisplayItem *e = Find(1);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(e->GetFirstCell(), c.first) << c.name;
        EXPECT_EQ(e->GetLastCell(), c.last) << c.name;
        EXPECT_EQ(e->GetFlags() & (kBefore | kAfter), c.flags) << c.name;
        const QRect first = banner.GetCellRect(c.first, 0), last = banner.GetCellRect(c.last, 0);
        EXPECT_EQ(e->GetRect(), QRect(first.left(), banner.GetViewRect().top(),
                                      last.left() + last.width() - first.left(), banner.GetLaneStep()))
            << c.name;
    }
}

TEST_F(BannerTest, OverlappingItemsTakeLanesAndEveryItemIsPlaced)
{
    Show(5, false);
    // Three items over Tuesday, two touching ones after them and a long one under all.
    banner.AddEntry(MakeItem(1, Day(5), Day(6)));
    banner.AddEntry(MakeItem(2, Day(5), Day(7)));
    banner.AddEntry(MakeItem(3, Day(4), Day(6)));
    banner.AddEntry(MakeItem(4, Day(7), Day(8)));
    banner.AddEntry(MakeItem(5, Day(8), Day(9)));
    banner.AddEntry(MakeItem(6, Day(1), Day(20)));
    banner.Refresh(true);
    for (const auto &e : banner.GetEntries())
        EXPECT_EQ(e->GetRect().height(), banner.GetLaneStep())
            << "record " << e->GetItemRef() << " is placed";
    for (const auto &a : banner.GetEntries()) {
        for (const auto &b : banner.GetEntries()) {
            if (a == b || Lane(*a) != Lane(*b))
                continue;
            EXPECT_FALSE(a->GetLastCell() >= b->GetFirstCell() && b->GetLastCell() >= a->GetFirstCell())
                << a->GetItemRef() << " and " << b->GetItemRef() << " share a lane and a day";
        }
    }
    EXPECT_EQ(Lane(*Find(4)), Lane(*Find(5))) << "touching items share a lane";
    EXPECT_EQ(banner.GetRowCount(), 4);
}

TEST_F(BannerTest, ManyItemsScrollByRows)
{
    for (int days : {3, 1}) {
        Show(days, false);
        host.client = QRect(0, 0, 400, banner.GetHeaderHeight() + 2 * banner.GetRowHeight() + 3);
        for (std::uint32_t i = 1; i <= 6; ++i)
            banner.AddEntry(MakeItem(i, Day(4), Day(5), QString::number(i)));
        banner.Refresh(true);
        EXPECT_EQ(banner.GetRowCount(), 6) << days;
        EXPECT_EQ(banner.GetVisibleRowCount(), 2) << days;
        CDayBannerCtrl::ScrollBarState bar = banner.GetScrollBarState();
        EXPECT_TRUE(bar.visible && bar.enabled) << days;
        EXPECT_EQ(bar.maximum, 5);
        EXPECT_EQ(bar.page, 2);

        EXPECT_TRUE(banner.OnVScroll(CDayBannerCtrl::ScrollPageDown));
        EXPECT_EQ(banner.GetTopRow(), 2);
        EXPECT_TRUE(banner.OnVScroll(CDayBannerCtrl::ScrollPageDown)) << "near the end: to the last top row";
        EXPECT_EQ(banner.GetTopRow(), 4);
        EXPECT_FALSE(banner.OnVScroll(CDayBannerCtrl::ScrollLineDown));
        EXPECT_TRUE(banner.OnScroll(0x00FF));
        EXPECT_EQ(banner.GetTopRow(), 3);
        EXPECT_FALSE(banner.OnScroll(0x02FF)) << "only one row up or down";
        EXPECT_TRUE(banner.OnVScroll(CDayBannerCtrl::ScrollThumbTrack, 99));
        EXPECT_EQ(banner.GetTopRow(), 4);
        EXPECT_EQ(banner.GetScrollBarState().position, 4);

        // Entries are hit and drawn where they scrolled to.
        const QRect content = banner.GetEntry(4)->GetRect();
        EXPECT_EQ(banner.GetEntryRect(4), content.translated(0, -4 * banner.GetRowHeight()));
        EXPECT_EQ(banner.EntryFromPoint(banner.GetEntryRect(4).center()), 4);

        banner.EnsureEntryVisible(0);
        EXPECT_EQ(banner.GetTopRow(), 0);
        banner.EnsureEntryVisible(5);
        EXPECT_EQ(banner.GetTopRow(), 4);

        // Fewer items: the top row is clamped, and the bar hides (one column) or stays disabled.
        while (banner.GetEntryCount() > 1)
            banner.RemoveEntryAt(1);
        banner.Refresh(false);
        EXPECT_EQ(banner.GetTopRow(), 0);
        bar = banner.GetScrollBarState();
        EXPECT_FALSE(bar.enabled);
        EXPECT_EQ(bar.visible, days > 1) << days;
    }
}

TEST_F(BannerTest, GeometryStaysInsideTheColumnsHoweverSmallTheWindow)
{
    Show(3, false);
    banner.AddEntry(MakeItem(1, Day(4), Day(6)));
    banner.Refresh(true);
    // Columns sit side by side after the label column.
    const QRect c0 = banner.GetCellRect(0, 0), c1 = banner.GetCellRect(1, 0), c2 = banner.GetCellRect(2, 0);
    EXPECT_EQ(c0.left(), 40 + 1 + 2);
    EXPECT_EQ(c0.left() + c0.width(), c1.left());
    EXPECT_EQ(c2.left() + c2.width(), banner.GetViewRect().left() + banner.GetViewRect().width() - 3);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(banner.CellFromPoint(CentreOf(c)), c);
    EXPECT_EQ(banner.CellFromPoint({-50, 10}), 0);
    EXPECT_EQ(banner.CellFromPoint({5000, 10}), 2);

    // A wider label column in the time grid moves the columns and the items with them.
    banner.SetLabelWidth(60);
    EXPECT_EQ(banner.GetCellRect(0, 0).left(), 60 + 1 + 2);
    EXPECT_EQ(banner.GetEntry(0)->GetRect().left(), 63);
    EXPECT_EQ(banner.CellFromPoint({62, 10}), 0);

    for (const QRect client : {QRect(0, 0, 1, 1), QRect(0, 0, 0, 0), QRect(0, 0, 45, 30)}) {
        host.client = client;
        banner.Refresh(false);
        for (int x : {-3, 0, 1, 44, 90}) {
            const int cell = banner.CellFromPoint({x, 5});
            EXPECT_TRUE(cell >= 0 && cell <= 2) << x;
        }
        QImage image(std::max(1, client.width()), std::max(1, client.height()), QImage::Format_ARGB32);
        QPainter painter(&image);
        banner.Draw(painter, client);
    }
}

TEST_F(BannerTest, GoingToADateKeepsTheSelectionInsideTheColumns)
{
    Show(7, false);
    banner.SetAnchorCell(2);
    banner.SetCurrentCell(6);
    banner.SetBannerDays(2, false);
    banner.SetDate(Day(11), false, true);
    EXPECT_EQ(banner.GetDayCount(), 2);
    EXPECT_EQ(banner.GetAnchorCell(), 0);
    EXPECT_EQ(banner.GetCurrentCell(), 1) << "four columns long, clamped to the last column";

    // With context, one day before the date stays in view; the focus is on the date.
    banner.SetBannerDays(5, false);
    banner.SetDate(Day(11), true, true);
    EXPECT_EQ(banner.GetFirstDate(), Day(10));
    EXPECT_EQ(banner.GetCurrentCell(), 1);
    EXPECT_EQ(banner.GetAnchorCell(), 1);

    banner.GoToDate(Day(13));
    EXPECT_EQ(banner.GetCurrentCell(), 3);
    EXPECT_TRUE(banner.IsCellSelected(3));

    // Today's column, or none when today is hidden.
    Show(3, false);
    EXPECT_EQ(banner.GetTodayColumn(), 2);
    Show(5, true, kMonWedFri);
    EXPECT_EQ(banner.GetTodayColumn(), 1);
    banner.today = Day(5);
    banner.UpdateToday();
    EXPECT_EQ(banner.GetTodayColumn(), -1);
}

TEST_F(BannerTest, KeysMoveTheFocusAndPageAtTheEdges)
{
    Show(3, false);
    EXPECT_TRUE(banner.OnKeyDown(Qt::Key_Left, 0));
    EXPECT_EQ(container.commands, std::vector<int>{kCmdPrevPeriod});
    banner.OnKeyDown(Qt::Key_Right, 0);
    banner.OnKeyDown(Qt::Key_Right, kModShift);
    EXPECT_EQ(banner.GetAnchorCell(), 1);
    EXPECT_EQ(banner.GetCurrentCell(), 2);
    EXPECT_TRUE(banner.IsCellSelected(1) && banner.IsCellSelected(2));
    banner.OnKeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(container.commands.back(), kCmdNextPeriod);
    EXPECT_EQ(banner.GetAnchorCell(), 2) << "the anchor follows without Shift";
    EXPECT_EQ(container.notifications.back(), kNotifySelectionChanged);
}

TEST_F(BannerTest, TypingMakesAnEventOverTheSelectedDays)
{
    struct Case
    {
        const char *name;
        int days;
        bool workWeek;
        int mask;
        int anchor, focus;
        CDateTime start;
        double length;
    } cases[] = {
        {"three days", 3, false, kMonToFri, 0, 2, Day(4), 3.0},
        {"backwards", 5, false, kMonToFri, 3, 1, Day(5), 3.0},
        {"Wednesday to Friday, apart", 5, true, kMonWedFri, 1, 2, Day(6), 3.0},
        {"Friday alone, the last column", 5, true, kMonWedFri, 2, 2, Day(8), 1.0},
        {"every day to Sunday", 5, true, kEveryDay, 5, 6, Day(9), 2.0},
        {"Monday to Friday", 5, true, kMonToFri, 0, 4, Day(4), 5.0},
    };
    for (const Case &c : cases) {
        container.doc.saved.clear();
        Show(c.days, c.workWeek, c.mask);
        banner.SetAnchorCell(c.anchor);
        banner.SetCurrentCell(c.focus);
        banner.OnChar(QChar('M'));
        ASSERT_TRUE(banner.IsEditing()) << c.name;
        EXPECT_EQ(host.editText, QStringLiteral("M")) << c.name;
        host.editText += QStringLiteral("eeting");
        banner.EndEdit(true, true);
        ASSERT_EQ(container.doc.saved.size(), 1u) << c.name;
        const CEventItem &saved = container.doc.saved.front();
        EXPECT_EQ(saved.GetStart(), c.start) << c.name;
        EXPECT_DOUBLE_EQ(saved.GetDuration().GetTotalDays(), c.length) << c.name;
        EXPECT_EQ(saved.GetSubject(), QStringLiteral("Meeting")) << c.name;
    }
}

TEST_F(BannerTest, KeyboardMovesThenTypingInAWorkWeek)
{
    Show(5, true, kMonWedFri);
    banner.OnKeyDown(Qt::Key_Right, 0);         // Wednesday
    banner.OnKeyDown(Qt::Key_Right, kModShift); // to Friday
    banner.OnChar(QChar('x'));
    banner.EndEdit(true, true);
    ASSERT_EQ(container.doc.saved.size(), 1u);
    EXPECT_EQ(container.doc.saved[0].GetStart(), Day(6));
    EXPECT_EQ(container.doc.saved[0].GetStart() + container.doc.saved[0].GetDuration(), Day(9));
}

TEST_F(BannerTest, TypingIsRefusedWhileReadOnlyOrWhileItemsAreSelected)
{
    Show(3, false);
    container.readOnly = true;
    banner.OnChar(QChar('a'));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(banner.GetEntryCount(), 0);

    container.readOnly = false;
    banner.AddEntry(MakeItem(5, Day(4), Day(5)));
    banner.Refresh(true);
    banner.SetOccurrenceState(5, Day(4), 0x03, 0x03, false);
    banner.OnChar(QChar('a'));
    EXPECT_EQ(banner.GetEntryCount(), 1);
    EXPECT_FALSE(host.editVisible);
}

TEST_F(BannerTest, InPlaceEditOfAScrolledItemStoresItsSubject)
{
    Show(3, false);
    host.client = QRect(0, 0, 400, banner.GetHeaderHeight() + 2 * banner.GetRowHeight());
    for (std::uint32_t id = 1; id <= 4; ++id) {
        CEventItem stored;
        stored.SetStart(Day(4));
        stored.SetDuration(CDateSpan(2.0));
        stored.SetSubject(QStringLiteral("old %1").arg(id));
        container.doc.events.emplace(id, stored);
        banner.AddEntry(MakeItem(id, Day(4), Day(6), stored.GetSubject()));
    }
    banner.Refresh(true);
    banner.OnVScroll(CDayBannerCtrl::ScrollLineDown);
    ASSERT_EQ(banner.GetTopRow(), 1);
    // The item in the third lane, the second visible row.
    int index = -1;
    for (int i = 0; i < banner.GetEntryCount(); ++i) {
        if (Lane(*banner.GetEntry(i)) == 2)
            index = i;
    }
    ASSERT_GE(index, 0);
    const std::uint32_t id = banner.GetEntry(index)->GetItemRef();
    banner.SetOccurrenceState(id, Day(4), 0x03, 0x03, false);
    banner.SetFocusedEntry(index);
    banner.OnKeyDown(Qt::Key_F2, 0);
    ASSERT_TRUE(host.editVisible);
    const QRect content = banner.GetEntry(index)->GetRect();
    const int top = content.top() - banner.GetTopRow() * banner.GetRowHeight();
    EXPECT_EQ(host.editRect, QRect(content.left() + 4, top + 2, content.width() - 7, content.height() - 4));
    EXPECT_EQ(banner.GetTopRow(), 1) << "the item was visible already";
    EXPECT_EQ(host.editText, QStringLiteral("old %1").arg(id));
    host.editText = QStringLiteral("renamed");
    host.editModified = true;
    banner.EndEdit(true, true);
    EXPECT_EQ(container.doc.events.at(id).GetSubject(), QStringLiteral("renamed"));
    EXPECT_EQ(container.doc.events.at(id).GetStart(), Day(4)) << "the times stay";
}

TEST_F(BannerTest, HitCodesOfTheStripTheEdgesAndTheBody)
{
    Show(3, false);
    banner.AddEntry(MakeItem(1, Day(5), Day(6)));
    banner.AddEntry(MakeItem(2, Day(1), Day(5))); // continues from before
    banner.Refresh(true);
    int index = -1;
    const QPoint strip(CentreOf(2).x(), 3);
    EXPECT_EQ(banner.HitTest(strip, &index), HitCellArea);
    EXPECT_EQ(index, 2);

    const QRect r = banner.GetEntryRect(banner.FindEntry(1, Day(5)));
    EXPECT_EQ(banner.HitTest({r.left() + 2, r.center().y()}, &index), HitEntryStart);
    EXPECT_EQ(banner.HitTest({r.right() - 2, r.center().y()}, &index), HitEntryEnd);
    EXPECT_EQ(banner.HitTest(r.center(), &index), HitEntryBody);
    const QRect before = banner.GetEntryRect(banner.FindEntry(2, Day(1)));
    EXPECT_EQ(banner.HitTest({before.left() + 2, before.center().y()}, &index), HitEntryBody);
    EXPECT_EQ(banner.HitTest({CentreOf(2).x(), banner.GetViewRect().bottom()}, &index), HitCell);
    EXPECT_EQ(index, 2);

    // One column: no strip and no resize edges.
    Show(1, false);
    banner.AddEntry(MakeItem(1, Day(4), Day(5)));
    banner.Refresh(true);
    EXPECT_EQ(banner.GetHeaderHeight(), 0);
    const QRect single = banner.GetEntryRect(0);
    EXPECT_EQ(banner.HitTest({single.left() + 1, single.center().y()}, &index), HitEntryBody);
    EXPECT_TRUE(banner.GetBoldFont().bold() && banner.GetItemFont().bold());
    EXPECT_EQ(banner.GetItemFont().pointSize(), 10);
}

TEST_F(BannerTest, ClicksInTheStripOpenTheDaysMenuOrSelectADay)
{
    Show(3, false);
    QPoint menuPoint;
    int shown = 0;
    banner.SetDaysMenuHandler(
        [&](const std::vector<CDayBannerCtrl::DaysMenuChoice> &choices, const QPoint &p) {
            ++shown;
            menuPoint = p;
            EXPECT_EQ(choices.size(), 14u);
            return choices[3].commandId;
        });
    banner.OnLeftDown({10, 3}, 0);
    banner.OnLeftButtonUp({10, 3});
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(menuPoint, QPoint(5, banner.GetHeaderHeight() + 1));
    ASSERT_FALSE(container.commands.empty());
    EXPECT_EQ(container.commands.back(), 32871) << "five days";

    const QPoint caption(CentreOf(1).x(), 3);
    banner.OnLeftDown(caption, 0);
    banner.OnLeftButtonUp(caption);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(banner.GetCurrentCell(), 1);
    EXPECT_TRUE(banner.IsCellSelected(1));
}

TEST(DayBannerMenu, ChoicesOfTheDaysMenu)
{
    const auto choices = CDayBannerCtrl::DaysMenuChoices();
    ASSERT_EQ(choices.size(), 14u);
    EXPECT_EQ(choices[0].commandId, 32868);
    EXPECT_EQ(choices[0].text, QStringLiteral("&2 Days\tAlt+2"));
    EXPECT_EQ(choices[7].text, QStringLiteral("&9 Days\tAlt+9"));
    EXPECT_EQ(choices[8].commandId, 32876);
    EXPECT_EQ(choices[8].text, QStringLiteral("1&0 Days\tAlt+0"));
    EXPECT_EQ(choices[12].commandId, 32880);
    EXPECT_EQ(choices[12].text, QStringLiteral("14 Days"));
    EXPECT_EQ(choices[13].commandId, 34724);
    EXPECT_EQ(choices[13].text, QStringLiteral("&Work Week"));
}

TEST_F(BannerTest, ContextMenuKinds)
{
    Show(3, false);
    banner.AddEntry(MakeItem(1, Day(5), Day(6)));
    banner.Refresh(true);
    const QPoint item = banner.GetEntryRect(0).center();
    EXPECT_EQ(banner.GetContextMenuIndex({10, 40}, false), 0) << "over the label column";
    EXPECT_EQ(banner.GetContextMenuIndex(CentreOf(2), false), 2);
    EXPECT_EQ(banner.GetContextMenuIndex(item, false), 4) << "the base's rule on an item";
    EXPECT_EQ(banner.GetContextMenuIndex({399, 40}, false), -1) << "the scroll bar";
    EXPECT_EQ(banner.GetContextMenuIndex({-1, -1}, true), 2);
    banner.SetOccurrenceState(1, Day(5), 0x03, 0x03, false);
    EXPECT_EQ(banner.GetContextMenuIndex({-1, -1}, true), 4);
    Show(1, false);
    EXPECT_EQ(banner.GetContextMenuIndex({-1, -1}, true), 1);
}

TEST_F(BannerTest, ResizingInAWorkWeekEndsOnTheShownDays)
{
    Show(5, true, kMonWedFri);
    banner.AddEntry(MakeItem(9, Day(4), Day(5)));
    banner.Refresh(true);
    const QRect r = banner.GetEntryRect(0);
    const QPoint edge(r.right() - 2, r.center().y());
    int index = -1;
    ASSERT_EQ(banner.HitTest(edge, &index), HitEntryEnd);
    banner.OnLeftDown(edge, 0);
    const QPoint friday(CentreOf(2).x(), edge.y());
    banner.OnMouseMove(friday);
    banner.OnLeftButtonUp(friday);
    ASSERT_EQ(container.moved.size(), 1u);
    EXPECT_EQ(container.moved[0].movedStart, Day(4));
    EXPECT_DOUBLE_EQ(container.moved[0].duration.GetTotalDays(), 5.0) << "Monday through Friday";
}

TEST_F(BannerTest, DraggedItemsMoveByTheDaysBetweenColumns)
{
    Show(5, true, kMonWedFri);
    banner.AddEntry(MakeItem(9, Day(4), Day(5)));
    banner.Refresh(true);
    CDragState *drag = CDragState::Begin();
    ASSERT_NE(drag, nullptr);
    drag->sourceView = &banner;
    drag->sourceViewKind = CDayBannerCtrl::kViewKindBanner;
    drag->draggedEntries.push_back(banner.GetEntry(0));
    drag->sourceCell = drag->lastCell = 0;
    banner.BuildDragRecords();
    ASSERT_EQ(drag->dragItems.size(), 1u);
    EXPECT_EQ(drag->dragItems[0].movedStart, Day(4)) << "the banner's own drag keeps its times";

    QMimeData data;
    data.setData(InternalFormatMimeType(), QByteArray(1, 'x'));
    banner.OnDragOver(&data, 0, CentreOf(2));
    EXPECT_EQ(drag->dragItems[0].movedStart, Day(8)) << "Monday to Friday is four days";
    banner.OnDropEx(&data, kDropEffectCopy, CentreOf(2));
    ASSERT_EQ(container.moved.size(), 1u);
    EXPECT_EQ(container.moved[0].movedStart, Day(8));
}

TEST_F(BannerTest, ItemsDraggedInFromAnotherViewStartOnTheFirstDay)
{
    Show(3, false);
    TestBanner other;
    other.SetBannerDays(3, false);
    other.SetDate(Day(18), false, true);
    other.AddEntry(MakeItem(3, Day(18, 9), Day(20, 9)));
    other.AddEntry(MakeItem(4, Day(19), Day(19), QStringLiteral("task"), CDisplayItem::KindTask));
    CDragState *drag = CDragState::Begin();
    ASSERT_NE(drag, nullptr);
    drag->sourceView = &other;
    for (const auto &e : other.GetEntries())
        drag->draggedEntries.push_back(e.get());
    drag->sourceCell = 2;
    banner.BuildDragRecords();
    ASSERT_EQ(drag->dragItems.size(), 2u);
    for (const CDragItem &item : drag->dragItems) {
        EXPECT_EQ(item.movedStart, Day(4));
        EXPECT_EQ(item.start, Day(4));
    }
    EXPECT_DOUBLE_EQ(drag->dragItems[0].duration.GetTotalDays(), 1.0);
    EXPECT_EQ(drag->sourceCell, 0);

    // Entering the banner re-bases them, and the column under the pointer places them.
    drag->dragItems.clear();
    drag->sourceCell = drag->lastCell = 2;
    QMimeData data;
    data.setData(InternalFormatMimeType(), QByteArray(1, 'x'));
    banner.OnDragEnter(&data, 0, CentreOf(1));
    ASSERT_EQ(drag->dragItems.size(), 2u);
    EXPECT_EQ(drag->dragItems[0].movedStart, Day(5));
    EXPECT_DOUBLE_EQ(drag->dragItems[0].duration.GetTotalDays(), 1.0);
    EXPECT_EQ(drag->lastCell, 1);
}
