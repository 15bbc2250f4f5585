#pragma once
// Exporting a month's connections, in stored order, as TAB-separated text or as an Excel 2.x
// worksheet. Failures throw Exception with the framework's text; what was written before a failed
// write stays in the file.
#include "core/MonatsLog.h"

#include <QByteArray>
#include <QString>
#include <vector>

enum class ExportFormat { None, Text, Xls };

// From the file name's last dot on, compared with case: exactly ".txt" or ".xls"; anything else
// (".TXT", ".xlsx", a trailing dot, no dot at all) is None and writes nothing.
ExportFormat ExportFormatOf(const QString &fileName);

// "Datum\tStart\tEnde\tTarif\tKosten\r\n"
QByteArray ExportHeaderLine();

// Windows-1252, fields separated by TAB, lines ended by CR LF: the header, then one line per
// connection, each written out as it is made. Failures: "I/O error <errno>".
void ExportText(const QString &fileName, const std::vector<TVerbindung> &records);

// BOF, DIMENSIONS, the four labels of each connection row by row, then each cost as a number, EOF.
// No header row. Failures: "Cannot create file <name>: <reason>", "Stream write error"; more
// connections than a sheet has rows are refused before the file is touched.
void ExportXls(const QString &fileName, const std::vector<TVerbindung> &records);

// The one that fits the name; false (and nothing written) for ExportFormat::None.
bool ExportByName(const QString &fileName, const std::vector<TVerbindung> &records);
