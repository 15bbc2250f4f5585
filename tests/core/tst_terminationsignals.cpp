// The bridge from termination signals to the event loop: the flag is set at once, the call comes
// from the event loop, and signals in a row end the program once.
#include "core/TerminationSignals.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>

class TestTerminationSignals : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signals_reachTheEventLoopOnce_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signals_reachTheEventLoopOnce()
    {
        QFETCH(int, signal);
        int calls = 0;
        TerminationSignals bridge([&] { ++calls; });
        QVERIFY(!TerminationSignals::Received());
        ::raise(signal);
        ::raise(signal);
        QVERIFY(TerminationSignals::Received());   // before any event has run
        QCOMPARE(calls, 0);
        QTRY_COMPARE(calls, 1);
        QTest::qWait(50);
        QCOMPARE(calls, 1);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
