// The data-file dialogs driven offscreen: fields set, OK clicked, boxes caught by the fake
// message port, the wrong-password wait replaced by a counter.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/system/ConstStrings.h"
#include "core/document/CalendarDocument.h"
#include "core/storage/DataFile.h"
#include "core/system/ReadingOrder.h"
#include "core/system/StringTable.h"
#include "editing/datafile/DataFileDialogRules.h"
#include "editing/datafile/DataFilePropertiesGeneral.h"
#include "editing/base/DialogSupport.h"
#include "editing/datafile/NewDataFileDlg.h"
#include "editing/datafile/PasswordPromptDlg.h"
#include "editing/datafile/PasswordPromptPort.h"
#include "editing/datafile/PasswordProtectionDlg.h"
#include "editing/datafile/RenameDataFileDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kPassword = QStringLiteral("open sesame");

QLineEdit *Edit(QWidget &w, const char *name)
{
    auto *edit = w.findChild<QLineEdit *>(QString::fromLatin1(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

void ClickOk(QDialog &dialog)
{
    auto *box = dialog.findChild<QDialogButtonBox *>();
    ASSERT_NE(box, nullptr);
    box->button(QDialogButtonBox::Ok)->click();
}

class DataFileDialogsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("calendar.qvd"));
        m_previousWait = SetWrongPasswordWait([this] { ++m_waits; });
    }
    void TearDown() override
    {
        SetWrongPasswordWait(std::move(m_previousWait));
        if (m_file.IsOpen())
            m_file.Close();
    }

    // A file protected by kPassword, open read-write and validated, its key not yet given.
    void OpenProtectedFile(bool readOnly = false)
    {
        ASSERT_EQ(CDataFile().Create(m_path, QStringLiteral("Home"), kPassword), S_OK);
        ASSERT_EQ(m_file.Open(m_path, readOnly), S_OK);
        ASSERT_EQ(m_file.Validate(), S_OK);
    }

    // Shows a dialog so that focus moves inside it.
    static void Show(QDialog &dialog)
    {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
    }

    QTemporaryDir m_dir;
    QString m_path;
    CDataFile m_file;
    FakeMessagePort m_port;
    int m_waits = 0;
    WrongPasswordWaitFn m_previousWait;
};

// ---- Password Protection ----

TEST_F(DataFileDialogsTest, ChangePasswordWrongOldEmptiesOnlyOldField)
{
    OpenProtectedFile();
    CPasswordProtectionDlg dialog(m_file);
    Show(dialog);
    Edit(dialog, "oldPassword")->setText("guess");
    Edit(dialog, "newPassword")->setText("new one");
    Edit(dialog, "confirmPassword")->setText("new one");
    QString oldFieldWhenWarned = QStringLiteral("not shown");
    m_port.onShow = [&](const MessageBoxRequest &) {
        oldFieldWhenWarned = Edit(dialog, "oldPassword")->text();
    };
    Edit(dialog, "confirmPassword")->setFocus();
    ClickOk(dialog);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_waits, 1);
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].text, LoadResString(DataFileDialogText::WrongPassword));
    EXPECT_EQ(m_port.shown[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(oldFieldWhenWarned.isEmpty()); // emptied before the warning
    EXPECT_EQ(Edit(dialog, "newPassword")->text(), QStringLiteral("new one"));
    EXPECT_EQ(Edit(dialog, "confirmPassword")->text(), QStringLiteral("new one"));
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, "oldPassword"));
}

TEST_F(DataFileDialogsTest, ChangePasswordMismatchEmptiesNewPair)
{
    OpenProtectedFile();
    CPasswordProtectionDlg dialog(m_file);
    Show(dialog);
    Edit(dialog, "oldPassword")->setText(kPassword);
    Edit(dialog, "newPassword")->setText("one");
    Edit(dialog, "confirmPassword")->setText("two");
    ClickOk(dialog);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_waits, 0);
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].text, LoadResString(DataFileDialogText::PasswordsDiffer));
    EXPECT_EQ(Edit(dialog, "oldPassword")->text(), kPassword);
    EXPECT_TRUE(Edit(dialog, "newPassword")->text().isEmpty());
    EXPECT_TRUE(Edit(dialog, "confirmPassword")->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, "newPassword"));
}

