#pragma once
// A year at a glance: the totals of each month that has a log, the year's total, and the months
// as a bar chart in the style of the usage graph.
#include "evaluation/MonthTree.h"
#include "evaluation/Totals.h"

#include <QImage>
#include <QPainter>
#include <array>

struct TYearMonth
{
    int month = 0;   // 1..12
    QString name;    // the tree's name of the month
    TTotals totals;
};

struct TYearOverview
{
    int year = 0;
    std::vector<TYearMonth> months;   // calendar order, only months with a log
    TTotals total;
};

// Reads every month log of the year as the evaluation reads a month (ReadAllData: a failure is
// reported, the records read so far count).
TYearOverview YearOverview(const TYearNode &year);
// The records of all the year's months, in calendar order.
std::vector<TVerbindung> YearRecords(const TYearNode &year);

// The cost of each month (index 0 is January), 0 for a month without a log.
std::array<double, 12> MonthSums(const TYearOverview &overview);
// One thin bar per month over the axes of the usage graph, scaled as it scales the days.
void ZeichneJahresGrafik(QPainter &painter, const QSize &client, const TYearOverview &overview);
QImage YearChartImage(const TYearOverview &overview, const QSize &size);
