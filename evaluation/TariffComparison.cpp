#include "evaluation/TariffComparison.h"

#include "core/Kosten.h"
#include "evaluation/Totals.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
double finiteOrZero(double cost) { return std::isfinite(cost) ? cost : 0; }

// The tariff name most connections name, as stored in the records; the first one seen wins a tie.
QByteArray mostUsedName(const std::vector<TVerbindung> &records)
{
    QHash<QByteArray, qint64> uses;
    QByteArray most;
    qint64 mostUses = 0;
    for (const TVerbindung &v : records) {
        const QByteArray name = v.Tarif.rawValue();
        const qint64 n = ++uses[name];
        if (n > mostUses) {
            mostUses = n;
            most = name;
        }
    }
    return most;
}
}

TComparison CompareTariffs(const std::vector<TVerbindung> &records, const std::vector<TTarif> &tariffs)
{
    TComparison result;
    for (const TVerbindung &v : records) result.logged += finiteOrZero(v.Kosten);
    const QByteArray most = mostUsedName(records);
    ShortString<100> asLogged;
    for (size_t i = 0; i < tariffs.size(); ++i) {
        const TTarif &t = tariffs[i];
        double cents = 0;
        for (const TVerbindung &v : records)
            if (HasPlausibleSpan(v)) cents += finiteOrZero(CalcKosten(t, v.Start, v.Ende));
        asLogged.setBytes(t.Name.rawValue());   // cut to 100 characters, as a record stores it
        result.tariffs.push_back({int(i), t.Name.value(), cents, !records.empty() && asLogged.rawValue() == most});
    }
    return result;
}

std::vector<TTariffTotal> CheapestFirst(const TComparison &comparison)
{
    std::vector<TTariffTotal> sorted = comparison.tariffs;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TTariffTotal &a, const TTariffTotal &b) { return a.cents < b.cents; });
    return sorted;
}
