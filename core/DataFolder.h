#pragma once
// Where the month logs lie: ProgramDir() + "Data/<year>/<month name>.qod". The main window, the
// evaluation and minutrix-cli all find them through here.
#include <QString>
#include <map>

QString DataFolder();                        // ProgramDir() + "Data/"
QString DataYearFolder(int year);            // ProgramDir() + "Data/" + year, without a trailing '/'
QString MonthLogPath(int year, int month);   // named with the language table's month name

// "Januar" .. "Dezember" whatever the language file says; "" outside 1..12.
QString BuiltInMonthName(int month);

// The folders under dataFolder named as the program names them: a year 1..9999 in decimal digits
// without a leading zero. Keyed by year, each the folder's path.
std::map<int, QString> YearFolders(const QString &dataFolder);

// The month logs of one year folder, keyed by month 1..12. A month is found under the language
// table's name for it first and under the built-in German name otherwise, so logs written before
// and after a change of language both count.
std::map<int, QString> MonthLogsOfYear(const QString &yearFolder);
