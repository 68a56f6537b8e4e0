// CPropertiesModel: the facts the Properties window shows about one event or task, as texts: the
// title, which pages there are, the lines of the General pages and the rows of the Exceptions
// page sorted by the date the occurrence was scheduled for.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <vector>

class CItemRef;

struct EventProperties
{
    QString subject;
    QString created;
    QString modified;
    QString start;
    QString duration;
    QString previousReminder; // empty: none
    QString nextReminder;
    QString recurrence; // empty, and the heading hidden, for an event that does not recur
};

struct TaskProperties
{
    QString subject;
    QString created;
    QString modified;
    QString due;
    QString start;
    QString reminder;
    QString status;
    QString percent;
    QString completed;
    QString categories;
    QString priority;
};

struct ExceptionRow
{
    QString date;
    QString status; // "Deleted", or the new start
    int index = -1; // the exception's index in the event
    CDateTime key;
};

class CPropertiesModel
{
  public:
    explicit CPropertiesModel(const CItemRef &holder);

    // "%s Properties" with the item type's name, "< undefined >" without one.
    QString GetTitle() const;
    bool HasEventGeneral() const;
    bool HasExceptions() const;
    bool HasTaskGeneral() const;
    // `now`: the time the reminder search starts from.
    EventProperties GetEventProperties(const CDateTime &now) const;
    TaskProperties GetTaskProperties() const;
    std::vector<ExceptionRow> GetExceptionRows() const;
    QString GetItemTypeName() const;

  private:
    const CItemRef &m_holder;
};
