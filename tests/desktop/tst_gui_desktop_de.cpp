// Minutrix on a desktop of the test's own: a private session bus with a tray (a StatusNotifierWatcher
// played by python-dbusmock) and a notification server, and an X server, for the offscreen platform
// has no tray. The tray and the program are called over the bus as the desktop calls them. Then
// the files: the autostart entry, and the main window's place in Minutrix.ini beside Settings.dat.
#include "app/DesktopWiring.h"
#include "app/Windows.h"
#include "core/InstanceLock.h"
#include "core/Language.h"
#include "desktop/Autostart.h"
#include "desktop/Desktop.h"
#include "desktop/DesktopSettings.h"
#include "desktop/HandOver.h"
#include "desktop/Tray.h"
#include "tariffs/window/SettingForm.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/PrivateSession.h"
#include "tests/tariffs/window/TariffWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {
PrivateSession *session = nullptr;
QProcess *tray = nullptr;   // the watcher, the desktop's tray
const QString watcher = QStringLiteral("watcher.log"), notifications = QStringLiteral("notifications.log");

// From a connection of the test's own, so the answers come over the bus.
QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method,
                  const QVariantList &args = {})
{
    static QDBusConnection own = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("test"));
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
    m.setArguments(args);
    QDBusPendingCall pending = own.asyncCall(m);
    return QTest::qWaitFor([&] { return pending.isFinished(); }, 10000) ? pending.reply() : QDBusMessage();
}

// A left click on the tray item that registered last with the watcher, as the tray host sends it.
void clickTray()
{
    const QByteArray log = session->calls(watcher), registration = "RegisterStatusNotifierItem \"";
    const qsizetype at = log.lastIndexOf(registration) + registration.size();
    call(QString::fromLatin1(log.mid(at, log.indexOf('"', at) - at)), QStringLiteral("/StatusNotifierItem"),
         QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"), {0, 0});
}

// The notifications sent so far: the server answers a later call only once it has them all.
QByteArray notified()
{
    const QString n = QStringLiteral("org.freedesktop.Notifications");
    call(n, QStringLiteral("/org/freedesktop/Notifications"), n, QStringLiteral("GetServerInformation"));
    return session->calls(notifications);
}
}

