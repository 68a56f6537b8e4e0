// Where the program and its data live: installation values, the data folder, the program
// sub-folders for sounds, icons, holidays and web pages, and file and folder tests.
#pragma once

#include <QString>

// The roots the folders are made in: by default the XDG locations from QStandardPaths
// (application data in the user's data location, documents in the documents location).
// Shared program data (sounds, icons, holidays) lives under the user's data location too,
// since the system-wide one cannot be written.
struct StandardFolders
{
    QString userData;   // parent of "Zemblar Software/Tessivo"
    QString documents;  // parent of the "Web" folder
    QString sharedData; // parent of "Zemblar Software/Tessivo/Sounds" and its neighbours
};

StandardFolders GetStandardFolders();
// Replaces the roots (tests, portable set-ups); ResetStandardFolders returns to the defaults.
void SetStandardFolders(const StandardFolders &folders);
void ResetStandardFolders();

// Installation data, kept in the "Install" section of an INI file beside the program
// ("install.ini", written by a package or left out). "Path" defaults to the program's folder
// and "Stamp" to the version text; other values are empty when missing. Values are trimmed.
QString GetInstallValue(const QString &name);
// Points the installation data at another file (tests); an empty path returns to the default.
void SetInstallInfoFile(const QString &iniPath);

// The program file in the installation folder; empty when "Path" is empty.
QString GetProgramFilePath();

// The folder of the user's data files, without a trailing separator: "Common"/"DDIR" when it
// names an existing folder, else "Zemblar Software/Tessivo" under the user's data location,
// created when missing.
QString GetDataFolder();

// The path of a file in a program sub-folder: "Web" in the documents folder; "Sounds",
// "Icons" or "Holidays" (any case) under "Zemblar Software/Tessivo" in the shared data
// folder. The folders above the sub-folder are created (the "Web" folder too); false for any
// other folder name.
bool GetProgramFolder(const QString &folderName, const QString &fileName, QString &path);

// True when a file (not a folder) exists at the path.
bool FileExists(const QString &path);
// True when a folder exists at the path; one trailing separator is ignored.
bool DirectoryExists(const QString &path);
