// The feedback window behind the error report: a store that fails while the main window is being
// created offers a report, the feedback window is made then, and Send reaches the server as one
// request with the e-mail and the description encoded.
#include "ErrorReport.h"
#include "Errors.h"
#include "Feedback.h"
#include "HttpTestServer.h"
#include "Language.h"
#include "MainWindowFixture.h"
#include "OnlineUrls.h"
#include "WhenModal.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestFeedback : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failingLoadDuringStartUp_reportReachesTheServer()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        f.storeSettings(100);
        QDir().mkpath(f.dir.file("TarifDaten.qtd"));   // a folder: LoadTarife fails
        InstallErrorReport();
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
        f.start();   // the report comes while the main window is being created
        QVERIFY(FeedbackForm);
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

    // A report sent while the one before is still out reaches the server too (the base address
    // without its trailing slash).
    void secondReportWhileTheFirstIsOut_bothReachTheServer()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        HttpTestServer server;   // answers neither
        FeedbackBaseURL = server.url(QString());
        TFeedbackForm form;
        for (const QString text : {"eins", "zwei"}) {
            form.Memo1->setPlainText(text);
            form.BitBtn1->click();
        }
        QTRY_COMPARE(server.received.join().count("GET /feedback.php?mail=&mes="), 2);
        QCOMPARE(f.shownTexts().size(), 2);   // a thank-you for each
    }
};

QTEST_MAIN(TestFeedback)
#include "tst_gui_feedback.moc"
