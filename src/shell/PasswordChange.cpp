// The safe password change of the open data file.
#include "shell/PasswordChange.h"

#include "core/document/CalendarDocument.h"
#include "core/storage/Cipher.h"
#include "shell/DataFileCopy.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

HRESULT FromErrno()
{
    switch (errno) {
    case ENOENT:
        return HresultFromSystem(2);
    case EACCES:
    case EPERM:
        return HresultFromSystem(5);
    case EEXIST:
        return HresultFromSystem(80);
    case ENOSPC:
        return HresultFromSystem(112);
    default:
        return HresultFromSystem(1117);
    }
}

} // namespace

CPasswordChange::FileSteps CPasswordChange::RealSteps()
{
    FileSteps steps;
    steps.link = [](const QString &from, const QString &to) -> HRESULT {
        return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? S_OK : FromErrno();
    };
    steps.rename = [](const QString &from, const QString &to) -> HRESULT {
        return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? S_OK
                                                                                                       : FromErrno();
    };
    steps.remove = [](const QString &path) -> HRESULT {
        return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT ? S_OK : FromErrno();
    };
    steps.writeCopy = [](CCalendarDocument &document, const QString &path, const QString &password) {
        return WriteNewDataFile(document.GetDataFile(), path, password);
    };
    return steps;
}

CPasswordChange::Outcome CPasswordChange::Run(CCalendarDocument &document, const QString &newPassword)
{
    Outcome out;
    const QString path = document.GetDataFile().GetPath();
    const QString fresh = NewCopyPath(path);
    const QString old = OldCopyPath(path);
    const bool readOnly = document.IsReadOnly();
    const std::unique_ptr<CCipher> oldKey = document.GetDataFile().GetKey();

    auto reopen = [&](const QString &password, bool useOldKey) -> HRESULT {
        if (m_steps.beforeReopen)
            if (const HRESULT hr = m_steps.beforeReopen(useOldKey); hr != S_OK)
                return hr;
        return useOldKey ? document.OpenCalendarFile(path, QString(), oldKey.get(), false, readOnly)
                         : document.OpenCalendarFile(path, password, nullptr, false, readOnly);
    };

    // A copy left by an earlier attempt is in the way; it never holds the only data.
    m_steps.remove(fresh);
    HRESULT hr = m_steps.writeCopy(document, fresh, newPassword);
    if (hr != S_OK) {
        m_steps.remove(fresh);
        out.code = hr;
        out.reopened = document.IsOpen();
        return out;
    }

    document.CloseCalendarFile();
    // From here on the file is closed: every failure puts the original back and reopens it.
    auto restoreOriginal = [&](HRESULT failure) {
        out.code = failure;
        m_steps.remove(fresh);
        out.reopened = reopen(QString(), true) == S_OK;
        if (!out.reopened && QFile::exists(old) && !QFile::exists(path))
            out.dataLeftAt = old;
        return out;
    };

    m_steps.remove(old);
    if ((hr = m_steps.link(path, old)) != S_OK)
        return restoreOriginal(hr);
    if ((hr = m_steps.rename(fresh, path)) != S_OK) {
        m_steps.remove(old); // the original is still at its path
        return restoreOriginal(hr);
    }
    hr = reopen(newPassword, false);
    if (hr != S_OK) {
        // The new file does not open: the kept original goes back in one rename.
        if (m_steps.rename(old, path) != S_OK) {
            out.code = hr;
            out.dataLeftAt = old;
            return out;
        }
        out.code = hr;
        out.reopened = reopen(QString(), true) == S_OK;
        return out;
    }
    out.reopened = true;
    if ((hr = m_steps.remove(old)) != S_OK)
        out.code = hr; // the password is changed; only the leftover could not go
    return out;
}
