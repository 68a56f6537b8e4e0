// The record cipher: Twofish with a 128-bit key in ECB mode, keyed by the MD5 digest of the
// password; and MD5 itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include <nettle/twofish.h>

class QString;

using CipherKey = std::array<std::uint8_t, 16>;

// MD5 (RFC 1321) of the bytes.
CipherKey Md5Digest(const void *data, std::size_t length);
// The key of a password: the digest of its UTF-8 bytes, without a terminating NUL.
CipherKey KeyFromPassword(const QString &password);

// One Twofish-128 key schedule. Copyable; ECB over whole 16-byte blocks only.
class CCipher
{
  public:
    static constexpr std::size_t BlockSize = 16;

    explicit CCipher(const CipherKey &key);

    // In place over n bytes; false (and nothing changed) unless n is a whole number of blocks.
    bool Encrypt(void *data, std::size_t n) const;
    bool Decrypt(void *data, std::size_t n) const;

    bool operator==(const CCipher &other) const;

  private:
    twofish_ctx m_ctx;
};

// A cipher from a key; null when it cannot be made.
std::unique_ptr<CCipher> CreateCipher(const CipherKey &key);
std::unique_ptr<CCipher> CloneCipher(const CCipher &cipher);
// The size of a cipher object, for callers that keep a copy of one.
std::size_t GetCipherKeySize();
