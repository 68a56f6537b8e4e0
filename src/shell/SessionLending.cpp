// Lending the data file across session switches.
#include "shell/SessionLending.h"

#include "core/document/CalendarDocument.h"
#include "core/storage/Cipher.h"

CSessionLending::CSessionLending(CCalendarDocument &document) : m_document(document) {}

CSessionLending::~CSessionLending() = default;

bool CSessionLending::OnSessionLeft(bool modalDialogRunning)
{
    if (IsLent() || !m_document.IsOpen())
        return false;
    if (modalDialogRunning)
        return false;
    m_path = m_document.GetDataFile().GetPath();
    m_readOnly = m_document.IsReadOnly();
    m_key = m_document.GetDataFile().GetKey();
    m_document.HandleSessionError(1);
    return true;
}

HRESULT CSessionLending::OnSessionBack()
{
    if (!IsLent())
        return S_OK;
    const QString path = m_path;
    const std::unique_ptr<CCipher> key = std::move(m_key);
    const bool readOnly = m_readOnly;
    m_path.clear();
    m_readOnly = false;
    // With the kept key the password is not asked again; without one the document asks.
    const HRESULT hr = m_document.OpenCalendarFile(path, QString(), key.get(), key == nullptr, readOnly);
    if (hr != S_OK && hr != 1 && !IsQuietCode(hr))
        m_document.HandleSessionError(hr);
    return hr;
}
