// The day time grid driven like a window would drive it: typing, the in-place edit, focus keys,
// moving and resizing entries (also in a work week with gaps), and offscreen renders.
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "core/dates/WeekRules.h"
#include "views/base/CustomWnd.h"
#include "views/timegrid/DayViewCtrl.h"
#include "views/timegrid/DayViewWnd.h"
#include "views/base/DragScrollRule.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegion>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <set>

namespace {

const CDateTime kMonday(2024, 3, 4);
constexpr int kMonWedFri = (1 << 1) | (1 << 3) | (1 << 5);
constexpr int kMonToFri = 0x3E;

class ClockedDayView : public CDayViewCtrl
{
  public:
    CDateTime now = CDateTime(2024, 3, 6, 10, 20, 0);
    CDateTime CurrentTime() const override { return now; }
};

class DayViewTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_savedSettings = ProgramSettings();
        m_savedMask = GetWorkWeekMask();
        m_savedFirstDay = GetFirstDayOfWeek();
        SetWorkWeekMask(kMonToFri);
        SetFirstDayOfWeek(0);
    }
    void TearDown() override
    {
        CDragState::End();
        view.reset();
        ProgramSettings() = m_savedSettings;
        SetWorkWeekMask(m_savedMask);
        SetFirstDayOfWeek(m_savedFirstDay);
    }

    void Open(int days, bool workWeek, const QRect &client = QRect(0, 0, 420, 480))
    {
        host.client = client;
        view = std::make_unique<ClockedDayView>();
        view->SetHost(&host);
        view->SetContainer(&container);
        view->Create();
        view->SetGridDays(days, workWeek);
        view->SetDate(false, true, kMonday);
        view->RecalcLayout();
        view->Refresh(true);
    }

    // Stores an event and shows it.
    void AddStored(std::uint32_t id, const CDateTime &start, const CDateTime &end, const QString &subject,
                   int typeIndex = 0)
    {
        CEventItem event(id);
        event.SetStart(start);
        event.SetDuration(end - start);
        event.SetSubject(subject);
        event.SetItemTypeIndex(typeIndex);
        container.doc.events.insert_or_assign(id, event);
        CItemRef ref;
        ASSERT_EQ(container.doc.LoadEvent(id, ref), S_OK);
        view->AddItem(ref);
        view->Refresh(true);
    }

    int Cell(int column, int hour, int minute) const
    {
        const CTimeGridLayout &g = view->Grid();
        return column * g.RowsPerDay() + (hour * 60 + minute) / g.MinutesPerRow();
    }
    // A point inside a cell, scrolled into view first.
    QPoint PointOf(int cell, int dy = 3)
    {
        view->EnsureCellVisible(cell);
        const QRect r = view->GetCellRect(cell, 0);
        return QPoint(r.x() + r.width() / 2, r.y() + dy);
    }
    int EntryOf(std::uint32_t id) const
    {
        for (int i = 0; i < view->GetEntryCount(); ++i) {
            if (view->GetEntry(i)->GetItemRef() == id)
                return i;
        }
        return -1;
    }
    CEventItem &Stored(std::uint32_t id) { return container.doc.events.at(id); }
    // The container stores moved and resized events with their new times.
    void StoreMoves()
    {
        container.onMove = [this](CDragState &drag, int) {
            for (const CDragItem &item : drag.dragItems) {
                CItemRef ref;
                if (container.doc.LoadEvent(item.recordId, ref) != S_OK || !ref.GetEvent())
                    continue;
                ref.GetEvent()->SetStart(item.movedStart);
                ref.GetEvent()->SetDuration(item.duration);
                container.doc.Save(ref);
            }
            return true;
        };
    }

    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    std::unique_ptr<ClockedDayView> view;

  private:
    AppSettings m_savedSettings;
    int m_savedMask = 0, m_savedFirstDay = 0;
};

// Times rebuilt from their parts, so that a start plus a duration compares with a written date.
CDateTime Canonical(const CDateTime &t)
{
    CDateTime::Parts p;
    t.GetParts(p);
    return CDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

CDateTime EndOf(const CEventItem &e)
{
    return Canonical(e.GetStart() + e.GetDuration());
}

QMimeData *InternalData()
{
    auto *data = new QMimeData;
    data->setData(InternalFormatMimeType(), QByteArray("x"));
    return data;
}

} // namespace

// ---- Typing and editing ----

TEST_F(DayViewTest, TypingOverSelectedCellsStoresANewEvent)
{
    struct Case
    {
        const char *name;
        int mask;
        bool workWeek;
        int anchorColumn, anchorHour, anchorMinute, focusColumn, focusHour, focusMinute;
        CDateTime start, end;
    };
    const Case cases[] = {
        {"the focus cell counts", kMonToFri, false, 0, 14, 0, 0, 15, 30, CDateTime(2024, 3, 4, 14, 0, 0),
         CDateTime(2024, 3, 4, 16, 0, 0)},
        {"the last row of a work week ends at midnight", kMonWedFri, true, 2, 23, 0, 2, 23, 30,
         CDateTime(2024, 3, 8, 23, 0, 0), CDateTime(2024, 3, 9)},
        {"the last row before a free day ends at midnight", kMonWedFri, true, 0, 23, 30, 0, 23, 30,
         CDateTime(2024, 3, 4, 23, 30, 0), CDateTime(2024, 3, 5)},
    };
    for (const Case &c : cases) {
        SetWorkWeekMask(c.mask);
        container.doc.saved.clear();
        Open(c.workWeek ? 5 : 3, c.workWeek);
        view->SetAnchorCell(Cell(c.anchorColumn, c.anchorHour, c.anchorMinute));
        view->SetCurrentCell(Cell(c.focusColumn, c.focusHour, c.focusMinute));
        view->OnChar(QChar('M'));
        ASSERT_TRUE(host.editVisible) << c.name;
        EXPECT_EQ(host.editText, "M") << c.name;
        view->OnEditKey(Qt::Key_Return);
        ASSERT_EQ(container.doc.saved.size(), 1u) << c.name;
        const CEventItem &saved = container.doc.saved.back();
        EXPECT_EQ(saved.GetSubject(), "M") << c.name;
        EXPECT_EQ(saved.GetStart(), c.start) << c.name;
        EXPECT_EQ(EndOf(saved), c.end) << c.name;
    }
}

