#include "evaluation/MonthTree.h"

#include "core/DataFolder.h"
#include "core/DateTime.h"
#include "core/MonatsLog.h"

namespace {
constexpr int FirstYear = 2002;   // the program's first year: older folders are not its own
}

TYearNode ScanYear(int year, const QString &yearFolder)
{
    TYearNode node{year, {}};
    for (const auto &[month, path] : MonthLogsOfYear(yearFolder))
        node.months.push_back({month, MonthName(month), path});
    return node;
}

std::vector<TYearNode> ScanMonthTree() { return ScanMonthTree(DataFolder(), YearOf(Now())); }

std::vector<TYearNode> ScanMonthTree(const QString &dataFolder, int currentYear)
{
    std::vector<TYearNode> years;
    for (const auto &[year, folder] : YearFolders(dataFolder)) {
        if (year < FirstYear || year > currentYear) continue;
        years.push_back(ScanYear(year, folder));
    }
    return years;
}
