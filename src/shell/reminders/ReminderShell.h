// IReminderShell: what a reminder window asks of the program around it besides the document:
// the item editors (Open), the Properties window, printing, and the occurrence-or-series
// question before a delete. The program's answers are CProgramReminderShell's; tests script
// their own.
#pragma once

#include <QString>
#include <memory>

class CItemKeyArray;
class CItemRef;
class QWidget;

class IReminderShell
{
  public:
    virtual ~IReminderShell() = default;
    // Whether items of the kind (1 event, 2 task) can be opened in an editor here.
    virtual bool CanOpenItem(int kind) const = 0;
    // Opens the held item in its editor (an occurrence of a series as marked in the holder).
    virtual void OpenItemEditor(std::unique_ptr<CItemRef> holder, bool newException, bool topmost,
                                bool readOnly) = 0;
    virtual bool CanShowProperties() const = 0;
    // Shows the Properties window of the held item under the parent.
    virtual void ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *parent) = 0;
    virtual bool CanPrint() const = 0;
    virtual void PrintItems(const CItemKeyArray &keys) = 0;
    // The occurrence-or-series question of a delete: 0 the occurrence, 1 the series, -1 cancelled.
    virtual int AskDeleteScope(int kind, const QString &subject, QWidget *parent) = 0;
};