TEST_F(DayViewTest, ReadOnlyDataRefusesTypingAndEditing)
{
    Open(3, false);
    AddStored(7, CDateTime(2024, 3, 5, 9, 0, 0), CDateTime(2024, 3, 5, 10, 0, 0), "Review");
    container.readOnly = true;
    view->OnChar(QChar('x'));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(host.editVisible);
    EXPECT_EQ(view->GetEntryCount(), 1);
    view->SetFocusedEntry(0);
    EXPECT_EQ(view->BeginInPlaceEdit(), 0);
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(DayViewTest, InPlaceEditRenamesTheStoredEvent)
{
    Open(3, false);
    AddStored(7, CDateTime(2024, 3, 5, 9, 0, 0), CDateTime(2024, 3, 5, 10, 0, 0), "Review");
    AddStored(8, CDateTime(2024, 3, 6, 13, 0, 0), CDateTime(2024, 3, 6, 14, 30, 0), "Long");
    const QPoint onBox = PointOf(Cell(1, 9, 30));
    view->OnLeftDown(onBox, 0);
    view->OnLeftButtonUp(onBox);
    ASSERT_EQ(view->GetFocusedEntry(), EntryOf(7));
    view->OnKeyDown(Qt::Key_F2, 0);
    ASSERT_TRUE(host.editVisible);
    EXPECT_EQ(host.editText, "Review");
    EXPECT_FALSE(host.editMultiLine) << "two rows edit on one line";
    EXPECT_TRUE(view->GetEntryRect(EntryOf(7)).adjusted(1, 1, -1, -1).contains(host.editRect));
    host.editText = "Budget";
    host.editModified = true;
    view->OnEditKey(Qt::Key_Return);
    EXPECT_EQ(Stored(7).GetSubject(), "Budget");

    const QPoint onLong = PointOf(Cell(2, 13, 30));
    view->OnLeftDown(onLong, 0);
    view->OnLeftButtonUp(onLong);
    view->OnKeyDown(Qt::Key_F2, 0);
    EXPECT_TRUE(host.editMultiLine) << "three rows edit on several lines";
    view->OnEditKey(Qt::Key_Escape);
}

// ---- Keys ----

TEST_F(DayViewTest, FocusKeysMoveTheCellSelection)
{
    ProgramSettings().workStart = AppSettings::PackTime(8, 30);
    Open(3, false);
    view->SetCurrentCell(Cell(1, 12, 0));
    view->SetAnchorCell(Cell(1, 12, 0));

    view->OnKeyDown(Qt::Key_Home, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 8, 30));
    view->OnKeyDown(Qt::Key_Home, kModCtrl);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 0, 0));
    EXPECT_EQ(view->Grid().TopRow(), 0);
    view->OnKeyDown(Qt::Key_End, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 16, 30));
    view->OnKeyDown(Qt::Key_End, kModCtrl);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 23, 30));
    EXPECT_EQ(view->Grid().TopRow() + view->Grid().FullRowsVisible(), view->Grid().EndRow());

    view->OnKeyDown(Qt::Key_Up, 0);
    view->OnKeyDown(Qt::Key_Down, kModShift);
    EXPECT_EQ(view->GetAnchorCell(), Cell(1, 23, 0));
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 23, 30));
    EXPECT_EQ(view->GetSelectedCellCount(), 2) << "Shift+Down extends by one row";
    view->OnKeyDown(Qt::Key_Down, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 23, 30)) << "no row below the last";

    view->OnKeyDown(Qt::Key_Left, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(0, 23, 30));
    view->OnKeyDown(Qt::Key_Left, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(0, 23, 30)) << "the first column stays";
    view->OnKeyDown(Qt::Key_Right, 0);
    view->OnKeyDown(Qt::Key_Right, 0);
    view->OnKeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(view->GetCurrentCell(), Cell(2, 23, 30));
    EXPECT_EQ(container.commands, (std::vector<int>{kCmdPrevPeriod, kCmdNextPeriod}));
    EXPECT_EQ(container.notifications.back(), kNotifySelectionChanged);

    view->OnKeyDown(Qt::Key_PageUp, 0);
    const int page = view->Grid().FullRowsVisible();
    EXPECT_EQ(view->GetCurrentCell(), Cell(2, 23, 30) - page);
    EXPECT_GE(view->GetCurrentCell() % 48, view->Grid().TopRow()) << "the new focus is in view";
}

