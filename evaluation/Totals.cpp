#include "evaluation/Totals.h"

#include "core/DateTime.h"
#include "core/SettingsStore.h"

#include <QLocale>
#include <cmath>

TTotals &TTotals::operator+=(const TTotals &other)
{
    connections += other.connections;
    seconds += other.seconds;
    cents += other.cents;
    return *this;
}

bool HasPlausibleSpan(const TVerbindung &v)
{
    constexpr double MaxDays = 366;
    return std::isfinite(v.Start) && std::isfinite(v.Ende) && v.Ende >= v.Start && v.Ende - v.Start <= MaxDays;
}

TTotals MonthTotals(const std::vector<TVerbindung> &records)
{
    TTotals totals;
    double days = 0;
    for (const TVerbindung &v : records) {
        ++totals.connections;
        if (std::isfinite(v.Kosten)) totals.cents += v.Kosten;
        if (HasPlausibleSpan(v)) days += v.Ende - v.Start;
    }
    totals.seconds = qint64(std::nearbyint(days * 86400.0));   // a year a connection at most: no overflow
    return totals;
}

QString EuroAmount(double cents) { return QLocale::system().toString(std::nearbyint(cents) / 100.0, 'f', 2); }

QString EuroText(double cents) { return EuroAmount(cents) + QStringLiteral(" €"); }

QString DurationText(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString TotalsText(const TTotals &totals)
{
    const QString count = totals.connections == 1 ? QStringLiteral("1 Verbindung")
                                                  : QStringLiteral("%1 Verbindungen").arg(totals.connections);
    return count + QStringLiteral(", ") + DurationText(totals.seconds) + QStringLiteral(" Std., ")
           + EuroText(totals.cents);
}

QString LimitText(double gesamtLimit, double cents)
{
    const double rest = std::nearbyint(gesamtLimit * 100.0 - cents);
    if (!std::isfinite(rest)) return QString();
    if (rest > 0) return QStringLiteral("noch %1 bis zum Gesamtlimit").arg(EuroText(rest));
    if (rest == 0) return QStringLiteral("Gesamtlimit erreicht");
    return QStringLiteral("Gesamtlimit um %1 überschritten").arg(EuroText(-rest));
}

QString MonthTotalsLine(const TTotals &totals, int year, int month)
{
    int nowYear, nowMonth, nowDay;
    DecodeDate(Now(), nowYear, nowMonth, nowDay);
    QString line = TotalsText(totals);
    if (year == nowYear && month == nowMonth) {
        const QString limit = LimitText(GesamtLimit, totals.cents);
        if (!limit.isEmpty()) line += QStringLiteral("; ") + limit;
    }
    return line;
}
