// Helpers for the storage tests: a temporary folder, raw access to a file's bytes, and a
// checker of the block chain and free list written apart from the engine.
#pragma once

#include "common/QtPrinters.h"
#include "core/storage/StorageFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace storage_test {

inline QByteArray ReadWholeFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline std::uint32_t U32(const QByteArray &bytes, std::uint32_t at)
{
    std::uint32_t v = 0;
    if (at + 4 <= static_cast<std::uint32_t>(bytes.size()))
        std::memcpy(&v, bytes.constData() + at, 4);
    return v;
}

// Overwrites bytes of a file outside any CStorageFile (to damage it on purpose).
inline void PatchFile(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(offset));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline void Patch32(const QString &path, qint64 offset, std::uint32_t value)
{
    PatchFile(path, offset, QByteArray(reinterpret_cast<const char *>(&value), 4));
}

// Checks the block chain, the free list and the allocator state of a file as stored.
// Returns an empty text when everything holds, else the first problem found. Also fills the
// set of in-use block starts.
inline QString CheckChain(const QString &path, std::set<std::uint32_t> *inUse = nullptr)
{
    const QByteArray b = ReadWholeFile(path);
    if (b.size() < 2048)
        return "file shorter than its header";
    const std::uint32_t end = U32(b, 68), head = U32(b, 72), last = U32(b, 76);
    if (end > static_cast<std::uint32_t>(b.size()))
        return QString("end of used space %1 beyond file size %2").arg(end).arg(b.size());
    std::set<std::uint32_t> freeBlocks;
    std::uint32_t at = 2048, prevSize = 0;
    bool prevFree = false;
    while (at < end) {
        const std::uint32_t size = U32(b, at), recordedPrev = U32(b, at + 4);
        const bool used = static_cast<std::uint8_t>(b[at + 8]) & 1;
        if (size < 32 || size % 16 || at + size > end)
            return QString("bad size %1 at %2").arg(size).arg(at);
        if (recordedPrev != prevSize)
            return QString("block %1 records previous size %2, expected %3")
                .arg(at)
                .arg(recordedPrev)
                .arg(prevSize);
        if (!used && prevFree)
            return QString("adjacent free blocks before %1").arg(at);
        if (used && inUse)
            inUse->insert(at);
        if (!used)
            freeBlocks.insert(at);
        prevFree = !used;
        prevSize = size;
        at += size;
    }
    if (at != end)
        return "chain overruns the end";
    if (last != prevSize)
        return QString("last-block size %1, expected %2").arg(last).arg(prevSize);
    std::set<std::uint32_t> listed;
    std::uint32_t prev = 0;
    for (std::uint32_t cur = head; cur != 0; cur = U32(b, cur + 9)) {
        if (!freeBlocks.count(cur))
            return QString("free list names %1, not a free block").arg(cur);
        if (!listed.insert(cur).second)
            return "free list loops";
        if (U32(b, cur + 13) != prev)
            return QString("free block %1 has previous link %2, expected %3")
                .arg(cur)
                .arg(U32(b, cur + 13))
                .arg(prev);
        prev = cur;
    }
    if (listed != freeBlocks)
        return QString("%1 free blocks but %2 listed").arg(freeBlocks.size()).arg(listed.size());
    return QString();
}

// A fresh data file in a temporary folder.
class StorageFixture : public ::testing::Test
{
  public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("calendar.qvd");
    }
    void CreateFile(CStorageFile &file) { ASSERT_EQ(file.Create(m_path), S_OK); }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace storage_test