TEST_F(DayViewTest, KeysAndTypingInAWorkWeekWithGaps)
{
    SetWorkWeekMask(kMonWedFri);
    Open(5, true);
    ASSERT_EQ(view->GetColumnCount(), 3);
    view->SetCurrentCell(Cell(0, 10, 0));
    view->SetAnchorCell(Cell(0, 10, 0));
    view->OnKeyDown(Qt::Key_Right, 0);
    view->OnKeyDown(Qt::Key_Down, kModShift);
    EXPECT_EQ(view->GetFocusDate(), CDateTime(2024, 3, 6)) << "Wednesday, not Tuesday";
    view->OnChar(QChar('W'));
    view->OnEditKey(Qt::Key_Return);
    ASSERT_EQ(container.doc.saved.size(), 1u);
    EXPECT_EQ(container.doc.saved[0].GetStart(), CDateTime(2024, 3, 6, 10, 0, 0));
    EXPECT_EQ(EndOf(container.doc.saved[0]), CDateTime(2024, 3, 6, 11, 0, 0));
}

// ---- Hit codes ----

TEST_F(DayViewTest, HitCodesOfBoxesAndCells)
{
    Open(1, false);
    AddStored(1, CDateTime(2024, 3, 4, 9, 0, 0), CDateTime(2024, 3, 4, 10, 0, 0), "Event");
    AddStored(2, CDateTime(2024, 3, 3, 22, 0, 0), CDateTime(2024, 3, 4, 3, 0, 0), "Night");
    view->EnsureCellVisible(Cell(0, 9, 0));
    const QRect box = view->GetEntryRect(EntryOf(1));
    int index = -1;
    EXPECT_EQ(view->HitTest({box.x() + 30, box.y() + 3}, &index), HitEntryStart);
    EXPECT_EQ(index, EntryOf(1));
    EXPECT_EQ(view->HitTest({box.x() + 30, RectBottom(box) - 3}, &index), HitEntryEnd);
    EXPECT_EQ(view->HitTest({box.x() + 30, box.y() + 12}, &index), HitEntryBody);
    EXPECT_EQ(view->HitTest({box.x() + 5, box.y() + 12}, &index), HitEntryMove);
    EXPECT_EQ(view->HitTest({box.x() - 3, box.y() + 12}, &index), HitCell);
    EXPECT_EQ(index, Cell(0, 9, 0));
    EXPECT_EQ(view->HitTest({5, box.y() + 2}, &index), HitCell) << "the label column";
    EXPECT_EQ(view->HitTest({box.x() + 30, -1}, &index), HitNothing);

    view->EnsureCellVisible(0);
    const QRect night = view->GetEntryRect(EntryOf(2));
    EXPECT_EQ(view->HitTest({night.x() + 30, night.y() + 3}, &index), HitEntryBody) << "began the day before";
}

// ---- Dragging ----

TEST_F(DayViewTest, ResizingEdgesStoresTheNewTimes)
{
    struct Case
    {
        const char *name;
        int mask;
        bool workWeek;
        int column;
        CDateTime start, end;
        bool endEdge;
        int toHour, toMinute;
        CDateTime newStart, newEnd;
    };
    const Case cases[] = {
        {"end to the 11:30 row", kMonToFri, false, 1, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 10, 0, 0), true, 11, 30, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 12, 0, 0)},
        {"end above the start", kMonToFri, false, 1, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 10, 0, 0), true, 7, 0, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 9, 0, 0)},
        {"start up to 07:30", kMonToFri, false, 1, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 10, 0, 0), false, 7, 30, CDateTime(2024, 3, 5, 7, 30, 0),
         CDateTime(2024, 3, 5, 10, 0, 0)},
        {"start below the end", kMonToFri, false, 1, CDateTime(2024, 3, 5, 9, 0, 0),
         CDateTime(2024, 3, 5, 10, 0, 0), false, 12, 0, CDateTime(2024, 3, 5, 10, 0, 0),
         CDateTime(2024, 3, 5, 10, 0, 0)},
        {"end to the last row of a work week", kMonWedFri, true, 2, CDateTime(2024, 3, 8, 21, 0, 0),
         CDateTime(2024, 3, 8, 22, 0, 0), true, 23, 30, CDateTime(2024, 3, 8, 21, 0, 0),
         CDateTime(2024, 3, 9)},
        {"Wednesday's end in a work week", kMonWedFri, true, 1, CDateTime(2024, 3, 6, 9, 0, 0),
         CDateTime(2024, 3, 6, 10, 0, 0), true, 13, 0, CDateTime(2024, 3, 6, 9, 0, 0),
         CDateTime(2024, 3, 6, 13, 30, 0)},
    };
    for (const Case &c : cases) {
        SetWorkWeekMask(c.mask);
        container = FakeContainer();
        StoreMoves();
        Open(c.workWeek ? 5 : 3, c.workWeek, QRect(0, 0, 420, 900));
        AddStored(5, c.start, c.end, "Resize me");
        view->EnsureEntryVisible(EntryOf(5));
        const QRect box = view->GetEntryRect(EntryOf(5));
        const QPoint press(box.x() + 30, c.endEdge ? RectBottom(box) - 2 : box.y() + 2);
        int index = -1;
        ASSERT_EQ(view->HitTest(press, &index), c.endEdge ? HitEntryEnd : HitEntryStart) << c.name;
        view->OnLeftDown(press, 0);
        const QRect target = view->GetCellRect(Cell(c.column, c.toHour, c.toMinute), 0);
        ASSERT_GE(target.y(), 0) << c.name << ": the target row is on screen";
        const QPoint to(press.x(), target.y() + 3);
        view->OnMouseMove(to);
        ASSERT_NE(CDragState::Current(), nullptr) << c.name;
        view->OnMouseMove(to + QPoint(0, 1));
        view->OnLeftButtonUp(to);
        ASSERT_EQ(container.moved.size(), 1u) << c.name;
        EXPECT_EQ(Stored(5).GetStart(), c.newStart) << c.name;
        EXPECT_EQ(EndOf(Stored(5)), c.newEnd) << c.name;
        EXPECT_EQ(CDragState::Current(), nullptr);
    }
}

