// When THTTPGet starts, waits, ignores a start, stops and goes away: the WaitThread rules, a
// second start, Abort, destruction mid-transfer and a program ending while a server never answers.
#include "online/HTTPGet.h"
#include "tests/online/TransferLog.h"
#include "tests/support/http/HttpTestServer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Announces 10 000 bytes, sends 3 000 of them and holds the connection open.
TScriptedResponse held()
{
    const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Length: 10000\r\n\r\n";
    return TScriptedResponse{head + QByteArray(10000, 'h'), head.size() + 3000};
}

bool requestArrived(const HttpTestServer &server) { return server.received.value(0).endsWith("\r\n\r\n"); }

QByteArrayList requestLines(const HttpTestServer &server)
{
    QByteArrayList lines;
    for (const QByteArray &r : server.received) lines.append(r.left(r.indexOf("\r\n")));
    return lines;
}
}

class TestHttpLifecycle : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void defaults()
    {
        const THTTPGet get;
        QCOMPARE(QStringList({get.AcceptTypes, get.Agent}), QStringList({"*/*", "Vorlix HTTPGet"}));
        QVERIFY(!get.BinaryData && !get.UseCache && !get.WaitThread);
        QVERIFY((QStringList{get.URL, get.FileName, get.UserName, get.Password, get.PostQuery, get.Referer}.join(""))
                    .isEmpty());
        QVERIFY(!get.OnProgress && !get.OnDoneFile && !get.OnDoneString && !get.OnError);
    }

    // Without WaitThread both start operations return at once; with it GetString handles the
    // events waiting then and returns, GetFile returns after the transfer's last event.
    void waitThread_data()
    {
        QTest::addColumn<bool>("toFile");
        QTest::addColumn<bool>("waitThread");
        QTest::addColumn<QString>("ending");   // right after the call returned
        QTest::newRow("GetFile") << true << false << "";
        QTest::newRow("GetString") << false << false << "";
        QTest::newRow("GetString, WaitThread") << false << true << "";
        QTest::newRow("GetFile, WaitThread") << true << true << "file %1 5000";
    }
    void waitThread()
    {
        HttpTestServer server;   // served by the events GetFile handles while it waits
        server.answer(TScriptedResponse{HttpResponse("200 OK", QByteArray(5000, 'w')), -1, 1000, 10});
        THTTPGet get;
        QFETCH(bool, waitThread);
        get.WaitThread = waitThread;
        get.URL = server.url("/w");
        get.FileName = m_dir.filePath("w");
        TransferLog log(get);
        QFETCH(bool, toFile);
        toFile ? get.GetFile() : get.GetString();
        QFETCH(QString, ending);
        QCOMPARE(log.endings().join(""), ending.arg(get.FileName));
        QTRY_COMPARE_WITH_TIMEOUT(log.endings().size(), 1, kWaitMs);
    }

    void secondStartIgnored_data()
    {
        QTest::addColumn<bool>("fromHandler");
        QTest::newRow("while running") << false;
        QTest::newRow("from the completion handler") << true;
    }
    void secondStartIgnored()
    {
        QFETCH(bool, fromHandler);
        HttpTestServer server;
        const QByteArray ok = HttpResponse("200 OK", "ok");
        server.answer(fromHandler ? TScriptedResponse{ok} : held());
        server.answer(ok);
        server.answer(ok);
        THTTPGet get;
        get.URL = server.url("/first");
        get.FileName = m_dir.filePath("s");
        TransferLog log(get);
        const auto startSecond = [&get] {
            get.URL.replace("/first", "/second");
            get.GetFile();
        };
        if (fromHandler) {
            get.OnDoneFile = [inner = get.OnDoneFile, &startSecond](QObject *s, const QString &f, qint32 n) {
                inner(s, f, n);
                startSecond();
            };
        }
        get.GetFile();
        if (!fromHandler) {
            QTRY_VERIFY_WITH_TIMEOUT(requestArrived(server), kWaitMs);
            startSecond();
            get.Abort();
        }
        QTRY_COMPARE_WITH_TIMEOUT(log.endings().size(), 1, kWaitMs);
        get.URL.replace("/second", "/third");
        get.GetFile();
        QTRY_COMPARE_WITH_TIMEOUT(log.endings().size(), 2, kWaitMs);
        QCOMPARE(requestLines(server), (QByteArrayList{"GET /first HTTP/1.0", "GET /third HTTP/1.0"}));
    }

    // Abort, or the component destroyed: the worker stops and closes its connection, the blocks
    // read so far stay in the file, and a destroyed component hears nothing more.
    void stopMidTransfer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("endings");
        QTest::addColumn<int>("stored");
        QTest::newRow("Abort") << "abort" << QStringList{"error"} << 3000;
        QTest::newRow("destroyed while the body is held") << "destroy" << QStringList() << 3000;
        QTest::newRow("destroyed while never answered") << "never" << QStringList() << 0;
        QTest::newRow("destroyed by the progress handler") << "progress" << QStringList() << 3000;
        QTest::newRow("destroyed by the completion handler") << "done" << QStringList{"file %1 4"} << 4;
    }
    void stopMidTransfer()
    {
        QFETCH(QString, how);
        HttpTestServer server;
        if (how == "done")
            server.answer(HttpResponse("200 OK", "done"));
        else if (how != "never")
            server.answer(held());
        auto *get = new THTTPGet;
        get->URL = server.url("/d");
        const QString file = get->FileName = m_dir.filePath(QTest::currentDataTag());
        TransferLog log(*get);
        const auto destroy = [&get] { delete std::exchange(get, nullptr); };
        if (how == "progress") {
            get->OnProgress = [inner = get->OnProgress, &log, destroy](QObject *s, qint32 t, qint32 r) {
                inner(s, t, r);
                if (log.readed() == 3000) destroy();
            };
        }
        if (how == "done") {
            get->OnDoneFile = [inner = get->OnDoneFile, destroy](QObject *s, const QString &f, qint32 n) {
                inner(s, f, n);
                destroy();
            };
        }
        get->GetFile();
        if (how == "never")
            QTRY_VERIFY_WITH_TIMEOUT(requestArrived(server), kWaitMs);
        else
            QTRY_VERIFY_WITH_TIMEOUT(log.readed() == 3000 || !get, kWaitMs);
        if (how == "abort")
            get->Abort();
        else if (get)
            destroy();
        QTRY_COMPARE_WITH_TIMEOUT(server.disconnected, 1, kWaitMs);
        QFETCH(QStringList, endings);
        QTRY_COMPARE_WITH_TIMEOUT(log.endings().size(), endings.size(), kWaitMs);
        QCoreApplication::processEvents();
        QCOMPARE(log.endings(), endings.replaceInStrings("%1", file));
        if (how == "abort") QCOMPARE(log.events.last(), "error");   // no progress after the stop
        QTEST(int(QFile(file).size()), "stored");
        delete get;
    }

    void exitWhileServerNeverAnswers_data()
    {
        QTest::addColumn<QString>("component");
        QTest::newRow("destroyed before the end") << "destroyed";
        QTest::newRow("outlives the application") << "outlives";
    }
    void exitWhileServerNeverAnswers()
    {
        HttpTestServer server;
        QProcess child;
        QFETCH(QString, component);
        child.start(MINUTRIX_HTTP_CHILD, {server.url("/hang"), component});
        QVERIFY(child.waitForStarted(kWaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(requestArrived(server), kWaitMs);
        child.write("quit\n");
        QVERIFY(child.waitForFinished(kWaitMs));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(server.disconnected, 1, kWaitMs);
    }
};

QTEST_GUILESS_MAIN(TestHttpLifecycle)
#include "tst_http_lifecycle.moc"
