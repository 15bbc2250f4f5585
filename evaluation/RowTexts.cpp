#include "evaluation/RowTexts.h"

#include "core/DateTime.h"
#include "core/Win1252.h"

const std::array<QString, ColumnCount> &ColumnNames()
{
    static const std::array<QString, ColumnCount> names{QStringLiteral("Datum"), QStringLiteral("Start"),
                                                        QStringLiteral("Ende"), QStringLiteral("Tarif"),
                                                        QStringLiteral("Kosten")};
    return names;
}

std::array<QString, ColumnCount> RowTexts(const TVerbindung &v)
{
    return {FormatShortDate(v.Datum), FormatLongTime(v.Start), FormatLongTime(v.Ende), v.Tarif.value(),
            FloatToStrGeneral(v.Kosten)};
}

std::array<QByteArray, ColumnCount> RowBytes(const TVerbindung &v)
{
    // The regional texts can hold characters 1252 lacks (a narrow no-break space in some time
    // formats); they become '?' as everywhere else in the program's files.
    return {ToWin1252(FormatShortDate(v.Datum)), ToWin1252(FormatLongTime(v.Start)), ToWin1252(FormatLongTime(v.Ende)),
            v.Tarif.rawValue(), ToWin1252(FloatToStrGeneral(v.Kosten))};
}
