// Hot-key changes: release before grab, a refused grab keeps the old key and writes nothing,
// the extended flag is no modifier.
#include "common/TempProfile.h"
#include "shell/HotKeySet.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// Records grabs like the X server: a combination held by "another program" is refused, and
// a combination can be held once.
class FakeGrabber : public IHotKeyGrabber
{
  public:
    bool available = true;
    std::vector<std::pair<std::uint8_t, int>> refused; // key, modifier bits
    QStringList log;
    std::set<std::pair<std::uint8_t, int>> held;

    static int Bits(const HotKeyCombo &c) { return (c.shift ? 1 : 0) | (c.control ? 2 : 0) | (c.alt ? 4 : 0); }
    bool IsAvailable() const override { return available; }
    bool Grab(int id, const HotKeyCombo &c) override
    {
        const auto key = std::make_pair(c.keyCode, Bits(c));
        for (const auto &r : refused)
            if (r == key) {
                log << QStringLiteral("refused %1").arg(id);
                return false;
            }
        if (!held.insert(key).second)
            return false;
        log << QStringLiteral("grab %1 %2/%3").arg(id).arg(c.keyCode).arg(Bits(c));
        return true;
    }
    void Release(int id, const HotKeyCombo &c) override
    {
        held.erase({c.keyCode, Bits(c)});
        log << QStringLiteral("release %1 %2/%3").arg(id).arg(c.keyCode).arg(Bits(c));
    }
};

constexpr std::uint16_t Word(int key, int flags)
{
    return std::uint16_t(key | flags << 8);
}

TEST(HotKeySetTest, ChangingAKeyReleasesTheOldOneFirst)
{
    TempProfile temp;
    FakeGrabber grabber;
    CHotKeySet keys(grabber);
    ASSERT_TRUE(keys.ChangeHotKey(HotKeyId::Restore, Word('R', 2)));
    ASSERT_TRUE(keys.ChangeHotKey(HotKeyId::Restore, Word('T', 6)));
    EXPECT_EQ(grabber.log, QStringList({"grab 125 82/2", "release 125 82/2", "grab 125 84/6"}));
    EXPECT_EQ(grabber.held.size(), 1u); // the old combination no longer fires
    EXPECT_EQ(temp.Profile().GetInt("Common", "HKMW", 0), Word('T', 6));
}

TEST(HotKeySetTest, ARefusedGrabKeepsTheOldKeyAndWritesNothing)
{
    TempProfile temp;
    FakeGrabber grabber;
    CHotKeySet keys(grabber);
    ASSERT_TRUE(keys.ChangeHotKey(HotKeyId::NewEvent, Word('E', 2)));
    grabber.refused.push_back({'X', 2});
    EXPECT_FALSE(keys.ChangeHotKey(HotKeyId::NewEvent, Word('X', 2)));
    EXPECT_EQ(keys.GetWord(HotKeyId::NewEvent), Word('E', 2));
    EXPECT_EQ(temp.Profile().GetInt("Common", "HKNE", 0), Word('E', 2));
    EXPECT_TRUE(grabber.held.count({'E', 2})); // taken back
    EXPECT_EQ(keys.FindId(HotKeyCombo::FromWord(Word('E', 2))), HotKeyId::NewEvent);
}

TEST(HotKeySetTest, ExtendedFlagIsNoModifierAndZeroReleases)
{
    TempProfile temp;
    FakeGrabber grabber;
    CHotKeySet keys(grabber);
    ASSERT_TRUE(keys.SetHotKey(HotKeyId::NewTask, Word(0x2D, 2 | 8))); // Ctrl+Insert, extended key
    EXPECT_EQ(grabber.log, QStringList({"grab 128 45/2"}));
    ASSERT_TRUE(keys.SetHotKey(HotKeyId::NewTask, Word(0x2D, 2))); // same combination: nothing
    EXPECT_EQ(grabber.log.size(), 1u);
    ASSERT_TRUE(keys.SetHotKey(HotKeyId::NewTask, 0));
    EXPECT_TRUE(grabber.held.empty());
    EXPECT_EQ(keys.GetWord(HotKeyId::NewTask), 0);
}

TEST(HotKeySetTest, UnavailableGrabsLeaveKeysUnsetAndLoadingTakesTheStoredWords)
{
    TempProfile temp;
    temp.Profile().WriteInt("Common", "HKMW", Word('R', 2));
    temp.Profile().WriteInt("Common", "HKSA", Word('S', 6));
    FakeGrabber grabber;
    CHotKeySet keys(grabber);
    keys.LoadFromSettings();
    EXPECT_EQ(keys.GetWord(HotKeyId::Restore), Word('R', 2));
    EXPECT_EQ(keys.GetWord(HotKeyId::StopSounds), Word('S', 6));
    keys.ReleaseAll();
    EXPECT_TRUE(grabber.held.empty());

    FakeGrabber none;
    none.available = false;
    CHotKeySet offline(none);
    EXPECT_FALSE(offline.ChangeHotKey(HotKeyId::Restore, Word('Q', 2)));
    EXPECT_EQ(temp.Profile().GetInt("Common", "HKMW", 0), Word('R', 2));
}

} // namespace
