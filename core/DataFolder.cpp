#include "core/DataFolder.h"

#include "core/Language.h"
#include "core/MonatsLog.h"
#include "core/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString logIn(const QString &yearFolder, const QString &monthName)
{
    return yearFolder + QLatin1Char('/') + monthName + QStringLiteral(".qod");
}
}

QString DataFolder() { return ProgramDir() + QStringLiteral("Data/"); }

QString DataYearFolder(int year) { return DataFolder() + QString::number(year); }

QString MonthLogPath(int year, int month) { return logIn(DataYearFolder(year), MonthName(month)); }

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
    for (int month = 1; month <= 12; ++month) {
        for (const QString &name : {Monate[size_t(month)], BuiltInMonthName(month)}) {
            if (name.isEmpty()) continue;
            const QString path = logIn(yearFolder, name);
            if (QFileInfo(path).isFile()) {
                logs.emplace(month, path);
                break;
            }
        }
    }
    return logs;
}
