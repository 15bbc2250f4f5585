#pragma once
// A desktop session of the test's own: a private session bus and, where a tray is wanted, an X
// server (the offscreen platform has no tray at all). Made before the QApplication, which then
// connects to them and never to the machine's own bus; python-dbusmock plays the desktop's
// services on that bus. Everything ends with the object.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

class PrivateSession
{
public:
    explicit PrivateSession(bool withDisplay)
    {
        const QByteArray bus = firstLine(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        if (!withDisplay) return;
        const QByteArray display =
            firstLine(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        qputenv("DISPLAY", ':' + display);
        qputenv("QT_QPA_PLATFORM", "xcb");
    }

    ~PrivateSession()
    {
        for (auto &p : m_processes) {
            p->kill();
            p->waitForFinished();
        }
    }

    // A python-dbusmock service: a template of python-dbusmock or a file of tests/support/dbus,
    // with its calls logged; returns once its name is on the bus.
    void startMock(const QString &templ, const QString &busName, const QByteArray &parameters = "{}")
    {
        const QString log = logOf(templ);
        start(QStringLiteral("/usr/bin/python3"),
              {"-m", "dbusmock", "-t", templ, "-l", log, "-p", QString::fromUtf8(parameters)});
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        if (!QTest::qWaitFor([&] { return bus->isServiceRegistered(busName).value(); }, 10000))
            qFatal("%s did not come up", qPrintable(templ));
    }

    // What the service was asked so far, in its log's lines ("<time> Notify \"Minutrix\" 0 ...").
    QByteArray calls(const QString &templ)
    {
        QFile f(logOf(templ));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QProcess &start(const QString &program, const QStringList &args)
    {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess &p = *m_processes.back();
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(program, args);
        if (!p.waitForStarted()) qFatal("%s does not start", qPrintable(program));
        return p;
    }

    QByteArray firstLine(const QString &program, const QStringList &args)
    {
        QProcess &p = start(program, args);
        while (!p.canReadLine() && p.waitForReadyRead(10000)) {}
        const QByteArray line = p.readLine().trimmed();
        if (line.isEmpty()) qFatal("%s says nothing", qPrintable(program));
        return line;
    }

    QString logOf(const QString &templ) const
    {
        return m_dir.filePath(QFileInfo(templ).baseName() + QStringLiteral(".log"));
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};
