// The data file's version block: 32 bytes at header offset 1024 that carry the format
// version, enciphered with a key the program builds at run time and sealed by a check value.
#pragma once

#include "core/system/ResultCode.h"

#include <array>
#include <cstdint>

using VersionBlock = std::array<std::uint8_t, 32>;

inline constexpr std::uint32_t kCurrentFormatVersion = 0x00020005;

// The enciphered block for a format version; false when it cannot be enciphered.
bool EncodeVersionBlock(std::uint32_t version, VersionBlock &out);
// The format version of a block: 0x80040511 when it cannot be deciphered, 0x80040522
// when its check value is wrong (a damaged or foreign block).
HRESULT DecodeVersionBlock(const VersionBlock &block, std::uint32_t &version);
