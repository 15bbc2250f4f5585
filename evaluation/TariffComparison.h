#pragma once
// Which tariff would have been cheaper: every connection of a month (or a year) priced anew under
// every tariff of the store, with the program's own cost calculation and the holidays of the
// user's federal state (Bundesland).
#include "core/MonatsLog.h"
#include "core/TarifStore.h"

#include <QString>
#include <vector>

struct TTariffTotal
{
    int index = 0;   // position in the store
    QString name;
    double cents = 0;
    bool mostUsed = false;   // the name the most connections of the log were priced with
};

struct TComparison
{
    std::vector<TTariffTotal> tariffs;   // store order
    double logged = 0;                   // the sum of the costs as logged
};

// A cost that is no finite number counts as 0 in every total, the logged ones as the repriced
// ones; a connection without a plausible span (Totals.h) is priced at 0. Connections name their tariff by its text (the first 100 characters of its name), so the
// most used tariff is found by name: every tariff of the store with that name is marked, and none
// when it was renamed or deleted since.
TComparison CompareTariffs(const std::vector<TVerbindung> &records, const std::vector<TTarif> &tariffs);

// The tariffs cheapest first; equal totals keep the store order.
std::vector<TTariffTotal> CheapestFirst(const TComparison &comparison);
