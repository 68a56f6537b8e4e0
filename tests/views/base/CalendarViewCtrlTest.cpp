// The shared view logic driven by synthetic events over a small strip of day cells.
#include "views/base/CalendarViewCtrl.h"
#include "views/support/ViewFakes.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "views/base/CustomWnd.h"
#include "views/base/DragState.h"

#include <QMimeData>
#include <algorithm>
#include <random>
#include <gtest/gtest.h>

namespace {

constexpr int kCellWidth = 40;
constexpr int kHeight = 100;

// Seven day cells side by side; entries sit in rows of 16 pixels under a 20-pixel header.
class StripView : public CCalendarViewCtrl
{
  public:
    StripView()
    {
        SetDayCount(7);
        SetFirstDate(CDateTime(2024, 3, 4));
        m_vertical = 0;
    }
    int CellFromPoint(const QPoint &p) const override
    {
        if (p.x() < 0 || p.y() < 0)
            return -1;
        const int cell = p.x() / std::max(1, kCellWidth);
        return cell < GetDayCount() ? cell : -1;
    }
    int CellFromDate(const CDateTime &d, int * = nullptr) const override
    {
        const int cell = int((d.DatePart() - GetFirstDate()).GetTotalDays());
        return std::clamp(cell, 0, GetDayCount() - 1);
    }
    QRect GetCellRect(int cell, int) const override
    {
        return QRect(cell * kCellWidth, 0, kCellWidth, kHeight);
    }
    int HitTest(const QPoint &p, int *index) const override
    {
        const int entry = EntryFromPoint(p);
        if (entry >= 0) {
            *index = entry;
            const QRect r = GetEntryRect(entry);
            if (p.x() < r.left() + 3)
                return HitEntryStart;
            if (p.x() > r.right() - 3)
                return HitEntryEnd;
            return HitEntryBody;
        }
        *index = CellFromPoint(p);
        if (*index < 0)
            return HitNothing;
        return p.y() < 20 ? HitDayHeader : HitCell;
    }
    void LayoutEntries() override
    {
        int row = 0;
        for (const auto &e : GetEntries()) {
            const int first = CellFromDate(e->GetStart());
            const int last = CellFromDate(e->GetEnd() - CDateSpan(1.0 / 86400));
            e->SetCells(first, last);
            e->SetRect(QRect(first * kCellWidth, 20 + 16 * row++, (last - first + 1) * kCellWidth, 16));
        }
    }
};

std::unique_ptr<CDisplayItem> MakeEntry(std::uint32_t record, int day, int days, const QString &subject = "x")
{
    const CDateTime start(2024, 3, 4 + day);
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment", start,
                                            CDateSpan(double(days)));
    e->SetItemRef(record);
    e->SetOccurrenceDate(start);
    e->SetSubject(subject);
    return e;
}

class ViewTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        view.SetHost(&host);
        view.SetContainer(&container);
        view.AddEntry(MakeEntry(1, 0, 1)); // row 0: cell 0
        view.AddEntry(MakeEntry(2, 2, 2)); // row 1: cells 2-3
        view.AddEntry(MakeEntry(3, 5, 1)); // row 2: cell 5
        view.LayoutEntries();
    }
    void TearDown() override { CDragState::End(); }
    std::uint32_t State(int i) const { return view.GetEntry(i)->GetState() & 0x07; }
    void Click(QPoint p, int mods = 0)
    {
        view.OnLeftDown(p, mods);
        view.OnLeftButtonUp(p);
    }

    FakeHost host;
    FakeContainer container;
    StripView view;
};

} // namespace

TEST_F(ViewTest, HitTestingAndLayoutOfEntries)
{
    struct Case
    {
        QPoint point;
        int code, index;
    };
    const Case cases[] = {
        {{20, 25}, HitEntryBody, 0},  {{1, 25}, HitEntryStart, 0}, {{38, 25}, HitEntryEnd, 0},
        {{100, 40}, HitEntryBody, 1}, {{159, 40}, HitEntryEnd, 1}, {{20, 5}, HitDayHeader, 0},
        {{130, 90}, HitCell, 3},      {{300, 90}, HitNothing, -1},
    };
    for (const Case &c : cases) {
        int index = -1;
        EXPECT_EQ(view.HitTest(c.point, &index), c.code) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(index, c.index);
    }
    EXPECT_EQ(view.GetEntryRect(1), QRect(80, 36, 80, 16));
    EXPECT_EQ(view.GetEntryTextRect(1), QRect(84, 37, 72, 14));
    EXPECT_EQ(view.GetEntryRect(9), QRect());
}