TEST_F(DayViewTest, MovingAnEventAcrossAWorkWeekGap)
{
    SetWorkWeekMask(kMonWedFri);
    StoreMoves();
    Open(5, true, QRect(0, 0, 420, 900));
    AddStored(9, CDateTime(2024, 3, 4, 9, 0, 0), CDateTime(2024, 3, 4, 10, 0, 0), "Move me");
    view->EnsureEntryVisible(EntryOf(9));
    const QRect box = view->GetEntryRect(EntryOf(9));
    const QPoint press(box.x() + 30, box.y() + view->Grid().RowHeight() / 2 + 6);
    ASSERT_EQ(view->HitTest(press, nullptr), HitEntryBody);
    const int sourceCell = view->CellFromPoint(press);
    ASSERT_EQ(sourceCell, Cell(0, 9, 0));

    const QRect target = view->GetCellRect(Cell(1, 11, 0), 0);
    const QPoint drop(target.x() + 10, target.y() + 3);
    std::unique_ptr<QMimeData> data(InternalData());
    host.duringDrag = [&] {
        view->OnDragEnter(data.get(), 0, press);
        view->OnDragOver(data.get(), 0, drop);
        // While over Wednesday the preview stands there.
        const int preview = EntryOf(0);
        EXPECT_GE(preview, 0);
        if (preview >= 0) {
            EXPECT_EQ(view->GetEntry(preview)->GetFirstCell(), Cell(1, 11, 0));
        }
        return view->OnDropEx(data.get(), kDropEffectMove, drop);
    };
    view->OnLeftDown(press, 0);
    view->OnMouseMove(press + QPoint(CCalendarViewCtrl::DragThreshold() + 1, 0));
    ASSERT_EQ(container.moved.size(), 1u);
    EXPECT_EQ(Stored(9).GetStart(), CDateTime(2024, 3, 6, 11, 0, 0)) << "Wednesday, two days on";
    EXPECT_EQ(EndOf(Stored(9)), CDateTime(2024, 3, 6, 12, 0, 0));
}

TEST_F(DayViewTest, SelectionDragScrollsOneRowPerMove)
{
    Open(3, false, QRect(0, 0, 420, 200));
    view->ScrollToRow(20);
    const int top = view->Grid().TopRow();
    const QPoint start = PointOf(Cell(0, 11, 0));
    view->OnLeftDown(start, 0);
    const QPoint under(start.x(), 400);
    view->OnMouseMove(under);
    EXPECT_EQ(view->Grid().TopRow(), top + 1);
    view->OnMouseMove(under);
    EXPECT_EQ(view->Grid().TopRow(), top + 2) << "each move scrolls one row";
    view->OnMouseMove({start.x(), -5});
    EXPECT_EQ(view->Grid().TopRow(), top + 1);
    view->OnLeftButtonUp({start.x(), -5});
    EXPECT_EQ(view->GetAnchorCell(), Cell(0, 11, 0));
    EXPECT_LT(view->GetCurrentCell(), view->GetAnchorCell());
}

// ---- Model ----

TEST_F(DayViewTest, CellMarksAndFocusFollowTheColumnCount)
{
    Open(7, false);
    view->SetCurrentCell(Cell(6, 12, 0));
    view->SetAnchorCell(Cell(6, 11, 0));
    EXPECT_EQ(view->GetDayCount(), 7 * 48);
    view->SetGridDays(2, false);
    EXPECT_EQ(view->GetDayCount(), 2 * 48);
    EXPECT_EQ(view->GetCurrentCell(), Cell(1, 12, 0)) << "clamped to the last column";
    EXPECT_EQ(view->GetAnchorCell(), Cell(1, 11, 0));
    view->SetGridDays(14, false);
    EXPECT_EQ(view->GetDayCount(), 14 * 48);
    view->SetDate(false, true, kMonday);
    view->InvalidateRange(0, view->GetDayCount() - 1, false);
    EXPECT_EQ(view->GetSelectedCellCount(), 14 * 48);
}

TEST_F(DayViewTest, TimeScaleKeepsTheSelectedTimes)
{
    Open(3, false);
    view->SetAnchorCell(Cell(1, 9, 0));
    view->SetCurrentCell(Cell(1, 10, 30));
    for (int minutes : {15, 60, 30}) {
        view->SetTimeScale(minutes, false);
        EXPECT_EQ(view->GetDayDate(view->GetAnchorCell()), CDateTime(2024, 3, 5, 9, 0, 0)) << minutes;
        const CDateTime end = view->Grid().CellEnd(view->GetCurrentCell());
        EXPECT_EQ(end, CDateTime(2024, 3, 5, 11, 0, 0)) << minutes;
    }
}

