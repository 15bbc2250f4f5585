#pragma once
// What a month (or a year) of connections adds up to: how many, how long, what they cost, and the
// line the evaluation shows for it ("12 Verbindungen, 5:43:10 Std., 23,61 €").
#include "core/MonatsLog.h"

#include <QString>
#include <vector>

struct TTotals
{
    qint64 connections = 0;
    qint64 seconds = 0;   // the summed durations
    double cents = 0;     // costs are stored in cents

    // A year's totals: the sums of its months' figures, so the rows add up to the total shown.
    TTotals &operator+=(const TTotals &other);
};

// A connection from Start to Ende that can have taken place: both are numbers, the end does not
// lie before the start (a clock set back) and at most a year after it. Anything else is a damaged
// record, which lasted no time and is priced at nothing under any tariff.
bool HasPlausibleSpan(const TVerbindung &v);

// A cost that is no finite number (a damaged log) counts as 0, and so does the duration of a
// connection without a plausible span. The durations are summed as day fractions and rounded to
// whole seconds once.
TTotals MonthTotals(const std::vector<TVerbindung> &records);

// Euros to the cent in the regional settings, from cents rounded half to even as the main window
// shows them: "23,61 €", "1.234,50 €"; EuroAmount without the sign of the currency, for columns
// whose header names it.
QString EuroText(double cents);
QString EuroAmount(double cents);
// Hours without a bound, then minutes and seconds: "5:43:10", "123:04:05".
QString DurationText(qint64 seconds);
// "1 Verbindung, 0:30:00 Std., 0,37 €"
QString TotalsText(const TTotals &totals);
// How the costs stand against the overall limit (GesamtLimit, in euros): "noch 76,39 € bis zum
// Gesamtlimit", "Gesamtlimit erreicht", "Gesamtlimit um 3,20 € überschritten"; empty when the
// limit is no finite number.
QString LimitText(double gesamtLimit, double cents);

// The line below the month's list: its totals, and for the month of today what is left of the
// overall limit.
QString MonthTotalsLine(const TTotals &totals, int year, int month);
