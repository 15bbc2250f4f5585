#pragma once
// A month of March 2005 priced by hand under four tariffs, for the comparison of the tariffs and
// minutrix-cli compare. State 8: 22 and 23 March are plain weekdays, 24 March (Gründonnerstag) and
// 25 March (Karfreitag) are priced as Sundays, 26 March is a plain Saturday.
#include "core/MonatsLog.h"
#include "core/TarifStore.h"

#include <limits>
#include <vector>

namespace ComparisonCase {

inline TVerbindung connection(int day, int h, int m, int endDay, int endH, int endM, double cost, const char *tarif)
{
    TVerbindung v;
    v.Datum = v.Start = EncodeDateTime(2005, 3, day, h, m, 0);
    v.Ende = EncodeDateTime(2005, 3, endDay, endH, endM, 0);
    v.Kosten = cost;
    v.Tarif.set(QLatin1String(tarif));
    return v;
}

// Minutes by day index and hour: 25 of Tue 10; 30 of Wed 23 and 10 of holiday 0; 20 of holiday
// 12; 10 of Sat 8 and 5 of Sat 9. Then two damaged records, lasting and costing nothing: one
// without a cost that ends years later, one that ends before it starts (a clock set back).
inline std::vector<TVerbindung> records()
{
    TVerbindung damaged = connection(26, 20, 0, 26, 20, 0, std::numeric_limits<double>::quiet_NaN(), "Flat");
    damaged.Ende += 5000;
    return {connection(22, 10, 15, 22, 10, 40, 25, "Flat"),
            connection(23, 23, 30, 24, 0, 10, 40, "Flat"),
            connection(25, 12, 0, 25, 12, 20, std::numeric_limits<double>::infinity(), "Nacht frei"),
            connection(26, 8, 50, 26, 9, 5, 15, "Flat"),
            damaged,
            connection(27, 10, 0, 27, 9, 0, 0, "Flat")};
}
constexpr double Logged = 25 + 40 + 15;   // the infinite and the missing cost count as 0

inline TTarif tariff(const char *name, double workday, double sunday)
{
    TTarif t;
    t.Name.set(QLatin1String(name));
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) {
            t.Kosten[d][size_t(h)] = d == 7 ? sunday : workday;
            t.Taktung[d][size_t(h)] = 60;
        }
    return t;
}

// "Flat" 1 everywhere: 25 + 40 + 20 + 15 = 100. "Nacht frei" 2 from 8 to 21 on workdays, nothing
// at night and on Sundays: 50 + 0 + 0 + 30 = 80. "Sonntag teuer" 0.5 and 3 on Sundays:
// 12.5 + (15 + 30) + 60 + 7.5 = 125. "Null" all zero: 0.
inline std::vector<TTarif> tariffs()
{
    TTarif night = tariff("Nacht frei", 2, 0);
    for (int d = 1; d <= 6; ++d)
        for (int h : {0, 1, 2, 3, 4, 5, 6, 7, 22, 23}) night.Kosten[d][size_t(h)] = 0;
    return {tariff("Flat", 1, 1), night, tariff("Sonntag teuer", 0.5, 3), tariff("Null", 0, 0)};
}
constexpr double Totals[] = {100, 80, 125, 0};

}
