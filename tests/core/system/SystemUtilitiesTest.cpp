#include "core/system/SystemUtilities.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(SystemUtilitiesTest, UniqueIdsAreBracelessUpperCaseGuids)
{
    const QRegularExpression guid(
        QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    const QString a = MakeUniqueId();
    const QString b = MakeUniqueId();
    EXPECT_TRUE(guid.match(a).hasMatch()) << qPrintable(a);
    EXPECT_TRUE(guid.match(b).hasMatch()) << qPrintable(b);
    EXPECT_NE(a, b);
}

TEST(SystemUtilitiesTest, TimeBasedIdsCountUp)
{
    const QDateTime at(QDate(2024, 3, 9), QTime(7, 5, 1));
    const QString first = MakeTimeBasedId(at);
    const QString second = MakeTimeBasedId(at);
    const QRegularExpression form(QStringLiteral("^20240309T070501-(\\d+)@(.*)$"));
    const auto m1 = form.match(first);
    const auto m2 = form.match(second);
    ASSERT_TRUE(m1.hasMatch()) << qPrintable(first);
    ASSERT_TRUE(m2.hasMatch()) << qPrintable(second);
    EXPECT_EQ(m2.captured(1).toInt(), m1.captured(1).toInt() + 1);
    EXPECT_EQ(m1.captured(2), QSysInfo::machineHostName());
}

TEST(SystemUtilitiesTest, ElevationOfARunningAndAMissingProcess)
{
    bool elevated = true;
    ASSERT_TRUE(IsProcessElevated(QCoreApplication::applicationPid(), elevated));
    EXPECT_EQ(elevated, geteuid() == 0);
    EXPECT_FALSE(IsProcessElevated(-1, elevated));
    EXPECT_FALSE(elevated);
}

TEST(SystemUtilitiesTest, PercentText)
{
    EXPECT_EQ(FormatPercent(50), QStringLiteral("50%"));
    EXPECT_EQ(FormatPercent(-5), QStringLiteral("-5%"));
}
