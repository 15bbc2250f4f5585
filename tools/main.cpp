// minutrix-cli: reads the program's files and prints them for scripts, one record a line.
#include "tools/CliCommands.h"
#include "tools/CliSupport.h"
#ifdef MINUTRIX_CLI_EVALUATION
#include "tools/CliEvaluation.h"
#endif

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {
using Command = QByteArray (*)(const QStringList &);
struct CommandEntry
{
    const char *name;
    Command run;
    const char *usage;   // its lines of the usage, the arguments first
};

const CommandEntry Commands[] = {
    {"easter", RunEaster, "  easter YEAR                             Easter Sunday of YEAR (1..9999) as YYYY-MM-DD\n"},
    {"holidays", RunHolidays,
     "  holidays YEAR STATE                     every marked day of YEAR for federal state STATE (0..15):\n"
     "                                          YYYY-MM-DD<TAB>CODE\n"},
    {"cost", RunCost,
     "  cost TARIFFS.qtd INDEX FROM TO [STATE]  cost in cents (the unit the prices are entered in) under tariff\n"
     "                                          INDEX (from 0) from FROM to TO, both YYYY-MM-DDTHH:MM:SS local\n"
     "                                          time; STATE defaults to 8\n"},
    {"tariffs", RunTariffs,
     "  tariffs [TARIFFS.qtd]                   INDEX, Name, Nummer, Eintrag, Freibetrag, Limit per tariff\n"},
    {"prices", RunPrices,
     "  prices TARIFFS.qtd INDEX                7 lines (Monday..Sunday) of 24 prices, then of 24 increments\n"},
    {"log", RunLog, "  log MONTH.qod                           Datum, Start, Ende, Kosten, Tarif per connection\n"},
    {"summary", RunSummary,
     "  summary [DATA_FOLDER]                   YEAR, MONTH, CONNECTIONS, TOTAL_COST, TOTAL_SECONDS per month log\n"
     "                                          (seconds: the summed durations, rounded once to the nearest)\n"},
    {"settings", RunSettings,
     "  settings [Settings.dat]                 ErsterStart, Bundesland, GesamtLimit, Sprache\n"},
    {"language", RunLanguage, "  language FILE.qlf                       the 42 texts as Section/Key=value\n"},
#ifdef MINUTRIX_CLI_EVALUATION
    {"export", RunExport,
     "  export MONTH.qod OUT.txt|OUT.xls        the month as the evaluation exports it, by the extension:\n"
     "                                          TAB-separated Windows-1252 text or an Excel 2.x sheet\n"
     "                                          (dates, times and numbers in the regional settings)\n"},
    {"chart", RunChart,
     "  chart MONTH.qod OUT.png [WIDTH HEIGHT]  the month's usage graph as a PNG picture (559 x 418)\n"},
    {"print", RunPrint, "  print MONTH.qod OUT.pdf                 the month's printout on A4 pages\n"},
    {"compare", RunCompare,
     "  compare MONTH.qod [TARIFFS.qtd] [STATE] the month's connections priced anew under every tariff:\n"
     "                                          INDEX<TAB>NAME<TAB>TOTAL per tariff in store order, then\n"
     "                                          logged<TAB><TAB>TOTAL (cents); STATE defaults to Settings.dat's\n"
     "                                          federal state, 8 without the file\n"},
    {"year", RunYear,
     "  year [DATA_FOLDER] YEAR                 MONTH, CONNECTIONS, TOTAL_COST, TOTAL_SECONDS per month log of\n"
     "                                          YEAR, then the same for the year as total<TAB>...\n"},
#endif
};

const char UsageHead[] = "Usage: minutrix-cli COMMAND ARGUMENTS\n";
const char UsageTail[] =
    "  --version                               the version; COMMAND --help: the usage of COMMAND\n"
    "Prices and costs are in cents, the unit the prices are entered in; Freibetrag, Limit and\n"
    "GesamtLimit are in euros, as they are entered. The program shows costs in euros.\n"
    "Left out, TARIFFS.qtd, DATA_FOLDER and Settings.dat are the program's own (" MINUTRIX_CLI_FOLDER ").\n"
    "Columns are separated by TAB. Texts show backslash, TAB, CR and LF as \\\\, \\t, \\r and \\n.\n"
    "Exit status: 0 done, 1 file missing, unreadable or malformed, 2 wrong arguments.\n";

QByteArray usage(const CommandEntry *only = nullptr)
{
    QByteArray text = UsageHead;
    for (const CommandEntry &c : Commands)
        if (!only || only == &c) text += c.usage;
    return text + (only ? QByteArray() : QByteArray(UsageTail));
}

const CommandEntry *findCommand(const QString &name)
{
    for (const CommandEntry &c : Commands)
        if (name == QLatin1String(c.name)) return &c;
    return nullptr;
}

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("help") || arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

void write(FILE *stream, const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream); }
}

int main(int argc, char *argv[])
{
#ifdef MINUTRIX_CLI_EVALUATION
    const std::unique_ptr<QCoreApplication> app = MakeCliApplication(argc, argv);
#else
    const auto app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    const QStringList args = app->arguments().mid(1);

    if (args.size() == 1 && isHelp(args[0])) {
        write(stdout, usage());
        return 0;
    }
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        std::fputs("minutrix-cli " MINUTRIX_VERSION "\n", stdout);
        return 0;
    }
    const CommandEntry *command = args.isEmpty() ? nullptr : findCommand(args[0]);
    if (command && args.size() == 2 && isHelp(args[1])) {
        write(stdout, usage(command));
        return 0;
    }

    try {
        if (args.isEmpty()) UsageError(QStringLiteral("no command given"));
        if (!command) UsageError(QStringLiteral("unknown command '%1'").arg(args[0]));
        write(stdout, command->run(args));
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const CliExit &exit) {
        write(stderr, "minutrix-cli: " + exit.message.toUtf8() + '\n');
        if (exit.status == 2) write(stderr, usage(command));
        return exit.status;
    }
}
