// The occurrence-or-series prompt: the texts for each kind and mode, the shortened subject and
// the default choice.
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/RecurrencePromptText.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

TEST(RecurrencePromptTest, TextsForEachKindAndMode)
{
    struct Case
    {
        int kind, mode;
        const char *caption, *occurrence, *series, *question;
    } cases[] = {
        {1, 1, "Confirm Delete", "Delete this &occurrence.", "Delete &all.",
         "\"Gym\" is a recurring event. Do you want to delete all occurrences of the event, or just this "
         "one?"},
        {1, 0, "Modify Recurring Event", "&Modify this occurrence.", "Modify the &series.",
         "\"Gym\" is a recurring event. Do you want to modify only this occurrence or the series?"},
        {2, 1, "Confirm Delete", "Delete this &occurrence.", "Delete &all.",
         "The task \"Gym\" is set to recur in the future. Do you want to delete all future occurrences of "
         "the "
         "task, or just this one?"},
        {2, 0, "Modify Recurring Event", "&Modify this occurrence.", "Modify the &series.",
         "\"Gym\" is a recurring task. Do you want to modify only this occurrence or the series?"},
    };
    for (const Case &c : cases) {
        const auto t = CRecurrencePromptText::Make(c.kind, c.mode, QStringLiteral("Gym"));
        EXPECT_EQ(t.caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(t.occurrenceChoice, QString::fromUtf8(c.occurrence));
        EXPECT_EQ(t.seriesChoice, QString::fromUtf8(c.series));
        EXPECT_EQ(t.question, QString::fromUtf8(c.question));
    }
}

TEST(RecurrencePromptTest, SubjectCutAfterEightyCharacters)
{
    const QString eighty(80, QLatin1Char('a'));
    EXPECT_EQ(CRecurrencePromptText::ShortenSubject(eighty), eighty);
    EXPECT_EQ(CRecurrencePromptText::ShortenSubject(eighty + QLatin1Char('b')),
              eighty + QStringLiteral("..."));
}

TEST(RecurrencePromptTest, OkWithoutTouchingTheChoicesMeansThisOccurrence)
{
    CRecurrencePromptDlg dialog(1, 1, QStringLiteral("Gym"));
    QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetChoice(), 0);
}
