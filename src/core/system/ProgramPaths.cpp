// Installation values, data and program folders.
#include "core/system/ProgramPaths.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <optional>

namespace {
std::optional<StandardFolders> g_folders;
QString g_installInfoFile;

QString InstallInfoFile()
{
    if (!g_installInfoFile.isEmpty())
        return g_installInfoFile;
    if (!QCoreApplication::instance())
        return {};
    return QCoreApplication::applicationDirPath() + QStringLiteral("/install.ini");
}

QString DefaultProgramFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QString ProgramFileName()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringLiteral("tessivo");
}

QString StripOneTrailingSeparator(QString path)
{
    if (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

// Joins a child folder to a parent and creates it when missing; the path is returned even
// when the folder cannot be made, and the caller's file operation then reports the failure.
QString MakeSubfolder(const QString &parent, const QString &child)
{
    const QString path = parent + QLatin1Char('/') + child;
    QDir().mkpath(path);
    return path;
}

// "Zemblar Software/Tessivo" under a root, each level created.
QString ProgramDataFolder(const QString &root)
{
    QDir().mkpath(root);
    return MakeSubfolder(MakeSubfolder(root, GetConstString(ConstName::CompanyKey)),
                         GetConstString(ConstName::ProgramKey));
}
} // namespace

StandardFolders GetStandardFolders()
{
    if (g_folders)
        return *g_folders;
    StandardFolders f;
    f.userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    f.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    f.sharedData = f.userData;
    return f;
}

void SetStandardFolders(const StandardFolders &folders)
{
    g_folders = folders;
}

void ResetStandardFolders()
{
    g_folders.reset();
}

QString GetInstallValue(const QString &name)
{
    QString value;
    const QString file = InstallInfoFile();
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        QSettings info(file, QSettings::IniFormat);
        value =
            info.value(GetConstString(ConstName::InstallKey) + QLatin1Char('/') + name).toString().trimmed();
    }
    if (value.isEmpty() && name == GetConstString(ConstName::InstallPath))
        value = DefaultProgramFolder();
    if (value.isEmpty() && name == QLatin1String("Stamp"))
        value = GetConstString(ConstName::VersionText);
    return value;
}

void SetInstallInfoFile(const QString &iniPath)
{
    g_installInfoFile = iniPath;
}

QString GetProgramFilePath()
{
    const QString folder = GetInstallValue(GetConstString(ConstName::InstallPath));
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + ProgramFileName();
}

QString GetDataFolder()
{
    const QString chosen = StripOneTrailingSeparator(GetProfileString(ConstName::Common, ConstName::DDIR));
    if (!chosen.isEmpty() && DirectoryExists(chosen))
        return chosen;
    return ProgramDataFolder(GetStandardFolders().userData);
}

bool GetProgramFolder(const QString &folderName, const QString &fileName, QString &path)
{
    path.clear();
    const StandardFolders roots = GetStandardFolders();
    const QString web = GetConstString(ConstName::FolderWeb);
    if (folderName.compare(web, Qt::CaseInsensitive) == 0) {
        QDir().mkpath(roots.documents);
        path = MakeSubfolder(roots.documents, web) + QLatin1Char('/') + fileName;
        return true;
    }
    for (const int index : {ConstName::FolderSounds, ConstName::FolderIcons, ConstName::FolderHolidays}) {
        const QString name = GetConstString(index);
        if (folderName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // File names are case-sensitive here: always use the one spelling of the folder.
        path = ProgramDataFolder(roots.sharedData) + QLatin1Char('/') + name + QLatin1Char('/') + fileName;
        return true;
    }
    return false;
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool DirectoryExists(const QString &path)
{
    const QString folder = StripOneTrailingSeparator(path);
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}