TEST_F(DayViewTest, TodayColumnAndCaption)
{
    BuildLocaleFormats(LocaleDateData());
    Open(3, false);
    EXPECT_EQ(view->GetTodayColumn(), 2) << "Wednesday 6 March is the third day";
    EXPECT_EQ(view->GetCaption(), "March 4 - March 6, 2024");
    view->SetGridDays(7, false);
    view->SetDate(false, true, CDateTime(2008, 12, 29));
    EXPECT_EQ(view->GetTodayColumn(), -1);
    EXPECT_EQ(view->GetCaption(), "Monday, December 29, 2008 - Sunday, January 4, 2009");
    view->SetGridDays(1, false);
    EXPECT_EQ(view->GetCaption(), FormatLongDate(CDateTime(2008, 12, 29)));
    BuildLocaleFormats();
}

// ---- Renders ----

namespace {

struct RenderCase
{
    const char *name;
    int days;
    bool workWeek;
};

} // namespace

TEST_F(DayViewTest, RendersPlaceBoxesInTheirTypeColours)
{
    CItemTypeList types;
    ASSERT_EQ(types.CreatePredefinedTypes(), S_OK);
    struct CatalogSwap
    {
        const IItemTypeCatalog *before = GetItemTypeCatalog();
        ~CatalogSwap() { SetItemTypeCatalog(before); }
    } restoreCatalog;
    SetItemTypeCatalog(&types);
    SetWorkWeekMask(kMonWedFri);
    const RenderCase cases[] = {{"day", 1, false}, {"three-days", 3, false}, {"work-week", 5, true}};
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
    QDir().mkpath(folder);
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    for (const RenderCase &c : cases) {
        container = FakeContainer();
        Open(c.days, c.workWeek, QRect(0, 0, 520, 600));
        // A small week: overlapping meetings on Monday, a night shift into Tuesday, and
        // Wednesday and Friday items (Tuesday's is hidden in the work week).
        AddStored(1, CDateTime(2024, 3, 4, 9, 0, 0), CDateTime(2024, 3, 4, 12, 0, 0), "Planning", 0);
        AddStored(2, CDateTime(2024, 3, 4, 9, 30, 0), CDateTime(2024, 3, 4, 10, 30, 0), "Call", 1);
        AddStored(3, CDateTime(2024, 3, 4, 11, 0, 0), CDateTime(2024, 3, 4, 12, 0, 0), "Lunch", 2);
        AddStored(4, CDateTime(2024, 3, 4, 22, 0, 0), CDateTime(2024, 3, 5, 2, 0, 0), "Night", 3);
        AddStored(5, CDateTime(2024, 3, 5, 13, 0, 0), CDateTime(2024, 3, 5, 14, 0, 0), "Tuesday", 4);
        AddStored(6, CDateTime(2024, 3, 6, 10, 0, 0), CDateTime(2024, 3, 6, 11, 30, 0), "Review", 5);
        AddStored(7, CDateTime(2024, 3, 8, 15, 0, 0), CDateTime(2024, 3, 8, 16, 0, 0), "Friday", 6);
        view->ScrollToRow(16);

        QImage image(host.client.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view->Draw(painter, host.client);
        }
        EXPECT_TRUE(image.save(QDir(folder).filePath(QStringLiteral("dayview-%1.png").arg(c.name))));

        int checked = 0;
        for (int i = 0; i < view->GetEntryCount(); ++i) {
            const CDisplayItem &e = *view->GetEntry(i);
            const QRect box = view->GetEntryRect(i);
            if (e.HasState(CDisplayItem::StateHidden) || box.bottom() < 0 || box.y() > image.height() - 2)
                continue;
            const COLORREF fill = types.GetType(e.GetItemTypeIndex())->GetFillColor();
            // Inside the frames, at the bottom right where no text goes.
            const int y = std::min(RectBottom(box), image.height()) - 4;
            EXPECT_EQ(QColor(image.pixel(RectRight(box) - 4, y)), ToQColor(fill))
                << c.name << " " << e.GetSubject().toStdString();
            if (box.y() >= 0) {
                EXPECT_EQ(QColor(image.pixel(box.x(), box.y() + 4)), ToQColor(look.windowFrame)) << c.name;
            }
            ++checked;
        }
        EXPECT_GE(checked, c.days == 1 ? 3 : 5) << c.name;
        if (c.workWeek) {
            EXPECT_EQ(EntryOf(5), -1) << "Tuesday has no column";
        }

        // A working cell and a free one in their shades: Monday 08:00 and 06:00 rows.
        view->ScrollToRow(10);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view->Draw(painter, host.client);
        }
        const int last = view->GetColumnCount() - 1;
        const QRect working = view->GetCellRect(Cell(last, 8, 0), 0);
        const QRect early = view->GetCellRect(Cell(last, 6, 0), 0);
        EXPECT_EQ(QColor(image.pixel(working.center())), ToQColor(view->m_workingColour)) << c.name;
        EXPECT_EQ(QColor(image.pixel(early.center())), ToQColor(view->m_nonWorkingColour)) << c.name;
    }
}

