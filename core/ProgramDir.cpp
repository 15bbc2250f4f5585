#include "core/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString & override()
{
    static QString dir;
    return dir;
}

FolderMode &mode()
{
#if MINUTRIX_PORTABLE
    static FolderMode m = FolderMode::Portable;
#else
    static FolderMode m = FolderMode::UserData;
#endif
    return m;
}

QString withSlash(QString dir)
{
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

QString executableDir()
{
    return withSlash(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath());
}

QString &shippedOverride()
{
    static QString dir;
    return dir;
}
}

FolderMode BuildFolderMode()
{
#if MINUTRIX_PORTABLE
    return FolderMode::Portable;
#else
    return FolderMode::UserData;
#endif
}

FolderMode CurrentFolderMode() { return mode(); }
void SetFolderMode(FolderMode m) { mode() = m; }

QString UserDataDir()
{
    // Not AppDataLocation: it follows the application's name, which differs between the program
    // and the tool.
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
           + QStringLiteral("minutrix/");
}

QString StateDir()
{
    // XDG_STATE_HOME counts only when it is an absolute path.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.local/state");
    return withSlash(base) + QStringLiteral("minutrix/");
}

QString ProgramDir()
{
    if (!override().isEmpty()) return override();
    if (mode() == FolderMode::Portable) return executableDir();
    const QString dir = UserDataDir();
    QDir().mkpath(dir);   // a failure shows when a file cannot be written there
    return dir;
}

void SetProgramDir(const QString &folder) { override() = folder.isEmpty() ? QString() : withSlash(folder); }

QString LanguageFile(const QString &name)
{
    const QString own = ProgramDir() + name;
    if (QFileInfo::exists(own)) return own;
    const QString shipped = ShippedLanguageDir() + name;
    return QFileInfo::exists(shipped) ? shipped : own;
}

QString ShippedLanguageDir()
{
    if (!shippedOverride().isEmpty()) return shippedOverride();
    if (mode() == FolderMode::Portable) return executableDir();
    return executableDir() + QStringLiteral(MINUTRIX_SHARE_FROM_BIN "/");
}

void SetShippedLanguageDir(const QString &folder)
{
    shippedOverride() = folder.isEmpty() ? QString() : withSlash(folder);
}
