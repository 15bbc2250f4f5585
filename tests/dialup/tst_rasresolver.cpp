// Resolving RasGetEntryProperties: rasapi32.dll with the "A" name first, rnaph.dll with the
// plain name as the fallback, the three failure texts and the state that survives a failure.
#include "dialup/Ras.h"
#include "tests/support/FakeRas.h"

#include <QTest>

namespace {
const QString RasApi = QStringLiteral("rasapi32.dll");
const QString Rnaph = QStringLiteral("rnaph.dll");
const QString AName = QStringLiteral("RasGetEntryPropertiesA");
const QString PlainName = QStringLiteral("RasGetEntryProperties");

// Which libraries exist and what they export; an absent list means the library cannot be loaded.
struct Libraries
{
    std::optional<QStringList> rasapi32;
    std::optional<QStringList> rnaph;
};

void install(FakeRas &ras, const Libraries &libs)
{
    ras.removeLibrary(RasApi);
    if (libs.rasapi32) ras.setLibrary(RasApi, *libs.rasapi32);
    if (libs.rnaph) ras.setLibrary(Rnaph, *libs.rnaph);
}

QString resolveError()
{
    try {
        GetRasProc("RasGetEntryProperties");
    } catch (const RasError &e) {
        return QString::fromStdString(e.what());
    }
    return QString();
}
}

Q_DECLARE_METATYPE(Libraries)

