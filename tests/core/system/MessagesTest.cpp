#include "core/system/Messages.h"
#include "common/FakeMessagePort.h"
#include "core/system/StringTable.h"

#include <QObject>
#include <QSet>
#include <cerrno>
#include <gtest/gtest.h>

namespace {
const QString kHint = QStringLiteral("\nData File is closed.\nOpen a Data File.");
const QString kSupport = QStringLiteral("support@tessivo.example");

QString UnknownText(const char *code)
{
    return QStringLiteral("Unknown error has occurred: %1.\nPlease send a copy of this information to %2")
        .arg(QLatin1String(code), kSupport);
}

// Installs the fake port and the shell's hooks, and removes them afterwards.
class MessagesTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        SetDataFileOpenQuery([this] { return fileOpen; });
        SetReminderWindowsEnabler([this](bool enable) { reminderCalls.append(enable); });
        SetDefaultOwnerProvider([this] { return &mainPopup; });
        SetMainWindowCloser([this] { ++closes; });
    }
    void TearDown() override
    {
        SetDataFileOpenQuery(nullptr);
        SetReminderWindowsEnabler(nullptr);
        SetDefaultOwnerProvider(nullptr);
        SetMainWindowCloser(nullptr);
        QuitWithCode(S_OK, true);
    }

    FakeMessagePort port;
    bool fileOpen = false;
    QList<bool> reminderCalls;
    QObject mainPopup;
    int closes = 0;
};
} // namespace

TEST_F(MessagesTest, EveryOwnCodeInTheCoreRangeHasItsText)
{
    const QSet<HRESULT> silent = {0x80040502, 0x80040503, 0x80040504, 0x8004050B, 0x8004050F, 0x80040517};
    const QSet<HRESULT> named = {0x80040509, 0x8004050A, 0x8004050C, 0x8004050D, 0x8004050E, 0x80040513,
                                 0x80040514, 0x80040520, 0x80040521, 0x80040522, 0x80040523, 0x80040524,
                                 0x80040525, 0x80040526, 0x80040527, 0x8004052E};
    for (HRESULT code = 0x80040502; code <= 0x8004052E; ++code) {
        const int beepsBefore = port.beeps;
        const QString text = ErrorCodeToText(code);
        // Written out independently of the program's own printf-style call.
        const QString hex = QStringLiteral("0x") + QString::number(code, 16);
        if (silent.contains(code)) {
            EXPECT_TRUE(text.isEmpty()) << qPrintable(hex);
        } else if (named.contains(code)) {
            EXPECT_FALSE(text.isEmpty()) << qPrintable(hex);
            EXPECT_FALSE(text.startsWith(QStringLiteral("Unknown error"))) << qPrintable(hex);
            EXPECT_EQ(port.beeps, beepsBefore) << qPrintable(hex);
        } else {
            EXPECT_EQ(text, UnknownText(qPrintable(hex))) << qPrintable(hex);
            EXPECT_EQ(port.beeps, beepsBefore + 1) << qPrintable(hex);
        }
    }
}

