// The decisions of the data-file dialogs and the texts of the Properties page, without widgets.
#include "editing/datafile/DataFileDialogRules.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateTime.h"
#include "core/system/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(FileSizeText, WholeKilobytesRoundedDown)
{
    const struct
    {
        std::uint64_t bytes;
        const char *text;
    } cases[] = {
        {0, "0 KB"},
        {1023, "0 KB"},
        {1024, "1 KB"},
        {2047, "1 KB"},
        {2048, "2 KB"},
        // Beyond 4 GB the whole size counts, not its low 32 bits.
        {0x100000000ULL + 2048, "4194306 KB"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatFileSizeText(c.bytes), QString::fromLatin1(c.text)) << c.bytes;
}

TEST(CreatedText, LongDateThenTime)
{
    BuildLocaleFormats(LocaleDateData());
    const CDateTime created(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatCreatedText(created), QStringLiteral("Tuesday, March 5, 2024 2:07:09 PM"));
}

TEST(CalendarNameLimit, CountsCharactersNotUnits)
{
    const QString astral = QString::fromUcs4(U"\U0001F600"); // two UTF-16 units, one character
    const struct
    {
        QString name;
        bool tooLong;
    } cases[] = {
        {QString(), false},
        {QString(127, QLatin1Char('a')), false},
        {QString(128, QLatin1Char('a')), true},
        {QString(127, QChar(0x00E9)), false}, // 254 bytes in UTF-8 but 127 characters
        {astral.repeated(127), false},
        {astral.repeated(128), true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsCalendarNameTooLong(c.name), c.tooLong) << c.name.size();
    EXPECT_EQ(CountCharacters(astral + QLatin1Char('x')), 2);
    // A lone surrogate still counts as one character.
    EXPECT_EQ(CountCharacters(QString(QChar(0xD800))), 1);
}

TEST(PasswordChangeDecision, Outcomes)
{
    const QString wrong = LoadResString(DataFileDialogText::WrongPassword);
    const QString differ = LoadResString(DataFileDialogText::PasswordsDiffer);

    DialogVerdict v = DecidePasswordChange(QV_E_WRONG_PASSWORD, "a", "b", "b");
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_TRUE(v.waitFirst);
    EXPECT_TRUE(v.clearOld);
    EXPECT_FALSE(v.clearNewPair);
    EXPECT_EQ(v.focus, DialogField::OldPassword);
    EXPECT_EQ(v.warningText, wrong);

    // A failure of the file itself goes to the error box, still after the wait.
    v = DecidePasswordChange(HresultFromErrno(EIO), "a", "b", "b");
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_TRUE(v.waitFirst);
    EXPECT_TRUE(v.warningText.isEmpty());
    EXPECT_EQ(v.errorCode, HresultFromErrno(EIO));

    // The old password is checked before the new pair is compared.
    v = DecidePasswordChange(QV_E_WRONG_PASSWORD, "a", "b", "c");
    EXPECT_EQ(v.warningText, wrong);

    v = DecidePasswordChange(S_OK, "a", "b", "c");
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_FALSE(v.waitFirst);
    EXPECT_FALSE(v.clearOld);
    EXPECT_TRUE(v.clearNewPair);
    EXPECT_EQ(v.focus, DialogField::NewPassword);
    EXPECT_EQ(v.warningText, differ);

    EXPECT_EQ(DecidePasswordChange(S_OK, "a", "a", "a").outcome, DialogVerdict::Cancel);
    EXPECT_EQ(DecidePasswordChange(S_OK, "", "", "").outcome, DialogVerdict::Cancel);
    EXPECT_EQ(DecidePasswordChange(S_OK, "a", "b", "b").outcome, DialogVerdict::Accept);
    // Taking the password off is a change.
    EXPECT_EQ(DecidePasswordChange(S_OK, "a", "", "").outcome, DialogVerdict::Accept);
    // Passwords are compared exactly.
    EXPECT_EQ(DecidePasswordChange(S_OK, "Secret", "secret", "secret").outcome, DialogVerdict::Accept);
}

TEST(NewDataFileDecision, NameLimitFirstThenPasswords)
{
    const QString longName(128, QLatin1Char('n'));
    DialogVerdict v = DecideNewDataFile(longName, "a", "b");
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_EQ(v.focus, DialogField::Name);
    EXPECT_FALSE(v.clearNewPair);
    EXPECT_EQ(v.warningText, CalendarNameTooLongText());

    v = DecideNewDataFile("Home", "a", "b");
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_TRUE(v.clearNewPair);
    EXPECT_EQ(v.focus, DialogField::NewPassword);
    EXPECT_FALSE(v.waitFirst);

    EXPECT_EQ(DecideNewDataFile("Home", "a", "a").outcome, DialogVerdict::Accept);
    EXPECT_EQ(DecideNewDataFile(QString(127, QLatin1Char('n')), "", "").outcome, DialogVerdict::Accept);
}

TEST(PasswordPromptDecision, WrongKeepsTextAndWaits)
{
    EXPECT_EQ(DecidePasswordPrompt(S_OK).outcome, DialogVerdict::Accept);
    const DialogVerdict v = DecidePasswordPrompt(QV_E_WRONG_PASSWORD);
    EXPECT_EQ(v.outcome, DialogVerdict::StayOpen);
    EXPECT_TRUE(v.waitFirst);
    EXPECT_FALSE(v.clearOld);
    EXPECT_FALSE(v.clearNewPair);
    EXPECT_EQ(v.focus, DialogField::NewPassword);
    EXPECT_EQ(v.warningText, LoadResString(DataFileDialogText::WrongPassword));
    EXPECT_EQ(DecidePasswordPrompt(QV_E_NO_RESOURCES).errorCode, QV_E_NO_RESOURCES);
}

TEST(PasswordPromptTexts, NamePutIn)
{
    EXPECT_EQ(PasswordPromptCaption("Home"), QStringLiteral("Password for Home - Tessivo"));
    EXPECT_EQ(PasswordPromptMessage("Home"), QStringLiteral("Please type the current password for\n'Home'"));
    // A name that looks like a place holder is put in as it stands.
    EXPECT_EQ(PasswordPromptCaption("50%1"), QStringLiteral("Password for 50%1 - Tessivo"));
}

} // namespace
