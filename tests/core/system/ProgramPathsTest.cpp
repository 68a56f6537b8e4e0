#include "core/system/ProgramPaths.h"
#include "common/TempProfile.h"
#include "core/system/ConstStrings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Standard folders and the settings both in a throwaway place.
class ProgramPathsTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        StandardFolders f;
        f.userData = root.filePath(QStringLiteral("share"));
        f.documents = root.filePath(QStringLiteral("Documents"));
        f.sharedData = root.filePath(QStringLiteral("shared"));
        SetStandardFolders(f);
    }
    void TearDown() override
    {
        ResetStandardFolders();
        SetInstallInfoFile(QString());
    }

    QString At(const QString &relative) const { return root.filePath(relative); }

    QTemporaryDir root;
    TempProfile profile;
};
} // namespace

TEST_F(ProgramPathsTest, DataFolderIsMadeOnDemand)
{
    const QString expected = At(QStringLiteral("share/Zemblar Software/Tessivo"));
    EXPECT_FALSE(QFileInfo::exists(expected));
    EXPECT_EQ(GetDataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

TEST_F(ProgramPathsTest, ChosenDataFolderWinsWhenItExists)
{
    const QString chosen = At(QStringLiteral("my data"));
    ASSERT_TRUE(QDir().mkpath(chosen));
    WriteProfileString(ConstName::Common, ConstName::DDIR, chosen + QLatin1Char('/'));
    EXPECT_EQ(GetDataFolder(), chosen);

    // A chosen folder that is missing is passed over, and not created.
    WriteProfileString(ConstName::Common, ConstName::DDIR, At(QStringLiteral("gone")));
    EXPECT_EQ(GetDataFolder(), At(QStringLiteral("share/Zemblar Software/Tessivo")));
    EXPECT_FALSE(QFileInfo::exists(At(QStringLiteral("gone"))));
}

TEST_F(ProgramPathsTest, ProgramFolders)
{
    QString path;
    ASSERT_TRUE(GetProgramFolder(QStringLiteral("sounds"), QStringLiteral("Alarm.wav"), path));
    EXPECT_EQ(path, At(QStringLiteral("shared/Zemblar Software/Tessivo/Sounds/Alarm.wav")));
    // The folders above are made; the sub-folder itself is left to whoever writes into it.
    EXPECT_TRUE(QFileInfo(At(QStringLiteral("shared/Zemblar Software/Tessivo"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(At(QStringLiteral("shared/Zemblar Software/Tessivo/Sounds"))));

    ASSERT_TRUE(GetProgramFolder(QStringLiteral("HOLIDAYS"), QStringLiteral("us.hol"), path));
    EXPECT_EQ(path, At(QStringLiteral("shared/Zemblar Software/Tessivo/Holidays/us.hol")));
    ASSERT_TRUE(GetProgramFolder(QStringLiteral("Icons"), QString(), path));
    EXPECT_EQ(path, At(QStringLiteral("shared/Zemblar Software/Tessivo/Icons/")));

    ASSERT_TRUE(GetProgramFolder(QStringLiteral("Web"), QStringLiteral("index.html"), path));
    EXPECT_EQ(path, At(QStringLiteral("Documents/Web/index.html")));
    EXPECT_TRUE(QFileInfo(At(QStringLiteral("Documents/Web"))).isDir());

    path = QStringLiteral("stale");
    EXPECT_FALSE(GetProgramFolder(QStringLiteral("Data"), QStringLiteral("x"), path));
    EXPECT_TRUE(path.isEmpty());
    EXPECT_FALSE(GetProgramFolder(QString(), QStringLiteral("x"), path));
}

TEST_F(ProgramPathsTest, FileAndFolderTests)
{
    const QString file = At(QStringLiteral("a.qv0"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(root.path()));
    EXPECT_FALSE(FileExists(At(QStringLiteral("missing"))));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(DirectoryExists(root.path()));
    EXPECT_TRUE(DirectoryExists(root.path() + QLatin1Char('/')));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(DirectoryExists(QString()));
}

TEST_F(ProgramPathsTest, InstallValues)
{
    const QString ini = At(QStringLiteral("install.ini"));
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Install]\nPath=\"  /opt/tessivo  \"\nStamp=2024-05-01 build 7\n");
    }
    SetInstallInfoFile(ini);
    EXPECT_EQ(GetInstallValue(QStringLiteral("Path")), QStringLiteral("/opt/tessivo"));
    EXPECT_EQ(GetInstallValue(QStringLiteral("Stamp")), QStringLiteral("2024-05-01 build 7"));
    EXPECT_EQ(GetInstallValue(QStringLiteral("Other")), QString());
    EXPECT_TRUE(GetProgramFilePath().startsWith(QStringLiteral("/opt/tessivo/")));

    // Without the file: the program's own folder and the version text.
    SetInstallInfoFile(At(QStringLiteral("none.ini")));
    EXPECT_EQ(GetInstallValue(QStringLiteral("Path")), QCoreApplication::applicationDirPath());
    EXPECT_EQ(GetInstallValue(QStringLiteral("Stamp")), QStringLiteral("4.0r"));
}
