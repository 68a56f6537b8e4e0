// First-run defaults: once per installation stamp, the user's values kept, the sample data
// file and the start-up entry made.
#include "common/TempProfile.h"
#include "core/storage/DataFile.h"
#include "core/system/ProgramPaths.h"
#include "shell/FirstRunDefaults.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class FirstRunDefaultsTest : public testing::Test
{
  protected:
    FirstRunDefaultsTest()
    {
        SetStandardFolders({m_temp.Folder() + "/data", m_temp.Folder() + "/docs", m_temp.Folder() + "/shared"});
        CFirstRunDefaults::SetAutostartFolder(m_temp.Folder() + "/autostart");
        SetInstallStamp("stamp-1");
    }
    ~FirstRunDefaultsTest() override
    {
        SetInstallInfoFile(QString());
        CFirstRunDefaults::SetAutostartFolder(QString());
        ResetStandardFolders();
    }
    void SetInstallStamp(const QString &stamp)
    {
        const QString ini = m_temp.Folder() + "/install.ini";
        QSettings info(ini, QSettings::IniFormat);
        info.setValue("Install/Stamp", stamp);
        info.setValue("Install/Path", "/opt/tessivo");
        info.sync();
        SetInstallInfoFile(ini);
    }
    QByteArray ProfileBytes()
    {
        m_temp.Profile().Sync();
        QFile file(m_temp.IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    CProfile &Profile() { return m_temp.Profile(); }

    TempProfile m_temp;
};

TEST_F(FirstRunDefaultsTest, FirstStartWritesDefaultsSampleFileAndStartUpEntry)
{
    EXPECT_EQ(ApplyFirstRunDefaults(Profile()), 1);
    EXPECT_EQ(Profile().GetInt("Common", "WD", 0), 62);
    EXPECT_EQ(Profile().GetInt("MDay", "CB3", 0), 0xCBD8D0);
    EXPECT_EQ(Profile().GetString("Printing\\Memo", "FR"), "[Current Date] [Current Time]");
    EXPECT_EQ(Profile().GetInt("Printing\\Year", "Orient", 0), 2);
    EXPECT_EQ(Profile().GetString("Common", "Stamp"), "stamp-1");
    EXPECT_EQ(Profile().GetString("Install", TESSIVO_VERSION ".0.0"), "stamp-1");
    EXPECT_TRUE(Profile().GetString("RecentSounds", "Item15").endsWith("/Sounds/Alarm.wav"));
    EXPECT_TRUE(Profile().GetString("RecentSounds", "Item1").endsWith("/Sounds/Tinkle.wav"));

    const QString sample = CFirstRunDefaults::SampleDataFilePath();
    EXPECT_EQ(Profile().GetString("Common", "L0"), sample);
    CDataFile file;
    ASSERT_EQ(file.Open(sample, true), S_OK);
    EXPECT_EQ(file.CheckPassword(QString()), S_OK);
    EXPECT_EQ(file.GetTitle(), "Personal Calendar");
    std::vector<ItemListEntry> events;
    ASSERT_EQ(file.EnumItemsOfKind(1, events), S_OK);
    EXPECT_FALSE(events.empty()); // with its sample content
    file.Close();

    QFile autostart(CFirstRunDefaults::AutostartFilePath());
    ASSERT_TRUE(autostart.open(QIODevice::ReadOnly));
    EXPECT_TRUE(autostart.readAll().contains("Exec=\"/opt/tessivo/"));
}

TEST_F(FirstRunDefaultsTest, SecondStartWritesNothing)
{
    ASSERT_EQ(ApplyFirstRunDefaults(Profile()), 1);
    const QByteArray before = ProfileBytes();
    QFile::remove(CFirstRunDefaults::SampleDataFilePath());
    EXPECT_EQ(ApplyFirstRunDefaults(Profile()), 0);
    EXPECT_EQ(ProfileBytes(), before);
    EXPECT_FALSE(QFile::exists(CFirstRunDefaults::SampleDataFilePath())); // only a new stamp makes it again
}

TEST_F(FirstRunDefaultsTest, AnUpdateKeepsTheUsersValues)
{
    ASSERT_EQ(ApplyFirstRunDefaults(Profile()), 1);
    Profile().WriteInt("Common", "WD", 31);
    Profile().WriteInt("Common", "AU", 0);
    Profile().WriteString("RecentSounds", "Item3", "/mine/own.wav");
    Profile().DeleteValue("RecentSounds", "Item4");
    QFile::remove(CFirstRunDefaults::SampleDataFilePath());

    SetInstallStamp("stamp-2");
    EXPECT_EQ(ApplyFirstRunDefaults(Profile()), 1);
    EXPECT_EQ(Profile().GetInt("Common", "WD", 0), 31);
    EXPECT_EQ(Profile().GetInt("Common", "AU", 0), 1); // always written
    EXPECT_EQ(Profile().GetString("RecentSounds", "Item3"), "/mine/own.wav");
    EXPECT_FALSE(Profile().HasValue("RecentSounds", "Item4")); // the list is not refilled
    EXPECT_TRUE(QFile::exists(CFirstRunDefaults::SampleDataFilePath()));
    EXPECT_EQ(Profile().GetString("Common", "Stamp"), "stamp-2");
}

TEST_F(FirstRunDefaultsTest, AnExistingSampleFileIsLeftAlone)
{
    const QString sample = CFirstRunDefaults::SampleDataFilePath();
    ASSERT_EQ(CDataFile().Create(sample, "Mine", "secret"), S_OK);
    ASSERT_EQ(ApplyFirstRunDefaults(Profile()), 1);
    CDataFile file;
    ASSERT_EQ(file.Open(sample, true), S_OK);
    EXPECT_EQ(file.GetTitle(), "Mine");
}

} // namespace
