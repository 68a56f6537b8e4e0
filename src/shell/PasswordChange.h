// CPasswordChange: gives the open data file a new password without ever leaving the data
// unreadable. A full copy with the new password is written beside the file; the file is kept
// as a hard link under ".old" and the copy replaces it by one atomic rename; the new file is
// opened, and only then the old one removed. Any failure after the file was closed puts the
// original back, reopens it with its old key and reports; the half-made copy is removed.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <functional>

class CCalendarDocument;

class CPasswordChange
{
  public:
    // The file steps, one function each so that a test can make any of them fail.
    struct FileSteps
    {
        std::function<HRESULT(const QString &from, const QString &to)> link;   // hard link
        std::function<HRESULT(const QString &from, const QString &to)> rename; // atomic replace
        std::function<HRESULT(const QString &path)> remove;
        // Writes the new copy from the open document's file.
        std::function<HRESULT(CCalendarDocument &, const QString &path, const QString &password)> writeCopy;
        // Asked before each reopening of the file (with the new password, or with the kept old
        // key); a code other than S_OK stands for that reopening failing. Null: none fail.
        std::function<HRESULT(bool useOldKey)> beforeReopen;
    };
    static FileSteps RealSteps();

    struct Outcome
    {
        HRESULT code = S_OK;
        // Set when the data could not be put back at its path: where it is now.
        QString dataLeftAt;
        bool reopened = false; // the document has a file open again
    };

    explicit CPasswordChange(FileSteps steps = RealSteps()) : m_steps(std::move(steps)) {}

    Outcome Run(CCalendarDocument &document, const QString &newPassword);

    static QString NewCopyPath(const QString &path) { return path + QStringLiteral(".new"); }
    static QString OldCopyPath(const QString &path) { return path + QStringLiteral(".old"); }

  private:
    FileSteps m_steps;
};
