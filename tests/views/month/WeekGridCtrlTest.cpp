// The week grid without a window: week starts, cell geometry, item pieces, stacking and overflow,
// keys, typing and in-place editing through the faked ports.
#include "views/month/WeekGridCtrl.h"

#include "views/support/RecordEntry.h"
#include "views/support/ViewFakes.h"
#include "views/timegrid/WorkWeekGuard.h"
#include "common/TempProfile.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/system/Profile.h"
#include "core/dates/WeekRules.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/CellDateFlags.h"
#include "views/base/DragState.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr int kLine = 12;
constexpr int kStrip = 15;

std::unique_ptr<CDisplayItem> MakeItem(std::uint32_t record, const CDateTime &start, const CDateTime &end,
                                       const QString &subject = QStringLiteral("Item"))
{
    return MakeRecordEntry(record, start, end, subject);
}

// Shared set-up: a Sunday-first week of 13..19 October 2024 in a 400 x 300 client, a fixed
// text measure of one line per 10 characters.
class WeekGridTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        host.client = QRect(0, 0, 400, 300);
        view.SetHost(&host);
        view.SetContainer(&container);
        view.SetLineMetrics(kLine, kStrip);
        view.SetTextMeasurer([](const QString &text, int) { return kLine * int((text.size() + 9) / 10); });
        view.m_showStatusIcons = 0;
        view.m_showTypeIcon = 0;
        view.SetDate(CDateTime(2024, 10, 16));
    }
    void TearDown() override { CDragState::End(); }
    void Key(int key, int modifiers = 0) { view.OnKeyDown(key, modifiers); }
    std::vector<const CDisplayItem *> EntriesOfCell(int cell) const
    {
        std::vector<const CDisplayItem *> out;
        for (const auto &e : view.GetEntries()) {
            if (e->GetFirstCell() == cell)
                out.push_back(e.get());
        }
        return out;
    }

    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    CWeekGridCtrl view;
    WorkWeekGuard m_week{0x3E, 6}; // Monday..Friday, weeks from Sunday
};

} // namespace

// The week start against a walk back to the first day of the week, for every first day, both
// settings of "Monday start" and every weekday.
TEST(WeekGridRules, WeekStartForEveryFirstDayAndWeekday)
{
    for (int firstDay = 0; firstDay < 7; ++firstDay) {
        for (const bool monday : {false, true}) {
            for (int day = 0; day < 7; ++day) {
                const QDate date = QDate(2024, 10, 14).addDays(day);
                QDate expected = date;
                const int wanted = monday ? 1 : firstDay + 1; // QDate: 1 Monday .. 7 Sunday
                while (expected.dayOfWeek() != wanted)
                    expected = expected.addDays(-1);
                const CDateTime start = CWeekGridCtrl::WeekStartFor(
                    CDateTime(date.year(), date.month(), date.day(), 15, 30, 0), monday, firstDay);
                EXPECT_EQ(start, CDateTime(expected.year(), expected.month(), expected.day()))
                    << "first day " << firstDay << " monday " << monday << " "
                    << date.toString().toStdString();
            }
        }
    }
    // Sunday first: a Wednesday starts on the Sunday before, or the Monday with "Monday start".
    EXPECT_EQ(CWeekGridCtrl::WeekStartFor(CDateTime(2024, 10, 16), false, 6), CDateTime(2024, 10, 13));
    EXPECT_EQ(CWeekGridCtrl::WeekStartFor(CDateTime(2024, 10, 16), true, 6), CDateTime(2024, 10, 14));
    EXPECT_EQ(CWeekGridCtrl::WeekStartFor(CDateTime(2024, 10, 14), true, 6), CDateTime(2024, 10, 14));
}

