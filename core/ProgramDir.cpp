#include "ProgramDir.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString & override()
{
    static QString dir;
    return dir;
}

QString withSlash(QString dir)
{
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}
}

QString ProgramDir()
{
    if (!override().isEmpty()) return override();
    const QString exeDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return withSlash(exeDir);
}

void SetProgramDir(const QString &folder) { override() = folder.isEmpty() ? QString() : withSlash(folder); }
