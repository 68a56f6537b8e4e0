// Text as records and file headers store it: UTF-8 bytes, read back with a Windows-1252
// fallback so that bytes written by older tools still read.
#pragma once

#include <QByteArray>
#include <QString>

// Decodes stored bytes: valid UTF-8 as UTF-8, anything else as Windows-1252.
QString DecodeStoredText(const char *bytes, qsizetype length);
inline QString DecodeStoredText(const QByteArray &bytes)
{
    return DecodeStoredText(bytes.constData(), bytes.size());
}

// The UTF-8 bytes of a text, cut to at most maxBytes without splitting a character
// (maxBytes < 0: no limit).
QByteArray EncodeStoredText(const QString &text, qsizetype maxBytes = -1);

// Windows-1252 bytes as text (the five unassigned bytes read as the C1 controls).
QString DecodeWindows1252(const char *bytes, qsizetype length);
inline QString DecodeWindows1252(const QByteArray &bytes) { return DecodeWindows1252(bytes.constData(), bytes.size()); }
// The Windows-1252 byte of a character, or -1 when the code page has none.
int UnicodeToWindows1252(char16_t u);

// The Windows-1252 bytes of a text, or an empty array with ok = false when a character has none.
QByteArray EncodeWindows1252(const QString &text, bool *ok);
