// Decisions and texts of the data-file dialogs.
#include "editing/datafile/DataFileDialogRules.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DateTime.h"
#include "core/system/StringTable.h"

namespace {

DialogVerdict WrongPassword(HRESULT check, DialogField field)
{
    DialogVerdict v;
    v.outcome = DialogVerdict::StayOpen;
    v.waitFirst = true;
    v.focus = field;
    if (check == QV_E_WRONG_PASSWORD)
        v.warningText = LoadResString(DataFileDialogText::WrongPassword);
    else
        v.errorCode = check;
    return v;
}

DialogVerdict PasswordsDiffer()
{
    DialogVerdict v;
    v.outcome = DialogVerdict::StayOpen;
    v.clearNewPair = true;
    v.focus = DialogField::NewPassword;
    v.warningText = LoadResString(DataFileDialogText::PasswordsDiffer);
    return v;
}

DialogVerdict NameTooLong()
{
    DialogVerdict v;
    v.outcome = DialogVerdict::StayOpen;
    v.focus = DialogField::Name;
    v.selectFocusText = true;
    v.warningText = CalendarNameTooLongText();
    return v;
}

} // namespace

qsizetype CountCharacters(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

bool IsCalendarNameTooLong(const QString &name)
{
    return CountCharacters(name) > kMaxCalendarNameLength;
}

QString CalendarNameTooLongText()
{
    return QStringLiteral("Please enter no more than %1 characters.").arg(kMaxCalendarNameLength);
}

DialogVerdict DecidePasswordChange(HRESULT oldCheck, const QString &oldPassword, const QString &newPassword,
                                   const QString &confirmPassword)
{
    if (oldCheck != S_OK) {
        DialogVerdict v = WrongPassword(oldCheck, DialogField::OldPassword);
        v.clearOld = true;
        return v;
    }
    if (newPassword != confirmPassword)
        return PasswordsDiffer();
    DialogVerdict v;
    v.outcome = newPassword == oldPassword ? DialogVerdict::Cancel : DialogVerdict::Accept;
    return v;
}

DialogVerdict DecideNewDataFile(const QString &name, const QString &password, const QString &verify)
{
    if (IsCalendarNameTooLong(name))
        return NameTooLong();
    if (password != verify)
        return PasswordsDiffer();
    return DialogVerdict();
}

DialogVerdict DecidePasswordPrompt(HRESULT check)
{
    if (check != S_OK)
        return WrongPassword(check, DialogField::NewPassword);
    return DialogVerdict();
}

DialogVerdict DecideRename(const QString &name)
{
    if (IsCalendarNameTooLong(name))
        return NameTooLong();
    return DialogVerdict();
}

QString FormatFileSizeText(std::uint64_t sizeBytes)
{
    return QStringLiteral("%1 KB").arg(sizeBytes / 1024);
}

QString FormatCreatedText(const CDateTime &created)
{
    return FormatLongDate(created) + FormatDateTime(created, QStringLiteral(" %X"));
}

QString PasswordPromptCaption(const QString &calendarName)
{
    return QStringLiteral("Password for %1 - Tessivo").arg(calendarName);
}

QString PasswordPromptMessage(const QString &calendarName)
{
    return QStringLiteral("Please type the current password for\n'%1'").arg(calendarName);
}
