// Fills printf-style texts of the string table ("%s", "%d", "%02d", "%#02d", "%%") with
// arguments in order, without handing the text to the C library's printf.
#pragma once

#include <QString>
#include <initializer_list>

class PrintfArg
{
  public:
    PrintfArg(const QString &text) : m_text(text) {}
    PrintfArg(const char *text) : m_text(QString::fromUtf8(text)) {}
    PrintfArg(int value) : m_isNumber(true), m_number(value) {}
    PrintfArg(long value) : m_isNumber(true), m_number(value) {}
    PrintfArg(long long value) : m_isNumber(true), m_number(value) {}
    PrintfArg(unsigned value) : m_isNumber(true), m_number(value) {}

    // The argument for one conversion: width and zero padding apply to both kinds.
    QString Render(int width, bool zeroPad, bool leftAlign) const;

  private:
    QString m_text;
    bool m_isNumber = false;
    long long m_number = 0;
};

// Conversions beyond the arguments are left out; "%%" gives "%". The "#" flag is ignored, as
// the Windows run-time ignores it for decimal numbers.
QString PrintfText(const QString &format, std::initializer_list<PrintfArg> args);