class TestDesktop : public QObject
{
    Q_OBJECT
    QTemporaryDir m_config;   // $XDG_CONFIG_HOME

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        tray = &session->startMock(MINUTRIX_TEST_DBUS "/status_notifier_watcher.py", watcher,
                                   QStringLiteral("org.kde.StatusNotifierWatcher"));
        session->startMock(QStringLiteral("notification_daemon"), notifications,
                           QStringLiteral("org.freedesktop.Notifications"));
        InstallProgramServices();
    }

    void tray_tellsTheStateAndTogglesTheMainWindow()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.startWithMinuteTariff(100);
        w.show();
        const qsizetype registered = session->calls(watcher).count("RegisterStatusNotifierItem");
        TDesktop *desktop = StartDesktop(&w);
        QTRY_VERIFY(session->calls(watcher).count("RegisterStatusNotifierItem") > registered);
        QSystemTrayIcon *icon = desktop->Tray()->Icon();
        QCOMPARE(icon->toolTip(), QStringLiteral("Minutrix – offline\nDiesen Monat: 0,00 € von 100,00 €"));

        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        f.step(5 * 60 + 23);   // 10:00:01 to 10:05:24: five clock minutes at 1 ct, as the main window shows
        QCOMPARE(w.LKosten->text(), QStringLiteral("0,05 €"));
        QCOMPARE(icon->toolTip(), QStringLiteral("Minutrix – online\nKosten: 0,05 €\nDauer: 00:05:23\nTarif: Minute\n"
                                                 "Diesen Monat: 0,05 € von 100,00 €"));
        clickTray();
        QTRY_VERIFY(!w.isVisible());
        clickTray();
        QTRY_VERIFY(w.isVisible());
        w.showMinimized();   // into the tray
        QTRY_VERIFY(!w.isVisible());
        MessageBox::SetNextAnswer(MessageBox::No);
        QVERIFY(icon->contextMenu()->actions().contains(w.Beenden1));
        w.Beenden1->trigger();   // from the tray's menu while hidden: asked all the same, and declined
        QCOMPARE(f.shownTexts().last(), W_ReallyClose);
        QVERIFY(!w.IsShutDown());
        clickTray();
        QTRY_VERIFY(w.isVisible() && !w.isMinimized());
    }

    // A box of the monitoring also goes out as a notification while the main window is out of
    // sight (its text the body, which the server reads as markup); on the screen it opens over
    // the main window.
    void limitReached_notifiedWhileOutOfSight_data()
    {
        QTest::addColumn<int>("state");   // -1: hidden in the tray
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("body");   // empty: no notification
        QTest::newRow("shown") << int(Qt::WindowNoState) << W_LimitReached << QByteArray();
        QTest::newRow("hidden") << -1 << W_LimitReached << QByteArray("\"Das Limit wurde erreicht!\"");
        QTest::newRow("minimized, a language file's text")
            << int(Qt::WindowMinimized) << "Limit <50 €> & mehr" << QByteArray("\"Limit &lt;50 €&gt; &amp; mehr\"");
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
        if (state >= 0) w.setWindowState(Qt::WindowState(state)), w.show();
        const qsizetype before = notified().size();
        f.ras.setConnection("Provider", RASCS_Connected);
        f.step();
        W_LimitReached = builtIn;
        QCOMPARE(MessageBox::History().last().owner, body.isEmpty() ? &w : nullptr);
        const QByteArray sent = notified().mid(before);
        QCOMPARE(sent.contains("Notify \"Minutrix\" 0 \"de.minutrix.Minutrix\" \"Minutrix\" " + body), !body.isEmpty());
    }

    // The program itself, started a second time, finds the data folder locked and brings this
    // program's main window forward (a box would hold it).
    void secondStart_bringsTheRunningProgramForward()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        const auto lock = LockDataFolder();
        const QString program = f.dir.file(QStringLiteral("minutrix"));   // its data folder is its own
        QVERIFY(lock && QFile::copy(QStringLiteral(MINUTRIX_PROGRAM), program));
        THauptfenster &w = f.start();
        StartDesktop(&w);
        QProcess second;
        second.start(program, {});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 15000);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(w.isVisible());

        // A call on the name that names another data folder is refused.
        w.hide();
        const QDBusMessage reply = call(HandOverBusName(ProgramDir()), HandOverPath, "org.freedesktop.Application",
                                        "Activate", {QVariantMap{{DataFolderPlatformKey, f.dir.file("Data")}}});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QVERIFY(!w.isVisible());
    }

    // Exec quotes the path as desktop entries want it: \", \`, \$ and \\ inside the quotes, each
    // backslash doubled once more as in every value, '%' doubled so it starts no field code.
    void autostart_writtenByOkAndRemovedByOk_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("spaces") << "/home/anna/Meine Programme/minutrix"
                                << "\"/home/anna/Meine Programme/minutrix\"";
        QTest::newRow("quote, backtick, dollar") << "/opt/a\"b`c$d/m"
                                                 << "\"/opt/a\\\\\"b\\\\`c\\\\$d/m\"";
        QTest::newRow("backslash, percent") << "/opt/50%\\x/m"
                                            << "\"/opt/50%%\\\\\\\\x/m\"";
    }
    void autostart_writtenByOkAndRemovedByOk()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        TariffWindowFixture<TSettingForm> f;
        TSettingForm &form = *f.form;   // as app/ wires it
        form.AutostartOn = AutostartOn;
        form.SetAutostart = [program](bool on) { SetAutostart(on, program); };
        f.show();
        QVERIFY(!form.CBAutostart->isChecked());
        form.CBAutostart->setChecked(true);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QFile entry(AutostartPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(entry.readAll()).section(QStringLiteral("\nExec="), 1).section('\n', 0, 0), exec);
        QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), {AutostartPath()}), 0);
        QVERIFY(LoadDesktopSettings().Autostart);

        form.show();   // the box tells whether the entry is there
        QVERIFY(form.CBAutostart->isChecked());
        form.CBAutostart->setChecked(false);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QVERIFY(!QFile::exists(AutostartPath()));
    }

    // The place goes to Minutrix.ini; Settings.dat is not touched.
    void mainWindowPosition_savedAndRestoredOnTheScreen()
    {
        TempProgramDir dir;
        const QByteArray settings(266, '\x01');
        dir.write(QStringLiteral("Settings.dat"), settings);
        QWidget w;
        w.setFixedSize(192, 100);
        w.move(5000, -300);   // on a screen that was there when the program ended
        SaveMainWindowPosition(&w);
        QCOMPARE(dir.read(QStringLiteral("Settings.dat")), settings);
        RestoreMainWindowPosition(&w);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w.pos(), QPoint(screen.right() + 1 - 192, screen.top()));
        w.move(300, 200);   // where it stays
        SaveMainWindowPosition(&w);
        w.move(0, 0);
        RestoreMainWindowPosition(&w);
        QCOMPARE(w.pos(), QPoint(300, 200));
    }

    // Last, for the tray goes: the panel ends while the main window is hidden in it.
    void trayGone_bringsTheMainWindowBack()
    {
        MainWindowFixture f(EncodeDateTime(2026, 5, 4, 10, 0, 0));
        THauptfenster &w = f.start();
        StartDesktop(&w);
        tray->kill();
        QTRY_VERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        f.step();
        QVERIFY(w.isVisible());
    }
};

int main(int argc, char **argv)
{
    PrivateSession own;
    session = &own;
    QApplication app(argc, argv);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gui_desktop_de.moc"
