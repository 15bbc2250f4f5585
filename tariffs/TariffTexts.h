#pragma once
// A stored tariff turned back into what the tariff editor's fields would have held when it was
// entered, and an edit of those texts turned into the changed tariff.
#include "core/TarifStore.h"
#include "tariffs/TariffInput.h"

struct TTariffTexts
{
    QString Name;
    QString Connection;   // the connection item, empty when the tariff belongs to no entry
    QString Freibetrag, Limit;
    int Model = ModelSame;
    int SlotsPerDay = 1;   // every page holds this many panels
    TPageSlots Pages;
    bool operator==(const TTariffTexts &) const = default;
};

// The model and panels that give back the tariff's 7 x 24 prices and increments: the same model
// when every day of it holds the same table (every day alike, or Monday to Saturday alike), else
// every day on its own page. Each page shows its own day, one panel per run of hours with the same
// price and increment; hours at price 0 and increment 0 need none. Pages with fewer runs than
// SlotsPerDay end in empty panels, which write nothing under any model.
TTariffTexts TariffTexts(const TTarif &t);

// The stored tariff with the fields whose text was changed: a field left as shown keeps its
// stored bytes, and the day tables are rebuilt from the panels only when the model or a panel
// changed. An amount that is no number throws the conversion error before anything changes.
TTarif EditedTariff(const TTarif &stored, const TTariffTexts &shown, const TTariffTexts &edited);
