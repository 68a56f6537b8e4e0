// UTF-8 with a Windows-1252 fallback, and cutting at character boundaries.
#include "core/storage/StoredText.h"

#include <QStringDecoder>
#include <array>

namespace {
// Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes, which decode as the C1 control.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t Cp1252ToUnicode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0)
        return kCp1252High[c - 0x80];
    return c;
}
} // namespace

QString DecodeStoredText(const char *bytes, qsizetype length)
{
    if (length <= 0)
        return QString();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes, length));
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes, length);
}

QString DecodeWindows1252(const char *bytes, qsizetype length)
{
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; i < length; ++i)
        text.append(QChar(Cp1252ToUnicode(static_cast<unsigned char>(bytes[i]))));
    return text;
}

QByteArray EncodeStoredText(const QString &text, qsizetype maxBytes)
{
    QByteArray bytes = text.toUtf8();
    if (maxBytes < 0 || bytes.size() <= maxBytes)
        return bytes;
    qsizetype cut = maxBytes;
    // Step back over continuation bytes so that the cut lands on a character start.
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    bytes.truncate(cut);
    return bytes;
}

int UnicodeToWindows1252(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || (u >= 0x80 && u <= 0x9F && kCp1252High[u - 0x80] == 0))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QByteArray EncodeWindows1252(const QString &text, bool *ok)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const int code = UnicodeToWindows1252(ch.unicode());
        if (code < 0) {
            if (ok)
                *ok = false;
            return QByteArray();
        }
        out.append(static_cast<char>(code));
    }
    if (ok)
        *ok = true;
    return out;
}
