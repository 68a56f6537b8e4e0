// The preview pane: its field texts, which item it shows, and the links in its notes.
#include "common/TempProfile.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/preview/EventPreviewBar.h"
#include "containers/preview/PreviewFields.h"
#include "containers/preview/PreviewPane.h"
#include "containers/preview/TaskPreviewBar.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceException.h"
#include "core/items/TaskItem.h"
#include "editing/base/NotesEdit.h"
#include "toolkit/controls/LinkOpener.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/NotifyTarget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {
CDateTime At(int y, int m, int d, int h = 0, int min = 0) { return CDateTime(y, m, d, h, min, 0); }
CDateSpan Hours(double h) { return CDateSpan(h / 24.0); }

// A weekly series on Mondays at 9:00 for an hour, with its 10 June occurrence moved to 14:00
// and given its own subject and notes (the location is not overridden).
std::unique_ptr<CEventItem> MakeSeries()
{
    auto e = std::make_unique<CEventItem>(7);
    e->SetSubject(QStringLiteral("Team meeting"));
    e->SetLocation(QStringLiteral("Room 4"));
    e->SetNotes(QStringLiteral("Weekly round."));
    e->SetStart(At(2024, 6, 3, 9, 0));
    e->SetDuration(Hours(1));
    e->SetRecurrence(0x200 | 0x1000 | 0x04, 1, 0, At(2024, 6, 3, 9, 0), CDateTime());
    CRecurrenceException ex;
    ex.SetSubject(true, QStringLiteral("Team meeting with guests"));
    ex.SetNotes(true, QStringLiteral("Bring the plan."));
    const int i = e->InsertException(At(2024, 6, 10, 9, 0), ex);
    e->GetExceptionAt(i)->newStart = At(2024, 6, 10, 14, 0);
    e->GetExceptionAt(i)->duration = Hours(2);
    e->SetReminder(true, CDateSpan(15.0 / 1440));
    return e;
}

CItemRef Hold(std::unique_ptr<CCalendarItem> item, std::uint32_t id, const CDateTime &occurrence = CDateTime())
{
    CItemRef ref;
    ref.SetItem(std::move(item));
    ref.SetRecordId(id);
    ref.SetOccurrenceDate(occurrence);
    return ref;
}

// Records the links handed to the desktop.
struct FakeOpener
{
    FakeOpener()
    {
        CLinkOpener::SetHandler([this](const QUrl &url) {
            opened.push_back(url);
            return true;
        });
    }
    ~FakeOpener() { CLinkOpener::SetHandler({}); }
    std::vector<QUrl> opened;
};

void ClickAt(CNotesEdit *edit, int position)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(position);
    const QPoint at = edit->cursorRect(cursor).center() + QPoint(3, 0);
    QMouseEvent press(QEvent::MouseButtonPress, at, edit->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, edit->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(edit->viewport(), &press);
    QApplication::sendEvent(edit->viewport(), &release);
}
} // namespace

TEST(PreviewFields, OccurrenceTakesTheExceptionsOverridesAndTimes)
{
    auto series = MakeSeries();
    const EventPreviewFields moved = CPreviewFields::ForEvent(*series, At(2024, 6, 10, 9, 0));
    EXPECT_EQ(moved.icon, PreviewIcon::Occurrence);
    EXPECT_EQ(moved.subject, QStringLiteral("Team meeting with guests"));
    EXPECT_EQ(moved.notes, QStringLiteral("Bring the plan."));
    EXPECT_EQ(moved.location, QStringLiteral("Room 4")); // not overridden
    EXPECT_EQ(moved.start, At(2024, 6, 10, 14, 0));
    EXPECT_EQ(moved.end.ToIsoString(), At(2024, 6, 10, 16, 0).ToIsoString());
    EXPECT_EQ(moved.duration, FormatDuration(Hours(2)));
    // The exception has no reminder of its own.
    EXPECT_EQ(moved.reminder, CPreviewFields::NoneText());

    const EventPreviewFields plain = CPreviewFields::ForEvent(*series, At(2024, 6, 17, 9, 0));
    EXPECT_EQ(plain.icon, PreviewIcon::Occurrence);
    EXPECT_EQ(plain.subject, QStringLiteral("Team meeting"));
    EXPECT_EQ(plain.start, At(2024, 6, 17, 9, 0));
    EXPECT_EQ(plain.startTime, FormatTime(At(2024, 6, 17, 9, 0)));
    EXPECT_EQ(plain.reminder, FormatDuration(CDateSpan(15.0 / 1440)));

    const EventPreviewFields whole = CPreviewFields::ForEvent(*series, CDateTime());
    EXPECT_EQ(whole.icon, PreviewIcon::Series);
}

