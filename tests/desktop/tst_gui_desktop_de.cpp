// Minutrix on a desktop of the test's own: a private session bus with a tray (a StatusNotifierWatcher
// played by python-dbusmock) and a notification server, and an X server, for the offscreen platform
// has no tray. The tray is seen as the desktop sees it, over the bus.
#include "app/DesktopWiring.h"
#include "app/Windows.h"
#include "core/InstanceLock.h"
#include "core/Language.h"
#include "desktop/Desktop.h"
#include "desktop/HandOver.h"
#include "desktop/Tray.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PrivateSession.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
PrivateSession *session = nullptr;
const QString watcher = QStringLiteral(MINUTRIX_TEST_DBUS "/status_notifier_watcher.py");
const QString notifications = QStringLiteral("notification_daemon");

// Calls from a connection of the test's own: the answers come over the bus, as a desktop's would.
QDBusMessage callAndWait(const QDBusMessage &call)
{
    static QDBusConnection own = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("test"));
    QDBusPendingCall pending = own.asyncCall(call);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 10000)) return QDBusMessage();
    return pending.reply();
}

// The tray item that registered last with the watcher, as a tray host finds it.
QDBusMessage itemCall(const QString &interface, const QString &method, const QVariantList &args)
{
    const QByteArray log = session->calls(watcher), registration = "RegisterStatusNotifierItem \"";
    const qsizetype at = log.lastIndexOf(registration) + registration.size();
    const QString item = QString::fromLatin1(log.mid(at, log.indexOf('"', at) - at));
    QDBusMessage m = QDBusMessage::createMethodCall(item, QStringLiteral("/StatusNotifierItem"), interface, method);
    m.setArguments(args);
    return callAndWait(m);
}

// The item's ToolTip property, (icon name, icon pixmaps, title, text), as a tray host reads it.
QString trayToolTip()
{
    const QDBusMessage reply = itemCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                        {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("ToolTip")});
    const auto arg = reply.arguments().value(0).value<QDBusVariant>().variant().value<QDBusArgument>();
    QString icon, title, text;
    arg.beginStructure();
    arg >> icon;
    arg.beginArray();
    while (!arg.atEnd()) {
        int width, height;
        QByteArray pixels;
        arg.beginStructure();
        arg >> width >> height >> pixels;
        arg.endStructure();
    }
    arg.endArray();
    arg >> title >> text;
    arg.endStructure();
    return title + text;
}

