// CDataFileCommands: the File menu's data-file commands of the main window: New, Open, the
// recent files, Close, Rename Calendar, Change Password and Properties. What they ask of a
// person (file choosers, the small dialogs) goes through replaceable functions so that tests
// script the answers.
#pragma once

#include "core/system/ResultCode.h"

#include <QString>
#include <functional>

class CCalendarDocument;
class CRecentFileListEx;
class QWidget;

class CDataFileCommands
{
  public:
    struct Asks
    {
        // A path for a new data file (save dialog); false when cancelled.
        std::function<bool(QWidget *parent, const QString &folder, QString &path)> chooseNewPath;
        // A data file to open with the read-only box; false when cancelled.
        std::function<bool(QWidget *parent, const QString &folder, QString &path, bool &readOnly)> chooseOpenPath;
        // Name and password of the new file (Create New dialog); false when cancelled.
        std::function<bool(QWidget *parent, QString &name, QString &password)> newFileDetails;
        // The new password (Password Protection dialog on the open file); false when cancelled.
        std::function<bool(QWidget *parent, QString &password)> newPassword;
        // The new calendar name (Rename dialog); false when cancelled.
        std::function<bool(QWidget *parent, QString &name)> newName;
        std::function<bool()> shiftHeld;
    };
    static Asks DialogAsks(CCalendarDocument &document);

    // `changed` refreshes the views and the title after the open file changed.
    CDataFileCommands(CCalendarDocument &document, CRecentFileListEx &recent, std::function<void()> changed,
                      QWidget *parent = nullptr);

    void SetAsks(Asks asks) { m_asks = std::move(asks); }

    void OnNew();
    void OnOpen();
    void OnRecent(int index);
    void OnClose();
    void OnRename();
    void OnChangePassword();
    void OnProperties();

    // Closes the open file and opens this one; the result is handled as the Open command does.
    HRESULT OpenDataFile(const QString &path, bool readOnly);

  private:
    void AddRecent(const QString &path);

    CCalendarDocument &m_document;
    CRecentFileListEx &m_recent;
    std::function<void()> m_changed;
    QWidget *m_parent;
    Asks m_asks;
};
