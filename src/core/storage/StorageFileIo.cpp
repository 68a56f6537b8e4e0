// The system's file writes behind IStorageFileIo.
#include "core/storage/StorageFileIo.h"

#include <unistd.h>

namespace {
class SystemFileIo final : public IStorageFileIo
{
  public:
    ssize_t Write(int fd, const void *buffer, std::size_t length, std::uint64_t offset) override
    {
        return ::pwrite(fd, buffer, length, static_cast<off_t>(offset));
    }
    int Sync(int fd) override { return ::fdatasync(fd); }
};
} // namespace

IStorageFileIo &SystemStorageFileIo()
{
    static SystemFileIo io;
    return io;
}
