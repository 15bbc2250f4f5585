// The error report: which texts are shown plainly, which are offered for reporting, and what an
// answer does; its feedback window sends every report as a request of its own.
#include "core/ErrorReport.h"
#include "core/Exception.h"
#include "core/Language.h"
#include "core/Win1252.h"
#include "online/window/Errors.h"
#include "online/window/Feedback.h"
#include "online/window/OnlineUrls.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/http/HttpTestServer.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestErrors : public QObject
{
    Q_OBJECT
    QStringList accepted;

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Minutrix"));
        LoadLanguage(QStringLiteral("/nonexistent/german.qlf"));
        InstallErrorReport();
        SetReportAcceptedHandler([this](const QString &m) { accepted << m; });
    }
    void init()
    {
        MessageBox::SetTestMode(true);
        accepted.clear();
    }

    void plainWarnings_areShownWithoutOffer_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("W_NoTarif") << W_NoTarif;
        QTest::newRow("W_ReallyClose") << W_ReallyClose;
        QTest::newRow("W_InstallNewAndClose") << W_InstallNewAndClose;
        QTest::newRow("W_LimitReached") << W_LimitReached;
    }
    void plainWarnings_areShownWithoutOffer()
    {
        QFETCH(QString, message);
        ReportError(message);
        QCOMPARE(MessageBox::History().size(), 1);
        const auto box = MessageBox::History().first();
        QCOMPARE(box.text, message);
        QCOMPARE(box.caption, QStringLiteral("Minutrix"));
        QCOMPARE(box.buttons, QList<MessageBox::Button>{MessageBox::Ok});
        QVERIFY(accepted.isEmpty());
    }

    void otherTexts_areOfferedForReporting_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("W_FillAllFields") << W_FillAllFields;
        QTest::newRow("E_MonthToLow") << E_MonthToLow;
        QTest::newRow("W_ReallyDelDB") << W_ReallyDelDB;
        QTest::newRow("store failure") << E_UnknownErrorAt + QStringLiteral("SaveTarife");
        QTest::newRow("handler") << QStringLiteral("Fehler bei TTarifForm.FormDestroy");
    }
    void otherTexts_areOfferedForReporting()
    {
        QFETCH(QString, message);
        MessageBox::SetNextAnswer(MessageBox::No);
        ReportError(message);
        QCOMPARE(MessageBox::History().size(), 1);
        const auto box = MessageBox::History().first();
        QCOMPARE(box.icon, MessageBox::Warning);
        QCOMPARE(box.buttons, (QList<MessageBox::Button>{MessageBox::Yes, MessageBox::No}));
        QCOMPARE(box.text, QStringLiteral("Es trat folgender Fehler auf:\r\n") + message
                               + QStringLiteral("\r\nMöchten Sie diesen Fehler jetzt melden? Dazu wird eine "
                                                "Internetverbindung aufgebaut!"));
        QVERIFY(accepted.isEmpty());   // No changes nothing
    }

    void yes_handsTheMessageToTheFeedbackWindow()
    {
        MessageBox::SetNextAnswer(MessageBox::Yes);
        ReportError(QStringLiteral("Fehler bei TAuswertung.FormCreate"));
        QCOMPARE(accepted, QStringList{QStringLiteral("Fehler bei TAuswertung.FormCreate")});
    }

    void comparison_usesTheLoadedTexts()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("en.qlf"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ToWin1252(QStringLiteral("[Warnings]\r\nW_LimitReached=Limit reached!\r\n")));
        f.close();
        LoadLanguage(file);
        MessageBox::SetNextAnswer(MessageBox::No);
        ReportError(QStringLiteral("Das Limit wurde erreicht!"));   // the built-in text no longer is a warning
        QCOMPARE(MessageBox::History().first().icon, MessageBox::Warning);
        MessageBox::History().clear();
        ReportError(QStringLiteral("Limit reached!"));
        QCOMPARE(MessageBox::History().first().buttons, QList<MessageBox::Button>{MessageBox::Ok});
        LoadLanguage(QStringLiteral("/nonexistent/german.qlf"));
    }

    void uncaughtError_isShownWithAFullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("adds") << "Cannot create file /x/Settings.dat"
                              << "Cannot create file /x/Settings.dat.";
        QTest::newRow("keeps stop") << "Schon fertig."
                                    << "Schon fertig.";
        QTest::newRow("keeps exclamation") << "Function RasGetEntryProperties not found!"
                                           << "Function RasGetEntryProperties not found!";
    }
    void uncaughtError_isShownWithAFullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        Guarded([&] { throw Exception(message); });
        QCOMPARE(MessageBox::History().size(), 1);
        QCOMPARE(MessageBox::History().first().text, shown);
        QCOMPARE(MessageBox::History().first().icon, MessageBox::Error);
    }

    // A report sent while the one before is still out reaches the server too (the base address
    // without its trailing slash).
    void secondReportWhileTheFirstIsOut_bothReachTheServer()
    {
        TempProgramDir dir;
        HttpTestServer server;   // answers neither
        FeedbackBaseURL = server.url(QString());
        TFeedbackForm form;
        for (const QString text : {"eins", "zwei"}) {
            form.Memo1->setPlainText(text);
            form.BitBtn1->click();
        }
        QTRY_COMPARE(server.received.join().count("GET /feedback.php?mail=&mes="), 2);
        QCOMPARE(MessageBox::History().size(), 2);   // a thank-you for each
    }
};

QTEST_MAIN(TestErrors)
#include "tst_gui_errors.moc"