TEST(PreviewFields, AllDayRangeShowsItsLastDayAndNoTimes)
{
    CEventItem e(3);
    e.SetStart(At(2024, 5, 3));
    e.SetDuration(CDateSpan(2.0));
    const EventPreviewFields f = CPreviewFields::ForEvent(e, CDateTime());
    EXPECT_TRUE(f.allDay);
    EXPECT_EQ(f.icon, PreviewIcon::None);
    EXPECT_EQ(f.startDate, FormatWeekdayDate(At(2024, 5, 3)));
    EXPECT_EQ(f.endDate, FormatWeekdayDate(At(2024, 5, 4)));
    EXPECT_TRUE(f.startTime.isEmpty());
    EXPECT_TRUE(f.endTime.isEmpty());

    // 23 hours from midnight is not all-day.
    e.SetDuration(Hours(23));
    const EventPreviewFields g = CPreviewFields::ForEvent(e, CDateTime());
    EXPECT_FALSE(g.allDay);
    EXPECT_FALSE(g.startTime.isEmpty());
    EXPECT_EQ(g.endDate, FormatWeekdayDate(At(2024, 5, 3)));
}

TEST(PreviewFields, TaskDueTexts)
{
    CTaskItem task(4);
    EXPECT_EQ(CPreviewFields::ForTask(task).dueDate, QStringLiteral("None"));
    task.SetDueDate(At(2024, 6, 14));
    EXPECT_EQ(CPreviewFields::ForTask(task).dueDate, QStringLiteral("Due on ") + FormatShortDate(At(2024, 6, 14)));
    task.SetStartDate(At(2024, 6, 10));
    EXPECT_EQ(CPreviewFields::ForTask(task).dueDate,
              QStringLiteral("Starts on %1, due on %2").arg(FormatShortDate(At(2024, 6, 10)), FormatShortDate(At(2024, 6, 14))));
    task.SetPercentComplete(40);
    const TaskPreviewFields f = CPreviewFields::ForTask(task);
    EXPECT_EQ(f.percent, QStringLiteral("40%"));
    EXPECT_EQ(f.completed, QStringLiteral("None"));
    EXPECT_EQ(f.reminder, QStringLiteral("None"));
    task.MarkCompleted(At(2024, 6, 12));
    EXPECT_EQ(CPreviewFields::ForTask(task).completed, FormatWeekdayDate(At(2024, 6, 12)));
}

namespace {
struct PreviewPaneFixture : testing::Test
{
    PreviewPaneFixture()
    {
        pane.resize(900, 220);
        pane.show();
        QApplication::processEvents();
    }
    TempProfile profile;
    CPreviewPane pane;
};
} // namespace

TEST_F(PreviewPaneFixture, ShowsEventsAndTasksInTheirBars)
{
    EXPECT_FALSE(pane.IsShowingItem());
    CItemRef occurrence = Hold(MakeSeries(), 7, At(2024, 6, 10, 9, 0));
    pane.ShowItem(&occurrence);
    EXPECT_TRUE(pane.EventBar()->isVisible());
    EXPECT_FALSE(pane.TaskBar()->isVisible());
    EXPECT_EQ(pane.EventBar()->Subject()->toPlainText(), QStringLiteral("Team meeting with guests"));
    EXPECT_EQ(pane.EventBar()->Field(CEventPreviewBar::kLocationId)->text(), QStringLiteral("Room 4"));
    EXPECT_FALSE(pane.EventBar()->ItemType()->isEnabled());
    EXPECT_TRUE(pane.IsItemShown(occurrence));

    // Another occurrence of the same series is another item.
    CItemRef next = Hold(MakeSeries(), 7, At(2024, 6, 17, 9, 0));
    EXPECT_FALSE(pane.IsItemShown(next));

    auto task = std::make_unique<CTaskItem>(9);
    task->SetSubject(QStringLiteral("File the report"));
    CItemRef taskRef = Hold(std::move(task), 9);
    pane.ShowItem(&taskRef);
    EXPECT_FALSE(pane.EventBar()->isVisible());
    EXPECT_TRUE(pane.TaskBar()->isVisible());
    EXPECT_TRUE(pane.IsItemShown(taskRef));
    EXPECT_FALSE(pane.IsItemShown(occurrence));

    CItemRef empty;
    pane.ShowItem(&empty); // a holder without an item changes nothing
    EXPECT_TRUE(pane.TaskBar()->isVisible());
    pane.ShowItem(nullptr);
    EXPECT_FALSE(pane.IsShowingItem());
    EXPECT_FALSE(pane.IsItemShown(taskRef));
}

