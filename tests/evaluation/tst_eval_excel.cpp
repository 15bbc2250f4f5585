// The BIFF2 records byte for byte, from the record table: type, body length, body, little-endian.
#include "CoreFakes.h"
#include "Excel.h"

#include <QBuffer>
#include <QTest>
#include <functional>

namespace {
using Writer = std::function<void(QIODevice &)>;

QByteArray written(const Writer &write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}
}

class TestExcel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void records_data()
    {
        QTest::addColumn<Writer>("write");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("BOF of the export")
            << Writer([](QIODevice &s) { WriteBofRecord(s, 0); }) << QByteArray::fromHex("0900040000001000");
        QTest::newRow("BOF version in the low byte")
            << Writer([](QIODevice &s) { WriteBofRecord(s, 7); }) << QByteArray::fromHex("0900040007001000");
        QTest::newRow("DIMENSIONS 3 x 5") << Writer([](QIODevice &s) { WriteDimensionsRecord(s, 3, 5); })
                                          << QByteArray::fromHex("00000800"
                                                                 "0000"
                                                                 "0300"
                                                                 "0000"
                                                                 "0500");
        QTest::newRow("DIMENSIONS of the largest sheet")
            << Writer([](QIODevice &s) { WriteDimensionsRecord(s, 65535, 5); })
            << QByteArray::fromHex("00000800"
                                   "0000"
                                   "ffff"
                                   "0000"
                                   "0500");
        QTest::newRow("LABEL abc in row 0") << Writer([](QIODevice &s) { WriteLabelCell(s, 3, 0, "abc"); })
                                            << QByteArray::fromHex("04000b00000003000000000361"
                                                                   "6263");
        QTest::newRow("LABEL: column word after the row word")
            << Writer([](QIODevice &s) { WriteLabelCell(s, 2, 0x0102, "\x80"); })
            << QByteArray::fromHex("0400"
                                   "0900"
                                   "0201"
                                   "0200"
                                   "000000"
                                   "01"
                                   "80");
        QTest::newRow("LABEL empty") << Writer([](QIODevice &s) { WriteLabelCell(s, 0, 0, ""); })
                                     << QByteArray::fromHex("04000800"
                                                            "0000"
                                                            "0000"
                                                            "000000"
                                                            "00");
        // 0.37 = 0x3FD7AE147AE147AE
        QTest::newRow("NUMBER 0.37 at (1, 4)") << Writer([](QIODevice &s) { WriteNumberCell(s, 4, 1, 0.37); })
                                               << QByteArray::fromHex("03000f00"
                                                                      "0100"
                                                                      "0400"
                                                                      "000000"
                                                                      "ae47e17a14aed73f");
        QTest::newRow("EOF") << Writer([](QIODevice &s) { WriteEofRecord(s); }) << QByteArray::fromHex("0a000000");
    }
    void records()
    {
        QFETCH(Writer, write);
        QFETCH(QByteArray, bytes);
        QCOMPARE(written(write).toHex(), bytes.toHex());
    }

    void longLabel_cutToWhatItsLengthByteHolds()
    {
        const QByteArray label = written([](QIODevice &s) { WriteLabelCell(s, 0, 0, QByteArray(300, 'x')); });
        QCOMPARE(label.size(), 4 + 8 + MaxLabelLength);
        QCOMPARE(quint8(label[11]), quint8(MaxLabelLength));
        QCOMPARE(label.mid(2, 2), QByteArray::fromHex("0701"));   // body length 8 + 255
    }

    void outOfRange_refusedWithoutWriting_data()
    {
        QTest::addColumn<Writer>("write");
        QTest::newRow("row 65535") << Writer([](QIODevice &s) { WriteNumberCell(s, 0, 65535, 1); });
        QTest::newRow("negative row") << Writer([](QIODevice &s) { WriteLabelCell(s, 0, -1, "a"); });
        QTest::newRow("column 65535") << Writer([](QIODevice &s) { WriteLabelCell(s, 65535, 0, "a"); });
        QTest::newRow("65536 rows") << Writer([](QIODevice &s) { WriteDimensionsRecord(s, 65536, 5); });
    }
    void outOfRange_refusedWithoutWriting()
    {
        QFETCH(Writer, write);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(thrownMessage([&] { write(buffer); }).contains(QLatin1String("out of range")));
        QVERIFY(bytes.isEmpty());
    }

    void streamRefusingBytes_streamWriteError()
    {
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        QCOMPARE(thrownMessage([&] { WriteEofRecord(readOnly); }), QStringLiteral("Stream write error"));
    }
};

QTEST_GUILESS_MAIN(TestExcel)
#include "tst_eval_excel.moc"
