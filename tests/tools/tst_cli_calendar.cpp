// minutrix-cli easter and holidays, the command dispatch and its usage errors.
#include "tests/tools/CliRunner.h"

class TestCliCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void easter_knownDates_data();
    void easter_knownDates();
    void holidays_2005LowerSaxony_matchesTheKnownList();
    void holidays_saxonyAddsThreeDays();
    void holidays_leapYearEndsOnDay366();
    void badArguments_data();
    void badArguments();
    void help_printsUsageOnStdout_data();
    void help_printsUsageOnStdout();
};

void TestCliCalendar::easter_knownDates_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("2005") << "2005" << QByteArray("2005-03-27\n");
    QTest::newRow("2006") << "2006" << QByteArray("2006-04-16\n");
    QTest::newRow("2008") << "2008" << QByteArray("2008-03-23\n");
    QTest::newRow("2011") << "2011" << QByteArray("2011-04-24\n");
    QTest::newRow("1981, the 26 April rule") << "1981" << QByteArray("1981-04-19\n");
    QTest::newRow("1954, the 25 April rule") << "1954" << QByteArray("1954-04-18\n");
    QTest::newRow("2038") << "2038" << QByteArray("2038-04-25\n");
}

void TestCliCalendar::easter_knownDates()
{
    QFETCH(QString, year);
    QFETCH(QByteArray, expected);
    const CliResult r = runCli({QStringLiteral("easter"), year});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
    QVERIFY(r.err.isEmpty());
}

void TestCliCalendar::holidays_2005LowerSaxony_matchesTheKnownList()
{
    const CliResult r = runCli({QStringLiteral("holidays"), QStringLiteral("2005"), QStringLiteral("8")});
    QCOMPARE(r.exitCode, 0);
    QList<QByteArray> dates;
    QMap<QByteArray, QByteArray> codes;
    for (const QByteArray &line : r.lines()) {
        const QList<QByteArray> cols = line.split('\t');
        QCOMPARE(cols.size(), 2);
        dates << cols[0];
        codes[cols[0]] = cols[1];
    }
    const QList<QByteArray> expected = {
        "2005-01-01", "2005-02-02", "2005-02-03", "2005-02-07", "2005-02-08", "2005-02-09", "2005-02-14", "2005-03-20",
        "2005-03-21", "2005-03-24", "2005-03-25", "2005-03-27", "2005-03-28", "2005-05-01", "2005-05-05", "2005-05-08",
        "2005-05-15", "2005-05-16", "2005-06-21", "2005-06-29", "2005-09-08", "2005-09-23", "2005-10-02", "2005-10-03",
        "2005-11-01", "2005-11-13", "2005-11-20", "2005-12-04", "2005-12-08", "2005-12-11", "2005-12-18", "2005-12-22",
        "2005-12-24", "2005-12-25", "2005-12-26", "2005-12-31"};
    QCOMPARE(dates, expected);
    QCOMPARE(codes["2005-01-01"], QByteArray("1"));     // Neujahr
    QCOMPARE(codes["2005-03-25"], QByteArray("9"));     // Karfreitag over Mariae Verkuendigung
    QCOMPARE(codes["2005-03-27"], QByteArray("10"));    // Ostersonntag
    QCOMPARE(codes["2005-12-25"], QByteArray("7"));     // 1. Weihnachtstag over 4th Advent
    QCOMPARE(codes["2005-02-02"], QByteArray("255"));   // Mariae Lichtmess
}

void TestCliCalendar::holidays_saxonyAddsThreeDays()
{
    const CliResult lower = runCli({QStringLiteral("holidays"), QStringLiteral("2005"), QStringLiteral("8")});
    const CliResult saxony = runCli({QStringLiteral("holidays"), QStringLiteral("2005"), QStringLiteral("12")});
    QCOMPARE(saxony.exitCode, 0);
    QList<QByteArray> extra;
    for (const QByteArray &line : saxony.lines())
        if (!lower.lines().contains(line)) extra << line.left(10);
    QCOMPARE(extra, QList<QByteArray>({"2005-05-26", "2005-10-31", "2005-11-16"}));
    QVERIFY(saxony.lines().contains("2005-11-16\t19"));   // Buss- und Bettag
}

void TestCliCalendar::holidays_leapYearEndsOnDay366()
{
    const CliResult r = runCli({QStringLiteral("holidays"), QStringLiteral("2008"), QStringLiteral("8")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines().last(), QByteArray("2008-12-31\t241"));   // Silvester
    QCOMPARE(r.lines().first(), QByteArray("2008-01-01\t1"));
}

void TestCliCalendar::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"eastern", "2005"};
    QTest::newRow("easter without year") << QStringList{"easter"};
    QTest::newRow("easter two years") << QStringList{"easter", "2005", "2006"};
    QTest::newRow("year not numeric") << QStringList{"easter", "zwei"};
    QTest::newRow("year with trailing text") << QStringList{"easter", "2005x"};
    QTest::newRow("year with blank") << QStringList{"easter", " 2005"};
    QTest::newRow("year 0") << QStringList{"easter", "0"};
    QTest::newRow("year 10000") << QStringList{"easter", "10000"};
    QTest::newRow("year overflowing") << QStringList{"easter", "99999999999999999999"};
    QTest::newRow("state 16") << QStringList{"holidays", "2005", "16"};
    QTest::newRow("state -1") << QStringList{"holidays", "2005", "-1"};
    QTest::newRow("state not numeric") << QStringList{"holidays", "2005", "Sachsen"};
    QTest::newRow("holidays without state") << QStringList{"holidays", "2005"};
}

void TestCliCalendar::badArguments()
{
    QFETCH(QStringList, args);
    const CliResult r = runCli(args);
    VERIFY_USAGE_ERROR(r);
}

// The whole usage, one command's usage or the version; a wrong call names only its command.
void TestCliCalendar::help_printsUsageOnStdout_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("shown");   // on stdout when 0, on stderr otherwise
    QTest::addColumn<QByteArray>("notShown");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("  log MONTH.qod") << QByteArray("warning");
    QTest::newRow("log --help, not a file")
        << QStringList{"log", "--help"} << 0 << QByteArray("  log MONTH.qod") << QByteArray("easter");
    QTest::newRow("cost in cents") << QStringList{"cost", "-h"} << 0 << QByteArray("cost in cents")
                                   << QByteArray("summary");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("minutrix-cli 2.") << QByteArray("Usage");
    QTest::newRow("usage error of log") << QStringList{"log", "a", "b"} << 2 << QByteArray("  log MONTH.qod")
                                        << QByteArray("easter");
}

void TestCliCalendar::help_printsUsageOnStdout()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, notShown);
    const CliResult r = runCli(args);
    QCOMPARE(r.exitCode, exitCode);
    const QByteArray &text = exitCode == 0 ? r.out : r.err;
    QVERIFY2(text.contains(shown) && !text.contains(notShown), text.constData());
    QVERIFY((exitCode == 0 ? r.err : r.out).isEmpty());
}

QTEST_GUILESS_MAIN(TestCliCalendar)
#include "tst_cli_calendar.moc"
