#include "core/DataFolder.h"

#include "core/Language.h"
#include "core/LanguageFiles.h"
#include "core/MonatsLog.h"
#include "core/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString logIn(const QString &yearFolder, const QString &monthName)
{
    return yearFolder + QLatin1Char('/') + monthName + QStringLiteral(".qod");
}

QString existingLog(const QString &yearFolder, const QStringList &names)
{
    for (const QString &name : names)
        if (const QString path = logIn(yearFolder, name); QFileInfo(path).isFile()) return path;
    return QString();
}
}

QString DataFolder() { return ProgramDir() + QStringLiteral("Data/"); }

QString DataYearFolder(int year) { return DataFolder() + QString::number(year); }

QString MonthLogPath(int year, int month)
{
    const QString folder = DataYearFolder(year);
    if (month >= 1 && month <= 12)
        if (const QString found = existingLog(folder, KnownMonthNames()[size_t(month)]); !found.isEmpty()) return found;
    return logIn(folder, MonthName(month));
}

QString BuiltInMonthName(int month)
{
    if (month < 1 || month > 12) return QString();
    return LanguageTable()[size_t(month - 1)].builtIn;
}

std::map<int, QString> YearFolders(const QString &dataFolder)
{
    std::map<int, QString> years;
    const QFileInfoList entries = QDir(dataFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        bool ok = false;
        const int year = name.toInt(&ok);
        if (ok && year >= 1 && year <= 9999 && name == QString::number(year)) years.emplace(year, entry.filePath());
    }
    return years;
}

std::map<int, QString> MonthLogsOfYear(const QString &yearFolder)
{
    std::map<int, QString> logs;
    const std::array<QStringList, 13> known = KnownMonthNames();
    for (int month = 1; month <= 12; ++month)
        if (const QString found = existingLog(yearFolder, known[size_t(month)]); !found.isEmpty())
            logs.emplace(month, found);
    return logs;
}
