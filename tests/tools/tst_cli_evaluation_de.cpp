// minutrix-cli export, chart and print under German regional settings and with no display: the
// files are the evaluation's own, and a failure leaves no output file.
#include "evaluation/Export.h"
#include "tests/support/CoreFakes.h"
#include "tests/tools/CliRunner.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

class TestCliReport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_month;   // 0.37 on 5 March 2005, 1.5 on the 31st
    std::vector<TVerbindung> m_records;

    QString out(const QString &name) const { return m_dir.filePath("out/" + name); }

private Q_SLOTS:
    void initTestCase()
    {
        // The tool must choose its own platform: none of these can be reached.
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        m_month = m_dir.filePath("M\u00e4rz.qod");
        TKostenDatenbank log;
        log.Pfad = m_month;
        for (const auto &[day, cost] : {std::pair{5, 0.37}, std::pair{31, 1.5}}) {
            TVerbindung v;
            v.Datum = v.Start = EncodeDateTime(2005, 3, day, 22, 0, 0);
            v.Ende = EncodeDateTime(2005, 3, day, 22, 5, 23);
            v.Kosten = cost;
            v.Tarif = QStringLiteral("Nacht M\u00e4rz");
            AppendData(log, v);
        }
        m_records = log.Daten;
    }
    void init() { QVERIFY(QDir(m_dir.filePath("out")).removeRecursively() && QDir().mkpath(m_dir.filePath("out"))); }

    void export_theExportsBytes()
    {
        for (const QString name : {"m.txt", "m.xls"}) {
            const CliResult r = runCli({"export", m_month, out(name)});
            QCOMPARE(r.exitCode, 0);
            QVERIFY(r.out.isEmpty() && r.err.isEmpty());
            QVERIFY(ExportByName(out("expected" + name), m_records));
            QFile a(out(name)), b(out("expected" + name));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QCOMPARE(a.readAll(), b.readAll());
        }
    }

    void chart_pictureOfTheGivenSize()
    {
        QCOMPARE(runCli({"chart", m_month, out("m.png")}).exitCode, 0);
        const QImage image(out("m.png"));
        QCOMPARE(image.size(), QSize(559, 418));
        // m = 2, s = 398 / 3: day 5 rises 0.37 * s = 49.09 -> 49 above y = 408, day 31 by 199
        QVERIFY(image.pixel(85, 359) == qRgb(0, 0, 0) && image.pixel(85, 358) == qRgb(255, 255, 255));
        QVERIFY(image.pixel(529, 209) == qRgb(0, 0, 0) && image.pixel(529, 208) == qRgb(255, 255, 255));
        QCOMPARE(runCli({"chart", m_month, out("k.png"), "200", "100"}).exitCode, 0);
        QCOMPARE(QImage(out("k.png")).size(), QSize(200, 100));
    }

    void print_a4Pages()
    {
        QCOMPARE(runCli({"print", m_month, out("m.pdf")}).exitCode, 0);
        QFile pdf(out("m.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(bytes.count("/Type /Page\n"), 1);
        QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]"));   // A4 in points
    }

    void badMonthLog_status1_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("content");   // "folder" makes a folder, "missing" nothing
        for (const char *command : {"export", "chart", "print"})
            for (const QByteArray content : {"missing", "folder", "\x01\x00\x00"})
                QTest::addRow("%s, %s", command, content.size() == 3 ? "3 bytes" : content.constData())
                    << command << content;
    }
    void badMonthLog_status1()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, content);
        const QString month = out("bad.qod");
        QFile file(month);
        if (content == "folder") QVERIFY(QDir().mkpath(month));
        if (content.size() == 3) QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == 3);
        file.close();
        const QString target = out(command == "export" ? "m.txt" : command == "chart" ? "m.png" : "m.pdf");
        VERIFY_FILE_ERROR(runCli({command, month, target}), month);
        QVERIFY(!QFileInfo::exists(target));
    }

    void usageErrors_nothingWritten_data()
    {
        QTest::addColumn<QStringList>("args");   // after the month log
        for (const char *name : {"m.TXT", "m.xlsx", "m.txt.", "m"})
            QTest::addRow("export %s", name) << QStringList{"export", name};
        for (const QStringList &size : QList<QStringList>{
                 {"559"}, {"breit", "418"}, {"559.5", "418"}, {"559", "0"}, {"-559", "418"}, {"1", "2", "3"}})
            QTest::addRow("chart %s", qPrintable(size.join(' '))) << QStringList{"chart", "m.png"} + size;
        QTest::newRow("print with a fourth") << QStringList{"print", "m.pdf", "x"};
    }
    void usageErrors_nothingWritten()
    {
        QFETCH(QStringList, args);
        args[1] = out(args[1]);
        args.insert(1, m_month);
        VERIFY_USAGE_ERROR(runCli(args));
        QVERIFY(QDir(m_dir.filePath("out")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliReport)
#include "tst_cli_evaluation_de.moc"
