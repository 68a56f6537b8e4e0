// The program's entry point.
#include "shell/CalendarApp.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "tessivo: no display to show windows on (DISPLAY and WAYLAND_DISPLAY are not set).\n");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessivo"));
    QApplication::setOrganizationName(QStringLiteral("Zemblar Software"));
    QApplication::setDesktopFileName(QStringLiteral("tessivo"));
    int rc = 0;
    {
        CCalendarApp app;
        if (!app.InitInstance(QApplication::arguments().mid(1)))
            return app.ExitCode();
        rc = QApplication::exec();
    }
    return rc;
}
