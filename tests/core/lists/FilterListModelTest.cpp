// The Define Filters dialog's rules without its window: sorted rows, selection after deleting,
// the 100-filter limit, and storing the result (a failed write is reported).
#include "core/lists/FilterListModel.h"
#include "common/FakeFixedObjectStore.h"
#include "core/system/LocaleCollator.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
CItemFilter Named(const QString &name)
{
    CItemFilter f;
    f.SetName(name);
    f.SetItemTypeNames({QStringLiteral("Meeting")});
    return f;
}

QStringList Rows(const CFilterListModel &model)
{
    QStringList out;
    for (int r = 0; r < model.GetRowCount(); ++r)
        out << model.GetRowText(r);
    return out;
}

class FilterListModels : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_saved = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ResetLocaleCollator();
    }
    void TearDown() override
    {
        QLocale::setDefault(m_saved);
        ResetLocaleCollator();
    }
    void Fill(const QStringList &names)
    {
        for (const QString &n : names)
            ASSERT_TRUE(m_list.AddFilter(Named(n)));
    }

    CItemTypeList m_list;
    QLocale m_saved;
};
} // namespace

TEST_F(FilterListModels, RowsSortIgnoringCaseAndTheFirstIsSelected)
{
    Fill({"beta", "Alpha", "gamma", QString(70, QLatin1Char('L'))});
    CFilterListModel model(m_list);
    EXPECT_EQ(Rows(model), QStringList({"Alpha", "beta", "gamma", QString(63, QLatin1Char('L'))}));
    EXPECT_EQ(model.GetSelectedRow(), 0);
    EXPECT_EQ(model.GetSelectedFilterIndex(), 1);
    EXPECT_EQ(model.GetSelectedDetails().itemTypes, QStringLiteral("Meeting"));
    model.SelectRow(-1);
    EXPECT_FALSE(model.CanApply());
    EXPECT_EQ(model.GetSelectedDetails(), FilterDetails());

    CItemTypeList none;
    CFilterListModel empty(none);
    EXPECT_EQ(empty.GetSelectedRow(), -1);
    EXPECT_FALSE(empty.CanEditOrDelete());
    EXPECT_TRUE(empty.CanCreate());
}

TEST_F(FilterListModels, DeletingSelectsTheRowNowInItsPlace)
{
    Fill({"c", "a", "b"});
    CFilterListModel model(m_list);
    model.SelectRow(2); // "c", the last row
    model.DeleteSelected();
    EXPECT_EQ(Rows(model), QStringList({"a", "b"}));
    EXPECT_EQ(model.GetSelectedRow(), 1);
    // Rows keep naming the right filters after the working list closed the gap.
    EXPECT_EQ(model.GetSelectedFilter()->GetName(), QStringLiteral("b"));
    model.SelectRow(0);
    model.DeleteSelected();
    EXPECT_EQ(model.GetSelectedFilter()->GetName(), QStringLiteral("b"));
    model.DeleteSelected();
    EXPECT_EQ(model.GetSelectedRow(), -1);
    EXPECT_FALSE(model.CanEditOrDelete());
    EXPECT_TRUE(model.IsChanged());
}

TEST_F(FilterListModels, CreateAndRenameResortAndKeepTheSelection)
{
    Fill({"b", "d"});
    CFilterListModel model(m_list);
    ASSERT_TRUE(model.AddFilter(Named("C")));
    EXPECT_EQ(Rows(model), QStringList({"b", "C", "d"}));
    EXPECT_EQ(model.GetSelectedRow(), 1);
    EXPECT_EQ(model.GetWorkingNames(), QStringList({"b", "d", "C"}));

    model.ReplaceSelected(Named("a"));
    EXPECT_EQ(Rows(model), QStringList({"a", "b", "d"}));
    EXPECT_EQ(model.GetSelectedRow(), 0);
    EXPECT_EQ(model.GetSelectedFilterIndex(), 2);
}

TEST_F(FilterListModels, AHundredFiltersStopCreate)
{
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(m_list.AddFilter(Named(QString::number(i))));
    CFilterListModel model(m_list);
    EXPECT_FALSE(model.CanCreate());
    EXPECT_FALSE(model.AddFilter(Named("x")));
    model.DeleteSelected();
    EXPECT_TRUE(model.CanCreate());
}

TEST_F(FilterListModels, SavingStoresTheRowsAndReportsAFailedWrite)
{
    Fill({"Work", "Home", "Away"});
    FakeFixedObjectStore store;
    {
        CFilterListModel model(m_list);
        ASSERT_EQ(model.Save(m_list, store), S_OK);
        EXPECT_EQ(store.writes, 0); // nothing changed, nothing written
        model.SelectRow(1);         // "Home"
        model.DeleteSelected();
        ASSERT_EQ(model.Save(m_list, store), S_OK);
    }
    CItemTypeList back;
    ASSERT_EQ(back.Load(store), S_OK);
    ASSERT_EQ(back.GetFilterCount(), 2);
    EXPECT_EQ(back.GetFilter(0)->GetName(), QStringLiteral("Away"));
    EXPECT_EQ(back.GetFilter(1)->GetName(), QStringLiteral("Work"));

    CFilterListModel model(back);
    model.DeleteSelected();
    store.writeResult = 0x80070005;
    EXPECT_EQ(model.Save(back, store), 0x80070005u);
}
