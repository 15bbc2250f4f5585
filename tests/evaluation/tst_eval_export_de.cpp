// The text and spreadsheet export under German regional settings: the lines and records as the
// export's tables lay them out, the extension rule, and what a failed write leaves.
#include "../core/FileSizeLimit.h"
#include "CoreFakes.h"
#include "Export.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
TVerbindung connection(TDateTime start, TDateTime end, double cost, const QByteArray &tarif)
{
    TVerbindung v;
    v.Datum = v.Start = start;
    v.Ende = end;
    v.Kosten = cost;
    v.Tarif.setBytes(tarif);
    return v;
}

// 0x80 is the euro sign in Windows-1252, 0x81 no character at all: both go out as stored.
// The second starts a hair before midnight, which rounds to the next day, and ends 400 ms past
// a whole second, which is cut.
std::vector<TVerbindung> twoConnections()
{
    return {
        connection(EncodeDateTime(2005, 3, 1, 10, 0, 0), EncodeDateTime(2005, 3, 1, 10, 5, 23), 0.37, "Nacht\x80\x81"),
        connection(EncodeDateTime(2005, 3, 31, 23, 59, 59) + 0.9996 / 86400, EncodeDateTime(2005, 4, 1, 0, 10, 0, 400),
                   145, "")};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// "L0,3" and "N1,4" per cell record, the record's name otherwise.
QStringList recordSequence(const QByteArray &xls)
{
    QStringList seq;
    for (qsizetype at = 0; at + 4 <= xls.size();) {
        const int type = quint8(xls[at]) | quint8(xls[at + 1]) << 8;
        const int length = quint8(xls[at + 2]) | quint8(xls[at + 3]) << 8;
        const int row = at + 6 <= xls.size() ? quint8(xls[at + 4]) | quint8(xls[at + 5]) << 8 : -1;
        const int column = at + 8 <= xls.size() ? quint8(xls[at + 6]) | quint8(xls[at + 7]) << 8 : -1;
        switch (type) {
        case 0x09: seq << "BOF"; break;
        case 0x00: seq << "DIMENSIONS"; break;
        case 0x0A: seq << "EOF"; break;
        default: seq << QStringLiteral("%1%2,%3").arg(type == 0x04 ? 'L' : 'N').arg(row).arg(column);
        }
        at += 4 + length;
    }
    return seq;
}

using Exporter = void (*)(const QString &, const std::vector<TVerbindung> &);
}

class TestExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("format");
        const int none = int(ExportFormat::None), text = int(ExportFormat::Text), xls = int(ExportFormat::Xls);
        QTest::newRow("txt") << "/tmp/Maerz.txt" << text;
        QTest::newRow("xls") << "C:/Daten/M\u00e4rz.xls" << xls;
        QTest::newRow("last dot counts") << "Maerz.xls.txt" << text;
        QTest::newRow("only an extension") << ".xls" << xls;
        QTest::newRow("capitals") << "Maerz.TXT" << none;
        QTest::newRow("mixed case") << "Maerz.Xls" << none;
        QTest::newRow("xlsx") << "Maerz.xlsx" << none;
        QTest::newRow("trailing dot") << "Maerz.txt." << none;
        QTest::newRow("no dot") << "Maerz" << none;
        QTest::newRow("dot in a folder name only") << "/tmp/a.txt/Maerz" << none;
    }
    void format()
    {
        QFETCH(QString, fileName);
        QFETCH(int, format);
        QCOMPARE(int(ExportFormatOf(fileName)), format);
    }

    void text_headerThenOneCrLfLinePerConnection()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Maerz.txt");
        ExportText(path, twoConnections());
        QCOMPARE(readAll(path), QByteArray("Datum\tStart\tEnde\tTarif\tKosten\r\n"
                                           "01.03.05\t10:00:00\t10:05:23\tNacht\x80\x81\t0,37\r\n"
                                           "01.04.05\t00:00:00\t00:10:00\t\t145\r\n"));
    }

    void xls_oneConnection_byteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Maerz.xls");
        ExportXls(path, {twoConnections()[0]});
        const QByteArray expected = QByteArray::fromHex("0900040000001000"           // BOF
                                                        "000008000000010000000500"   // DIMENSIONS 1 x 5
                                                        "0400100000000000000000"
                                                        "08")   // LABEL (0, 0)
                                    + "01.03.05"
                                    + QByteArray::fromHex("0400100000000100000000"
                                                          "08")
                                    + "10:00:00"
                                    + QByteArray::fromHex("0400100000000200000000"
                                                          "08")
                                    + "10:05:23"
                                    + QByteArray::fromHex("04000f0000000300000000"
                                                          "07")
                                    + "Nacht\x80\x81"
                                    + QByteArray::fromHex("03000f0000000400000000"
                                                          "ae47e17a14aed73f"   // NUMBER 0.37
                                                          "0a000000");         // EOF
        QCOMPARE(readAll(path).toHex(), expected.toHex());
        QCOMPARE(expected.size(), 91 + 8 + 8 + 8 + 7);
    }

    void xls_labelsRowByRowThenTheNumbers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Maerz.xls");
        ExportXls(path, twoConnections());
        QCOMPARE(recordSequence(readAll(path)), QStringList({"BOF", "DIMENSIONS", "L0,0", "L0,1", "L0,2", "L0,3",
                                                             "L1,0", "L1,1", "L1,2", "L1,3", "N0,4", "N1,4", "EOF"}));
    }

    void emptyMonth_headerAloneOrBofDimensionsEof()
    {
        QTemporaryDir dir;
        ExportText(dir.filePath("leer.txt"), {});
        QCOMPARE(readAll(dir.filePath("leer.txt")), QByteArray("Datum\tStart\tEnde\tTarif\tKosten\r\n"));
        ExportXls(dir.filePath("leer.xls"), {});
        QCOMPARE(readAll(dir.filePath("leer.xls")).toHex(), QByteArray("0900040000001000"
                                                                       "000008000000000000000500"
                                                                       "0a000000"));
    }

    void failures_frameworkTexts_data()
    {
        QTest::addColumn<Exporter>("exporter");
        QTest::addColumn<QString>("path");   // "%1" is a temporary folder
        QTest::addColumn<QString>("message");
        QTest::newRow("text, missing folder") << Exporter(ExportText) << "%1/fehlt/a.txt"
                                              << "I/O error 2";
        QTest::newRow("text, disk full") << Exporter(ExportText) << "/dev/full"
                                         << "I/O error 28";
        QTest::newRow("xls, missing folder") << Exporter(ExportXls) << "%1/fehlt/a.xls"
                                             << "Cannot create file %1/fehlt/a.xls: No such file or directory";
        QTest::newRow("xls, disk full") << Exporter(ExportXls) << "/dev/full"
                                        << "Stream write error";
    }
    void failures_frameworkTexts()
    {
        QFETCH(Exporter, exporter);
        QFETCH(QString, path);
        QFETCH(QString, message);
        QTemporaryDir dir;
        path = path.arg(dir.path());
        QCOMPARE(thrownMessage([&] { exporter(path, twoConnections()); }),
                 message.arg(QDir::toNativeSeparators(dir.path())));
    }

    void failedWrite_keepsWhatWasWritten_data()
    {
        QTest::addColumn<Exporter>("exporter");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << Exporter(ExportText) << "I/O error 27";   // EFBIG
        QTest::newRow("xls") << Exporter(ExportXls) << "Stream write error";
    }
    void failedWrite_keepsWhatWasWritten()
    {
        QFETCH(Exporter, exporter);
        QFETCH(QString, message);
        QTemporaryDir dir;
        exporter(dir.filePath("whole"), twoConnections());
        const QByteArray whole = readAll(dir.filePath("whole"));
        QString thrown;
        {
            FileSizeLimit limit(50);   // past the header line, inside the first connection
            QVERIFY(limit.active());
            thrown = thrownMessage([&] { exporter(dir.filePath("cut"), twoConnections()); });
        }
        QCOMPARE(thrown, message);
        QCOMPARE(readAll(dir.filePath("cut")), whole.left(50));
    }

    void tooManyRowsForASheet_refusedBeforeTheFileIsTouched()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("gross.xls");
        const std::vector<TVerbindung> records(65536, twoConnections()[0]);
        QCOMPARE(thrownMessage([&] { ExportXls(path, records); }),
                 QStringLiteral("Too many connections for a spreadsheet: 65536 (at most 65535)"));
        QVERIFY(!QFile::exists(path));
    }

    void byName_writesOnlyForTheTwoExtensions()
    {
        QTemporaryDir dir;
        QVERIFY(!ExportByName(dir.filePath("a.TXT"), twoConnections()));
        QVERIFY(!ExportByName(dir.filePath("a.xlsx"), twoConnections()));
        QVERIFY(QDir(dir.path()).isEmpty());
        QVERIFY(ExportByName(dir.filePath("a.xls"), twoConnections()));
        QCOMPARE(readAll(dir.filePath("a.xls")).left(4), QByteArray::fromHex("09000400"));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_eval_export_de.moc"
