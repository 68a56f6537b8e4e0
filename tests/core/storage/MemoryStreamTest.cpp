// The memory stream: growth rule, byte layout of values and strings, bounded reads.
#include "core/storage/MemoryStream.h"
#include "core/storage/ArchiveException.h"
#include "core/dates/DateTime.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

namespace {
QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// Runs a read and returns the archive cause it raised (none when it raised nothing).
template <typename F> CArchiveException::Cause CauseOf(F &&read)
{
    try {
        read();
    } catch (const CArchiveException &e) {
        return e.GetCause();
    }
    return CArchiveException::none;
}
} // namespace

TEST(MemoryStream, CapacityGrowsInStepsOf256KeepingASpareByte)
{
    struct Case
    {
        std::size_t written;
        std::size_t capacity;
    };
    for (const Case c : {Case{1, 256}, Case{255, 256}, Case{256, 512}, Case{511, 512}, Case{512, 768}}) {
        CMemoryStream s;
        const QByteArray data(static_cast<qsizetype>(c.written), 'x');
        s.WriteBytes(data.constData(), c.written);
        EXPECT_EQ(s.GetCapacity(), c.capacity) << c.written;
        EXPECT_EQ(s.GetPosition(), c.written);
    }
}

TEST(MemoryStream, RegrowthKeepsBytesAndZeroFillsTheRest)
{
    CMemoryStream s;
    s.Reserve(10);
    // Reserved but unwritten bytes read as zero, before and after a regrowth.
    for (std::size_t i = 0; i < s.GetCapacity(); ++i)
        ASSERT_EQ(s.GetBuffer()[i], 0) << i;
    s.WriteUInt32(0xA1B2C3D4);
    const QByteArray big(300, 'q');
    s.WriteBytes(big.constData(), big.size());
    ASSERT_EQ(s.GetCapacity(), 512u);
    EXPECT_EQ(s.ToByteArray().left(4), Bytes({0xD4, 0xC3, 0xB2, 0xA1}));
    for (std::size_t i = s.GetPosition(); i < s.GetCapacity(); ++i)
        ASSERT_EQ(s.GetBuffer()[i], 0) << i;
}

TEST(MemoryStream, ValueLayouts)
{
    CMemoryStream s;
    s.WriteUInt8(0x7F);
    s.WriteUInt16(0x1234);
    s.WriteUInt32(0x89ABCDEF);
    CDateTime invalid(2.5);
    invalid.SetStatus(CDateTime::invalid);
    s.WriteDate(invalid); // the status is not stored
    s.WriteString(QStringLiteral("abc"));
    s.WriteString(QString());
    EXPECT_EQ(s.ToByteArray(), Bytes({0x7F, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0,
                                      0,    0,    0,    0,    0,    0x04, 0x40,    // 2.5 as a double
                                      4,    0,    0,    0,    'a',  'b',  'c',  0, // "abc"
                                      1,    0,    0,    0,    0}));                // ""
}

