// The year view control: keys across the year, tooltips, removal notices, the zoom list's items
// and an offscreen render over a fixture year.
#include "views/year/YearGridCtrl.h"

#include "views/support/RecordEntry.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/dates/DateRules.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeList.h"
#include "core/dates/WeekRules.h"
#include "views/base/CalendarViewWnd.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<CDisplayItem> MakeItem(std::uint32_t record, const CDateTime &start, const CDateTime &end,
                                       int type = 0, const QString &subject = QStringLiteral("Item"))
{
    return MakeRecordEntry(record, start, end, subject, CDisplayItem::KindEvent, type,
                           QStringLiteral("Type"));
}

QString RenderPath(const QString &name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    return dir.filePath(QStringLiteral("renders/") + name);
}

class YearGridTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_savedFirstDay = GetFirstDayOfWeek();
        m_savedRule = GetWeekOfYearRule();
        SetFirstDayOfWeek(0);
        SetWeekOfYearRule(kWeekFirstFourDays);
        host.client = QRect(0, 0, 800, 600);
        view.SetHost(&host);
        view.SetContainer(&container);
        view.LoadViewOptions();
        view.LoadFonts(false);
        view.SetDate(CDateTime(2024, 12, 30));
        view.RecalcLayout();
    }
    void TearDown() override
    {
        SetFirstDayOfWeek(m_savedFirstDay);
        SetWeekOfYearRule(m_savedRule);
    }

    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    CYearGridCtrl view;
    int m_savedFirstDay = 0;
    int m_savedRule = 0;
};

} // namespace

TEST_F(YearGridTest, ArrowKeysMoveByDaysAndWeeksAndLeaveTheYear)
{
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 12, 30));
    EXPECT_EQ(view.GetCaption(), QStringLiteral("2024"));
    view.OnKeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 12, 31));
    EXPECT_TRUE(container.goneTo.empty());

    view.OnKeyDown(Qt::Key_Right, 0);
    ASSERT_EQ(container.goneTo.size(), 1u);
    EXPECT_EQ(container.goneTo[0].first, CDateTime(2025, 1, 1));
    EXPECT_EQ(container.goneTo[0].second, CYearGridCtrl::kGoToDateMode);
    EXPECT_EQ(container.notifications.back(), CYearGridCtrl::kNotifyYearForward);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 12, 31)); // the container shows the next year

    view.SetDate(CDateTime(2024, 1, 3));
    view.OnKeyDown(Qt::Key_Down, 0);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 1, 10));
    view.OnKeyDown(Qt::Key_Up, 0);
    view.OnKeyDown(Qt::Key_Up, 0);
    ASSERT_EQ(container.goneTo.size(), 2u);
    EXPECT_EQ(container.goneTo[1].first, CDateTime(2023, 12, 27));
    EXPECT_EQ(container.notifications.back(), CYearGridCtrl::kNotifyYearBack);

    // Shift extends the selection from the anchor, across panels.
    view.SetDate(CDateTime(2024, 1, 30));
    view.OnKeyDown(Qt::Key_Down, kModShift);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 2, 6));
    EXPECT_TRUE(view.IsCellSelected(view.CellFromDate(CDateTime(2024, 1, 30))));
    EXPECT_TRUE(view.IsCellSelected(view.CellFromDate(CDateTime(2024, 2, 6))));
    view.OnKeyDown(Qt::Key_Left, 0);
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    view.OnKeyDown(Qt::Key_Home, 0); // other keys do nothing
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 2, 5));
}

