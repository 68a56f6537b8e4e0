// The Options pages' values without their windows: what each reads, what OK writes and what
// counts as a change.
#include "common/TempProfile.h"
#include "core/dates/WeekRules.h"
#include "core/system/AppSettings.h"
#include "core/system/Profile.h"
#include "shell/FirstRunDefaults.h"
#include "shell/HotKeySet.h"
#include "shell/options/HotKeyCodec.h"
#include "shell/options/OptionsAdvancedModel.h"
#include "shell/options/OptionsColorsModel.h"
#include "shell/options/OptionsGeneralModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

class ScriptedGrabber : public IHotKeyGrabber
{
  public:
    std::set<int> refusedKeys; // key codes another program holds
    QStringList log;
    bool IsAvailable() const override { return true; }
    bool Grab(int id, const HotKeyCombo &c) override
    {
        if (refusedKeys.count(c.keyCode))
            return false;
        log << QStringLiteral("grab %1 %2").arg(id).arg(c.keyCode);
        return true;
    }
    void Release(int id, const HotKeyCombo &c) override
    {
        log << QStringLiteral("release %1 %2").arg(id).arg(c.keyCode);
    }
};

class GeneralModelTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        CFirstRunDefaults::SetAutostartFolder(m_profile.Folder() + QStringLiteral("/autostart"));
        m_saved = ProgramSettings();
        m_live.workDays = 0x3E; // Monday to Friday
        m_live.firstDayOfWeek = 0;
        m_live.weekOfYearRule = 0;
    }
    void TearDown() override
    {
        CFirstRunDefaults::SetAutostartFolder(QString());
        ProgramSettings() = m_saved;
        ApplyCalendarRules(m_saved);
    }
    static QString Program() { return QCoreApplication::applicationFilePath(); }

    TempProfile m_profile;
    AppSettings m_live;
    AppSettings m_saved;
};

TEST_F(GeneralModelTest, BoxesFollowTheFirstDayAndMapToTheSundayFirstTable)
{
    COptionsGeneralModel model;
    m_live.firstDayOfWeek = 6; // Sunday
    model.Load(m_live, Program());
    EXPECT_EQ(COptionsGeneralModel::BoxToDay(0, 6), 0); // box 1 is Sunday, table entry 0
    EXPECT_EQ(COptionsGeneralModel::BoxToDay(6, 6), 6);
    EXPECT_EQ(COptionsGeneralModel::BoxToDay(0, 0), 1); // Monday first: box 1 is Monday
    const std::array<bool, 7> sundayFirst = {false, true, true, true, true, true, false};
    EXPECT_EQ(model.GetBoxChecks(), sundayFirst);

    // Changing the first day in mid-edit keeps each weekday's own check.
    std::array<bool, 7> boxes = model.GetBoxChecks();
    boxes[6] = true; // Saturday, last box while Sunday is first
    model.ChangeFirstDay(0, boxes);
    const std::array<bool, 7> mondayFirst = {true, true, true, true, true, true, false};
    EXPECT_EQ(model.GetBoxChecks(), mondayFirst);
    EXPECT_EQ(COptionsGeneralModel::PackWorkDays(model.GetState().workDays), 0x7E);
}

TEST_F(GeneralModelTest, TimesMustReadAndEndNoEarlierThanStart)
{
    using C = COptionsGeneralModel::TimeCheck;
    struct Case
    {
        bool startRead;
        int sh, sm;
        bool endRead;
        int eh, em;
        C expected;
    };
    const Case cases[] = {
        {true, 9, 0, true, 9, 0, C::Ok},      {true, 9, 0, true, 8, 59, C::EndBeforeStart},
        {true, 9, 0, true, 17, 30, C::Ok},    {false, 0, 0, true, 17, 0, C::BadStart},
        {true, 9, 0, false, 0, 0, C::BadEnd},
    };
    for (const Case &c : cases)
        EXPECT_EQ(COptionsGeneralModel::CheckTimes(c.startRead, c.sh, c.sm, c.endRead, c.eh, c.em),
                  c.expected)
            << c.sh << ":" << c.sm << "-" << c.eh << ":" << c.em;
}