TEST_F(WeekGridTest, SetDateReadsMondayStartAndSelectsTheDay)
{
    EXPECT_EQ(view.GetWeekStart(), CDateTime(2024, 10, 13));
    EXPECT_EQ(view.GetCurrentCell(), 3);
    EXPECT_TRUE(view.IsCellSelected(3));
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 10, 16));
    EXPECT_TRUE(view.IsNonWorkCell(0)); // Sunday
    EXPECT_FALSE(view.IsNonWorkCell(1));
    EXPECT_TRUE(view.IsNonWorkCell(6)); // Saturday

    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("WE"), 1);
    view.SetDate(CDateTime(2024, 10, 16));
    EXPECT_EQ(view.GetWeekStart(), CDateTime(2024, 10, 14));
    EXPECT_EQ(view.GetCurrentCell(), 2);
    EXPECT_TRUE(view.IsNonWorkCell(5)); // Saturday
    EXPECT_TRUE(view.IsNonWorkCell(6)); // Sunday
    EXPECT_FALSE(view.IsNonWorkCell(0));
}

// W 400, H 300: middle 200, row tops 0, 100, 200 and 250 for the last day.
TEST_F(WeekGridTest, CellRectanglesOfTheWeekLayout)
{
    const QRect cells[7] = {QRect(0, 0, 200, 100),   QRect(0, 100, 200, 100),   QRect(0, 200, 200, 99),
                            QRect(200, 0, 199, 100), QRect(200, 100, 199, 100), QRect(200, 200, 199, 50),
                            QRect(200, 250, 199, 49)};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(view.GetCellRect(c, CWeekGridCtrl::kPartCell), cells[c]) << c;
        const QRect &r = cells[c];
        EXPECT_EQ(view.GetCellRect(c, CWeekGridCtrl::kPartStrip),
                  QRect(r.left() + 1, r.top() + 1, r.width() - 1, kStrip));
        EXPECT_EQ(view.GetCellRect(c, CWeekGridCtrl::kPartBody),
                  QRect(r.left() + 1, r.top() + 1 + kStrip, r.width() - 1, r.height() - 1 - kStrip));
    }
    EXPECT_EQ(view.GetCellRect(7, 1), QRect());
    EXPECT_EQ(view.OverflowGlyphRect(5), QRect(399 - 12, 250 - 8, 11, 7));
}

TEST_F(WeekGridTest, CellFromPointIncludingTinyWindows)
{
    struct Case
    {
        QPoint point;
        int cell;
    };
    const Case cases[] = {{{0, 0}, 0},     {{199, 99}, 0},  {{10, 150}, 1},  {{10, 299}, 2},
                          {{200, 0}, 3},   {{390, 150}, 4}, {{300, 240}, 5}, {{300, 250}, 5},
                          {{300, 251}, 6}, {{-5, -5}, 0},   {{900, 900}, 6}};
    for (const Case &c : cases)
        EXPECT_EQ(view.CellFromPoint(c.point), c.cell) << c.point.x() << "," << c.point.y();
    for (const QRect client :
         {QRect(0, 0, 1, 1), QRect(0, 0, 0, 0), QRect(0, 0, 1, 200), QRect(0, 0, 300, 2)}) {
        host.client = client;
        for (const QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(-1, 3)}) {
            const int cell = view.CellFromPoint(p);
            EXPECT_GE(cell, 0);
            EXPECT_LE(cell, 6);
        }
    }
}

TEST_F(WeekGridTest, CellFromDateClipsToTheWeek)
{
    struct Case
    {
        CDateTime date;
        int cell, flags;
    };
    const Case cases[] = {
        {CDateTime(2024, 10, 12, 23, 0, 0), 0, kCellClipped},
        {CDateTime(2024, 10, 13), 0, kCellAtMidnight},
        {CDateTime(2024, 10, 19, 23, 59, 0), 6, 0},
        {CDateTime(2024, 10, 20), 6, 0}, // the end of the week itself
        {CDateTime(2024, 10, 20, 0, 1, 0), 6, kCellClipped},
        {CDateTime(2024, 10, 22), 6, kCellClipped | kCellAtMidnight},
    };
    for (const Case &c : cases) {
        int flags = -1;
        EXPECT_EQ(view.CellFromDate(c.date, &flags), c.cell) << c.date.ToIsoString().toStdString();
        EXPECT_EQ(flags, c.flags) << c.date.ToIsoString().toStdString();
    }
}

