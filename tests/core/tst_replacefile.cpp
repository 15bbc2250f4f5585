// Whole-file writes beside the file and their leftovers; opening only regular files.
#include "core/ReplaceFile.h"
#include "tests/core/FileSizeLimit.h"
#include "tests/core/NonRegularFiles.h"

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

// kind: "regular", "link" (to a regular file), "dangling" or one of MakeNonRegularFile's kinds.
bool make(const QString &kind, const QString &path, const QString &real)
{
    if (kind == "regular") return writeFile(path, "content");
    if (kind == "link") return writeFile(real, "content") && QFile::link(real, path);
    if (kind == "dangling") return QFile::link(real + ".gone", path);
    return MakeNonRegularFile(kind, path);
}
}

class TestReplaceFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { FailInsteadOfHanging(); }

    void leftoverName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<bool>("leftover");
        const struct
        {
            const char *row, *fileName, *candidate;
            bool leftover;
        } rows[] = {
            {"own", "Settings.dat", "Settings.dat.mxsave-Ab3dE9xZ", true},
            {"umlaut in the name", "März.qod", "März.qod.mxsave-00000000", true},
            {"seven characters", "Settings.dat", "Settings.dat.mxsave-Ab3dE9x", false},
            {"nine characters", "Settings.dat", "Settings.dat.mxsave-Ab3dE9xZ1", false},
            {"not an ASCII letter", "Settings.dat", "Settings.dat.mxsave-Ab3dE9xä", false},
            {"other case", "Settings.dat", "settings.dat.mxsave-Ab3dE9xZ", false},
            {"another file's", "Settings.dat", "OldSettings.dat.mxsave-Ab3dE9xZ", false},
            {"other marker", "Settings.dat", "Settings.dat.tmp", false},
            {"no file name", "", ".mxsave-Ab3dE9xZ", false},
        };
        for (const auto &r : rows)
            QTest::newRow(r.row) << QString::fromUtf8(r.fileName) << QString::fromUtf8(r.candidate) << r.leftover;
    }
    void leftoverName()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, candidate);
        QTEST(IsReplaceLeftoverName(fileName, candidate), "leftover");
    }

    void replace_removesOnlyRegularLeftoversOfTheSameFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        const QString unrelated = dir.filePath("unrelated");
        QVERIFY(writeFile(unrelated, "keep"));
        QVERIFY(writeFile(path + ".mxsave-k1lLeD01", "torn"));
        QVERIFY(writeFile(path + ".mxsave-k1lLeD02", "torn"));
        QVERIFY(writeFile(dir.filePath("TarifDaten.qtd.mxsave-k1lLeD01"), "theirs"));
        QVERIFY(writeFile(path + ".tmp", "theirs"));
        QVERIFY(MakeNonRegularFile("fifo", path + ".mxsave-fifo0001"));
        QVERIFY(MakeNonRegularFile("folder", path + ".mxsave-folder01"));
        QVERIFY(QFile::link(unrelated, path + ".mxsave-link0001"));

        QVERIFY(ReplaceFile(path, "first"));
        QVERIFY(ReplaceFile(path, "new"));
        QCOMPARE(readAll(path), QByteArray("new"));
        QCOMPARE(entries(dir.path()), (QStringList{"Settings.dat", "Settings.dat.mxsave-fifo0001",
                                                   "Settings.dat.mxsave-folder01", "Settings.dat.mxsave-link0001",
                                                   "Settings.dat.tmp", "TarifDaten.qtd.mxsave-k1lLeD01", "unrelated"}));
        QCOMPARE(readAll(unrelated), QByteArray("keep"));   // a link is removed by no one, its target least of all
    }

    void replace_leavesTheFileOfASaveStillRunning()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("TarifDaten.qtd");
        const QString running = path + ".mxsave-RunN1ng0";
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

    // A link to a regular file is followed (the link stays); anything else at the path is replaced
    // itself, and what a link pointed at is left alone.
    void replace_whatStandsAtThePath_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"link", "fifo", "link to fifo", "link to device", "link to folder"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void replace_whatStandsAtThePath()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir, elsewhere;
        const QString path = dir.filePath("Settings.dat");
        const QString node = elsewhere.filePath("node");
        const bool viaLink = kind.startsWith("link to ");
        if (!(viaLink ? MakeNonRegularFile(kind.mid(8), node) && QFile::link(node, path) : make(kind, path, node))) {
            if (kind.endsWith("device")) QSKIP("making a device node needs root");
            QFAIL("cannot make the file");
        }
        QVERIFY(ReplaceFile(path, "new"));
        QCOMPARE(readAll(path), QByteArray("new"));
        QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
        if (kind == "link") QCOMPARE(readAll(node), QByteArray("new"));
        if (viaLink) QVERIFY(!QFileInfo(node).isFile());
        QCOMPARE(entries(elsewhere.path()), kind == "fifo" ? QStringList() : QStringList{"node"});
    }

    void replace_keepsTheFilesPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        QVERIFY(writeFile(path, "old"));
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(ReplaceFile(path, "new"));
        QCOMPARE(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), mode);
    }

    // room -1: the folder is missing.
    void replace_failure_givesTheReason_andKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("error");
        QTest::newRow("full disk") << 0 << EFBIG;
        QTest::newRow("all but one byte") << 999 << EFBIG;
        QTest::newRow("missing folder") << -1 << ENOENT;
    }
    void replace_failure_givesTheReason_andKeepsTheOldFile()
    {
        QFETCH(int, room);
        QTemporaryDir dir;
        const QString path = dir.filePath(room < 0 ? "missing/Settings.dat" : "Settings.dat");
        if (room >= 0) QVERIFY(writeFile(path, "old"));
        bool replaced = true;
        int error = 0;
        {
            FileSizeLimit full{rlim_t(room < 0 ? 1 << 20 : room)};
            replaced = ReplaceFile(path, QByteArray(1000, 'x'));
            error = errno;
        }
        QVERIFY(!replaced);
        QTEST(error, "error");
        if (room >= 0) QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(entries(dir.path()), room < 0 ? QStringList() : QStringList{"Settings.dat"});
    }

    void create_existingFile_isLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"regular", "fifo", "dangling"}) QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void create_existingFile_isLeftAlone()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("Mai.qod");
        QVERIFY(make(kind, path, dir.filePath("real")));
        const QStringList before = entries(dir.path());
        QVERIFY(!CreateWholeFile(path, "mine"));
        QCOMPARE(errno, EEXIST);
        QCOMPARE(entries(dir.path()), before);
        if (kind == "regular") QCOMPARE(readAll(path), QByteArray("content"));
    }

    void openRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        for (const char *kind : {"regular", "link"}) QTest::newRow(kind) << QString::fromLatin1(kind) << true;
        for (const char *kind : {"fifo", "socket", "device", "folder", "missing", "dangling"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << false;
    }
    void openRegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        const QString path = dir.filePath("store");
        if (kind != "missing" && !make(kind, path, dir.filePath("real"))) {
            if (kind == "device") QSKIP("making a device node needs root");
            QFAIL("cannot make the file");
        }
        for (const QIODevice::OpenMode mode :
             {QIODevice::OpenMode(QIODevice::ReadOnly), QIODevice::ReadWrite | QIODevice::Unbuffered}) {
            QFile file;
            QString why;
            QCOMPARE(OpenRegularFile(file, path, mode, &why), opens);   // a FIFO opened would hang here
            QCOMPARE(file.isOpen(), opens);
            QCOMPARE(why.isEmpty(), opens);
            if (opens) QCOMPARE(file.readAll(), QByteArray("content"));
        }
    }
};

QTEST_GUILESS_MAIN(TestReplaceFile)
#include "tst_replacefile.moc"