TEST_F(YearGridTest, TooltipsListTheSubjectsOfADay)
{
    const QString longSubject =
        QStringLiteral("A subject long enough to run well past eighty characters in one "
                       "line, kept whole in the tip");
    for (const QString &s : {QStringLiteral("Dentist"), QStringLiteral("Lunch"), longSubject})
        view.AddEntry(MakeItem(1, CDateTime(2024, 3, 5, 9, 0, 0), CDateTime(2024, 3, 5, 10, 0, 0), 0, s));
    const int cell = view.CellFromDate(CDateTime(2024, 3, 5));
    const QRect r = view.GetCellRect(cell, 0);
    QRect tool;
    const int id = view.ToolHitTest(r.center(), tool);
    EXPECT_EQ(id, cell * 1024 + 1);
    EXPECT_EQ(tool, r);
    EXPECT_EQ(view.ToolTipText(id), QStringLiteral("Dentist\nLunch\n") + longSubject);

    EXPECT_EQ(view.ToolHitTest(view.GetCellRect(cell + 1, 0).center(), tool), 0); // a free day
    EXPECT_EQ(view.ToolHitTest(QPoint(1, 1), tool), 0);                           // no day
    container.zoomListOpen = true;
    EXPECT_EQ(view.ToolHitTest(r.center(), tool), 0);
}

TEST_F(YearGridTest, RemovalNoticesAndTypeChanges)
{
    view.AddEntry(MakeItem(1, CDateTime(2024, 5, 1, 9, 0, 0), CDateTime(2024, 5, 3, 9, 0, 0), 2));
    view.AddEntry(MakeItem(2, CDateTime(2024, 5, 2, 9, 0, 0), CDateTime(2024, 5, 2, 10, 0, 0), 2));
    EXPECT_EQ(view.Model().GetEntryCount(), 4);
    // The state change of other bits is no removal.
    EXPECT_FALSE(view.SetItemState(1, CDisplayItem::StateSelected, CDisplayItem::StateSelected, true));
    EXPECT_FALSE(view.SetItemState(1, CDisplayItem::StateRemoved, 0, true));
    EXPECT_TRUE(view.SetOccurrenceState(2, CDateTime(2024, 5, 2, 9, 0, 0), CDisplayItem::StateRemoved,
                                        CDisplayItem::StateRemoved, true));
    EXPECT_EQ(view.Model().GetEntryCount(), 3);
    view.SetEntryTypeForItem(1, 6, QStringLiteral("Meeting"), nullptr);
    EXPECT_EQ(view.Model().GetCell(view.CellFromDate(CDateTime(2024, 5, 2)))->commonType, 6);
    EXPECT_TRUE(view.SetItemState(1, CDisplayItem::StateRemoved, CDisplayItem::StateRemoved, true));
    EXPECT_EQ(view.Model().GetEntryCount(), 0);
    // Tasks stay with the caller.
    auto task = MakeItem(3, CDateTime(2024, 5, 2), CDateTime(2024, 5, 3));
    task->SetKind(CDisplayItem::KindTask);
    EXPECT_FALSE(view.AddEntry(std::move(task)));
}

TEST_F(YearGridTest, ContextMenuAndHitTest)
{
    const int cell = view.CellFromDate(CDateTime(2024, 7, 4));
    int index = -1;
    EXPECT_EQ(view.HitTest(view.GetCellRect(cell, 0).center(), &index), HitCell);
    EXPECT_EQ(index, cell);
    EXPECT_EQ(view.HitTest(QPoint(2, 2), &index), HitNothing);
    EXPECT_EQ(view.GetContextMenuIndex(view.GetCellRect(cell, 0).center(), false), 3);
    EXPECT_EQ(view.GetContextMenuIndex(QPoint(2, 2), false), 18);
    EXPECT_EQ(view.GetContextMenuIndex(QPoint(-1, -1), true), 3);
    // A click picks the day.
    view.OnLeftDown(view.GetCellRect(cell, 0).center(), 0);
    view.OnLeftButtonUp(view.GetCellRect(cell, 0).center());
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 7, 4));
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
}

