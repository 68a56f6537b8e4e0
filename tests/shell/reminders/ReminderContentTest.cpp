// What a reminder window shows for its item: texts and marks, exception overrides, the buttons
// and menu entries it has, its font, colours and sound.
#include "shell/reminders/ReminderContent.h"

#include "core/dates/DateFormats.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemType.h"

#include <gtest/gtest.h>

namespace {

CDateTime Plus(const CDateTime &t, int minutes, double seconds = 0)
{
    return CDateTime(t.Value() + (minutes * 60 + seconds) / 86400.0);
}

class ReminderContentTest : public ::testing::Test
{
  protected:
    void SetUp() override { BuildLocaleFormats(); }

    CEventItem Single(const CDateTime &start, const CDateSpan &length = Hours(1))
    {
        CEventItem e(7);
        e.SetSubject(QStringLiteral("Dentist"));
        e.SetStart(start);
        e.SetDuration(length);
        e.SetNextReminderOccurrence(start);
        return e;
    }

    const CDateTime m_now = At(2024, 3, 12, 9, 0);
    ReminderSettings m_settings;
};

struct MarkCase
{
    const char *name;
    CDateTime start;
    CDateTime end;
    QString mark;
    bool beforeStart;
};

TEST_F(ReminderContentTest, MarksAndBeforeStart)
{
    const CDateTime tomorrow = At(2024, 3, 13, 9, 0);
    const MarkCase cases[] = {
        {"starts in 6:30", Plus(m_now, 6, 30), Plus(m_now, 66, 30), QString(), false},
        {"starts in 6:39", Plus(m_now, 6, 39), Plus(m_now, 66), QString(), false},
        // 7:59.6 minutes from 1:20 before now, with half a second of rounding, are 8 minutes.
        {"starts in 6:39.6", Plus(m_now, 6, 39.6), Plus(m_now, 66), QString(), true},
        {"starts in 6:40", Plus(m_now, 6, 40), Plus(m_now, 66, 40), QString(), true},
        {"ended a minute ago", Plus(m_now, -61), Plus(m_now, -1), QStringLiteral(" [ overdue ]"), false},
        {"running now", Plus(m_now, -10), Plus(m_now, 50), QString(), false},
        {"tomorrow at the same time", tomorrow, Plus(tomorrow, 60), QStringLiteral(" [ 1 day more ]"), true},
        {"three days ahead", At(2024, 3, 15, 10, 0), At(2024, 3, 15, 11, 0),
         QStringLiteral(" [ 3 days more ]"), true},
        {"later today", At(2024, 3, 12, 20, 0), At(2024, 3, 12, 21, 0), QString(), true},
    };
    for (const MarkCase &c : cases) {
        SCOPED_TRACE(c.name);
        CEventItem event = Single(c.start, CDateSpan(c.end.Value() - c.start.Value()));
        CReminderContent content;
        ASSERT_TRUE(content.Build(event, nullptr, m_now, m_settings));
        if (!c.mark.isEmpty())
            EXPECT_TRUE(content.captionText.endsWith(c.mark)) << content.captionText.toStdString();
        else
            EXPECT_FALSE(content.captionText.contains(QLatin1String(" [")));
        EXPECT_EQ(content.beforeStartAllowed, c.beforeStart);
    }
}

TEST_F(ReminderContentTest, EveningBeforeCountsADay)
{
    int days = 0, minutes = 0;
    const CDateTime evening = At(2024, 3, 12, 20, 0);
    EXPECT_EQ(
        CReminderContent::MarkFor(At(2024, 3, 13, 9, 0), At(2024, 3, 13, 10, 0), evening, days, minutes),
        ReminderMark::DaysMore);
    EXPECT_EQ(days, 1);
    EXPECT_EQ(CReminderContent::MarkText(ReminderMark::DaysMore, 2), QStringLiteral(" [ 2 days more ]"));
}

TEST_F(ReminderContentTest, CaptionSubjectLineAndSettings)
{
    CEventItem event = Single(At(2024, 3, 12, 14, 0));
    event.SetLocation(QStringLiteral("Main St"));
    event.SetNotes(QStringLiteral("Bring the card"));
    CItemType type(QStringLiteral("Meeting"));
    CReminderContent content;
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_EQ(content.subjectLine, QStringLiteral("Dentist (Main St)"));
    EXPECT_TRUE(content.captionText.startsWith(QStringLiteral("Meeting - ")));
    EXPECT_EQ(content.windowTitle, content.subjectLine); // "STB" on
    EXPECT_EQ(content.notes, QStringLiteral("Bring the card"));
    EXPECT_EQ(content.acceptText, QStringLiteral("&Accept"));

    m_settings.subjectInCaption = false;
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_EQ(content.windowTitle, content.captionText);
}

TEST_F(ReminderContentTest, ExceptionOverridesAndAge)
{
    CEventItem birthday = MakeSeries(At(1990, 3, 12, 0, 0), Days(1), Recur::Yearly | Recur::ByDate, 1, 3);
    birthday.SetRecordId(9);
    birthday.SetSubject(QStringLiteral("Anna"));
    birthday.SetLocation(QStringLiteral("Home"));
    birthday.SetFlag(CCalendarItem::FlagCalculateAge, true);
    const CDateTime key = At(2024, 3, 12, 0, 0);
    birthday.SetNextReminderOccurrence(key);
    CReminderContent plain;
    ASSERT_TRUE(plain.Build(birthday, nullptr, m_now, m_settings));
    EXPECT_EQ(plain.subjectLine, QStringLiteral("Anna (34 years) (Home)"));
    EXPECT_TRUE(plain.recurring);

    CRecurrenceException *x = birthday.GetException(key, true);
    ASSERT_NE(x, nullptr);
    x->SetSubject(true, QStringLiteral("Anna's party"));
    x->SetLocation(true, QStringLiteral("Cafe"));
    x->SetNotes(true, QStringLiteral("Cake"));
    x->newStart = At(2024, 3, 12, 18, 0);
    x->duration = Hours(3);
    CReminderContent moved;
    ASSERT_TRUE(moved.Build(birthday, nullptr, m_now, m_settings));
    EXPECT_EQ(moved.subjectLine, QStringLiteral("Anna's party (34 years) (Cafe)"));
    EXPECT_EQ(moved.notes, QStringLiteral("Cake"));
    EXPECT_EQ(moved.occurrenceStart, At(2024, 3, 12, 18, 0));
    EXPECT_EQ(moved.occurrenceEnd, At(2024, 3, 12, 21, 0));

    // Without the override flags the series' texts stay.
    x->overrideFlags = 0;
    CReminderContent series;
    ASSERT_TRUE(series.Build(birthday, nullptr, m_now, m_settings));
    EXPECT_EQ(series.subject, QStringLiteral("Anna"));
}

TEST_F(ReminderContentTest, Tasks)
{
    CTaskItem task(3);
    task.SetSubject(QStringLiteral("Taxes"));
    task.SetReminderTime(At(2024, 3, 12, 8, 0));
    CReminderContent content;
    ASSERT_TRUE(content.Build(task, nullptr, m_now, m_settings));
    EXPECT_FALSE(content.captionText.contains(QLatin1String("overdue"))); // no due date
    EXPECT_EQ(content.acceptText, QStringLiteral("Com&plete"));
    EXPECT_EQ(content.convertText, QStringLiteral("Convert Task to &Event"));
    EXPECT_FALSE(content.beforeStartAllowed);
    EXPECT_FALSE(content.mayAutoDismiss);

    task.SetDueDate(At(2024, 3, 11));
    ASSERT_TRUE(content.Build(task, nullptr, m_now, m_settings));
    EXPECT_TRUE(content.captionText.endsWith(QStringLiteral(" [ overdue ]")));
}

TEST_F(ReminderContentTest, DeleteButtonAndAutoDismiss)
{
    CEventItem single = Single(At(2024, 3, 12, 14, 0));
    CEventItem series = MakeSeries(At(2024, 3, 1, 14, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    series.SetNextReminderOccurrence(At(2024, 3, 12, 14, 0));
    struct Case
    {
        const char *name;
        CEventItem *event;
        std::uint32_t flags;
        bool hdb;
        bool deleteVisible;
        bool autoDismiss;
    } cases[] = {
        {"single", &single, 0, true, true, false},
        {"locked", &single, CCalendarItem::FlagLocked, false, false, false},
        {"recurring", &series, 0, false, true, false},
        {"recurring with HDB", &series, 0, true, false, false},
        {"no window after the time", &single, CCalendarItem::FlagNoWindowAfterTime, false, true, true},
        {"... but snoozed", &single, CCalendarItem::FlagNoWindowAfterTime | CCalendarItem::FlagSnoozed, false,
         true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CEventItem event(*c.event);
        event.SetFlags(event.GetFlags() | c.flags);
        m_settings.hideDeleteForRecurring = c.hdb;
        CReminderContent content;
        ASSERT_TRUE(content.Build(event, nullptr, m_now, m_settings));
        EXPECT_EQ(content.deleteVisible, c.deleteVisible);
        EXPECT_EQ(content.mayAutoDismiss, c.autoDismiss);
    }
}

TEST_F(ReminderContentTest, FontColoursAndSound)
{
    CItemType type(QStringLiteral("Call"));
    LogFont font;
    font.height = -16; // 12 points at 96 pixels per inch
    font.weight = 700;
    font.italic = 1;
    font.SetFaceName(QStringLiteral("Serif"));
    type.SetFont(font);
    type.SetTextColor(MakeColor(255, 255, 255));
    type.SetFillColor(MakeColor(0, 64, 128));
    type.SetFlags(CItemType::kFlagOwnFont | CItemType::kFlagOwnColors);
    CReminderSound typeSound;
    typeSound.SetMode(CReminderSound::SoundFile);
    typeSound.SetPath(QStringLiteral("/x/ring.wav"));
    typeSound.SetRepeat(true);
    typeSound.SetRepeatDelay(1, 30);
    type.SetSound(typeSound);

    CEventItem event = Single(At(2024, 3, 12, 14, 0));
    CReminderContent content;
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_TRUE(content.ownFont);
    EXPECT_EQ(content.fontFace, QStringLiteral("Serif"));
    EXPECT_EQ(content.fontPoints, 12);
    EXPECT_TRUE(content.fontBold);
    EXPECT_TRUE(content.fontItalic);
    EXPECT_TRUE(content.ownColors);
    EXPECT_EQ(content.highlightColor, LightenHlsHalfway(content.backColor));
    EXPECT_EQ(content.shadowColor, DarkenHlsTwoThirds(content.backColor));
    const HlsColor back = RgbToHls(content.backColor);
    EXPECT_NEAR(RgbToHls(content.highlightColor).lightness, back.lightness / 2 + 120, 2);
    EXPECT_NEAR(RgbToHls(content.shadowColor).lightness, back.lightness * 2 / 3, 2);

    EXPECT_EQ(content.sound.GetPath(), QStringLiteral("/x/ring.wav"));
    EXPECT_TRUE(content.playSound);
    EXPECT_EQ(content.soundIntervalMs, 90000u);
    EXPECT_TRUE(content.stopSoundEntry);
    EXPECT_TRUE(content.stopSoundPossible);

    // The item's own sound wins over the type's.
    CReminderSound own;
    own.SetMode(CReminderSound::DefaultBeep);
    event.SetReminderSound(true, own);
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_EQ(content.sound.GetMode(), int(CReminderSound::DefaultBeep));
    EXPECT_EQ(content.soundIntervalMs, 0u);
    EXPECT_FALSE(content.stopSoundEntry); // does not repeat: no Stop Sound

    // Sounds off: nothing plays; the entry is there but cannot stop anything.
    event.SetFlag(CCalendarItem::FlagOwnSound, false);
    m_settings.soundOn = false;
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_FALSE(content.playSound);
    EXPECT_TRUE(content.stopSoundEntry);
    EXPECT_FALSE(content.stopSoundPossible);
    m_settings.soundOn = true;
    m_settings.stopSoundAllowed = false;
    ASSERT_TRUE(content.Build(event, &type, m_now, m_settings));
    EXPECT_FALSE(content.stopSoundPossible);
}

} // namespace
