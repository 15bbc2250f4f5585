// minutrix-cli: reads the program's files and prints them for scripts, one record a line.
#include "CliCommands.h"
#include "CliSupport.h"
#ifdef MINUTRIX_CLI_REPORT
#include "CliReport.h"
#endif

#include <QCoreApplication>
#include <cstdio>
#include <map>
#include <memory>

namespace {
const char Usage[] =
    "Usage: minutrix-cli COMMAND ARGUMENTS\n"
    "  easter YEAR                             Easter Sunday of YEAR (1..9999) as YYYY-MM-DD\n"
    "  holidays YEAR STATE                     every marked day of YEAR for federal state STATE (0..15):\n"
    "                                          YYYY-MM-DD<TAB>CODE\n"
    "  cost TARIFFS.qtd INDEX FROM TO [STATE]  cost under tariff INDEX (from 0) from FROM to TO,\n"
    "                                          both YYYY-MM-DDTHH:MM:SS local time; STATE defaults to 8\n"
    "  tariffs [TARIFFS.qtd]                   INDEX, Name, Nummer, Eintrag, Freibetrag, Limit per tariff\n"
    "  prices TARIFFS.qtd INDEX                7 lines (Monday..Sunday) of 24 prices, then of 24 increments\n"
    "  log MONTH.qod                           Datum, Start, Ende, Kosten, Tarif per connection\n"
    "  summary [DATA_FOLDER]                   YEAR, MONTH, CONNECTIONS, TOTAL_COST, TOTAL_SECONDS per month log\n"
    "                                          (seconds: the summed durations, rounded once to the nearest)\n"
    "  settings [Settings.dat]                 ErsterStart, Bundesland, GesamtLimit, Sprache\n"
    "  language FILE.qlf                       the 42 texts as Section/Key=value\n"
#ifdef MINUTRIX_CLI_REPORT
    "  export MONTH.qod OUT.txt|OUT.xls        the month as the evaluation exports it, by the extension:\n"
    "                                          TAB-separated Windows-1252 text or an Excel 2.x sheet\n"
    "                                          (dates, times and numbers in the regional settings)\n"
    "  chart MONTH.qod OUT.png [WIDTH HEIGHT]  the month's usage graph as a PNG picture (559 x 418)\n"
    "  print MONTH.qod OUT.pdf                 the month's printout on A4 pages\n"
#endif
    "Left out, TARIFFS.qtd, DATA_FOLDER and Settings.dat are the program's own (" MINUTRIX_CLI_FOLDER ").\n"
    "Columns are separated by TAB. Texts show backslash, TAB, CR and LF as \\\\, \\t, \\r and \\n.\n"
    "Exit status: 0 done, 1 file missing, unreadable or malformed, 2 wrong arguments.\n";

void write(FILE *stream, const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream); }
}

int main(int argc, char *argv[])
{
#ifdef MINUTRIX_CLI_REPORT
    const std::unique_ptr<QCoreApplication> app = MakeCliApplication(argc, argv);
#else
    const auto app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    const QStringList args = app->arguments().mid(1);

    if (args.size() == 1
        && (args[0] == QLatin1String("help") || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }

    const std::map<QString, QByteArray (*)(const QStringList &)> commands = {
        {QStringLiteral("easter"), RunEaster},     {QStringLiteral("holidays"), RunHolidays},
        {QStringLiteral("cost"), RunCost},         {QStringLiteral("tariffs"), RunTariffs},
        {QStringLiteral("prices"), RunPrices},     {QStringLiteral("log"), RunLog},
        {QStringLiteral("summary"), RunSummary},   {QStringLiteral("settings"), RunSettings},
        {QStringLiteral("language"), RunLanguage},
#ifdef MINUTRIX_CLI_REPORT
        {QStringLiteral("export"), RunExport},     {QStringLiteral("chart"), RunChart},
        {QStringLiteral("print"), RunPrint},
#endif
    };

    try {
        if (args.isEmpty()) UsageError(QStringLiteral("no command given"));
        const auto command = commands.find(args[0]);
        if (command == commands.end()) UsageError(QStringLiteral("unknown command '%1'").arg(args[0]));
        write(stdout, command->second(args));
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const CliExit &exit) {
        write(stderr, "minutrix-cli: " + exit.message.toUtf8() + '\n');
        if (exit.status == 2) std::fputs(Usage, stderr);
        return exit.status;
    }
}
