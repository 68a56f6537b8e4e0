// MD5, Twofish-128 ECB and the program's CRC-32 against published and independent values.
#include "core/storage/Cipher.h"
#include "core/storage/Crc32.h"
#include "core/storage/VersionBlock.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <map>

namespace {
QByteArray Hex(const CipherKey &key)
{
    return QByteArray(reinterpret_cast<const char *>(key.data()), 16).toHex().toUpper();
}

CipherKey KeyFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    CipherKey key{};
    std::memcpy(key.data(), bytes.constData(), 16);
    return key;
}

// Bit-at-a-time form of the same CRC rule, as an independent reference.
std::uint32_t BitwiseCrc(const QByteArray &data, std::uint32_t value)
{
    for (char c : data) {
        value ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    }
    return value;
}
} // namespace

TEST(Cipher, Md5KnownAnswers)
{
    // The test suite of RFC 1321.
    const struct
    {
        const char *text;
        const char *digest;
    } cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Hex(Md5Digest(c.text, std::strlen(c.text))), QByteArray(c.digest)) << c.text;
    // A password's key is the digest of its bytes without a terminator.
    EXPECT_EQ(Hex(KeyFromPassword(QString())), QByteArray("D41D8CD98F00B204E9800998ECF8427E"));
    EXPECT_EQ(Hex(KeyFromPassword(QStringLiteral("abc"))), QByteArray("900150983CD24FB0D6963F7D28E17F72"));
}

TEST(Cipher, TwofishKnownAnswers)
{
    // The 128-bit table of the Twofish paper: each step's key is the previous plaintext and
    // its plaintext the previous ciphertext, from an all-zero key and block.
    const std::map<int, QByteArray> expected = {
        {1, "9F589F5CF6122C32B6BFEC2F2AE8C35A"},
        {2, "D491DB16E7B1C39E86CB086B789F5419"},
        {3, "019F9809DE1711858FAAC3A3BA20FBC3"},
        {49, "5D9D4EEFFA9151575524F115815A12E0"},
    };
    CipherKey key{};
    CipherKey text{};
    for (int i = 1; i <= 49; ++i) {
        if (i == 49) {
            EXPECT_EQ(Hex(key), QByteArray("BCA724A54533C6987E14AA827952F921"));
            EXPECT_EQ(Hex(text), QByteArray("6B459286F3FFD28D49F15B1581B08E42"));
        }
        CipherKey block = text;
        ASSERT_TRUE(CCipher(key).Encrypt(block.data(), 16));
        const auto it = expected.find(i);
        if (it != expected.end()) {
            EXPECT_EQ(Hex(block), it->second) << i;
        }
        key = text;
        text = block;
    }
}

TEST(Cipher, EcbBlocksAreIndependentAndReversible)
{
    const CCipher cipher(KeyFromHex("BCA724A54533C6987E14AA827952F921"));
    // Two equal plaintext blocks give two equal ciphertext blocks: no chaining.
    QByteArray data = QByteArray::fromHex("6B459286F3FFD28D49F15B1581B08E42") +
                      QByteArray::fromHex("6B459286F3FFD28D49F15B1581B08E42");
    const QByteArray plain = data;
    ASSERT_TRUE(cipher.Encrypt(data.data(), 32));
    EXPECT_EQ(data.left(16).toHex().toUpper(), QByteArray("5D9D4EEFFA9151575524F115815A12E0"));
    EXPECT_EQ(data.left(16), data.mid(16));
    ASSERT_TRUE(cipher.Decrypt(data.data(), 32));
    EXPECT_EQ(data, plain);
    // Anything but whole blocks is refused and left as it was.
    QByteArray odd(20, 'x');
    EXPECT_FALSE(cipher.Encrypt(odd.data(), 20));
    EXPECT_EQ(odd, QByteArray(20, 'x'));
    EXPECT_TRUE(cipher.Encrypt(odd.data(), 0));
}

TEST(Crc32, RawTableRuleWithoutInversion)
{
    std::uint32_t v = 0x12345678;
    Crc32Update("", 0, v);
    EXPECT_EQ(v, 0x12345678u); // nothing changes over zero bytes

    v = 0;
    Crc32Update("abc", 3, v);
    EXPECT_EQ(v, 0xCA6598D0u);
    EXPECT_NE(v, 0x352441C2u); // not the usual checksum of "abc"

    // Continuing in pieces gives the value of the whole, and matches a bitwise reference.
    const QByteArray data = QByteArrayLiteral("The quick brown fox jumps over the lazy dog \x00\xff\x80");
    for (std::uint32_t start : {0u, 1u, 0xFFFFFFFFu, 0xDEADBEEFu}) {
        std::uint32_t whole = start;
        Crc32Update(data.constData(), data.size(), whole);
        std::uint32_t pieces = start;
        Crc32Update(data.constData(), 10, pieces);
        Crc32Update(data.constData() + 10, data.size() - 10, pieces);
        EXPECT_EQ(whole, pieces);
        EXPECT_EQ(whole, BitwiseCrc(data, start));
    }
}

TEST(VersionBlockCodec, RoundTripAndDamage)
{
    VersionBlock block;
    ASSERT_TRUE(EncodeVersionBlock(kCurrentFormatVersion, block));
    std::uint32_t version = 0;
    EXPECT_EQ(DecodeVersionBlock(block, version), S_OK);
    EXPECT_EQ(version, kCurrentFormatVersion);
    // The format version is not readable without deciphering.
    EXPECT_NE(std::memcmp(block.data(), &kCurrentFormatVersion, 4), 0);

    for (std::size_t i = 0; i < block.size(); ++i) {
        VersionBlock damaged = block;
        damaged[i] ^= 0x01;
        EXPECT_EQ(DecodeVersionBlock(damaged, version), QV_E_CORRUPT_CONTACT) << i;
    }
    const VersionBlock zero{};
    EXPECT_EQ(DecodeVersionBlock(zero, version), QV_E_CORRUPT_CONTACT);
}
