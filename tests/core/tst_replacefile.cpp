// Whole-file writes beside the file and their leftovers; opening only regular files.
#include "FileSizeLimit.h"
#include "NonRegularFiles.h"
#include "ReplaceFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <sys/file.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
}

class TestReplaceFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leftoverName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<bool>("leftover");
        QTest::newRow("own") << "Settings.dat"
                             << "Settings.dat.mxsave-Ab3dE9xZ" << true;
        QTest::newRow("digits only") << "TarifDaten.qtd"
                                     << "TarifDaten.qtd.mxsave-00000000" << true;
        QTest::newRow("umlaut in the name") << "März.qod"
                                            << "März.qod.mxsave-zzzzzzzz" << true;
        QTest::newRow("seven characters") << "Settings.dat"
                                          << "Settings.dat.mxsave-Ab3dE9x" << false;
        QTest::newRow("nine characters") << "Settings.dat"
                                         << "Settings.dat.mxsave-Ab3dE9xZ1" << false;
        QTest::newRow("not a letter") << "Settings.dat"
                                      << "Settings.dat.mxsave-Ab3d-9xZ" << false;
        QTest::newRow("not an ASCII letter") << "Settings.dat"
                                             << "Settings.dat.mxsave-Ab3dE9xä" << false;
        QTest::newRow("other case") << "Settings.dat"
                                    << "settings.dat.mxsave-Ab3dE9xZ" << false;
        QTest::newRow("another file's") << "Settings.dat"
                                        << "TarifDaten.qtd.mxsave-Ab3dE9xZ" << false;
        QTest::newRow("longer name") << "Settings.dat"
                                     << "OldSettings.dat.mxsave-Ab3dE9xZ" << false;
        QTest::newRow("other marker") << "Settings.dat"
                                      << "Settings.dat.mxsavx-Ab3dE9xZ" << false;
        QTest::newRow("plain tmp") << "Settings.dat"
                                   << "Settings.dat.tmp" << false;
        QTest::newRow("the file itself") << "Settings.dat"
                                         << "Settings.dat" << false;
        QTest::newRow("no file name") << ""
                                      << ".mxsave-Ab3dE9xZ" << false;
    }
    void leftoverName()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, candidate);
        QFETCH(bool, leftover);
        QCOMPARE(IsReplaceLeftoverName(fileName, candidate), leftover);
    }

    void replace_writesUnderALeftoverNameFirst_andLeavesOnlyTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.dat"));
        QVERIFY(ReplaceFile(path, "first"));
        QVERIFY(ReplaceFile(path, "second"));
        QCOMPARE(readAll(path), QByteArray("second"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("Settings.dat")});
    }

    void replace_removesOnlyRegularLeftoversOfTheSameFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.dat"));
        const QString unrelated = dir.filePath(QStringLiteral("unrelated"));
        QVERIFY(writeFile(unrelated, "keep"));
        QVERIFY(writeFile(path + ".mxsave-k1lLeD01", "torn"));
        QVERIFY(writeFile(path + ".mxsave-k1lLeD02", "torn"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("TarifDaten.qtd.mxsave-k1lLeD01")), "theirs"));
        QVERIFY(writeFile(path + ".tmp", "theirs"));
        QVERIFY(MakeNonRegularFile(QStringLiteral("fifo"), path + ".mxsave-fifo0001"));
        QVERIFY(MakeNonRegularFile(QStringLiteral("folder"), path + ".mxsave-folder01"));
        QVERIFY(QFile::link(unrelated, path + ".mxsave-link0001"));

        QVERIFY(ReplaceFile(path, "new"));
        QCOMPARE(entries(dir.path()), (QStringList{"Settings.dat", "Settings.dat.mxsave-fifo0001",
                                                   "Settings.dat.mxsave-folder01", "Settings.dat.mxsave-link0001",
                                                   "Settings.dat.tmp", "TarifDaten.qtd.mxsave-k1lLeD01", "unrelated"}));
        QCOMPARE(readAll(unrelated), QByteArray("keep"));   // a link is removed by no one, its target least of all
    }

    void replace_leavesTheFileOfASaveStillRunning()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TarifDaten.qtd"));
        const QString running = path + QStringLiteral(".mxsave-RunN1ng0");
        QVERIFY(writeFile(running, "half"));
        QFile held(running);
        QVERIFY(held.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(held.handle(), LOCK_EX), 0);   // as the running save holds it

        QVERIFY(ReplaceFile(path, "mine"));
        QVERIFY(QFileInfo::exists(running));
        held.close();   // the save ended without renaming: killed
        QVERIFY(ReplaceFile(path, "mine again"));
        QVERIFY(!QFileInfo::exists(running));
    }

    void replace_followsALink()
    {
        QTemporaryDir dir, elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("real.qtd"));
        const QString link = dir.filePath(QStringLiteral("TarifDaten.qtd"));
        QVERIFY(writeFile(target, "old"));
        QVERIFY(QFile::link(target, link));
        QVERIFY(ReplaceFile(link, "new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readAll(target), QByteArray("new"));
        QCOMPARE(entries(elsewhere.path()), QStringList{QStringLiteral("real.qtd")});
    }

    // Only a regular file is renamed over through a link; else the link is replaced itself.
    void replace_linkToSomethingElse_replacesTheLink_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("folder") << "folder";
    }
    void replace_linkToSomethingElse_replacesTheLink()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir, elsewhere;
        const QString node = elsewhere.filePath(QStringLiteral("node"));
        if (!MakeNonRegularFile(kind, node)) {
            if (kind == "device") QSKIP("making a device node needs root");
            QFAIL("cannot make the file");
        }
        const QString link = dir.filePath(QStringLiteral("Settings.dat"));
        QVERIFY(QFile::link(node, link));
        QVERIFY(ReplaceFile(link, "new"));
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(readAll(link), QByteArray("new"));
        QVERIFY(!QFileInfo(node).isFile());
        QCOMPARE(entries(elsewhere.path()), QStringList{QStringLiteral("node")});
    }

    void replace_fifoAtThePath_isReplacedWithoutBlocking()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.dat"));
        QVERIFY(MakeNonRegularFile(QStringLiteral("fifo"), path));
        FifoWatchdog watchdog(path);
        QVERIFY(ReplaceFile(path, "new"));
        QVERIFY(!watchdog.stop());
        QCOMPARE(readAll(path), QByteArray("new"));
    }

    void replace_keepsTheFilesPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.dat"));
        QVERIFY(writeFile(path, "old"));
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(ReplaceFile(path, "new"));
        QCOMPARE(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), mode);
    }

    void replace_fullDisk_failsWithTheReason_andKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("nothing") << 0;
        QTest::newRow("half") << 500;
        QTest::newRow("all but one byte") << 999;
    }
    void replace_fullDisk_failsWithTheReason_andKeepsTheOldFile()
    {
        QFETCH(int, room);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.dat"));
        QVERIFY(writeFile(path, "old"));
        bool replaced = true;
        int error = 0;
        {
            FileSizeLimit full{rlim_t(room)};
            QVERIFY(full.active());
            replaced = ReplaceFile(path, QByteArray(1000, 'x'));
            error = errno;
        }
        QVERIFY(!replaced);
        QCOMPARE(error, EFBIG);
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("Settings.dat")});
    }

    void replace_missingFolder_failsWithTheReason()
    {
        QTemporaryDir dir;
        QVERIFY(!ReplaceFile(dir.filePath(QStringLiteral("missing/Settings.dat")), "x"));
        QCOMPARE(errno, ENOENT);
    }

    void create_existingFile_isLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("regular") << "regular";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("dangling link") << "dangling";
    }
    void create_existingFile_isLeftAlone()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Mai.qod"));
        if (kind == "regular") QVERIFY(writeFile(path, "theirs"));
        if (kind == "fifo") QVERIFY(MakeNonRegularFile(kind, path));
        if (kind == "dangling") QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        const QStringList before = entries(dir.path());
        QVERIFY(!CreateWholeFile(path, "mine"));
        QCOMPARE(errno, EEXIST);
        QCOMPARE(entries(dir.path()), before);
        if (kind == "regular") QCOMPARE(readAll(path), QByteArray("theirs"));
    }

    void openRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::newRow("regular file") << "regular" << true;
        QTest::newRow("link to a regular file") << "link" << true;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("socket") << "socket" << false;
        QTest::newRow("device") << "device" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("dangling link") << "dangling" << false;
    }
    void openRegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("store"));
        const QString real = dir.filePath(QStringLiteral("real"));
        QVERIFY(writeFile(real, "content"));
        if (kind == "regular") QVERIFY(writeFile(path, "content"));
        if (kind == "link") QVERIFY(QFile::link(real, path));
        if (kind == "dangling") QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        if ((kind == "fifo" || kind == "socket" || kind == "device" || kind == "folder")
            && !MakeNonRegularFile(kind, path)) {
            if (kind == "device") QSKIP("making a device node needs root");
            QFAIL("cannot make the file");
        }

        for (const QIODevice::OpenMode mode : std::initializer_list<QIODevice::OpenMode>{
                 QIODevice::ReadOnly, QIODevice::ReadWrite | QIODevice::Unbuffered}) {
            FifoWatchdog watchdog(path);
            QFile file;
            QString why;
            QCOMPARE(OpenRegularFile(file, path, mode, &why), opens);
            QVERIFY2(!watchdog.stop(), "the FIFO was opened and waited for a writer");
            QCOMPARE(file.isOpen(), opens);
            QCOMPARE(why.isEmpty(), opens);
            if (opens) QCOMPARE(file.readAll(), QByteArray("content"));
        }
    }
};

QTEST_GUILESS_MAIN(TestReplaceFile)
#include "tst_replacefile.moc"
