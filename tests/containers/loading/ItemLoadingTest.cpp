// Loading a period from a real data file: only summaries are read for items outside it, a load
// error ends the load and becomes its result, busy days follow the side pane, the details pane
// loads only what it shows, and the filter is remembered per data file.
#include "containers/support/ContainerFixture.h"

#include "containers/base/FilterSettings.h"
#include "core/lists/ItemType.h"

#include <QFile>

using namespace container_test;

namespace {

class ItemLoadingTest : public ContainerFixture
{
};

TEST_F(ItemLoadingTest, OnlySummariesAreReadForItemsOutsideThePeriod)
{
    StoreEvent(QStringLiteral("inside"), At(2024, 3, 12, 9), Hours(1));
    StoreEvent(QStringLiteral("before"), At(2024, 2, 1, 9), Hours(1));
    StoreEvent(QStringLiteral("after"), At(2024, 4, 1, 9), Hours(1));
    StoreDaily(QStringLiteral("daily"), At(2024, 3, 1, 8), Hours(1), 3); // ended on 3 March
    StoreTask(QStringLiteral("due inside"), At(2024, 3, 15));
    StoreTask(QStringLiteral("due later"), At(2024, 5, 15));
    TestContainer &c = MakeContainer(ViewKind::Week);
    c.SetShowingHiddenItems(false);
    m_context.navigator = nullptr; // busy days and the TaskPad read what they show themselves
    m_context.taskPad = nullptr;
    m_port.ResetCounts();

    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);

    EXPECT_EQ(m_port.summaryLoads, 6);
    EXPECT_EQ(m_port.wholeLoads, 2); // "inside" and "due inside"
    QStringList subjects;
    for (const auto &e : c.m_view.GetEntries())
        subjects << e->GetSubject();
    subjects.sort();
    EXPECT_EQ(subjects, (QStringList{QStringLiteral("due inside"), QStringLiteral("inside")}));
}

TEST_F(ItemLoadingTest, ALoadErrorStopsTheLoadAndIsItsResult)
{
    StoreEvent(QStringLiteral("one"), At(2024, 3, 12, 9), Hours(1));
    StoreEvent(QStringLiteral("two"), At(2024, 3, 13, 9), Hours(1));
    StoreTask(QStringLiteral("task"), At(2024, 3, 15));
    TestContainer &c = MakeContainer(ViewKind::Week);
    m_port.ResetCounts();
    m_port.failLoadAt = 1;
    m_port.failCode = QV_E_CORRUPT;

    EXPECT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), QV_E_CORRUPT);
    EXPECT_EQ(c.m_view.GetEntryCount(), 0);
    EXPECT_TRUE(m_taskPad.rows.empty()); // the tasks were never visited
}

