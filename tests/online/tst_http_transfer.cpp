// What THTTPGet sends and what it makes of the answer: the request bytes, the events, the file
// left on disk and the string delivered, against a scripted server on 127.0.0.1.
#include "online/HTTPGet.h"
#include "tests/online/TransferLog.h"
#include "tests/support/http/HttpTestServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray pattern(int size)   // every byte value, line breaks and NULs included
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) b[i] = char(i * 7);
    return b;
}
}

class TestHttpTransfer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString target(const QString &name)   // holds "old", which a refused answer leaves alone
    {
        QFile f(m_dir.filePath(name));
        if (!name.contains('/') && f.open(QIODevice::WriteOnly)) f.write("old");
        return f.fileName();
    }

    // Runs the transfer to its end: exactly one final event, every event on the main thread.
    static void finish(THTTPGet &get, TransferLog &log, bool toFile)
    {
        toFile ? get.GetFile() : get.GetString();
        QTRY_VERIFY_WITH_TIMEOUT(!log.endings().isEmpty(), kWaitMs);
        QCoreApplication::processEvents();
        QCOMPARE(log.endings().size(), 1);
        QVERIFY(!log.offMainThread && !log.senderWasComponent);
    }

private Q_SLOTS:
    void cleanup() { SetHTTPCertificateAuthorities(QString()); }

    void request_data()
    {
        QTest::addColumn<QString>("url");         // %1: the server's host and port
        QTest::addColumn<QStringList>("props");   // Agent, Referer, AcceptTypes, PostQuery, UserName, Password
        QTest::addColumn<bool>("useCache");
        QTest::addColumn<int>("tls");               // 1: the server's certificate trusted, 2: not
        QTest::addColumn<QByteArray>("expected");   // PORT: the server's port; empty: nothing is sent
        const QStringList defaults{"Vorlix HTTPGet", "", "*/*", "", "", ""};
        const QByteArray plain = "GET /a/b.txt HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nUser-Agent: Vorlix HTTPGet\r\n"
                                 "Accept: */*\r\nPragma: no-cache\r\n\r\n";
        QTest::newRow("prefix in capitals") << "HTTP://%1/a/b.txt" << defaults << false << 0 << plain;
        QTest::newRow("no prefix") << "%1/a/b.txt" << defaults << false << 0 << plain;
        QTest::newRow("over TLS") << "HTTPS://%1/a/b.txt" << defaults << false << 1 << plain;
        QTest::newRow("over TLS, certificate not trusted")
            << "https://%1/a/b.txt" << defaults << false << 2 << QByteArray();
        QTest::newRow("no agent, referrer, own types, cache allowed")
            << "%1/r" << QStringList{"", "http://example.org/from", "text/plain, text/html", "", "", ""} << true << 0
            << QByteArray("GET /r HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nReferer: http://example.org/from\r\n"
                          "Accept: text/plain, text/html\r\n\r\n");
        QTest::newRow("no accept types")
            << "%1/r" << QStringList{"A", "", "", "", "", ""} << true << 0
            << QByteArray("GET /r HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nUser-Agent: A\r\nAccept:\r\n\r\n");
        QTest::newRow("form body makes a POST")
            << "%1/f.php" << QStringList{"Minutrix 2 Feedback", "", "*/*", "mail=a%40b&mes=x", "", ""} << false << 0
            << QByteArray("POST /f.php HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nUser-Agent: Minutrix 2 Feedback\r\n"
                          "Accept: */*\r\nPragma: no-cache\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                          "Content-Length: 16\r\n\r\nmail=a%40b&mes=x");
        QTest::newRow("basic authentication")
            << "%1/p" << QStringList{"", "", "*/*", "", "user", "pass"} << true << 0
            << QByteArray("GET /p HTTP/1.0\r\nHost: 127.0.0.1:PORT\r\nAuthorization: Basic dXNlcjpwYXNz\r\n"
                          "Accept: */*\r\n\r\n");
        QTest::newRow("line break in the agent")
            << "%1/a" << QStringList{"A\r\nX-Evil: 1", "", "*/*", "", "", ""} << false << 0 << QByteArray();
    }
    void request()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, props);
        QFETCH(int, tls);
        QFETCH(QByteArray, expected);
        HttpTestServer server(tls != 0);
        server.answer(HttpResponse("200 OK", "fine"));
        if (tls == 1) SetHTTPCertificateAuthorities(HttpTestServer::certificateFile());
        THTTPGet get;
        get.URL = url.arg(server.url(QString()));
        get.Agent = props[0];
        get.Referer = props[1];
        get.AcceptTypes = props[2];
        get.PostQuery = props[3];
        get.UserName = props[4];
        get.Password = props[5];
        QFETCH(bool, useCache);
        get.UseCache = useCache;
        TransferLog log(get);
        finish(get, log, false);
        QCOMPARE(server.received.value(0), expected.replace("PORT", QByteArray::number(server.port())));
        QCOMPARE(log.endings(), QStringList{expected.isEmpty() ? "error" : "string"});
        if (!expected.isEmpty()) QCOMPARE(log.result, "fine");
    }

    void outcome_data()
    {
        QTest::addColumn<QByteArrayList>("responses");
        QTest::addColumn<bool>("toFile");
        QTest::addColumn<bool>("binary");
        QTest::addColumn<QString>("name");   // of the target file
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QByteArray>("stored");   // in the file, or the string delivered
        QTest::addColumn<int>("totalSize");
        QTest::addColumn<int>("readed");
        const auto row = [](const char *name, const QByteArrayList &responses, bool toFile, bool binary,
                            const char *outcome, const QByteArray &stored, int totalSize, int readed,
                            const QString &file = "target.bin") {
            QTest::newRow(name) << responses << toFile << binary << file << outcome << stored << totalSize << readed;
        };
        const QByteArray b = pattern(3000), ok = HttpResponse("200 OK", b), noLength = HttpResponse("200 OK", b, false),
                         chunked = ChunkedResponse(b), empty = HttpResponse("200 OK", ""),
                         early = "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + b.left(2000);
        const qsizetype cut = chunked.indexOf("\r\n\r\n") + 4 + 2 * (5 + 1000 + 2) + 5 + 500;   // 2500 body bytes
        row("file", {ok}, true, false, "file", b, 3000, 3000);
        row("file, no length", {noLength}, true, false, "error", b, 0, 3000);
        row("file, no length, binary", {noLength}, true, true, "error", "old", 0, 0);
        row("file, chunked", {chunked}, true, false, "error", b, 0, 3000);
        row("file, closing early", {early}, true, false, "error", b.left(2000), 5000, 2000);
        row("file, 404", {HttpResponse("404 Not Found", "<html>gone</html>")}, true, false, "error", "old", 0, 0);
        row("file, empty", {empty}, true, false, "error", "", 0, 0);
        row("file, length not a number", {"HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\n" + b}, true, false, "error",
            "old", 0, 0);
        row("file, after a redirect", {"HTTP/1.0 302 Found\r\nLocation: /moved\r\nContent-Length: 0\r\n\r\n", ok}, true,
            false, "file", b, 3000, 3000);
        row("file, cannot be created", {ok}, true, false, "error", "", 0, 0, "missing/target.bin");
        row("string", {ok}, false, false, "string", b, 3000, 3000);
        row("string, no length", {noLength}, false, false, "string", b, 0, 3000);
        row("string, no length, binary", {noLength}, false, true, "error", "", 0, 0);
        row("string, empty", {empty}, false, false, "error", "", 0, 0);
        row("string, closing early", {early}, false, false, "error", "", 5000, 2000);
        row("string, chunked", {chunked}, false, false, "string", b, 0, 3000);
        row("string, chunked and cut", {chunked.left(cut)}, false, false, "error", "", 0, 2500);
    }
    void outcome()
    {
        QFETCH(QByteArrayList, responses);
        QFETCH(bool, toFile);
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        HttpTestServer server;
        for (const QByteArray &r : responses) server.answer(r);
        THTTPGet get;
        get.URL = server.url("/file.bin");
        get.FileName = target(name);
        QFETCH(bool, binary);
        get.BinaryData = binary;
        TransferLog log(get);
        finish(get, log, toFile);
        QFETCH(QString, outcome);
        QCOMPARE(log.endings(),
                 QStringList{outcome == "file" ? QString("file %1 %2").arg(get.FileName).arg(stored.size()) : outcome});
        qint32 last = 0;
        for (const auto &[total, readed] : log.progress) {   // blocks of at most 1025 bytes, one length
            QTEST(total, "totalSize");
            QVERIFY2(readed > last && readed - last <= 1025, qPrintable(QString("%1 after %2").arg(readed).arg(last)));
            last = readed;
        }
        QTEST(log.readed(), "readed");
        QFile file(get.FileName);
        if (name.contains('/'))
            QVERIFY(!file.exists());
        else if (toFile)
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == stored);
        else
            QCOMPARE(log.result, stored);
    }

    // Redirects go up to https, never down; the second server serves what a wrong one would fetch.
    void redirect_upToHttpsOnly()
    {
        SetHTTPCertificateAuthorities(HttpTestServer::certificateFile());
        for (const bool tls : {false, true}) {
            HttpTestServer first(tls), second(!tls);
            first.answer("HTTP/1.0 302 Found\r\nLocation: http" + QByteArray(tls ? "" : "s")
                         + "://127.0.0.1:" + QByteArray::number(second.port()) + "/s\r\n\r\n");
            second.answer(HttpResponse("200 OK", "second"));
            THTTPGet get;
            get.URL = (tls ? "https://" : "") + first.url("/f");
            TransferLog log(get);
            finish(get, log, false);
            QCOMPARE(log.result, tls ? "" : "second");
        }
    }

    void drip_failsWhenStalled()
    {
        HttpTestServer server;
        server.answer(
            TScriptedResponse{HttpResponse("200 OK", "five bytes a second"), -1, 1, 200, 39});   // after the head
        THTTPGet get;
        get.URL = server.url("/drip");
        get.StallTimeout = 2;
        TransferLog log(get);
        finish(get, log, false);
        QCOMPARE(log.endings(), QStringList{"error"});
    }

    // Nothing answers: the empty target is made all the same, unless BinaryData keeps it from being read.
    void unreachable_data()
    {
        QTest::addColumn<bool>("bareHost");
        QTest::addColumn<bool>("binary");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("closed port") << false << false << QByteArray();
        QTest::newRow("closed port, binary") << false << true << QByteArray("old");
        QTest::newRow("bare host name") << true << false << QByteArray();
    }
    void unreachable()
    {
        QFETCH(bool, bareHost);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        THTTPGet get;
        get.URL = bareHost ? "127.0.0.1" : QString("127.0.0.1:%1/x").arg(closed.serverPort());
        closed.close();
        get.FileName = target("target.bin");
        QFETCH(bool, binary);
        get.BinaryData = binary;
        TransferLog log(get);
        finish(get, log, true);
        QCOMPARE(log.events, QStringList{"error"});
        QFile file(get.FileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTEST(file.readAll(), "stored");
    }
};

QTEST_GUILESS_MAIN(TestHttpTransfer)
#include "tst_http_transfer.moc"