// A series that runs through the year and beyond marks its dates inside the year only.
TEST_F(YearGridTest, SeriesMarkOnlyTheirDatesInTheYear)
{
    CItemRef ref(CDisplayItem::KindEvent);
    CEventItem *series = ref.GetEvent();
    series->SetStart(CDateTime(2023, 12, 25, 9, 0, 0));
    series->SetDuration(CDateSpan(1.0 / 24));
    series->SetSubject(QStringLiteral("Weekly"));
    series->SetRecurrence(0x100 | 0x1000, 7, 0, CDateTime(2023, 12, 25, 9, 0, 0), CDateTime());
    EXPECT_TRUE(view.AddItem(ref));
    int mondays = 0;
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
        const CYearDayCell *cell =
            view.Model().GetCell(view.CellFromDate(CDateTime(d.year(), d.month(), d.day())));
        EXPECT_EQ(cell->entries.size(), d.dayOfWeek() == 1 ? 1u : 0u) << d.toString().toStdString();
        mondays += d.dayOfWeek() == 1;
    }
    EXPECT_EQ(view.Model().GetEntryCount(), mondays);
}

TEST_F(YearGridTest, ItemsOfADayAreLoadedForTheZoomList)
{
    CEventItem stored;
    stored.SetStart(CDateTime(2024, 8, 8, 14, 0, 0));
    stored.SetDuration(CDateSpan(2.0 / 24));
    stored.SetSubject(QStringLiteral("Review"));
    container.doc.events.emplace(5, stored);
    view.AddEntry(MakeItem(5, stored.GetStart(), stored.GetStart() + stored.GetDuration(), 0, "Review"));
    view.AddEntry(
        MakeItem(9, stored.GetStart(), stored.GetStart() + stored.GetDuration(), 0, "Gone")); // not stored
    CCalendarViewCtrl::EntryList items;
    EXPECT_EQ(view.CopyEntriesForCell(items, view.CellFromDate(CDateTime(2024, 8, 8))), 1);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->GetItemRef(), 5u);
    EXPECT_EQ(items[0]->GetSubject(), QStringLiteral("Review"));
    EXPECT_EQ(items[0]->GetStart(), stored.GetStart());
    EXPECT_EQ(items[0]->GetFirstCell(), 0);
}

TEST_F(YearGridTest, TodayFrameFollowsTheClock)
{
    SetNowProvider([] { return CDateTime(2024, 6, 1, 8, 0, 0); });
    UpdateToday();
    view.SetDate(CDateTime(2024, 2, 2));
    EXPECT_EQ(view.Model().GetTodayCell(), view.CellFromDate(CDateTime(2024, 6, 1)));
    SetNowProvider([] { return CDateTime(2025, 1, 1, 8, 0, 0); });
    ::UpdateToday();
    view.UpdateToday();
    EXPECT_EQ(view.Model().GetTodayCell(), -1);
    SetNowProvider({});
    ResetToday();
}

