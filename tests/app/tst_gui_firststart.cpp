// The program itself started in an empty folder: the wizard comes first and cannot be closed, yet
// logout or kill ends the program cleanly while it is open, the cleared first-start flag saved.
#include "SettingsStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class TestFirstStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void terminatedDuringTheWizard_endsAndSavesTheSettings()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("minutrix"));
        QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_PROGRAM), program));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(program, {});
        QVERIFY(p.waitForStarted());
        // The wizard is open once the data folder exists and the start-up has come to rest.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("Data"))), 10000);
        QTest::qWait(500);
        QCOMPARE(p.state(), QProcess::Running);   // held by the wizard, not ended
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Settings.dat"))));
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QFile settings(dir.filePath(QStringLiteral("Settings.dat")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray bytes = settings.readAll();
        QCOMPARE(bytes.size(), SettingsSize);
        QCOMPARE(int(ParseSettings(bytes.constData()).ErsterStart), 0);
    }
};

QTEST_GUILESS_MAIN(TestFirstStart)
#include "tst_gui_firststart.moc"