// A busy week as the benchmark paints it: every box over the cells, the cells around the boxes in
// their shades, in each combination of scale, hour marks, alternate rows and a cell selection.
TEST_F(DayViewTest, BusyWeekPaintsBoxesOverTheirCells)
{
    struct Case
    {
        const char *name;
        int minutes;
        int alternate;
        int markHours;
        bool focus;
    } cases[] = {
        {"busy-week", 30, 0, 1, false},
        {"busy-week-quarters", 15, 0, 1, true},
        {"busy-week-alternate", 30, 1, 0, true},
    };
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
    QDir().mkpath(folder);
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    for (const Case &c : cases) {
        Open(7, false, QRect(0, 0, 1400, 1000));
        view->m_alternateRows = c.alternate;
        view->m_markHours = c.markHours;
        view->SetTimeScale(c.minutes, false);
        QRandomGenerator random(20240304);
        for (int i = 0; i < 2000; ++i) {
            const int day = int(random.bounded(7));
            const int startRow = int(random.bounded(44));
            const int rows = 1 + int(random.bounded(6));
            const CDateTime start(2024, 3, 4 + day, startRow / 2, (startRow % 2) * 30, 0);
            auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, i % 11, QStringLiteral("Type"), start,
                                                    CDateSpan(0, 0, rows * 30, 0));
            e->SetItemRef(std::uint32_t(i + 1));
            e->SetOccurrenceDate(start);
            e->SetSubject(QStringLiteral("Meeting %1").arg(i));
            view->AddEntry(std::move(e));
        }
        view->Refresh(true);
        view->ScrollToRow(16 * 30 / c.minutes);
        if (c.focus) {
            view->OnFocusGained();
            view->SetCurrentCell(Cell(6, 20, 0));
        }

        QImage image(host.client.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view->Draw(painter, host.client);
        }
        EXPECT_TRUE(image.save(QDir(folder).filePath(QStringLiteral("dayview-%1.png").arg(c.name))));

        // Each box shows its frame at its left edge; where boxes overlap, a later one covers.
        QRegion boxes;
        int framed = 0;
        const QRect visible = host.client.adjusted(0, 0, 0, -2);
        for (int i = 0; i < view->GetEntryCount(); ++i) {
            const QRect box = view->GetEntryRect(i);
            if (view->GetEntry(i)->HasState(CDisplayItem::StateHidden) || box.width() <= 0)
                continue;
            boxes += box;
            if (!visible.contains(box))
                continue;
            bool covered = false;
            for (int j = i + 1; j < view->GetEntryCount() && !covered; ++j)
                covered = view->GetEntryRect(j).intersects(box);
            if (covered)
                continue;
            EXPECT_EQ(QColor(image.pixel(box.x(), box.center().y())), ToQColor(look.windowFrame)) << c.name << " " << i;
            ++framed;
        }
        EXPECT_GT(framed, 100) << c.name;
        // Between the boxes the cells show a shade: the first point of each cell's middle row
        // that no box covers (the today column aside, for its bars).
        const std::set<QRgb> shades = {ToQColor(view->m_workingColour).rgb(), ToQColor(view->m_nonWorkingColour).rgb(),
                                       ToQColor(view->m_workingAltColour).rgb(),
                                       ToQColor(view->m_nonWorkingAltColour).rgb(),
                                       ToQColor(view->m_selectionColour).rgb()};
        int free = 0;
        const CTimeGridLayout &grid = view->Grid();
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            if (column == view->GetTodayColumn())
                continue;
            for (int row = grid.TopRow(); row < grid.TopRow() + grid.RowsShown() && row < grid.RowsPerDay(); ++row) {
                const QRect cell = view->GetCellRect(column * grid.RowsPerDay() + row, 0);
                if (!visible.contains(cell))
                    continue;
                const int y = cell.y() + cell.height() / 2 + 1;
                for (int x = cell.x() + 2; x < cell.x() + cell.width() - 2; ++x) {
                    if (boxes.contains(QPoint(x, y)) || boxes.contains(QPoint(x - 1, y)) ||
                        boxes.contains(QPoint(x + 1, y)))
                        continue;
                    EXPECT_TRUE(shades.count(image.pixel(x, y))) << c.name << " column " << column << " row " << row;
                    ++free;
                    break;
                }
            }
        }
        EXPECT_GT(free, 0) << c.name;
    }
}

// ---- Scrolling ----

TEST_F(DayViewTest, ScrollCodesWheelAndScrollBar)
{
    Open(1, false, QRect(0, 0, 300, 200));
    const CTimeGridLayout &g = view->Grid();
    const int page = g.FullRowsVisible();
    view->ScrollToRow(10);
    struct Step
    {
        std::uint16_t code;
        int top;
    };
    const int bottom = g.EndRow() - page;
    const Step steps[] = {
        {0x01FF, 11},     {0x00FF, 10},     {0x03FF, 10 + page}, {0x02FF, 10},
        {0x07FF, bottom}, {0x01FF, bottom}, {0x06FF, 0},         {0x00FF, 0},
    };
    for (const Step &s : steps) {
        view->OnScroll(s.code);
        EXPECT_EQ(g.TopRow(), s.top) << std::hex << s.code;
        EXPECT_EQ(view->GetScrollBar().position, s.top);
    }
    EXPECT_EQ(view->GetScrollBar().maximum, 47);
    EXPECT_EQ(view->GetScrollBar().page, page);
    EXPECT_FALSE(view->GetScrollBar().disableWhenUnneeded) << "one column hides the bar";

    // A wheel notch away from the user scrolls three rows down, a notch back three up.
    EXPECT_TRUE(view->OnMouseWheel(-120));
    EXPECT_EQ(g.TopRow(), 3);
    EXPECT_TRUE(view->OnMouseWheel(120));
    EXPECT_EQ(g.TopRow(), 0);
    EXPECT_FALSE(view->OnMouseWheel(120)) << "already at the top";

    // Border scrolling during a drag is left to the drop target except where nothing can move.
    EXPECT_EQ(std::uint32_t(view->OnDragScroll({g.ColumnLeft(0) + 3, 2})), 0u) << "the first cell";
    EXPECT_EQ(std::uint32_t(view->OnDragScroll({g.ColumnLeft(0) + 3, 40})), DropEffect::Scroll);
    view->OnScroll(0x07FF);
    EXPECT_EQ(std::uint32_t(view->OnDragScroll({g.ColumnLeft(0) + 3, 5000})), 0u) << "below the last row";
}

