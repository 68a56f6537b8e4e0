// Points the program-wide settings at an empty INI file in a temporary folder for the life of
// the object, so that tests never read or write the user's own settings.
#pragma once

#include "core/system/Profile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class TempProfile
{
  public:
    TempProfile()
    {
        EXPECT_TRUE(m_dir.isValid());
        CProfile::UseIniFile(IniPath());
    }
    // Leaves the profile on a file that goes away with the folder: nothing written later leaks
    // into the next test or into the user's settings.
    ~TempProfile() { CProfile::UseIniFile(m_dir.filePath(QStringLiteral("after.ini"))); }
    TempProfile(const TempProfile &) = delete;
    TempProfile &operator=(const TempProfile &) = delete;

    QString IniPath() const { return m_dir.filePath(QStringLiteral("profile.ini")); }
    QString Folder() const { return m_dir.path(); }
    CProfile &Profile() const { return CProfile::Instance(); }

  private:
    QTemporaryDir m_dir;
};
