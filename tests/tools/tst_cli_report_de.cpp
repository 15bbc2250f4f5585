// minutrix-cli export, chart and print under German regional settings, with no display: the files
// are the ones the evaluation's own code writes, and every failure leaves no output file.
#include "CliRunner.h"
#include "CoreFakes.h"
#include "Export.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
TVerbindung connection(int day, int hour, double cost, const QString &tarif)
{
    TVerbindung v;
    v.Datum = v.Start = EncodeDateTime(2005, 3, day, hour, 0, 0);
    v.Ende = EncodeDateTime(2005, 3, day, hour, 5, 23);
    v.Kosten = cost;
    v.Tarif = tarif;
    return v;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

class TestCliReport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_month;
    std::vector<TVerbindung> m_records;

    QString out(const QString &name) const { return m_dir.filePath("out/" + name); }

private Q_SLOTS:
    void initTestCase()
    {
        // The tool must pick its own platform: none of these can be reached.
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        m_month = m_dir.filePath("M\u00e4rz.qod");
        TKostenDatenbank log;
        log.Pfad = m_month;
        AppendData(log, connection(5, 10, 0.37, "Nacht M\u00e4rz"));
        AppendData(log, connection(31, 22, 1.5, "Tag"));
        m_records = log.Daten;
    }
    void init() { QVERIFY(QDir(m_dir.filePath("out")).removeRecursively() && QDir().mkpath(m_dir.filePath("out"))); }

    void export_theExportsBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "m.txt";
        QTest::newRow("xls") << "m.xls";
    }
    void export_theExportsBytes()
    {
        QFETCH(QString, name);
        const CliResult r = runCli({"export", m_month, out(name)});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        QVERIFY(ExportByName(out("expected" + name), m_records));
        QCOMPARE(readAll(out(name)), readAll(out("expected" + name)));
        if (name.endsWith(".txt"))
            QCOMPARE(readAll(out(name)), QByteArray("Datum\tStart\tEnde\tTarif\tKosten\r\n"
                                                    "05.03.05\t10:00:00\t10:05:23\tNacht M\xe4rz\t0,37\r\n"
                                                    "31.03.05\t22:00:00\t22:05:23\tTag\t1,5\r\n"));
    }

    void export_otherExtensions_usageErrorNothingWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("capitals") << "m.TXT";
        QTest::newRow("xlsx") << "m.xlsx";
        QTest::newRow("trailing dot") << "m.txt.";
        QTest::newRow("none") << "m";
    }
    void export_otherExtensions_usageErrorNothingWritten()
    {
        QFETCH(QString, name);
        const CliResult r = runCli({"export", m_month, out(name)});
        VERIFY_USAGE_ERROR(r);
        QVERIFY(QDir(m_dir.filePath("out")).isEmpty());
    }

    void badMonthLog_status1OneLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("content");   // "folder" makes a folder, "missing" nothing
        for (const char *command : {"export", "chart", "print"}) {
            QTest::addRow("%s, missing", command) << command << QByteArray("missing");
            QTest::addRow("%s, folder", command) << command << QByteArray("folder");
            QTest::addRow("%s, 3 bytes", command) << command << QByteArray("\x01\x00\x00", 3);
        }
    }
    void badMonthLog_status1OneLine()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, content);
        const QString month = m_dir.filePath("out/bad.qod");
        if (content == "folder") {
            QVERIFY(QDir().mkpath(month));
        } else if (content != "missing") {
            QFile f(month);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        const QString target = out(command == "export" ? "m.txt" : command == "chart" ? "m.png" : "m.pdf");
        const CliResult r = runCli({command, month, target});
        VERIFY_FILE_ERROR(r, month);
        QVERIFY(!QFileInfo::exists(target));
    }

    void export_unwritable_status1()
    {
        const CliResult r = runCli({"export", m_month, out("fehlt/m.txt")});
        VERIFY_FILE_ERROR(r, out("fehlt/m.txt"));
        QVERIFY(r.err.contains("I/O error 2"));
    }

    void chart_pictureOfTheGivenSize()
    {
        CliResult r = runCli({"chart", m_month, out("m.png")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        QImage image(out("m.png"));
        QCOMPARE(image.size(), QSize(559, 418));
        // 0.37 on day 5 and 1.5 on day 31: m = 2, s = 398 / 3; 49.09 -> 49 and 199 tall
        QCOMPARE(image.pixel(85, 408 - 49), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(85, 408 - 50), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(529, 408 - 199), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(529, 408 - 200), qRgb(255, 255, 255));

        r = runCli({"chart", m_month, out("klein.png"), "200", "100"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QImage(out("klein.png")).size(), QSize(200, 100));
    }

    void chart_badSize_usageError_data()
    {
        QTest::addColumn<QStringList>("size");
        QTest::newRow("one number") << QStringList{"559"};
        QTest::newRow("not a number") << QStringList{"breit", "418"};
        QTest::newRow("fraction") << QStringList{"559.5", "418"};
        QTest::newRow("zero") << QStringList{"559", "0"};
        QTest::newRow("negative") << QStringList{"-559", "418"};
        QTest::newRow("three numbers") << QStringList{"1", "2", "3"};
    }
    void chart_badSize_usageError()
    {
        QFETCH(QStringList, size);
        const CliResult r = runCli(QStringList{"chart", m_month, out("m.png")} + size);
        VERIFY_USAGE_ERROR(r);
        QVERIFY(!QFileInfo::exists(out("m.png")));
    }

    void chart_costThatIsNoNumber_status1()
    {
        const QString month = out("nan.qod");
        TKostenDatenbank log;
        log.Pfad = month;
        AppendData(log, connection(5, 10, std::nan(""), "Tag"));
        const CliResult r = runCli({"chart", month, out("m.png")});
        VERIFY_FILE_ERROR(r, month);
        QVERIFY(r.err.contains("ZeichneGrafik"));
        QVERIFY(!QFileInfo::exists(out("m.png")));
    }

    void print_a4Pages()
    {
        // 51 rows fit under the header of the first A4 page, 52 on each further one.
        const QString month = out("gross.qod");
        TKostenDatenbank log;
        log.Pfad = month;
        for (int i = 0; i < 104; ++i) AppendData(log, connection(1 + i % 28, 10, 0.5, "Tag"));
        const CliResult r = runCli({"print", month, out("m.pdf")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        const QByteArray pdf = readAll(out("m.pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 3);
        QVERIFY(pdf.contains("/MediaBox [0 0 595.000000 842.000000]"));   // A4 in points
    }

    void wrongArgumentCount_usageError_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export without output") << QStringList{"export", "m.qod"};
        QTest::newRow("print with a fourth") << QStringList{"print", "m.qod", "m.pdf", "x"};
        QTest::newRow("chart alone") << QStringList{"chart"};
    }
    void wrongArgumentCount_usageError()
    {
        QFETCH(QStringList, args);
        VERIFY_USAGE_ERROR(runCli(args));
    }
};

QTEST_GUILESS_MAIN(TestCliReport)
#include "tst_cli_report_de.moc"
