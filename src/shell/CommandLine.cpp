// Switch parsing. A switch counts only as the whole of the only argument: "/quit" is the
// switch, "/quit/x.qv0" or "/home/a/quit" is a path, "-quit extra" is neither.
#include "shell/CommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace {

CommandLine::Switch SwitchOf(const QString &argument)
{
    QString word;
    if (argument.startsWith(QStringLiteral("--")))
        word = argument.mid(2);
    else if (argument.startsWith(u'-') || argument.startsWith(u'/'))
        word = argument.mid(1);
    else
        return CommandLine::Switch::None;
    if (word.compare(QStringLiteral("quit"), Qt::CaseInsensitive) == 0)
        return CommandLine::Switch::Quit;
    if (word.compare(QStringLiteral("uninstall"), Qt::CaseInsensitive) == 0)
        return CommandLine::Switch::Uninstall;
    if (word.compare(QStringLiteral("nohide"), Qt::CaseInsensitive) == 0)
        return CommandLine::Switch::NoHide;
    return CommandLine::Switch::None;
}

} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments)
{
    CommandLine line;
    if (arguments.size() == 1) {
        line.switchGiven = SwitchOf(arguments[0]);
        if (line.switchGiven != Switch::None)
            return line;
    }
    for (const QString &argument : arguments) {
        // Anything that looks like an option is not a file; the first other text is the file
        // ("%f" of the desktop entry), made absolute so a second copy can hand it over.
        const bool optionLike = argument.startsWith(u'-') || SwitchOf(argument) != Switch::None;
        if (!optionLike && line.openPath.isEmpty() && !argument.isEmpty())
            line.openPath = QFileInfo(argument).absoluteFilePath();
        else
            line.ignored << argument;
    }
    return line;
}
