// minutrix-cli log and summary against month logs written with the core's AppendData.
#include "core/MonatsLog.h"
#include "tests/tools/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <limits>
#include <sys/stat.h>

namespace {
TVerbindung connection(TDateTime start, TDateTime end, double cost, const QString &tarif)
{
    TVerbindung v;
    v.Datum = start;
    v.Start = start;
    v.Ende = end;
    v.Kosten = cost;
    v.Tarif = tarif;
    return v;
}

bool appendAll(const QString &path, const std::vector<TVerbindung> &records)
{
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    TKostenDatenbank log;
    log.Pfad = path;
    try {
        for (const TVerbindung &v : records) AppendData(log, v);
    } catch (...) {
        return false;
    }
    return true;
}

bool appendBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::Append) && f.write(bytes) == bytes.size();
}
}

class TestCliLogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void log_oneLinePerRecord();
    void log_headerOnlyListsNothing();
    void summary_calendarOrderTotalsAndRounding();
    void summary_folderWithoutMonthLogs_isAnError();
    void summary_notAFileAtAMonthsName_data();
    void summary_notAFileAtAMonthsName();
    void fileErrors_data();
    void fileErrors();
    void missingOrWrongKind_data();
    void missingOrWrongKind();
    void usageErrors_data();
    void usageErrors();
};

void TestCliLogs::log_oneLinePerRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("M\u00e4rz.qod"));
    QVERIFY(appendAll(
        path, {connection(EncodeDateTime(2005, 3, 1, 10, 0, 0), EncodeDateTime(2005, 3, 1, 10, 5, 23), 0.1,
                          QStringLiteral("Tarif M\u00e4rz")),
               connection(EncodeDateTime(2005, 3, 31, 23, 59, 30), EncodeDateTime(2005, 4, 1, 0, 0, 5), 37.5,
                          QStringLiteral("a\tb\\c")),
               connection(EncodeDateTime(2005, 3, 2, 8, 0, 0), EncodeDateTime(2005, 3, 2, 9, 0, 0), 145, QString())}));
    const CliResult r = runCli({QStringLiteral("log"), path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines(),
             QList<QByteArray>(
                 {QStringLiteral("2005-03-01T10:00:00\t2005-03-01T10:00:00\t2005-03-01T10:05:23\t0.1\tTarif M\u00e4rz")
                      .toUtf8(),
                  "2005-03-31T23:59:30\t2005-03-31T23:59:30\t2005-04-01T00:00:05\t37.5\ta\\tb\\\\c",
                  "2005-03-02T08:00:00\t2005-03-02T08:00:00\t2005-03-02T09:00:00\t145\t"}));
}

void TestCliLogs::log_headerOnlyListsNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mai.qod"));
    QVERIFY(appendBytes(path, QByteArray("\x01\x00\x00\x00", 4)));
    const CliResult r = runCli({QStringLiteral("log"), path});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.isEmpty());
}

void TestCliLogs::summary_calendarOrderTotalsAndRounding()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    const auto at = [](int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        return EncodeDateTime(y, mo, d, h, mi, s, ms);
    };
    // Two connections of 10.4 s: 20.8 s in all, 21 when rounded once (20 if each were rounded).
    QVERIFY(
        appendAll(data + QStringLiteral("/2005/M\u00e4rz.qod"),
                  {connection(at(2005, 3, 1, 10, 0, 0), at(2005, 3, 1, 10, 0, 10, 400), 0.25, QStringLiteral("A")),
                   connection(at(2005, 3, 2, 10, 0, 0), at(2005, 3, 2, 10, 0, 10, 400), 37.5, QStringLiteral("A"))}));
    QVERIFY(appendAll(data + QStringLiteral("/2005/Januar.qod"),
                      {connection(at(2005, 1, 3, 20, 0, 0), at(2005, 1, 3, 21, 0, 0), 145, QStringLiteral("B"))}));
    QVERIFY(appendAll(data + QStringLiteral("/2005/Dezember.qod"),
                      {connection(at(2005, 12, 31, 23, 0, 0), at(2006, 1, 1, 1, 0, 0), 1.5, QStringLiteral("B")),
                       connection(at(2005, 12, 1, 8, 0, 0), at(2005, 12, 1, 8, 0, 59, 600), 0.5, QStringLiteral("B")),
                       connection(at(2005, 12, 2, 8, 0, 0), at(2005, 12, 2, 8, 0, 0), 0, QStringLiteral("B"))}));
    QVERIFY(appendAll(data + QStringLiteral("/2004/Dezember.qod"), {}));
    QVERIFY(appendBytes(data + QStringLiteral("/2004/Dezember.qod"), QByteArray("\x01\x00\x00\x00", 4)));
    // Names the program never writes are no month logs.
    QVERIFY(appendAll(data + QStringLiteral("/2005/March.qod"),
                      {connection(at(2005, 3, 1, 1, 0, 0), at(2005, 3, 1, 2, 0, 0), 9, {})}));
    QVERIFY(appendAll(data + QStringLiteral("/02005/Mai.qod"),
                      {connection(at(2005, 5, 1, 1, 0, 0), at(2005, 5, 1, 2, 0, 0), 9, {})}));
    QVERIFY(appendAll(data + QStringLiteral("/alt/Mai.qod"),
                      {connection(at(2005, 5, 1, 1, 0, 0), at(2005, 5, 1, 2, 0, 0), 9, {})}));

    const CliResult r = runCli({QStringLiteral("summary"), data});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines(), QList<QByteArray>({"2004\tDezember\t0\t0\t0", "2005\tJanuar\t1\t145\t3600",
                                           QStringLiteral("2005\tM\u00e4rz\t2\t37.75\t21").toUtf8(),
                                           // 7200 + 59.6 + 0 seconds
                                           "2005\tDezember\t3\t2\t7260"}));
}

