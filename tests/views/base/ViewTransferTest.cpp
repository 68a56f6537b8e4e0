// Copy and paste between two views over a faked document, pasted text, new events and the wheel.
#include "views/support/ViewFakes.h"
#include "common/FakeMessagePort.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/StringTable.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferFormat.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/CalendarViewWnd.h"
#include "views/base/CustomWnd.h"
#include "views/base/WheelScroll.h"

#include <QApplication>
#include <QMimeData>
#include <QWheelEvent>
#include <cstring>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr std::uint32_t kVersion = 0x00020005;

// Seven day cells 40 pixels wide.
class DaysView : public CCalendarViewCtrl
{
  public:
    explicit DaysView(const CDateTime &first, int kind)
    {
        SetDayCount(7);
        SetFirstDate(first);
        SetViewKind(kind);
    }
    int CellFromPoint(const QPoint &p) const override
    {
        if (p.x() < 0 || p.y() < 0 || p.x() >= 7 * 40)
            return -1;
        return p.x() / 40;
    }
    bool CanScrollVertically() const override { return scrollable; }
    bool OnScroll(std::uint16_t code) override
    {
        scrolls.push_back(code);
        return true;
    }
    CDateTime CurrentTime() const override { return now; }

    bool scrollable = true;
    std::vector<std::uint16_t> scrolls;
    CDateTime now = CDateTime(2024, 4, 1, 10, 10, 0);
};

struct ViewSide
{
    ViewSide(const CDateTime &first, int kind) : view(first, kind)
    {
        host.screenOffset = QPoint();
        container.moveAnswer = false;
        view.SetHost(&host);
        view.SetContainer(&container);
    }
    FakeHost host;
    FakeContainer container;
    DaysView view;
};

CEventItem StoredEvent(const CDateTime &start, double days, const QString &subject)
{
    CEventItem e;
    e.SetStart(start);
    e.SetDuration(CDateSpan(days));
    e.SetSubject(subject);
    return e;
}

// Stores the event in the side's document and shows it, selected, as an entry.
void AddSelectedEvent(ViewSide &side, std::uint32_t id, const CEventItem &event)
{
    side.container.doc.events.emplace(id, event);
    auto entry = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment", event.GetStart(),
                                                event.GetDuration());
    entry->SetItemRef(id);
    entry->SetOccurrenceDate(event.GetStart());
    entry->SetSubject(event.GetSubject());
    entry->SetState(CDisplayItem::StateSelected);
    side.view.AddEntry(std::move(entry));
}

std::unique_ptr<QMimeData> Copy(const CCalendarViewCtrl &view)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(TransferFormatMimeType(), view.SerializeSelection());
    return data;
}

std::vector<CEventItem> SavedEvents(const FakeDocument &doc)
{
    std::vector<CEventItem> out;
    for (std::uint32_t id : doc.savedOrder)
        if (auto it = doc.events.find(id); it != doc.events.end())
            out.push_back(it->second);
    return out;
}

class ViewTransferTest : public ::testing::Test
{
  protected:
    FakeMessagePort port;
    ViewSide source{CDateTime(2024, 3, 4), 1};
    ViewSide target{CDateTime(2024, 4, 1), 4};
};

} // namespace

TEST_F(ViewTransferTest, EventsCopiedFromOneViewPasteIntoAnotherKeepingTheirSpacing)
{
    AddSelectedEvent(source, 1, StoredEvent(CDateTime(2024, 3, 4, 9, 0, 0), 1.0 / 24, "a"));
    AddSelectedEvent(source, 2, StoredEvent(CDateTime(2024, 3, 5, 9, 0, 0), 1.0 / 24, "b"));
    AddSelectedEvent(source, 3, StoredEvent(CDateTime(2024, 3, 7, 14, 0, 0), 1.0 / 24, "c"));
    target.view.SetCurrentCell(2);
    target.view.SetAnchorCell(2);

    auto data = Copy(source.view);
    ASSERT_EQ(target.view.PasteItems(*data, QPoint(-1, -1)), S_OK);

    const std::vector<CEventItem> saved = SavedEvents(target.container.doc);
    ASSERT_EQ(saved.size(), 3u);
    const CDateTime expected[] = {CDateTime(2024, 4, 3, 9, 0, 0), CDateTime(2024, 4, 4, 9, 0, 0),
                                  CDateTime(2024, 4, 6, 14, 0, 0)};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(saved[i].GetStart(), expected[i]) << i;
        EXPECT_NEAR(saved[i].GetDuration().GetTotalDays(), 1.0 / 24, 1e-9) << i;
    }
    EXPECT_EQ(saved[0].GetSubject(), "a");
    EXPECT_EQ(target.container.shown, target.container.doc.savedOrder);
    EXPECT_EQ(target.container.refreshes, 1);
    EXPECT_EQ(target.container.notifications, std::vector<int>{kNotifySelectionChanged});
    // The source document is untouched.
    EXPECT_TRUE(source.container.doc.savedOrder.empty());
}

