// The Properties window: its pages, the exceptions of an event sorted by their scheduled dates,
// the "None" texts of a task, the title, and renders.
#include "core/document/DocumentTestSupport.h"

#include "../DialogRenders.h"
#include "core/items/RecurrenceBits.h"
#include "editing/properties/PropertiesDlg.h"
#include "editing/properties/PropertiesModel.h"

#include <QTabWidget>
#include <QTreeWidget>

namespace {

using namespace document_test;

std::unique_ptr<CItemRef> SeriesWithExceptions()
{
    auto holder = std::make_unique<CItemRef>(1);
    CEventItem &e = *holder->GetEvent();
    e = MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetItemTypeName(QStringLiteral("Meeting"));
    // Made out of date order, so the list has to sort them.
    for (const CDateTime &key : {At(2024, 5, 27, 9, 0), At(2024, 5, 13, 9, 0), At(2024, 5, 20, 9, 0)}) {
        CRecurrenceException *x = e.GetException(key, true);
        x->newStart = key + Hours(2);
        x->duration = Hours(1);
        if (key == At(2024, 5, 20, 9, 0) || key == At(2024, 5, 27, 9, 0))
            x->SetDeleted(true);
    }
    return holder;
}

TEST(PropertiesModelTest, ExceptionsAreListedByScheduledDate)
{
    FixedClock clock(At(2024, 5, 1, 12, 0));
    auto holder = SeriesWithExceptions();
    const CPropertiesModel model(*holder);
    EXPECT_TRUE(model.HasEventGeneral());
    EXPECT_TRUE(model.HasExceptions());
    EXPECT_FALSE(model.HasTaskGeneral());
    EXPECT_EQ(model.GetTitle(), QStringLiteral("Meeting Properties"));
    const std::vector<ExceptionRow> rows = model.GetExceptionRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, At(2024, 5, 13, 9, 0));
    EXPECT_NE(rows[0].status, QStringLiteral("Deleted"));
    EXPECT_EQ(rows[1].key, At(2024, 5, 20, 9, 0));
    EXPECT_EQ(rows[1].status, QStringLiteral("Deleted"));
    EXPECT_EQ(rows[2].status, QStringLiteral("Deleted"));
    EXPECT_EQ(rows[2].index, 0) << "each row keeps its exception's index";
    EXPECT_FALSE(model.GetEventProperties(At(2024, 5, 1)).recurrence.isEmpty());
}

TEST(PropertiesModelTest, SingleEventsAndUntypedItems)
{
    FixedClock clock(At(2024, 5, 1, 12, 0));
    CItemRef single(1);
    single.GetEvent()->SetStart(At(2024, 5, 3, 10, 0));
    single.GetEvent()->SetDuration(Hours(2));
    const CPropertiesModel model(single);
    EXPECT_FALSE(model.HasExceptions());
    EXPECT_TRUE(model.GetEventProperties(At(2024, 5, 1)).recurrence.isEmpty());
    EXPECT_EQ(model.GetTitle(), QStringLiteral("< undefined > Properties"));
}

TEST(PropertiesModelTest, TaskNoneTexts)
{
    CItemRef holder(2);
    CTaskItem &t = *holder.GetTask();
    t.SetStatus(CTaskItem::StatusInProgress);
    t.SetPercentComplete(50);
    const CPropertiesModel model(holder);
    ASSERT_TRUE(model.HasTaskGeneral());
    const TaskProperties p = model.GetTaskProperties();
    EXPECT_EQ(p.due, QStringLiteral("None"));
    EXPECT_EQ(p.start, QStringLiteral("None"));
    EXPECT_EQ(p.reminder, QStringLiteral("None"));
    EXPECT_EQ(p.completed, QStringLiteral("None"));
    EXPECT_EQ(p.percent, QStringLiteral("50%"));
    EXPECT_EQ(p.status, GetTaskStatusName(CTaskItem::StatusInProgress));
    t.SetDueDate(At(2024, 5, 10));
    EXPECT_NE(CPropertiesModel(holder).GetTaskProperties().due, QStringLiteral("None"));
}

class PropertiesDlgTest : public DocumentFixture
{
};

TEST_F(PropertiesDlgTest, PagesAndRenders)
{
    CPropertiesDlg series(SeriesWithExceptions());
    ASSERT_EQ(series.Pages()->count(), 2);
    ASSERT_NE(series.ExceptionList(), nullptr);
    EXPECT_EQ(series.ExceptionList()->topLevelItemCount(), 3);
    EXPECT_EQ(series.ExceptionList()->topLevelItem(1)->text(1), QStringLiteral("Deleted"));
    RenderDialog(series, "properties_event");
    series.Pages()->setCurrentIndex(1);
    RenderDialog(series, "properties_exceptions");

    auto task = std::make_unique<CItemRef>(2);
    task->GetTask()->SetSubject(QStringLiteral("Renew passport"));
    task->GetTask()->SetDueDate(At(2024, 5, 10));
    CPropertiesDlg taskDialog(std::move(task));
    EXPECT_EQ(taskDialog.Pages()->count(), 1);
    RenderDialog(taskDialog, "properties_task");
}

} // namespace
