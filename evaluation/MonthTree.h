#pragma once
// The years and months the evaluation window lists: every year folder from 2002 to the current
// year, and under it every month whose log exists.
#include <QString>
#include <vector>

struct TMonthNode
{
    int month = 0;   // 1..12
    QString name;    // the tree's text: the language table's name, whatever the log's file is called
    QString path;    // the month log found, under any language's name for the month
};

struct TYearNode
{
    int year = 0;
    std::vector<TMonthNode> months;   // calendar order; empty for a year folder without logs
};

// The month logs of one year folder.
TYearNode ScanYear(int year, const QString &yearFolder);

// Years in ascending order. The program's Data folder and the year of Now().
std::vector<TYearNode> ScanMonthTree();
std::vector<TYearNode> ScanMonthTree(const QString &dataFolder, int currentYear);