TEST_F(ItemLoadingTest, BusyDaysFollowTheSidePane)
{
    const std::uint32_t outside = StoreEvent(QStringLiteral("outside"), At(2024, 2, 1, 9), Hours(1));
    const std::uint32_t inside = StoreEvent(QStringLiteral("inside"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = MakeContainer(ViewKind::Day);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    EXPECT_EQ(m_navigator.busy, (std::vector<std::uint32_t>{outside, inside}));

    m_navigator.busy.clear();
    WriteProfileInt(QStringLiteral("Day"), QStringLiteral("SSP"), 0);
    c.LoadPaneOptions(true);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    EXPECT_TRUE(m_navigator.busy.empty());
    EXPECT_EQ(c.m_view.GetEntryCount(), 1);
}

TEST_F(ItemLoadingTest, HiddenItemsAndTheFilterKeepItemsOut)
{
    StoreEvent(QStringLiteral("hidden"), At(2024, 3, 12, 9), Hours(1), CCalendarItem::FlagHidden);
    StoreEvent(QStringLiteral("shown"), At(2024, 3, 12, 10), Hours(1));
    TestContainer &c = MakeContainer(ViewKind::Week);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    EXPECT_EQ(c.m_view.GetEntryCount(), 1);
    CViewContainer::SetShowingHiddenItems(true);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    EXPECT_EQ(c.m_view.GetEntryCount(), 2);
    CViewContainer::SetShowingHiddenItems(false);
}

TEST_F(ItemLoadingTest, TheDetailsPaneLoadsOnlyWhenItsItemChanges)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t b = StoreEvent(QStringLiteral("b"), At(2024, 3, 13, 9), Hours(1));
    TestContainer &c = MakeContainer(ViewKind::Week);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    const int ia = c.m_view.FindEntry(a, At(2024, 3, 12, 9));
    const int ib = c.m_view.FindEntry(b, At(2024, 3, 13, 9));

    m_details.visible = false;
    c.m_view.SetFocusedEntry(ia);
    m_port.ResetCounts();
    const int showsBefore = m_details.shows;
    c.UpdateDetailsPane(false);
    EXPECT_EQ(m_port.wholeLoads, 0);
    EXPECT_EQ(m_details.shows, showsBefore);

    m_details.visible = true;
    c.UpdateDetailsPane(false);
    EXPECT_EQ(m_details.id, a);
    c.UpdateDetailsPane(false); // the same item: nothing read
    EXPECT_EQ(m_port.wholeLoads, 1);
    c.UpdateDetailsPane(true);
    EXPECT_EQ(m_port.wholeLoads, 2);
    c.m_view.SetFocusedEntry(ib);
    c.UpdateDetailsPane(false);
    EXPECT_EQ(m_details.id, b);
    EXPECT_EQ(m_port.wholeLoads, 3);
    c.m_view.SetFocusedEntry(-1);
    c.UpdateDetailsPane(false);
    EXPECT_EQ(m_details.id, 0u);
}

// The filter of a view is kept per data file: each file finds its own after a restart, and with
// "SF" off every file starts without a filter whatever is stored.
TEST_F(ItemLoadingTest, FiltersArePersistedPerDataFile)
{
    const QString second = m_dir.filePath(QStringLiteral("second.qvd"));
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(second, QStringLiteral("Work"), QString()), S_OK);
    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("SF"), 1);
    const CItemTypeList &types = m_doc.GetItemTypes();
    ASSERT_GE(types.GetTypeCount(), 2);
    const QString typeA = types.GetType(0)->GetName();
    const QString typeB = types.GetType(1)->GetName();

    const auto applyType = [&](const QString &name) {
        TestContainer &c = MakeContainer(ViewKind::Week);
        CActiveFilter filter;
        filter.SetByName(&m_doc.GetItemTypes(), &m_doc.GetMasterList(), CActiveFilter::KindItemType, name,
                         CDateTime::Null(), QString());
        ASSERT_EQ(filter.GetKind(), CActiveFilter::KindItemType);
        EXPECT_EQ(c.ApplyFilter(filter, false), S_OK);
    };
    applyType(typeA);
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(second), S_OK);
    applyType(typeB);

    // A restart: the settings file is read again by a new profile object.
    m_profile.Profile().Sync();
    CProfile::UseIniFile(m_profile.IniPath());
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    TestContainer &first = MakeContainer(ViewKind::Week);
    EXPECT_EQ(first.GetActiveFilter().GetKind(), CActiveFilter::KindItemType);
    EXPECT_EQ(first.GetActiveFilter().GetName(), typeA);
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(second), S_OK);
    TestContainer &other = MakeContainer(ViewKind::Week);
    EXPECT_EQ(other.GetActiveFilter().GetName(), typeB);

    WriteProfileInt(QStringLiteral("Week"), QStringLiteral("SF"), 0);
    TestContainer &off = MakeContainer(ViewKind::Week);
    EXPECT_EQ(off.GetActiveFilter().GetKind(), CActiveFilter::KindNone);

    // The same file by another path finds the same section.
    EXPECT_EQ(CFilterSettings::SectionFor(m_path, QStringLiteral("Week")),
              CFilterSettings::SectionFor(m_dir.path() + QStringLiteral("/./calendar.qvd"),
                                          QStringLiteral("Week")));
    EXPECT_NE(CFilterSettings::SectionFor(m_path, QStringLiteral("Week")),
              CFilterSettings::SectionFor(second, QStringLiteral("Week")));
}

} // namespace