TEST_F(DayViewTest, MarksTellOfBoxesAboveAndBelow)
{
    Open(1, false, QRect(0, 0, 300, 200));
    const auto render = [&] {
        QImage image(host.client.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        view->Draw(painter, host.client);
        return image;
    };
    // The corners of the label column with and without the box out of view.
    const auto corners = [&](const QImage &with, const QImage &without) {
        const int x = view->Grid().LabelWidth() - 11;
        const QRect top(x, 0, 11, 7), bottom(x, with.height() - 7, 11, 7);
        return std::pair{with.copy(top) != without.copy(top), with.copy(bottom) != without.copy(bottom)};
    };
    for (const bool early : {true, false}) {
        view->RemoveAllEntries();
        view->ScrollToRow(early ? 20 : 0);
        const QImage without = render();
        const CDateTime start(2024, 3, 4, early ? 1 : 22, 0, 0);
        AddStored(1, start, start + CDateSpan(0, 1, 0, 0), "Out of view");
        const auto [upMark, downMark] = corners(render(), without);
        EXPECT_EQ(upMark, early);
        EXPECT_EQ(downMark, !early);
    }
}

// ---- Options and shading ----

TEST_F(DayViewTest, StoredOptionsChooseScaleAndColours)
{
    for (auto [code, rows] : {std::pair{0, 288}, {3, 96}, {4, 48}, {5, 24}, {9, 48}}) {
        profile.Profile().WriteInt("MDay", "TimeScale", code);
        Open(3, false);
        EXPECT_EQ(view->Grid().RowsPerDay(), rows) << code;
        EXPECT_EQ(view->GetDayCount(), 3 * rows) << code;
    }
    profile.Profile().WriteInt("MDay", "TimeScale", 4);
    profile.Profile().WriteInt("MDay", "CB3", int(MakeColor(40, 120, 200)));
    Open(3, false);
    const COLORREF base = MakeColor(40, 120, 200);
    EXPECT_EQ(view->m_workingColour, LightenColor(40, base));
    EXPECT_EQ(view->m_nonWorkingColour, GetSoftShade(base));
    EXPECT_EQ(view->m_workingLine, DarkenColor(40, view->m_workingColour));
    EXPECT_EQ(view->m_selectionColour, DarkenColor(100, base));
    EXPECT_EQ(view->m_workingAltColour, LightenColor(60, view->m_workingColour));

    // Working-time-only from the options, and back through a reload.
    profile.Profile().WriteInt("MDay", "WTO", 1);
    view->ReloadOptions();
    EXPECT_TRUE(view->Grid().WorkingTimeOnly());
    EXPECT_EQ(view->Grid().FirstRow(), 16);
    EXPECT_GE(view->GetCurrentCell() % 48, 16);
    EXPECT_LT(view->GetCurrentCell() % 48, 34);
}

TEST_F(DayViewTest, WorkingAndCurrentHourRows)
{
    struct Case
    {
        int startHour, startMinute, endHour, endMinute, minutes;
        int workStartRow, workEndRow;
    };
    const Case cases[] = {
        {9, 0, 17, 5, 60, 9, 17},  // the 17:00 row is not working time
        {8, 0, 23, 58, 60, 8, 24}, // ending in the day's last minutes takes the last row
        {8, 30, 17, 0, 30, 17, 34},
    };
    for (const Case &c : cases) {
        ProgramSettings().workStart = AppSettings::PackTime(c.startHour, c.startMinute);
        ProgramSettings().workEnd = AppSettings::PackTime(c.endHour, c.endMinute);
        profile.Profile().WriteInt("MDay", "TimeScale", c.minutes == 60 ? 5 : 4);
        Open(3, false);
        EXPECT_EQ(view->WorkStartRow(), c.workStartRow) << c.endMinute;
        EXPECT_EQ(view->WorkEndRow(), c.workEndRow) << c.endMinute;
    }

    // With CH on and AC off the 10:00 rows of every column use the alternate shade; with AC
    // on the odd rows do instead.
    profile.Profile().WriteInt("MDay", "TimeScale", 4);
    ProgramSettings().workStart = AppSettings::PackTime(8, 0);
    ProgramSettings().workEnd = AppSettings::PackTime(17, 0);
    for (const bool alternate : {false, true}) {
        profile.Profile().WriteInt("MDay", "AC", alternate ? 1 : 0);
        Open(3, false, QRect(0, 0, 420, 400));
        view->ScrollToRow(16);
        QImage image(host.client.size(), QImage::Format_ARGB32);
        QPainter painter(&image);
        view->Draw(painter, host.client);
        painter.end();
        for (int column = 0; column < 3; ++column) {
            const auto shade = [&](int hour, int minute) {
                return QColor(image.pixel(view->GetCellRect(Cell(column, hour, minute), 0).center()));
            };
            const QColor plain = ToQColor(view->m_workingColour), alt = ToQColor(view->m_workingAltColour);
            EXPECT_EQ(shade(10, 0), alternate ? plain : alt) << column;
            EXPECT_EQ(shade(10, 30), alt) << column;
            EXPECT_EQ(shade(11, 0), plain) << column;
            EXPECT_EQ(shade(11, 30), alternate ? alt : plain) << column;
        }
    }
}

TEST_F(DayViewTest, GoToDateAndContextMenus)
{
    SetWorkWeekMask(kMonWedFri);
    Open(5, true);
    view->SetAnchorCell(Cell(0, 9, 0));
    view->SetCurrentCell(Cell(0, 10, 0));
    view->GoToDate(CDateTime(2024, 3, 8));
    EXPECT_EQ(view->GetAnchorCell(), Cell(2, 9, 0)) << "Friday is the third column";
    EXPECT_EQ(view->GetCurrentCell(), Cell(2, 10, 0));

    AddStored(3, CDateTime(2024, 3, 6, 9, 0, 0), CDateTime(2024, 3, 6, 10, 0, 0), "Menu");
    view->EnsureEntryVisible(EntryOf(3));
    const QRect box = view->GetEntryRect(EntryOf(3));
    EXPECT_EQ(view->GetContextMenuIndex({2, box.y() + 2}, false), 0) << "the time labels";
    EXPECT_EQ(view->GetContextMenuIndex({box.x() + 20, box.y() + 8}, false), 4);
    EXPECT_EQ(view->GetContextMenuIndex({box.x() + 20, box.y() - 20}, false), 2);
    EXPECT_EQ(view->GetContextMenuIndex({-1, -1}, true), 2);
    view->SetGridDays(1, false);
    EXPECT_EQ(view->GetContextMenuIndex({-1, -1}, true), 1);
}

// ---- The window ----

TEST_F(DayViewTest, WindowScrollBarFollowsTheRowsAndCarriesTheEdit)
{
    ClockedDayView grid;
    grid.SetContainer(&container);
    CDayViewWnd wnd(grid);
    wnd.resize(500, 300);
    grid.SetGridDays(3, false);
    grid.SetDate(false, true, kMonday);
    wnd.show();
    grid.RecalcLayout();
    grid.Refresh(true);
    QScrollBar *bar = wnd.GetScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->pageStep(), grid.Grid().FullRowsVisible());
    EXPECT_EQ(bar->maximum(), 48 - grid.Grid().FullRowsVisible());
    EXPECT_LE(grid.Grid().ColumnRight(2), wnd.width() - bar->width()) << "the grid leaves room for the bar";

    grid.ScrollToRow(16);
    EXPECT_EQ(bar->value(), 16);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.Grid().TopRow(), 17);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(grid.Grid().TopRow(), 0);

    CEventItem event(4);
    event.SetStart(CDateTime(2024, 3, 5, 3, 0, 0));
    event.SetDuration(CDateSpan(0, 1, 0, 0));
    event.SetSubject("Early");
    container.doc.events.insert_or_assign(4, event);
    CItemRef ref;
    container.doc.LoadEvent(4, ref);
    grid.AddItem(ref);
    grid.Refresh(true);
    grid.SetFocusedEntry(0);
    ASSERT_EQ(grid.BeginInPlaceEdit(), 1);
    const QPoint editAt = wnd.GetEdit()->pos();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(wnd.GetEdit()->pos(), editAt - QPoint(0, grid.Grid().RowHeight()))
        << "the edit moves with the rows";
    grid.EndEdit(false, false);

    const QImage image = wnd.grab().toImage();
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath("dayview-window.png")));
    const QRect box = grid.GetEntryRect(0);
    EXPECT_EQ(QColor(image.pixel(RectRight(box) - 4, RectBottom(box) - 4)),
              ToQColor(grid.GetItemColors(*grid.GetEntry(0)).background));
}

