// The program's CRC-32: the reflected table of 0xEDB88320, continued from a running value
// that the caller starts (the data file starts at 0), with no inversion before or after.
#pragma once

#include <cstddef>
#include <cstdint>

// value := table[(value ^ byte) & 0xFF] ^ (value >> 8) for each byte.
void Crc32Update(const void *data, std::size_t length, std::uint32_t &value);
