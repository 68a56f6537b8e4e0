// IDocumentShell: what the document asks of the application around it that is not a message
// box: the wait cursor, opening an item in its editor, closing the pop-ups and the print
// preview after a session error, one idle pass, and the publishing options a converted file
// takes from the settings.
#pragma once

#include "core/system/ResultCode.h"

class CDataFile;
class CItemRef;

class IDocumentShell
{
  public:
    virtual ~IDocumentShell() = default;
    virtual void SetWaitCursor(bool on) = 0;
    // Opens the held event or task in its editor.
    virtual void OpenItemEditor(CItemRef &holder, bool readOnly) = 0;
    // Closes every pop-up above the main window and an open print preview; without a main
    // window, the other top-level window and its pop-ups.
    virtual void CloseSessionWindows() = 0;
    virtual void RunIdleOnce() = 0;
    // Reads the HTML publishing options from the settings and writes them into the file.
    virtual HRESULT SavePublishOptions(CDataFile &file) = 0;
};
