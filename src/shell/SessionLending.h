// CSessionLending: the data file lent away while the desktop session is switched away or
// locked, so that no file stays open in a session nobody sits at. The path, the open mode and
// the key are remembered; coming back reopens the file with that key, without asking for the
// password. While the file is lent, open requests are not run.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <memory>

class CCalendarDocument;
class CCipher;

class CSessionLending
{
  public:
    explicit CSessionLending(CCalendarDocument &document);
    ~CSessionLending();

    // The session went away. Closes an open file and remembers it. Refused (false, nothing
    // closed) while a modal dialog runs, so that an editor's changes are not thrown away and
    // its OK does not write to a closed file; the file then stays open.
    bool OnSessionLeft(bool modalDialogRunning);
    // The session is back: reopens a lent file. S_OK also when nothing was lent; the failure
    // of the reopening otherwise (already handed to the document's session-error handling).
    HRESULT OnSessionBack();

    bool IsLent() const { return !m_path.isEmpty(); }
    const QString &LentPath() const { return m_path; }

  private:
    CCalendarDocument &m_document;
    QString m_path;
    bool m_readOnly = false;
    std::unique_ptr<CCipher> m_key;
};
