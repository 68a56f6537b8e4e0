// The in-place edit's reported keys, the sort header's column rules and painting, and the tip
// list box's selection rules, driven with synthetic keys and mouse.
#include "toolkit/controls/InPlaceEdit.h"
#include "toolkit/controls/SortHeaderCtrl.h"
#include "toolkit/controls/TipListBox.h"

#include "ControlInput.h"
#include "RenderGallery.h"
#include "common/PaintProbe.h"
#include "common/TempProfile.h"
#include "core/items/DisplayItem.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

using namespace controlinput;

TEST(InPlaceEdit, ReportsTabEnterEscapeAndKeepsThemOut)
{
    QWidget parent;
    parent.resize(200, 100);
    CInPlaceEdit edit;
    ASSERT_TRUE(edit.CreateEditWindow(false, &parent, 804, parent.font()));
    QWidget *window = edit.Window();
    ASSERT_TRUE(qobject_cast<QLineEdit *>(window));
    EXPECT_TRUE(window->isHidden());
    EXPECT_EQ(edit.ControlId(), 804);

    std::vector<int> keys;
    int focusLost = 0;
    QObject::connect(&edit, &CInPlaceEdit::keyNotify, [&keys](int key, unsigned) { keys.push_back(key); });
    QObject::connect(&edit, &CInPlaceEdit::focusLost, [&focusLost] { ++focusLost; });
    Type(window, QStringLiteral("Lunch"));
    Key(window, Qt::Key_Escape);
    Key(window, Qt::Key_Tab, QStringLiteral("\t"));
    Key(window, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(keys, (std::vector<int>{27, 9, 13}));
    EXPECT_EQ(edit.Text(), "Lunch");
    FocusOut(window);
    EXPECT_EQ(focusLost, 1);

    // The same kind again keeps the window; the other kind replaces it.
    EXPECT_TRUE(edit.CreateEditWindow(false, &parent, 804, parent.font()));
    EXPECT_EQ(edit.Window(), window);
    ASSERT_TRUE(edit.CreateEditWindow(true, &parent, 804, parent.font()));
    auto *multi = qobject_cast<QPlainTextEdit *>(edit.Window());
    ASSERT_TRUE(multi);
    Type(multi, QStringLiteral("Two"));
    Key(multi, Qt::Key_Return, QStringLiteral("\r"));
    Key(multi, Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_EQ(edit.Text(), "Two");
    EXPECT_EQ(keys.size(), 5u);
}

namespace {
// A header over a model of four columns: an image column, then three text columns.
struct HeaderFixture
{
    QStandardItemModel model{3, 4};
    CSortHeaderCtrl header;
    HeaderFixture()
    {
        model.setHorizontalHeaderLabels(
            {QString(), QStringLiteral("Subject"), QStringLiteral("Start"), QStringLiteral("Location")});
        header.setModel(&model);
        header.resize(400, 22);
        header.resizeSection(0, 24);
        header.resizeSection(1, 150);
        header.resizeSection(2, 100);
        header.resizeSection(3, 126);
        header.SetColumnData(0, 1u << 16 | 7, true); // image 1, column code 7
        header.SetColumnData(1, 4, false);
        header.SetColumnData(2, 2, false);
        header.SetColumnData(3, 5, false);
    }
};
} // namespace

TEST(SortHeaderCtrl, SortColumnIsBounded)
{
    HeaderFixture f;
    bool ascending = false;
    EXPECT_EQ(f.header.GetSortColumn(&ascending), -1);
    f.header.SetSortColumn(2, true);
    EXPECT_EQ(f.header.GetSortColumn(&ascending), 2);
    EXPECT_TRUE(ascending);
    f.header.SetSortColumn(9, false); // past the last column
    EXPECT_EQ(f.header.GetSortColumn(&ascending), 0);
    EXPECT_FALSE(ascending);
    f.header.SetSortColumn(-1, true);
    EXPECT_EQ(f.header.GetSortColumn(), -1);
    // Column data past any real header is refused rather than allocated.
    f.header.SetColumnData(1 << 30, 3, true);
    EXPECT_EQ(f.header.ColumnData(1 << 30), 0u);
    EXPECT_FALSE(f.header.IsImageColumn(-2));
}

TEST(SortHeaderCtrl, ColumnDataByPosition)
{
    HeaderFixture f;
    const struct
    {
        int x;
        int code;
    } cases[] = {{0, -1},  {1, 7},   {24, 7},  {25, 4},  {174, 4},
                 {175, 2}, {274, 2}, {275, 5}, {400, 5}, {401, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(f.header.GetColumnDataAt(c.x), c.code) << c.x;
    EXPECT_EQ(f.header.sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(f.header.sectionResizeMode(1), QHeaderView::Interactive);

    // A drag on the image column's divider does not change its width.
    Press(&f.header, QPoint(24, 10));
    Move(&f.header, QPoint(60, 10));
    Release(&f.header, QPoint(60, 10));
    EXPECT_EQ(f.header.sectionSize(0), 24);
}

TEST(SortHeaderCtrl, ArrowPlacementTipAndPainting)
{
    EXPECT_EQ(CSortHeaderCtrl::SortArrowLeft(50, 100), 62);
    EXPECT_EQ(CSortHeaderCtrl::SortArrowLeft(80, 100), 92);
    EXPECT_EQ(CSortHeaderCtrl::SortArrowLeft(81, 100), -1); // fewer than 8 pixels remain
    EXPECT_EQ(CSortHeaderCtrl::SortArrowLeft(120, 100), -1);
    EXPECT_EQ(CSortHeaderCtrl::SortTipText(QStringLiteral("Subject")), "Sort by: Subject");
    EXPECT_EQ(CSortHeaderCtrl::SortTipText(QString(100, QLatin1Char('a'))).size(), 9 + 80);
    for (bool ascending : {true, false}) {
        for (const auto &l : CSortHeaderCtrl::SortArrowLines(10, 20, ascending)) {
            EXPECT_GE(std::min(l.line.x1(), l.line.x2()), 9);
            EXPECT_LE(std::max(l.line.x1(), l.line.x2()), 18);
            EXPECT_GE(std::min(l.line.y1(), l.line.y2()), 20);
            EXPECT_LE(std::max(l.line.y1(), l.line.y2()), 27);
        }
    }

    HeaderFixture f;
    const QRgb highlight = ToQColor(CMenuLook::Instance().GetColors().buttonHighlight).rgb();
    const QRgb shadow = ToQColor(CMenuLook::Instance().GetColors().buttonShadow).rgb();
    auto arrowPixels = [&](int left, int right) {
        const QImage image = f.header.grab().toImage().copy(QRect(left + 3, 3, right - left - 6, 16));
        return CountPixels(image, shadow) + CountPixels(image, highlight);
    };
    const int none = arrowPixels(175, 275);
    f.header.SetSortColumn(2, true);
    EXPECT_GT(arrowPixels(175, 275), none + 8);
    // An image column never shows an arrow.
    const int imageNone = arrowPixels(0, 24);
    f.header.SetSortColumn(0, true);
    EXPECT_EQ(arrowPixels(0, 24), imageNone);
    EXPECT_EQ(arrowPixels(175, 275), none);
}

namespace {
std::unique_ptr<CDisplayItem> Entry(std::uint32_t id, const char *subject, int kind = 1)
{
    auto item = std::make_unique<CDisplayItem>();
    item->SetItemRef(id);
    item->SetKind(kind);
    item->SetSubject(QString::fromUtf8(subject));
    item->SetOccurrenceDate(CDateTime(2025, 3, 4));
    item->SetStart(CDateTime(2025, 3, 4, 9, 0, 0));
    item->SetEnd(CDateTime(2025, 3, 4, 10, 0, 0));
    return item;
}

struct ListFixture
{
    std::vector<std::unique_ptr<CDisplayItem>> items;
    CTipListBox list;
    int changes = 0;
    ListFixture()
    {
        const char *subjects[] = {"Dentist", "Lunch with Ann", "Budget review", "Call the bank", "Gym"};
        for (int i = 0; i < 5; ++i) {
            items.push_back(Entry(std::uint32_t(100 + i), subjects[i]));
            list.AddEntry(items.back()->GetSubject(), items.back().get());
        }
        list.resize(200, 120);
        QObject::connect(&list, &CTipListBox::selChange, [this] { ++changes; });
    }
    QPoint RowPoint(int row) const { return list.visualItemRect(list.item(row)).center(); }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->isSelected())
                rows.push_back(i);
        return rows;
    }
};
} // namespace

TEST(TipListBox, RightPressRule)
{
    using R = CTipListBox::RightPress;
    EXPECT_EQ(CTipListBox::RightPressAction(-1, false), R::ClearAll);
    EXPECT_EQ(CTipListBox::RightPressAction(2, true), R::MoveCaret);
    EXPECT_EQ(CTipListBox::RightPressAction(2, false), R::SelectOnly);

    ListFixture f;
    f.list.SelectAll();
    EXPECT_EQ(f.changes, 1);
    f.list.item(4)->setSelected(false);
    f.list.item(3)->setSelected(false);
    f.changes = 0;
    ASSERT_EQ(f.Selected(), (std::vector<int>{0, 1, 2}));

    Press(f.list.viewport(), f.RowPoint(1), Qt::RightButton); // a selected entry: caret only
    EXPECT_EQ(f.Selected(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.list.currentRow(), 1);
    EXPECT_EQ(f.changes, 0);

    Press(f.list.viewport(), f.RowPoint(3), Qt::RightButton); // an unselected one: it alone
    EXPECT_EQ(f.Selected(), (std::vector<int>{3}));
    EXPECT_EQ(f.list.currentRow(), 3);
    EXPECT_EQ(f.changes, 1);

    Press(f.list.viewport(), QPoint(100, 115), Qt::RightButton); // below every entry
    EXPECT_TRUE(f.Selected().empty());
    EXPECT_EQ(f.changes, 2);
}

TEST(TipListBox, SelectionOperations)
{
    ListFixture f;
    EXPECT_EQ(f.list.GetCurrentSelection(true), -1);
    f.list.item(1)->setSelected(true);
    f.list.item(3)->setSelected(true);
    f.list.setCurrentRow(3, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(f.list.GetCurrentSelection(true), 3);
    EXPECT_EQ(f.list.GetCurrentSelection(false), 1);
    f.list.setCurrentRow(2, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(f.list.GetCurrentSelection(true), 1); // the caret entry is not selected

    f.changes = 0;
    EXPECT_EQ(f.list.SelectItemByKey(102, CDateTime(2025, 3, 4), 1), 5);
    EXPECT_EQ(f.Selected(), (std::vector<int>{2}));
    EXPECT_EQ(f.list.currentRow(), 2);
    EXPECT_EQ(f.changes, 1);
    f.list.SelectItemByKey(102, CDateTime(2025, 3, 5), 1); // another occurrence: no match
    f.list.SelectItemByKey(102, CDateTime(2025, 3, 4), 2); // a task of that id: no match
    EXPECT_EQ(f.Selected(), (std::vector<int>{2}));
    EXPECT_EQ(f.changes, 1);

    f.list.DeselectAll();
    EXPECT_TRUE(f.Selected().empty());
    EXPECT_EQ(f.changes, 2);

    // A left drag does not extend the selection.
    Press(f.list.viewport(), f.RowPoint(0));
    Move(f.list.viewport(), f.RowPoint(3));
    Release(f.list.viewport(), f.RowPoint(3));
    EXPECT_EQ(f.Selected(), (std::vector<int>{0}));

    EXPECT_TRUE(f.list.TipText(1, false).contains(QStringLiteral("Lunch with Ann")));
    EXPECT_EQ(f.list.TipText(9, false), QString());
}

TEST(TipListBox, TipsShowTheCaptionDetailedWithTheNotesSetting)
{
    TempProfile profile;
    ListFixture f;
    f.items.at(1)->SetNotes(QStringLiteral("Bring the papers"));
    std::vector<std::pair<int, QString>> tips;
    QObject::connect(&f.list, &CTipListBox::tipShown,
                     [&tips](int row, const QString &text) { tips.emplace_back(row, text); });
    auto hover = [&f](QPoint pos) {
        QHelpEvent help(QEvent::ToolTip, pos, f.list.viewport()->mapToGlobal(pos));
        QApplication::sendEvent(f.list.viewport(), &help);
    };
    hover(f.RowPoint(1));
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips.at(0).first, 1);
    EXPECT_TRUE(tips.at(0).second.contains(QStringLiteral("Lunch with Ann")));
    EXPECT_FALSE(tips.at(0).second.contains(QStringLiteral("Bring the papers")));

    WriteProfileInt(QStringLiteral("Common"), QStringLiteral("SN"), 1);
    hover(f.RowPoint(1));
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_TRUE(tips.at(1).second.contains(QStringLiteral("Bring the papers")));

    hover(QPoint(100, 115)); // below every entry: no tip
    EXPECT_EQ(tips.size(), 2u);
    QToolTip::hideText();
}

TEST(SortHeaderCtrl, TipNamesTheColumn)
{
    HeaderFixture f;
    std::vector<QString> tips;
    QObject::connect(&f.header, &CSortHeaderCtrl::sortTip,
                     [&tips](int, const QString &text) { tips.push_back(text); });
    const QPoint pos(100, 10);
    QHelpEvent help(QEvent::ToolTip, pos, f.header.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(f.header.viewport(), &help);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips.at(0), "Sort by: Subject");
    QToolTip::hideText();
}

TEST(ListControls, Render)
{
    HeaderFixture f;
    f.header.SetSortColumn(1, true);
    CSortHeaderCtrl descending;
    QStandardItemModel model2(1, 3);
    model2.setHorizontalHeaderLabels(
        {QStringLiteral("Due Date"), QStringLiteral("A very long column caption"), QString()});
    descending.setModel(&model2);
    descending.resize(300, 22);
    descending.resizeSection(0, 110);
    descending.resizeSection(1, 100);
    descending.resizeSection(2, 24);
    descending.SetColumnData(2, 3u << 16, true);
    descending.SetSortColumn(0, false);

    ListFixture l;
    l.list.item(1)->setSelected(true);
    l.list.item(2)->setSelected(true);
    QWidget parent;
    parent.resize(160, 24);
    CInPlaceEdit edit;
    edit.CreateEditWindow(false, &parent, 804, parent.font());
    edit.SetText(QStringLiteral("Lunch with Ann"));
    edit.Window()->setGeometry(2, 2, 156, 20);
    edit.Window()->show();
    EXPECT_TRUE(rendergallery::Save(rendergallery::Strip({&f.header, &descending, &l.list, &parent}),
                                    "list_controls"));
}
