// Opening a month of 100 000 connections in the evaluation window: the log read, the list reset
// and the graph drawn, then one paint of the window as the user sees it; and a year of twelve months.
#include "bench/GuiBenchMain.h"
#include "core/DataFolder.h"
#include "evaluation/window/Auswertung.h"
#include "tests/support/CoreFakes.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

static void OpenMonthOf100000(benchmark::State &state)
{
    TempProgramDir dir;
    FakeClock clock(EncodeDateTime(2026, 12, 9, 12, 0, 0));
    QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
    QByteArray file(4, '\0');
    TVerbindung v;
    v.Tarif.set(QStringLiteral("Abendtarif"));
    for (int i = 0; i < 100000; ++i) {
        v.Datum = v.Start = EncodeDateTime(2026, 11, 1 + i % 30, 20, 0, 0);
        v.Ende = v.Start + 0.01;
        v.Kosten = 0.1 + i % 7 * 0.01;
        char rec[VerbindungSize];
        WriteVerbindung(v, rec);
        file.append(rec, VerbindungSize);
    }
    dir.write(QStringLiteral("Data/2026/November.qod"), file);
    TAuswertung w;
    w.show();
    QTreeWidgetItem *month = w.TreeView1->topLevelItem(0)->child(0);
    for (auto _ : state) {
        w.TreeView1->setCurrentItem(nullptr);
        w.TreeView1->setCurrentItem(month);
        w.repaint();
    }
}
BENCHMARK(OpenMonthOf100000)->Unit(benchmark::kMillisecond);

// Choosing a year of twelve month logs of 1 000 connections: the logs read and summed, the rows
// and the chart of the months, one paint.
static void OpenYearOf12x1000(benchmark::State &state)
{
    TempProgramDir dir;
    FakeClock clock(EncodeDateTime(2026, 12, 9, 12, 0, 0));
    QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
    TVerbindung v;
    v.Tarif.set(QStringLiteral("Abendtarif"));
    for (int month = 1; month <= 12; ++month) {
        QByteArray file(4, '\0');
        for (int i = 0; i < 1000; ++i) {
            v.Datum = v.Start = EncodeDateTime(2026, month, 1 + i % 28, 20, 0, 0);
            v.Ende = v.Start + 0.01;
            v.Kosten = 1 + i % 7;
            char rec[VerbindungSize];
            WriteVerbindung(v, rec);
            file.append(rec, VerbindungSize);
        }
        dir.write(QStringLiteral("Data/2026/%1.qod").arg(BuiltInMonthName(month)), file);
    }
    TAuswertung w;
    w.show();
    QTreeWidgetItem *year = w.TreeView1->topLevelItem(0);
    for (auto _ : state) {
        w.TreeView1->setCurrentItem(nullptr);
        w.TreeView1->setCurrentItem(year);
        w.repaint();
    }
}
BENCHMARK(OpenYearOf12x1000)->Unit(benchmark::kMillisecond);

MINUTRIX_GUI_BENCHMARK_MAIN()
