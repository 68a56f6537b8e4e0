#include "containers/base/ContainerStrings.h"

#include "core/document/MessagePort.h"
#include "core/system/Messages.h"
#include "core/system/StringTable.h"

#include <QHash>

namespace {
const QHash<int, QString> &OwnTexts()
{
    static const QHash<int, QString> texts = {
        {58031, QStringLiteral("Are you sure you want to move the '%s' item?")},
        {58032, QStringLiteral("Are you sure you want to move %d items?")},
        {59214, QStringLiteral("Two occurrences of \"%s\" cannot occur on the same day.")},
        {59215,
         QStringLiteral("Cannot reschedule an occurrence of the recurring event \"%s\" if it skips over "
                        "a later occurrence of the same event.")},
        {59221,
         QStringLiteral("Cannot set a reminder to appear before the previous occurrence of \"%s\". The "
                        "reminder will be reset.")},
        {59222,
         QStringLiteral("Cannot reschedule an occurrence of the recurring event \"%s\" if it skips over "
                        "an earlier occurrence of the same event.")},
        {61223, QStringLiteral("\"%s\" is a recurring event.\r\nDo you want to delete all occurrences of the "
                               "event?")},
        {61261, QStringLiteral("Some items cannot be deleted.")},
        {61262, QStringLiteral("The item \"%s\" cannot be modified.")},
        {61263, QStringLiteral("Some items cannot be modified.")},
        {61276, QStringLiteral("The item \"%s\" cannot be modified.")},
        {61277, QStringLiteral("Some items cannot be modified.")},
        {61281, QStringLiteral("Some items cannot be added.")},
        {61282, QStringLiteral("The item \"%s\" cannot be added.")},
        // The program's table carries these too; kept here so the container's wording holds.
        {58022, QStringLiteral("You are about to convert this task to an event. Are you sure you want to do "
                               "this?")},
    };
    return texts;
}
} // namespace

QString ContainerText::Load(int id)
{
    const auto it = OwnTexts().find(id);
    if (it != OwnTexts().end())
        return it.value();
    return LoadResString(id);
}

QString ContainerText::CutSubject(const QString &subject)
{
    if (subject.size() < 128)
        return subject;
    int cut = 124;
    if (subject.at(cut - 1).isHighSurrogate())
        --cut;
    return subject.left(cut) + QStringLiteral("...");
}

QString ContainerText::WithSubject(int id, const QString &subject)
{
    QString text = Load(id);
    text.replace(QStringLiteral("%s"), CutSubject(subject));
    return text;
}

QString ContainerText::WithCount(int id, int count)
{
    QString text = Load(id);
    text.replace(QStringLiteral("%d"), QString::number(count));
    return text;
}

int ContainerText::Warn(const QString &text, QObject *owner)
{
    return ShowMessageBox(owner, true, text, MessageIcon::Warning, MessageButtons::Ok);
}

int ContainerText::Ask(const QString &text, QObject *owner, bool withCancel)
{
    return ShowMessageBox(owner, true, text, MessageIcon::Warning,
                          withCancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo);
}

int ContainerText::AskOkCancel(const QString &text, QObject *owner)
{
    return ShowMessageBox(owner, true, text, MessageIcon::Warning, MessageButtons::OkCancel);
}
