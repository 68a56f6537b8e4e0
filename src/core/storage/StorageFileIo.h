// IStorageFileIo: where the storage file's writes and syncs go. The engine writes through
// the system by default; a test puts a recorder here to see every write and sync in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

class IStorageFileIo
{
  public:
    virtual ~IStorageFileIo() = default;
    // As pwrite: the bytes written, or -1 with errno set.
    virtual ssize_t Write(int fd, const void *buffer, std::size_t length, std::uint64_t offset) = 0;
    // As fdatasync: 0, or -1 with errno set.
    virtual int Sync(int fd) = 0;
};

// The system's pwrite and fdatasync.
IStorageFileIo &SystemStorageFileIo();