TEST(MemoryStream, RoundTrip)
{
    CMemoryStream w;
    w.WriteUInt32(42);
    w.WriteDate(CDateTime(2024, 2, 29, 13, 45, 10));
    w.WriteDate(CDateSpan(0, 1, 30, 0));
    w.WriteString(QStringLiteral("Zürich → 東京"));
    const QByteArray bytes = w.ToByteArray();

    CMemoryStream r;
    r.Attach(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    EXPECT_EQ(r.ReadUInt32(), 42u);
    CDateTime when = CDateTime::Null();
    r.ReadDate(when);
    EXPECT_EQ(when.Value(), CDateTime(2024, 2, 29, 13, 45, 10).Value());
    EXPECT_TRUE(when.IsNull()); // the target keeps its status
    CDateSpan span;
    r.ReadDate(span);
    EXPECT_EQ(span.Value(), CDateSpan(0, 1, 30, 0).Value());
    QString text;
    EXPECT_EQ(r.ReadString(text), 1);
    EXPECT_EQ(text, QStringLiteral("Zürich → 東京"));
    EXPECT_EQ(r.GetRemaining(), 0u);
    EXPECT_EQ(r.ReadBytes(nullptr, 0), 0u); // zero bytes at the very end is fine
}

TEST(MemoryStream, ShortReadsRaiseEndOfFileAndKeepTheCursor)
{
    const QByteArray bytes = Bytes({1, 2, 3});
    CMemoryStream r;
    r.Attach(bytes.constData(), 3);
    r.ReadUInt8();
    EXPECT_EQ(CauseOf([&] { r.ReadUInt32(); }), CArchiveException::endOfFile);
    EXPECT_EQ(CauseOf([&] { r.ReadDouble(); }), CArchiveException::endOfFile);
    EXPECT_EQ(CauseOf([&] { r.Skip(3); }), CArchiveException::endOfFile);
    EXPECT_EQ(r.GetPosition(), 1u);
    EXPECT_EQ(r.ReadUInt16(), 0x0302);
}

TEST(MemoryStream, MalformedStrings)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        CArchiveException::Cause cause;
        QString text; // when it reads
        std::size_t consumed;
    };
    const Case cases[] = {
        {"length past the end", Bytes({9, 0, 0, 0, 'a', 'b', 0}), CArchiveException::endOfFile, {}, 0},
        {"huge length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}), CArchiveException::endOfFile, {}, 0},
        {"cut length field", Bytes({4, 0}), CArchiveException::endOfFile, {}, 0},
        // No NUL inside the counted bytes: the text stops with them and reads nothing after.
        {"no terminator", Bytes({3, 0, 0, 0, 'x', 'y', 'z', 'W', 0}), CArchiveException::none, "xyz", 7},
        {"early NUL", Bytes({4, 0, 0, 0, 'a', 0, 'b', 0}), CArchiveException::none, "a", 8},
        {"zero length", Bytes({0, 0, 0, 0}), CArchiveException::none, "", 4},
        // Bytes that are not UTF-8 read as Windows-1252.
        {"older code page", Bytes({4, 0, 0, 0, 'c', 0xE9, 0x80, 0}), CArchiveException::none,
         QStringLiteral("cé€"), 8},
    };
    for (const Case &c : cases) {
        CMemoryStream r;
        r.Attach(c.bytes.constData(), static_cast<std::size_t>(c.bytes.size()));
        QString text = QStringLiteral("unchanged");
        EXPECT_EQ(CauseOf([&] { r.ReadString(text); }), c.cause) << c.name;
        EXPECT_EQ(r.GetPosition(), c.consumed) << c.name;
        if (c.cause == CArchiveException::none) {
            EXPECT_EQ(text, c.text) << c.name;
        }
    }
}

TEST(MemoryStream, RequireBytesGuardsStoredCounts)
{
    const QByteArray bytes(100, 0);
    CMemoryStream r;
    r.Attach(bytes.constData(), 100);
    r.Skip(40);
    EXPECT_NO_THROW(r.RequireBytes(60));
    EXPECT_EQ(CauseOf([&] { r.RequireBytes(61); }), CArchiveException::endOfFile);
    EXPECT_EQ(CauseOf([&] { r.RequireBytes(std::uint64_t(0xFFFFFFFF) * 153); }),
              CArchiveException::endOfFile);
}

TEST(MemoryStream, WritingAfterAttachLeavesTheCallersBytesAlone)
{
    const QByteArray original = Bytes({1, 2, 3, 4});
    QByteArray callers = original;
    {
        CMemoryStream s;
        s.Attach(callers.constData(), 4);
        s.Skip(2);
        s.WriteUInt8(9);
        EXPECT_EQ(s.ToByteArray(), Bytes({1, 2, 9}));
    }
    EXPECT_EQ(callers, original);
}

TEST(MemoryStream, OwnedBufferIsFreedByTheStream)
{
    // Under AddressSanitizer a leak or double free here fails the run.
    auto *buffer = new std::uint8_t[8]{5, 0, 0, 0, 6, 0, 0, 0};
    CMemoryStream s;
    s.AttachOwned(buffer, 8);
    EXPECT_EQ(s.ReadUInt32(), 5u);
    s.WriteUInt32(7); // fits: written in place
    EXPECT_EQ(s.GetPosition(), 8u);
    s.WriteUInt32(8); // regrows: the old owned buffer is released
    EXPECT_EQ(s.ToByteArray(), QByteArray::fromHex("050000000700000008000000"));
}