// Which cells an item's pieces cover and which continuation marks they carry.
TEST_F(WeekGridTest, ItemsBecomePiecesPerDay)
{
    constexpr std::uint32_t B = CDisplayItem::FlagBeginsBefore, A = CDisplayItem::FlagEndsAfter;
    struct Piece
    {
        int cell;
        std::uint32_t marks;
    };
    struct Case
    {
        const char *name;
        CDateTime start, end;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {"Friday to Sunday midnight", CDateTime(2024, 10, 18), CDateTime(2024, 10, 20), {{5, A}, {6, B}}},
        {"from the week before to Tuesday",
         CDateTime(2024, 10, 10),
         CDateTime(2024, 10, 15, 12, 0, 0),
         {{0, B | A}, {1, B | A}, {2, B}}},
        {"Friday into the next week", CDateTime(2024, 10, 18), CDateTime(2024, 10, 22), {{5, A}, {6, B | A}}},
        {"all of Saturday", CDateTime(2024, 10, 19), CDateTime(2024, 10, 20), {{6, 0}}},
        {"over midnight",
         CDateTime(2024, 10, 15, 22, 0, 0),
         CDateTime(2024, 10, 16, 2, 0, 0),
         {{2, A}, {3, B}}},
        {"timed", CDateTime(2024, 10, 16, 9, 0, 0), CDateTime(2024, 10, 16, 10, 0, 0), {{3, 0}}},
        {"zero length at midnight", CDateTime(2024, 10, 16), CDateTime(2024, 10, 16), {{3, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view.SetDate(CDateTime(2024, 10, 16));
        auto item = MakeItem(1, c.start, c.end);
        if (QString::fromLatin1(c.name) == QStringLiteral("over midnight"))
            item->SetFlag(CDisplayItem::FlagCrossesMidnight, true);
        EXPECT_TRUE(view.AddEntry(std::move(item)));
        ASSERT_EQ(view.GetEntryCount(), int(c.pieces.size()));
        for (std::size_t i = 0; i < c.pieces.size(); ++i) {
            const CDisplayItem &e = *view.GetEntry(int(i));
            EXPECT_EQ(e.GetFirstCell(), c.pieces[i].cell) << i;
            EXPECT_EQ(e.GetLastCell(), c.pieces[i].cell) << i;
            EXPECT_EQ(e.GetFlags() & (A | B), c.pieces[i].marks) << i;
            EXPECT_EQ(e.GetStart(), c.start);
        }
    }
    // Occurrences outside the week are not drawn on its edge days.
    view.SetDate(CDateTime(2024, 10, 16));
    EXPECT_FALSE(view.AddEntry(MakeItem(2, CDateTime(2024, 10, 21), CDateTime(2024, 10, 21, 1, 0, 0))));
    EXPECT_FALSE(view.AddEntry(MakeItem(3, CDateTime(2024, 10, 11), CDateTime(2024, 10, 13))));
    EXPECT_FALSE(view.AddEntry(MakeItem(4, CDateTime(2024, 10, 17), CDateTime(2024, 10, 16))));
    EXPECT_EQ(view.GetEntryCount(), 0);
}

// Stacking (option OS off) and lanes (OS on): where items go and which days overflow. Cell 5 has
// a 34-pixel body (50 - 1 - 15), cell 1 an 84-pixel body.
TEST_F(WeekGridTest, StackingAndOverflow)
{
    struct Case
    {
        const char *name;
        int os;
        int cell;
        std::vector<int> subjectLengths;
        std::vector<int> heights; // 0: not placed
        bool overflow;
    };
    const Case cases[] = {
        {"one line each", 0, 1, {5, 5, 5}, {17, 17, 17}, false},
        {"long text wraps", 0, 1, {25, 5}, {41, 17}, false},
        {"too many", 0, 5, {5, 5, 5}, {17, 17, 0}, true},
        {"cut to whole lines", 0, 5, {60}, {29}, false},
        {"empty subject", 0, 1, {0}, {17}, false},
        {"lanes", 1, 1, {5, 40, 5}, {17, 17, 17}, false},
        {"lanes run out", 1, 5, {5, 5, 5}, {17, 0, 0}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view.SetDate(CDateTime(2024, 10, 16));
        view.m_optionOS = c.os;
        const CDateTime day = view.GetDayDate(c.cell);
        for (std::size_t i = 0; i < c.subjectLengths.size(); ++i)
            view.AddEntry(MakeItem(std::uint32_t(i + 1), day + CDateSpan((9.0 + double(i)) / 24),
                                   day + CDateSpan((9.5 + double(i)) / 24),
                                   QString(c.subjectLengths[i], QLatin1Char('a'))));
        view.Refresh(true);
        const QRect body = view.GetCellRect(c.cell, CWeekGridCtrl::kPartBody);
        int y = body.top();
        for (std::size_t i = 0; i < c.heights.size(); ++i) {
            const QRect r = view.GetEntry(int(i))->GetRect();
            EXPECT_EQ(r.height(), c.heights[i]) << i;
            EXPECT_EQ(r.left(), body.left());
            EXPECT_EQ(r.width(), body.width());
            if (c.heights[i] > 0) {
                EXPECT_EQ(r.top(), y) << i;
                y += r.height();
            }
        }
        EXPECT_EQ(view.IsCellOverflowing(c.cell), c.overflow);
        for (int other = 0; other < 7; ++other) {
            if (other != c.cell) {
                EXPECT_FALSE(view.IsCellOverflowing(other));
            }
        }
    }
}

TEST_F(WeekGridTest, IconsBesideTheTextRaiseTheHeight)
{
    view.m_optionOS = 0;
    view.m_showTypeIcon = 1;
    view.m_showStatusIcons = 1;
    auto item = MakeItem(1, CDateTime(2024, 10, 14, 9, 0, 0), CDateTime(2024, 10, 14, 10, 0, 0), "short");
    item->SetFlags(item->GetFlags() | CDisplayItem::FlagReminder | CDisplayItem::FlagRecurring |
                   CDisplayItem::FlagNotes);
    view.AddEntry(std::move(item));
    view.Refresh(true);
    // Four icons of 14-pixel boxes fit in one row; the text stays one line high.
    EXPECT_EQ(view.GetEntry(0)->GetRect().height(), kLine + 5);

    host.client = QRect(0, 0, 110, 300); // a body 54 pixels wide: two rows of two icons
    view.Refresh(true);
    EXPECT_EQ(view.GetEntry(0)->GetRect().height(), 2 * 14 + 5);
}

TEST_F(WeekGridTest, HitTestCodes)
{
    view.m_optionOS = 0;
    auto bar = MakeItem(1, CDateTime(2024, 10, 14), CDateTime(2024, 10, 15), "bar");
    view.AddEntry(std::move(bar));
    for (int i = 0; i < 4; ++i)
        view.AddEntry(MakeItem(std::uint32_t(10 + i), CDateTime(2024, 10, 18, 9 + i, 0, 0),
                               CDateTime(2024, 10, 18, 10 + i, 0, 0)));
    view.Refresh(true);
    ASSERT_TRUE(view.IsCellOverflowing(5));
    const QRect barRect = view.GetEntry(0)->GetRect();
    struct Case
    {
        QPoint point;
        int code, index;
    };
    const Case cases[] = {
        {view.OverflowGlyphRect(5).center(), HitHeader, 5},
        {{barRect.left() + 2, barRect.center().y()}, HitEntryStart, 0},
        {{barRect.right() - 2, barRect.center().y()}, HitEntryEnd, 0},
        {barRect.center(), HitEntryBody, 0},
        {{50, 8}, HitCellArea, 0},
        {{190, 8}, HitDayHeader, 0},
        {{50, 60}, HitCell, 0},
        {{300, 280}, HitCell, 6},
    };
    for (const Case &c : cases) {
        int index = -2;
        EXPECT_EQ(view.HitTest(c.point, &index), c.code) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(index, c.index);
    }
    // A click on the overflow glyph selects the day and asks for the zoom list.
    view.OnLeftDown(view.OverflowGlyphRect(5).center(), 0);
    view.OnLeftButtonUp(view.OverflowGlyphRect(5).center());
    EXPECT_EQ(view.GetCurrentCell(), 5);
    ASSERT_FALSE(container.commands.empty());
    EXPECT_EQ(container.commands.back(), kCmdZoomDay);
}

TEST_F(WeekGridTest, ArrowKeysMoveOrPage)
{
    struct Case
    {
        int from, key, to, paged; // paged: the page key passed on, 0 none
    };
    const Case cases[] = {
        {4, Qt::Key_Left, 1, 0},
        {1, Qt::Key_Left, 1, Qt::Key_PageUp},
        {6, Qt::Key_Right, 6, Qt::Key_PageDown},
        {2, Qt::Key_Right, 5, 0},
        {6, Qt::Key_Left, 2, 0},
        {5, Qt::Key_Left, 2, 0},
        {0, Qt::Key_Up, 0, Qt::Key_PageUp},
        {6, Qt::Key_Down, 6, Qt::Key_PageDown},
        {3, Qt::Key_Down, 4, 0},
        {3, Qt::Key_Home, 0, 0},
        {1, Qt::Key_End, 6, 0},
        {5, Qt::Key_Right, 5, Qt::Key_PageDown},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        view.SetDate(view.GetDayDate(c.from));
        container.keys.clear();
        container.notifications.clear();
        Key(c.key);
        EXPECT_EQ(view.GetCurrentCell(), c.to);
        EXPECT_EQ(view.IsCellSelected(c.to), true);
        EXPECT_EQ(view.GetSelectedCellCount(), 1);
        // The arrow itself is offered to the container first; a page key follows when the week ends.
        ASSERT_GE(container.keys.size(), 1u);
        EXPECT_EQ(container.keys.size(), c.paged ? 2u : 1u);
        if (c.paged) {
            EXPECT_EQ(container.keys.back(), c.paged);
        }
        EXPECT_EQ(container.notifications.back(), kNotifySelectionChanged);
    }
    // Shift keeps the anchor and selects the range.
    view.SetDate(view.GetDayDate(0));
    Key(Qt::Key_Down, kModShift);
    Key(Qt::Key_Down, kModShift);
    EXPECT_EQ(view.GetAnchorCell(), 0);
    EXPECT_EQ(view.GetSelectedCellCount(), 3);

    // A re-focus from outside selects the one cell it focuses.
    view.SetCurrentCell(5);
    EXPECT_EQ(view.GetCurrentCell(), 5);
    EXPECT_EQ(view.GetAnchorCell(), 5);
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_TRUE(view.IsCellSelected(5));
}

// A typed character over Tuesday and Wednesday makes a two-day event that the in-place edit
// stores with the typed subject.
TEST_F(WeekGridTest, TypingStartsANewEventStoredOnEnter)
{
    view.m_optionOS = 1;
    view.SetDate(CDateTime(2024, 10, 15));
    Key(Qt::Key_Down, kModShift);
    view.OnChar(QLatin1Char('L'));
    ASSERT_TRUE(host.editVisible);
    EXPECT_EQ(host.editText, QStringLiteral("L"));
    EXPECT_EQ(view.GetEntryCount(), 2); // a bar, one piece a day
    const QRect piece = view.GetEntry(view.GetFocusedEntry())->GetRect();
    EXPECT_EQ(host.editRect, QRect(piece.left() + 4, piece.top() + 2, piece.width() - 8, piece.height() - 4));
    host.editText = QStringLiteral("Lunch");
    view.OnEditKey(Qt::Key_Return);
    ASSERT_EQ(container.doc.saved.size(), 1u);
    const CEventItem &saved = container.doc.saved.front();
    EXPECT_EQ(saved.GetSubject(), QStringLiteral("Lunch"));
    EXPECT_EQ(saved.GetStart(), CDateTime(2024, 10, 15));
    EXPECT_EQ(saved.GetDuration().GetTotalDays(), 2.0);

    // Escape drops the unsaved event.
    view.SetDate(CDateTime(2024, 10, 18));
    view.OnChar(QLatin1Char('x'));
    EXPECT_GT(view.GetEntryCount(), 0);
    view.OnEditKey(Qt::Key_Escape);
    EXPECT_EQ(view.GetEntryCount(), 0);
    EXPECT_EQ(container.doc.saved.size(), 1u);
}

TEST_F(WeekGridTest, ReadOnlyAndSelectedItemsStopTyping)
{
    container.readOnly = true;
    view.OnChar(QLatin1Char('a'));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(host.editVisible);
    EXPECT_EQ(view.GetEntryCount(), 0);

    container.readOnly = false;
    view.AddEntry(MakeItem(5, CDateTime(2024, 10, 16, 9, 0, 0), CDateTime(2024, 10, 16, 10, 0, 0)));
    view.Refresh(true);
    view.GetEntry(0)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    view.OnChar(QLatin1Char('a'));
    EXPECT_FALSE(host.editVisible);
    EXPECT_EQ(view.GetEntryCount(), 1);
}

TEST_F(WeekGridTest, F2EditsTheFocusedItemsSubject)
{
    CEventItem stored;
    stored.SetStart(CDateTime(2024, 10, 17, 9, 0, 0));
    stored.SetDuration(CDateSpan(1.0 / 24));
    stored.SetSubject(QStringLiteral("Dentist"));
    container.doc.events.emplace(7, stored);
    view.AddEntry(MakeItem(7, stored.GetStart(), stored.GetStart() + stored.GetDuration(), "Dentist"));
    view.Refresh(true);
    const QRect r = view.GetEntry(0)->GetRect();
    view.OnLeftDown(r.center(), 0);
    view.OnLeftButtonUp(r.center());
    Key(Qt::Key_F2);
    ASSERT_TRUE(host.editVisible);
    EXPECT_EQ(host.editText, QStringLiteral("Dentist"));
    EXPECT_EQ(host.editRect, QRect(r.left() + 4, r.top() + 2, r.width() - 8, r.height() - 4));
    host.editText = QStringLiteral("Dentist at 9");
    host.editModified = true;
    view.OnEditKey(Qt::Key_Return);
    EXPECT_EQ(container.doc.events.at(7).GetSubject(), QStringLiteral("Dentist at 9"));
    EXPECT_EQ(container.doc.events.at(7).GetStart(), CDateTime(2024, 10, 17, 9, 0, 0));

    // The stored item shown again, then the data turns read-only: F2 only beeps.
    view.AddEntry(MakeItem(7, stored.GetStart(), stored.GetStart() + stored.GetDuration(), "Dentist at 9"));
    view.Refresh(true);
    view.OnLeftDown(r.center(), 0);
    view.OnLeftButtonUp(r.center());
    container.readOnly = true;
    Key(Qt::Key_F2);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(host.editVisible);
}

TEST_F(WeekGridTest, Captions)
{
    LocaleDateData english;
    english.longDatePicture = QStringLiteral("dddd, MMMM d, yyyy");
    BuildLocaleFormats(english);
    EXPECT_EQ(view.GetCaption(), QStringLiteral("October 13 - October 19, 2024"));
    view.SetDate(CDateTime(2024, 12, 31));
    EXPECT_EQ(view.GetCaption(), QStringLiteral("Sunday, December 29, 2024 - Saturday, January 4, 2025"));

    LocaleDateData dayFirst = english;
    dayFirst.longDateOrder = 1;
    dayFirst.longDatePicture = QStringLiteral("dddd d MMMM yyyy");
    BuildLocaleFormats(dayFirst);
    view.SetDate(CDateTime(2024, 10, 16));
    EXPECT_EQ(view.GetCaption(), FormatDayMonth(CDateTime(2024, 10, 13), true) + QStringLiteral(" - ") +
                                     FormatDayMonth(CDateTime(2024, 10, 19), true));
    BuildLocaleFormats();
}

TEST_F(WeekGridTest, TodayOffsetFollowsTheClock)
{
    SetNowProvider([] { return CDateTime(2024, 10, 18, 8, 0, 0); });
    UpdateToday();
    view.SetDate(CDateTime(2024, 10, 16));
    EXPECT_EQ(view.GetTodayOffset(), 5);
    SetNowProvider([] { return CDateTime(2024, 10, 21, 8, 0, 0); });
    ::UpdateToday();
    const int updates = host.updates;
    view.UpdateToday();
    EXPECT_EQ(view.GetTodayOffset(), 8);
    EXPECT_EQ(host.updates, updates + 1);
    SetNowProvider({});
    ResetToday();
}

// A fixture week painted offscreen with the view's own fonts: lines at the computed edges, the
// today frame, the selected strip, hatched non-work days and the overflow glyph.
TEST_F(WeekGridTest, RenderOfAWeek)
{
    SetNowProvider([] { return CDateTime(2024, 10, 17, 8, 0, 0); });
    UpdateToday();
    CCalendarViewWnd wnd(view);
    wnd.resize(700, 480);
    view.SetTextMeasurer({});
    view.LoadViewOptions();
    view.LoadFonts(false);
    view.m_optionSWD = 1;
    view.m_optionOS = 0;
    view.m_showStartTime = 1;
    view.SetDate(CDateTime(2024, 10, 15));
    view.AddEntry(
        MakeItem(1, CDateTime(2024, 10, 14, 9, 0, 0), CDateTime(2024, 10, 14, 10, 30, 0), "Standup"));
    view.AddEntry(MakeItem(2, CDateTime(2024, 10, 14, 12, 0, 0), CDateTime(2024, 10, 14, 13, 0, 0),
                           "Lunch with the whole team at the place round the corner"));
    view.AddEntry(MakeItem(3, CDateTime(2024, 10, 17), CDateTime(2024, 10, 20), "Conference"));
    for (int i = 0; i < 8; ++i)
        view.AddEntry(MakeItem(std::uint32_t(10 + i), CDateTime(2024, 10, 18, 8 + i, 0, 0),
                               CDateTime(2024, 10, 18, 9 + i, 0, 0), QStringLiteral("Call %1").arg(i + 1)));
    view.Refresh(true);
    const QImage image = wnd.grab().toImage();
    ASSERT_FALSE(image.isNull());
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    EXPECT_TRUE(image.save(dir.filePath(QStringLiteral("renders/week.png"))));

    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const auto at = [&image](int x, int y) { return FromQColor(QColor(image.pixel(x, y))); };
    // The cells: 350 across, rows 160 high, the last two 80.
    EXPECT_EQ(view.GetCellRect(4, 1), QRect(350, 160, 349, 160));
    EXPECT_EQ(view.GetCellRect(6, 1), QRect(350, 400, 349, 79));
    EXPECT_EQ(at(350, 60), colors.separator);
    // Today (Thursday, cell 4): a double frame in the today colour.
    EXPECT_EQ(at(360, 160), colors.today);
    EXPECT_EQ(at(360, 161), colors.today);
    // The selected day's strip (Tuesday, cell 2) on the selected background, left of its text.
    const QRect strip = view.GetCellRect(2, CWeekGridCtrl::kPartStrip);
    EXPECT_EQ(at(strip.left() + 3, strip.center().y()), view.m_selectedBackColour);
    // Sunday's body is hatched; Monday's is plain.
    const QRect sunday = view.GetCellRect(0, CWeekGridCtrl::kPartBody);
    bool grey = false;
    for (int x = sunday.left(); x < sunday.left() + 16; ++x)
        grey = grey || at(x, sunday.bottom() - 3) == 0xC0C0C0u;
    EXPECT_TRUE(grey);
    EXPECT_EQ(at(view.GetCellRect(1, CWeekGridCtrl::kPartBody).right() - 3,
                 view.GetCellRect(1, CWeekGridCtrl::kPartBody).bottom() - 3),
              view.m_backgroundColour);
    // Friday's calls do not all fit.
    EXPECT_TRUE(view.IsCellOverflowing(5));
    const QRect glyph = view.OverflowGlyphRect(5);
    bool drawn = false;
    for (int y = glyph.top(); y <= glyph.bottom(); ++y) {
        for (int x = glyph.left(); x <= glyph.right(); ++x)
            drawn = drawn || at(x, y) != view.m_backgroundColour;
    }
    EXPECT_TRUE(drawn);
    // The conference bar has one piece a day, Thursday to Saturday.
    int pieces = 0;
    for (const auto &e : view.GetEntries())
        pieces += e->GetItemRef() == 3;
    EXPECT_EQ(pieces, 3);
    SetNowProvider({});
    ResetToday();
}
