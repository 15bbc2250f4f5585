#pragma once
// The cost of a connection under a tariff: a price per minute, each minute priced by its clock hour
// and by its date's day index (public holidays like Sundays).
#include "core/DateTime.h"
#include "core/TarifStore.h"

// Cost from start to end; only date, hour and minute of each count. An end read before the start
// (clock set back, damaged record) costs 0 instead of pricing a negative span.
double CalcKosten(const TTarif &tarif, TDateTime start, TDateTime end);
// 60 x Kosten[d][h] summed for h = from .. to in increasing order; 0 when to < from.
double HourKosten(int fromHour, int toHour, int d, const TTarif &tarif);
// 7 for a holiday of the current Bundesland, else the weekday (Monday 1 .. Sunday 7).
int DayIndex(TDateTime date);