TEST_F(ViewTest, ClickSelectionWithShiftAndCtrl)
{
    Click({20, 25});
    EXPECT_EQ(State(0), 3u);
    EXPECT_EQ(view.GetFocusedEntry(), 0);

    Click({100, 40}, kModCtrl);
    EXPECT_EQ(State(0), 3u);
    EXPECT_EQ(State(1), 3u);
    EXPECT_EQ(view.GetFocusedEntry(), 1);

    // Ctrl on a selected entry deselects it only at button-up over an entry.
    view.OnLeftDown({20, 25}, kModCtrl);
    EXPECT_EQ(State(0), 3u);
    view.OnLeftButtonUp({20, 25});
    EXPECT_EQ(State(0), 0u);
    EXPECT_EQ(view.GetFocusedEntry(), 1);

    view.OnLeftDown({100, 40}, kModCtrl);
    view.OnLeftButtonUp({130, 90}); // over a cell, not an entry
    EXPECT_EQ(State(1), 3u);

    Click({220, 52}, kModShift);
    EXPECT_EQ(State(1), 3u);
    EXPECT_EQ(State(2), 3u);

    // A plain press on a selected entry shrinks the selection to it at button-up.
    Click({100, 40});
    EXPECT_EQ(State(1), 3u);
    EXPECT_EQ(State(2), 0u);

    // A click on a cell clears the entries and selects the cell range.
    Click({130, 90});
    EXPECT_EQ(view.GetSelectedCount(), 0);
    EXPECT_EQ(view.GetCurrentCell(), 3);
    EXPECT_TRUE(view.IsCellSelected(3));
    Click({210, 90}, kModShift);
    EXPECT_EQ(view.GetSelectedCellCount(), 3);
}

TEST_F(ViewTest, DayHeaderPostsZoomWithoutCapture)
{
    view.OnLeftDown({20, 5}, 0);
    EXPECT_EQ(container.commands, std::vector<int>{kCmdZoomDay});
    EXPECT_FALSE(host.capture);
}

TEST_F(ViewTest, SmallMovesNeverStartADrag)
{
    host.dragEffect = kDropEffectMove;
    view.OnLeftDown({100, 40}, 0);
    const int t = CCalendarViewCtrl::DragThreshold();
    view.OnMouseMove({100 + t, 40 - t});
    EXPECT_TRUE(view.m_dragPending);
    EXPECT_EQ(CDragState::Current(), nullptr);
    view.OnMouseMove({100 + t + 1, 40});
    EXPECT_FALSE(view.m_dragPending);
    // The drag loop ran and ended; the drag state is gone.
    EXPECT_EQ(CDragState::Current(), nullptr);
    EXPECT_EQ(container.notifications.back(), kNotifySelectionChanged);
}

TEST_F(ViewTest, ResizingTheEndEdgeAsksTheContainerWithTheNewDuration)
{
    // Entry 1 covers cells 2-3; drag its end edge into cell 5.
    view.OnLeftDown({158, 40}, 0);
    view.OnMouseMove({230, 40});
    ASSERT_NE(CDragState::Current(), nullptr);
    EXPECT_EQ(view.GetEntry(view.FindEntry(2, CDateTime(2024, 3, 6)))->GetState() & 0x04, 0x04u);
    EXPECT_GE(view.FindEntry(0, CDateTime(2024, 3, 6)), 0) << "a preview stands in the view";
    view.OnLeftButtonUp({230, 40});
    ASSERT_EQ(container.moved.size(), 1u);
    EXPECT_EQ(container.movedEffect, kDropEffectMove);
    EXPECT_EQ(container.moved[0].movedStart, CDateTime(2024, 3, 6));
    EXPECT_DOUBLE_EQ(container.moved[0].duration.GetTotalDays(), 4.0); // through the end of cell 5
    EXPECT_EQ(view.FindEntry(2, CDateTime(2024, 3, 6)), -1) << "the ghost goes when the container agrees";
    EXPECT_EQ(view.FindEntry(0, CDateTime(2024, 3, 6)), -1);
    EXPECT_EQ(CDragState::Current(), nullptr);
}

