#pragma once
// A desktop session of the test's own: a private session bus and an X server (the offscreen
// platform has no tray at all). Made before the QApplication, which then connects to them and never
// to the machine's own bus; python-dbusmock plays the desktop's services on that bus. (The
// NetworkManager tests' PrivateSystemBus stands in for the system bus instead.)
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <list>

#include <sys/prctl.h>

class PrivateSession
{
public:
    PrivateSession()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", firstLine("dbus-daemon", {"--session", "--nofork", "--print-address=1"}));
        qputenv("DISPLAY", ':' + firstLine("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"}));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    ~PrivateSession()
    {
        for (QProcess &p : m_processes) p.kill(), p.waitForFinished();
    }

    // A python-dbusmock template (its own or a file) logging its calls as `log`; returns once
    // busName is on the bus.
    QProcess &startMock(const QString &templ, const QString &log, const QString &busName)
    {
        QProcess &p = start("/usr/bin/python3", {"-m", "dbusmock", "-t", templ, "-l", m_dir.filePath(log)});
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        if (!QTest::qWaitFor([&] { return bus->isServiceRegistered(busName).value(); }, 10000)) qFatal("no mock");
        return p;
    }
    // The calls logged so far, a line each ("<time> Notify \"Minutrix\" 0 ...").
    QByteArray calls(const QString &log) const
    {
        QFile f(m_dir.filePath(log));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QProcess &start(const char *program, const QStringList &args)
    {
        QProcess &p = m_processes.emplace_back();
        p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });   // never outlives the test
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(QString::fromLatin1(program), args);
        return p;
    }
    QByteArray firstLine(const char *program, const QStringList &args)
    {
        QProcess &p = start(program, args);
        while (!p.canReadLine() && p.waitForReadyRead(10000)) {}
        if (!p.canReadLine()) qFatal("%s did not start", program);
        return p.readLine().trimmed();
    }

    QTemporaryDir m_dir;
    std::list<QProcess> m_processes;
};
