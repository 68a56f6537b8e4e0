// UTF-8 checks and conversions between UTF-16, UTF-8 and the "ANSI" code page. The ANSI code
// page is Windows-1252 everywhere, so that texts from files written on Windows read the same.
#pragma once

#include <QByteArray>
#include <QString>

// Result of CheckUtf8String.
enum Utf8Check
{
    Utf8Ok = 0,
    Utf8CutShort = 1,
    Utf8Illegal = 2
};

// Checks the bytes up to the first NUL (or the end) against the Unicode reference rules for
// legal UTF-8 sequences: 0 well-formed, 1 a sequence cut short by the end, 2 an illegal one.
int CheckUtf8String(const char *text);
int CheckUtf8String(const QByteArray &text);

// The conversions never fail: an empty text converts to an empty text, a character the
// target cannot hold becomes '?' (ANSI) or U+FFFD (from malformed UTF-8).
QString AnsiToUtf16(const QByteArray &ansi);
QByteArray Utf16ToAnsi(const QString &text);
QByteArray Utf16ToUtf8(const QString &text);
QString Utf8ToUtf16(const QByteArray &utf8);
QByteArray AnsiToUtf8(const QByteArray &ansi);
QByteArray Utf8ToAnsi(const QByteArray &utf8);

