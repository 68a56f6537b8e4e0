// Table-driven CRC-32 over the reflected polynomial, without the usual pre- and post-inversion.
#include "core/storage/Crc32.h"

#include <array>

namespace {
constexpr std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();
} // namespace

void Crc32Update(const void *data, std::size_t length, std::uint32_t &value)
{
    const auto *p = static_cast<const std::uint8_t *>(data);
    std::uint32_t v = value;
    for (std::size_t i = 0; i < length; ++i)
        v = kTable[(v ^ p[i]) & 0xFF] ^ (v >> 8);
    value = v;
}
