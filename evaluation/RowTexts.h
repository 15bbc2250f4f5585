#pragma once
// The five texts of a connection as the evaluation shows, exports and prints them: date, start,
// end, tariff and cost, in the system's regional settings.
#include "core/MonatsLog.h"

#include <QByteArray>
#include <QString>
#include <array>

constexpr int ColumnCount = 5;

// "Datum", "Start", "Ende", "Tarif", "Kosten": the export's header line and the printout's header.
const std::array<QString, ColumnCount> &ColumnNames();

// For the screen and the printout: the tariff name decoded from Windows-1252.
std::array<QString, ColumnCount> RowTexts(const TVerbindung &v);
// For the export files: Windows-1252, the tariff name's stored bytes unchanged.
std::array<QByteArray, ColumnCount> RowBytes(const TVerbindung &v);
