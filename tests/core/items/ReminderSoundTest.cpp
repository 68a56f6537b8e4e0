// Reminder sound record: its description, comparison and copying.
#include "core/items/ReminderSound.h"

#include <gtest/gtest.h>

namespace {
CReminderSound Sound(int mode, const QString &path = QString(), bool repeat = false, int minutes = 0,
                     int seconds = 30)
{
    CReminderSound s;
    s.SetMode(mode);
    s.SetPath(path);
    s.SetRepeat(repeat);
    s.SetRepeatDelay(std::uint8_t(minutes), std::uint8_t(seconds));
    return s;
}
} // namespace

TEST(ReminderSound, NewRecord)
{
    const CReminderSound s;
    EXPECT_EQ(s.GetMode(), 0);
    EXPECT_EQ(s.GetRepeatMinutes(), 0);
    EXPECT_EQ(s.GetRepeatSeconds(), 30);
    EXPECT_TRUE(s.GetPath().isEmpty());
}

TEST(ReminderSound, Description)
{
    struct Case
    {
        CReminderSound sound;
        const char *expected;
    } cases[] = {
        {Sound(1), "Default Beep"},
        {Sound(2, QStringLiteral("C:\\Sounds\\chime.wav")), "chime.wav"},
        {Sound(2, QStringLiteral("/home/u/.local/share/Tessivo/Sounds/bell.wav")), "bell.wav"},
        {Sound(2, QStringLiteral("gong.wav")), "gong.wav"},
        {Sound(0), "No sound"},
        {Sound(3, QStringLiteral("x.wav")), "No sound"},
        {Sound(2, QStringLiteral("C:\\a\\chime.wav"), true, 2, 5),
         "chime.wav ( Repeat sound with delay of 2:05 )"},
        {Sound(1, QString(), true, 10, 30), "Default Beep ( Repeat sound with delay of 10:30 )"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.sound.GetDescription(), QString::fromUtf8(c.expected));
}

TEST(ReminderSound, EqualityIgnoresSpareButNotCase)
{
    CReminderSound a = Sound(2, QStringLiteral("C:\\a\\Chime.wav"), true, 1, 0);
    CReminderSound b = a;
    b.SetSpare(7);
    EXPECT_TRUE(a == b);
    b.SetPath(QStringLiteral("C:\\a\\chime.wav"));
    EXPECT_FALSE(a == b);
    b = a;
    b.SetRepeatDelay(1, 1);
    EXPECT_FALSE(a == b);
}

TEST(ReminderSound, AssignmentKeepsOwnSpare)
{
    CReminderSound a = Sound(1, QStringLiteral("p"), true, 3, 4);
    a.SetSpare(9);
    CReminderSound b;
    b.SetSpare(2);
    b = a;
    EXPECT_EQ(b.GetSpare(), 2);
    EXPECT_EQ(b.GetFlags(), a.GetFlags());
    EXPECT_EQ(b.GetPath(), a.GetPath());
    EXPECT_EQ(b.GetRepeatMinutes(), 3);
    EXPECT_EQ(b.GetRepeatSeconds(), 4);
}
