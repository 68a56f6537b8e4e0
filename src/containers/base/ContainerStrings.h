// The texts of the container's questions and messages, the subject cut of every confirmation,
// and the boxes themselves (through the message port, reminder windows disabled).
#pragma once

#include <QString>

class QObject;

namespace ContainerText {
// The text of a string id: the containers' own table first, then the program's.
QString Load(int id);
// A subject of 128 characters or more becomes its first 124 characters and "...".
QString CutSubject(const QString &subject);
// The text with "%s" replaced by the cut subject, or "%d" by the number.
QString WithSubject(int id, const QString &subject);
QString WithCount(int id, int count);
// Boxes with the program's caption; questions return MessageResult values.
int Warn(const QString &text, QObject *owner);
int Ask(const QString &text, QObject *owner, bool withCancel = false);
int AskOkCancel(const QString &text, QObject *owner);
} // namespace ContainerText