TEST_F(DayViewTest, HourLabelTextsByLocaleAndScale)
{
    struct Case
    {
        bool clock24, leadingZero;
        int timeScale, topRow, hour;
        const char *text, *number;
    };
    const Case cases[] = {
        {true, true, 4, 0, 14, "00", "14"},    {true, true, 4, 0, 9, "00", "09"},
        {true, false, 4, 0, 9, "00", "9"},     {false, false, 4, 0, 14, "PM", "2"},
        {false, false, 4, 0, 0, "AM", "12"},   {false, false, 5, 7, 0, "12 AM", ""},
        {false, false, 5, 7, 12, "12 PM", ""}, {false, false, 5, 7, 7, "7 AM", ""},
        {false, false, 5, 7, 9, "9:00", ""},   {true, true, 5, 7, 9, "09:00", ""},
    };
    for (const Case &c : cases) {
        LocaleDateData data;
        data.clock24 = c.clock24;
        data.hourLeadingZero = c.leadingZero;
        BuildLocaleFormats(data);
        profile.Profile().WriteInt("MDay", "TimeScale", c.timeScale);
        Open(1, false, QRect(0, 0, 300, 200));
        view->ScrollToRow(c.topRow);
        const CDayViewCtrl::HourLabel label = view->GetHourLabel(c.hour);
        EXPECT_EQ(label.text, c.text) << c.hour << " " << c.timeScale;
        EXPECT_EQ(label.number, c.number) << c.hour << " " << c.timeScale;
    }
    BuildLocaleFormats();
}