TEST_F(ViewTransferTest, NavigatorDayPlacesThePasteWhenOnePicked)
{
    struct NavigatorFake : FakeContainer
    {
        CDateTime GetNavigatorDay() const override { return CDateTime(2024, 5, 20); }
    };
    NavigatorFake container;
    target.view.SetContainer(&container);
    AddSelectedEvent(source, 1, StoredEvent(CDateTime(2024, 3, 4, 9, 30, 0), 0.5, "a"));

    auto data = Copy(source.view);
    ASSERT_EQ(target.view.PasteItems(*data, QPoint(-1, -1)), S_OK);
    const std::vector<CEventItem> saved = SavedEvents(container.doc);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].GetStart(), CDateTime(2024, 5, 20, 9, 30, 0));
}

TEST_F(ViewTransferTest, SelectionsThatCannotTravelPasteNothing)
{
    // An item deleted after it was shown: the header, count 1 and one empty record.
    AddSelectedEvent(source, 7, StoredEvent(CDateTime(2024, 3, 4, 9, 0, 0), 0.1, "gone"));
    source.container.doc.events.clear();
    auto data = Copy(source.view);
    std::uint32_t count = 0;
    const QByteArray bytes = data->data(TransferFormatMimeType());
    ASSERT_EQ(bytes.size(), 12);
    std::memcpy(&count, bytes.constData() + 4, 4);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(target.view.PasteItems(*data, QPoint()), S_OK);
    EXPECT_TRUE(target.container.doc.savedOrder.empty());

    // Nothing selected: nothing to offer.
    DaysView empty(CDateTime(2024, 3, 4), 1);
    EXPECT_TRUE(empty.SerializeSelection().isNull());
    EXPECT_TRUE(empty.RenderSelectionText().isNull());
    EXPECT_TRUE(empty.RenderInternalFormat().isNull());
}

TEST_F(ViewTransferTest, PasteRefusesOtherVersionsDamageAndMissingFormat)
{
    AddSelectedEvent(source, 1, StoredEvent(CDateTime(2024, 3, 4, 9, 0, 0), 0.1, "a"));
    auto data = Copy(source.view);

    target.container.doc.version = 0x00020004;
    EXPECT_EQ(target.view.PasteItems(*data, QPoint()), S_OK);
    EXPECT_TRUE(target.container.doc.savedOrder.empty());
    EXPECT_TRUE(port.shown.isEmpty());
    target.container.doc.version = kVersion;

    QMimeData damaged;
    QByteArray cut = data->data(TransferFormatMimeType());
    cut.chop(9);
    damaged.setData(TransferFormatMimeType(), cut);
    EXPECT_EQ(target.view.PasteItems(damaged, QPoint()), S_FALSE);
    EXPECT_TRUE(target.container.doc.savedOrder.empty());
    ASSERT_EQ(port.shown.size(), 1);
    EXPECT_EQ(port.LastText(), LoadResString(IDS_PASTE_DAMAGED));

    QMimeData textOnly;
    textOnly.setText("x");
    EXPECT_EQ(target.view.PasteItems(textOnly, QPoint()), QV_E_REFUSED);
}

TEST_F(ViewTransferTest, StoreErrorEndsThePasteKeepingWhatWasStored)
{
    AddSelectedEvent(source, 1, StoredEvent(CDateTime(2024, 3, 4, 9, 0, 0), 0.1, "a"));
    AddSelectedEvent(source, 2, StoredEvent(CDateTime(2024, 3, 5, 9, 0, 0), 0.1, "b"));
    AddSelectedEvent(source, 3, StoredEvent(CDateTime(2024, 3, 6, 9, 0, 0), 0.1, "c"));
    target.container.doc.failAfter = 1;
    auto data = Copy(source.view);
    EXPECT_EQ(target.view.PasteItems(*data, QPoint()), QV_E_ITEM_LOAD);
    EXPECT_EQ(target.container.doc.savedOrder.size(), 1u);
    EXPECT_EQ(target.container.shown.size(), 1u);
}

TEST_F(ViewTransferTest, TaskPastedIntoCalendarViewIsDueOnTheTargetDayAndOfferedToTaskPad)
{
    CTaskItem task;
    task.SetSubject("report");
    task.SetDueDate(CDateTime(2024, 3, 6));
    source.container.doc.tasks.emplace(5, task);
    auto entry = std::make_unique<CDisplayItem>(CDisplayItem::KindTask, 0, "Task", CDateTime(2024, 3, 5),
                                                CDateSpan(1.0));
    entry->SetItemRef(5);
    entry->SetOccurrenceDate(CDateTime(2024, 3, 5));
    entry->SetState(CDisplayItem::StateSelected);
    source.view.AddEntry(std::move(entry));
    target.view.SetCurrentCell(4);
    target.view.SetAnchorCell(6);

    auto data = Copy(source.view);
    ASSERT_EQ(target.view.PasteItems(*data, QPoint()), S_OK);
    ASSERT_EQ(target.container.doc.tasks.size(), 1u);
    const CTaskItem &pasted = target.container.doc.tasks.begin()->second;
    EXPECT_EQ(pasted.GetDueDate(), CDateTime(2024, 4, 5));
    EXPECT_EQ(pasted.GetSubject(), "report");
    EXPECT_EQ(target.container.offered, 1);
    EXPECT_EQ(target.container.taskPadRefreshes, 1);
}

