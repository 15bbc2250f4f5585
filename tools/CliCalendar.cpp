// easter and holidays: the holiday calendar the cost calculation prices as Sundays.
#include "core/Feiertage.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"

#include <QDate>

QByteArray RunEaster(const QStringList &args)
{
    RequireArgumentCount(args, 2, 2);
    const int year = ParseInt(args[1], QStringLiteral("YEAR"), 1, 9999);
    return ToIsoDate(GetOstersonntag(year)).toUtf8() + '\n';
}

QByteArray RunHolidays(const QStringList &args)
{
    RequireArgumentCount(args, 3, 3);
    const int year = ParseInt(args[1], QStringLiteral("YEAR"), 1, 9999);
    const int state = ParseInt(args[2], QStringLiteral("STATE"), 0, 15);
    BuildFeiertage(year, state);
    const TDateTime newYear = EncodeDate(year, 1, 1);
    const int days = QDate::isLeapYear(year) ? 366 : 365;
    QByteArray out;
    for (int doy = 1; doy <= days; ++doy) {
        if (!Feiertage[size_t(doy)]) continue;
        out += ToIsoDate(newYear + doy - 1).toUtf8() + '\t' + QByteArray::number(Feiertage[size_t(doy)]) + '\n';
    }
    return out;
}