TEST_F(DataFileDialogsTest, ChangePasswordEndings)
{
    OpenProtectedFile();
    const struct
    {
        const char *newPassword;
        int result;
    } cases[] = {
        {"open sesame", QDialog::Rejected}, // unchanged: nothing to do
        {"close sesame", QDialog::Accepted},
        {"", QDialog::Accepted}, // protection taken off
    };
    for (const auto &c : cases) {
        CPasswordProtectionDlg dialog(m_file);
        Show(dialog);
        Edit(dialog, "oldPassword")->setText(kPassword);
        Edit(dialog, "newPassword")->setText(c.newPassword);
        Edit(dialog, "confirmPassword")->setText(c.newPassword);
        ClickOk(dialog);
        EXPECT_FALSE(dialog.isVisible()) << c.newPassword;
        EXPECT_EQ(dialog.result(), c.result) << c.newPassword;
        if (c.result == QDialog::Accepted) {
            EXPECT_EQ(dialog.GetNewPassword(), QString::fromLatin1(c.newPassword));
        }
    }
    EXPECT_TRUE(m_port.shown.isEmpty());
    EXPECT_EQ(m_waits, 0);
}

TEST_F(DataFileDialogsTest, ChangePasswordOnUnprotectedFileTakesEmptyOld)
{
    ASSERT_EQ(CDataFile().Create(m_path, QStringLiteral("Open"), QString()), S_OK);
    ASSERT_EQ(m_file.Open(m_path, false), S_OK);
    ASSERT_EQ(m_file.Validate(), S_OK);
    CPasswordProtectionDlg dialog(m_file);
    Show(dialog);
    Edit(dialog, "newPassword")->setText("fresh");
    Edit(dialog, "confirmPassword")->setText("fresh");
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetNewPassword(), QStringLiteral("fresh"));
}

// ---- Password prompt ----

TEST_F(DataFileDialogsTest, PromptAcceptsRightPasswordAndFileHoldsKey)
{
    OpenProtectedFile();
    CPasswordPromptDlg dialog(m_file);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Password for Home - Tessivo"));
    EXPECT_EQ(Edit(dialog, "filePath")->text(), m_path);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    Edit(dialog, "password")->setText("wrong");
    Edit(dialog, "filePath")->setFocus();
    ClickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_waits, 1);
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].text, LoadResString(DataFileDialogText::WrongPassword));
    EXPECT_EQ(Edit(dialog, "password")->text(), QStringLiteral("wrong")); // kept for correcting
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, "password"));
    EXPECT_EQ(m_file.GetKey(), nullptr);

    Edit(dialog, "password")->setText(kPassword);
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetPassword(), kPassword);
    EXPECT_NE(m_file.GetKey(), nullptr);
    EXPECT_EQ(m_port.shown.size(), 1);
}

TEST_F(DataFileDialogsTest, PromptWithParentIsNotTopmostAndReportsOtherFailures)
{
    QWidget owner;
    int tries = 0;
    CPasswordPromptDlg dialog(
        QStringLiteral("/tmp/x.qvd"), QStringLiteral("Work"),
        [&tries](const QString &) {
            ++tries;
            return HresultFromErrno(EIO);
        },
        &owner);
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    dialog.findChild<QLineEdit *>(QStringLiteral("password"))->setText("x");
    dialog.accept();
    EXPECT_EQ(tries, 1);
    EXPECT_EQ(m_waits, 1);
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(m_port.shown[0].text.left(ErrorCodeToText(HresultFromErrno(EIO)).size()),
              ErrorCodeToText(HresultFromErrno(EIO)));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(DataFileDialogsTest, PromptForPasswordRunsModallyUntilCancelOrSuccess)
{
    OpenProtectedFile();
    // Answer the modal prompt once it is up: first a cancel, then the right password.
    auto answer = [](const QString &password) {
        QTimer::singleShot(0, [password] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (password.isNull()) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>(QStringLiteral("password"))->setText(password);
            dialog->accept();
        });
    };
    answer(QString());
    EXPECT_EQ(CPasswordPromptDlg::PromptForPassword(nullptr, m_file), QV_E_WRONG_PASSWORD);
    EXPECT_EQ(m_file.GetKey(), nullptr);

    answer(kPassword);
    const std::optional<QString> typed = CPasswordPromptDlg::PromptForPassword(
        nullptr, m_path, m_file.GetTitle(), [this](const QString &p) { return m_file.CheckPassword(p); });
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, kPassword);
    EXPECT_NE(m_file.GetKey(), nullptr);
}

// ---- Create New and Rename: the name limit ----