class TestRasResolver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolve_data()
    {
        QTest::addColumn<Libraries>("libraries");
        QTest::addColumn<QStringList>("opened");    // OpenLibrary calls of three resolutions
        QTest::addColumn<QStringList>("lookups");   // FindFunction calls of three resolutions
        const QString a = RasApi + QLatin1Char(':') + AName;
        const QString plain = Rnaph + QLatin1Char(':') + PlainName;
        QTest::newRow("rasapi32 exports the A function: rnaph never loaded")
            << Libraries{QStringList{AName}, QStringList{PlainName}} << QStringList{RasApi} << QStringList{a, a, a};
        QTest::newRow("rasapi32 lacks it: rnaph once, plain name from then on")
            << Libraries{QStringList{PlainName}, QStringList{PlainName}} << QStringList{RasApi, Rnaph}
            << QStringList{a, plain, plain, plain};
    }
    void resolve()
    {
        QFETCH(Libraries, libraries);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, lookups);
        FakeRas ras;
        install(ras, libraries);
        for (int i = 0; i < 3; ++i) QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        QCOMPARE(ras.openedLibraries, opened);
        QCOMPARE(ras.lookups, lookups);
    }

    void failure_data()
    {
        QTest::addColumn<Libraries>("libraries");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("opened");   // of one failed resolution
        QTest::newRow("rasapi32 missing") << Libraries{std::nullopt, QStringList{PlainName}}
                                          << QStringLiteral("Error opening rasapi32.dll") << QStringList{RasApi};
        QTest::newRow("rnaph missing") << Libraries{QStringList{}, std::nullopt}
                                       << QStringLiteral("Error opening rnaph.dll") << QStringList{RasApi, Rnaph};
        QTest::newRow("neither exports it")
            << Libraries{QStringList{PlainName}, QStringList{AName}}
            << QStringLiteral("Function RasGetEntryProperties not found!") << QStringList{RasApi, Rnaph};
    }
    void failure()
    {
        QFETCH(Libraries, libraries);
        QFETCH(QString, message);
        QFETCH(QStringList, opened);
        FakeRas ras;
        install(ras, libraries);
        QCOMPARE(resolveError(), message);
        QCOMPARE(ras.openedLibraries, opened);
        // Nothing was remembered: the next call starts again with rasapi32.dll.
        QCOMPARE(resolveError(), message);
        QCOMPARE(ras.openedLibraries, opened + opened);
    }

    void failure_thenLibraryAppears_resolvesFromScratch()
    {
        FakeRas ras;
        install(ras, {QStringList{}, QStringList{}});
        QCOMPARE(resolveError(), QStringLiteral("Function RasGetEntryProperties not found!"));
        ras.setLibrary(RasApi, {AName});
        QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        QCOMPARE(ras.openedLibraries, (QStringList{RasApi, Rnaph, RasApi}));
    }

    void loadedLibraryLosesFunction_noOtherLibraryTried()
    {
        FakeRas ras;
        install(ras, {QStringList{AName}, QStringList{PlainName}});
        QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        ras.setLibrary(RasApi, {});
        QCOMPARE(resolveError(), QStringLiteral("Function RasGetEntryProperties not found!"));
        QCOMPARE(ras.openedLibraries, QStringList{RasApi});
        // The state survived: the next successful lookup is again the A name in rasapi32.dll.
        ras.setLibrary(RasApi, {AName});
        QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        QCOMPARE(ras.openedLibraries, QStringList{RasApi});
        QCOMPARE(ras.lookups.last(), RasApi + QStringLiteral(":RasGetEntryPropertiesA"));
    }

    void fallbackStaysWithPlainName_evenForOtherNames()
    {
        FakeRas ras;
        install(ras, {QStringList{}, QStringList{PlainName, QStringLiteral("RasOther")}});
        QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        QVERIFY(GetRasProc("RasOther") != nullptr);
        QCOMPARE(ras.lookups.last(), Rnaph + QStringLiteral(":RasOther"));
    }

    void wrapper_forwardsArgumentsAndResult()
    {
        FakeRas ras;
        ras.addEntry(QStringLiteral("Provider"), QStringLiteral("0192658"), 604);
        RasDword entrySize = 7, deviceInfoSize = 9;
        QCOMPARE(RasGetEntryProperties(nullptr, "Provider", nullptr, &entrySize, nullptr, &deviceInfoSize),
                 RasDword(604));
        QCOMPARE(ras.entryPropertiesCalls.size(), 1);
        QCOMPARE(ras.entryPropertiesCalls[0].entry, QStringLiteral("Provider"));
        QCOMPARE(ras.entryPropertiesCalls[0].entrySize, RasDword(7));
        QCOMPARE(ras.entryPropertiesCalls[0].deviceInfoSize, RasDword(9));
        QVERIFY(!ras.entryPropertiesCalls[0].withBuffer);
        // Resolved anew on every call.
        RasGetEntryProperties(nullptr, "Provider", nullptr, &entrySize, nullptr, &deviceInfoSize);
        QCOMPARE(ras.lookups.size(), 2);
    }

    void wrapper_resolverFailureThrows()
    {
        FakeRas ras;
        ras.removeLibrary(RasApi);
        RasDword size = 0, info = 0;
        QVERIFY_THROWS_EXCEPTION(RasError, RasGetEntryProperties(nullptr, "x", nullptr, &size, nullptr, &info));
        QVERIFY(ras.entryPropertiesCalls.isEmpty());
    }

    void moduleSwitch_givesBackOnlyRnaph_data()
    {
        QTest::addColumn<Libraries>("libraries");
        QTest::addColumn<QStringList>("closed");
        QTest::newRow("rasapi32 in use: left to process exit")
            << Libraries{QStringList{AName}, std::nullopt} << QStringList{};
        QTest::newRow("rnaph in use: released")
            << Libraries{QStringList{}, QStringList{PlainName}} << QStringList{Rnaph};
    }
    void moduleSwitch_givesBackOnlyRnaph()
    {
        QFETCH(Libraries, libraries);
        QFETCH(QStringList, closed);
        FakeRas first;
        install(first, libraries);
        QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
        {
            FakeRas second;   // installing another module ends the first one's resolver state
            QCOMPARE(first.closedLibraries, closed);
            QVERIFY(GetRasProc("RasGetEntryProperties") != nullptr);
            QCOMPARE(second.openedLibraries, QStringList{RasApi});
        }
    }
};

QTEST_GUILESS_MAIN(TestRasResolver)
#include "tst_rasresolver.moc"
