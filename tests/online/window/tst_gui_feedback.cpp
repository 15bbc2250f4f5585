// The feedback window behind the error report: every Send reaches the server as a request of its own.
#include "core/ErrorReport.h"
#include "core/Language.h"
#include "online/window/Errors.h"
#include "online/window/Feedback.h"
#include "online/window/OnlineUrls.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/WhenModal.h"
#include "tests/support/http/HttpTestServer.h"
#include "ui/MessageBox.h"

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
    // A report sent while the one before is still out reaches the server too (the base address
    // without its trailing slash).
    void secondReportWhileTheFirstIsOut_bothReachTheServer()
    {
        TempProgramDir dir;
        MessageBox::SetTestMode(true);
        HttpTestServer server;   // answers neither
        FeedbackBaseURL = server.url(QString());
        TFeedbackForm form;
        for (const QString text : {"eins", "zwei"}) {
            form.Memo1->setPlainText(text);
            form.BitBtn1->click();
        }
        QTRY_COMPARE(server.received.join().count("GET /feedback.php?mail=&mes="), 2);
        QCOMPARE(MessageBox::History().size(), 2);   // a thank-you for each
        MessageBox::SetTestMode(false);
    }
};

QTEST_MAIN(TestFeedback)
#include "tst_gui_feedback.moc"
