// The program itself started in an empty folder: the wizard comes first, and logout or kill ends
// the program cleanly while it is open, the first start still due for the next start.
#include "core/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// Whether a program holds the folder's lock (an flock on the folder itself).
bool locked(const QTemporaryDir &dir)
{
    const int fd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0) ::close(fd);
    return held;
}

QStringList files(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

void startIn(QProcess &p, const QString &program)
{
    // A session bus that reaches no one: a second start has no one to hand over to.
    p.setEnvironment(QProcess::systemEnvironment()
                     << QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent"));
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, {});
    QVERIFY(p.waitForStarted());
}
}

class TestFirstStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // --help and --version need no display and touch no file; anything else unknown is refused.
    void commandLine_answersWithoutStarting_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("--version") << QByteArray();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("minutrix 2.") << QByteArray();
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << QByteArray() << QByteArray("frobnicate");
        QTest::newRow("an argument") << QStringList{"Settings.dat"} << 2 << QByteArray() << QByteArray("Usage:");
    }
    void commandLine_answersWithoutStarting()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("minutrix"));
        QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_PROGRAM), program));
        QProcess p;
        p.setProcessEnvironment(QProcessEnvironment());   // no display at all
        p.start(program, args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), exitCode);
        QVERIFY(p.readAllStandardOutput().contains(out));
        QVERIFY(p.readAllStandardError().contains(err));
        QCOMPARE(files(dir), QStringList{"minutrix"});
    }

    void terminatedDuringTheWizard_endsAndKeepsTheWizardDue()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("minutrix"));
        QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_PROGRAM), program));
        QProcess p;
        startIn(p, program);
        // The wizard is open once the data folder exists and the start-up has come to rest.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("Data"))), 10000);
        QTest::qWait(500);
        QCOMPARE(p.state(), QProcess::Running);   // held by the wizard, not ended
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Settings.dat"))));

        // A second start on the same folder, where the bus does not reach the first, only says that
        // Minutrix runs already.
        const QStringList before = files(dir);
        QProcess second;
        startIn(second, program);
        QTest::qWait(1000);
        QCOMPARE(second.state(), QProcess::Running);   // its box is open
        QVERIFY(locked(dir));
        QCOMPARE(files(dir), before);
        second.kill();
        QVERIFY(second.waitForFinished(10000));
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QFile settings(dir.filePath(QStringLiteral("Settings.dat")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray bytes = settings.readAll();
        QCOMPARE(bytes.size(), SettingsSize);
        QCOMPARE(int(ParseSettings(bytes.constData()).ErsterStart), 1);   // no tariff was set up
        QVERIFY(!locked(dir));                                            // let go at the end

        // A killed program leaves no lock behind.
        for (int run = 0; run < 2; ++run) {
            QProcess next;
            startIn(next, program);
            QTRY_VERIFY_WITH_TIMEOUT(locked(dir), 10000);
            ::kill(pid_t(next.processId()), run == 0 ? SIGKILL : SIGTERM);
            QVERIFY(next.waitForFinished(10000));
        }
    }
};

QTEST_GUILESS_MAIN(TestFirstStart)
#include "tst_gui_firststart.moc"
