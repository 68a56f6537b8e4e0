// Change Password: the new password only after success; a failure at any file step leaves the
// data readable with the old password, every item intact.
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "core/storage/DataFile.h"
#include "shell/PasswordChange.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr HRESULT kInjected = 0x80070005; // access denied

class PasswordChangeTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        m_path = m_dir.filePath("Personal Calendar.qv0");
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, "Home", "old"), S_OK);
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "old", nullptr, false), S_OK);
        for (int i = 0; i < 3; ++i) {
            CEventItem event;
            event.SetSubject(QStringLiteral("Event %1").arg(i));
            event.SetStart(CDateTime(2024, 3, 10 + i, 9, 30));
            ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
        }
        for (int i = 0; i < 2; ++i) {
            CTaskItem task;
            task.SetSubject(QStringLiteral("Task %1").arg(i));
            ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
        }
        m_before = Snapshot(m_path, "old");
        ASSERT_EQ(m_before.size(), 5);
    }
    void TearDown() override { m_doc.CloseCalendarFile(); }

    // Every item of the file as text, or "refused" when the password does not open it.
    static QStringList Snapshot(const QString &path, const QString &password)
    {
        CDataFile file;
        if (file.Open(path, true) != S_OK)
            return {"cannot open"};
        file.Validate();
        if (file.CheckPassword(password) != S_OK)
            return {"refused"};
        QStringList items;
        file.EnumEvents([&](std::uint32_t id) {
            CEventItem event;
            event.SetRecordId(id);
            if (file.LoadEvent(event) == S_OK)
                items << event.GetSubject() + " @" + QString::number(event.GetStart().GetDay());
            return S_OK;
        });
        file.EnumTasks([&](std::uint32_t id) {
            CTaskItem task;
            task.SetRecordId(id);
            if (file.LoadTask(task) == S_OK)
                items << task.GetSubject();
            return S_OK;
        });
        items.sort();
        return items;
    }

    TempProfile m_profile;
    QTemporaryDir m_dir;
    QString m_path;
    CCalendarDocument m_doc;
    QStringList m_before;
};

TEST_F(PasswordChangeTest, SuccessOpensWithTheNewPasswordOnly)
{
    const CPasswordChange::Outcome out = CPasswordChange().Run(m_doc, "new");
    EXPECT_EQ(out.code, S_OK);
    EXPECT_TRUE(out.reopened);
    EXPECT_TRUE(m_doc.IsOpen());
    m_doc.CloseCalendarFile();
    EXPECT_EQ(Snapshot(m_path, "new"), m_before);
    EXPECT_EQ(Snapshot(m_path, "old"), QStringList{"refused"});
    EXPECT_FALSE(QFile::exists(CPasswordChange::NewCopyPath(m_path)));
    EXPECT_FALSE(QFile::exists(CPasswordChange::OldCopyPath(m_path)));
}

// Which step fails, and the how-many-th call of it.
struct Fault
{
    const char *name;
    int writeCopy = 0, link = 0, rename = 0, reopenNew = 0, reopenOld = 0, remove = 0;
    bool passwordChanged = false; // the change itself went through
};

TEST_F(PasswordChangeTest, AFailureAtEachStepLeavesTheDataReadable)
{
    const Fault faults[] = {
        {"writing the copy", 1},
        {"keeping the original", 0, 1},
        {"replacing the file", 0, 0, 1},
        {"opening the new file", 0, 0, 0, 1},
        {"removing the kept original", 0, 0, 0, 0, 0, 3, true},
    };
    for (const Fault &fault : faults) {
        SCOPED_TRACE(fault.name);
        if (!m_doc.IsOpen())
            ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "old", nullptr, false), S_OK);
        CPasswordChange::FileSteps steps = CPasswordChange::RealSteps();
        auto failOn = [](int when, auto real) {
            auto calls = std::make_shared<int>(0);
            return [when, real, calls](auto &&...args) -> HRESULT {
                if (++*calls == when)
                    return kInjected;
                return real(args...);
            };
        };
        steps.writeCopy = failOn(fault.writeCopy, steps.writeCopy);
        steps.link = failOn(fault.link, steps.link);
        steps.rename = failOn(fault.rename, steps.rename);
        steps.remove = failOn(fault.remove, steps.remove);
        steps.beforeReopen = [&](bool useOldKey) { return !useOldKey && fault.reopenNew ? kInjected : S_OK; };

        const CPasswordChange::Outcome out = CPasswordChange(steps).Run(m_doc, "new");
        EXPECT_EQ(out.code, kInjected);
        EXPECT_TRUE(out.dataLeftAt.isEmpty());
        EXPECT_TRUE(m_doc.IsOpen()); // reopened (with the old key after a failure)
        EXPECT_FALSE(QFile::exists(CPasswordChange::NewCopyPath(m_path)));
        m_doc.CloseCalendarFile();
        if (fault.passwordChanged) {
            EXPECT_EQ(Snapshot(m_path, "new"), m_before);
            // Put the old password back for the next case.
            QFile::remove(CPasswordChange::OldCopyPath(m_path));
            ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "new", nullptr, false), S_OK);
            ASSERT_EQ(CPasswordChange().Run(m_doc, "old").code, S_OK);
        } else {
            EXPECT_EQ(Snapshot(m_path, "old"), m_before);
            EXPECT_FALSE(QFile::exists(CPasswordChange::OldCopyPath(m_path)));
        }
    }
}

TEST_F(PasswordChangeTest, WhenTheOriginalCannotGoBackItsPlaceIsNamed)
{
    CPasswordChange::FileSteps steps = CPasswordChange::RealSteps();
    const auto realRename = steps.rename;
    int renames = 0;
    steps.rename = [&](const QString &from, const QString &to) { return ++renames == 2 ? kInjected : realRename(from, to); };
    steps.beforeReopen = [](bool useOldKey) { return useOldKey ? S_OK : kInjected; };
    const CPasswordChange::Outcome out = CPasswordChange(steps).Run(m_doc, "new");
    EXPECT_NE(out.code, S_OK);
    EXPECT_EQ(out.dataLeftAt, CPasswordChange::OldCopyPath(m_path));
    EXPECT_EQ(Snapshot(out.dataLeftAt, "old"), m_before);
}

} // namespace
