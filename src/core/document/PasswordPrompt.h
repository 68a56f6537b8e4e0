// IPasswordPrompt: asks for the password of a protected data file being opened. The dialog
// tests each typed password with CDataFile::CheckPassword and stays open on a wrong one, so
// on Ok the data file already holds the key.
#pragma once

#include <QString>

class CDataFile;

class IPasswordPrompt
{
  public:
    virtual ~IPasswordPrompt() = default;
    // MessageResult::Ok once a password was accepted, anything else when the user gave up.
    virtual int PromptPassword(CDataFile &file, const QString &path, const QString &calendarName) = 0;
};
