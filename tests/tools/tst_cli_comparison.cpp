// minutrix-cli compare and year: the month priced by hand (tests/support/ComparisonCase.h), the
// federal state of the settings beside the tool, a year from month logs on disk, the failures.
#include "core/SettingsStore.h"
#include "tests/support/ComparisonCase.h"
#include "tests/tools/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray logBytes(const std::vector<TVerbindung> &records)
{
    QByteArray bytes("\1\0\0\0", MonatsLogHeaderSize);
    for (const TVerbindung &v : records) {
        bytes.resize(bytes.size() + VerbindungSize);
        WriteVerbindung(v, bytes.data() + bytes.size() - VerbindungSize);
    }
    return bytes;
}

QByteArray storeBytes(const std::vector<TTarif> &tariffs)
{
    QByteArray bytes;
    for (const TTarif &t : tariffs) bytes += TarifToBytes(t);
    return bytes;
}
}

class TestCliComparison : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        writeFile(path("März.qod"), logBytes(ComparisonCase::records()));
        writeFile(path("t.qtd"), storeBytes(ComparisonCase::tariffs()));
    }

    void compare_storeOrderThenLogged()
    {
        const CliResult r = runCli({"compare", path("März.qod"), path("t.qtd"), "8"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out,
                 QByteArray("0\tFlat\t100\n1\tNacht frei\t80\n2\tSonntag teuer\t125\n3\tNull\t0\nlogged\t\t80\n"));
        VERIFY_FILE_ERROR(runCli({"compare", path("März.qod"), path("none.qtd"), "8"}), path("none.qtd"));
        VERIFY_USAGE_ERROR(runCli({"compare", path("März.qod"), path("t.qtd"), "16"}));
    }

    void compare_stateFromTheSettingsBesideTheTool_data()
    {
        QTest::addColumn<int>("state");   // -1: no Settings.dat
        QTest::addColumn<QByteArray>("total");
        QTest::newRow("no settings: 8") << -1 << QByteArray("10");
        QTest::newRow("Sachsen") << 12 << QByteArray("50");
    }
    void compare_stateFromTheSettingsBesideTheTool()
    {
        QFETCH(int, state);
        QFETCH(QByteArray, total);
        // A copy of the tool with its own folder: beside it (portable) or in XDG_DATA_HOME (installed).
        QTemporaryDir own;
        const QString tool = own.filePath("minutrix-cli");
        QVERIFY(QFile::copy(QStringLiteral(MINUTRIX_CLI_PATH), tool));
        QByteArray settings(SettingsSize, '\0');
        settings[1] = char(state);
        if (state >= 0)
            for (const char *name : {"Settings.dat", "data/minutrix/Settings.dat"})
                writeFile(own.filePath(name), settings);
        // 16 November 2005, Buß- und Bettag, 10 minutes at 1 on workdays, 5 on Sundays.
        TVerbindung v;
        v.Datum = v.Start = EncodeDateTime(2005, 11, 16, 10, 0, 0);
        v.Ende = EncodeDateTime(2005, 11, 16, 10, 10, 0);
        writeFile(own.filePath("November.qod"), logBytes({v}));
        writeFile(own.filePath("s.qtd"), storeBytes({ComparisonCase::tariff("S", 1, 5)}));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", own.filePath("data"));
        p.setProcessEnvironment(env);
        p.start(tool, {"compare", own.filePath("November.qod"), own.filePath("s.qtd")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.readAllStandardOutput(), "0\tS\t" + total + "\nlogged\t\t0\n");
    }

    void year_monthsThenTotal()
    {
        // The hand-priced March: 80 logged, 25 + 40 + 20 + 15 minutes, the damaged records none.
        QTemporaryDir data;
        writeFile(data.filePath("2005/März.qod"), logBytes(ComparisonCase::records()));
        QDir().mkpath(data.filePath("2006"));
        const CliResult r = runCli({"year", data.path(), "2005"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("März\t6\t80\t6000\ntotal\t6\t80\t6000\n"));
        QCOMPARE(runCli({"year", data.path(), "2006"}).out, QByteArray("total\t0\t0\t0\n"));
        VERIFY_FILE_ERROR(runCli({"year", data.path(), "2004"}), data.path());
        VERIFY_USAGE_ERROR(runCli({"year", data.path(), "zwei"}));
        QFile::resize(data.filePath("2005/März.qod"), 2);   // shorter than its header
        VERIFY_FILE_ERROR(runCli({"year", data.path(), "2005"}), data.filePath("2005"));
    }
};

QTEST_GUILESS_MAIN(TestCliComparison)
#include "tst_cli_comparison.moc"