void TestCliLogs::summary_folderWithoutMonthLogs_isAnError()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("2005"))));
    const CliResult r = runCli({QStringLiteral("summary"), dir.path()});
    VERIFY_FILE_ERROR(r, dir.path());   // says that it holds none
}

// A folder or a FIFO named like a month log is no month log, as for the program: it is passed
// over, never read (a FIFO would block the tool), and the real logs beside it are still listed.
void TestCliLogs::summary_notAFileAtAMonthsName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("FIFO") << "fifo";
}

void TestCliLogs::summary_notAFileAtAMonthsName()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    QVERIFY(appendAll(data + QStringLiteral("/2005/Januar.qod"),
                      {connection(EncodeDateTime(2005, 1, 3, 20, 0, 0), EncodeDateTime(2005, 1, 3, 20, 1, 0), 2,
                                  QStringLiteral("B"))}));
    const QString march = data + QStringLiteral("/2005/M\u00e4rz.qod");
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(march + QStringLiteral("/inner")));
    else
        QCOMPARE(::mkfifo(QFile::encodeName(march).constData(), 0600), 0);
    const CliResult r = runCli({QStringLiteral("summary"), data});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines(), QList<QByteArray>{"2005\tJanuar\t1\t2\t60"});
}

void TestCliLogs::fileErrors_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("tail");   // appended to a log of one good record
    QTest::addColumn<bool>("headerOnly");   // tail is then the whole file
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TVerbindung bad = connection(nan, nan, 1, QStringLiteral("x"));
    QByteArray badRecord(VerbindungSize, '\0');
    WriteVerbindung(bad, badRecord.data());
    TVerbindung farFuture = connection(1e300, 1e300, 1, QStringLiteral("x"));
    QByteArray farRecord(VerbindungSize, '\0');
    WriteVerbindung(farFuture, farRecord.data());

    QTest::newRow("log, empty file") << "log" << QByteArray() << true;
    QTest::newRow("log, 3-byte file") << "log" << QByteArray("\x01\x00\x00", 3) << true;
    QTest::newRow("log, torn tail of 50") << "log" << QByteArray(50, 'x') << false;
    QTest::newRow("log, torn tail of 132") << "log" << QByteArray(132, 'x') << false;
    QTest::newRow("log, NaN date-time") << "log" << badRecord << false;
    QTest::newRow("log, date-time beyond 9999") << "log" << farRecord << false;
    QTest::newRow("summary, torn month log") << "summary" << QByteArray(7, 'x') << false;
    QTest::newRow("summary, NaN date-time") << "summary" << badRecord << false;
}

void TestCliLogs::fileErrors()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, tail);
    QFETCH(bool, headerOnly);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    const QString path = data + QStringLiteral("/2005/April.qod");
    QVERIFY(QDir().mkpath(data + QStringLiteral("/2005")));
    if (!headerOnly)
        QVERIFY(appendAll(path, {connection(EncodeDateTime(2005, 4, 1, 10, 0, 0), EncodeDateTime(2005, 4, 1, 11, 0, 0),
                                            1, QStringLiteral("A"))}));
    QVERIFY(appendBytes(path, tail));
    const CliResult r = runCli({command, command == QLatin1String("log") ? path : data});
    VERIFY_FILE_ERROR(r, path);
}

void TestCliLogs::missingOrWrongKind_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::newRow("log, missing file") << "log"
                                       << "Juni.qod";
    QTest::newRow("log, a folder") << "log"
                                   << "folder";
    QTest::newRow("summary, missing folder") << "summary"
                                             << "Data";
    QTest::newRow("summary, a file") << "summary"
                                     << "file";
}

void TestCliLogs::missingOrWrongKind()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name == QLatin1String("folder")) QVERIFY(QDir().mkpath(path));
    if (name == QLatin1String("file")) QVERIFY(appendBytes(path, "x"));
    const CliResult r = runCli({command, path});
    VERIFY_FILE_ERROR(r, path);
}

void TestCliLogs::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("log without file") << QStringList{"log"};
    QTest::newRow("log with two files") << QStringList{"log", "a.qod", "b.qod"};
    QTest::newRow("summary with two folders") << QStringList{"summary", "a", "b"};
}

void TestCliLogs::usageErrors()
{
    QFETCH(QStringList, args);
    const CliResult r = runCli(args);
    VERIFY_USAGE_ERROR(r);
}

QTEST_GUILESS_MAIN(TestCliLogs)
#include "tst_cli_logs.moc"