TEST_F(GeneralModelTest, ApplyWritesTheEncodingsAndMakesThemLive)
{
    COptionsGeneralModel model;
    model.Load(m_live, Program());
    auto &s = model.GetState();
    s.workDays = {true, false, false, false, false, false, true}; // weekend only
    s.firstDayOfWeek = 6;
    s.weekOfYearRule = 2;
    s.startHour = 7;
    s.startMinute = 30;
    s.endHour = 18;
    s.endMinute = 15;
    s.showMainWindow = false;
    s.startupView = 4;
    const auto result = model.Apply(m_live, nullptr, Program());
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.refreshViews);
    EXPECT_TRUE(result.layOutAgain);
    EXPECT_EQ(GetProfileInt("Common", "WD", 0), 0x41);
    EXPECT_EQ(GetProfileInt("Common", "FDOW", 0), 6);
    EXPECT_EQ(GetProfileInt("Common", "FWOY", 0), 2);
    EXPECT_EQ(GetProfileInt("Common", "WTS", 0), 7 << 16 | 30);
    EXPECT_EQ(GetProfileInt("Common", "WTE", 0), 18 << 16 | 15);
    EXPECT_EQ(GetProfileInt("Common", "HMW", 0), 1);
    EXPECT_EQ(GetProfileInt("Common", "SView", 0), 4);
    EXPECT_EQ(m_live.workDays, 0x41);
    EXPECT_EQ(GetWorkWeekMask(), 0x41);
    EXPECT_EQ(GetFirstDayOfWeek(), 6);
    EXPECT_EQ(GetWeekOfYearRule(), 2);

    // Nothing that shapes the views changed: no redraw is asked for.
    COptionsGeneralModel again;
    again.Load(m_live, Program());
    again.GetState().startupView = 2;
    EXPECT_FALSE(again.Apply(m_live, nullptr, Program()).refreshViews);
}

TEST_F(GeneralModelTest, StartUpViewIsClampedWhenRead)
{
    for (const auto &[stored, expected] : {std::pair{-3, 0}, std::pair{7, 7}, std::pair{12, 8}}) {
        WriteProfileInt("Common", "SView", stored);
        COptionsGeneralModel model;
        model.Load(m_live, Program());
        EXPECT_EQ(model.GetState().startupView, expected) << stored;
    }
}

TEST_F(GeneralModelTest, HotKeyChangeReleasesTheOldKeyAndARefusedOneIsNotStored)
{
    ScriptedGrabber grabber;
    CHotKeySet keys(grabber);
    const std::uint16_t ctrlAltT = CHotKeyCodec::kControl | CHotKeyCodec::kAlt | 'T';
    ASSERT_TRUE(keys.ChangeHotKey(HotKeyId::Restore, ctrlAltT));
    grabber.log.clear();

    COptionsGeneralModel model;
    model.Load(m_live, Program());
    EXPECT_EQ(model.GetState().hotKeys[0], ctrlAltT);
    const std::uint16_t ctrlAltY = CHotKeyCodec::kControl | CHotKeyCodec::kAlt | 'Y';
    const std::uint16_t ctrlAltZ = CHotKeyCodec::kControl | CHotKeyCodec::kAlt | 'Z';
    model.GetState().hotKeys[0] = ctrlAltY; // main window
    model.GetState().hotKeys[1] = ctrlAltZ; // new event: held by another program
    grabber.refusedKeys = {'Z'};
    const auto result = model.Apply(m_live, &keys, Program());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(grabber.log, QStringList({"release 125 84", "grab 125 89"}));
    EXPECT_EQ(GetProfileInt("Common", "HKMW", 0), ctrlAltY);
    EXPECT_EQ(GetProfileInt("Common", "HKNE", -1), -1); // never written
    EXPECT_EQ(result.refusedHotKeys.size(), 1);
}

