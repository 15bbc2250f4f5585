#pragma once
// Runs the real minutrix-cli and collects what it printed.
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTest>

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> lines() const
    {
        QList<QByteArray> l = out.split('\n');
        if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
        return l;
    }
};

inline CliResult runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(MINUTRIX_CLI_PATH), args);
    CliResult r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// A file failure: status 1, nothing on stdout, one line on stderr that names the file.
#define VERIFY_FILE_ERROR(result, path)                                                                                \
    do {                                                                                                               \
        QCOMPARE((result).exitCode, 1);                                                                                \
        QVERIFY((result).out.isEmpty());                                                                               \
        QCOMPARE((result).err.count('\n'), 1);                                                                         \
        QVERIFY2((result).err.contains(QString(path).toUtf8()), (result).err.constData());                             \
    } while (0)

// A usage error: status 2, nothing on stdout, the reason and then the usage text on stderr.
#define VERIFY_USAGE_ERROR(result)                                                                                     \
    do {                                                                                                               \
        QCOMPARE((result).exitCode, 2);                                                                                \
        QVERIFY((result).out.isEmpty());                                                                               \
        QVERIFY2((result).err.startsWith("minutrix-cli: "), (result).err.constData());                                 \
        QVERIFY((result).err.contains("Usage: minutrix-cli COMMAND ARGUMENTS"));                                       \
    } while (0)
