#include "core/Kosten.h"

#include "core/Feiertage.h"

#include <algorithm>

namespace {
// Price per minute of day index d and hour h; 0 outside the table (a date that could not
// be converted has day index 0 and must not read in front of the table).
double price(const TTarif &tarif, int d, int h)
{
    if (d < 1 || d > 7 || h < 0 || h > 23) return 0;
    return tarif.Kosten[d][size_t(h)];
}

// A clock reading reduced to what the cost depends on: date, hour and minute.
struct ClockReading
{
    int date;
    int hour;
    int minute;
    int minuteOfDay() const { return hour * 60 + minute; }
};

ClockReading read(TDateTime dt)
{
    int h, m, s, ms;
    DecodeTime(dt, h, m, s, ms);
    return {DatePart(dt), h, m};
}
}

double HourKosten(int fromHour, int toHour, int d, const TTarif &tarif)
{
    double sum = 0;
    for (int h = std::max(fromHour, 0); h <= std::min(toHour, 23); ++h) sum += 60 * price(tarif, d, h);
    return sum;
}

int DayIndex(TDateTime date) { return IsFeiertag(date) ? 7 : DayOfTheWeek(date); }

double CalcKosten(const TTarif &tarif, TDateTime start, TDateTime end)
{
    const ClockReading s = read(start), e = read(end);
    // An end before the start (a clock set back, a corrupt record) costs nothing rather than
    // running the day loop backwards. The readings are compared, not the raw numbers: before
    // 1899-12-30 the fraction counts forward from the date, so the raw order can differ.
    if (e.date < s.date || (e.date == s.date && e.minuteOfDay() < s.minuteOfDay())) return 0;

    if (s.date == e.date) {
        const int d = DayIndex(s.date);
        if (e.hour <= s.hour) return (e.minute - s.minute) * price(tarif, d, s.hour);
        return (60 - s.minute) * price(tarif, d, s.hour) + HourKosten(s.hour + 1, e.hour - 1, d, tarif)
               + e.minute * price(tarif, d, e.hour);
    }

    const int dS = DayIndex(s.date);
    double cost = (60 - s.minute) * price(tarif, dS, s.hour) + HourKosten(s.hour + 1, 23, dS, tarif);
    for (int date = s.date + 1; date < e.date; ++date) cost += HourKosten(0, 23, DayIndex(date), tarif);
    const int dE = DayIndex(e.date);
    cost += HourKosten(0, e.hour - 1, dE, tarif) + e.minute * price(tarif, dE, e.hour);
    return cost;
}
