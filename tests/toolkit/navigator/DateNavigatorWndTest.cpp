// The Date Navigator window over a real temporary data file: busy days kept in step by the
// document, the busy flag of item types, the filter, drops of items on a day (moved or copied,
// found again after reopening the file), the bar's sizes, and a render of a 3 x 2 navigator.
#include "core/document/DocumentTestSupport.h"
#include "core/lists/ItemTypeList.h"
#include "toolkit/navigator/DateNavigatorBar.h"
#include "toolkit/navigator/DateNavigatorWnd.h"
#include "toolkit/navigator/DayDropMover.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace document_test;

namespace {

class NavigatorWindowTest : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        m_doc.RegisterAsApplicationDocument();
        CreateAndOpen();
        CItemTypeList &types = m_doc.GetItemTypes();
        ASSERT_GE(types.GetTypeCount(), 3);
        for (int i = 0; i < types.GetTypeCount(); ++i)
            types.GetType(i)->SetFlags(types.GetType(i)->GetFlags() | CItemType::kFlagBusyDays);
        // The last type marks no days.
        m_quietType = types.GetTypeCount() - 1;
        types.GetType(m_quietType)->SetFlags(types.GetType(m_quietType)->GetFlags() & ~CItemType::kFlagBusyDays);
        ASSERT_EQ(m_doc.SaveItemTypes(), S_OK);
        OpenWindow();
    }
    void TearDown() override
    {
        m_doc.SetDateNavigator(nullptr);
        m_wnd.reset();
        DocumentFixture::TearDown();
    }

    void OpenWindow()
    {
        m_wnd = std::make_unique<CDateNavigatorWnd>();
        CBusyDaysNavigator &engine = m_wnd->Engine();
        engine.SetItemTypes(&m_doc.GetItemTypes());
        m_wnd->SetDataFile(&m_doc.GetDataFile());
        m_doc.SetDateNavigator(m_wnd.get());
        m_wnd->SetOwner([this](const NavigatorNotification &n) {
            m_notes.push_back(n);
            return m_answer(n);
        });
        engine.SetGridSize(3, 2);
        m_wnd->SetSelection(CDateTime(2024, 3, 12), 1, 1);
        m_wnd->resize(m_wnd->GetPreferredWidth(), m_wnd->GetPreferredHeight());
        m_wnd->show();
        ASSERT_EQ(engine.GetMonthCount(), 6);
        ASSERT_EQ(engine.GetFirstShownDate(), CDateTime(2024, 3, 1));
    }

    std::uint32_t Add(const CDateTime &start, const CDateSpan &duration, int type = 0,
                      const QString &subject = QStringLiteral("Item"))
    {
        CEventItem event;
        event.SetSubject(subject);
        event.SetStart(start);
        event.SetDuration(duration);
        event.SetItemType(type);
        EXPECT_EQ(m_doc.StoreEvent(event, true), S_OK);
        return event.GetRecordId();
    }

    // The days of March 2024 that are marked.
    std::vector<int> BusyDaysOf(int year, int month) const
    {
        std::vector<int> days;
        const CBusyDaysNavigator &engine = m_wnd->Engine();
        for (int d = 1; d <= CDateTime::DaysInMonth(year, month); ++d) {
            bool clamped = false;
            const int cell = engine.DateToCell(CDateTime(year, month, d), nullptr, &clamped);
            if (cell >= 0 && !clamped && !engine.GetCell(cell)->entries.empty())
                days.push_back(d);
        }
        return days;
    }
    QPoint CentreOf(const CDateTime &date) const
    {
        const int cell = m_wnd->Engine().DateToCell(date);
        return m_wnd->Engine().GetCellRect(cell).center() + QPoint(CDateNavigatorWnd::kFrame, CDateNavigatorWnd::kFrame);
    }

    std::unique_ptr<CDateNavigatorWnd> m_wnd;
    std::vector<NavigatorNotification> m_notes;
    std::function<int(const NavigatorNotification &)> m_answer = [](const NavigatorNotification &) { return 1; };
    int m_quietType = 0;
};