TEST_F(MessagesTest, TextsOfSelectedCodes)
{
    const struct
    {
        HRESULT code;
        QString text;
    } cases[] = {
        {0, QString()},
        {1, QString()},
        {0x80040501, QString()},
        {0x80040509, QStringLiteral("Cannot load an item. It could be deleted by another user.\n\n"
                                    "Use View | Refresh menu item to update the events.")},
        {0x8004050A, QStringLiteral("Not enough resources in system.\nProgram will be unloaded.")},
        {0x80040520, QStringLiteral("Data file is not loaded.")},
        {0x80040522, QStringLiteral("The data file is corrupted. Please contact ") + kSupport},
        {0x8004052E, QStringLiteral("You have already tried to convert the data file to the new format.\n"
                                    "The process was not successfull.\n\nPlease contact ") +
                         kSupport},
        {0x80040530, QStringLiteral("The \"vadov.dll\" file could not be found.\nReinstall software.")},
        {0x80040535, QStringLiteral("The \"libical.dll\" file could not be found or incompatible version of "
                                    "the file.\nReinstall software.")},
        {0x80040536, QStringLiteral("iCalendar Import failed.  The input file is not properly formatted.")},
        {0x80040537, QStringLiteral("iCalendar Import failed.  The input file is not properly formatted.")},
        {0x80040539,
         QStringLiteral("Incompatible version of Wendalink for Pocket PC.\n\nUpdate the program or "
                        "contact ") +
             kSupport},
        {0x80040533, UnknownText("0x80040533")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ErrorCodeToText(c.code), c.text) << std::hex << c.code;
}

TEST_F(MessagesTest, SystemCodesBareOrWrapped)
{
    EXPECT_EQ(ErrorCodeToText(5), QStringLiteral("Access is denied."));
    EXPECT_EQ(ErrorCodeToText(0x80070005), QStringLiteral("Access is denied."));
    EXPECT_EQ(ErrorCodeToText(E_OUT_OF_MEMORY), SystemErrorText(14));
    EXPECT_FALSE(SystemErrorText(14).isEmpty());
    // Every code the errno mapping produces has a text of its own.
    for (const int err : {ENOENT, ENOTDIR, EACCES, ENOMEM, EEXIST, ENOSPC, EINVAL, EAGAIN, EBUSY, EIO, ELOOP})
        EXPECT_FALSE(ErrorCodeToText(HresultFromErrno(err)).startsWith(QStringLiteral("Unknown"))) << err;
    // A system code without a text: the unknown-error text, and no beep.
    EXPECT_EQ(ErrorCodeToText(0x80070FFF), UnknownText("0x80070fff"));
    EXPECT_EQ(ErrorCodeToText(0x80004005), UnknownText("0x80004005"));
    EXPECT_EQ(port.beeps, 0);
}

TEST_F(MessagesTest, ClosedFileHintAppearsOnlyWithoutAnOpenFile)
{
    const struct
    {
        HRESULT code;
        bool fileOpen;
        QString shown; // empty: no box
    } cases[] = {
        {0x80040520, false, QStringLiteral("Data file is not loaded.") + kHint},
        {0x80040520, true, QStringLiteral("Data file is not loaded.")},
        {0x80040508, false, UnknownText("0x80040508")},
        {0x80040508, true, UnknownText("0x80040508")},
        {5, false, QStringLiteral("Access is denied.") + kHint},
        {5, true, QStringLiteral("Access is denied.")},
        {0x80040533, false, UnknownText("0x80040533") + kHint},
        {0, false, QString()},
        {1, false, QString()},
        {0x80040502, false, QString()},
        {0x8004050F, false, QString()},
    };
    for (const auto &c : cases) {
        port.shown.clear();
        fileOpen = c.fileOpen;
        EXPECT_EQ(ReportError(c.code), c.code);
        if (c.shown.isEmpty()) {
            EXPECT_TRUE(port.shown.isEmpty()) << std::hex << c.code;
            continue;
        }
        ASSERT_EQ(port.shown.size(), 1) << std::hex << c.code;
        const MessageBoxRequest &box = port.shown.first();
        EXPECT_EQ(box.text, c.shown) << std::hex << c.code;
        EXPECT_EQ(box.caption, QStringLiteral("Tessivo"));
        EXPECT_EQ(box.icon, MessageIcon::Error);
    }
}

TEST_F(MessagesTest, ModalBoxesCountWhileOpenAndDisableReminders)
{
    QObject owner;
    QList<int> nestingWhileUp;
    port.onShow = [&](const MessageBoxRequest &) { nestingWhileUp.append(GetMessageBoxNesting()); };

    ReportError(0x80040520);
    EXPECT_EQ(port.shown.last().owner, &mainPopup); // the main window's popup by default
    ShowWarningTextModal(QStringLiteral("careful"), &owner, false);
    EXPECT_EQ(port.shown.last().owner, &owner);
    EXPECT_EQ(port.shown.last().icon, MessageIcon::Warning);
    ShowInfoText(QStringLiteral("plain box"));

    EXPECT_EQ(nestingWhileUp, (QList<int>{1, 1, 0}));
    EXPECT_EQ(GetMessageBoxNesting(), 0);
    // Only the report asked for the reminder windows to be disabled, and enabled them again.
    EXPECT_EQ(reminderCalls, (QList<bool>{false, true}));

    // A box opened from inside another counts twice.
    nestingWhileUp.clear();
    port.onShow = [&](const MessageBoxRequest &r) {
        nestingWhileUp.append(GetMessageBoxNesting());
        if (r.text == QStringLiteral("outer"))
            ShowErrorTextModal(QStringLiteral("inner"));
    };
    reminderCalls.clear();
    ShowErrorTextModal(QStringLiteral("outer"));
    EXPECT_EQ(nestingWhileUp, (QList<int>{1, 2}));
    EXPECT_EQ(GetMessageBoxNesting(), 0);
    // The inner box closing does not enable the windows under the outer one.
    EXPECT_EQ(reminderCalls, (QList<bool>{false, true}));
    EXPECT_EQ(GetReminderWindowsHoldNesting(), 0);
}

TEST_F(MessagesTest, BoxesFromStringIdsAndQuestions)
{
    ShowWarning(59176);
    EXPECT_EQ(port.LastText(), QStringLiteral("Default Beep"));
    EXPECT_EQ(port.shown.last().icon, MessageIcon::Warning);
    ShowError(1);
    EXPECT_EQ(port.LastText(),
              QStringLiteral("Unknown resource 1.\n\nPlease contact ") + kSupport + QLatin1Char('.'));
    EXPECT_EQ(port.shown.last().icon, MessageIcon::Error);
    EXPECT_TRUE(port.shown.last().topmost);

    port.answer = MessageResult::No;
    EXPECT_EQ(AskQuestion(QStringLiteral("Replace?"), nullptr, MessageButtons::YesNo, 1), MessageResult::No);
    EXPECT_EQ(port.shown.last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(port.shown.last().defaultButton, 1);
}

TEST_F(MessagesTest, WithoutAPortNothingBlocksAndQuestionsAreDeclined)
{
    SetMessagePort(nullptr);
    EXPECT_EQ(AskQuestion(QStringLiteral("Delete?")), MessageResult::No);
    EXPECT_EQ(AskQuestion(QStringLiteral("Save?"), nullptr, MessageButtons::YesNoCancel),
              MessageResult::Cancel);
    EXPECT_EQ(ShowInfoText(QStringLiteral("fyi")), MessageResult::Ok);
    EXPECT_EQ(ReportError(0x80040520), 0x80040520u);
    SetMessagePort(&port);
    EXPECT_TRUE(port.shown.isEmpty());
}

TEST_F(MessagesTest, QuitStoresTheCodeReportsItAndClosesTheMainWindow)
{
    EXPECT_EQ(GetExitCode(), S_OK);
    QuitWithCode(0x8004050A);
    EXPECT_EQ(GetExitCode(), 0x8004050Au);
    ASSERT_EQ(port.shown.size(), 1);
    EXPECT_TRUE(port.LastText().startsWith(QStringLiteral("Not enough resources in system.")));
    EXPECT_EQ(closes, 1);

    QuitWithCode(0x80040526, true);
    EXPECT_EQ(GetExitCode(), 0x80040526u);
    EXPECT_EQ(port.shown.size(), 1);
    EXPECT_EQ(closes, 2);
}
