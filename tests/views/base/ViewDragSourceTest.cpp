// The drag source of the views: each look at a running drag reaches the owner view and decides
// whether the drag goes on, and the window's drag loop ends with the effect Qt reports.
#include "views/base/EntryHitView.h"
#include "views/support/ViewFakes.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/ViewDropTarget.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
// Counts the looks at its drag; entries are hit where the test placed them.
class CountingView : public EntryHitView
{
  public:
    void OnDragFeedback(bool escape) override
    {
        ++feedback;
        lastEscape = escape;
        CCalendarViewCtrl::OnDragFeedback(escape);
    }
    int feedback = 0;
    bool lastEscape = false;
};

class TestWnd : public CCalendarViewWnd
{
  public:
    using CCalendarViewWnd::CCalendarViewWnd;
    using CCalendarViewWnd::RunDragLoop;

    // Notes what each drag carried and what the view showed while it ran, then runs the
    // real loop (which ends at once on the offscreen platform).
    int RunDragLoop(std::unique_ptr<QMimeData> data, int allowedEffects, const QRect &start) override
    {
        ++loops;
        formats = data->formats();
        effects = allowedEffects;
        dragStateDuring = CDragState::Current() != nullptr;
        return CCalendarViewWnd::RunDragLoop(std::move(data), allowedEffects, start);
    }

    int loops = 0;
    QStringList formats;
    int effects = 0;
    bool dragStateDuring = false;
};
} // namespace

TEST(ViewDragSourceTest, EachLookTellsTheOwnerAndDecides)
{
    struct Case
    {
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        bool escape;
        CViewDropSource::Answer answer;
    };
    using A = CViewDropSource::Answer;
    const Case cases[] = {
        {Qt::LeftButton, Qt::NoModifier, false, A::Continue},
        {Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, false, A::Continue},
        {Qt::NoButton, Qt::NoModifier, false, A::Drop},
        {Qt::RightButton, Qt::ControlModifier, false, A::Drop},
        {Qt::LeftButton, Qt::NoModifier, true, A::Cancel},
        {Qt::NoButton, Qt::NoModifier, true, A::Cancel},
    };
    CountingView view;
    CViewDropSource source;
    source.SetOwnerView(&view);
    int n = 0;
    for (const Case &c : cases) {
        EXPECT_EQ(source.Poll(c.buttons, c.modifiers, c.escape), c.answer) << n;
        EXPECT_EQ(view.feedback, ++n);
        EXPECT_EQ(view.lastEscape, c.escape);
    }
    CViewDropSource ownerless;
    EXPECT_EQ(ownerless.Poll(Qt::LeftButton, Qt::NoModifier), A::Continue);

    // The key-state form gives the same answers, and the drag starts after the usual delay.
    EXPECT_EQ(QApplication::startDragTime(), CViewDropSource::kDragStartDelayMs);
    EXPECT_EQ(source.QueryContinueDrag(false, kKeyStateLeftButton), A::Continue);
    EXPECT_EQ(source.QueryContinueDrag(true, kKeyStateLeftButton), A::Cancel);
    EXPECT_EQ(source.QueryContinueDrag(false, 0), A::Drop);
    EXPECT_EQ(view.feedback, n + 3);
}

TEST(ViewDragSourceTest, EffectsAndActions)
{
    EXPECT_EQ(DropActionsFromEffects(kDropEffectCopy | kDropEffectMove), Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(DropActionsFromEffects(kDropEffectCopy), Qt::DropActions(Qt::CopyAction));
    EXPECT_EQ(DropActionsFromEffects(0), Qt::DropActions());
    EXPECT_EQ(DropEffectFromAction(Qt::MoveAction), kDropEffectMove);
    EXPECT_EQ(DropEffectFromAction(Qt::CopyAction), kDropEffectCopy);
    EXPECT_EQ(DropEffectFromAction(Qt::IgnoreAction), kDropEffectNone);
    EXPECT_EQ(DropEffectFromAction(Qt::LinkAction), kDropEffectNone);
}

// The offscreen platform has no drag of its own: the loop ends at once without an effect, and a
// drag started by the mouse is called off with the entries as they were.
TEST(ViewDragSourceTest, MouseDragThroughTheWindowEndsCleanlyWithoutADrop)
{
    CountingView view;
    FakeContainer container;
    view.SetContainer(&container);
    view.SetDayCount(7);
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, -1, QString(),
                                            CDateTime(2024, 3, 4, 9, 0, 0), CDateSpan(1.0 / 24));
    e->SetItemRef(5);
    e->SetRect(QRect(10, 10, 60, 16));
    view.AddEntry(std::move(e));
    TestWnd wnd(view);
    wnd.resize(200, 60);
    view.OnLeftDown(QPoint(20, 15), 0);
    ASSERT_TRUE(view.GetEntry(0)->HasState(CDisplayItem::StateSelected));
    view.OnMouseMove(QPoint(20 + 4 * CCalendarViewCtrl::DragThreshold(), 15));
    // A drag did run, offering the marker format, with the program's drag state set.
    ASSERT_EQ(wnd.loops, 1);
    EXPECT_TRUE(wnd.formats.contains(InternalFormatMimeType())) << wnd.formats.join(u',').toStdString();
    EXPECT_NE(wnd.effects & kDropEffectMove, 0);
    EXPECT_TRUE(wnd.dragStateDuring);
    EXPECT_EQ(CDragState::Current(), nullptr);
    const CDisplayItem *entry = view.GetEntry(0);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->HasState(CDisplayItem::StateSelected));
    EXPECT_FALSE(entry->HasState(CDisplayItem::StateDragged));
    EXPECT_TRUE(container.moved.empty());
}
