// The connection monitor against the scripted RAS: construction, owner checks and the entry
// and number lists.
#include "core/Exception.h"
#include "dialup/VexRasConnect.h"
#include "tests/support/FakeRas.h"

#include <QTest>
#include <QWidget>

namespace {
QString constructionError(QObject *owner)
{
    try {
        TVexRasConnect m(owner);
    } catch (const Exception &e) {
        return e.message();
    }
    return QString();
}
}

// Another class derived from the component: not "exactly this class".
class DerivedMonitor : public TVexRasConnect
{
    Q_OBJECT
public:
    using TVexRasConnect::TVexRasConnect;
};

class TestVexRasConnect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction_listsEntriesAndNumbers_noPoll()
    {
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        ras.addEntry("Work", "");
        ras.addEntry(QStringLiteral("M\u00FCnchen"), "089 1234");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableEntries(), (QStringList{"Provider", "Work", QStringLiteral("M\u00FCnchen")}));
        QCOMPARE(m.AvailableNumbers(), (QStringList{"0192658", "", "089 1234"}));
        QCOMPARE(m.Language(), TLanguage::croatian);
        QVERIFY(!m.DoTimer());
        QVERIFY(!m.IsConnected());
        QCOMPARE(m.Status(), QString());
        QCOMPARE(m.parent(), &form);
        QCOMPARE(ras.enumConnectionsCalls, 0);
        QCOMPARE(ras.connectStatusCalls, 0);
    }

    void enumEntries_603_oneMoreCallWithTheAskedSize()
    {
        FakeRas ras;
        for (const char *name : {"A", "B", "C"}) ras.addEntry(name, "1");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, 2);
        QCOMPARE(ras.enumEntriesBytes, (QList<RasDword>{264, 3 * 264}));
        QCOMPARE(ras.enumEntriesDwSize, (QList<RasDword>{264, 264}));
        QCOMPARE(m.AvailableEntries().size(), 3);
    }

    void enumEntries_oneEntry_oneCall()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, 1);
        QCOMPARE(m.AvailableEntries(), QStringList{"A"});
    }

    void enumEntries_failure_listsEmpty_data()
    {
        QTest::addColumn<RasDword>("result");
        QTest::newRow("general failure") << RasDword(1);
        QTest::newRow("invalid size") << ERROR_INVALID_SIZE;
        QTest::newRow("603 twice") << ERROR_BUFFER_TOO_SMALL;
    }
    void enumEntries_failure_listsEmpty()
    {
        QFETCH(RasDword, result);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.failEnumEntries(result);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.enumEntriesCalls, result == ERROR_BUFFER_TOO_SMALL ? 2 : 1);
        QVERIFY(m.AvailableEntries().isEmpty());
        QVERIFY(m.AvailableNumbers().isEmpty());
        QVERIFY(ras.entryPropertiesCalls.isEmpty());
    }

    void enumEntries_countBeyondTheBuffer_readsOnlyTheBuffer()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry("B", "2");
        ras.overstateEntryCount(40);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableEntries(), (QStringList{"A", "B"}));
    }

    void numbers_probeThenRead()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.setProbeSize(2000);
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.entryPropertiesCalls.size(), 2);
        const FakeRas::EntryPropertiesCall probe = ras.entryPropertiesCalls[0];
        QVERIFY(!probe.withBuffer);
        QCOMPARE(probe.entrySize, RasDword(0));
        QCOMPARE(probe.deviceInfoSize, RasDword(0));
        const FakeRas::EntryPropertiesCall read = ras.entryPropertiesCalls[1];
        QVERIFY(read.withBuffer);
        QCOMPARE(read.entrySize, RasDword(2000));
        QCOMPARE(read.dwSize, RasDword(1768));
        QCOMPARE(read.entry, QStringLiteral("A"));
        QCOMPARE(m.AvailableNumbers(), QStringList{"1"});
    }

    void numbers_readFailure_emptyNumber_data()
    {
        QTest::addColumn<RasDword>("result");
        QTest::newRow("failure") << RasDword(1);
        QTest::newRow("603") << ERROR_BUFFER_TOO_SMALL;
        QTest::newRow("entry not found") << ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    void numbers_readFailure_emptyNumber()
    {
        QFETCH(RasDword, result);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry("B", "2", ERROR_BUFFER_TOO_SMALL, result);
        ras.addEntry("C", "3");
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(m.AvailableNumbers(), (QStringList{"1", "", "3"}));
    }

    void numbers_probedSizeBelowTheStructure_staysInsideTheBuffer()
    {
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.setProbeSize(2);   // too small even for dwSize: the sanitizers see any write past it
        QWidget form;
        TVexRasConnect m(&form);
        QCOMPARE(ras.entryPropertiesCalls[1].dwSize, RasDword(0));   // the fake reads dwSize only from 4 bytes on
        QCOMPARE(m.AvailableNumbers(), QStringList{""});
    }

    void probeFailure_throwsCroatianText_data()
    {
        QTest::addColumn<RasDword>("probeResult");
        QTest::newRow("success instead of 603") << RAS_SUCCESS;
        QTest::newRow("failure") << RasDword(1);
        QTest::newRow("entry not found") << ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    }
    void probeFailure_throwsCroatianText()
    {
        QFETCH(RasDword, probeResult);
        FakeRas ras;
        ras.addEntry("A", "1");
        ras.addEntry(QStringLiteral("Veza \u0161kola"), "2", probeResult);
        ras.addEntry("C", "3");
        QWidget form;
        const QString message = QStringLiteral("Ne mogu dobiti informacije o vezi Veza \u0161kola");
        QCOMPARE(constructionError(&form), message);
        QVERIFY(form.findChildren<TVexRasConnect *>().isEmpty());
        QCOMPARE(ras.entryPropertiesCalls.size(), 3);   // A probed and read, the failing one probed, C never
        // The failed component left nothing behind: trying again fails the same way, not as a second one.
        QCOMPARE(constructionError(&form), message);
    }

    void resolverFailure_leavesTheConstructor_data()
    {
        QTest::addColumn<bool>("rasapi32");
        QTest::addColumn<QString>("message");
        QTest::newRow("no rasapi32") << false << QStringLiteral("Error opening rasapi32.dll");
        QTest::newRow("function nowhere") << true << QStringLiteral("Function RasGetEntryProperties not found!");
    }
    void resolverFailure_leavesTheConstructor()
    {
        QFETCH(bool, rasapi32);
        QFETCH(QString, message);
        FakeRas ras;
        ras.addEntry("A", "1");
        if (rasapi32) {
            ras.setLibrary("rasapi32.dll", {});
            ras.setLibrary("rnaph.dll", {});
        } else {
            ras.removeLibrary("rasapi32.dll");
        }
        QWidget form;
        QCOMPARE(constructionError(&form), message);
    }

    // A phonebook that changes (NetworkManager's arrives after the start) is read again at the
    // next poll; one that cannot be read then leaves the lists as they were, and the poll goes on.
    void changedPhonebook_readAtTheNextPoll_data()
    {
        QTest::addColumn<RasDword>("probe");   // of the new entry
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("read") << ERROR_BUFFER_TOO_SMALL << QStringList{"Provider", "Hotspot"}
                              << QStringList{"0192658", "AndroidAP"};
        QTest::newRow("probe fails: kept")
            << RasDword(ERROR_CANNOT_FIND_PHONEBOOK_ENTRY) << QStringList{"Provider"} << QStringList{"0192658"};
    }
    void changedPhonebook_readAtTheNextPoll()
    {
        QFETCH(RasDword, probe);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, numbers);
        FakeRas ras;
        ras.addEntry("Provider", "0192658");
        QWidget form;
        TVexRasConnect m(&form);
        ras.addEntry("Hotspot", "AndroidAP", probe);
        m.Poll();
        QCOMPARE(m.AvailableEntries(), QStringList{"Provider"});   // no change said, none read
        ras.changePhonebook();
        m.Poll();
        QCOMPARE(m.AvailableEntries(), entries);
        QCOMPARE(m.AvailableNumbers(), numbers);
        QCOMPARE(m.Status(), QStringLiteral("Nismo spojeni"));   // the poll itself went on
    }

    void ownerChecks_data()
    {
        QTest::addColumn<int>("owner");   // 0 none, 1 plain object, 2 form with a monitor, 3 form with a derived one,
                                          // 4 form with a monitor on a child widget
        QTest::addColumn<QString>("message");
        const QString notForm = QStringLiteral("Please drop the component onto a Form!");
        const QString twice = QStringLiteral("There is TVexRasConnect component already on this form");
        QTest::newRow("no owner") << 0 << notForm;
        QTest::newRow("not a form") << 1 << notForm;
        QTest::newRow("second on a form") << 2 << twice;
        QTest::newRow("a derived class is another class") << 3 << QString();
        QTest::newRow("only the form's own components count") << 4 << QString();
    }
    void ownerChecks()
    {
        QFETCH(int, owner);
        QFETCH(QString, message);
        FakeRas ras;
        QObject plain;
        QWidget form;
        auto *child = new QWidget(&form);
        if (owner == 2) new TVexRasConnect(&form);
        if (owner == 3) new DerivedMonitor(&form);
        if (owner == 4) new TVexRasConnect(child);
        QObject *target = owner == 0 ? nullptr : owner == 1 ? &plain : &form;
        QCOMPARE(constructionError(target), message);
        QVERIFY(plain.children().isEmpty());
    }
};

QTEST_MAIN(TestVexRasConnect)
#include "tst_gui_vexrasconnect.moc"
