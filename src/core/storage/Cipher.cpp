// MD5 and Twofish-128 ECB through nettle.
#include "core/storage/Cipher.h"

#include <QByteArray>
#include <QString>
#include <cstring>
#include <new>

#include <nettle/md5.h>

CipherKey Md5Digest(const void *data, std::size_t length)
{
    md5_ctx ctx;
    md5_init(&ctx);
    md5_update(&ctx, length, static_cast<const std::uint8_t *>(data));
    CipherKey digest;
    md5_digest(&ctx, digest.size(), digest.data());
    return digest;
}

CipherKey KeyFromPassword(const QString &password)
{
    const QByteArray bytes = password.toUtf8();
    return Md5Digest(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

CCipher::CCipher(const CipherKey &key)
{
    twofish128_set_key(&m_ctx, key.data());
}

bool CCipher::Encrypt(void *data, std::size_t n) const
{
    if (n % BlockSize != 0)
        return false;
    auto *p = static_cast<std::uint8_t *>(data);
    twofish_encrypt(&m_ctx, n, p, p);
    return true;
}

bool CCipher::Decrypt(void *data, std::size_t n) const
{
    if (n % BlockSize != 0)
        return false;
    auto *p = static_cast<std::uint8_t *>(data);
    twofish_decrypt(&m_ctx, n, p, p);
    return true;
}

bool CCipher::operator==(const CCipher &other) const
{
    return std::memcmp(&m_ctx, &other.m_ctx, sizeof m_ctx) == 0;
}

std::unique_ptr<CCipher> CreateCipher(const CipherKey &key)
{
    return std::unique_ptr<CCipher>(new (std::nothrow) CCipher(key));
}

std::unique_ptr<CCipher> CloneCipher(const CCipher &cipher)
{
    return std::unique_ptr<CCipher>(new (std::nothrow) CCipher(cipher));
}

std::size_t GetCipherKeySize()
{
    return sizeof(CCipher);
}
