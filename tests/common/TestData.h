// Where the fixture files kept in the repository are.
#pragma once

#include <QString>

inline QString TestDataPath(const QString &name)
{
    return QStringLiteral(TESSIVO_TEST_DATA_DIR "/") + name;
}
