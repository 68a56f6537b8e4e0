// Replays the record fuzz inputs kept under tests/data/fuzz: inputs that once broke a record
// reader must now read (or be refused) cleanly.
#include "common/TestData.h"
#include "fuzz/RecordFuzzInput.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(RecordFuzzReplay, KeptInputsReadCleanly)
{
    const QDir dir(TestDataPath(QStringLiteral("fuzz")));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        const char *problem = RecordFuzz::RunInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                                   std::size_t(bytes.size()));
        EXPECT_EQ(problem, nullptr) << name.toStdString() << ": " << problem;
    }
}
