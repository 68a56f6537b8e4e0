// CArchiveException: the error a record reader raises for malformed or truncated bytes.
#pragma once

#include <exception>

// Raised by the stream and record readers; callers catch it and turn it into a result code.
class CArchiveException : public std::exception
{
  public:
    enum Cause
    {
        none = 0,
        genericException = 1, // sizes disagree
        readOnly = 2,
        endOfFile = 3, // the bytes end before the value
        writeOnly = 4,
        badIndex = 5,
        badClass = 6, // wrong tag
        badSchema = 7,
    };

    explicit CArchiveException(Cause cause) noexcept : m_cause(cause) {}

    Cause GetCause() const noexcept { return m_cause; }
    const char *what() const noexcept override;

  private:
    Cause m_cause;
};