TEST_F(GeneralModelTest, StartWithSystemWritesRemovesAndReportsTheEntry)
{
    const QString entry = CFirstRunDefaults::AutostartFilePath();
    COptionsGeneralModel model;
    model.Load(m_live, Program());
    EXPECT_TRUE(model.GetState().startWithSystemAvailable);
    EXPECT_FALSE(model.GetState().startWithSystem);
    model.GetState().startWithSystem = true;
    EXPECT_TRUE(model.Apply(m_live, nullptr, Program()).ok);
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(COptionsGeneralModel::AutostartStarts(Program()));

    COptionsGeneralModel reread;
    reread.Load(m_live, Program());
    EXPECT_TRUE(reread.GetState().startWithSystem);
    reread.GetState().startWithSystem = false;
    EXPECT_TRUE(reread.Apply(m_live, nullptr, Program()).ok);
    EXPECT_FALSE(QFile::exists(entry));

    // Without the program file the box is off and disabled, and the entry goes on apply.
    ASSERT_TRUE(CFirstRunDefaults::WriteAutostartEntry(Program()));
    const QString missing = m_profile.Folder() + QStringLiteral("/no-such-program");
    COptionsGeneralModel gone;
    gone.Load(m_live, missing);
    EXPECT_FALSE(gone.GetState().startWithSystemAvailable);
    EXPECT_FALSE(gone.GetState().startWithSystem);
    EXPECT_TRUE(gone.Apply(m_live, nullptr, missing).ok);
    EXPECT_FALSE(QFile::exists(entry));
}

TEST_F(GeneralModelTest, AStartUpEntryThatCannotBeWrittenFailsTheApply)
{
    // A file where the autostart folder should be.
    const QString blocked = m_profile.Folder() + QStringLiteral("/blocked");
    QFile block(blocked);
    ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    block.close();
    CFirstRunDefaults::SetAutostartFolder(blocked);
    COptionsGeneralModel model;
    model.Load(m_live, Program());
    model.GetState().startWithSystem = true;
    const auto result = model.Apply(m_live, nullptr, Program());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.autostartError, 3u);
    EXPECT_FALSE(model.GetState().startWithSystem); // the box is unchecked
}

TEST(HotKeyCodecTest, KeysBecomeWordsAndTexts)
{
    struct Case
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::uint16_t word;
    };
    const Case cases[] = {
        {Qt::Key_T, Qt::ControlModifier | Qt::AltModifier, 0x0654},
        {Qt::Key_F5, Qt::ShiftModifier, 0x0174},
        {Qt::Key_Insert, Qt::ControlModifier, 0x0A2D}, // extended, but no Win key
        {Qt::Key_5, Qt::KeypadModifier, 0x0065},
        {Qt::Key_Shift, Qt::ShiftModifier, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CHotKeyCodec::FromKey(c.key, c.modifiers), c.word) << c.key;
    EXPECT_EQ(CHotKeyCodec::WithDefaultModifiers(0x0054), 0x0654); // bare T gets Ctrl+Alt
    EXPECT_EQ(CHotKeyCodec::WithDefaultModifiers(0x0154), 0x0154);
    EXPECT_EQ(CHotKeyCodec::WithDefaultModifiers(0), 0);
    EXPECT_EQ(CHotKeyCodec::ToText(0), QStringLiteral("None"));
    EXPECT_EQ(CHotKeyCodec::ToText(0x0654), QStringLiteral("Ctrl+Alt+T"));
}

