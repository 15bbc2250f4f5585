#include "evaluation/YearOverview.h"

#include "core/ErrorReport.h"
#include "core/Language.h"
#include "evaluation/Grafik.h"

#include <cmath>

namespace {
std::vector<TVerbindung> readMonth(const QString &path)
{
    TKostenDatenbank log;
    log.Pfad = path;
    ReadAllData(log);
    return std::move(log.Daten);
}
}

TYearOverview YearOverview(const TYearNode &year)
{
    TYearOverview overview;
    overview.year = year.year;
    for (const TMonthNode &month : year.months) {
        const TTotals totals = MonthTotals(readMonth(month.path));
        overview.months.push_back({month.month, month.name, totals});
        overview.total += totals;
    }
    return overview;
}

std::vector<TVerbindung> YearRecords(const TYearNode &year)
{
    std::vector<TVerbindung> records;
    for (const TMonthNode &month : year.months) {
        const std::vector<TVerbindung> monthRecords = readMonth(month.path);
        records.insert(records.end(), monthRecords.begin(), monthRecords.end());
    }
    return records;
}

std::array<double, 12> MonthSums(const TYearOverview &overview)
{
    std::array<double, 12> sums{};
    for (const TYearMonth &m : overview.months)
        if (m.month >= 1 && m.month <= 12 && std::isfinite(m.totals.cents)) sums[size_t(m.month - 1)] += m.totals.cents;
    return sums;
}

void ZeichneJahresGrafik(QPainter &painter, const QSize &client, const TYearOverview &overview)
{
    try {
        DrawBarChart(painter, client, MonthSums(overview));
    } catch (...) {
        ReportError(E_UnknownErrorAt + QStringLiteral("ZeichneJahresGrafik"));
    }
}

QImage YearChartImage(const TYearOverview &overview, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ZeichneJahresGrafik(painter, size, overview);
    return image;
}
