// Where the stores keep their files: beside the executable in a portable build, in the home's
// data folder otherwise. One table runs every store in both modes.
#include "CoreFakes.h"
#include "DataFolder.h"
#include "Journal.h"
#include "Language.h"
#include "SettingsStore.h"

#include <QDirIterator>
#include <QtTest>

// Writes a store's file, then reads it back into emptied memory; true when it came back.
using RoundTrip = bool (*)();
Q_DECLARE_METATYPE(FolderMode)
Q_DECLARE_METATYPE(RoundTrip)

namespace {

bool tariffs()
{
    Tarife = {MakeTarif(QStringLiteral("Abend"), QStringLiteral("0191"), QStringLiteral("Netz"), 0.5)};
    SaveTarife();
    Tarife.clear();
    LoadTarife();
    return Tarife.size() == 1 && Tarife[0].Name.value() == QStringLiteral("Abend");
}

bool settings()
{
    GesamtLimit = 42.5;
    SaveSettings();
    GesamtLimit = 0;
    LoadSettings();
    return GesamtLimit == 42.5;
}

TVerbindung connection()
{
    TVerbindung v;
    v.Datum = v.Start = EncodeDateTime(2005, 3, 1, 10, 0, 0);
    v.Ende = v.Start + 600 / 86400.0;
    v.Kosten = 1.25;
    return v;
}

bool monthLog()
{
    QDir().mkpath(DataYearFolder(2005));   // as the main window does at start-up
    TKostenDatenbank log{MonthLogPath(2005, 3), {}};
    AppendData(log, connection());
    return ReadLog(MonthLogPath(2005, 3)).Daten.size() == 1;
}

bool journal()
{
    // The journal only takes month logs below the program folder, wherever that lies.
    if (!WriteJournal({{MonthLogPath(2005, 3), connection()}})) return false;
    std::vector<TJournalEintrag> read;
    return ReadJournal(read) == JournalState::Read && read.size() == 1 && read[0].LogPfad == MonthLogPath(2005, 3);
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next().mid(folder.size());
    return files;
}
}

class StoreFolderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadLanguage(QStringLiteral("/nonexistent")); }
    void cleanup() { Tarife.clear(); }

    void store_keepsItsFileInTheModesFolder_data()
    {
        QTest::addColumn<FolderMode>("mode");
        QTest::addColumn<RoundTrip>("roundTrip");
        QTest::addColumn<QString>("file");   // below the program folder
        const std::pair<FolderMode, const char *> modes[] = {{FolderMode::Portable, "portable"},
                                                             {FolderMode::UserData, "user data"}};
        for (const auto &[mode, name] : modes) {
            QTest::addRow("%s, tariffs", name) << mode << RoundTrip(tariffs) << "TarifDaten.qtd";
            QTest::addRow("%s, settings", name) << mode << RoundTrip(settings) << "Settings.dat";
            QTest::addRow("%s, month log", name) << mode << RoundTrip(monthLog) << "Data/2005/März.qod";
            QTest::addRow("%s, journal", name) << mode << RoundTrip(journal) << "Verbindungen.mxj";
        }
    }
    void store_keepsItsFileInTheModesFolder()
    {
        QFETCH(FolderMode, mode);
        QFETCH(RoundTrip, roundTrip);
        QFETCH(QString, file);
        TempProgramDir dir(mode);
        ReportRecorder recorder;
        QVERIFY(roundTrip());
        QVERIFY(recorder.reports.isEmpty());
        // The user's data folder is made on first use; nothing lies anywhere else.
        QCOMPARE(filesBelow(dir.root()), QStringList{dir.file(file).mid(dir.root().size())});
    }

    void languageFile_ownBeforeShipped_data()
    {
        QTest::addColumn<FolderMode>("mode");
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QString>("found");
        QTest::newRow("portable, only shipped") << FolderMode::Portable << false << true << "own";
        QTest::newRow("user data, both") << FolderMode::UserData << true << true << "own";
        QTest::newRow("user data, only shipped") << FolderMode::UserData << false << true << "shipped";
        QTest::newRow("user data, neither") << FolderMode::UserData << false << false << "own";
    }
    void languageFile_ownBeforeShipped()
    {
        QFETCH(FolderMode, mode);
        QFETCH(bool, own);
        QFETCH(bool, shipped);
        QFETCH(QString, found);
        TempProgramDir dir(mode);
        // share/minutrix beside bin/, here beside the test's folder
        const QString share = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/minutrix/");
        const QString name = QStringLiteral("tst-storefolder.qlf");
        if (own) dir.write(name, "[X]\n");
        if (shipped) {
            QDir().mkpath(share);
            QFile f(share + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString path = LanguageFile(name);
        QFile::remove(share + name);
        QCOMPARE(path, found == QLatin1String("own") ? dir.file(name) : share + name);
    }
};

QTEST_GUILESS_MAIN(StoreFolderTest)
#include "tst_storefolder.moc"
