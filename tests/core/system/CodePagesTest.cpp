#include "core/system/CodePages.h"
#include "core/storage/StoredText.h"

#include <gtest/gtest.h>

TEST(CodePagesTest, CheckUtf8Sequences)
{
    const struct
    {
        QByteArray bytes;
        int result;
    } cases[] = {
        {QByteArray(), Utf8Ok},
        {"plain ASCII", Utf8Ok},
        {"caf\xC3\xA9", Utf8Ok},
        {"\xF0\x9F\x98\x80", Utf8Ok},
        {"\xF4\x8F\xBF\xBF", Utf8Ok}, // U+10FFFF, the last code point
        {"\xEE\x80\x80", Utf8Ok},
        {"ab\xC3", Utf8CutShort}, // ends after the first byte of two
        {"\xE2\x82", Utf8CutShort},
        {"\xF0\x9F\x98", Utf8CutShort},
        {"\xC0\x80", Utf8Illegal}, // over-long NUL
        {"\xC1\xBF", Utf8Illegal},
        {"\x80", Utf8Illegal},             // continuation without a lead
        {"\xE0\x80\x80", Utf8Illegal},     // over-long
        {"\xED\xA0\x80", Utf8Illegal},     // surrogate
        {"\xF4\x90\x80\x80", Utf8Illegal}, // above U+10FFFF
        {"\xF5\x80\x80\x80", Utf8Illegal},
        {"\xC3\x28", Utf8Illegal},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckUtf8String(c.bytes), c.result) << c.bytes.toHex().constData();

    // Only the text before the first NUL counts.
    EXPECT_EQ(CheckUtf8String(QByteArray("ok\0\xC0\x80", 5)), Utf8Ok);
    EXPECT_EQ(CheckUtf8String("ab\xC3"), Utf8CutShort);
    EXPECT_EQ(CheckUtf8String(static_cast<const char *>(nullptr)), Utf8Ok);
}

TEST(CodePagesTest, AnsiIsWindows1252)
{
    const QString text = QStringLiteral("é€ „quoted“ ™ Œ");
    const QByteArray ansi = Utf16ToAnsi(text);
    EXPECT_EQ(ansi, QByteArray("\xE9\x80 \x84quoted\x93 \x99 \x8C"));
    EXPECT_EQ(AnsiToUtf16(ansi), text);
    EXPECT_EQ(AnsiToUtf8(ansi), text.toUtf8());
    EXPECT_EQ(Utf8ToAnsi(text.toUtf8()), ansi);

    // What the code page cannot hold becomes '?'; its five unassigned bytes survive a round trip.
    EXPECT_EQ(Utf16ToAnsi(QStringLiteral("日本 \U0001F600")), QByteArray("?? ?"));
    const QByteArray unassigned("\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(unassigned)), unassigned);
}

TEST(CodePagesTest, EmptyTextConvertsToEmptyText)
{
    // An empty field must not look like a failed conversion.
    EXPECT_TRUE(AnsiToUtf16(QByteArray()).isEmpty());
    EXPECT_TRUE(Utf16ToAnsi(QString()).isEmpty());
    EXPECT_TRUE(Utf16ToUtf8(QString()).isEmpty());
    EXPECT_TRUE(Utf8ToUtf16(QByteArray()).isEmpty());
    EXPECT_TRUE(AnsiToUtf8(QByteArray("")).isEmpty());
    EXPECT_TRUE(Utf8ToAnsi(QByteArray("")).isEmpty());
}

TEST(CodePagesTest, StoredTextsReadAsUtf8OrElseWindows1252)
{
    EXPECT_EQ(DecodeStoredText("Caf\xC3\xA9"), QStringLiteral("Café"));
    EXPECT_EQ(DecodeStoredText("Caf\xE9"), QStringLiteral("Café"));
    EXPECT_EQ(DecodeStoredText("\x80 5"), QStringLiteral("€ 5"));
}
