// The drop target driven by synthetic enter, over, drop and leave calls on a recording window.
#include "views/base/ViewDropTarget.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CustomWnd.h"

#include <QApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

// A 200 x 100 window that logs its drop callbacks and scrolls when allowed.
class RecordingWnd : public CCustomWnd
{
  public:
    RecordingWnd() { resize(200, 100); }

    int OnDragEnter(const QMimeData *, int, const QPoint &) override
    {
        log.push_back("enter");
        return kDropEffectMove;
    }
    int OnDragOver(const QMimeData *, int, const QPoint &) override
    {
        log.push_back("over");
        return kDropEffectCopy;
    }
    int OnDropEx(const QMimeData *, int effect, int allowed, const QPoint &) override
    {
        log.push_back("drop");
        dropAllowed = allowed;
        return effect;
    }
    void OnDragLeave() override { log.push_back("leave"); }
    int OnDragScroll(int, const QPoint &) override { return int(hook); }
    bool OnScrollBy(std::uint16_t code, bool doScroll) override
    {
        if (!canScroll)
            return false;
        if (doScroll)
            scrolls.push_back(code);
        return true;
    }

    std::vector<std::string> log;
    std::vector<std::uint16_t> scrolls;
    std::uint32_t hook = DropEffect::Scroll;
    bool canScroll = true;
    int dropAllowed = 0;
};

class ViewDropTargetTest : public ::testing::Test
{
  protected:
    QMimeData data;
    RecordingWnd wnd;
    CViewDropTarget target{wnd};
};

} // namespace

TEST_F(ViewDropTargetTest, CallbacksReachTheWindow)
{
    EXPECT_EQ(target.DragEnter(&data, kKeyStateLeftButton, QPoint(100, 50)), kDropEffectMove);
    EXPECT_EQ(target.DragOver(&data, kKeyStateLeftButton, QPoint(100, 50), 0),
              std::uint32_t(kDropEffectCopy));
    EXPECT_EQ(target.Drop(&data, kDropEffectCopy, kDropEffectCopy | kDropEffectMove, QPoint(100, 50)),
              kDropEffectCopy);
    EXPECT_EQ(wnd.dropAllowed, kDropEffectCopy | kDropEffectMove);
    target.DragLeave();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"enter", "over", "drop", "leave"}));
}

TEST_F(ViewDropTargetTest, RestingInTheTopStripScrollsAfterTheDelayThenEveryInterval)
{
    target.DragEnter(&data, kKeyStateLeftButton, QPoint(100, 50));
    const QPoint top(100, 5);
    const std::uint32_t moving = DropEffect::Scroll | DropEffect::Move;
    EXPECT_EQ(target.DragOver(&data, kKeyStateLeftButton, top, 1000), moving);
    // Entering the strip hides the window's feedback; the window's drag over is not asked.
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_TRUE(wnd.scrolls.empty());
    target.DragOver(&data, kKeyStateLeftButton, top, 1050); // not more than the delay yet
    EXPECT_TRUE(wnd.scrolls.empty());
    target.DragOver(&data, kKeyStateLeftButton, top, 1051);
    target.DragOver(&data, kKeyStateLeftButton, top, 1090);
    target.DragOver(&data, kKeyStateLeftButton, top, 1102);
    EXPECT_EQ(wnd.scrolls, (std::vector<std::uint16_t>{0x00FF, 0x00FF}));

    // Back to the middle: the feedback returns through a drag enter and the window's drag over.
    wnd.log.clear();
    EXPECT_EQ(target.DragOver(&data, kKeyStateLeftButton, QPoint(100, 50), 1200),
              std::uint32_t(kDropEffectCopy));
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"enter", "over"}));
    EXPECT_FALSE(target.IsScrolling());
}

TEST_F(ViewDropTargetTest, CornerEffectsAndRefusals)
{
    struct Case
    {
        int keyState;
        std::uint32_t effect;
    };
    const Case cases[] = {
        {kKeyStateLeftButton, DropEffect::Scroll | DropEffect::Move},
        {kKeyStateLeftButton | kKeyStateControl, DropEffect::Scroll | DropEffect::Copy},
        {kKeyStateLeftButton | kKeyStateControl | kKeyStateShift, DropEffect::Scroll | DropEffect::Link},
    };
    for (const Case &c : cases) {
        target.DragEnter(&data, c.keyState, QPoint(100, 50));
        EXPECT_EQ(target.DragOver(&data, c.keyState, QPoint(195, 95), 0), c.effect);
    }
    target.DragOver(&data, kKeyStateLeftButton, QPoint(195, 95), 100);
    EXPECT_EQ(wnd.scrolls, std::vector<std::uint16_t>{0x0101}); // both axes in one step

    // A window that cannot scroll keeps its normal feedback.
    wnd.canScroll = false;
    target.DragEnter(&data, kKeyStateLeftButton, QPoint(100, 50));
    wnd.log.clear();
    EXPECT_EQ(target.DragOver(&data, kKeyStateLeftButton, QPoint(100, 3), 0), std::uint32_t(kDropEffectCopy));
    EXPECT_EQ(wnd.log, std::vector<std::string>{"over"});

    // A hook answering anything else decides alone.
    wnd.canScroll = true;
    wnd.hook = DropEffect::None;
    EXPECT_EQ(target.DragScroll(kKeyStateLeftButton, QPoint(100, 3), 0), DropEffect::None);
    EXPECT_FALSE(target.IsScrolling());
}
