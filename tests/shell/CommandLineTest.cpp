// The switch table: a switch only as the whole of the only argument, after "-", "--" or "/".
#include "shell/CommandLine.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using Switch = CommandLine::Switch;

struct SwitchCase
{
    QStringList args;
    Switch expected;
    QString path;
};

TEST(CommandLineTest, SwitchTable)
{
    const SwitchCase cases[] = {
        {{"/QUIT"}, Switch::Quit, ""},
        {{"-quit"}, Switch::Quit, ""},
        {{"--Quit"}, Switch::Quit, ""},
        {{"/uninstall"}, Switch::Uninstall, ""},
        {{"-nohide"}, Switch::NoHide, ""},
        {{"/quit", "extra"}, Switch::None, QDir::current().absoluteFilePath("extra")}, // not alone
        {{"-quit", "-nohide"}, Switch::None, ""},
        {{"quit"}, Switch::None, QDir::current().absoluteFilePath("quit")},         // no prefix: a file
        {{"/home/a/quit"}, Switch::None, "/home/a/quit"},                          // a path, not "/quit"
        {{"/quitter"}, Switch::None, "/quitter"},
        {{"---quit"}, Switch::None, ""},
        {{"-"}, Switch::None, ""},
        {{}, Switch::None, ""},
        {{"/data/Personal Calendar.qv0"}, Switch::None, "/data/Personal Calendar.qv0"},
        {{"-x", "/d/a.qv0", "/d/b.qv0"}, Switch::None, "/d/a.qv0"}, // the first file only
    };
    for (const SwitchCase &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CommandLine line = CommandLine::Parse(c.args);
        EXPECT_EQ(line.switchGiven, c.expected);
        EXPECT_EQ(line.openPath, c.path);
    }
}

} // namespace