// An event that ends at midnight does not take the next day; a zero-length event at midnight
// takes its own.
TEST_F(NavigatorWindowTest, MidnightEndsMarkTheRightDays)
{
    Add(CDateTime(2024, 3, 5, 22, 0, 0), CDateSpan(0, 2, 0, 0));
    EXPECT_EQ(BusyDaysOf(2024, 3), std::vector<int>{5});
    Add(CDateTime(2024, 3, 7, 22, 0, 0), CDateSpan(0, 2, 30, 0));
    EXPECT_EQ(BusyDaysOf(2024, 3), (std::vector<int>{5, 7, 8}));
    Add(CDateTime(2024, 3, 10), CDateSpan(0.0));
    Add(CDateTime(2024, 3, 12), CDateSpan(1.0));
    EXPECT_EQ(BusyDaysOf(2024, 3), (std::vector<int>{5, 7, 8, 10, 12}));
}

// A stored file is read again when the window is built: the same marks come back.
TEST_F(NavigatorWindowTest, MarksAreRebuiltFromTheFile)
{
    Add(CDateTime(2024, 3, 30, 10, 0, 0), CDateSpan(3.0)); // to 2 April 10:00
    Add(CDateTime(2024, 6, 14, 9, 0, 0), CDateSpan(0, 1, 0, 0), m_quietType);
    Add(CDateTime(2024, 9, 2, 9, 0, 0), CDateSpan(0, 1, 0, 0)); // after the shown months
    m_doc.SetDateNavigator(nullptr);
    OpenWindow();
    EXPECT_EQ(BusyDaysOf(2024, 3), (std::vector<int>{30, 31}));
    EXPECT_EQ(BusyDaysOf(2024, 4), (std::vector<int>{1, 2}));
    EXPECT_TRUE(BusyDaysOf(2024, 6).empty()); // the type marks no days
    EXPECT_TRUE(BusyDaysOf(2024, 8).empty());
    // Scrolling to September finds it.
    m_wnd->Engine().NextMonth();
    EXPECT_EQ(BusyDaysOf(2024, 9), std::vector<int>{2});
    EXPECT_EQ(BusyDaysOf(2024, 4), (std::vector<int>{1, 2}));
}

// Stores and deletes through the document move the marks with them.
TEST_F(NavigatorWindowTest, StoresAndDeletesUpdateTheMarks)
{
    const std::uint32_t id = Add(CDateTime(2024, 4, 10, 9, 0, 0), CDateSpan(0, 1, 0, 0));
    EXPECT_EQ(BusyDaysOf(2024, 4), std::vector<int>{10});
    CEventItem event(id);
    ASSERT_EQ(m_doc.LoadEvent(event), S_OK);
    event.SetStart(CDateTime(2024, 4, 11, 9, 0, 0));
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    EXPECT_EQ(BusyDaysOf(2024, 4), std::vector<int>{11});
    // Changed to a type that marks nothing.
    event.SetItemType(m_quietType);
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    EXPECT_TRUE(BusyDaysOf(2024, 4).empty());
    event.SetItemType(0);
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    ASSERT_EQ(m_doc.DeleteEvent(id, false, true), S_OK);
    EXPECT_TRUE(BusyDaysOf(2024, 4).empty());
}

