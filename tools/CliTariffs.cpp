// tariffs, prices and cost: the tariff store read record by record, without the program's loader
// (which reports through the error dialog and keeps a torn tail silently).
#include "core/Kosten.h"
#include "core/SettingsStore.h"
#include "core/TarifStore.h"
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"
#include "tools/CliTariffFile.h"

#include <climits>

namespace {
QByteArray dayTableLines(const TDayTable &table)
{
    QByteArray out;
    for (int d = 1; d <= 7; ++d) {
        for (int h = 0; h < 24; ++h) {
            if (h) out += '\t';
            out += FormatNumber(table[d][size_t(h)]);
        }
        out += '\n';
    }
    return out;
}
}

QByteArray RunTariffs(const QStringList &args)
{
    RequireArgumentCount(args, 1, 2);
    TariffFile file(ArgumentOr(args, 1, TarifPath()));
    QByteArray out;
    for (qint64 i = 0; i < file.count(); ++i) {
        const TTarif t = file.read(i);
        out += QByteArray::number(i) + '\t' + EscapeText(t.Name) + '\t' + EscapeText(t.Nummer) + '\t'
               + EscapeText(t.Eintrag) + '\t' + FormatNumber(t.Freibetrag) + '\t' + FormatNumber(t.Limit) + '\n';
    }
    return out;
}

QByteArray RunPrices(const QStringList &args)
{
    RequireArgumentCount(args, 3, 3);
    const int index = ParseInt(args[2], QStringLiteral("INDEX"), 0, INT_MAX);
    TariffFile file(args[1]);
    const TTarif t = file.readArgument(index);
    return dayTableLines(t.Kosten) + dayTableLines(t.Taktung);
}

QByteArray RunCost(const QStringList &args)
{
    RequireArgumentCount(args, 5, 6);
    // Every argument that needs no file is checked first, so wrong arguments never depend on a file.
    const TDateTime from = ParseDateTime(args[3], QStringLiteral("FROM"));
    const TDateTime to = ParseDateTime(args[4], QStringLiteral("TO"));
    if (to < from) UsageError(QStringLiteral("TO %1 lies before FROM %2").arg(args[4], args[3]));
    const int index = ParseInt(args[2], QStringLiteral("INDEX"), 0, INT_MAX);
    const int state = args.size() > 5 ? ParseInt(args[5], QStringLiteral("STATE"), 0, 15) : 8;
    TariffFile file(args[1]);
    const TTarif t = file.readArgument(index);
    Bundesland = std::uint8_t(state);   // the holiday test reads the settings value
    return FormatNumber(CalcKosten(t, from, to)) + '\n';
}
