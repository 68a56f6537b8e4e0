// The list view without a window: copy as text, keyboard and mouse selection, scrolling, the
// header's sorting and resizing, tooltips and entry removal.
#include "views/list/ItemListCtrl.h"
#include "views/list/ListFixture.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace listfixture;

namespace {

constexpr std::uint32_t kSel = CDisplayItem::StateFocus | CDisplayItem::StateSelected;

class TestList : public CItemListCtrl
{
  public:
    std::vector<int> defaults = {0, 4, 20, 1, 6};
    int defaultSort = 4;

    void GetDefaultColumns(bool, int &sortId, std::vector<int> &ids) const override
    {
        sortId = defaultSort;
        ids = defaults;
    }
};

class ItemListTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        view.SetSectionIndex(39);
        view.SetHost(&host);
        view.SetContainer(&container);
        view.LoadFonts(true);
        view.LoadViewOptions();
    }

    // Entries "A".."?" with locations "L1".., one hour apart.
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto e =
                EventEntry(std::uint32_t(i + 1), QString(QChar('A' + i)), CDateTime(2024, 5, 1, 8 + i % 12));
            e->SetLocation(QStringLiteral("L%1").arg(i + 1));
            view.AddEntry(std::move(e));
        }
        view.Refresh(true);
    }

    QPoint RowPoint(int row, int x = 30) const
    {
        return {x, view.GetHeaderHeight() + (row - view.GetFirstVisibleRow()) * view.GetRowHeight() + 2};
    }
    QPoint HeaderPoint(int visual) const { return view.GetHeaderItemRect(visual).center(); }
    std::uint32_t State(int row) const { return view.GetEntry(row)->GetState() & kSel; }
    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int i = 0; i < view.GetEntryCount(); ++i) {
            if (view.GetEntry(i)->HasState(CDisplayItem::StateSelected))
                rows.push_back(i);
        }
        return rows;
    }
    void Click(const QPoint &p, int mods = 0)
    {
        view.OnLeftDown(p, mods);
        view.OnLeftButtonUp(p);
    }

    TempProfile profile;
    FakeHost host;
    FakeContainer container;
    TestList view;
};

} // namespace

TEST_F(ItemListTest, CopyAsTextGivesTextColumnsInDisplayOrder)
{
    Fill(3);
    EXPECT_TRUE(view.RenderSelectionText().isEmpty());
    view.GetEntry(0)->SetState(kSel);
    view.GetEntry(2)->SetState(kSel);
    const QByteArray text = view.RenderSelectionText();
    QByteArray expected("Subject\tLocation\tItem Type\t\r\n"
                        "A\tL1\tAppointment\t\r\n"
                        "C\tL3\tAppointment\t\r\n");
    expected.append('\0');
    EXPECT_EQ(text, expected);

    // With a text column first in the header it is still copied.
    view.MoveColumn(view.Columns().VisualIndexOf(20), 0);
    view.MoveColumn(view.Columns().VisualIndexOf(0), 4);
    EXPECT_EQ(view.Columns().IdAt(0), 20);
    EXPECT_TRUE(
        view.RenderSelectionText().startsWith("Location\tSubject\tItem Type\t\r\nL1\tA\tAppointment\t\r\n"));
}

TEST_F(ItemListTest, KeysMoveTheFocusAndTheSelectionFollows)
{
    Fill(30);
    view.SetFocusedEntry(0);
    view.SetAnchorRow(0);
    struct Step
    {
        int key;
        int mods;
        int focus;
        std::vector<int> selected;
    };
    const int page = view.RowsPerPage();
    const std::vector<Step> steps = {
        {Qt::Key_Down, 0, 1, {1}},
        {Qt::Key_Down, kModShift, 2, {1, 2}},
        {Qt::Key_Down, kModCtrl, 3, {1, 2}}, // Ctrl alone moves the focus only
        {Qt::Key_Up, kModShift, 2, {2, 3}},  // Shift selects from the anchor, which moved with Ctrl
        {Qt::Key_Up, 0, 1, {1}},
        {Qt::Key_Up, 0, 0, {0}},
        {Qt::Key_Up, 0, 0, {0}}, // stays at the top
        {Qt::Key_PageDown, 0, page, {page}},
        {Qt::Key_End, 0, 29, {29}},
        {Qt::Key_Down, 0, 29, {29}},
        {Qt::Key_Home, kModShift, 0, {}}, // filled in below: the whole range
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step &s = steps[i];
        view.OnKeyDown(s.key, s.mods);
        EXPECT_EQ(view.GetFocusedEntry(), s.focus) << "step " << i;
        if (!s.selected.empty()) {
            EXPECT_EQ(SelectedRows(), s.selected) << "step " << i;
        }
    }
    EXPECT_EQ(SelectedRows().size(), 30u);
    EXPECT_EQ(view.GetFirstVisibleRow(), 0);
    // The container hears of every change.
    EXPECT_GE(
        std::count(container.notifications.begin(), container.notifications.end(), kNotifySelectionChanged),
        10);
}

