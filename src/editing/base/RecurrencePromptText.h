// The texts of the occurrence-or-series prompt: caption, the two choices and the question, for
// an event or a task, to delete or to modify.
#pragma once

#include <QString>

struct CRecurrencePromptText
{
    static constexpr int kMaxSubject = 80;
    enum Mode
    {
        Modify = 0,
        Delete = 1,
    };

    QString caption;
    QString occurrenceChoice; // choice 0: only this occurrence
    QString seriesChoice;     // choice 1: all, or the series
    QString question;

    // kind 1 event, 2 task (any other kind is asked as an event); mode 1 delete, else modify.
    static CRecurrencePromptText Make(int kind, int mode, const QString &subject);
    // The subject as the question shows it: at most 80 characters, then "..." when it was longer.
    static QString ShortenSubject(const QString &subject);
};
