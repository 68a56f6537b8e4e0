// Texts of the occurrence-or-series prompt.
#include "editing/base/RecurrencePromptText.h"

#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"

QString CRecurrencePromptText::ShortenSubject(const QString &subject)
{
    if (subject.size() <= kMaxSubject)
        return subject;
    return subject.left(kMaxSubject) + QStringLiteral("...");
}

CRecurrencePromptText CRecurrencePromptText::Make(int kind, int mode, const QString &subject)
{
    const bool remove = mode == Delete;
    const bool task = kind == 2;
    CRecurrencePromptText t;
    t.caption = EditingText(remove ? EditText::ConfirmDeleteCaption : EditText::ModifyRecurringCaption);
    t.occurrenceChoice =
        EditingText(remove ? EditText::DeleteThisOccurrence : EditText::ModifyThisOccurrence);
    t.seriesChoice = EditingText(remove ? EditText::DeleteAll : EditText::ModifyTheSeries);
    int questionId = 0;
    if (task)
        questionId = remove ? EditText::DeleteTaskOccurrence : EditText::ModifyTaskOccurrence;
    else
        questionId = remove ? EditText::DeleteEventOccurrence : EditText::ModifyEventOccurrence;
    t.question = PrintfText(EditingText(questionId), {ShortenSubject(subject)});
    return t;
}