TEST_F(ItemListTest, CtrlSpaceTogglesTheFocusedRow)
{
    Fill(3);
    view.SetFocusedEntry(1);
    view.OnKeyDown(Qt::Key_Space, kModCtrl);
    EXPECT_EQ(State(1), kSel);
    view.OnKeyDown(Qt::Key_Space, kModCtrl);
    EXPECT_EQ(State(1), 0u);
    view.OnKeyDown(Qt::Key_Space, kModCtrl | kModShift); // not the toggle
    EXPECT_EQ(State(1), 0u);
}

TEST_F(ItemListTest, VerticalScrollingClampsAndPagesToTheEnd)
{
    Fill(2);
    // Fewer rows than a page: nothing to scroll.
    EXPECT_FALSE(view.ScrollVertically(CItemListCtrl::Scroll::LineDown));
    EXPECT_FALSE(view.ScrollVertically(CItemListCtrl::Scroll::Bottom));
    EXPECT_EQ(view.GetFirstVisibleRow(), 0);

    view.RemoveAllEntries();
    const int page = view.RowsPerPage();
    Fill(std::min(26, 3 * page - 1));
    const int count = view.GetEntryCount();
    ASSERT_GT(count, 2 * page);
    EXPECT_TRUE(view.ScrollVertically(CItemListCtrl::Scroll::PageDown));
    EXPECT_EQ(view.GetFirstVisibleRow(), page);
    // Fewer than two pages left: the last row goes to the bottom.
    EXPECT_TRUE(view.ScrollVertically(CItemListCtrl::Scroll::PageDown));
    EXPECT_EQ(view.GetFirstVisibleRow(), count - page);
    EXPECT_FALSE(view.ScrollVertically(CItemListCtrl::Scroll::LineDown));
    view.ScrollVertically(CItemListCtrl::Scroll::Track, -5);
    EXPECT_EQ(view.GetFirstVisibleRow(), 0);
    // Rows follow the scroll position.
    view.ScrollVertically(CItemListCtrl::Scroll::LineDown);
    EXPECT_EQ(view.EntryFromPoint(RowPoint(1)), 1);
    EXPECT_EQ(view.GetEntryRect(1).top(), view.GetHeaderHeight());
}

TEST_F(ItemListTest, MouseSelectsTogglesAndExtends)
{
    Fill(6);
    Click(RowPoint(1));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1}));
    Click(RowPoint(3), kModCtrl);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 3}));
    Click(RowPoint(1), kModCtrl); // a selected row is deselected at button up
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3}));
    Click(RowPoint(5), kModShift); // from the anchor, row 1
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2, 3, 4, 5}));
    Click(RowPoint(4)); // a plain click on a selected row makes it the only one
    EXPECT_EQ(SelectedRows(), (std::vector<int>{4}));
    EXPECT_EQ(view.GetFocusedEntry(), 4);

    // Right button on an unselected row selects it alone.
    view.OnRightDown(RowPoint(2));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2}));

    // Double-clicks: a row opens, empty space asks for a new item, or beeps when read-only.
    view.OnDoubleClick(RowPoint(2));
    view.OnDoubleClick(RowPoint(20));
    EXPECT_EQ(container.commands, (std::vector<int>{kCmdOpenItem, kCmdNewItem}));
    container.readOnly = true;
    view.OnDoubleClick(RowPoint(20));
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(ItemListTest, ClickOnTheCompleteCellTogglesTheTask)
{
    view.defaults = {4, 33};
    view.LoadDefaultLayout();
    view.AddEntry(TaskEntry(7, "report"));
    view.AddEntry(EventEntry(8, "meeting", CDateTime(2024, 5, 1, 9)));
    container.doc.tasks[7] = StoredTask(7, "report");
    view.Refresh(false);
    const int x = view.GetHeaderItemRect(1).center().x();
    Click(RowPoint(0, x));
    EXPECT_EQ(container.doc.toggled, (std::vector<std::uint32_t>{7}));
    Click(RowPoint(0, 30)); // the subject cell does nothing
    Click(RowPoint(1, x));  // nor does an event's
    EXPECT_EQ(container.doc.toggled.size(), 1u);
    container.doc.toggleResult = QV_E_REFUSED;
    Click(RowPoint(0, x));
    EXPECT_EQ(host.errors, (std::vector<HRESULT>{QV_E_REFUSED}));
}

