// The time combo box driven with keys and focus changes: what it stores, shows and reports.
#include "toolkit/controls/TimeComboBox.h"

#include "ControlInput.h"
#include "RenderGallery.h"
#include "core/dates/DateFormats.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace controlinput;

namespace {
// Every report of the field, in order: kind and span.
struct TimeLog : std::vector<std::pair<int, double>>
{
    explicit TimeLog(CTimeComboBox &combo)
    {
        m_connection = QObject::connect(&combo, &CTimeComboBox::timeChanged, [this](int kind, double span) {
            push_back({kind, span});
        });
    }
    ~TimeLog() { QObject::disconnect(m_connection); }
    QMetaObject::Connection m_connection;
};

constexpr double kMinute = 1.0 / 1440.0;

class TimeComboBoxTest : public ::testing::Test
{
  protected:
    void SetUp() override { BuildLocaleFormats(LocaleDateData()); }
    static CDateTime At(int hour, int minute) { return CDateTime(1899, 12, 30, hour, minute, 0); }

    // Replaces the field's text by typing.
    static void TypeOver(CTimeComboBox &combo, const QString &text)
    {
        combo.lineEdit()->selectAll();
        Key(&combo, Qt::Key_Delete);
        Type(&combo, text);
    }
};
} // namespace

TEST_F(TimeComboBoxTest, TypedTimeIsStoredShownAndReported)
{
    CTimeComboBox combo;
    combo.SetTime(At(8, 0));
    EXPECT_EQ(combo.currentText(), "8:00 AM");
    TimeLog spy(combo);

    TypeOver(combo, QStringLiteral("1730"));
    EXPECT_EQ(combo.currentText(), "1730");
    CDateTime out;
    EXPECT_FALSE(combo.GetTime(out)); // being edited
    FocusOut(&combo);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).first, 0);
    EXPECT_NEAR(spy.at(0).second, 570 * kMinute, 1e-9);
    ASSERT_TRUE(combo.GetTime(out));
    EXPECT_EQ(out.GetHour(), 17);
    EXPECT_EQ(out.GetMinute(), 30);
    EXPECT_EQ(combo.currentText(), "5:30 PM");
    EXPECT_EQ(combo.currentIndex(), 35);

    // A time between the entries shows as text.
    TypeOver(combo, QStringLiteral("7:10p"));
    Key(&combo, Qt::Key_Return);
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(combo.currentText(), "7:10 PM");
    EXPECT_EQ(combo.count(), 48); // typed text never becomes an entry
}

TEST_F(TimeComboBoxTest, BadTextIsRefusedAndTheTimeKept)
{
    CTimeComboBox combo;
    combo.SetTime(At(8, 0));
    TimeLog spy(combo);
    TypeOver(combo, QStringLiteral("25:99"));
    FocusOut(&combo);
    EXPECT_EQ(spy.size(), 0);
    CDateTime out;
    EXPECT_FALSE(combo.GetTime(out));
    EXPECT_EQ(combo.currentText(), "25:99");
    EXPECT_EQ(combo.Model().StoredTime().GetHour(), 8);

    // Relative text is bad input while relative entries are off.
    TypeOver(combo, QStringLiteral("-15 minutes"));
    FocusOut(&combo);
    EXPECT_EQ(spy.size(), 0);
}

TEST_F(TimeComboBoxTest, RelativeEntriesReportADuration)
{
    CTimeComboBox combo;
    combo.SetRelativeInput(true);
    combo.SetTime(At(8, 0));
    TimeLog spy(combo);
    TypeOver(combo, QStringLiteral("-15 minutes"));
    FocusOut(&combo);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).first, 1);
    EXPECT_NEAR(spy.at(0).second, -15 * kMinute, 1e-9);
    EXPECT_EQ(combo.currentText(), "-15 minutes"); // the owner moves the times
    CDateTime out;
    ASSERT_TRUE(combo.GetTime(out));
    EXPECT_EQ(out.GetHour(), 8);

    TypeOver(combo, QStringLiteral(">1 day"));
    FocusOut(&combo);
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(1).first, 2);
    EXPECT_NEAR(spy.at(1).second, 1.0, 1e-9);

    // Focus going to the own list is no leaving.
    TypeOver(combo, QStringLiteral("+1 hour"));
    FocusOut(&combo, Qt::PopupFocusReason);
    EXPECT_EQ(spy.size(), 2);
}

TEST_F(TimeComboBoxTest, ArrowKeysChooseAndTheListSnaps)
{
    CTimeComboBox combo;
    combo.resize(120, combo.sizeHint().height());
    combo.show();
    combo.SetTime(At(9, 30));
    TimeLog spy(combo);
    Key(&combo, Qt::Key_Down);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_NEAR(spy.at(0).second, 30 * kMinute, 1e-9);
    EXPECT_EQ(combo.currentText(), "10:00 AM");

    TypeOver(combo, QStringLiteral("10:10"));
    combo.showPopup();
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(1).first, 0);
    EXPECT_NEAR(spy.at(1).second, 0.0, 1e-9);
    EXPECT_EQ(combo.currentText(), "10:00 AM");
    combo.hidePopup();

    CTimeComboBox late(nullptr, true);
    EXPECT_EQ(late.count(), 49);
    EXPECT_EQ(late.itemText(48), "11:59 PM");
}

TEST_F(TimeComboBoxTest, Render)
{
    CTimeComboBox normal, typed, disabled;
    for (CTimeComboBox *c : {&normal, &typed, &disabled})
        c->resize(110, c->sizeHint().height());
    normal.SetTime(At(9, 30));
    typed.SetRelativeInput(true);
    typed.lineEdit()->setText(QStringLiteral("+1 hour"));
    disabled.SetTime(At(17, 45));
    disabled.setEnabled(false);
    EXPECT_TRUE(rendergallery::Save(rendergallery::Strip({&normal, &typed, &disabled}), "time_combo"));
}
