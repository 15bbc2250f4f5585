// minutrix-cli tariffs, prices and cost against stores written with the core's record writer.
#include "core/TarifStore.h"
#include "tests/tools/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
TTarif tariff(const QString &name)
{
    TTarif t;
    t.Name = name;
    return t;
}

// Tariff 0: the first worked example; 1: the second; 2: across midnight and holidays; 3: small prices.
std::vector<TTarif> exampleTariffs()
{
    std::vector<TTarif> v(4);
    v[0] = tariff(QStringLiteral("Halbe"));
    v[0].Kosten[2][10] = 1.5;
    v[1] = tariff(QStringLiteral("Stufen"));
    v[1].Kosten[2][10] = 1;
    v[1].Kosten[2][11] = 2;
    v[1].Kosten[2][12] = 3;
    v[2] = tariff(QStringLiteral("Nacht"));
    v[2].Kosten[5][23] = 2;
    v[2].Kosten[6][0] = 4;
    v[2].Kosten[3][10] = 1;   // Wednesday
    v[2].Kosten[5][10] = 1;   // Friday
    v[2].Kosten[7][10] = 3;   // Sunday and holidays
    v[3] = tariff(QStringLiteral("Zehntel"));
    for (int d = 1; d <= 7; ++d)
        for (auto &price : v[3].Kosten[d]) price = 0.1;
    return v;
}
}

class TestCliTariffs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tariffs_oneLinePerRecord();
    void tariffs_emptyStoreListsNothing();
    void prices_sevenDaysOfPricesThenIncrements();
    void cost_handComputedExamples_data();
    void cost_handComputedExamples();
    void fileErrors_data();
    void fileErrors();
    void usageErrors_data();
    void usageErrors();

private:
    QString writeStore(const QString &name, const std::vector<TTarif> &tariffs, const QByteArray &tail = {})
    {
        QByteArray bytes;
        for (const TTarif &t : tariffs) bytes += TarifToBytes(t);
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes + tail) != bytes.size() + tail.size()) return QString();
        return f.fileName();
    }
    QTemporaryDir m_dir;
    QString m_examples;
};

void TestCliTariffs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_examples = writeStore(QStringLiteral("TarifDaten.qtd"), exampleTariffs());
    QVERIFY(!m_examples.isEmpty());
}

void TestCliTariffs::tariffs_oneLinePerRecord()
{
    TTarif a = tariff(QStringLiteral("Tarif M\u00e4rz \u20ac"));
    a.Nummer = QStringLiteral("0191011");
    a.Eintrag = QStringLiteral("Anbieter");
    a.Freibetrag = 0.1;
    a.Limit = 145;
    TTarif b = tariff(QStringLiteral("Tab\there\\"));
    b.Limit = 37.5;
    const QString path = writeStore(QStringLiteral("two.qtd"), {a, b});
    const CliResult r = runCli({QStringLiteral("tariffs"), path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.lines().size(), 2);
    QCOMPARE(r.lines()[0], QStringLiteral("0\tTarif M\u00e4rz \u20ac\t0191011\tAnbieter\t0.1\t145").toUtf8());
    QCOMPARE(r.lines()[1], QByteArray("1\tTab\\there\\\\\t\t\t0\t37.5"));
}

void TestCliTariffs::tariffs_emptyStoreListsNothing()
{
    const CliResult r = runCli({QStringLiteral("tariffs"), writeStore(QStringLiteral("empty.qtd"), {})});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.isEmpty());
}

void TestCliTariffs::prices_sevenDaysOfPricesThenIncrements()
{
    TTarif t = tariff(QStringLiteral("Raster"));
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) {
            t.Kosten[d][size_t(h)] = d * 100 + h + 0.5;
            t.Taktung[d][size_t(h)] = d == 7 ? 1 : 60;
        }
    const QString path = writeStore(QStringLiteral("raster.qtd"), {tariff(QStringLiteral("davor")), t});
    const CliResult r = runCli({QStringLiteral("prices"), path, QStringLiteral("1")});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> lines = r.lines();
    QCOMPARE(lines.size(), 14);
    for (int d = 1; d <= 7; ++d) {
        QStringList prices, increments;
        for (int h = 0; h < 24; ++h) {
            prices << QStringLiteral("%1.5").arg(d * 100 + h);
            increments << (d == 7 ? QStringLiteral("1") : QStringLiteral("60"));
        }
        QCOMPARE(lines[d - 1], prices.join(u'\t').toUtf8());
        QCOMPARE(lines[d + 6], increments.join(u'\t').toUtf8());
    }
}