// A series marks each occurrence; the filter hides what it rejects while "UF" is on; with "BD"
// off nothing is marked.
TEST_F(NavigatorWindowTest, SeriesFilterAndTheBusyDaysSwitch)
{
    CEventItem weekly;
    weekly.SetSubject(QStringLiteral("Weekly"));
    weekly.SetRecurrence(0x200 | 0x1000 | 0x04 | 0x2000000, 1, 0, CDateTime(2024, 3, 4, 18, 0, 0),
                         CDateTime(2024, 3, 25));
    weekly.SetStart(CDateTime(2024, 3, 4, 18, 0, 0));
    weekly.SetDuration(CDateSpan(0, 1, 0, 0));
    weekly.SetItemType(1);
    ASSERT_EQ(m_doc.StoreEvent(weekly, true), S_OK);
    Add(CDateTime(2024, 3, 6, 9, 0, 0), CDateSpan(0, 1, 0, 0), 0);
    EXPECT_EQ(BusyDaysOf(2024, 3), (std::vector<int>{4, 6, 11, 18, 25}));

    CActiveFilter onlyFirstType;
    onlyFirstType.SetByIndex(&m_doc.GetItemTypes(), nullptr, CActiveFilter::KindItemType, 0, CDateTime(), QString());
    EXPECT_TRUE(m_wnd->SetFilter(onlyFirstType));
    EXPECT_TRUE(BusyDaysOf(2024, 3).empty());
    m_wnd->RebuildBusyDays();
    EXPECT_EQ(BusyDaysOf(2024, 3), std::vector<int>{6});
    EXPECT_FALSE(m_wnd->SetFilter(onlyFirstType));

    WriteProfileInt(QStringLiteral("Calendar"), QStringLiteral("UF"), 0);
    m_wnd->ReloadOptions();
    EXPECT_EQ(BusyDaysOf(2024, 3), (std::vector<int>{4, 6, 11, 18, 25}));
    WriteProfileInt(QStringLiteral("Calendar"), QStringLiteral("BD"), 0);
    m_wnd->ReloadOptions();
    EXPECT_TRUE(BusyDaysOf(2024, 3).empty());
    EXPECT_FALSE(m_wnd->Engine().GetItemTypeColors());
    Add(CDateTime(2024, 3, 20, 9, 0, 0), CDateSpan(0, 1, 0, 0));
    EXPECT_TRUE(BusyDaysOf(2024, 3).empty());
}

// A drag over a day frames it and offers a move, or a copy with Ctrl; the drop tells the owner
// the day, a grey day standing for that day of the month before.
TEST_F(NavigatorWindowTest, DropsNameTheDayAndTheAction)
{
    const QPoint day = CentreOf(CDateTime(2024, 3, 20));
    EXPECT_EQ(m_wnd->DragOverAt(day, false, true), Qt::MoveAction);
    EXPECT_EQ(m_wnd->GetDropCell(), m_wnd->Engine().DateToCell(CDateTime(2024, 3, 20)));
    EXPECT_EQ(m_wnd->DragOverAt(day, true, true), Qt::CopyAction);
    EXPECT_EQ(m_wnd->DragOverAt(day, false, false), Qt::IgnoreAction);
    EXPECT_EQ(m_wnd->GetDropCell(), -1);
    EXPECT_EQ(m_wnd->DragOverAt(QPoint(20, 8), false, true), Qt::IgnoreAction); // the title band
    m_wnd->DragOverAt(day, false, true);
    m_wnd->DragLeft();
    EXPECT_EQ(m_wnd->GetDropCell(), -1);

    EXPECT_TRUE(m_wnd->DropAt(day, true, true));
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(m_notes[0].code, CDateNavigator::NotifyItemsDropped);
    EXPECT_EQ(m_notes[0].reason, CDateNavigatorWnd::kDropCopy);
    EXPECT_EQ(m_notes[0].date, CDateTime(2024, 3, 20));
    EXPECT_EQ(m_notes[0].controlId, CDateNavigatorWnd::kControlId);
    // March 2024 starts on a Friday: cell 0 is a grey February day.
    const CBusyDaysNavigator &engine = m_wnd->Engine();
    ASSERT_EQ(engine.GetCell(0)->flags, CNavigatorDay::FlagOtherMonth);
    EXPECT_TRUE(m_wnd->DropAt(engine.GetCellRect(0).center() + QPoint(4, 4), false, true));
    EXPECT_EQ(m_notes.back().reason, CDateNavigatorWnd::kDropMove);
    EXPECT_EQ(m_notes.back().date, engine.CellDate(0));
    EXPECT_EQ(m_notes.back().date.GetMonth(), 2);
    m_answer = [](const NavigatorNotification &) { return 0; };
    EXPECT_FALSE(m_wnd->DropAt(day, false, true));
    EXPECT_EQ(m_wnd->GetDropCell(), -1);
}