TEST_F(ViewTest, ResizingTheStartEdgePastTheEndLeavesNoDurationExceptInTheBanner)
{
    for (int kind : {3, 2}) {
        SetUp();
        view.SetViewKind(kind);
        container.moved.clear();
        view.OnLeftDown({81, 40}, 0); // start edge of cells 2-3
        view.OnMouseMove({270, 40});  // cell 6, after the end
        view.OnLeftButtonUp({270, 40});
        ASSERT_EQ(container.moved.size(), 1u);
        EXPECT_DOUBLE_EQ(container.moved[0].duration.GetTotalDays(), kind == 2 ? 2.0 : 0.0) << kind;
        view.RemoveAllEntries();
    }
}

TEST_F(ViewTest, RefusedResizeAndEscapeRestoreTheEntries)
{
    container.moveAnswer = false;
    view.OnLeftDown({158, 40}, 0);
    view.OnMouseMove({230, 40});
    view.OnLeftButtonUp({230, 40});
    const int index = view.FindEntry(2, CDateTime(2024, 3, 6));
    ASSERT_GE(index, 0);
    EXPECT_EQ(view.GetEntry(index)->GetState() & 0x07, 3u);

    view.OnLeftDown({158, 40}, 0);
    view.OnMouseMove({230, 40});
    EXPECT_TRUE(view.OnEscapeWhileCaptured());
    EXPECT_EQ(CDragState::Current(), nullptr);
    EXPECT_EQ(view.FindEntry(0, CDateTime(2024, 3, 6)), -1);
    EXPECT_EQ(view.GetEntry(view.FindEntry(2, CDateTime(2024, 3, 6)))->GetState() & 0x07, 3u);
}

TEST_F(ViewTest, TabAndShiftTabWrapToTheCellCursor)
{
    view.OnKeyDown(Qt::Key_Tab, 0);
    EXPECT_EQ(view.GetFocusedEntry(), 0);
    view.OnKeyDown(Qt::Key_Tab, 0);
    view.OnKeyDown(Qt::Key_Tab, 0);
    EXPECT_EQ(view.GetFocusedEntry(), 2);
    view.OnKeyDown(Qt::Key_Tab, 0);
    EXPECT_EQ(view.GetFocusedEntry(), -1);
    EXPECT_EQ(view.GetCurrentCell(), 0);
    EXPECT_EQ(view.GetSelectedCount(), 0);

    view.OnKeyDown(Qt::Key_Tab, 0);
    EXPECT_EQ(view.GetFocusedEntry(), 0);
    view.OnKeyDown(Qt::Key_Backtab, kModShift);
    EXPECT_EQ(view.GetFocusedEntry(), -1);
    EXPECT_EQ(view.GetCurrentCell(), 5);
}

