// Password check block, the current key across checks, record enciphering and header copy.
#include "core/storage/StorageTestSupport.h"

#include "core/storage/StorageFile.h"
#include "core/storage/StoredText.h"

using namespace storage_test;
using namespace StorageLayout;

namespace {
class StoragePassword : public StorageFixture
{
  protected:
    // A record buffer laid out as the item records are: used length at 4, plain prefix at 8.
    static QByteArray Record(std::uint32_t prefix, std::uint32_t used, std::uint32_t length)
    {
        QByteArray r(static_cast<qsizetype>(length), 0);
        for (qsizetype i = 12; i < r.size(); ++i)
            r[i] = static_cast<char>(i * 7);
        std::memcpy(r.data() + 4, &used, 4);
        std::memcpy(r.data() + 8, &prefix, 4);
        return r;
    }
};

QByteArray CheckBlockFor(const CipherKey &key)
{
    QByteArray block("HarlowenQBrisket");
    CCipher(key).Encrypt(block.data(), 16);
    return block;
}
} // namespace

TEST_F(StoragePassword, CheckBlockAndPasswordProbe)
{
    {
        CStorageFile file;
        CreateFile(file);
        ASSERT_EQ(file.SetPassword(QStringLiteral("s3cret")), S_OK);
    }
    EXPECT_EQ(ReadWholeFile(m_path).mid(12, 16), CheckBlockFor(KeyFromPassword(QStringLiteral("s3cret"))));

    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, true), S_OK);
    EXPECT_FALSE(file.CloneKey());
    EXPECT_EQ(file.CheckPassword(QString()), QV_E_WRONG_PASSWORD); // a password is required
    EXPECT_FALSE(file.CloneKey());
    EXPECT_EQ(file.CheckPassword(QStringLiteral("S3cret")), QV_E_WRONG_PASSWORD);
    EXPECT_EQ(file.CheckPassword(QStringLiteral("s3cret")), S_OK);
    ASSERT_TRUE(file.CloneKey());
    EXPECT_EQ(*file.CloneKey(), CCipher(KeyFromPassword(QStringLiteral("s3cret"))));
}

TEST_F(StoragePassword, EmptyPasswordOpensWithoutPrompt)
{
    {
        CStorageFile file;
        CreateFile(file);
        ASSERT_EQ(file.SetPassword(QString()), S_OK);
    }
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    EXPECT_EQ(file.CheckPassword(QString()), S_OK);
}

TEST_F(StoragePassword, WrongPasswordKeepsTheKeyInForce)
{
    CStorageFile file;
    CreateFile(file);
    ASSERT_EQ(file.SetPassword(QStringLiteral("first")), S_OK);
    QByteArray data(32, 'd');
    ASSERT_TRUE(file.EncryptBytes(data.data(), 32));

    EXPECT_EQ(file.CheckPassword(QStringLiteral("second")), QV_E_WRONG_PASSWORD);
    EXPECT_EQ(file.CheckPassword(CCipher(KeyFromPassword(QStringLiteral("other")))), QV_E_WRONG_PASSWORD);
    // The file stays readable with the key it had.
    ASSERT_TRUE(file.DecryptBytes(data.data(), 32));
    EXPECT_EQ(data, QByteArray(32, 'd'));
}

TEST_F(StoragePassword, KeptKeyReopensWithoutThePassword)
{
    std::unique_ptr<CCipher> kept;
    {
        CStorageFile file;
        CreateFile(file);
        ASSERT_EQ(file.SetPassword(QStringLiteral("pw")), S_OK);
        kept = file.CloneKey();
    }
    ASSERT_TRUE(kept);
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    EXPECT_EQ(file.CheckPassword(*kept), S_OK);
    ASSERT_TRUE(file.CloneKey());
    EXPECT_EQ(*file.CloneKey(), *kept);
}

TEST_F(StoragePassword, OlderFilesDigestedTheWindowsCodePage)
{
    {
        CStorageFile file;
        CreateFile(file);
    }
    // A check block made from the Windows-1252 bytes of the password, as older tools wrote it.
    bool ok = false;
    const QByteArray legacy = EncodeWindows1252(QStringLiteral("café"), &ok);
    ASSERT_TRUE(ok);
    PatchFile(m_path, 12,
              CheckBlockFor(Md5Digest(legacy.constData(), static_cast<std::size_t>(legacy.size()))));
    CStorageFile file;
    ASSERT_EQ(file.OpenExisting(m_path, false), S_OK);
    EXPECT_EQ(file.CheckPassword(QStringLiteral("cafe")), QV_E_WRONG_PASSWORD);
    EXPECT_EQ(file.CheckPassword(QStringLiteral("café")), S_OK);
}