// Dropping an event on a day moves it there keeping its time, or copies it with Ctrl; the file
// holds both after it is reopened, and the marks follow.
TEST_F(NavigatorWindowTest, DroppedItemsMoveOrCopyToTheDay)
{
    const std::uint32_t id = Add(CDateTime(2024, 3, 12, 14, 30, 0), CDateSpan(0, 1, 0, 0), 0,
                                 QStringLiteral("Dentist"));
    CEventItem stored(id);
    ASSERT_EQ(m_doc.LoadEvent(stored), S_OK);
    CDragItem dragged;
    dragged.kind = CCalendarItem::KindEvent;
    dragged.recordId = id;
    dragged.start = stored.GetStart();
    dragged.occurrenceDate = stored.GetStart();
    dragged.duration = stored.GetDuration();
    std::vector<CDragItem> items{dragged};
    m_answer = [this, &items](const NavigatorNotification &n) {
        CDayDropMover mover(m_doc);
        return int(mover.Drop(items, n.date, n.reason == CDateNavigatorWnd::kDropCopy) == S_OK &&
                   mover.GetChangedCount() == 1);
    };
    ASSERT_TRUE(m_wnd->DropAt(CentreOf(CDateTime(2024, 3, 20)), false, true));
    EXPECT_EQ(BusyDaysOf(2024, 3), std::vector<int>{20});
    ASSERT_TRUE(m_wnd->DropAt(CentreOf(CDateTime(2024, 4, 2)), true, true));
    EXPECT_EQ(BusyDaysOf(2024, 4), std::vector<int>{2});

    m_doc.SetDateNavigator(nullptr);
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    std::vector<CEventItem> events;
    m_doc.EnumAllEvents([&](std::uint32_t recordId) {
        CEventItem e(recordId);
        EXPECT_EQ(m_doc.LoadEvent(e), S_OK);
        events.push_back(e);
        return S_OK;
    });
    ASSERT_EQ(events.size(), 2u);
    std::sort(events.begin(), events.end(), [](const CEventItem &a, const CEventItem &b) { return a.GetStart() < b.GetStart(); });
    EXPECT_EQ(events[0].GetRecordId(), id);
    EXPECT_EQ(events[0].GetStart(), CDateTime(2024, 3, 20, 14, 30, 0));
    EXPECT_NE(events[1].GetRecordId(), id);
    EXPECT_EQ(events[1].GetStart(), CDateTime(2024, 4, 2, 14, 30, 0));
    EXPECT_EQ(events[1].GetSubject(), QStringLiteral("Dentist"));
    EXPECT_EQ(events[1].GetDuration().GetTotalMinutes(), 60.0);
    // The reopened file shows both days busy.
    OpenWindow();
    EXPECT_EQ(BusyDaysOf(2024, 3), std::vector<int>{20});
    EXPECT_EQ(BusyDaysOf(2024, 4), std::vector<int>{2});
}

// The quick test before a full load: a series that ended before the shown months, a hidden item
// while hidden items are not shown, and an event after the months are passed over.
TEST_F(NavigatorWindowTest, QuickRangeTestPassesOverWhatCannotShow)
{
    CEventItem ended;
    ended.SetRecurrence(0x100 | 0x1000 | 0x2000000, 1, 0, CDateTime(2024, 1, 1, 9, 0, 0), CDateTime(2024, 1, 31));
    ended.SetStart(CDateTime(2024, 1, 1, 9, 0, 0));
    ended.SetDuration(CDateSpan(0, 1, 0, 0));
    EXPECT_FALSE(m_wnd->ItemInRange(ended));
    CEventItem open = ended;
    open.SetRecurrence(0x100 | 0x1000, 1, 0, CDateTime(2024, 1, 1, 9, 0, 0), CDateTime());
    open.SetStart(CDateTime(2024, 1, 1, 9, 0, 0));
    EXPECT_TRUE(m_wnd->ItemInRange(open));
    CEventItem later;
    later.SetStart(CDateTime(2024, 9, 2, 9, 0, 0));
    later.SetDuration(CDateSpan(0, 1, 0, 0));
    EXPECT_FALSE(m_wnd->ItemInRange(later));
    CEventItem before;
    before.SetStart(CDateTime(2024, 2, 28, 9, 0, 0));
    before.SetDuration(CDateSpan(0, 1, 0, 0));
    EXPECT_FALSE(m_wnd->ItemInRange(before));
    before.SetDuration(CDateSpan(2.0)); // into March
    EXPECT_TRUE(m_wnd->ItemInRange(before));

    const std::uint32_t hiddenId = Add(CDateTime(2024, 3, 21, 9, 0, 0), CDateSpan(0, 1, 0, 0));
    CEventItem hidden(hiddenId);
    ASSERT_EQ(m_doc.LoadEvent(hidden), S_OK);
    hidden.SetFlag(CCalendarItem::FlagHidden, true);
    ASSERT_EQ(m_doc.StoreEvent(hidden, true), S_OK);
    EXPECT_FALSE(m_wnd->ItemInRange(hidden));
    EXPECT_TRUE(BusyDaysOf(2024, 3).empty());
    m_wnd->Engine().SetShowHidden(true);
    m_wnd->RebuildBusyDays();
    EXPECT_EQ(BusyDaysOf(2024, 3), std::vector<int>{21});
}

