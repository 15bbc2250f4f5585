// The auto-update window against a server of our own: the description shown line by line, the
// setup downloaded with the bar moving, the install box in a real modal loop, the setup opened and
// the program's event loop ended; failed downloads leave no file behind.
#include "core/Language.h"
#include "online/window/OnlineUrls.h"
#include "online/window/Update.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/ShownTexts.h"
#include "tests/support/WhenModal.h"
#include "tests/support/http/HttpTestServer.h"
#include "ui/MessageBox.h"
#include "ui/Shell.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {
const QString ErrorLine = QStringLiteral("Error while downloading  ---  Fehler beim Download");

QByteArray Request(const HttpTestServer &server, const char *file)
{
    return "GET /downloads/minutrix/" + QByteArray(file)
           + " HTTP/1.0\r\nHost: 127.0.0.1:" + QByteArray::number(server.port())
           + "\r\nUser-Agent: Minutrix Auto-Update 2.0\r\nAccept: */*\r\nPragma: no-cache\r\n\r\n";
}

QStringList MemoLines(const TAutoupdate &w) { return w.Memo1->toPlainText().split(QLatin1Char('\n')); }

// What the panel's picture shows, decoded from a file.
bool ShowsPicture(TAutoupdate &w, const QString &file)
{
    w.showPicture(file);
    return w.Image1->pixmap().isNull() == false && w.Image1->width() == 126;
}
}

class TestUpdate : public QObject
{
    Q_OBJECT
    HttpTestServer *server = nullptr;

private Q_SLOTS:
    void init()
    {
        Shell::SetTestMode(true);
        Shell::Opened().clear();
        server = new HttpTestServer;
        UpdateBaseURL = server->url(QString());
    }
    void cleanup()
    {
        delete server;
        Shell::SetTestMode(false);
    }

