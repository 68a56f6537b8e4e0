// The drop-down calendar and the date picker on the offscreen platform: keys, the today bar,
// cancels restoring the opening date, one commit per edit, the range, "none" and the placement.
#include "common/TempProfile.h"
#include "core/dates/DateRules.h"
#include "toolkit/navigator/DateDropDown.h"
#include "toolkit/navigator/DatePickerCtrl.h"
#include "toolkit/navigator/DropButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

void Key(QWidget *w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Click(QWidget *w, const QPoint &p)
{
    const QPointF global = w->mapToGlobal(QPointF(p));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void FocusOut(QWidget *w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

QString RenderFolder()
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("renders"));
    QDir().mkpath(folder);
    return folder;
}

class ClockFixture : public ::testing::Test
{
  protected:
    ClockFixture()
    {
        SetNowProvider([] { return CDateTime(2024, 5, 15, 10, 0, 0); });
        ResetToday();
        UpdateToday();
    }
    ~ClockFixture() override
    {
        SetNowProvider({});
        ResetToday();
    }
    TempProfile profile;
};

class DateDropDownTest : public ClockFixture
{
  protected:
    void Open(const CDateTime &date)
    {
        ASSERT_TRUE(drop.Create(794, true, [this](const NavigatorNotification &n) {
            notes.push_back(n);
            if (n.code != CDateNavigator::NotifyDateMoved)
                drop.Hide();
            return 1;
        }));
        ASSERT_TRUE(drop.SetDate(date));
        drop.ShowAt(QPoint(100, 100));
        ASSERT_TRUE(CDateDropDown::IsAnyOpen());
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const NavigatorNotification &n : notes)
            codes.push_back(n.code);
        return codes;
    }

    CDateDropDown drop;
    std::vector<NavigatorNotification> notes;
};

TEST_F(DateDropDownTest, EnterChoosesAndTheFocusLossAfterItIsNoCancel)
{
    Open(CDateTime(2024, 1, 31));
    Key(&drop, Qt::Key_Right);
    ASSERT_EQ(Codes(), std::vector<int>{3});
    EXPECT_EQ(notes[0].reason, CDateNavigator::ReasonKeyboard);
    EXPECT_EQ(notes[0].date, CDateTime(2024, 2, 1));
    Key(&drop, Qt::Key_Return);
    EXPECT_EQ(Codes(), (std::vector<int>{3, 1}));
    EXPECT_EQ(notes[1].reason, 2);
    EXPECT_EQ(notes[1].date, CDateTime(2024, 2, 1));
    EXPECT_EQ(notes[1].controlId, 794);
    FocusOut(&drop);
    drop.close();
    EXPECT_EQ(Codes(), (std::vector<int>{3, 1}));
    EXPECT_FALSE(CDateDropDown::IsAnyOpen());
}

TEST_F(DateDropDownTest, EscapeRestoresTheOpeningDate)
{
    Open(CDateTime(2024, 1, 31));
    Key(&drop, Qt::Key_Down);
    Key(&drop, Qt::Key_Left);
    EXPECT_EQ(drop.GetCurrentDate(), CDateTime(2024, 2, 6));
    Key(&drop, Qt::Key_Escape);
    ASSERT_EQ(Codes(), (std::vector<int>{3, 3, 2}));
    EXPECT_EQ(notes[2].date, CDateTime(2024, 1, 31));
    EXPECT_FALSE(drop.isVisible());
}

