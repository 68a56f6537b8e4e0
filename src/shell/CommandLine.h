// What the command line asks for: one of the switches "quit", "uninstall" and "nohide" (after
// "-", "--" or "/", any case, as the only argument), or a data file to open.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine
{
    enum class Switch
    {
        None,
        Quit,
        Uninstall,
        NoHide,
    };
    Switch switchGiven = Switch::None;
    // The data file a desktop or a second copy hands over; empty for none.
    QString openPath;
    // Texts that were neither a switch nor taken as the file (reported, not acted on).
    QStringList ignored;

    // The arguments after the program name.
    static CommandLine Parse(const QStringList &arguments);
};
