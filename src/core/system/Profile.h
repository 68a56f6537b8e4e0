// The per-user settings: one store of values keyed by section and value name, kept in
// QSettings under "Zemblar Software"/"Tessivo". Section and value names come from the fixed
// name table; a section such as "Printing\Day" is a sub-section.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QSettings;

class CProfile
{
  public:
    // The user's own settings.
    CProfile();
    // Settings kept in an INI file at the path (tests, portable set-ups).
    explicit CProfile(const QString &iniPath);
    ~CProfile();
    CProfile(const CProfile &) = delete;
    CProfile &operator=(const CProfile &) = delete;

    // The stored 32-bit value, or the default when the value is missing or not a number.
    int GetInt(const QString &section, const QString &name, int defaultValue) const;
    QString GetString(const QString &section, const QString &name, const QString &defaultValue = {}) const;
    // False (and an empty array) when no binary value is stored under the name.
    bool GetBinary(const QString &section, const QString &name, QByteArray &data) const;
    bool HasValue(const QString &section, const QString &name) const;

    bool WriteInt(const QString &section, const QString &name, int value);
    bool WriteString(const QString &section, const QString &name, const QString &value);
    bool WriteBinary(const QString &section, const QString &name, const QByteArray &data);
    bool DeleteValue(const QString &section, const QString &name);

    // Writes a default that must not overwrite a user's choice: with onlyIfUnset set, a value
    // that is already stored (anything but the sentinel 0xEEDBEEF, or the text "0EEDBEEF")
    // is left alone and false returned; otherwise the value is written and true returned.
    bool WriteIntIfUnset(const QString &section, const QString &name, int value, bool onlyIfUnset);
    bool WriteStringIfUnset(const QString &section, const QString &name, const QString &value,
                            bool onlyIfUnset);

    // Writes pending changes to their file.
    void Sync();
    QString FileName() const;

    // The program-wide profile every part reads and writes.
    static CProfile &Instance();
    // Points the program-wide profile at an INI file; an empty path returns to the user's own
    // settings.
    static void UseIniFile(const QString &iniPath);

    static constexpr int kUnsetInt = 0xEEDBEEF;
    static constexpr const char *kUnsetText = "0EEDBEEF";

  private:
    static QString Key(const QString &section, const QString &name);

    std::unique_ptr<QSettings> m_settings;
};

// Shortcuts on the program-wide profile, by name or by fixed name table index.
int GetProfileInt(const QString &section, const QString &name, int defaultValue);
int GetProfileInt(int sectionIndex, int nameIndex, int defaultValue);
QString GetProfileString(const QString &section, const QString &name, const QString &defaultValue = {});
QString GetProfileString(int sectionIndex, int nameIndex, const QString &defaultValue = {});
bool GetProfileBinary(const QString &section, const QString &name, QByteArray &data);
bool GetProfileBinary(int sectionIndex, int nameIndex, QByteArray &data);
bool WriteProfileInt(const QString &section, const QString &name, int value);
bool WriteProfileInt(int sectionIndex, int nameIndex, int value);
bool WriteProfileString(const QString &section, const QString &name, const QString &value);
bool WriteProfileString(int sectionIndex, int nameIndex, const QString &value);
bool WriteProfileBinary(const QString &section, const QString &name, const QByteArray &data);
bool WriteProfileBinary(int sectionIndex, int nameIndex, const QByteArray &data);
bool WriteProfileIntIfUnset(const QString &section, const QString &name, int value, bool onlyIfUnset);
bool WriteProfileStringIfUnset(const QString &section, const QString &name, const QString &value,
                               bool onlyIfUnset);

// "Printing\" and the section of a print style: 64 Memo, 257 Day, 258 MDay, 259 Week,
// 260 Month, 261 Year, 262 List, any other id Details.
QString GetPrintingSection(int printStyleId);
