// CDataFilePropertiesGeneral: the General page of a data file's Properties: its name, path,
// size and creation time, and the Rename Calendar and Back Up buttons.
#pragma once

#include "core/system/ResultCode.h"

#include <QWidget>
#include <functional>

class CDataFile;
class QLineEdit;
class QPushButton;

class CDataFilePropertiesGeneral : public QWidget
{
    Q_OBJECT

  public:
    // What the page asks of the program around it.
    struct Services
    {
        // Refreshes the main window's title after a rename; null when there is no main window.
        std::function<void()> updateMainWindowTitle;
        // Asks for a backup path and backs the file up: S_OK, QV_E_CANCELLED when the person
        // cancelled, or the failure. Null while the program has no backup: the button stays off.
        std::function<HRESULT(QWidget *parent, CDataFile &dataFile)> backUp;
    };

    // The data file may be null: the page then shows nothing and both buttons are off.
    explicit CDataFilePropertiesGeneral(CDataFile *dataFile, Services services = {},
                                        QWidget *parent = nullptr);

    // Rename Calendar: runs the Rename dialog, then ApplyNewName on OK.
    void OnRenameCalendar();
    // Stores a new title in the file and shows the stored title; a failure is reported.
    HRESULT ApplyNewName(const QString &name);
    // Back Up: refused with the read-only message in a read-only file.
    void OnBackUp();

    // The "Data File" sheet with this page, run modally; returns the sheet's result.
    static int ShowDataFileProperties(QWidget *parent, CDataFile *dataFile, Services services = {});

  private:
    CDataFile *m_dataFile;
    Services m_services;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_fileName = nullptr;
    QLineEdit *m_size = nullptr;
    QLineEdit *m_created = nullptr;
    QPushButton *m_rename = nullptr;
    QPushButton *m_backUp = nullptr;
};
