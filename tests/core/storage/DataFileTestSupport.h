// Helpers for the data file tests: a new data file in a temporary folder, record buffers
// laid out as item records are, and raw access to the stored bytes.
#pragma once

#include "core/storage/StorageTestSupport.h"

#include "core/storage/DataFile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace datafile_test {

using storage_test::Patch32;
using storage_test::PatchFile;
using storage_test::ReadWholeFile;
using storage_test::U32;

// A record as the item records are laid out: a tag, the used length at 4, the plain prefix
// length (164) at 8, a marker at 12, then a body padded to whole 16-byte blocks. The body
// bytes depend on the marker, so a damaged or mixed-up record shows.
inline QByteArray MakeRecord(std::uint32_t marker, std::uint32_t bodyLength, std::uint32_t tag = 0xF197120E)
{
    const std::uint32_t prefix = DataFileLayout::SummaryLength;
    const std::uint32_t used = prefix + (bodyLength + 15) / 16 * 16;
    QByteArray r(static_cast<qsizetype>(used), 0);
    std::memcpy(r.data(), &tag, 4);
    std::memcpy(r.data() + 4, &used, 4);
    std::memcpy(r.data() + 8, &prefix, 4);
    std::memcpy(r.data() + 12, &marker, 4);
    for (std::uint32_t i = 0; i < bodyLength; ++i)
        r[prefix + i] = static_cast<char>((marker * 31 + i * 7) >> 2);
    return r;
}

// Where an object's block lies in the file (0 when it has none).
inline std::uint32_t ObjectOffset(CDataFile &file, std::uint32_t id)
{
    CStorageFile &storage = file.GetStorageFile();
    std::uint32_t offset = 0;
    if (storage.OpenObject(id, offset) != S_OK)
        return 0;
    storage.ReleaseObject(id);
    return offset;
}

inline std::uint32_t BlockUsable(CDataFile &file, std::uint32_t dataOffset)
{
    std::uint32_t usable = 0;
    file.GetStorageFile().GetBlockDataSize(dataOffset, usable);
    return usable;
}

class DataFileFixture : public ::testing::Test
{
  public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("calendar.qvd");
    }

    // Creates the file and opens and validates it read-write.
    void CreateAndOpen(CDataFile &file, const QString &password = QString())
    {
        ASSERT_EQ(CDataFile().Create(m_path, QStringLiteral("Test calendar"), password), S_OK);
        ASSERT_EQ(file.Open(m_path, false), S_OK);
        ASSERT_EQ(file.Validate(), S_OK);
        if (!password.isEmpty()) {
            ASSERT_EQ(file.CheckPassword(password), S_OK);
        }
    }

    // A file in the older format holding one event record, closed again.
    void CreateOlderFormatFile(const QByteArray &eventRecord)
    {
        CDataFile file;
        CreateAndOpen(file);
        std::uint32_t id = 0;
        ASSERT_EQ(file.AllocateId(DataFileLayout::EventCollection, id), S_OK);
        ASSERT_EQ(file.WriteRecord(id, eventRecord), S_OK);
        ASSERT_EQ(file.SetSlotValue(id, DataFileLayout::SlotEvent), S_OK);
        ASSERT_EQ(file.WriteFormatVersion(0x00010004), S_OK);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace datafile_test