TEST_F(StoragePassword, RecordBodyIsEncipheredAndThePrefixStaysPlain)
{
    CStorageFile file;
    CreateFile(file);
    ASSERT_EQ(file.SetPassword(QStringLiteral("k")), S_OK);
    // 164 plain bytes, 192 enciphered, 20 bytes of slack in the buffer.
    const QByteArray original = Record(164, 356, 376);
    QByteArray r = original;
    ASSERT_EQ(
        file.EncryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), static_cast<std::size_t>(r.size())),
        S_OK);
    EXPECT_EQ(r.left(164), original.left(164));
    EXPECT_NE(r.mid(164, 192), original.mid(164, 192));
    EXPECT_EQ(r.mid(356), original.mid(356));
    ASSERT_EQ(
        file.DecryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), static_cast<std::size_t>(r.size())),
        S_OK);
    EXPECT_EQ(r, original);
}

TEST_F(StoragePassword, MalformedRecordsAreRefusedBeforeDeciphering)
{
    CStorageFile file;
    CreateFile(file);
    ASSERT_EQ(file.SetPassword(QString()), S_OK);
    struct Case
    {
        const char *name;
        std::uint32_t prefix, used, length, bytesRead;
    };
    const Case cases[] = {
        {"used beyond the bytes read", 164, 356, 400, 300},
        {"huge used length", 164, 0xFFFFFFF4, 400, 400},
        {"body not whole blocks", 164, 350, 400, 400},
        {"used below the prefix", 164, 100, 400, 400},
        {"fewer bytes than the length fields", 0, 0, 400, 11},
    };
    for (const Case &c : cases) {
        QByteArray r = Record(c.prefix, c.used, c.length);
        const QByteArray before = r;
        EXPECT_EQ(file.DecryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), c.bytesRead),
                  QV_E_BAD_DATA_TYPE)
            << c.name;
        EXPECT_EQ(r, before) << c.name;
        if (c.bytesRead >= 12) {
            EXPECT_EQ(file.EncryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), c.bytesRead),
                      QV_E_ENCIPHER)
                << c.name;
        }
    }
    // Without a key nothing can be deciphered.
    CStorageFile closed;
    QByteArray r = Record(164, 356, 356);
    EXPECT_EQ(closed.DecryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), 356), QV_E_DECIPHER_CHECK);
    EXPECT_EQ(closed.EncryptRecord(reinterpret_cast<std::uint8_t *>(r.data()), 356), QV_E_ENCIPHER);
}

TEST_F(StoragePassword, FormatVersionAndHeaderCopy)
{
    CStorageFile source;
    CreateFile(source);
    ASSERT_EQ(source.SetPassword(QStringLiteral("copy me")), S_OK);
    ASSERT_EQ(source.SetTitle(QStringLiteral("Source title")), S_OK);
    ASSERT_EQ(source.WriteFormatVersion(kCurrentFormatVersion), S_OK);
    std::uint32_t version = 0;
    EXPECT_EQ(source.ReadFormatVersion(version), S_OK);
    EXPECT_EQ(version, kCurrentFormatVersion);

    const QString copyPath = m_dir.filePath("copy.qvd");
    {
        CStorageFile copy;
        ASSERT_EQ(copy.Create(copyPath), S_OK);
        EXPECT_EQ(copy.ReadFormatVersion(version), QV_E_CORRUPT_CONTACT); // a new file carries none yet
        ASSERT_EQ(copy.CopyHeaderFrom(source), S_OK);
        EXPECT_EQ(*copy.CloneKey(), *source.CloneKey());
    }
    CStorageFile copy;
    ASSERT_EQ(copy.OpenExisting(copyPath, true), S_OK);
    EXPECT_EQ(copy.GetTitle(), QStringLiteral("Source title"));
    EXPECT_EQ(copy.GetCreationTime(), source.GetCreationTime());
    EXPECT_EQ(copy.ReadFormatVersion(version), S_OK);
    EXPECT_EQ(version, kCurrentFormatVersion);
    EXPECT_EQ(copy.CheckPassword(QStringLiteral("copy me")), S_OK);
    const QByteArray a = ReadWholeFile(m_path), b = ReadWholeFile(copyPath);
    EXPECT_EQ(a.mid(12, 16), b.mid(12, 16));
    EXPECT_EQ(a.mid(1024, 1024), b.mid(1024, 1024));
}
