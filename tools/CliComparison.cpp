// compare and year: the evaluation's answers for scripts, made by the evaluation's own code: which
// tariff would have been cheaper for a month, and what each month of a year added up to.
#include "core/DataFolder.h"
#include "core/ErrorReport.h"
#include "core/Exception.h"
#include "core/SettingsStore.h"
#include "evaluation/MonthTree.h"
#include "evaluation/TariffComparison.h"
#include "evaluation/YearOverview.h"
#include "tools/CliCommands.h"
#include "tools/CliEvaluation.h"
#include "tools/CliSupport.h"
#include "tools/CliTariffFile.h"

#include <QFileInfo>

namespace {
// The federal state of the program's own settings, read as the program reads them (8 without a file).
int settingsState()
{
    try {
        LoadSettings();
    } catch (const Exception &e) {
        FileError(SettingsPath(), e.message());
    }
    return Bundesland;
}

QByteArray totalsColumns(const TTotals &totals)
{
    return QByteArray::number(totals.connections) + '\t' + FormatNumber(totals.cents) + '\t'
           + QByteArray::number(totals.seconds);
}
}

QByteArray RunCompare(const QStringList &args)
{
    RequireArgumentCount(args, 2, 4);
    const int state = args.size() > 3 ? ParseInt(args[3], QStringLiteral("STATE"), 0, 15) : -1;
    const std::vector<TVerbindung> records = LoadMonthLog(args[1]);
    const std::vector<TTarif> tariffs = TariffFile(ArgumentOr(args, 2, TarifPath())).readAll();
    Bundesland = std::uint8_t(state >= 0 ? state : settingsState());   // the holiday test reads the settings value

    const TComparison comparison = CompareTariffs(records, tariffs);
    QByteArray out;
    for (const TTariffTotal &t : comparison.tariffs)
        out += QByteArray::number(t.index) + '\t' + EscapeText(t.name) + '\t' + FormatNumber(t.cents) + '\n';
    return out + "logged\t\t" + FormatNumber(comparison.logged) + '\n';
}

QByteArray RunYear(const QStringList &args)
{
    RequireArgumentCount(args, 2, 3);
    const int year = ParseInt(args.last(), QStringLiteral("YEAR"), 1, 9999);
    const QString dataFolder = args.size() == 3 ? args[1] : DataFolder();
    const QFileInfo info(dataFolder);
    if (!info.exists()) FileError(dataFolder, QStringLiteral("no such folder"));
    if (!info.isDir()) FileError(dataFolder, QStringLiteral("not a folder"));
    const std::map<int, QString> folders = YearFolders(dataFolder);
    const auto folder = folders.find(year);
    if (folder == folders.end()) FileError(dataFolder, QStringLiteral("holds no folder for the year %1").arg(year));

    ReportCollector reports;
    const TYearOverview overview = YearOverview(ScanYear(year, folder->second));
    if (!reports.Take().isEmpty()) FileError(folder->second, QStringLiteral("holds a month log that cannot be read"));
    QByteArray out;
    for (const TYearMonth &m : overview.months) out += m.name.toUtf8() + '\t' + totalsColumns(m.totals) + '\n';
    return out + "total\t" + totalsColumns(overview.total) + '\n';
}
