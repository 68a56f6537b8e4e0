// UTF-8 checks and Windows-1252 conversions.
#include "core/system/CodePages.h"
#include "core/storage/StoredText.h"

#include <QList>
#include <array>
#include <cstring>

namespace {

int TrailingBytes(unsigned char lead)
{
    if (lead < 0xC0)
        return 0;
    if (lead < 0xE0)
        return 1;
    if (lead < 0xF0)
        return 2;
    if (lead < 0xF8)
        return 3;
    if (lead < 0xFC)
        return 4;
    return 5;
}

bool IsLegalSequence(const unsigned char *s, int length)
{
    if (length > 4)
        return false;
    for (int i = length - 1; i >= 1; --i) {
        const unsigned char c = s[i];
        if (c < 0x80 || c > 0xBF)
            return false;
    }
    const unsigned char lead = s[0];
    if (length > 1) {
        const unsigned char second = s[1];
        switch (lead) {
        case 0xE0:
            if (second < 0xA0)
                return false;
            break;
        case 0xED:
            if (second > 0x9F)
                return false;
            break;
        case 0xF0:
            if (second < 0x90)
                return false;
            break;
        case 0xF4:
            if (second > 0x8F)
                return false;
            break;
        default:
            break;
        }
    }
    if (lead >= 0x80 && lead < 0xC2)
        return false;
    return lead <= 0xF4;
}

int CheckUtf8Bytes(const unsigned char *s, std::size_t length)
{
    std::size_t i = 0;
    while (i < length) {
        const int extra = TrailingBytes(s[i]);
        if (static_cast<std::size_t>(extra) >= length - i)
            return Utf8CutShort;
        if (!IsLegalSequence(s + i, extra + 1))
            return Utf8Illegal;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return Utf8Ok;
}
} // namespace

int CheckUtf8String(const char *text)
{
    if (!text)
        return Utf8Ok;
    return CheckUtf8Bytes(reinterpret_cast<const unsigned char *>(text), std::strlen(text));
}

int CheckUtf8String(const QByteArray &text)
{
    // Only the bytes before the first NUL count, as for a C string.
    const qsizetype nul = text.indexOf('\0');
    const qsizetype length = nul < 0 ? text.size() : nul;
    return CheckUtf8Bytes(reinterpret_cast<const unsigned char *>(text.constData()),
                          static_cast<std::size_t>(length));
}

QString AnsiToUtf16(const QByteArray &ansi)
{
    return DecodeWindows1252(ansi);
}

QByteArray Utf16ToAnsi(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const uint cp : text.toUcs4()) {
        const int byte = cp <= 0xFFFF ? UnicodeToWindows1252(char16_t(cp)) : -1;
        out.append(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return out;
}

QByteArray Utf16ToUtf8(const QString &text)
{
    return text.toUtf8();
}

QString Utf8ToUtf16(const QByteArray &utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray AnsiToUtf8(const QByteArray &ansi)
{
    return Utf16ToUtf8(AnsiToUtf16(ansi));
}

QByteArray Utf8ToAnsi(const QByteArray &utf8)
{
    return Utf16ToAnsi(Utf8ToUtf16(utf8));
}
