// The time combo box's rules without a window: the list, leaving the field with typed and
// relative entries, choosing, and snapping when the list opens.
#include "toolkit/controls/TimeComboModel.h"

#include "core/dates/DateFormats.h"

#include <gtest/gtest.h>

namespace {
constexpr double kMinute = 1.0 / 1440.0;

class TimeComboModelTest : public ::testing::Test
{
  protected:
    void SetUp() override { BuildLocaleFormats(LocaleDateData()); }

    static CDateTime At(int hour, int minute) { return CDateTime(1899, 12, 30, hour, minute, 0); }

    static std::pair<int, int> Stored(const CTimeComboModel &m)
    {
        return {m.StoredTime().GetHour(), m.StoredTime().GetMinute()};
    }
};
} // namespace

TEST_F(TimeComboModelTest, ListHoldsEveryHalfHour)
{
    CTimeComboModel model;
    model.SetTime(At(9, 0));
    const auto &entries = model.FillTimes();
    ASSERT_EQ(entries.size(), 48);
    EXPECT_EQ(entries.at(0).text, "12:00 AM");
    EXPECT_EQ(entries.at(19).text, "9:30 AM");
    EXPECT_EQ(entries.at(19).data, 0x9001Eu);
    EXPECT_EQ(entries.at(47).data, 0x17001Eu);
    // Filling stores 00:00 with a value.
    EXPECT_EQ(Stored(model), std::make_pair(0, 0));
    EXPECT_TRUE(model.HasValue());

    CTimeComboModel endOfDay;
    endOfDay.SetEndOfDay(true);
    ASSERT_EQ(endOfDay.FillTimes().size(), 49);
    EXPECT_EQ(endOfDay.Entries().last().data, 0x17003Bu);
    EXPECT_EQ(endOfDay.Entries().last().text, "11:59 PM");
}

TEST_F(TimeComboModelTest, LeavingTheFieldReadsTypedText)
{
    struct Case
    {
        bool relative;
        bool longMax;
        const char *text;
        int kind;           // -1: nothing reported
        double spanMinutes; // reported span
        int hour, minute;   // stored afterwards
        bool hasValue;      // afterwards
    };
    const Case cases[] = {
        {false, false, "1730", 0, 570, 17, 30, true},
        {false, false, "7", 0, -60, 7, 0, true},
        {false, false, "930", 0, 90, 9, 30, true},
        {false, false, "8:00 am", 0, 0, 8, 0, true},
        {false, false, "5:15 pm", 0, 555, 17, 15, true},
        {true, false, "-15 minutes", 1, -15, 8, 0, true},
        {false, false, "-15 minutes", -1, 0, 8, 0, false},
        {true, false, "+1 hour", 1, 60, 8, 0, true},
        {true, false, "++1.5 h", 1, 90, 8, 0, true},
        {true, false, ">30 minutes", 2, 30, 8, 0, true},
        {true, false, "<<2h", 2, -120, 8, 0, true},
        {true, false, ">45", 2, 45, 8, 0, true},
        {true, false, "+400 days", -1, 0, 8, 0, false},
        {true, true, "+400 days", 1, 576000, 8, 0, true},
        {true, false, "+", -1, 0, 8, 0, false},
        {true, false, "+2 w", -1, 0, 8, 0, false},
        {true, false, "+-5", -1, 0, 8, 0, false},
        {true, false, "", -1, 0, 8, 0, false},
        {true, false, "   ", -1, 0, 8, 0, false},
        {true, false, "25:99", -1, 0, 8, 0, false},
        {true, false, "tea time", -1, 0, 8, 0, false},
        {true, false, "2400", -1, 0, 8, 0, false},
    };
    for (const Case &c : cases) {
        CTimeComboModel model;
        model.FillTimes();
        model.SetRelativeInput(c.relative);
        if (c.longMax)
            model.SetMaxDuration();
        model.SetTime(At(8, 0));
        model.Edit();
        const auto change = model.Leave(QString::fromUtf8(c.text));
        if (c.kind < 0) {
            EXPECT_FALSE(change.has_value()) << c.text;
        } else {
            ASSERT_TRUE(change.has_value()) << c.text;
            EXPECT_EQ(int(change->kind), c.kind) << c.text;
            EXPECT_NEAR(change->span.Value(), c.spanMinutes * kMinute, 1e-9) << c.text;
        }
        EXPECT_EQ(Stored(model), std::make_pair(c.hour, c.minute)) << c.text;
        EXPECT_EQ(model.HasValue(), c.hasValue) << c.text;
        CDateTime out = At(1, 1);
        EXPECT_EQ(model.GetTime(out), c.hasValue) << c.text;
    }
}

TEST_F(TimeComboModelTest, UneditedFieldIsNotReadAgain)
{
    CTimeComboModel model;
    model.FillTimes();
    model.SetTime(At(8, 0));
    EXPECT_FALSE(model.Leave(QStringLiteral("17:30")).has_value());
    EXPECT_EQ(Stored(model), std::make_pair(8, 0));
}

TEST_F(TimeComboModelTest, ChoosingReportsTheChange)
{
    CTimeComboModel model;
    model.FillTimes();
    model.SetTime(At(9, 30));
    auto change = model.Choose(19); // 9:30 again
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->kind, CTimeComboModel::kTimeOfDay);
    EXPECT_EQ(change->span.Value(), 0.0);

    change = model.Choose(21); // 10:30
    ASSERT_TRUE(change.has_value());
    EXPECT_NEAR(change->span.Value(), 60 * kMinute, 1e-9);
    EXPECT_EQ(Stored(model), std::make_pair(10, 30));

    EXPECT_FALSE(model.Choose(-1).has_value());
    EXPECT_FALSE(model.Choose(48).has_value());
    EXPECT_EQ(Stored(model), std::make_pair(10, 30));
}

TEST_F(TimeComboModelTest, OpeningTheListSnapsToTheEntryAtOrBefore)
{
    struct Case
    {
        bool endOfDay;
        const char *text;
        int index;
        int hour, minute;
    };
    const Case cases[] = {
        {false, "10:10", 20, 10, 0},   {false, "10:30", 21, 10, 30},
        {false, "1010", 20, 10, 0},    {false, "0:00", 0, 0, 0},
        {false, "23:45", 47, 23, 30},  {true, "23:45", 47, 23, 30},
        {true, "23:59", 48, 23, 59},   {false, "23:59", 47, 23, 30},
        {false, "nonsense", 16, 8, 0}, // falls back to the stored 08:10
    };
    for (const Case &c : cases) {
        CTimeComboModel model;
        model.SetEndOfDay(c.endOfDay);
        model.FillTimes();
        model.SetTime(At(8, 10));
        const auto result = model.DropDown(QString::fromUtf8(c.text));
        EXPECT_EQ(result.index, c.index) << c.text;
        EXPECT_EQ(Stored(model), std::make_pair(c.hour, c.minute)) << c.text;
        ASSERT_TRUE(result.change.has_value()) << c.text;
        EXPECT_NEAR(result.change->span.Value(), (c.hour * 60 + c.minute - 490) * kMinute, 1e-9) << c.text;
        EXPECT_TRUE(model.HasValue());
    }
}
