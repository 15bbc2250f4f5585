// The text and Excel 2.x export under German regional settings: lines and records as laid out by
// hand from the formats, the extension rule, and what a failed write leaves.
#include "evaluation/Export.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/support/CoreFakes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {
// 0x80 is the euro sign in Windows-1252, 0x81 no character at all: both go out as stored. The
// second starts a hair before midnight (rounds to the next day) and ends 400 ms past a second (cut).
std::vector<TVerbindung> twoConnections()
{
    std::vector<TVerbindung> v(2);
    v[0].Datum = v[0].Start = EncodeDateTime(2005, 3, 1, 10, 0, 0);
    v[0].Ende = EncodeDateTime(2005, 3, 1, 10, 5, 23);
    v[0].Kosten = 0.37;
    v[0].Tarif.setBytes("Nacht\x80\x81");
    v[1].Datum = v[1].Start = EncodeDateTime(2005, 3, 31, 23, 59, 59) + 0.9996 / 86400;
    v[1].Ende = EncodeDateTime(2005, 4, 1, 0, 10, 0, 400);
    v[1].Kosten = 145;
    return v;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

using Exporter = void (*)(const QString &, const std::vector<TVerbindung> &);
}

class TestExport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void extension_exactlyTxtOrXls()
    {
        const QStringList text{"/tmp/M\u00e4rz.txt", "a.xls.txt", ".txt"}, xls{"C:/Daten/a.xls"};
        const QStringList none{"a.TXT", "a.Xls", "a.xlsx", "a.txt.", "a", "/tmp/a.txt/M\u00e4rz"};
        for (const QString &name : text) QCOMPARE(int(ExportFormatOf(name)), int(ExportFormat::Text));
        for (const QString &name : xls) QCOMPARE(int(ExportFormatOf(name)), int(ExportFormat::Xls));
        for (const QString &name : none)
            QVERIFY2(!ExportByName(m_dir.filePath(name.section('/', -1)), {}), qPrintable(name));
        QVERIFY(QDir(m_dir.path()).isEmpty());
    }

    void text_headerThenOneCrLfLinePerConnection()
    {
        ExportText(m_dir.filePath("m.txt"), twoConnections());
        QCOMPARE(readAll(m_dir.filePath("m.txt")), QByteArray("Datum\tStart\tEnde\tTarif\tKosten\r\n"
                                                              "01.03.05\t10:00:00\t10:05:23\tNacht\x80\x81\t0,37\r\n"
                                                              "01.04.05\t00:00:00\t00:10:00\t\t145\r\n"));
    }

    void xls_recordsByteForByte()
    {
        ExportXls(m_dir.filePath("m.xls"), {twoConnections()[0]});
        const auto label = [](const char *head, const QByteArray &text) { return QByteArray::fromHex(head) + text; };
        const QByteArray expected = QByteArray::fromHex("0900040000001000"            // BOF: worksheet
                                                        "000008000000010000000500")   // DIMENSIONS 1 x 5
                                    + label("040010000000000000000008", "01.03.05")   // LABEL row 0, column 0
                                    + label("040010000000010000000008", "10:00:00")
                                    + label("040010000000020000000008", "10:05:23")
                                    + label("04000f000000030000000007", "Nacht\x80\x81")
                                    + QByteArray::fromHex("03000f0000000400000000"
                                                          "ae47e17a14aed73f"   // NUMBER 0.37
                                                          "0a000000");         // EOF
        QCOMPARE(readAll(m_dir.filePath("m.xls")).toHex(), expected.toHex());
        QCOMPARE(expected.size(), 91 + 8 + 8 + 8 + 7);

        // Two connections: all eight labels (4 x 12 bytes + 31 + 24 of text) before the first number.
        ExportXls(m_dir.filePath("m2.xls"), twoConnections());
        QCOMPARE(readAll(m_dir.filePath("m2.xls")).indexOf(QByteArray::fromHex("03000f00")), 20 + 48 + 31 + 48 + 24);
    }

    void emptyMonth_headerAloneOrBofDimensionsEof()
    {
        ExportText(m_dir.filePath("leer.txt"), {});
        QCOMPARE(readAll(m_dir.filePath("leer.txt")), QByteArray("Datum\tStart\tEnde\tTarif\tKosten\r\n"));
        ExportXls(m_dir.filePath("leer.xls"), {});
        QCOMPARE(readAll(m_dir.filePath("leer.xls")).toHex(), QByteArray("0900040000001000000008000000000000000500"
                                                                         "0a000000"));
    }

    // The framework's texts; a write past a file size limit keeps the bytes before it.
    void failures_data()
    {
        QTest::addColumn<Exporter>("exporter");
        QTest::addColumn<QString>("path");   // "%1" is the temporary folder
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("message");
        const Exporter text = ExportText, xls = ExportXls;
        QTest::newRow("text, no folder") << text << "%1/fehlt/a.txt" << 0 << "I/O error 2";
        QTest::newRow("text, disk full") << text << "/dev/full" << 0 << "I/O error 28";
        QTest::newRow("text, cut") << text << "%1/cut.txt" << 50 << "I/O error 27";   // EFBIG
        QTest::newRow("xls, no folder") << xls << "%1/fehlt/a.xls" << 0
                                        << "Cannot create file %1/fehlt/a.xls: No such file or directory";
        QTest::newRow("xls, disk full") << xls << "/dev/full" << 0 << "Stream write error";
        QTest::newRow("xls, cut") << xls << "%1/cut.xls" << 50 << "Stream write error";
    }
    void failures()
    {
        QFETCH(Exporter, exporter);
        QFETCH(QString, path);
        QFETCH(int, sizeLimit);
        QFETCH(QString, message);
        path.replace("%1", m_dir.path());
        exporter(m_dir.filePath("whole"), twoConnections());
        QString thrown;
        {
            std::optional<FileSizeLimit> limit;
            if (sizeLimit) QVERIFY(limit.emplace(sizeLimit).active());   // past the header, inside a connection
            thrown = thrownMessage([&] { exporter(path, twoConnections()); });
        }
        QCOMPARE(thrown, message.replace("%1", m_dir.path()));
        if (sizeLimit) QCOMPARE(readAll(path), readAll(m_dir.filePath("whole")).left(sizeLimit));
    }

    void xls_moreRowsThanASheetHolds_refusedBeforeTheFileIsTouched()
    {
        const std::vector<TVerbindung> records(65536, twoConnections()[0]);   // row and count are 16-bit words
        QCOMPARE(thrownMessage([&] { ExportXls(m_dir.filePath("gross.xls"), records); }),
                 QStringLiteral("Zu viele Verbindungen für eine Tabelle: 65536 (höchstens 65535)"));
        QVERIFY(!QFile::exists(m_dir.filePath("gross.xls")));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_eval_export_de.moc"