TEST_F(NavigatorWindowTest, BarKeepsWholeMonthsAndRoomForTheTaskPad)
{
    const int mh = 100;
    struct Case
    {
        int bar, current, expected;
    };
    const Case cases[] = {
        {1000, 308, 308},     // fits: unchanged
        {1000, 330, 308},     // trimmed to whole months
        {300, 308, 208},      // leaves the TaskPad its 67 pixels
        {120, 308, 108},      // never below one month
        {1000, 1000, 908},    // never more than leaves 67 pixels
    };
    for (const Case &c : cases)
        EXPECT_EQ(CDateNavigatorBar::NavigatorHeightFor(c.bar, c.current, mh), c.expected) << c.bar << " " << c.current;

    CDateNavigatorBar bar;
    bar.resize(200, 800);
    bar.show();
    const int monthHeight = bar.Navigator()->Engine().GetMetrics().monthHeight;
    ASSERT_GT(monthHeight, 0);
    EXPECT_EQ((bar.Navigator()->height() - 8) % monthHeight, 0);
    EXPECT_GE(bar.height() - bar.Navigator()->height() - CDateNavigatorBar::kSplitter, CDateNavigatorBar::kTaskPadMinimum);
    EXPECT_EQ(bar.GetSplitterRect().top(), bar.Navigator()->height());
    bar.SetMonthsDown(2);
    EXPECT_EQ(bar.Navigator()->height(), 2 * monthHeight + 8);
    EXPECT_EQ(bar.TaskPadPane()->y(), 2 * monthHeight + 8 + CDateNavigatorBar::kSplitter);
    bar.ToggleTaskPad();
    EXPECT_EQ(GetProfileInt(QStringLiteral("Common"), QStringLiteral("STP"), 1), 0);
    EXPECT_EQ(bar.Navigator()->height(), 800);
    bar.ToggleTaskPad();
    EXPECT_EQ(GetProfileInt(QStringLiteral("Common"), QStringLiteral("STP"), 0), 1);
    bar.SaveSizes();
    EXPECT_EQ(GetProfileInt(QStringLiteral("Calendar"), QStringLiteral("CL"), 0),
              bar.Navigator()->Engine().GetMonthsAcross());
}

TEST_F(NavigatorWindowTest, RenderOfAThreeByTwoNavigatorWithBusyDays)
{
    Add(CDateTime(2024, 3, 5, 9, 0, 0), CDateSpan(0, 1, 0, 0), 0);
    Add(CDateTime(2024, 3, 14, 9, 0, 0), CDateSpan(2.0), 1);
    Add(CDateTime(2024, 4, 22, 9, 0, 0), CDateSpan(0, 1, 0, 0), 2);
    Add(CDateTime(2024, 4, 22, 11, 0, 0), CDateSpan(0, 1, 0, 0), 0);
    Add(CDateTime(2024, 5, 30, 9, 0, 0), CDateSpan(4.0), 3);
    m_wnd->SetSelection(CDateTime(2024, 3, 12), CDateNavigator::UnitWeek, 7);
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(folder);
    const QImage image = m_wnd->grab().toImage();
    EXPECT_EQ(image.size(), m_wnd->size());
    EXPECT_TRUE(image.save(folder + QStringLiteral("/navigator_3x2_busy.png")));
    // The bold variant without item-type colours.
    WriteProfileInt(QStringLiteral("Calendar"), QStringLiteral("ITC"), 0);
    m_wnd->ReloadOptions();
    EXPECT_TRUE(m_wnd->grab().toImage().save(folder + QStringLiteral("/navigator_3x2_busy_bold.png")));
}

} // namespace
