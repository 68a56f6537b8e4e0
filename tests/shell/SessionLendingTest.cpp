// Lending the data file while the session is away: closed quietly, reopened with its key and
// mode and no password question; refused under a modal dialog.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/document/PasswordPrompt.h"
#include "shell/SessionLending.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CountingPrompt : public IPasswordPrompt
{
  public:
    int PromptPassword(CDataFile &, const QString &, const QString &) override
    {
        ++asked;
        return MessageResult::Cancel;
    }
    int asked = 0;
};

class SessionLendingTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        m_path = m_dir.filePath("calendar.qv0");
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, "Home", "secret"), S_OK);
        m_doc.SetPasswordPrompt(&m_prompt);
        m_doc.RegisterAsApplicationDocument();
    }
    void TearDown() override { m_doc.CloseCalendarFile(); }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    QTemporaryDir m_dir;
    QString m_path;
    CountingPrompt m_prompt;
    CCalendarDocument m_doc;
};

TEST_F(SessionLendingTest, LeavingClosesQuietlyAndComingBackReopensWithTheKeyAndMode)
{
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "secret", nullptr, false, true), S_OK);
    CSessionLending lending(m_doc);
    ASSERT_TRUE(lending.OnSessionLeft(false));
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_TRUE(lending.IsLent());
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_FALSE(lending.OnSessionLeft(false)); // already lent
    EXPECT_EQ(lending.OnSessionBack(), S_OK);
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_TRUE(m_doc.IsReadOnly());
    EXPECT_EQ(m_prompt.asked, 0);
    EXPECT_FALSE(lending.IsLent());
    EXPECT_EQ(lending.OnSessionBack(), S_OK); // nothing more to do
}

TEST_F(SessionLendingTest, NothingOpenNothingLentAndAModalDialogKeepsTheFile)
{
    CSessionLending lending(m_doc);
    EXPECT_FALSE(lending.OnSessionLeft(false));
    EXPECT_EQ(lending.OnSessionBack(), S_OK);
    EXPECT_FALSE(m_doc.IsOpen());

    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "secret", nullptr, false), S_OK);
    EXPECT_FALSE(lending.OnSessionLeft(true));
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_FALSE(lending.IsLent());
}

TEST_F(SessionLendingTest, AFileGoneMeanwhileIsReported)
{
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "secret", nullptr, false), S_OK);
    CSessionLending lending(m_doc);
    ASSERT_TRUE(lending.OnSessionLeft(false));
    ASSERT_TRUE(QFile::remove(m_path));
    EXPECT_NE(lending.OnSessionBack(), S_OK);
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_FALSE(lending.IsLent());
    EXPECT_FALSE(m_messages.shown.isEmpty());
}

} // namespace