void clickTray() { itemCall(QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"), {0, 0}); }

QDBusMessage activate(const QVariantMap &platformData)
{
    QDBusMessage m =
        QDBusMessage::createMethodCall(HandOverBusName(ProgramDir()), HandOverPath,
                                       QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
    m << platformData;
    return callAndWait(m);
}

// The notifications sent so far: a call to the server after them returns only once it has them all.
QByteArray notified()
{
    callAndWait(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("GetServerInformation")));
    return session->calls(notifications);
}

void connectProvider(MainWindowFixture &f)
{
    f.ras.setConnection("Provider", RASCS_Connected);
    f.step();
}
}

class TestDesktop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        session->startMock(watcher, QStringLiteral("org.kde.StatusNotifierWatcher"));
        session->startMock(notifications, QStringLiteral("org.freedesktop.Notifications"));
        InstallProgramServices();
    }

    void tray_tellsTheStateAndTogglesTheMainWindow()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        w.show();
        const qsizetype registered = session->calls(watcher).count("RegisterStatusNotifierItem");
        TDesktop *desktop = StartDesktop(&w);
        QVERIFY(desktop->Tray() && desktop->Tray()->InTray());
        QTRY_VERIFY(session->calls(watcher).count("RegisterStatusNotifierItem") > registered);
        QCOMPARE(trayToolTip(), QStringLiteral("Minutrix – offline\nDiesen Monat: 0,00 € von 100,00 €"));

        connectProvider(f);
        f.step(5 * 60 + 23);   // 10:00:01 to 10:05:24: five clock minutes at 1 ct, as the main window shows
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,05 €"));
        QCOMPARE(trayToolTip(), QStringLiteral("Minutrix – online\nKosten: 0,05 €\nDauer: 00:05:23\nTarif: Minute\n"
                                               "Diesen Monat: 0,05 € von 100,00 €"));

        clickTray();
        QTRY_VERIFY(!w.isVisible());
        clickTray();
        QTRY_VERIFY(w.isVisible());
        w.showMinimized();   // into the tray
        QTRY_VERIFY(!w.isVisible());
        clickTray();
        QTRY_VERIFY(w.isVisible() && !w.isMinimized());
        clickTray();
        QTRY_VERIFY(!w.isVisible());
        MessageBox::SetNextAnswer(MessageBox::No);
        QVERIFY(desktop->Tray()->Icon()->contextMenu()->actions().contains(w.Beenden1));
        w.Beenden1->trigger();   // from the tray's menu: asked all the same, and declined
        QCOMPARE(f.shownTexts().last(), W_ReallyClose);
        QVERIFY(!w.IsShutDown());

        f.ras.hangUp();
        f.step(37);   // ended at 10:06:01: six clock minutes, now in this month's total
        QCOMPARE(trayToolTip(), QStringLiteral("Minutrix – offline\nDiesen Monat: 0,06 € von 100,00 €"));
    }

    // A box of the monitoring also goes out as a notification while the main window is out of
    // sight (its text as the body, which the server reads as markup); on the screen it opens over
    // the main window.
    void limitReached_notifiedWhileOutOfSight_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("body");   // empty: no notification
        QTest::newRow("shown") << int(Qt::WindowNoState) << W_LimitReached << QByteArray();
        QTest::newRow("hidden in the tray") << -1 << W_LimitReached << QByteArray("\"Das Limit wurde erreicht!\"");
        QTest::newRow("minimized, a language file's text")
            << int(Qt::WindowMinimized) << QStringLiteral("Limit <50 €> & mehr")
            << QByteArray("\"Limit &lt;50 €&gt; &amp; mehr\"");
    }
    void limitReached_notifiedWhileOutOfSight()
    {
        QFETCH(int, state);
        QFETCH(QString, text);
        QFETCH(QByteArray, body);
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(0);   // reached at the first tick
        const QString builtIn = std::exchange(W_LimitReached, text);
        StartDesktop(&w);
        if (state >= 0) {
            w.setWindowState(Qt::WindowState(state));
            w.show();
        }
        const QByteArray before = notified();
        connectProvider(f);
        W_LimitReached = builtIn;
        QCOMPARE(f.shownTexts(), QStringList{text});
        QCOMPARE(MessageBox::History().last().owner, body.isEmpty() ? &w : nullptr);
        const QByteArray sent = notified().mid(before.size());
        QCOMPARE(sent.contains("Notify \"Minutrix\" 0 \"de.minutrix.Minutrix\" \"Minutrix\" " + body), !body.isEmpty());
    }

    // The second start finds the data folder locked and brings this program's window forward.
    void secondStart_bringsTheRunningProgramForward()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        const auto lock = LockDataFolder();
        QVERIFY(lock);
        const QString program = f.dir.file(QStringLiteral("minutrix"));   // its data folder is its own
        QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_PROGRAM), program));
        THauptfenster &w = f.start();
        StartDesktop(&w);
        QVERIFY(!w.isVisible());
        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(program, {});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 15000);   // a box would hold it
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(w.isVisible());
    }

    void activate_onlyForItsOwnDataFolder_data()
    {
        QTest::addColumn<QString>("folder");   // below the program's data folder
        QTest::addColumn<bool>("comes");
        QTest::newRow("its folder by another spelling") << "Data/.." << true;
        QTest::newRow("another folder") << "Data" << false;
        QTest::newRow("from the desktop, no folder") << QString() << true;
    }
    void activate_onlyForItsOwnDataFolder()
    {
        QFETCH(QString, folder);
        QFETCH(bool, comes);
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.start();
        StartDesktop(&w);
        QVariantMap platformData;
        if (!folder.isNull()) platformData[DataFolderPlatformKey] = f.dir.file(folder);
        QCOMPARE(activate(platformData).type(), comes ? QDBusMessage::ReplyMessage : QDBusMessage::ErrorMessage);
        QCOMPARE(w.isVisible(), comes);
    }
};

int main(int argc, char **argv)
{
    PrivateSession own(true);
    session = &own;
    QApplication app(argc, argv);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gui_desktop_de.moc"
