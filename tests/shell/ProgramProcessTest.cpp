// The real program on the offscreen platform in a throwaway home: first start, a second copy
// handing over a file or "-quit", and never two copies at once.
#include "core/storage/DataFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>

namespace {

class ProgramProcessTest : public testing::Test
{
  protected:
    ProgramProcessTest()
    {
        const QString home = m_home.path();
        m_env.insert("HOME", home);
        m_env.insert("XDG_CONFIG_HOME", home + "/config");
        m_env.insert("XDG_DATA_HOME", home + "/data");
        m_env.insert("XDG_RUNTIME_DIR", home + "/run");
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        QDir().mkpath(home + "/run");
        QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~ProgramProcessTest() override
    {
        for (QProcess *p : m_started) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
            delete p;
        }
    }

    QProcess *Start(const QStringList &args)
    {
        auto *p = new QProcess;
        p->setProcessEnvironment(m_env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(TESSIVO_PROGRAM, args);
        EXPECT_TRUE(p->waitForStarted(10000));
        m_started.push_back(p);
        return p;
    }
    // Runs a copy to its end; its exit code, or -1 when it did not end in time.
    int Run(const QStringList &args)
    {
        QProcess *p = Start(args);
        if (!p->waitForFinished(30000))
            return -1;
        return p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
    }
    static bool WaitFor(const std::function<bool()> &ready, int ms = 30000)
    {
        QDeadlineTimer deadline(ms);
        while (!ready()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }
    // QProcess learns of an end only while waiting.
    static bool Ended(QProcess *p) { return p->state() == QProcess::NotRunning || p->waitForFinished(20); }
    QString Home() const { return m_home.path(); }
    QString SampleFile() const { return Home() + "/data/Zemblar Software/Tessivo/calendar.qv0"; }
    QString SettingsFile() const { return Home() + "/config/Zemblar Software/Tessivo.conf"; }
    // Up when it listens for other copies.
    bool Listening() const
    {
        return !QDir(Home() + "/run").entryList({"m_tessvo32-*.sock"}, QDir::System | QDir::Files).isEmpty();
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    std::vector<QProcess *> m_started;
};

TEST_F(ProgramProcessTest, FirstStartCreatesTheDataFileAndQuitEndsIt)
{
    QProcess *first = Start({});
    ASSERT_TRUE(WaitFor([&] { return Listening(); }));
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(SampleFile()); }));
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(Home() + "/config/autostart/tessivo.desktop"); }));

    EXPECT_EQ(Run({"/QUIT"}), 0);
    ASSERT_TRUE(first->waitForFinished(30000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first->exitCode(), 0);
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Common/L0").toString(), SampleFile());
    EXPECT_FALSE(settings.value("Common/Data1").toByteArray().isEmpty()); // the window's layout was saved
}

TEST_F(ProgramProcessTest, ASecondCopyHandsItsFileToTheFirst)
{
    const QString other = Home() + "/Other Calendar.qv0";
    ASSERT_EQ(CDataFile().Create(other, "Other", ""), S_OK);
    QProcess *first = Start({});
    ASSERT_TRUE(WaitFor([&] { return Listening(); }));
    EXPECT_EQ(Run({other}), 0);
    EXPECT_EQ(Run({"-quit"}), 0);
    ASSERT_TRUE(first->waitForFinished(30000));
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Common/L0").toString(), other);
    EXPECT_EQ(settings.value("RecentFileList/Item1").toString(), other);
}

TEST_F(ProgramProcessTest, TwoCopiesNeverBothRun)
{
    QProcess *a = Start({});
    QProcess *b = Start({});
    // One of the two ends by itself within moments; the other keeps running.
    ASSERT_TRUE(WaitFor([&] { return Ended(a) || Ended(b); }));
    QThread::msleep(300);
    EXPECT_NE(Ended(a), Ended(b));
    ASSERT_TRUE(WaitFor([&] { return Listening(); }));
    EXPECT_EQ(Run({"--quit"}), 0);
    EXPECT_TRUE(WaitFor([&] { return Ended(a) && Ended(b); }));
}

TEST_F(ProgramProcessTest, WithoutADisplayItSaysSoAndFails)
{
    m_env.remove("QT_QPA_PLATFORM");
    m_env.remove("DISPLAY");
    m_env.remove("WAYLAND_DISPLAY");
    QProcess *p = Start({});
    p->setProcessChannelMode(QProcess::SeparateChannels);
    ASSERT_TRUE(p->waitForFinished(30000));
    EXPECT_NE(p->exitCode(), 0);
}

} // namespace