TEST(ColorsModelTest, CustomColoursNeedExactlySixtyFourBytes)
{
    COptionsColorsModel::CustomColors colors{};
    for (int i = 0; i < 16; ++i)
        colors[std::size_t(i)] = COLORREF(0x010203 * (i + 1));
    const QByteArray blob = COptionsColorsModel::EncodeCustomColors(colors);
    ASSERT_EQ(blob.size(), 64);
    EXPECT_EQ(quint8(blob[0]), 0x03); // red byte first, as the colour value is stored
    EXPECT_EQ(COptionsColorsModel::DecodeCustomColors(blob), colors);
    for (int size : {0, 63, 65}) {
        const auto read = COptionsColorsModel::DecodeCustomColors(QByteArray(size, '\x11'));
        for (COLORREF c : read)
            EXPECT_EQ(c, 0xFFFFFFu) << size;
    }
}

TEST(ColorsModelTest, ReadsDefaultsLeavesOnlyWithDistinctPaneColoursAndWritesOnChange)
{
    TempProfile profile;
    COptionsColorsModel model;
    model.Load(0xE0E0E0, 0x202020);
    const auto &s = model.GetState();
    EXPECT_EQ(s.overdue, 0x0000FFu);
    EXPECT_EQ(s.completed, 0x848484u);
    EXPECT_EQ(s.paneBackground, 0xE0E0E0u); // the live ones
    EXPECT_TRUE(s.largeIcons);
    EXPECT_FALSE(model.Apply()); // nothing changed, nothing written
    EXPECT_FALSE(profile.Profile().HasValue("Common", "CIC"));

    model.GetState().paneText = model.GetState().paneBackground;
    EXPECT_TRUE(model.CanLeave()); // the pane colours are not used
    model.GetState().customPanes = true;
    EXPECT_FALSE(model.CanLeave());
    model.GetState().paneText = 0x000080;
    EXPECT_TRUE(model.CanLeave());

    model.GetState().largeIcons = false;
    model.GetState().overdue = 0x00FF00;
    model.MarkChanged();
    EXPECT_TRUE(model.Apply());
    EXPECT_TRUE(model.PaneColorsChanged());
    EXPECT_EQ(GetProfileInt("Common", "CIC", 0), 1);
    EXPECT_EQ(GetProfileInt("Common", "ICT", 0), 0x000080);
    EXPECT_EQ(GetProfileInt("Common", "TLI", 1), 0);
    EXPECT_EQ(GetProfileInt("Tasks", "TCO", 0), 0x00FF00);
    QByteArray ccs;
    EXPECT_TRUE(GetProfileBinary("Common", "CCS", ccs));
    EXPECT_EQ(ccs.size(), 64);
}

TEST(AdvancedModelTest, FourteenValuesWithNotifyInvertedAndRemindersStateFromTheFile)
{
    TempProfile profile;
    AppSettings live;
    COptionsAdvancedModel model;
    model.Load(live);
    EXPECT_TRUE(model.IsChecked(0));  // "KRS" missing: default 1
    EXPECT_TRUE(model.IsChecked(5));  // NNF 0: notify is selected
    EXPECT_TRUE(model.IsChecked(13)); // ASQD 1
    EXPECT_FALSE(model.IsChecked(2)); // MWHM 0

    for (int i = 0; i < COptionsAdvancedModel::kCount; ++i)
        model.SetChecked(i, !model.IsChecked(i));
    model.Apply(live);
    int written = 0;
    for (const auto &s : COptionsAdvancedModel::Switches()) {
        const int value = GetProfileInt("Common", s.valueName, -1);
        EXPECT_NE(value, -1) << s.valueName;
        written += value != -1;
    }
    EXPECT_EQ(written, 14);
    EXPECT_EQ(GetProfileInt("Common", "KRS", -1), 0);
    EXPECT_EQ(GetProfileInt("Common", "NNF", -1), 1); // notify unchecked: "no notify" stored
    EXPECT_EQ(live.newItemsWithoutReminder, 1);
    EXPECT_EQ(live.hideWhenMinimised, 1);
    EXPECT_EQ(live.exitOnClose, 1);
    EXPECT_EQ(live.confirmDelete, 0);
    EXPECT_EQ(live.remindersOnOtherMonitor, 1);
}

} // namespace
