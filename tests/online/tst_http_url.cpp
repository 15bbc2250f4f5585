// How a URL is split into host, port and path, and what libcurl is given for it.
#include "online/HTTPUrl.h"

#include <QTest>

class TestHttpUrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("curl");   // the port written out; empty: nothing to connect to
        QTest::newRow("prefix in capitals") << "HTTP://www.example.org/a/b.txt"
                                            << "www.example.org"
                                            << "/a/b.txt" << QByteArray("http://www.example.org:80/a/b.txt");
        QTest::newRow("bare host name") << "www.example.org"
                                        << ""
                                        << "www.example.org" << QByteArray();
        QTest::newRow("host and port") << "127.0.0.1:8080/x"
                                       << "127.0.0.1"
                                       << "/x" << QByteArray("http://127.0.0.1:8080/x");
        QTest::newRow("https in mixed case") << "HtTpS://example.org/s"
                                             << "example.org"
                                             << "/s" << QByteArray("https://example.org:443/s");
        QTest::newRow("https with port") << "https://[::1]:8443/"
                                         << "[::1]"
                                         << "/" << QByteArray("https://[::1]:8443/");
        QTest::newRow("port out of range") << "h:65536/"
                                           << "h"
                                           << "/" << QByteArray();
        QTest::newRow("credentials in the host") << "user@h/"
                                                 << "user@h"
                                                 << "/" << QByteArray();
        QTest::newRow("unsafe path bytes encoded")
            << "h/a b/../c?x=\r\nHost: evil&ü"
            << "h"
            << "/a b/../c?x=\r\nHost: evil&ü" << QByteArray("http://h:80/a%20b/../c?x=%0D%0AHost:%20evil&%C3%BC");
    }
    void split()
    {
        QFETCH(QString, url);
        const THTTPTarget t = SplitURL(url);
        QTEST(t.Host, "host");
        QTEST(t.Path, "path");
        QTEST(CurlURL(t), "curl");
    }
};

QTEST_GUILESS_MAIN(TestHttpUrl)
#include "tst_http_url.moc"
