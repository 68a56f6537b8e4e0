// Version block layout (before enciphering, little-endian):
//   0  u32 format version
//   4  u32 marker 0x56465154
//   8  20 bytes zero (room for later use)
//  28  u32 CRC-32 (start 0) of bytes 0..27
// The whole block is enciphered as two Twofish-128 ECB blocks.
#include "core/storage/VersionBlock.h"

#include "core/storage/Cipher.h"
#include "core/storage/Crc32.h"

#include <cstring>

namespace {
constexpr std::uint32_t kMarker = 0x56465154;

std::unique_ptr<CCipher> VersionCipher()
{
    // The key is derived at run time rather than kept as bytes in the program.
    static const char phrase[] = "Tessivo data file format block";
    return CreateCipher(Md5Digest(phrase, sizeof phrase - 1));
}

std::uint32_t Get32(const std::uint8_t *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
} // namespace

bool EncodeVersionBlock(std::uint32_t version, VersionBlock &out)
{
    const auto cipher = VersionCipher();
    if (!cipher)
        return false;
    VersionBlock plain{};
    std::memcpy(plain.data(), &version, 4);
    std::memcpy(plain.data() + 4, &kMarker, 4);
    std::uint32_t check = 0;
    Crc32Update(plain.data(), 28, check);
    std::memcpy(plain.data() + 28, &check, 4);
    if (!cipher->Encrypt(plain.data(), plain.size()))
        return false;
    out = plain;
    return true;
}

HRESULT DecodeVersionBlock(const VersionBlock &block, std::uint32_t &version)
{
    const auto cipher = VersionCipher();
    VersionBlock plain = block;
    if (!cipher || !cipher->Decrypt(plain.data(), plain.size()))
        return QV_E_DECIPHER_CHECK;
    std::uint32_t check = 0;
    Crc32Update(plain.data(), 28, check);
    if (Get32(plain.data() + 4) != kMarker || Get32(plain.data() + 28) != check)
        return QV_E_CORRUPT_CONTACT;
    version = Get32(plain.data());
    return S_OK;
}
