// Text in stored records and blobs: written as UTF-8; read as UTF-8 when the bytes are valid UTF-8,
// else as Windows-1252 so that files written by older tools still read.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QString DecodeRecordText(QByteArrayView bytes);
QByteArray EncodeRecordText(const QString &text);
// Windows-1252 bytes as text (bytes the code page leaves undefined map to the same code point).
QString DecodeWindows1252(QByteArrayView bytes);