void TestCliTariffs::cost_handComputedExamples_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("expected");
    // 2005-03-01 is a Tuesday, 2005-03-04 a Friday, 2005-03-25 Good Friday, 2005-11-16 a Wednesday
    // that is a holiday only in Saxony (state 12).
    QTest::newRow("25 minutes at 1.5") << QStringList{"0", "2005-03-01T10:15:00", "2005-03-01T10:40:00"}
                                       << QByteArray("37.5\n");
    QTest::newRow("10x1 + 60x2 + 5x3") << QStringList{"1", "2005-03-01T10:50:00", "2005-03-01T12:05:00"}
                                       << QByteArray("145\n");
    QTest::newRow("Friday night into Saturday: 30x2 + 10x4")
        << QStringList{"2", "2005-03-04T23:30:00", "2005-03-05T00:10:00"} << QByteArray("100\n");
    QTest::newRow("Good Friday priced as Sunday: 10x3")
        << QStringList{"2", "2005-03-25T10:00:00", "2005-03-25T10:10:00"} << QByteArray("30\n");
    QTest::newRow("Buss- und Bettag, default state 8: 10x1")
        << QStringList{"2", "2005-11-16T10:00:00", "2005-11-16T10:10:00"} << QByteArray("10\n");
    QTest::newRow("Buss- und Bettag, state 12: 10x3")
        << QStringList{"2", "2005-11-16T10:00:00", "2005-11-16T10:10:00", "12"} << QByteArray("30\n");
    QTest::newRow("one minute at 0.1") << QStringList{"3", "2005-03-01T10:00:00", "2005-03-01T10:01:00"}
                                       << QByteArray("0.1\n");
    QTest::newRow("seconds do not count")
        << QStringList{"3", "2005-03-01T10:00:59", "2005-03-01T10:01:00"} << QByteArray("0.1\n");
    QTest::newRow("same minute") << QStringList{"0", "2005-03-01T10:15:00", "2005-03-01T10:15:59"} << QByteArray("0\n");
    QTest::newRow("FROM equal TO") << QStringList{"0", "2005-03-01T10:15:00", "2005-03-01T10:15:00"}
                                   << QByteArray("0\n");
}

void TestCliTariffs::cost_handComputedExamples()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, expected);
    const CliResult r = runCli(QStringList{QStringLiteral("cost"), m_examples} + args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void TestCliTariffs::fileErrors_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("tail");   // bytes after two whole records; "missing" writes nothing
    QTest::newRow("tariffs, torn store") << "tariffs"
                                         << "torn.qtd" << QByteArray(100, '\0');
    QTest::newRow("prices, torn store") << "prices"
                                        << "torn.qtd" << QByteArray(100, '\0');
    QTest::newRow("cost, one byte too many") << "cost"
                                             << "plusone.qtd" << QByteArray(1, 'x');
    QTest::newRow("tariffs, missing") << "tariffs"
                                      << "missing" << QByteArray();
    QTest::newRow("prices, missing") << "prices"
                                     << "missing" << QByteArray();
    QTest::newRow("cost, missing") << "cost"
                                   << "missing" << QByteArray();
    QTest::newRow("tariffs, a folder") << "tariffs"
                                       << "folder" << QByteArray();
}

void TestCliTariffs::fileErrors()
{
    QFETCH(QString, command);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, tail);
    QString path = m_dir.filePath(fileName);
    if (fileName == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (fileName != QLatin1String("missing"))
        path = writeStore(fileName, exampleTariffs(), tail);
    QStringList args{command, path};
    if (command == QLatin1String("prices")) args << QStringLiteral("0");
    if (command == QLatin1String("cost"))
        args << QStringLiteral("0") << QStringLiteral("2005-03-01T10:00:00") << QStringLiteral("2005-03-01T11:00:00");
    const CliResult r = runCli(args);
    VERIFY_FILE_ERROR(r, path);
}

void TestCliTariffs::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");   // the store path is put after the command
    QTest::newRow("INDEX one past the end") << QStringList{"prices", "4"};
    QTest::newRow("INDEX negative") << QStringList{"prices", "-1"};
    QTest::newRow("INDEX not numeric") << QStringList{"prices", "erster"};
    QTest::newRow("prices without INDEX") << QStringList{"prices"};
    QTest::newRow("tariffs with extra") << QStringList{"tariffs", "0"};
    QTest::newRow("cost INDEX out of range") << QStringList{"cost", "9", "2005-03-01T10:00:00", "2005-03-01T11:00:00"};
    QTest::newRow("TO before FROM") << QStringList{"cost", "0", "2005-03-01T11:00:00", "2005-03-01T10:59:59"};
    QTest::newRow("no such day") << QStringList{"cost", "0", "2005-02-29T10:00:00", "2005-03-01T11:00:00"};
    QTest::newRow("blank instead of T") << QStringList{"cost", "0", "2005-03-01 10:00:00", "2005-03-01T11:00:00"};
    QTest::newRow("hour 24") << QStringList{"cost", "0", "2005-03-01T10:00:00", "2005-03-01T24:00:00"};
    QTest::newRow("date only") << QStringList{"cost", "0", "2005-03-01", "2005-03-02"};
    QTest::newRow("STATE 16") << QStringList{"cost", "0", "2005-03-01T10:00:00", "2005-03-01T11:00:00", "16"};
    QTest::newRow("STATE text") << QStringList{"cost", "0", "2005-03-01T10:00:00", "2005-03-01T11:00:00", "NI"};
    QTest::newRow("cost too many") << QStringList{"cost", "0", "2005-03-01T10:00:00", "2005-03-01T11:00:00", "8", "x"};
    QTest::newRow("cost without TO") << QStringList{"cost", "0", "2005-03-01T10:00:00"};
}

void TestCliTariffs::usageErrors()
{
    QFETCH(QStringList, args);
    args.insert(1, m_examples);
    const CliResult r = runCli(args);
    VERIFY_USAGE_ERROR(r);
}

QTEST_GUILESS_MAIN(TestCliTariffs)
#include "tst_cli_tariffs.moc"