TEST_F(PreviewPaneFixture, OnlyWebAndMailLinksOpenAndLongOnesWhole)
{
    FakeOpener opener;
    const QString longUrl = QStringLiteral("https://example.org/") + QString(3000, QLatin1Char('a'));
    auto e = std::make_unique<CEventItem>(5);
    e->SetStart(At(2024, 6, 3, 9, 0));
    e->SetDuration(Hours(1));
    const QString notes = QStringLiteral("run file:///bin/sh now\njs javascript:alert(1) here\nsee https://example.org/x\n") + longUrl;
    e->SetNotes(notes);
    CItemRef ref = Hold(std::move(e), 5);
    pane.resize(900, 600);
    pane.ShowItem(&ref);
    QApplication::processEvents();
    CNotesEdit *edit = pane.EventBar()->Notes();

    ClickAt(edit, int(notes.indexOf(QStringLiteral("file:"))) + 3);
    ClickAt(edit, int(notes.indexOf(QStringLiteral("javascript:"))) + 3);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_FALSE(CLinkOpener::Open(QUrl(QStringLiteral("file:///bin/sh"))));
    EXPECT_FALSE(CLinkOpener::Open(QUrl(QStringLiteral("javascript:alert(1)"))));
    EXPECT_TRUE(opener.opened.empty());

    ClickAt(edit, int(notes.indexOf(QStringLiteral("https://example.org/x"))) + 3);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], QUrl(QStringLiteral("https://example.org/x")));

    // A link over 2,047 characters opens whole, never cut.
    ClickAt(edit, int(notes.indexOf(longUrl)) + 3);
    ASSERT_EQ(opener.opened.size(), 2u);
    EXPECT_EQ(opener.opened[1].toString().size(), longUrl.size());
}

TEST_F(PreviewPaneFixture, CtrlTabGoesToTheActiveContainer)
{
    struct Target : INotifyTarget
    {
        int OnNotify(const CNotifyRecord &r) override
        {
            last = r;
            return 1;
        }
        CNotifyRecord last;
    } target;
    pane.SetKeyTarget([&target] { return &target; });
    CItemRef ref = Hold(MakeSeries(), 7);
    pane.ShowItem(&ref);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::sendEvent(pane.EventBar()->Notes(), &key);
    EXPECT_EQ(target.last.code, kNotifyKeyDown);
    EXPECT_EQ(target.last.controlId, CPreviewPane::kControlId);
    EXPECT_EQ(target.last.key, Qt::Key_Tab);
    EXPECT_EQ(target.last.flags, kModCtrl);
}

TEST_F(PreviewPaneFixture, HeightIsKeptInDetails)
{
    EXPECT_EQ(CPreviewPane::GetStoredHeight(), 201);
    pane.resize(900, 260);
    pane.SaveHeight();
    EXPECT_EQ(CPreviewPane::GetStoredHeight(), 260);
    CPreviewPane again;
    EXPECT_EQ(again.height(), 260);
}

TEST_F(PreviewPaneFixture, Renders)
{
    CItemRef occurrence = Hold(MakeSeries(), 7, At(2024, 6, 10, 9, 0));
    occurrence.GetItem()->SetItemTypeName(QStringLiteral("Meeting"));
    occurrence.GetItem()->SetCategories(QStringLiteral("Work; Planning"));
    pane.resize(1000, 201);
    pane.ShowItem(&occurrence);
    RenderWidget(pane, "preview_event_occurrence");

    auto task = std::make_unique<CTaskItem>(9);
    task->SetSubject(QStringLiteral("File the quarterly report"));
    task->SetNotes(QStringLiteral("Forms at https://example.org/forms"));
    task->SetDueDate(At(2024, 6, 14));
    task->SetStartDate(At(2024, 6, 10));
    task->SetPercentComplete(40);
    task->SetItemTypeName(QStringLiteral("Task"));
    CItemRef taskRef = Hold(std::move(task), 9);
    pane.ShowItem(&taskRef);
    RenderWidget(pane, "preview_task");
}