TEST_F(ViewTest, DoubleClickOpensOneOccurrenceAndBeepsOtherwise)
{
    Click({20, 25});
    view.OnDoubleClick({20, 25});
    EXPECT_EQ(container.commands, std::vector<int>{kCmdOpenItem});
    Click({100, 40}, kModCtrl);
    view.OnDoubleClick({20, 25});
    EXPECT_EQ(host.beeps, 1);
    view.OnDoubleClick({130, 90});
    EXPECT_EQ(container.commands.back(), kCmdNewItem);
    container.readOnly = true;
    view.OnDoubleClick({130, 90});
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(ViewTest, RemovingEntriesKeepsTheFocusOnTheSameEntry)
{
    struct Case
    {
        int focus, removed, expected;
    };
    for (const Case c : {Case{1, 0, 0}, Case{1, 1, -1}, Case{1, 2, 1}}) {
        SetUp();
        view.SetFocusedEntry(c.focus);
        view.RemoveEntryAt(c.removed);
        EXPECT_EQ(view.GetFocusedEntry(), c.expected);
        view.RemoveAllEntries();
    }
    SetUp();
    view.SetFocusedEntry(2);
    view.RemoveEntriesOfRecord(2);
    EXPECT_EQ(view.GetFocusedEntry(), 1);
}

TEST_F(ViewTest, CountDistinctItemsCountsOccurrencesUpToThirty)
{
    view.AddEntry(MakeEntry(2, 2, 2));
    EXPECT_EQ(view.CountDistinctItems(), 3);
    while (view.GetEntryCount() < 31)
        view.AddEntry(MakeEntry(1, 0, 1));
    EXPECT_EQ(view.CountDistinctItems(), 31);
}

TEST_F(ViewTest, ContextMenuIndexes)
{
    view.OnContextMenu(QPoint(1130, 1090)); // on a cell
    EXPECT_EQ(host.menu, 3);
    view.OnContextMenu(QPoint(-1, -1)); // keyboard, nothing selected
    EXPECT_EQ(host.menu, 3);
    Click({20, 25});
    view.OnContextMenu(QPoint(-1, -1));
    EXPECT_EQ(host.menu, 4);
}

TEST_F(ViewTest, InPlaceEditCommitStoresTheSubjectAndCancelDropsANewEntry)
{
    CEventItem stored;
    stored.SetSubject("old");
    stored.SetRecordId(2);
    container.doc.events.emplace(2, stored);

    view.OpenEditFor(view.GetEntry(1)->Clone(), QRect(80, 36, 80, 16), "old");
    EXPECT_TRUE(view.IsEditing());
    host.editText = "new";
    host.editModified = true;
    view.OnEditKey(Qt::Key_Return);
    EXPECT_FALSE(view.IsEditing());
    ASSERT_EQ(container.doc.saved.size(), 1u);
    EXPECT_EQ(container.doc.saved[0].GetSubject(), "new");

    // Escape does not store.
    view.OpenEditFor(view.GetEntry(0)->Clone(), QRect(), "x");
    host.editText = "changed";
    host.editModified = true;
    view.OnEditKey(Qt::Key_Escape);
    EXPECT_EQ(container.doc.saved.size(), 1u);

    // A new unsaved entry is removed when its edit is cancelled.
    view.AddEntry(MakeEntry(0, 4, 1));
    view.OpenEditFor(MakeEntry(0, 4, 1), QRect(), "");
    view.OnEditKey(Qt::Key_Escape);
    EXPECT_EQ(view.FindEntry(0, CDateTime(2024, 3, 8)), -1);

    // A failed save is reported.
    container.doc.saveResult = QV_E_ITEM_LOAD;
    view.OpenEditFor(view.GetEntry(0)->Clone(), QRect(), "x");
    host.editText = "y";
    host.editModified = true;
    container.doc.events.emplace(1, stored);
    view.OnEditFocusLost();
    EXPECT_EQ(host.errors, std::vector<HRESULT>{QV_E_ITEM_LOAD});
}

TEST(CalendarViewOrder, SortingCellByCellGivesOneStableSortOfTheEntries)
{
    // Entries with many ties (same cell, times and subjects), dragged ghosts, and entries
    // without a cell or with a cell far out, which the sort takes in one piece.
    std::mt19937 rng(77);
    for (int round = 0; round < 6; ++round) {
        StripView view;
        std::vector<const CDisplayItem *> expected;
        for (int i = 0; i < 300; ++i) {
            const int cell = round == 4 && i == 17 ? -1 : round == 5 && i == 3 ? 9000 : int(rng() % 40);
            const CDateTime start(2024, 3, 4, int(rng() % 3) + 8, int(rng() % 2) * 30, 0);
            auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, int(rng() % 2), "Appointment", start,
                                                    CDateSpan(rng() % 5 == 0 ? 1.0 : 1.0 / 24));
            e->SetSubject(QStringLiteral("Same %1").arg(rng() % 3));
            e->SetItemRef(std::uint32_t(rng() % 4));
            e->SetFlag(CDisplayItem::FlagRecurring, rng() % 2 == 0);
            e->SetCells(cell, cell);
            if (rng() % 25 == 0)
                e->SetState(CDisplayItem::StateDragged);
            expected.push_back(e.get());
            view.AddEntry(std::move(e));
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const CDisplayItem *a, const CDisplayItem *b) { return a->Precedes(*b); });
        view.SortDisplayItems();
        ASSERT_EQ(view.GetEntryCount(), int(expected.size()));
        for (int i = 0; i < view.GetEntryCount(); ++i)
            ASSERT_EQ(view.GetEntry(i), expected[std::size_t(i)]) << "round " << round << " entry " << i;
    }
}