// A fixture year painted offscreen: busy days in the busy colour or their type's colours, the
// selection, the today frame and blank cells, read back at the computed cell rectangles.
TEST_F(YearGridTest, RenderOfAYear)
{
    SetNowProvider([] { return CDateTime(2024, 3, 14, 8, 0, 0); });
    UpdateToday();
    CItemTypeList types;
    ASSERT_EQ(types.CreatePredefinedTypes(), S_OK);
    CItemType *own = types.GetType(1);
    own->SetFlags(own->GetFlags() | CItemType::kFlagOwnColors);
    own->SetTextColor(0x00800000);
    own->SetFillColor(0x0080FFFF);
    CItemType *plain = types.GetType(2);
    plain->SetFlags(plain->GetFlags() & ~CItemType::kFlagOwnColors);

    CCalendarViewWnd wnd(view);
    wnd.resize(1000, 700);
    view.SetItemTypes(&types);
    view.m_gradient = 0;
    view.m_typeColours = 1;
    view.SetDate(CDateTime(2024, 7, 4));
    view.RecalcLayout();
    view.AddEntry(MakeItem(1, CDateTime(2024, 2, 10, 9, 0, 0), CDateTime(2024, 2, 10, 10, 0, 0), 1));
    view.AddEntry(MakeItem(2, CDateTime(2024, 2, 10, 11, 0, 0), CDateTime(2024, 2, 10, 12, 0, 0), 1));
    view.AddEntry(MakeItem(3, CDateTime(2024, 5, 20, 9, 0, 0), CDateTime(2024, 5, 20, 10, 0, 0), 1));
    view.AddEntry(MakeItem(4, CDateTime(2024, 5, 20, 11, 0, 0), CDateTime(2024, 5, 20, 12, 0, 0), 2));
    view.AddEntry(MakeItem(5, CDateTime(2024, 9, 1), CDateTime(2024, 9, 4), 2));
    view.AddEntry(MakeItem(6, CDateTime(2023, 12, 30), CDateTime(2024, 1, 2), 1));

    EXPECT_EQ(view.Model().GetPanelColumns(), 4);
    const QImage image = wnd.grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(RenderPath(QStringLiteral("year.png"))));

    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();
    const auto at = [&image](const QPoint &p) { return FromQColor(QColor(image.pixel(p))); };
    const auto rectOf = [this](int y, int m, int d) {
        return view.GetCellRect(view.CellFromDate(CDateTime(y, m, d)), 0);
    };

    // Panels tile the window four across; each cell lies inside its panel's rectangle.
    EXPECT_EQ(view.Model().GetPanel(5).rect, QRect(250, 233, 250, 233));
    EXPECT_TRUE(view.Model().GetPanel(1).rect.contains(rectOf(2024, 2, 10)));

    // Two items of a type with its own colours: the type's fill inside a frame in its text colour.
    const QRect typed = rectOf(2024, 2, 10);
    EXPECT_EQ(at(typed.topLeft() + QPoint(2, 2)), 0x0080FFFFu);
    EXPECT_EQ(at(typed.topLeft() + QPoint(1, 1)), 0x00800000u);
    // 1 January is marked by the occurrence from the year before.
    EXPECT_EQ(at(rectOf(2024, 1, 1).topLeft() + QPoint(2, 2)), 0x0080FFFFu);
    // Mixed types: the background with a frame in the busy colour.
    const QRect mixed = rectOf(2024, 5, 20);
    EXPECT_EQ(at(mixed.topLeft() + QPoint(2, 2)), view.m_backgroundColour);
    EXPECT_EQ(at(mixed.topLeft() + QPoint(1, 1)), view.m_busyColour);
    // The one type without colours of its own: window text on the background.
    EXPECT_EQ(at(rectOf(2024, 9, 2).topLeft() + QPoint(1, 1)), colors.windowText);
    EXPECT_EQ(at(rectOf(2024, 9, 4).topLeft() + QPoint(1, 1)), view.m_backgroundColour); // ends at midnight
    // The selected day and today's frame.
    EXPECT_EQ(at(rectOf(2024, 7, 4).topLeft() + QPoint(1, 1)), colors.buttonShadow);
    EXPECT_EQ(at(rectOf(2024, 3, 14).topLeft()), colors.today);
    // A blank cell before 1 February keeps the background.
    EXPECT_EQ(at(view.GetCellRect(42, 0).center()), view.m_backgroundColour);

    // Busy days without type colours: the busy colour on the button shadow when selected.
    view.m_typeColours = 0;
    view.AddEntry(MakeItem(7, CDateTime(2024, 7, 4, 9, 0, 0), CDateTime(2024, 7, 4, 10, 0, 0), 1));
    const QImage plainImage = wnd.grab().toImage();
    EXPECT_TRUE(plainImage.save(RenderPath(QStringLiteral("year-busy.png"))));
    EXPECT_EQ(FromQColor(QColor(plainImage.pixel(rectOf(2024, 7, 4).topLeft() + QPoint(1, 1)))),
              colors.buttonShadow);
    EXPECT_EQ(FromQColor(QColor(plainImage.pixel(typed.topLeft() + QPoint(2, 2)))), view.m_backgroundColour);

    SetNowProvider({});
    ResetToday();
}
