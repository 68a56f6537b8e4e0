// Texts of the archive exception causes, for diagnostics only.
#include "core/storage/ArchiveException.h"

const char *CArchiveException::what() const noexcept
{
    switch (m_cause) {
    case genericException:
        return "archive: sizes disagree";
    case endOfFile:
        return "archive: unexpected end of data";
    case badClass:
        return "archive: wrong tag";
    case badSchema:
        return "archive: unknown version";
    case badIndex:
        return "archive: bad index";
    case readOnly:
    case writeOnly:
        return "archive: wrong direction";
    case none:
        break;
    }
    return "archive error";
}