TEST_F(ViewTransferTest, SelectionTextAndMarker)
{
    AddSelectedEvent(source, 1, StoredEvent(CDateTime(2024, 3, 4, 9, 0, 0), 0.1, "one"));
    AddSelectedEvent(source, 2, StoredEvent(CDateTime(2024, 3, 5, 9, 0, 0), 0.1, "two"));
    EXPECT_EQ(source.view.RenderSelectionText(), QByteArray("one\r\ntwo\r\n", 11));
    std::uint32_t count = 0;
    ASSERT_TRUE(ReadMarker(source.view.RenderInternalFormat(), count));
    EXPECT_EQ(count, 2u);
}

TEST_F(ViewTransferTest, PastedTextOpensTheEditorOnANewEvent)
{
    struct Case
    {
        QString text;
        QPoint drop;
        bool readOnly;
        QString subject, notes;
        CDateTime start;
    };
    const Case cases[] = {
        // One line: the subject; dropped on cell 3 of the month view at 10:10 -> 10:30.
        {"Lunch", QPoint(130, 10), false, "Lunch", "", CDateTime(2024, 4, 4, 10, 30, 0)},
        // Several lines: the notes; no drop point, so the selected cell gives the date.
        {"a\nb", QPoint(-1, -1), true, "", "a\nb", CDateTime(2024, 4, 2, 10, 30, 0)},
    };
    for (const Case &c : cases) {
        target.container.readOnly = c.readOnly;
        target.view.SetCurrentCell(1);
        target.view.SetAnchorCell(1);
        target.view.SetNewItemSettings({"Appointment", 30, false});
        QMimeData data;
        data.setText(c.text);
        ASSERT_EQ(target.view.PasteText(data, c.drop), S_OK);
        ASSERT_TRUE(target.container.edited);
        EXPECT_EQ(target.container.edited->GetSubject(), c.subject);
        EXPECT_EQ(target.container.edited->GetNotes(), c.notes);
        EXPECT_EQ(target.container.editedReadOnly, c.readOnly);
        EXPECT_EQ(target.container.edited->GetItemTypeName(), "Appointment");
        if (c.drop.x() >= 0) {
            // A drop gives a start, which takes the default duration.
            EXPECT_EQ(target.container.edited->GetStart(), CDateTime(2024, 4, 4));
            EXPECT_EQ(target.container.edited->GetDuration().GetTotalDays(), 30.0 / 1440);
        } else {
            EXPECT_EQ(target.container.edited->GetStart(), c.start);
        }
        EXPECT_TRUE(target.container.doc.savedOrder.empty());
    }
    QMimeData items;
    items.setData(TransferFormatMimeType(), QByteArray(8, 0));
    EXPECT_EQ(target.view.PasteText(items, QPoint()), QV_E_REFUSED);
}

TEST_F(ViewTransferTest, WheelDeltasActOnceEachWholeLine)
{
    // The time grid scrolls line by line; small deltas wait until they make a line.
    DaysView &grid = source.view;
    EXPECT_FALSE(grid.OnMouseWheel(-20));
    EXPECT_TRUE(grid.scrolls.empty());
    EXPECT_TRUE(grid.OnMouseWheel(-20)); // 40 of 120 make one line
    EXPECT_EQ(grid.scrolls, std::vector<std::uint16_t>{ScrollCode::LineDown});
    grid.scrolls.clear();
    EXPECT_TRUE(grid.OnMouseWheel(120)); // a notch up: three lines
    EXPECT_EQ(grid.scrolls, std::vector<std::uint16_t>(3, ScrollCode::LineUp));
    EXPECT_EQ(source.host.updates, 2);

    grid.scrollable = false;
    EXPECT_FALSE(grid.OnMouseWheel(120));

    // The month view pages once a notch.
    EXPECT_TRUE(target.view.OnMouseWheel(-120));
    EXPECT_TRUE(target.view.OnMouseWheel(120));
    EXPECT_EQ(target.container.commands,
              (std::vector<int>{WheelCommand::NextPeriod, WheelCommand::PreviousPeriod}));
    EXPECT_FALSE(target.view.OnMouseWheel(-10));
    EXPECT_EQ(target.container.commands.size(), 2u);
}

TEST_F(ViewTransferTest, WheelEventsOfTheWindowReachTheView)
{
    CCalendarViewWnd wnd(target.view);
    auto wheel = [&](int dy) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, dy), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&wnd, &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(wheel(-30)); // under a line: waits
    EXPECT_TRUE(wheel(-10));  // 40 of 120 make a line: one "Next"
    EXPECT_FALSE(wheel(-39));
    EXPECT_EQ(target.container.commands, std::vector<int>{WheelCommand::NextPeriod});
    target.view.SetHost(&target.host);
}
