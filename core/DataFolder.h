#pragma once
// Where the month logs lie: ProgramDir() + "Data/<year>/<month name>.qod". The main window, the
// evaluation and minutrix-cli all find them through here.
#include <QString>
#include <map>

QString DataFolder();               // ProgramDir() + "Data/"
QString DataYearFolder(int year);   // ProgramDir() + "Data/" + year, without a trailing '/'
// The month's log: the one that exists under any known name of the month (KnownMonthNames, the
// language table's first), so a month begun under another language goes on in its own file;
// otherwise the path under the language table's name, where a new log is begun.
QString MonthLogPath(int year, int month);

// "Januar" .. "Dezember" whatever the language file says; "" outside 1..12.
QString BuiltInMonthName(int month);

// The folders under dataFolder named as the program names them: a year 1..9999 in decimal digits
// without a leading zero. Keyed by year, each the folder's path.
std::map<int, QString> YearFolders(const QString &dataFolder);

// The month logs of one year folder, keyed by month 1..12, each found as MonthLogPath finds it,
// so logs written before and after a change of language both count, each month once.
std::map<int, QString> MonthLogsOfYear(const QString &yearFolder);
