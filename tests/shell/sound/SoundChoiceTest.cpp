// The recent sound files and the record the sound dialogs write.
#include "shell/sound/SoundChoice.h"

#include "common/TempProfile.h"
#include "core/system/Profile.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

class SoundChoiceTest : public ::testing::Test
{
  protected:
    CRecentSounds::ExistsFn Exists()
    {
        return [this](const QString &path) { return !m_missing.contains(path); };
    }
    static QString Item(int i)
    {
        return CProfile::Instance().GetString(QStringLiteral("RecentSounds"),
                                              QStringLiteral("Item%1").arg(i));
    }

    TempProfile m_profile;
    QSet<QString> m_missing;
};

TEST_F(SoundChoiceTest, SixteenthFileDropsTheOldest)
{
    CRecentSounds recent(Exists());
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(recent.Add(QStringLiteral("/s/%1.wav").arg(i)), 0);
    EXPECT_EQ(recent.Count(), 15);
    EXPECT_EQ(recent.Paths().first(), QStringLiteral("/s/2.wav"));
    EXPECT_EQ(recent.RowTexts().first(), QStringLiteral("16.wav")); // newest first
    EXPECT_EQ(recent.PathOfRow(14), QStringLiteral("/s/2.wav"));
    recent.Save();
    EXPECT_EQ(Item(1), QStringLiteral("/s/2.wav"));
    EXPECT_EQ(Item(15), QStringLiteral("/s/16.wav"));
}

TEST_F(SoundChoiceTest, ReAddingSelectsAndPathsCompareExactly)
{
    CRecentSounds recent(Exists());
    recent.Add(QStringLiteral("/s/a.wav"));
    recent.Add(QStringLiteral("/s/b.wav"));
    EXPECT_EQ(recent.Add(QStringLiteral("/s/a.wav")), 1); // only selected
    EXPECT_EQ(recent.Count(), 2);
    // On this system other letter case is another file.
    EXPECT_EQ(recent.Add(QStringLiteral("/s/A.wav")), 0);
    EXPECT_EQ(recent.Count(), 3);
    m_missing.insert(QStringLiteral("/s/gone.wav"));
    EXPECT_EQ(recent.Add(QStringLiteral("/s/gone.wav")), -1);
    EXPECT_EQ(recent.Count(), 3);
}

TEST_F(SoundChoiceTest, LoadSkipsGoneFilesAndSaveDropsStaleValues)
{
    CProfile &profile = CProfile::Instance();
    const QString section = QStringLiteral("RecentSounds");
    profile.WriteString(section, QStringLiteral("Item1"), QStringLiteral("/s/one.wav"));
    profile.WriteString(section, QStringLiteral("Item2"), QStringLiteral("/s/gone.wav"));
    profile.WriteString(section, QStringLiteral("Item3"), QStringLiteral("/s/three.wav"));
    profile.WriteString(section, QStringLiteral("Item5"), QStringLiteral("/s/after-a-gap.wav"));
    m_missing.insert(QStringLiteral("/s/gone.wav"));
    CRecentSounds recent(Exists());
    recent.Load();
    EXPECT_EQ(recent.Paths(), (QStringList{QStringLiteral("/s/one.wav"), QStringLiteral("/s/three.wav")}));
    recent.Save();
    EXPECT_EQ(Item(1), QStringLiteral("/s/one.wav"));
    EXPECT_EQ(Item(2), QStringLiteral("/s/three.wav"));
    EXPECT_TRUE(Item(3).isEmpty());
    EXPECT_FALSE(profile.HasValue(section, QStringLiteral("Item5")));
}

TEST_F(SoundChoiceTest, ControlRules)
{
    CSoundChoice choice(Exists());
    choice.Init(CReminderSound());
    SoundControls c = choice.Controls();
    EXPECT_FALSE(c.fileList || c.browse || c.play || c.repeat || c.pause);
    choice.SetMode(CReminderSound::DefaultBeep);
    choice.SetRepeat(true);
    c = choice.Controls();
    EXPECT_TRUE(c.repeat && c.pause);
    EXPECT_FALSE(c.fileList);
    choice.SetMode(CReminderSound::SoundFile);
    c = choice.Controls();
    EXPECT_TRUE(c.fileList && c.browse && c.play);
    // No sound takes the repeat away.
    choice.SetMode(CReminderSound::NoSound);
    EXPECT_FALSE(choice.GetRepeat());
    // The custom switch of Reminder Options off: nothing at all.
    choice.SetMode(CReminderSound::SoundFile);
    choice.SetCustomSwitch(true, false);
    c = choice.Controls();
    EXPECT_FALSE(c.modes || c.fileList || c.repeat);
    choice.SetMinutes(150);
    choice.SetSeconds(75);
    EXPECT_EQ(choice.GetMinutes(), 99);
    EXPECT_EQ(choice.GetSeconds(), 59);
}

TEST_F(SoundChoiceTest, RecordsWrittenOnOk)
{
    CReminderSound old;
    old.SetMode(CReminderSound::SoundFile);
    old.SetPath(QStringLiteral("/s/old.wav"));
    old.SetRepeat(true);
    old.SetRepeatDelay(2, 5);
    old.SetSpare(0x55);

    // Setup Sound without Repeat: the repeat bit goes, the old pause stays, the path is kept.
    CSoundChoice setup(Exists());
    setup.Init(old);
    setup.SetMode(CReminderSound::DefaultBeep);
    setup.SetRepeat(false);
    CReminderSound edited = old;
    edited.SetSpare(0x55);
    ASSERT_EQ(setup.BuildRecord(edited, true), CSoundChoice::OkResult::Ok);
    EXPECT_EQ(edited.GetFlags(), CReminderSound::DefaultBeep);
    EXPECT_EQ(edited.GetSpare(), 0);
    EXPECT_EQ(edited.GetRepeatMinutes(), 2);
    EXPECT_EQ(edited.GetRepeatSeconds(), 5);
    EXPECT_EQ(edited.GetPath(), QStringLiteral("/s/old.wav"));

    // Repeat with a pause of 0 min 0 s stores 0 min 1 s.
    setup.SetRepeat(true);
    setup.SetMinutes(0);
    setup.SetSeconds(0);
    EXPECT_EQ(setup.PlayIntervalMs(), 1000u);
    ASSERT_EQ(setup.BuildRecord(edited, true), CSoundChoice::OkResult::Ok);
    EXPECT_TRUE(edited.GetRepeat());
    EXPECT_EQ(edited.GetRepeatMinutes(), 0);
    EXPECT_EQ(edited.GetRepeatSeconds(), 1);

    // A sound file: the selected path, and the recent list saved.
    setup.SetMode(CReminderSound::SoundFile);
    setup.Recent().Add(QStringLiteral("/s/new.wav"));
    ASSERT_EQ(setup.BuildRecord(edited, true), CSoundChoice::OkResult::Ok);
    EXPECT_EQ(edited.GetPath(), QStringLiteral("/s/new.wav"));
    EXPECT_EQ(Item(2), QStringLiteral("/s/new.wav"));

    // "Sound file" with nothing in the list: refused, the record untouched.
    CSoundChoice empty(Exists());
    m_missing.insert(QStringLiteral("/s/old.wav"));
    m_missing.insert(QStringLiteral("/s/new.wav"));
    empty.Init(CReminderSound());
    empty.SetMode(CReminderSound::SoundFile);
    CReminderSound untouched = old;
    EXPECT_EQ(empty.BuildRecord(untouched, false), CSoundChoice::OkResult::NeedFile);
    EXPECT_EQ(untouched, old);
}

} // namespace