TEST_F(DataFileDialogsTest, NewDataFileDefaultsAndPasswordMismatch)
{
    CNewDataFileDlg dialog;
    Show(dialog);
    EXPECT_EQ(Edit(dialog, "name")->text(), QStringLiteral("Personal Calendar"));
    Edit(dialog, "newPassword")->setText("a");
    Edit(dialog, "confirmPassword")->setText("b");
    Edit(dialog, "name")->setFocus();
    ClickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].text, LoadResString(DataFileDialogText::PasswordsDiffer));
    EXPECT_TRUE(Edit(dialog, "newPassword")->text().isEmpty());
    EXPECT_TRUE(Edit(dialog, "confirmPassword")->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog, "newPassword"));

    Edit(dialog, "newPassword")->setText("same");
    Edit(dialog, "confirmPassword")->setText("same");
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetName(), QStringLiteral("Personal Calendar"));
    EXPECT_EQ(dialog.GetPassword(), QStringLiteral("same"));
}

// Both name dialogs refuse a name over the limit, keep it for correcting, and take one at it.
template <class Dialog> void CheckNameLimit(FakeMessagePort &port)
{
    Dialog dialog;
    dialog.show();
    QLineEdit *name = dialog.template findChild<QLineEdit *>(QStringLiteral("name"));
    ASSERT_NE(name, nullptr);
    const QString tooLong(kMaxCalendarNameLength + 1, QLatin1Char('x'));
    name->setText(tooLong);
    dialog.template findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->setFocus();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(port.shown.size(), 1);
    EXPECT_EQ(port.shown[0].text, QStringLiteral("Please enter no more than 127 characters."));
    EXPECT_EQ(name->text(), tooLong);
    EXPECT_EQ(dialog.focusWidget(), name);

    const QString atLimit(kMaxCalendarNameLength, QChar(0x00E9));
    name->setText(atLimit);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetName(), atLimit);
    port.shown.clear();
}

TEST_F(DataFileDialogsTest, NameLimitInCreateNewAndRename)
{
    CheckNameLimit<CNewDataFileDlg>(m_port);
    CheckNameLimit<CRenameDataFileDlg>(m_port);
}

TEST_F(DataFileDialogsTest, RenameShowsItsFields)
{
    CRenameDataFileDlg dialog;
    EXPECT_TRUE(Edit(dialog, "name")->text().isEmpty());
    dialog.SetName("Home");
    dialog.SetFilePath(m_path);
    EXPECT_EQ(Edit(dialog, "name")->text(), QStringLiteral("Home"));
    EXPECT_EQ(Edit(dialog, "filePath")->text(), m_path);
    EXPECT_TRUE(Edit(dialog, "filePath")->isReadOnly());
}

