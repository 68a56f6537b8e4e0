// Archive-layout blobs: the three counted-string length forms at their boundaries, bounds checks on
// damaged data, the wide-string marker and the code-page fallback for stored text.
#include "core/storage/ArchiveReader.h"
#include "core/storage/ArchiveWriter.h"
#include "core/storage/StoredText.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

struct LengthForm
{
    qsizetype length;
    QByteArray prefix;
};

TEST(Archive, CountedStringLengthForms)
{
    const LengthForm forms[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto &f : forms) {
        const QString text(f.length, QLatin1Char('x'));
        QByteArray blob;
        CArchiveWriter w(blob);
        w.WriteString(text);
        w.WriteU32(0xCAFEF00D); // what follows must be found right after the string
        ASSERT_EQ(blob.size(), f.prefix.size() + f.length + 4) << f.length;
        EXPECT_EQ(blob.left(f.prefix.size()), f.prefix) << f.length;

        CArchiveReader r(blob);
        QString back;
        std::uint32_t tail = 0;
        ASSERT_TRUE(r.ReadString(back)) << f.length;
        EXPECT_EQ(back, text);
        ASSERT_TRUE(r.ReadU32(tail));
        EXPECT_EQ(tail, 0xCAFEF00Du);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, LengthCountsUtf8Bytes)
{
    QByteArray blob;
    CArchiveWriter(blob).WriteString(QStringLiteral("Zürich"));
    EXPECT_EQ(blob, Bytes({7}) + QByteArray("Z\xC3\xBCrich"));
}

TEST(Archive, DamagedStringsFailWithoutMoving)
{
    const QByteArray cases[] = {
        QByteArray(),
        Bytes({0x05, 'a', 'b'}),                                // short body
        Bytes({0xFF, 0x10}),                                    // short 16-bit length
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),                  // short 32-bit length
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}), // 4 GB claimed, one byte there
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}),      // two wide markers
        Bytes({0xFF, 0xFE, 0xFF, 0x02, 'h', 0x00}),             // wide body too short
    };
    for (const auto &blob : cases) {
        CArchiveReader r(blob);
        QString s;
        EXPECT_FALSE(r.ReadString(s)) << blob.toHex().constData();
        EXPECT_EQ(r.Position(), 0) << blob.toHex().constData();
    }
}

TEST(Archive, WideStringMarker)
{
    const QByteArray blob = Bytes({0xFF, 0xFE, 0xFF, 0x03, 'h', 0x00, 0x69, 0x00, 0xAC, 0x20});
    CArchiveReader r(blob);
    QString s;
    ASSERT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, QString::fromUtf8("hi\xE2\x82\xAC"));
    EXPECT_TRUE(r.AtEnd());
}

TEST(Archive, FixedSizeReadsStopAtTheEnd)
{
    const QByteArray blob = Bytes({1, 2, 3});
    CArchiveReader r(blob);
    std::uint32_t v32 = 0;
    std::uint16_t v16 = 0;
    EXPECT_FALSE(r.ReadU32(v32));
    EXPECT_FALSE(r.Skip(4));
    EXPECT_FALSE(r.Skip(-1));
    EXPECT_TRUE(r.ReadU16(v16));
    EXPECT_EQ(v16, 0x0201);
    EXPECT_FALSE(r.ReadU16(v16));
    EXPECT_EQ(r.Remaining(), 1);
}

TEST(RecordText, Utf8FirstThenWindows1252)
{
    EXPECT_EQ(DecodeStoredText(QByteArray("caf\xC3\xA9")), QString::fromUtf8("caf\xC3\xA9"));
    // Not UTF-8: the curly quotes and e-acute of the Windows code page.
    EXPECT_EQ(DecodeStoredText(QByteArray("\x93"
                               "caf\xE9\x94")),
              QString::fromUtf8("\xE2\x80\x9C"
                                "caf\xC3\xA9\xE2\x80\x9D"));
    EXPECT_EQ(DecodeWindows1252(QByteArray("\x80\x81\x9F\xA0\xFF")),
              QString::fromUtf8("\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xA0\xC3\xBF"));
    EXPECT_EQ(EncodeStoredText(QString::fromUtf8("\xC3\xA9")), QByteArray("\xC3\xA9"));
}

} // namespace
