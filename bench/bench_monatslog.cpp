// Opening a busy month in the evaluation window must stay quick: ReadAllData of 100 000 records.
#include "core/Bytes.h"
#include "core/MonatsLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int RecordCount = 100000;

class MonthLogFile : public benchmark::Fixture
{
public:
    void SetUp(const benchmark::State &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("Maerz.qod"));
        QByteArray bytes(MonatsLogHeaderSize + qsizetype(RecordCount) * VerbindungSize, '\0');
        PutInt32(bytes.data(), 1);
        for (int i = 0; i < RecordCount; ++i) {
            TVerbindung v;
            v.Datum = 38412.0 + i / 3300.0;
            v.Start = v.Datum;
            v.Ende = v.Datum + 0.01;
            v.Kosten = 0.5 + i % 17;
            v.Tarif = QStringLiteral("Tarif %1").arg(i % 5);
            WriteVerbindung(v, bytes.data() + MonatsLogHeaderSize + qsizetype(i) * VerbindungSize);
        }
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }

    void TearDown(const benchmark::State &) override { m_dir.reset(); }

protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};
}

BENCHMARK_DEFINE_F(MonthLogFile, ReadAllData100k)(benchmark::State &state)
{
    for (auto _ : state) {
        TKostenDatenbank log;
        log.Pfad = m_path;
        ReadAllData(log);
        benchmark::DoNotOptimize(log.Daten.data());
        if (log.Daten.size() != size_t(RecordCount)) state.SkipWithError("wrong record count");
    }
}
BENCHMARK_REGISTER_F(MonthLogFile, ReadAllData100k)->Unit(benchmark::kMillisecond);

// One append to a month that is already large: size check, seek to the end, one write.
BENCHMARK_DEFINE_F(MonthLogFile, AppendDataToLargeMonth)(benchmark::State &state)
{
    TKostenDatenbank log;
    log.Pfad = m_path;
    TVerbindung v;
    v.Tarif = QStringLiteral("Tarif");
    for (auto _ : state) AppendData(log, v);
}
BENCHMARK_REGISTER_F(MonthLogFile, AppendDataToLargeMonth)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
