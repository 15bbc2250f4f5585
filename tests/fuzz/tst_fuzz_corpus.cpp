// Every input of the fuzz corpus through its target, in the ordinary build: the checks inside the
// targets hold for the seed files and for every crash input kept there once it was mended.
#include "tests/fuzz/FuzzFiles.h"

#include <QDir>
#include <QTest>

int FuzzTarget_tarifstore(const std::uint8_t *data, std::size_t size);
int FuzzTarget_monatslog(const std::uint8_t *data, std::size_t size);
int FuzzTarget_settings(const std::uint8_t *data, std::size_t size);
int FuzzTarget_language(const std::uint8_t *data, std::size_t size);
int FuzzTarget_pppd(const std::uint8_t *data, std::size_t size);

namespace {
using Target = int (*)(const std::uint8_t *, std::size_t);
const std::pair<const char *, Target> Targets[] = {
    {"tarifstore", FuzzTarget_tarifstore}, {"monatslog", FuzzTarget_monatslog}, {"settings", FuzzTarget_settings},
    {"language", FuzzTarget_language},     {"pppd", FuzzTarget_pppd},
};
}

class TestFuzzCorpus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void corpusInput_passesItsTarget_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("file");
        for (int t = 0; t < int(std::size(Targets)); ++t) {
            const QDir folder(QStringLiteral(MINUTRIX_FUZZ_CORPUS "/") + QLatin1String(Targets[t].first));
            const QStringList names = folder.entryList(QDir::Files, QDir::Name);
            // A target without seeds would be fuzzed from nothing, and would not be replayed here.
            QVERIFY2(names.size() >= 3, Targets[t].first);
            for (const QString &name : names)
                QTest::addRow("%s/%s", Targets[t].first, qPrintable(name)) << t << folder.filePath(name);
        }
    }
    void corpusInput_passesItsTarget()
    {
        QFETCH(int, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(
            Targets[target].second(reinterpret_cast<const std::uint8_t *>(bytes.constData()), size_t(bytes.size())), 0);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
