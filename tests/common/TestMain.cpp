// Test entry point: a Qt application object exists for the whole run, as in the program.
#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// GUI test programs define this without the weak attribute to make a QApplication.
__attribute__((weak)) QCoreApplication *makeTestApplication(int &argc, char **argv)
{
    return new QCoreApplication(argc, argv);
}

int main(int argc, char **argv)
{
    // Settings and data folders go to a throwaway place, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication *app = makeTestApplication(argc, argv);
    const int rc = RUN_ALL_TESTS();
    delete app;
    return rc;
}
