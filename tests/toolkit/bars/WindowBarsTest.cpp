// The caption, link and status bars and the reminder tip window: their layout rules, texts and
// modes, and renders of each.
#include "../ToolkitRender.h"
#include "core/document/ReminderEntry.h"
#include "toolkit/bars/CaptionBar.h"
#include "toolkit/bars/CaptionBarLayout.h"
#include "toolkit/bars/FlatReBar.h"
#include "toolkit/bars/FrameWndEx.h"
#include "toolkit/menus/MenuBarEx.h"
#include "toolkit/bars/ItemsStatusBar.h"
#include "toolkit/bars/LinkBar.h"
#include "toolkit/bars/MiniDockFrameWndEx.h"
#include "toolkit/bars/ReBarLayout.h"
#include "toolkit/bars/TipLayout.h"
#include "toolkit/bars/TipWnd.h"
#include "toolkit/bars/ToolBarEx.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuEx.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <set>

namespace {

TEST(CaptionBarLayout, PartsFromTheRight)
{
    const CaptionBarRects with = LayoutCaptionBar({600, 30}, {140, 22}, 90);
    EXPECT_EQ(with.viewToolbar, QRect(600 - 140 - 3, 4, 140, 22));
    EXPECT_EQ(with.filterToolbar, QRect(457 - 3 - 90, 1, 90, 28));
    EXPECT_EQ(with.title, QRect(6, 0, 364 - 6 - 6, 30));
    // Without a filter button the title takes the freed width.
    const CaptionBarRects without = LayoutCaptionBar({600, 30}, {140, 22}, 0);
    EXPECT_TRUE(without.filterToolbar.isEmpty());
    EXPECT_EQ(without.title, QRect(6, 0, 457 - 6 - 6, 30));
    // A bar lower than its toolbar keeps the toolbar at y 1; a narrow one gives the title nothing.
    EXPECT_EQ(LayoutCaptionBar({100, 10}, {140, 22}, 0).viewToolbar.top(), 1);
    EXPECT_EQ(LayoutCaptionBar({100, 10}, {140, 22}, 0).title.width(), 0);
}

TEST(LinkBarLayout, LinksEndSixPixelsFromTheRight)
{
    EXPECT_EQ(LayoutLink(QRect(0, 0, 10, 14), 80, 400), QRect(400 - 6 - 82, 0, 82, 14));
    EXPECT_EQ(LayoutLink(QRect(0, 14, 120, 14), 80, 400), QRect(400 - 6 - 120, 14, 120, 14)); // never narrowed
}

TEST(ReBarLayout, BandsShareRowsWhileTheirLeastWidthsFit)
{
    // Bands: least width, ideal width, height, break before.
    auto band = [](int least, int ideal, int height, bool breakBefore = false) {
        return ReBarBand{QSize(least, height), QSize(ideal, height), breakBefore};
    };
    struct Case
    {
        const char *name;
        QList<ReBarBand> bands;
        int width;
        QList<QRect> rects;
    } cases[] = {
        {"ideal widths, the last band runs to the end",
         {band(40, 100, 24), band(40, 120, 24)},
         400,
         {QRect(0, 0, 100, 24), QRect(102, 0, 298, 24)}},
        {"too wide: the right band gives way first",
         {band(40, 200, 24), band(60, 200, 24)},
         300,
         {QRect(0, 0, 200, 24), QRect(202, 0, 98, 24)}},
        {"both give way down to their least widths",
         {band(80, 200, 24), band(60, 200, 24)},
         150,
         {QRect(0, 0, 88, 24), QRect(90, 0, 60, 24)}},
        {"least widths do not fit: a second row",
         {band(80, 200, 24), band(90, 200, 22)},
         150,
         {QRect(0, 0, 150, 24), QRect(0, 24, 150, 22)}},
        {"a break starts a row; the row is as high as its highest band",
         {band(40, 60, 24), band(40, 60, 30, true), band(40, 60, 20)},
         400,
         {QRect(0, 0, 400, 24), QRect(0, 24, 60, 30), QRect(62, 24, 338, 30)}},
        {"a band wider than the rebar keeps its least width", {band(200, 300, 24)}, 100, {QRect(0, 0, 200, 24)}},
        {"no bands", {}, 300, {}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CReBarLayout::LayoutBands(c.bands, c.width), c.rects) << c.name;
        int bottom = 0;
        for (const QRect &r : c.rects)
            bottom = std::max(bottom, r.bottom() + 1);
        EXPECT_EQ(CReBarLayout::HeightForWidth(c.bands, c.width), bottom) << c.name;
    }
}

TEST(ItemsStatusBar, CountTexts)
{
    EXPECT_EQ(ItemCountText(12, -1), "12 items");
    EXPECT_EQ(ItemCountText(12, 3), "12 (3) items");
    EXPECT_EQ(ItemCountText(-1, -1), "");
    EXPECT_EQ(ItemCountText(0, -1), "0 items");
}

TEST(TipLayout, SizeAndPlacement)
{
    TipMeasures m{{150, 16}, {180, 14}, false, true, 3};
    // width: max(150, 180) + 20 + 8; height: 16 + 8 + 14 + 2 + 3 x 18 + 8
    EXPECT_EQ(TipWindowSize(m), QSize(208, 102));
    m.readOnly = true;
    EXPECT_EQ(TipWindowSize(m).height(), 118);
    m.remindersOn = false; // nothing listed
    EXPECT_EQ(TipWindowSize(m).height(), 64);
    EXPECT_EQ(TipEntryHeight(20), 22);

    const QRect work(0, 0, 1000, 760);
    EXPECT_EQ(PlaceTipNextToAnchor({500, 100, 16, 16}, {200, 100}, work), QPoint(500, 116));
    // Near the bottom it opens above its anchor.
    EXPECT_EQ(PlaceTipNextToAnchor({500, 740, 16, 16}, {200, 100}, work), QPoint(500, 639));
    // Kept inside the right and left edges.
    EXPECT_EQ(PlaceTipNextToAnchor({950, 100, 16, 16}, {200, 100}, work), QPoint(999 - 200, 116));
    EXPECT_EQ(PlaceTipNextToAnchor({-20, 100, 16, 16}, {200, 100}, work), QPoint(1, 116));
    // Taller than the space above: never above the work area.
    EXPECT_EQ(PlaceTipNextToAnchor({500, 740, 16, 16}, {200, 900}, work).y(), 0);

    // The tray icon when known, else the corner nearest the pointer.
    EXPECT_EQ(TipAnchorRect({900, 740, 22, 20}, {10, 10}, work), QRect(900, 740, 22, 20));
    EXPECT_EQ(TipAnchorRect({}, {900, 700}, work), QRect(984, 744, 16, 16));
    EXPECT_EQ(TipAnchorRect({}, {10, 10}, work), QRect(0, 0, 16, 16));
}

std::unique_ptr<CReminderEntry> Reminder(std::uint32_t id, const CDateTime &due, const QString &subject, int kind = 1)
{
    auto entry = std::make_unique<CReminderEntry>();
    entry->kind = kind;
    entry->recordId = id;
    entry->itemTypeIndex = 0;
    entry->due = due;
    entry->occurrence = due;
    entry->subject = subject;
    return entry;
}

class TipWndTest : public ::testing::Test
{
  protected:
    TipWndTest()
    {
        UseMenuLookStyle();
        tip.SetClock([] { return CDateTime(2026, 5, 12, 10, 0); });
        tip.SetAnchor(QRect(200, 200, 16, 16));
        queue.push_back(Reminder(1, CDateTime(2026, 5, 12, 14, 0), "Dentist"));
        queue.push_back(Reminder(2, CDateTime(2026, 5, 12, 9, 30), "Call the bank about the mortgage renewal"));
        queue.push_back(Reminder(3, CDateTime(2026, 5, 12, 14, 0), "Team review", 2));
        queue.push_back(Reminder(4, CDateTime(2026, 5, 12, 16, 45), "Pick up parcel"));
    }
    CTipWnd tip;
    std::vector<std::unique_ptr<CReminderEntry>> queue;
};

TEST_F(TipWndTest, EntriesInTimeOrderWithoutOpenWindows)
{
    tip.SetHasReminderWindow([](std::uint32_t id) { return id == 4; });
    tip.FillIfHidden(queue);
    ASSERT_EQ(tip.Entries().size(), 3);
    EXPECT_EQ(tip.Entries()[0].itemId, 2u);
    EXPECT_TRUE(tip.Entries()[0].overdue);
    EXPECT_EQ(tip.Entries()[1].itemId, 1u); // equal times keep the order they came in
    EXPECT_EQ(tip.Entries()[2].itemId, 3u);
    EXPECT_FALSE(tip.Entries()[2].overdue);
    EXPECT_EQ(tip.SecondLine(), "Today's upcoming reminders:");

    // Hidden, the document's additions wait for the next fill.
    tip.AddEntry(*Reminder(9, CDateTime(2026, 5, 12, 11, 0), "Late"));
    EXPECT_EQ(tip.Entries().size(), 3);
    tip.ShowTip();
    tip.AddEntry(*Reminder(9, CDateTime(2026, 5, 12, 11, 0), "Late"));
    EXPECT_EQ(tip.Entries()[1].itemId, 9u);
    tip.RemoveEntry(9);
    tip.RemoveEntry(12345);
    EXPECT_EQ(tip.Entries().size(), 3);
    EXPECT_EQ(tip.pos(), QPoint(200, 216)); // below its anchor
    tip.HideAndClear();
    EXPECT_TRUE(tip.Entries().isEmpty());
    EXPECT_FALSE(tip.isVisible());
    EXPECT_EQ(tip.SecondLine(), "Today's upcoming reminders: (none)");
    tip.SetRemindersOn(false);
    EXPECT_EQ(tip.SecondLine(), "Today's upcoming reminders: (disabled)");
}

TEST_F(TipWndTest, Renders)
{
    tip.SetTypeIcon([](int, int kind) { return MakeCommandImage(kind == 2 ? QColor(60, 160, 80) : QColor(40, 120, 200), kind == 2 ? 'T' : 'E'); });
    tip.SetTrayIcon(MakeCommandImage(QColor(200, 140, 30), 'R'));
    tip.Refill(queue);
    tip.ShowTip();
    SaveRender(tip.grab().toImage(), "tip_window");
    tip.HideAndClear();
    tip.SetReadOnly(true);
    tip.ShowTip();
    SaveRender(tip.grab().toImage(), "tip_window_empty");
    EXPECT_GT(tip.width(), 100);
}

class CaptionBarTest : public ::testing::Test
{
  protected:
    CaptionBarTest() : table(router)
    {
        UseMenuLookStyle();
        bar = new CCaptionBar(table, &window);
        window.resize(640, 34);
        bar->resize(640, 34);
        window.show();
    }
    CCommandRouter router;
    CCommandTable table;
    QWidget window;
    CCaptionBar *bar = nullptr;
};

TEST_F(CaptionBarTest, ModesAndFilterMenus)
{
    bar->SetTitle("Tuesday, May 12");
    bar->SetToolButtonText("Filter: Business");
    bar->SetViewMode(4); // month
    EXPECT_EQ(bar->GetMode(), CCaptionBar::CalendarMode);
    EXPECT_NE(bar->FilterMenu()->FindMenuOf(CCaptionBar::kCmdDefineFilters), nullptr);
    EXPECT_EQ(bar->FilterMenu()->FindMenuOf(CCaptionBar::kCmdActiveTasks), nullptr);
    QImage calendar = bar->grab().toImage();
    const int titleWithFilter = bar->TitleLabel()->width();

    bar->SetViewMode(7); // tasks: the navigation buttons hide, the task menu takes over
    EXPECT_EQ(bar->GetMode(), CCaptionBar::TasksMode);
    for (int id : {CCaptionBar::kCmdHiddenItems, CCaptionBar::kCmdPrevious, CCaptionBar::kCmdToday,
                   CCaptionBar::kCmdNext, CCaptionBar::kCmdNavigatorBar})
        EXPECT_FALSE(bar->ViewToolbar()->Button(id) && bar->ViewToolbar()->Button(id)->isVisible()) << id;
    EXPECT_TRUE(bar->ViewToolbar()->Button(CCaptionBar::kCmdFind)->isVisible());
    EXPECT_NE(bar->FilterMenu()->FindMenuOf(CCaptionBar::kCmdActiveTasks), nullptr);
    EXPECT_EQ(bar->FilterButton()->menu(), bar->FilterMenu());
    bar->SetTitle("Tasks");
    QImage tasks = bar->grab().toImage();

    bar->SetViewMode(8); // search
    EXPECT_EQ(bar->GetMode(), CCaptionBar::OtherMode);
    bar->SetTitle("Search Results");
    bar->SetToolButtonText(""); // no filter button: the title takes its width
    EXPECT_GT(bar->TitleLabel()->width(), titleWithFilter);
    QImage other = bar->grab().toImage();

    QImage sheet(calendar.width() + 20, calendar.height() * 3 + 40, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(10, 10, calendar);
    p.drawImage(10, 20 + calendar.height(), tasks);
    p.drawImage(10, 30 + 2 * calendar.height(), other);
    p.end();
    SaveRender(sheet, "caption_bar_modes");
}

// A toolbar band of a few buttons with images.
CToolBarEx *MakeBand(CCommandTable &table, const QList<int> &commands, const QList<QColor> &colours)
{
    auto *toolbar = new CToolBarEx(table);
    toolbar->LoadToolBar(commands);
    QImage strip(16 * int(colours.size()), 16, QImage::Format_ARGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter sp(&strip);
    for (int i = 0; i < colours.size(); ++i)
        sp.drawPixmap(16 * i, 0, MakeCommandImage(colours[i], QChar('A' + i)));
    sp.end();
    strip.setPixel(0, 0, qRgb(255, 0, 255));
    toolbar->SetImageBitmap(strip, QSize(16, 16));
    return toolbar;
}

TEST(WindowBars, ReBarWrapsItsBandsIntoRows)
{
    UseMenuLookStyle();
    CCommandRouter router;
    CCommandTable table(router);
    for (int id = 32771; id < 32780; ++id)
        table.Add(id, QStringLiteral("Command &%1").arg(id - 32770), QStringLiteral("Command\nCommand"));
    auto *rebar = new CFlatReBar;
    rebar->AddBand(MakeBand(table, {32771, 32772, 0, 32773, 32774}, {Qt::darkBlue, Qt::darkRed, Qt::darkGreen, Qt::darkCyan}));
    rebar->AddBand(MakeBand(table, {32775, 32776, 32777}, {Qt::darkMagenta, Qt::darkYellow, Qt::darkGray}));
    rebar->AddBand(MakeBand(table, {32778, 32779}, {Qt::blue, Qt::red}));
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(rebar);
    column->addStretch();
    window.resize(480, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(window.geometry().bottomRight() + QPoint(40, 40));
    QCoreApplication::processEvents();

    const QImage wide = window.grab().toImage();
    // Wide: one row, each band at its ideal width, the last running to the end.
    const int rowHeight = rebar->Band(0)->height();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rebar->Band(i)->y(), CFlatReBar::kFrame) << i;
    EXPECT_EQ(rebar->Band(0)->width(), rebar->Band(0)->sizeHint().width());
    EXPECT_EQ(rebar->Band(2)->geometry().right(), rebar->width() - 1 - CFlatReBar::kFrame);
    EXPECT_EQ(rebar->height(), rowHeight + 2 * CFlatReBar::kFrame);

    // Narrow: the bands wrap and the rebar grows to hold the rows.
    const int narrow = rebar->Band(0)->sizeHint().width() + rebar->Band(1)->sizeHint().width() / 2 + 10;
    window.resize(narrow, 120);
    QCoreApplication::processEvents();
    EXPECT_GT(rebar->Band(1)->y(), rebar->Band(0)->y());
    EXPECT_EQ(rebar->height(), rebar->heightForWidth(narrow));
    EXPECT_GE(rebar->height(), 2 * rowHeight + 2 * CFlatReBar::kFrame);
    const QImage rows = window.grab().toImage();

    QImage sheet(wide.width() + 20, wide.height() + rows.height() + 30, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(10, 10, wide);
    p.drawImage(10, 20 + wide.height(), rows);
    p.end();
    SaveRender(sheet, "rebar_rows");
}

TEST(WindowBars, StatusLinkAndReBarRender)
{
    UseMenuLookStyle();
    CCommandRouter router;
    CCommandTable table(router);
    QMainWindow window;
    auto *status = new CItemsStatusBar;
    window.setStatusBar(status);
    status->showMessage("Shows the items of one day");
    status->SetItemCount(12, 3);
    EXPECT_EQ(status->CountPane()->text(), "12 (3) items");
    status->SetItemCount(-1);
    EXPECT_EQ(status->CountPane()->text(), "");
    status->SetItemCount(12);

    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    auto *rebar = new CFlatReBar;
    table.Add(32771, "&New", "New\nNew");
    table.Add(57607, "&Print", "Print\nPrint");
    auto *toolbar = new CToolBarEx(table);
    toolbar->LoadToolBar({32771, 0, 57607});
    QImage strip(32, 16, QImage::Format_ARGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter sp(&strip);
    sp.drawPixmap(0, 0, MakeCommandImage(QColor(40, 120, 200), 'N'));
    sp.drawPixmap(16, 0, MakeCommandImage(QColor(200, 140, 30), 'P'));
    sp.end();
    strip.setPixel(0, 0, qRgb(255, 0, 255));
    toolbar->SetImageBitmap(strip, QSize(16, 16));
    rebar->AddBand(toolbar);
    EXPECT_EQ(rebar->BandCount(), 1);
    column->addWidget(rebar);
    column->addStretch();
    auto *links = new CLinkBar(&router);
    column->addWidget(links);
    window.setCentralWidget(central);
    window.resize(480, 140);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(window.geometry().bottomRight() + QPoint(40, 40));
    status->showMessage("Shows the items of one day");

    QSignalSpy clicked(links, &CLinkBar::linkActivated);
    QTest::mouseClick(links->Link(CLinkBar::kCmdSendComment), Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), CLinkBar::kCmdSendComment);
    EXPECT_EQ(links->Link(CLinkBar::kCmdWebAddress)->geometry().right(), links->width() - 7);
    SaveRender(window.grab().toImage(), "status_link_rebar");
}

} // namespace

namespace {

class CountingTarget : public ICommandTarget
{
  public:
    bool OnCommand(int) override { return ++runs, true; }
    bool OnUpdateCommand(int, CCmdUI &) override { return true; }
    int runs = 0;
};

TEST(FrameWndEx, TitleMenuBarAndAccelerators)
{
    UseMenuLookStyle();
    CCommandRouter router;
    CCommandTable table(router);
    table.Add(32805, "Go to &Today", "Today\nToday", QKeySequence(Qt::Key_F5));
    CFrameWndEx frame(table);
    CountingTarget target;
    router.RegisterTarget(&frame, &target);
    frame.LoadFrame("Tessivo\n\nTessivo", {32805});
    EXPECT_EQ(frame.windowTitle(), "Tessivo");
    EXPECT_EQ(frame.menuBar(), frame.MenuBar());
    frame.MenuBar()->AddMenu("&File");
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F5);
    EXPECT_EQ(target.runs, 1);
}

TEST(FrameWndEx, FloatingMenuBarWrapsIntoRows)
{
    UseMenuLookStyle();
    CCommandRouter router;
    CCommandTable table(router);
    table.Add(32805, "Go to &Today", "Today\nToday", QKeySequence(Qt::Key_F5));
    CFrameWndEx frame(table);
    frame.LoadFrame("Tessivo\n\nTessivo", {32805});
    CMenuBarEx *bar = frame.MenuBar();
    for (const char *title : {"&File", "&Edit", "&View", "&Go", "&Actions", "&Tools", "&Help"})
        bar->AddMenu(title)->AddCommand(32805);
    frame.setCentralWidget(new QWidget);
    frame.resize(420, 200);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const int docked = bar->height();

    frame.FloatMenuBar(frame.geometry().topLeft() + QPoint(40, 60));
    CMiniDockFrameWndEx *floating = frame.MenuBarFrame();
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(floating->Bar(), bar);
    EXPECT_TRUE(bar->IsFloating());
    // The floating frame offers no close, and refuses to close.
    EXPECT_FALSE(floating->windowFlags() & Qt::WindowCloseButtonHint);
    floating->close();
    EXPECT_TRUE(floating->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(floating));

    // Wide enough, one row; narrower, rows, and the frame grows to hold them.
    auto rows = [&] {
        std::set<int> tops;
        for (int i = 0; i < bar->actions().size(); ++i)
            tops.insert(bar->ItemRect(i).top());
        return int(tops.size());
    };
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(floating->height(), bar->ItemRect(0).height());
    const QImage wide = floating->grab().toImage();
    floating->FitWidth(floating->width() / 2);
    QCoreApplication::processEvents();
    EXPECT_GE(rows(), 2);
    EXPECT_EQ(floating->height(), bar->heightForWidth(floating->width()));
    for (int i = 0; i < bar->actions().size(); ++i) {
        EXPECT_LE(bar->ItemRect(i).right(), bar->width()) << i;
        EXPECT_FALSE(bar->ItemRect(i).isEmpty()) << i;
    }
    const QImage wrapped = floating->grab().toImage();
    floating->FitWidth(10);
    QCoreApplication::processEvents();
    EXPECT_EQ(rows(), int(bar->actions().size())); // the narrowest: one item a row
    EXPECT_EQ(floating->width(), bar->minimumSizeHint().width());
    for (int i = 0; i < bar->actions().size(); ++i)
        EXPECT_LE(bar->ItemRect(i).right(), bar->width()) << i;
    const QImage narrowest = floating->grab().toImage();

    // A click on an item of the second row opens that item's menu against it.
    floating->FitWidth(wide.width() / 2);
    QCoreApplication::processEvents();
    const int last = int(bar->actions().size()) - 1;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->ItemRect(last).center());
    QMenu *open = bar->OpenPopup();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open, bar->actions()[last]->menu());
    EXPECT_EQ(open->pos().y(), bar->ItemScreenRect(last).bottom());
    open->close();
    QTest::qWait(5);

    QImage sheet(std::max(wide.width(), narrowest.width()) + 20,
                 wide.height() + wrapped.height() + narrowest.height() + 40, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(10, 10, wide);
    p.drawImage(10, 20 + wide.height(), wrapped);
    p.drawImage(10, 30 + wide.height() + wrapped.height(), narrowest);
    p.end();
    SaveRender(sheet, "menu_bar_floating");

    // Docked again, the bar is the frame's menu bar in one row.
    frame.DockMenuBar();
    EXPECT_EQ(frame.MenuBarFrame(), nullptr);
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_EQ(frame.menuBar(), bar);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->height(), docked);
}

} // namespace
