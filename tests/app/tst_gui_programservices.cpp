// What the windows reach through the services app/ hands them rather than through the main window:
// a report while the main window is being created opens the feedback window over it, and the
// auto-update's install ends the program with the main window's shutdown.
#include "app/Windows.h"
#include "core/ErrorReport.h"
#include "core/Language.h"
#include "core/MonatsLog.h"
#include "online/window/Feedback.h"
#include "online/window/OnlineUrls.h"
#include "online/window/Update.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/WhenModal.h"
#include "tests/support/http/HttpTestServer.h"
#include "ui/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestProgramServices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failingLoadDuringStartUp_reportReachesTheServer()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        QDir().mkpath(f.dir.file("TarifDaten.qtd"));   // a folder: LoadTarife fails
        InstallProgramServices();
        HttpTestServer server;
        server.answer(HttpResponse("500 Internal Server Error", "down"));   // the outcome is not looked at
        FeedbackBaseURL = server.url("/");
        QVERIFY(!FeedbackForm);

        MessageBox::SetNextAnswer(MessageBox::Yes);
        QString prefilled;
        WhenModal([&](QWidget *w) {   // the feedback window, in its own modal loop
            auto *form = qobject_cast<TFeedbackForm *>(w);
            if (!form) return;
            prefilled = form->Memo1->toPlainText();
            QTest::keyClicks(form->EMailEdit, QStringLiteral("anna+test@example.org"));
            form->Memo1->insertPlainText(QStringLiteral("Modem hängt & 100% weg *-._=?#~€"));   // at the cursor
            form->BitBtn1->click();
        });
        THauptfenster &w = f.start();   // the report comes while the main window is being created
        QVERIFY(FeedbackForm);
        QCOMPARE(FeedbackForm->parentWidget(), &w);   // opened over the main window
        // The language file is read after the tariffs: the report speaks the built-in texts.
        QCOMPARE(prefilled, QStringLiteral("Error:\n\"") + E_UnknownErrorAt
                                + QStringLiteral("LoadTarife\"\nVersion: 2.0.0 BETA 2\nBeschreibung:\n"));
        QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), 1, 10000);
        const QByteArray expected =
            "GET /feedback.php?mail=anna%2Btest%40example.org&mes=Error%3A%0D%0A%22Es+trat+ein+unbekannter+Fehler+in+"
            "der+folgenden+Funktion+auf%3A+LoadTarife%22%0D%0AVersion%3A+2.0.0+BETA+2%0D%0ABeschreibung%3A%0D%0AModem+"
            "h%C3%A4ngt+%26+100%25+weg+*-._%3D%3F%23%7E%E2%82%AC%0D%0A "
            "HTTP/1.0\r\nHost: 127.0.0.1:"
            + QByteArray::number(server.port())
            + "\r\nUser-Agent: Minutrix 2 Feedback\r\nAccept: */*\r\nPragma: no-cache\r\n\r\n";
        QCOMPARE(server.received.first(), expected);
        // The thank-you box came, with its built-in text.
        QCOMPARE(f.shownTexts().last(), QStringLiteral("Danke für Ihre Mitarbeit Minutrix zu verbessern."));
        QVERIFY(FeedbackForm->Memo1->toPlainText().isEmpty());

        // The next report replaces the description and keeps the e-mail; Cancel sends nothing.
        MessageBox::SetNextAnswer(MessageBox::Yes);
        WhenModal([&](QWidget *w) {
            prefilled = FeedbackForm->Memo1->toPlainText();
            QCOMPARE(FeedbackForm->EMailEdit->text(), QStringLiteral("anna+test@example.org"));
            if (w == FeedbackForm) FeedbackForm->BitBtn2->click();
        });
        ReportError(W_FillAllFields);
        QCOMPARE(prefilled, QStringLiteral("Error:\n\"") + W_FillAllFields
                                + QStringLiteral("\"\nVersion: 2.0.0 BETA 2\nBeschreibung:\n"));
        QCOMPARE(FeedbackForm->LDescription->text(), QStringLiteral("Beschreibung"));
        QVERIFY(FeedbackForm->Memo1->toPlainText().isEmpty());
        QTest::qWait(50);
        QCOMPARE(server.received.size(), 1);
        SetReportHandler(nullptr);
    }

    // The install ends the program's loop; the main window's shutdown then logs the connection being
    // timed and saves, without asking whether to end.
    void updateInstall_endsTheProgramWithItsShutdown()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        InstallProgramServices();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(120);   // two minutes being timed when the update starts
        HttpTestServer server;
        UpdateBaseURL = server.url(QString());
        server.answer(HttpResponse("200 OK", "Minutrix 2.1\r\n"));
        server.answer(HttpResponse("200 OK", QByteArray(5000, 'S')));
        Shell::SetTestMode(true);
        TAutoupdate update(&w);
        update.SpeedButton1->click();
        QTRY_VERIFY(update.SpeedButton2->isEnabled());

        QCOMPARE(RunApplicationLoop([&update] { update.SpeedButton2->click(); }), 0);
        QVERIFY(w.IsShutDown());
        QVERIFY(!f.shownTexts().contains(W_ReallyClose));
        const auto log = ReadLog(f.dir.file("Data/2026/Mai.qod")).Daten;
        QCOMPARE(int(log.size()), 1);
        QCOMPARE(log.front().Kosten, 2.0);
        QVERIFY(QFileInfo::exists(f.dir.file("TarifDaten.qtd")));
        QVERIFY(QFileInfo::exists(f.dir.file("Settings.dat")));
        Shell::SetTestMode(false);
    }
};

QTEST_MAIN(TestProgramServices)
#include "tst_gui_programservices.moc"