TEST_F(DataFileDialogsTest, DialogsFollowRightToLeftReading)
{
    TempProfile profile;
    WriteProfileInt(ConstName::Common, ConstName::RTL, 1);
    SettleReadingOrder();
    CRenameDataFileDlg rename;
    CNewDataFileDlg create;
    CPasswordPromptDlg prompt(QStringLiteral("/tmp/x.qvd"), QStringLiteral("Home"), nullptr);
    WriteProfileInt(ConstName::Common, ConstName::RTL, 0);
    SettleReadingOrder();
    CRenameDataFileDlg leftToRight;

    EXPECT_EQ(Edit(rename, "name")->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(Edit(create, "name")->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(Edit(prompt, "password")->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(Edit(leftToRight, "name")->layoutDirection(), Qt::LeftToRight);
}

// ---- Properties, General page ----

TEST_F(DataFileDialogsTest, GeneralPageShowsFileFacts)
{
    OpenProtectedFile();
    StorageFileInformation info;
    ASSERT_EQ(m_file.GetStorageFile().GetFileInformation(info), S_OK);
    CDataFilePropertiesGeneral page(&m_file);
    EXPECT_EQ(Edit(page, "name")->text(), QStringLiteral("Home"));
    EXPECT_EQ(Edit(page, "fileName")->text(), m_path);
    EXPECT_EQ(Edit(page, "size")->text(), QStringLiteral("%1 KB").arg(info.size / 1024));
    EXPECT_EQ(Edit(page, "created")->text(), FormatCreatedText(m_file.GetCreationTime()));
    EXPECT_TRUE(page.findChild<QPushButton *>("renameCalendar")->isEnabled());
    // No backup in the program yet: the button waits for it.
    EXPECT_FALSE(page.findChild<QPushButton *>("backUp")->isEnabled());
}

TEST_F(DataFileDialogsTest, GeneralPageButtonsOffWithoutFileOrReadOnly)
{
    auto backUp = [](QWidget *, CDataFile &) { return S_OK; };
    {
        CDataFilePropertiesGeneral page(nullptr, {nullptr, backUp});
        EXPECT_TRUE(Edit(page, "name")->text().isEmpty());
        EXPECT_FALSE(page.findChild<QPushButton *>("renameCalendar")->isEnabled());
        EXPECT_FALSE(page.findChild<QPushButton *>("backUp")->isEnabled());
    }
    OpenProtectedFile(true);
    CDataFilePropertiesGeneral page(&m_file, {nullptr, backUp});
    EXPECT_EQ(Edit(page, "name")->text(), QStringLiteral("Home"));
    EXPECT_FALSE(page.findChild<QPushButton *>("renameCalendar")->isEnabled());
    EXPECT_FALSE(page.findChild<QPushButton *>("backUp")->isEnabled());
    // Reached anyway (a keyboard accelerator), Back Up is refused with the read-only message.
    page.OnBackUp();
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].text, LoadResString(DataFileDialogText::ReadOnlyMode));
}

TEST_F(DataFileDialogsTest, GeneralPageRenameStoresTitle)
{
    OpenProtectedFile();
    ASSERT_EQ(m_file.CheckPassword(kPassword), S_OK);
    int titleUpdates = 0;
    CDataFilePropertiesGeneral page(&m_file, {[&titleUpdates] { ++titleUpdates; }, nullptr});

    QString shownName, shownPath;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CRenameDataFileDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownName = dialog->GetName();
        shownPath = dialog->GetFilePath();
        dialog->findChild<QLineEdit *>(QStringLiteral("name"))->setText("Family");
        dialog->accept();
    });
    page.findChild<QPushButton *>("renameCalendar")->click();

    EXPECT_EQ(shownName, QStringLiteral("Home"));
    EXPECT_EQ(shownPath, m_path);
    EXPECT_EQ(Edit(page, "name")->text(), QStringLiteral("Family"));
    EXPECT_EQ(m_file.GetTitle(), QStringLiteral("Family"));
    EXPECT_EQ(titleUpdates, 1);
    m_file.Close();
    CDataFile again;
    ASSERT_EQ(again.Open(m_path, true), S_OK);
    EXPECT_EQ(again.GetTitle(), QStringLiteral("Family"));
}

TEST_F(DataFileDialogsTest, GeneralPageShowsStoredTitleWhenHeaderCutsIt)
{
    OpenProtectedFile();
    CDataFilePropertiesGeneral page(&m_file);
    // 127 two-byte characters do not fit the 127-byte field: the stored title is cut whole.
    ASSERT_EQ(page.ApplyNewName(QString(127, QChar(0x00E9))), S_OK);
    EXPECT_EQ(Edit(page, "name")->text(), QString(63, QChar(0x00E9)));
    EXPECT_EQ(m_file.GetTitle(), Edit(page, "name")->text());
}

TEST_F(DataFileDialogsTest, GeneralPageBackUpReportsFailureNotCancel)
{
    OpenProtectedFile();
    HRESULT answer = QV_E_CANCELLED;
    int runs = 0;
    CDataFilePropertiesGeneral page(&m_file, {nullptr, [&](QWidget *, CDataFile &file) {
                                                  EXPECT_EQ(&file, &m_file);
                                                  ++runs;
                                                  return answer;
                                              }});
    QPushButton *backUp = page.findChild<QPushButton *>("backUp");
    ASSERT_TRUE(backUp->isEnabled());
    backUp->click();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(m_port.shown.isEmpty());
    answer = HresultFromErrno(ENOSPC);
    backUp->click();
    ASSERT_EQ(m_port.shown.size(), 1);
    EXPECT_EQ(m_port.shown[0].icon, MessageIcon::Error);
}

} // namespace

// ---- The document asks through the dialog ----

TEST_F(DataFileDialogsTest, DocumentOpensProtectedFileThroughThePrompt)
{
    ASSERT_EQ(CDataFile().Create(m_path, QStringLiteral("Home"), kPassword), S_OK);
    CPasswordPromptPort prompt;
    CCalendarDocument document;
    document.SetPasswordPrompt(&prompt);
    // A wrong password keeps the prompt up; the right one then opens the file.
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("password"));
        field->setText(QStringLiteral("wrong"));
        dialog->accept();
        QTimer::singleShot(0, [dialog, field] {
            EXPECT_TRUE(dialog->isVisible());
            field->setText(kPassword);
            dialog->accept();
        });
    });
    EXPECT_EQ(document.OpenCalendarFile(m_path), S_OK);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_EQ(m_waits, 1);
    document.CloseCalendarFile();
}
