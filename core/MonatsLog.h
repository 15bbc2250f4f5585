#pragma once
// The month log: one file per month, "Data/<year>/<month name>.qod", a 4-byte header (1) and
// 133-byte connection records.
#include "core/DateTime.h"
#include "core/Exception.h"
#include "core/ShortString.h"

#include <QString>
#include <vector>

struct TVerbindung
{
    double Datum = 0;         // offset 0, start of the connection
    double Start = 0;         // offset 8
    double Ende = 0;          // offset 16
    double Kosten = 0;        // offset 24
    ShortString<100> Tarif;   // offset 32, length byte then up to 100 characters
};

constexpr int VerbindungSize = 133;
constexpr int MonatsLogHeaderSize = 4;

void WriteVerbindung(const TVerbindung &v, char *out);   // VerbindungSize bytes
TVerbindung ReadVerbindung(const char *in);

// What a record's cost adds to a total (the month's sum, the budget, the graph): the stored cost,
// or 0 when it is no finite number or beyond anything a call can cost (above 1e15 cents, where a
// double no longer even holds whole cents), which only a damaged log holds. One such record must
// not raise the limit at once or blank the graph; the list still shows it as it stands.
double CountedCost(const TVerbindung &v);

struct TKostenDatenbank
{
    QString Pfad;
    std::vector<TVerbindung> Daten;
};

// Month name from the language table; below 1 reports E_MonthToLow and returns "", above 12
// returns "" without a report.
QString MonthName(int month);

// What AppendData throws: the message worded as the framework words it ("Cannot write file
// <path>: <reason>"), and the file and the system's reason apart, for the monitor's own text.
class AppendFailure : public Exception
{
public:
    AppendFailure(const QString &what, const QString &path, const QString &reason);
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }

private:
    QString m_path, m_reason;
};

// Adds the record to Daten and to the end of the file. A new file (or one shorter than its
// header) is written whole, header and record, and renamed into place, so a failure leaves no
// file or the old one. A file that is not whole records (a torn trailing piece, bytes lost
// inside) is cut to whole records first, after its bytes have been kept with KeepDamagedCopy;
// when they cannot be kept it is left as it is and the append fails. Throws AppendFailure on
// failure; a FIFO or other file that is not a regular one is not opened.
void AppendData(TKostenDatenbank &log, const TVerbindung &record);
// Replaces Daten with the file's whole records; a missing file leaves Daten unchanged.
// Failures, a file that is not a regular one among them, go to ReportError as
// E_UnknownErrorAt + "ReadAllData".
void ReadAllData(TKostenDatenbank &log);
