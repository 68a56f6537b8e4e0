// A file I/O seam for power-loss tests: passes every write on to the file and records it
// (offset and bytes) with the operation under way, and records every sync. From the record
// it builds the files a power loss could leave behind.
#pragma once

#include "core/storage/StorageFileIo.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace storage_test {

class RecordingFileIo final : public IStorageFileIo
{
  public:
    struct Written
    {
        std::uint64_t offset = 0;
        QByteArray bytes;
        int op = -1; // the operation that made it
    };
    // The writes between one completed sync and the next sync.
    struct Epoch
    {
        QByteArray durable;          // the file as of the sync before these writes
        std::vector<Written> writes;   // in the order they were made
        int returned = 0;            // operations that had returned before the next sync
        int inFlight = -1;           // the operation that made the next sync (-1: none)
    };

    // image: the file's bytes as they are on the disk now (synced).
    explicit RecordingFileIo(const QByteArray &image) : m_image(image) { m_epoch.durable = image; }

    // Tells the recorder which operation runs (-1: none) and how many have returned.
    void SetOperation(int op, int returned)
    {
        m_op = op;
        m_returned = returned;
    }

    ssize_t Write(int fd, const void *buffer, std::size_t length, std::uint64_t offset) override
    {
        const ssize_t n = ::pwrite(fd, buffer, length, static_cast<off_t>(offset));
        if (n > 0) {
            Written write{offset, QByteArray(static_cast<const char *>(buffer), qsizetype(n)), m_op};
            Apply(m_image, write);
            m_epoch.writes.push_back(std::move(write));
        }
        return n;
    }

    // The recorder stands in for the disk: nothing is lost here, so the sync itself is skipped.
    int Sync(int) override
    {
        EndEpoch(m_op);
        return 0;
    }

    // Ends the record: the writes since the last sync form the last epoch.
    std::vector<Epoch> Finish()
    {
        EndEpoch(-1);
        return std::move(m_epochs);
    }

    static void Apply(QByteArray &image, const Written &w) { ApplyRange(image, w, 0, w.bytes.size()); }

    // Applies bytes [from, to) of a write.
    static void ApplyRange(QByteArray &image, const Written &w, qsizetype from, qsizetype to)
    {
        if (from >= to)
            return;
        const qsizetype end = qsizetype(w.offset) + to;
        if (image.size() < end)
            image.append(QByteArray(end - image.size(), '\0')); // a hole reads as zeros
        std::memcpy(image.data() + w.offset + from, w.bytes.constData() + from, std::size_t(to - from));
    }

    // Applies a write with one 512-byte sector torn: of that sector, only the first half
    // (firstHalf) or the second half takes the new bytes. The file still grows to the write's end.
    static void ApplyTorn(QByteArray &image, const Written &w, int sector, bool firstHalf)
    {
        const qsizetype length = w.bytes.size();
        const qsizetype end = qsizetype(w.offset) + length;
        if (image.size() < end)
            image.append(QByteArray(end - image.size(), '\0'));
        // Bounds of the torn sector relative to the write.
        const std::uint64_t sectorStart = (w.offset / 512 + std::uint64_t(sector)) * 512;
        const qsizetype tornFrom = std::max<qsizetype>(0, qsizetype(sectorStart) - qsizetype(w.offset));
        const qsizetype tornTo = std::min<qsizetype>(length, qsizetype(sectorStart + 512 - w.offset));
        const qsizetype half = std::min<qsizetype>(length, qsizetype(sectorStart + 256 - w.offset));
        ApplyRange(image, w, 0, tornFrom);
        if (firstHalf)
            ApplyRange(image, w, tornFrom, std::max(tornFrom, half));
        else
            ApplyRange(image, w, std::max(tornFrom, half), tornTo);
        ApplyRange(image, w, tornTo, length);
    }

    // How many 512-byte sectors a write touches.
    static int Sectors(const Written &w)
    {
        return int((w.offset + std::uint64_t(w.bytes.size()) - 1) / 512 - w.offset / 512 + 1);
    }

  private:
    void EndEpoch(int inFlight)
    {
        m_epoch.returned = m_returned;
        m_epoch.inFlight = inFlight;
        m_epochs.push_back(std::move(m_epoch));
        m_epoch = Epoch();
        m_epoch.durable = m_image;
    }

    QByteArray m_image;
    Epoch m_epoch;
    std::vector<Epoch> m_epochs;
    int m_op = -1;
    int m_returned = 0;
};

} // namespace storage_test