TEST_F(ItemListTest, HeaderClicksSortAndKeepTheFocusedItem)
{
    Fill(4);
    view.SetFocusedEntry(0); // "A"
    const int subject = view.Columns().VisualIndexOf(4);
    Click(HeaderPoint(subject)); // sorted by subject already: descending
    EXPECT_FALSE(view.Columns().Ascending());
    EXPECT_EQ(view.GetEntry(0)->GetSubject(), "D");
    EXPECT_EQ(view.GetEntry(view.GetFocusedEntry())->GetSubject(), "A");
    Click(HeaderPoint(subject)); // twice returns to ascending
    EXPECT_TRUE(view.Columns().Ascending());
    EXPECT_EQ(view.GetEntry(0)->GetSubject(), "A");

    Click(HeaderPoint(view.Columns().VisualIndexOf(20)));
    Click(HeaderPoint(view.Columns().VisualIndexOf(20)));
    Click(HeaderPoint(view.Columns().VisualIndexOf(6))); // another column starts ascending
    EXPECT_EQ(view.Columns().SortId(), 6);
    EXPECT_TRUE(view.Columns().Ascending());

    // The commands act on the column under the last header right-click.
    view.OnRightDown(HeaderPoint(view.Columns().VisualIndexOf(20)));
    EXPECT_TRUE(view.OnCommand(kCmdSortDescending));
    EXPECT_EQ(view.Columns().SortId(), 20);
    EXPECT_TRUE(view.IsCommandChecked(kCmdSortDescending));
    EXPECT_FALSE(view.IsCommandChecked(kCmdSortAscending));
    EXPECT_EQ(view.GetEntry(0)->GetLocation(), "L4");
}

TEST_F(ItemListTest, DividersResizeButNeverBelowNinePixels)
{
    Fill(2);
    const int subject = view.Columns().VisualIndexOf(4);
    const QRect r = view.GetHeaderItemRect(subject);
    const QPoint divider(r.right() + 1, r.center().y());
    ASSERT_EQ(view.DividerAt(divider), subject);
    view.OnLeftDown(divider, 0);
    view.OnMouseMove(QPoint(r.left() + 100, 5));
    EXPECT_EQ(view.Columns().At(subject).width, 100);
    view.OnMouseMove(QPoint(r.left() - 50, 5));
    EXPECT_EQ(view.Columns().At(subject).width, 9);
    view.OnLeftButtonUp(QPoint(r.left() - 50, 5));
    EXPECT_EQ(view.Columns().SortId(), 4); // a divider drag is no sort click
    EXPECT_EQ(view.GetEntryRect(0).width(), view.Columns().TotalWidth());

    // A double-click on it sizes the column to its widest text.
    view.OnDoubleClick(QPoint(view.GetHeaderItemRect(subject).right() + 1, 5));
    const int headerText = QFontMetrics(view.GetItemFont()).horizontalAdvance("Subject");
    EXPECT_EQ(view.Columns().At(subject).width, headerText + 10 + 5);
}

TEST_F(ItemListTest, HidingColumnsKeepsAtLeastOne)
{
    view.defaults = {4, 20};
    view.LoadDefaultLayout();
    view.OnRightDown(HeaderPoint(0));
    view.OnCommand(kCmdHideColumn); // the sort column: the mark goes, the direction stays
    EXPECT_EQ(view.Columns().Count(), 1);
    EXPECT_EQ(view.Columns().SortId(), -1);
    bool ascending = false;
    EXPECT_EQ(view.GetSortColumnId(ascending), 16);
    view.OnRightDown(HeaderPoint(0));
    view.OnCommand(kCmdHideColumn);
    EXPECT_EQ(view.Columns().Count(), 1);
    EXPECT_EQ(host.infos, (std::vector<QString>{"At least one column must be shown in a view."}));
}

TEST_F(ItemListTest, FieldChooserCommandAppliesTheNewLayout)
{
    std::vector<int> offered, defaults;
    view.SetFieldChooser([&](std::vector<std::uint32_t> &values, const std::vector<int> &available,
                             const std::vector<int> &defaultIds) {
        offered = available;
        defaults = defaultIds;
        EXPECT_EQ(values.size(), 5u);
        values = {(100u << 16) | 20, (200u << 16) | 4};
        return true;
    });
    view.OnCommand(kCmdFieldChooser);
    EXPECT_EQ(defaults, view.defaults);
    EXPECT_EQ(view.Columns().Count(), 2);
    EXPECT_EQ(view.Columns().IdAt(0), 20);
    EXPECT_EQ(view.Columns().SortId(), 4); // the sort column stays with its id
}

