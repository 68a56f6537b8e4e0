// The sample calendar of the first start: what it holds, placed around the day it is made.
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/Occurrence.h"
#include "core/items/TaskItem.h"
#include "shell/SampleCalendar.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

class SampleCalendarTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        m_path = m_dir.filePath("calendar.qv0");
        // Wednesday 9 December 2026.
        ASSERT_TRUE(CreateSampleDataFile(m_path, "Personal Calendar", CDateTime(2026, 12, 9, 15, 20)));
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "", nullptr, false), S_OK);
        std::vector<ItemListEntry> list;
        ASSERT_EQ(m_doc.GetDataFile().EnumItemsOfKind(1, list), S_OK);
        for (const ItemListEntry &entry : list) {
            CEventItem event(entry.recordId);
            ASSERT_EQ(m_doc.LoadEvent(event), S_OK);
            m_events.emplace(event.GetSubject(), event);
        }
        list.clear();
        ASSERT_EQ(m_doc.GetDataFile().EnumItemsOfKind(2, list), S_OK);
        for (const ItemListEntry &entry : list) {
            CTaskItem task(entry.recordId);
            ASSERT_EQ(m_doc.LoadTask(task), S_OK);
            m_tasks.emplace(task.GetSubject(), task);
        }
    }
    void TearDown() override { m_doc.CloseCalendarFile(); }

    CDateTime Next(const char *subject, const CDateTime &after)
    {
        COccurrence occurrence;
        const CEventItem &event = m_events.at(subject);
        if (!event.NextOccurrence(after, occurrence))
            return CDateTime();
        return occurrence.start;
    }

    TempProfile m_profile;
    QTemporaryDir m_dir;
    QString m_path;
    CCalendarDocument m_doc;
    std::map<QString, CEventItem> m_events;
    std::map<QString, CTaskItem> m_tasks;
};

TEST_F(SampleCalendarTest, EventsAndTasksAroundTheDayItWasMade)
{
    EXPECT_EQ(m_doc.GetDataFile().GetTitle(), "Personal Calendar");
    EXPECT_EQ(m_events.size(), 13u);
    EXPECT_EQ(m_tasks.size(), 6u);
    // Single events fall in this week and the next.
    EXPECT_EQ(m_events.at("Lunch with Ann").GetStart(), CDateTime(2026, 12, 8, 12, 30));
    EXPECT_EQ(m_events.at("Quarterly planning").GetStart(), CDateTime(2026, 12, 15, 9, 0));
    EXPECT_EQ(m_events.at("Dentist").GetLocation(), "Dr. Weber");
    // Each event carries the type it names.
    for (const auto &[subject, event] : m_events) {
        SCOPED_TRACE(subject.toStdString());
        EXPECT_GE(m_doc.GetItemTypes().FindType(event.GetItemTypeName()), 0);
    }
}

TEST_F(SampleCalendarTest, SeriesRepeatAsTheirNamesSay)
{
    EXPECT_EQ(Next("Team meeting", CDateTime(2026, 12, 9)), CDateTime(2026, 12, 14, 9, 30));
    EXPECT_EQ(Next("Gym", CDateTime(2026, 12, 9)), CDateTime(2026, 12, 10, 18, 0));
    EXPECT_EQ(Next("Gym", CDateTime(2026, 12, 11)), CDateTime(2026, 12, 15, 18, 0));
    EXPECT_EQ(Next("Pay the rent", CDateTime(2026, 12, 2)), CDateTime(2027, 1, 1));
    EXPECT_EQ(Next("Mum's birthday", CDateTime(2026, 12, 12)), CDateTime(2027, 12, 11));
    EXPECT_EQ(m_events.at("Mum's birthday").GetDuration().GetTotalMinutes(), 1440);
}

TEST_F(SampleCalendarTest, TasksOverdueDueLaterAndDone)
{
    EXPECT_EQ(m_tasks.at("File the tax return").GetDueDate(), CDateTime(2026, 12, 8)); // overdue
    EXPECT_FALSE(m_tasks.at("File the tax return").IsCompleted());
    EXPECT_EQ(m_tasks.at("Renew passport").GetDueDate(), CDateTime(2026, 12, 16));
    EXPECT_FALSE(m_tasks.at("Read the Tessivo help").HasDueDate());
    EXPECT_TRUE(m_tasks.at("Water the plants").IsCompleted());
}

TEST(SampleCalendar, AFileAlreadyThereIsNotTouched)
{
    TempProfile profile;
    QTemporaryDir dir;
    const QString path = dir.filePath("calendar.qv0");
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(path, "Mine", ""), S_OK);
    ASSERT_TRUE(CreateSampleDataFile(path, "Personal Calendar", CDateTime(2026, 12, 9)));
    CCalendarDocument doc;
    ASSERT_EQ(doc.OpenCalendarFile(path, "", nullptr, false), S_OK);
    int events = -1;
    ASSERT_EQ(doc.CountItemsOfKind(1, events), S_OK);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(doc.GetDataFile().GetTitle(), "Mine");
    doc.CloseCalendarFile();
}

} // namespace
