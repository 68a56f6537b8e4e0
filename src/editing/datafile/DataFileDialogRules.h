// What the data-file dialogs decide when OK is pressed, the limits of a calendar name and the
// texts of the Properties page, kept apart from the widgets so that tests can call them.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>

class CDateTime;

namespace DataFileDialogText {
inline constexpr int WrongPassword = 59282;
inline constexpr int DefaultCalendarName = 59321;
inline constexpr int PasswordsDiffer = 59322;
inline constexpr int ReadOnlyMode = 58016;
} // namespace DataFileDialogText

// The note under the password fields of Change Password and Create New.
inline constexpr char kPasswordKeyText[] = "Your password is your key to your Tessivo file.\n"
                                           "Choose a password you can easily remember,\n"
                                           "but the others can't easily guess.";

// A calendar name holds at most this many characters (the header cuts its bytes at a
// character boundary when the UTF-8 form is longer).
inline constexpr int kMaxCalendarNameLength = 127;

// How long a wrong password holds the dialog up, against guessing.
inline constexpr int kWrongPasswordWaitMs = 1000;

// The password fields and the name field a verdict can empty or focus.
enum class DialogField
{
    None,
    Name,
    OldPassword,
    NewPassword, // also the password of Create New and of the password prompt
};

// What a dialog does after its OK button, in this order: the wrong-password wait, emptying
// fields, focusing one, one message box (a warning text or an error code for the common error
// box), then staying open or ending.
struct DialogVerdict
{
    enum Outcome
    {
        StayOpen,
        Accept,
        Cancel,
    };
    Outcome outcome = Accept;
    bool waitFirst = false;
    bool clearOld = false;
    bool clearNewPair = false; // the new (or password) field and its confirmation
    DialogField focus = DialogField::None;
    bool selectFocusText = false;
    QString warningText;
    HRESULT errorCode = S_OK; // shown with ReportError when not S_OK
};

// Characters as a person counts them: a surrogate pair is one.
qsizetype CountCharacters(const QString &text);
bool IsCalendarNameTooLong(const QString &name);
// The refusal of a name over the limit.
QString CalendarNameTooLongText();

// Password Protection: `oldCheck` is the data file's answer to the old password.
DialogVerdict DecidePasswordChange(HRESULT oldCheck, const QString &oldPassword, const QString &newPassword,
                                   const QString &confirmPassword);
// Create New: the name limit, then password and verify.
DialogVerdict DecideNewDataFile(const QString &name, const QString &password, const QString &verify);
// Password prompt: `check` is the data file's answer to the typed password.
DialogVerdict DecidePasswordPrompt(HRESULT check);
// Rename: the name limit.
DialogVerdict DecideRename(const QString &name);

// "%d KB": whole kilobytes, rounded down.
QString FormatFileSizeText(std::uint64_t sizeBytes);
// The long date followed by the time in the locale's time format.
QString FormatCreatedText(const CDateTime &created);
// The caption and the message of the password prompt with the calendar name put in.
QString PasswordPromptCaption(const QString &calendarName);
QString PasswordPromptMessage(const QString &calendarName);
