// LoadLanguage of a complete language file: all 42 keys present, read once per start-up.
#include "core/Language.h"
#include "core/Win1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_LoadLanguage_FullFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("english.qlf"));
    QByteArray text;
    const char *section = "";
    for (const TLanguageEntry &row : LanguageTable()) {
        if (qstrcmp(section, row.section) != 0) {
            section = row.section;
            text += QByteArray("\r\n[") + section + "]\r\n";
        }
        // The built-in texts in one line each, with the wizard texts' breaks as markers.
        QString value = row.builtIn;
        value.replace(QStringLiteral("\r\n"), QStringLiteral("#13#10"));
        text += QByteArray(row.key) + '=' + ToWin1252(value) + "\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
        state.SkipWithError("cannot write the language file");
        return;
    }
    f.close();
    for (auto _ : state) {
        LoadLanguage(path);
        benchmark::DoNotOptimize(Monate[3].size());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_LoadLanguage_FullFile);

BENCHMARK_MAIN();