    void checkAndInstall_opensTheSetupAndEndsTheProgram()
    {
        TempProgramDir dir;
        const QByteArray setup(60000, 'S');
        server->answer(HttpResponse("200 OK", "Minutrix 2.1\r\nNeu: Feiertage 2027\r\n\xc4nderungen"));
        server->answer(TScriptedResponse{HttpResponse("200 OK", setup), -1, 5000, 5});
        TAutoupdate update;
        QList<int> bar;
        connect(update.ProgressBar1, &QProgressBar::valueChanged, [&bar](int v) { bar << v; });

        // The user: checks, reads, installs, and dismisses the box; all in real modal loops.
        QStringList description, beforeBox;
        QString boxText;
        bool openedBeforeBox = true;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                boxText = box->text();
                beforeBox = MemoLines(update);
                openedBeforeBox = !Shell::Opened().isEmpty();
                box->accept();
            } else if (modal == &update && description.isEmpty() && update.SpeedButton2->isEnabled()) {
                description = MemoLines(update);
                update.SpeedButton2->click();
            } else if (modal == &update && server->received.isEmpty()) {
                update.SpeedButton1->click();
                QCOMPARE(MemoLines(update), QStringList{QStringLiteral("Downloading...")});
            }
        });
        user.start(10);
        QCOMPARE(RunApplicationLoop([&update] { update.exec(); }), 0);   // the window ended the program's loop
        user.stop();

        QCOMPARE(description, (QStringList{"Minutrix 2.1", "Neu: Feiertage 2027", QStringLiteral("Änderungen")}));
        QCOMPARE(server->received,
                 (QList<QByteArray>{Request(*server, "DownloadInfo.txt"), Request(*server, "MinutrSetup.exe")}));
        QCOMPARE(beforeBox, QStringList{QStringLiteral("Installing...")});
        QCOMPARE(boxText, W_InstallNewAndClose);
        QVERIFY(!openedBeforeBox);   // opened only once the box is dismissed
        QCOMPARE(Shell::Opened(), QStringList{SetupFile()});
        QCOMPARE(dir.read("Temp/Minutr.exe"), setup);
        QVERIFY(!QFileInfo::exists(PartialName(SetupFile())));
        QVERIFY(bar.size() > 2);   // the bar moved during the download
        QCOMPARE(update.ProgressBar1->maximum(), setup.size());
        QCOMPARE(bar.last(), setup.size());
    }

    // The two downloads, each against a server that fails it in its own way.
    void failedDownload_leavesNoFileAndTheButtonsAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::newRow("404") << HttpResponse("404 Not Found", "<html>Not Found</html>");
        QTest::newRow("no content length") << HttpResponse("200 OK", "MZ setup", false);
        QTest::newRow("closed early") << HttpResponse("200 OK", QByteArray(5000, 'S')).chopped(2000);
        QTest::newRow("empty") << HttpResponse("200 OK", "");
        QTest::newRow("206, ten bytes of a range") << HttpResponse("206 Partial Content", "MZ34567890");
        QTest::newRow("over 64 MiB") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 67108865\r\n\r\nMZ");
        QTest::newRow("redirect, another port")
            << QByteArray("HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:OTHER/\r\n\r\n");
    }
    void failedDownload_leavesNoFileAndTheButtonsAsTheyWere()
    {
        QFETCH(QByteArray, response);
        TempProgramDir dir;
        TAutoupdate update;
        HttpTestServer other;   // where a wrong redirect would go
        response.replace("OTHER", QByteArray::number(other.port()));

        server->answer(response);
        update.SpeedButton1->click();
        QTRY_COMPARE(MemoLines(update), (QStringList{QStringLiteral("Downloading..."), ErrorLine}));
        QVERIFY(!update.SpeedButton2->isEnabled());
        QVERIFY(!QFileInfo::exists(DownloadInfoFile()));

        server->answer(HttpResponse("200 OK", "2.1"));
        update.SpeedButton1->click();
        QTRY_VERIFY(update.SpeedButton2->isEnabled());
        server->answer(response);
        update.SpeedButton2->click();
        QTRY_COMPARE(MemoLines(update).last(), ErrorLine);
        QCOMPARE(MemoLines(update), (QStringList{"2.1", "Downloading new Minutrix Version...", ErrorLine}));
        QVERIFY(!update.SpeedButton1->isEnabled());
        QVERIFY(!update.SpeedButton2->isEnabled());
        QVERIFY(!QFileInfo::exists(SetupFile()));
        QVERIFY(QDir(dir.file("Temp")).isEmpty());   // nothing a later run could take for a setup
        QVERIFY(Shell::Opened().isEmpty());
        QVERIFY(other.received.isEmpty());
    }

    // Whatever the description, a timer's ticks keep coming while it is fetched, refused or shown.
    void bigDescription_theEventLoopKeepsMoving_data()
    {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QString>("first");   // the memo's first line
        QTest::addColumn<int>("count");       // of its lines
        QTest::newRow("1 MiB in one line") << QByteArray(1 << 20, 'x') << "Downloading..." << 2;   // and the error
        QTest::newRow("64 KiB in one line") << QByteArray(64 * 1024, 'x') << QString(1000, 'x') << 1;
        QTest::newRow("64 KiB of short lines") << QByteArray("x\n").repeated(32 * 1024) << "x" << 1000;
    }
    void bigDescription_theEventLoopKeepsMoving()
    {
        QFETCH(QByteArray, description);
        TempProgramDir dir;
        TAutoupdate update;
        server->answer(HttpResponse("200 OK", description));
        QElapsedTimer clock;
        qint64 last = -1, worst = 0, doneAt = -1;
        QTimer ticks;   // checks once the window is open, measures from then on
        connect(&ticks, &QTimer::timeout, [&] {
            if (last < 0) {
                update.SpeedButton1->click();
                clock.start();
            }
            const qint64 now = clock.elapsed();
            worst = std::max(worst, now - std::exchange(last, now));
            if (doneAt < 0 && update.Memo1->blockCount() + update.SpeedButton2->isEnabled() > 1) doneAt = now;
            if (doneAt >= 0 && now - doneAt > 300) update.reject();   // drawn a few times by then
        });
        ticks.start(5);
        QTimer::singleShot(20000, &update, &QDialog::reject);   // a safety net only
        update.exec();
        QVERIFY2(worst <= 50, qPrintable(QString("a tick waited %1 ms").arg(worst)));
        const QStringList lines = MemoLines(update);
        QTEST(lines.first(), "first");
        QTEST(int(lines.size()), "count");
        QCOMPARE(QFileInfo::exists(DownloadInfoFile()), lines.last() != ErrorLine);
    }

    // Closing the window, or the program's end, stops the download and leaves no partial file.
    void closingDuringDownload_removesThePartialFile()
    {
        for (const bool programEnds : {false, true}) {
            TempProgramDir dir;
            auto *update = new TAutoupdate;
            const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Length: 10000\r\n\r\n";
            server->answer(TScriptedResponse{head + QByteArray(10000, 'h'), head.size() + 3000});
            update->SpeedButton1->click();
            QTRY_COMPARE(update->ProgressBar1->value(), 3000);
            programEnds ? delete std::exchange(update, nullptr) : update->SpeedButton3->click();
            QVERIFY(QDir(dir.file(QString())).entryList(QDir::Files).isEmpty());
            QTRY_COMPARE(server->disconnected, int(programEnds) + 1);
            delete update;
        }
    }

    // The setup is opened only when it is the one described and no logout came; the program ends then.
    void install_data()
    {
        QTest::addColumn<QByteArray>("checksum");
        QTest::addColumn<int>("trouble");   // 1: the opener fails, 2: a logout during the box
        QTest::addColumn<bool>("kept");     // the setup checked and left in Temp
        const QByteArray sha = QCryptographicHash::hash(QByteArray(5000, 'S'), QCryptographicHash::Sha256).toHex();
        QTest::newRow("no checksum") << QByteArray() << 0 << true;
        QTest::newRow("checksum matches") << "SHA256: " + sha.toUpper() << 0 << true;
        QTest::newRow("checksum differs") << "SHA256: " + sha.right(1) + sha.chopped(1) << 0 << false;
        QTest::newRow("the opener fails") << QByteArray() << 1 << true;
        QTest::newRow("logout during the box") << QByteArray() << 2 << true;
    }
    void install()
    {
        QFETCH(QByteArray, checksum);
        QFETCH(int, trouble);
        QFETCH(bool, kept);
        TempProgramDir dir;
        MessageBox::SetTestMode(trouble != 2);
        Shell::SetOpenFails(trouble == 1);
        server->answer(HttpResponse("200 OK", "Minutrix 2.1\r\n" + checksum + "\r\n"));
        server->answer(HttpResponse("200 OK", QByteArray(5000, 'S')));
        TAutoupdate update;
        update.SpeedButton1->click();
        QTRY_VERIFY(update.SpeedButton2->isEnabled());
        if (trouble == 2)
            WhenModal([](QWidget *) { MessageBox::SetProgramEnding(true); });   // a logout, during the box
        const QString last = kept ? QStringLiteral("Installing...") : ErrorLine;
        const int ended = RunApplicationLoop([&update] { update.SpeedButton2->click(); },
                                             [&] { return MemoLines(update).last() == last; });
        QCOMPARE(ended == 0, kept && trouble == 0);
        QCOMPARE(MemoLines(update).last(), last);
        QCOMPARE(QFileInfo::exists(SetupFile()), kept);
        QCOMPARE(Shell::Opened(), kept && trouble < 2 ? QStringList{SetupFile()} : QStringList());
        QCOMPARE(ShownTexts().join("").contains(SetupFile()), trouble == 1);
        Shell::SetOpenFails(false);
        MessageBox::SetTestMode(false);
    }

    // A second check while the first runs starts no download; the description stays when the
    // window is closed and opened again.
    void secondCheckWhileDownloading_andReopening()
    {
        TempProgramDir dir;
        TAutoupdate update;
        server->answer(TScriptedResponse{HttpResponse("200 OK", "2.1\n"), -1, 3, 30});   // slow
        update.SpeedButton1->click();
        QTRY_COMPARE(server->received.size(), 1);
        update.SpeedButton1->click();
        QCOMPARE(MemoLines(update), QStringList{QStringLiteral("Downloading...")});
        QTRY_VERIFY(update.SpeedButton2->isEnabled());
        QCOMPARE(server->received.size(), 1);
        WhenModal([](QWidget *w) { static_cast<TAutoupdate *>(w)->SpeedButton3->click(); });
        update.exec();
        QVERIFY(update.SpeedButton2->isEnabled());
        QCOMPARE(update.Memo1->toPlainText(), QStringLiteral("2.1\n"));
    }

    void picture_damagedShowsNothing()
    {
        TempProgramDir dir;
        TAutoupdate update;
        QVERIFY(ShowsPicture(update, QStringLiteral(":/update.jpg")));
        QFile resource(QStringLiteral(":/update.jpg"));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray jpeg = resource.readAll();
        QByteArray flipped = jpeg;
        for (qsizetype i = jpeg.size() / 2; i < jpeg.size() / 2 + 64; ++i) flipped[i] = char(~flipped[i]);
        for (const auto &[name, bytes] :
             {std::pair{"truncated", jpeg.left(jpeg.size() / 2)}, std::pair{"header only", jpeg.left(200)},
              std::pair{"scrambled", flipped}, std::pair{"not a JPEG", QByteArray("GIF89a")},
              std::pair{"empty", QByteArray()}}) {
            dir.write(QLatin1String(name), bytes);
            QVERIFY2(!ShowsPicture(update, dir.file(QLatin1String(name))), name);
        }
    }
};

QTEST_MAIN(TestUpdate)
#include "tst_gui_update.moc"
