// The byte-level reading and writing of RAS structure members.
#include "dialup/Ras.h"

#include <QTest>

#include <vector>

class TestRasLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readString_data()
    {
        QTest::addColumn<QByteArray>("member");   // the member's bytes, as long as its capacity
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("NUL-terminated") << QByteArray("ttyS0\0junk", 10) << QByteArray("ttyS0");
        QTest::newRow("empty") << QByteArray(8, '\0') << QByteArray();
        QTest::newRow("NUL in the last byte") << QByteArray("modem\0", 6) << QByteArray("modem");
        QTest::newRow("no NUL: capacity - 1 characters") << QByteArray("abcdefgh") << QByteArray("abcdefg");
        QTest::newRow("one byte member") << QByteArray("x") << QByteArray();
    }
    void readString()
    {
        QFETCH(QByteArray, member);
        QFETCH(QByteArray, expected);
        // A heap copy of exactly the member's size: a read past it shows under the sanitizers.
        std::vector<char> bytes(member.begin(), member.end());
        QCOMPARE(QByteArray::fromStdString(ReadRasString(bytes.data(), bytes.size())), expected);
    }

    void writeString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("member");
        QTest::newRow("fits") << QByteArray("0192") << 6 << QByteArray("0192\0\xAA", 6);
        QTest::newRow("exactly capacity - 1") << QByteArray("01926") << 6 << QByteArray("01926\0", 6);
        QTest::newRow("cut to capacity - 1") << QByteArray("0192658") << 6 << QByteArray("01926\0", 6);
        QTest::newRow("empty") << QByteArray() << 3 << QByteArray("\0\xAA\xAA", 3);
    }
    void writeString()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, member);
        std::vector<char> bytes(std::size_t(capacity), '\xAA');
        WriteRasString(bytes.data(), bytes.size(), std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(QByteArray(bytes.data(), capacity), member);
    }

    void dword_isLittleEndian()
    {
        unsigned char b[4] = {};
        WriteRasDword(b, 0x2001);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(b), 4), QByteArray("\x01\x20\x00\x00", 4));
        const unsigned char size[4] = {0xE8, 0x06, 0, 0};
        QCOMPARE(ReadRasDword(size), RasDword(1768));
    }

    void handle_roundTripsAtPointerSize()
    {
        std::vector<unsigned char> b(RasLayout::HandleBytes + 1, 0xEE);
        const RasHandle h = sizeof(void *) == 8 ? RasHandle(0x0102030405060708ull) : RasHandle(0x01020304u);
        WriteRasHandle(b.data(), h);
        QCOMPARE(ReadRasHandle(b.data()), h);
        QCOMPARE(b[0], static_cast<unsigned char>(h & 0xFF));   // least significant byte first
        QCOMPARE(b.back(), static_cast<unsigned char>(0xEE));   // nothing written past the handle
    }

    // RASCONNA as the platform declares it for each handle width (packing 4): the published
    // 412 bytes with a 4-byte handle, 416 with an 8-byte one.
    void rasconn_layoutPerHandleWidth_data()
    {
        QTest::addColumn<int>("handleBytes");
        QTest::addColumn<int>("szEntryName");
        QTest::addColumn<int>("szDeviceType");
        QTest::addColumn<int>("szDeviceName");
        QTest::addColumn<int>("size");
        QTest::newRow("32-bit") << 4 << 8 << 265 << 282 << 412;
        QTest::newRow("64-bit") << 8 << 12 << 269 << 286 << 416;
    }
    void rasconn_layoutPerHandleWidth()
    {
        QFETCH(int, handleBytes);
        const RasLayout::ConnLayout l = RasLayout::connLayoutFor(std::size_t(handleBytes));
        QTEST(int(l.szEntryName), "szEntryName");
        QTEST(int(l.szDeviceType), "szDeviceType");
        QTEST(int(l.szDeviceName), "szDeviceName");
        QTEST(int(l.size), "size");
    }

    void sizesWritten_areThoseOfTheBuildsPlatform()
    {
        // A 64-bit RAS refuses the 32-bit 412 with ERROR_INVALID_SIZE; only RASCONN differs.
        QCOMPARE(RasLayout::ConnSize, RasDword(sizeof(void *) == 8 ? 416 : 412));
        QCOMPARE(RasLayout::Conn_szDeviceName, RasLayout::connLayoutFor(sizeof(void *)).szDeviceName);
    }
};

QTEST_GUILESS_MAIN(TestRasLayout)
#include "tst_raslayout.moc"