TEST_F(ItemListTest, TooltipsOnlyForCutTextsAndWithTheWholeText)
{
    Fill(1);
    const QString longText(300, QChar('w'));
    view.GetEntry(0)->SetSubject(longText);
    const int subject = view.Columns().VisualIndexOf(4);
    QRect tool;
    const int id = view.ToolHitTest(RowPoint(0, view.GetHeaderItemRect(subject).left() + 5), tool);
    ASSERT_NE(id, 0);
    EXPECT_EQ(id, ((0 << 10) | subject) + 1);
    EXPECT_EQ(view.ToolTipText(id), longText);
    EXPECT_EQ(tool.width(), view.Columns().At(subject).width - 1);

    const int location = view.Columns().VisualIndexOf(20);
    const int fits = view.ToolHitTest(RowPoint(0, view.GetHeaderItemRect(location).left() + 5), tool);
    ASSERT_NE(fits, 0);
    EXPECT_TRUE(view.ToolTipText(fits).isEmpty());
    // Icon cells and the cell's last pixel column give no tool.
    EXPECT_EQ(view.ToolHitTest(RowPoint(0, 5), tool), 0);
    EXPECT_EQ(view.ToolHitTest(RowPoint(0, view.GetHeaderItemRect(subject).right()), tool), 0);
}

TEST_F(ItemListTest, RemovingEntriesMovesFocusAndAnchor)
{
    Fill(6);
    view.SetFocusedEntry(4);
    view.SetAnchorRow(2);
    view.RemoveEntryAt(0);
    EXPECT_EQ(view.GetFocusedEntry(), 3);
    EXPECT_EQ(view.GetAnchorRow(), 1);
    view.RemoveEntryAt(4); // after both
    EXPECT_EQ(view.GetFocusedEntry(), 3);
    view.RemoveEntriesOfRecord(5); // the focused last row: the focus stays within the rest
    EXPECT_EQ(view.GetFocusedEntry(), 2);
    view.ScrollVertically(CItemListCtrl::Scroll::Bottom);
    view.RemoveAllEntries();
    EXPECT_EQ(view.GetFocusedEntry(), -1);
    EXPECT_EQ(view.GetFirstVisibleRow(), 0);
}

TEST_F(ItemListTest, LayoutIsSavedInTheViewsSection)
{
    view.defaults = {4, 20, 16};
    view.LoadDefaultLayout();
    view.SortByColumn(1, CItemListCtrl::SortRequest::Descending);
    // Reloading the options keeps the columns as they are.
    view.LoadViewOptions();
    EXPECT_EQ(view.Columns().Count(), 3);
    EXPECT_FALSE(view.Columns().Ascending());
    ASSERT_TRUE(view.SaveLayout());
    TestList again; // its own defaults differ; the stored layout wins
    again.SetSectionIndex(39);
    again.LoadViewOptions();
    EXPECT_EQ(again.Columns().FieldValues(), view.Columns().FieldValues());
    EXPECT_EQ(again.Columns().SortId(), 20);
    EXPECT_FALSE(again.Columns().Ascending());
}

TEST_F(ItemListTest, RowColoursFollowTheOptions)
{
    WriteProfileInt("Tasks", "TCO", 0x0000AA);
    WriteProfileInt("Tasks", "TCC", 0x00BB00);
    WriteProfileInt("List", "C", 0);
    view.LoadViewOptions();
    const CMenuLook::Colors &colors = CMenuLook::Instance().GetColors();

    auto done = TaskEntry(1, "done");
    done->SetFlag(CDisplayItem::FlagCompleted, true);
    auto late = TaskEntry(2, "late");
    late->SetFlag(CDisplayItem::FlagOverdue, true);
    auto open = TaskEntry(3, "open");
    auto meeting = EventEntry(4, "meeting", CDateTime(2024, 5, 1, 9));
    EXPECT_EQ(view.GetRowColors(*done, false).text, 0x00BB00u);
    EXPECT_EQ(view.GetRowColors(*late, false).text, 0x0000AAu);
    EXPECT_EQ(view.GetRowColors(*open, false).text, colors.itemText);
    EXPECT_EQ(view.GetRowColors(*meeting, false).back, view.m_backgroundColour);

    // Solid selection: the focused selection in the highlight colours, an inactive one shaded.
    meeting->SetState(kSel);
    EXPECT_EQ(view.GetRowColors(*meeting, true).back, colors.highlight);
    meeting->SetState(CDisplayItem::StateSelected);
    EXPECT_EQ(view.GetRowColors(*meeting, true).back, colors.windowShade);

    // Colouring by item type takes the type's colours and gradient.
    WriteProfileInt("List", "C", 1);
    view.LoadViewOptions();
    view.SetTypeColorSource([](int, COLORREF &text, COLORREF &back, ColorPair &gradient) {
        text = 0x010203;
        back = 0x040506;
        gradient = {0x111111, 0x222222};
        return true;
    });
    const CItemListCtrl::RowColors typed = view.GetRowColors(*late, false);
    EXPECT_EQ(typed.text, 0x010203u);
    EXPECT_EQ(typed.back, 0x040506u);
    EXPECT_TRUE(typed.useGradient);
    EXPECT_EQ(typed.gradient, (ColorPair{0x111111, 0x222222}));
}
