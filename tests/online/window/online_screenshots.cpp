// Writes the pictures of the auto-update and info windows under docs/ (run by
// scripts/screenshots.sh under Xvfb). The update's description comes from a server on 127.0.0.1.
#include "online/window/Info.h"
#include "online/window/OnlineUrls.h"
#include "online/window/Update.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/http/HttpTestServer.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) + QLatin1Char('/') : QStringLiteral("docs/");
    TempProgramDir dir;
    HttpTestServer server;
    UpdateBaseURL = server.url(QString());
    server.answer(HttpResponse("200 OK", "Minutrix 2.0 BETA 3\r\n\r\nNeu in dieser Version:\r\n"
                                         "- die Feiertage bis 2030\r\n- die Auswertung druckt jeden Monat auf eine "
                                         "Seite\r\n- schnellere Anzeige langer Monate\r\n\r\n"
                                         "Zum Installieren klicken Sie auf \"Installieren\"."));

    TAutoupdate update;
    update.show();
    if (!QTest::qWaitForWindowExposed(&update)) qWarning("window not exposed");
    update.SpeedButton1->click();
    if (!QTest::qWaitFor([&] { return update.SpeedButton2->isEnabled(); }, 10000)) qWarning("no description");
    QTest::qWait(200);
    update.grab().save(out + QStringLiteral("auto-update.png"));

    TInfofenster info;
    info.show();
    if (!QTest::qWaitForWindowExposed(&info)) qWarning("window not exposed");
    QTest::qWait(200);
    info.grab().save(out + QStringLiteral("info.png"));
    return 0;
}