// Page keys step a month keeping the day where the month has it; other keys do nothing.
TEST_F(DateDropDownTest, PageKeysKeepTheDay)
{
    Open(CDateTime(2024, 1, 31));
    Key(&drop, Qt::Key_PageDown);
    EXPECT_EQ(drop.GetCurrentDate(), CDateTime(2024, 2, 29));
    EXPECT_EQ(notes.back().reason, CDateNavigator::ReasonNextMonth);
    EXPECT_EQ(drop.Engine().GetFirstShownDate(), CDateTime(2024, 2, 1));
    Key(&drop, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(drop.GetCurrentDate(), CDateTime(2024, 3, 29));
    Key(&drop, Qt::Key_PageUp);
    Key(&drop, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(drop.GetCurrentDate(), CDateTime(2024, 1, 29));
    EXPECT_EQ(notes.back().reason, CDateNavigator::ReasonPrevMonth);
    const std::size_t before = notes.size();
    Key(&drop, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    Key(&drop, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    Key(&drop, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(notes.size(), before);
    EXPECT_TRUE(drop.isVisible());
    Key(&drop, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(notes.back().code, CDateNavigator::NotifyCancelled);
}

TEST_F(DateDropDownTest, TheTodayBarPicksTodayFromAnotherMonth)
{
    Open(CDateTime(2021, 8, 3));
    const QRect bar = drop.Engine().GetTodayBarRect().translated(CDateDropDown::kInset, CDateDropDown::kInset);
    Click(&drop, bar.center());
    ASSERT_EQ(Codes(), std::vector<int>{1});
    EXPECT_EQ(notes[0].date, CDateTime(2024, 5, 15));
    // A day clicked with the mouse.
    notes.clear();
    drop.ShowAt(QPoint(100, 100));
    const int cell = drop.Engine().DateToCell(CDateTime(2024, 5, 20));
    Click(&drop, drop.Engine().GetCellRect(cell).center() + QPoint(CDateDropDown::kInset, CDateDropDown::kInset));
    ASSERT_EQ(Codes(), std::vector<int>{1});
    EXPECT_EQ(notes[0].date, CDateTime(2024, 5, 20));
}

// Qt closes a pop-up when the user clicks outside it: that is a cancel with the opening date.
TEST_F(DateDropDownTest, AnOutsideClickCancels)
{
    Open(CDateTime(2024, 3, 10));
    Key(&drop, Qt::Key_Right);
    drop.close();
    EXPECT_EQ(Codes(), (std::vector<int>{3, 2}));
    EXPECT_EQ(notes.back().date, CDateTime(2024, 3, 10));
    EXPECT_FALSE(CDateDropDown::IsAnyOpen());
}

class DatePickerTest : public ClockFixture
{
  protected:
    void Watch(CDatePickerCtrl &picker)
    {
        QObject::connect(&picker, &CDatePickerCtrl::dateCommitted, [this] { ++commits; });
    }
    static CDateTime Value(const CDatePickerCtrl &picker)
    {
        CDateTime d;
        EXPECT_TRUE(picker.GetDateTime(d));
        return d;
    }
    int commits = 0;
};

TEST_F(DatePickerTest, DatesLoseTheirTimeAndStayInRange)
{
    CDatePickerCtrl picker;
    EXPECT_TRUE(picker.SetDateTime(CDateTime(2024, 6, 3, 14, 25, 0)));
    EXPECT_EQ(Value(picker), CDateTime(2024, 6, 3));
    EXPECT_TRUE(picker.SetDateTime(CDateTime(1753, 1, 1)));
    EXPECT_TRUE(picker.SetDateTime(CDateTime(4000, 12, 31, 23, 0, 0)));
    EXPECT_EQ(Value(picker), CDateTime(4000, 12, 31));
    EXPECT_FALSE(picker.SetDateTime(CDateTime(1752, 12, 31)));
    EXPECT_FALSE(picker.SetDateTime(CDateTime(4001, 1, 1)));
    EXPECT_FALSE(picker.SetDateTime(CDateTime::Null()));
    EXPECT_EQ(Value(picker), CDateTime(4000, 12, 31));
    // Stepping past the end with the keys stops at the end.
    picker.DateEdit()->setFocus();
    Key(picker.DateEdit(), Qt::Key_Up);
    EXPECT_EQ(Value(picker), CDateTime(4000, 12, 31));
    EXPECT_EQ(picker.DateEdit()->minimumDate(), QDate(1753, 1, 1));
}

TEST_F(DatePickerTest, TheDisplayFormatNamesTheDay)
{
    EXPECT_EQ(CDatePickerCtrl::DisplayFormatFor(QStringLiteral("M/d/yyyy")), QStringLiteral("ddd M/d/yyyy"));
    EXPECT_EQ(CDatePickerCtrl::DisplayFormatFor(QStringLiteral("dddd d MMMM")), QStringLiteral("dddd d MMMM"));
    EXPECT_EQ(CDatePickerCtrl::DisplayFormatFor(QStringLiteral("DDD d")), QStringLiteral("ddd DDD d"));
}

// A typed change is committed once, when the field loses the focus.
TEST_F(DatePickerTest, OneCommitPerEdit)
{
    CDatePickerCtrl picker;
    Watch(picker);
    picker.SetDateTime(CDateTime(2024, 6, 3));
    FocusOut(picker.DateEdit());
    EXPECT_EQ(commits, 0);
    Key(picker.DateEdit(), Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
    EXPECT_FALSE(picker.IsCommitted());
    FocusOut(picker.DateEdit());
    EXPECT_EQ(commits, 1);
    FocusOut(picker.DateEdit());
    EXPECT_EQ(commits, 1);
    // Keypad digits do not count as an edit; keypad plus does.
    Key(picker.DateEdit(), Qt::Key_4, Qt::KeypadModifier, QStringLiteral("4"));
    EXPECT_TRUE(picker.IsCommitted());
    Key(picker.DateEdit(), Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
    EXPECT_FALSE(picker.IsCommitted());
    // Setting a date from the program commits nothing further.
    picker.SetDateTime(CDateTime(2024, 6, 9));
    FocusOut(picker.DateEdit());
    EXPECT_EQ(commits, 1);
}

// Escape in the drop-down puts back the date the field showed when it opened, without a commit;
// Enter commits the moved date once.
TEST_F(DatePickerTest, TheDropDownFollowsAndCancels)
{
    CDatePickerCtrl picker;
    Watch(picker);
    picker.resize(180, 24);
    picker.show();
    picker.SetDateTime(CDateTime(2024, 1, 31));
    Key(picker.DateEdit(), Qt::Key_F4);
    CDateDropDown *drop = picker.DropDown();
    ASSERT_NE(drop, nullptr);
    ASSERT_TRUE(drop->isVisible());
    Key(drop, Qt::Key_Right);
    EXPECT_EQ(Value(picker), CDateTime(2024, 2, 1)); // the field follows
    Key(drop, Qt::Key_Escape);
    EXPECT_FALSE(drop->isVisible());
    EXPECT_EQ(Value(picker), CDateTime(2024, 1, 31));
    EXPECT_EQ(commits, 0);
    EXPECT_TRUE(picker.Button()->GetIgnoreNextPress());

    Key(picker.DateEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(drop->isVisible());
    Key(drop, Qt::Key_PageDown);
    Key(drop, Qt::Key_Enter);
    EXPECT_FALSE(drop->isVisible());
    EXPECT_EQ(Value(picker), CDateTime(2024, 2, 29));
    EXPECT_EQ(commits, 1);
    FocusOut(picker.DateEdit());
    EXPECT_EQ(commits, 1);
}

// After the drop-down closes, one press on the drop button is ignored until the mouse moves.
TEST_F(DatePickerTest, ThePressThatClosedTheDropDownDoesNotReopenIt)
{
    CDatePickerCtrl picker;
    picker.resize(180, 24);
    picker.show();
    DropButton *button = picker.Button();
    Click(button, button->rect().center());
    ASSERT_NE(picker.DropDown(), nullptr);
    EXPECT_TRUE(picker.DropDown()->isVisible());
    Key(picker.DropDown(), Qt::Key_Escape);
    EXPECT_FALSE(picker.DropDown()->isVisible());
    Click(button, button->rect().center());
    EXPECT_FALSE(picker.DropDown()->isVisible());
    QMouseEvent move(QEvent::MouseMove, QPointF(button->rect().center()),
                     button->mapToGlobal(QPointF(button->rect().center())), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_FALSE(button->GetIgnoreNextPress());
    Click(button, button->rect().center());
    EXPECT_TRUE(picker.DropDown()->isVisible());
    picker.DropDown()->Hide();
}

// A field that may hold none: cleared, it opens on today; the highlight does not drag the field
// along; Escape leaves it empty; a choice fills it.
TEST_F(DatePickerTest, NoneOpensOnTodayAndStaysNoneOnCancel)
{
    CDatePickerCtrl picker(nullptr, true);
    Watch(picker);
    picker.resize(200, 24);
    picker.show();
    ASSERT_NE(picker.NoneBox(), nullptr);
    EXPECT_TRUE(picker.SetDateTime(CDateTime::Null()));
    EXPECT_TRUE(Value(picker).IsNull());
    EXPECT_FALSE(picker.DateEdit()->isEnabled());
    picker.OpenDropDown();
    CDateDropDown *drop = picker.DropDown();
    ASSERT_TRUE(drop && drop->isVisible());
    EXPECT_EQ(drop->GetCurrentDate(), CDateTime(2024, 5, 15));
    Key(drop, Qt::Key_Right);
    EXPECT_TRUE(Value(picker).IsNull());
    Key(drop, Qt::Key_Escape);
    EXPECT_TRUE(Value(picker).IsNull());
    EXPECT_EQ(commits, 0);
    picker.OpenDropDown();
    Key(drop, Qt::Key_Left);
    Key(drop, Qt::Key_Return);
    EXPECT_EQ(Value(picker), CDateTime(2024, 5, 14));
    EXPECT_TRUE(picker.NoneBox()->isChecked());
    EXPECT_EQ(commits, 1);
}

TEST_F(DatePickerTest, TheDropDownOpensBelowOrAboveInsideTheWorkArea)
{
    const QRect bounds(0, 0, 1280, 800);
    const QSize popup(186, 161);
    // Below, right edges aligned.
    EXPECT_EQ(CDatePickerCtrl::PlaceDropDown(QRect(400, 300, 18, 22), popup, bounds), QPoint(418 - 186, 323));
    // Near the bottom: above the button.
    EXPECT_EQ(CDatePickerCtrl::PlaceDropDown(QRect(400, 700, 18, 22), popup, bounds), QPoint(232, 700 - 161 - 1));
    // Near the left edge: moved right inside the bounds.
    EXPECT_EQ(CDatePickerCtrl::PlaceDropDown(QRect(20, 300, 18, 22), popup, bounds), QPoint(1, 323));
}

TEST_F(DatePickerTest, RendersOfThePickerAndItsDropDown)
{
    CDatePickerCtrl picker;
    picker.resize(200, 24);
    picker.show();
    picker.SetDateTime(CDateTime(2024, 5, 20));
    picker.grab().save(RenderFolder() + QStringLiteral("/date_picker.png"));
    picker.OpenDropDown();
    ASSERT_TRUE(picker.DropDown()->isVisible());
    const QImage image = picker.DropDown()->grab().toImage();
    EXPECT_EQ(image.size(), picker.DropDown()->size());
    image.save(RenderFolder() + QStringLiteral("/date_dropdown.png"));
    picker.DropDown()->Hide();
}

} // namespace
