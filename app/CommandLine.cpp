#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {
// Qt's own options, which QApplication takes out of the arguments; accepted so they pass the check.
const char *const QtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
    "style",       "stylesheet",         "session",       "name",   "title",   "qwindowgeometry",
    "qwindowicon", "qwindowtitle"};
const char *const QtFlagOptions[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};
}

std::optional<int> HandleCommandLine(int argc, char *argv[])
{
    int count = argc;
    const QCoreApplication app(count, argv);   // no display needed to answer --help
    QCoreApplication::setApplicationName(QStringLiteral("minutrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MINUTRIX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the running duration and cost of dial-up connections, priced from your tariffs."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    for (const char *name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parsed && parser.isSet(QStringLiteral("version"))) {
        std::printf("minutrix %s\n", MINUTRIX_VERSION);
        return 0;
    }
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString why = parsed
                                ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
                                : parser.errorText();
        std::fprintf(stderr, "minutrix: %s\n%s", qPrintable(why), qPrintable(parser.helpText()));
        return 2;
    }
    return std::nullopt;
}
