// The dialog tests build widgets, so they run under a QApplication on the offscreen platform
// (also when the build lists the tests, outside CTest's environment).
#include <QApplication>

QCoreApplication *makeTestApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
}
