// Writes the pictures of the evaluation window under docs/ (run by scripts/screenshots.sh under
// Xvfb): a month of connections on the list tab and on the graph tab, the year overview and the
// comparison of the tariffs.
#include "core/DataFolder.h"
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "evaluation/window/Auswertung.h"
#include "tests/support/CoreFakes.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTreeWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) + QLatin1Char('/') : QStringLiteral("docs/");
    TempProgramDir dir;
    FakeClock clock(EncodeDateTime(2026, 12, 9, 12, 0, 0));
    LoadLanguage(dir.file(QStringLiteral("none.qlf")));
    QDir().mkpath(dir.file(QStringLiteral("Data/2025")));
    TKostenDatenbank db;
    QDir().mkpath(dir.file(QStringLiteral("Data/2026")));
    const char *const tarife[] = {"Abendtarif", "Wochenende", "Call-by-Call Spät"};
    for (int month = 7; month <= 11; ++month) {
        db.Pfad = dir.file(QStringLiteral("Data/2026/%1.qod").arg(BuiltInMonthName(month)));
        db.Daten.clear();
        for (int day = 1; day <= 30; ++day)
            for (int n = 0; n < 1 + (day + month) % 3; ++n) {
                TVerbindung v;
                const int hour = 18 + n * 2, minutes = 7 + (day * 13 + n * 29 + month) % 50;
                v.Datum = v.Start = EncodeDateTime(2026, month, day, hour, 5, 0);
                v.Ende = v.Start + minutes / 1440.0;
                v.Kosten = minutes * (1.19 + 0.4 * ((day + n) % 3));
                v.Tarif.set(QString::fromUtf8(tarife[(day + n) % 3]));
                AppendData(db, v);
            }
    }
    for (int k = 0; k < 4; ++k) {
        TTarif t = MakeTarif(QString::fromUtf8(k < 3 ? tarife[k] : "Flatrate Nacht"), {}, {}, 1.19 + 0.4 * k);
        for (int h = 0; h < 8; ++h) t.Kosten[1][size_t(h)] = 0;
        Tarife.push_back(t);
    }
    Bundesland = 8;
    GesamtLimit = 100;
    db.Pfad = dir.file(QStringLiteral("Data/2026/Dezember.qod"));
    AppendData(db, TVerbindung{});

    TAuswertung w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) qWarning("window not exposed");
    QTreeWidgetItem *year = w.TreeView1->topLevelItem(1);
    year->setExpanded(true);
    w.TreeView1->setCurrentItem(year->child(4));
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-list.png"));
    w.PageControl1->SetActivePage(w.TGrafik);
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-graph.png"));
    w.PageControl1->SetActivePage(w.TVergleich);
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-comparison.png"));
    w.TreeView1->setCurrentItem(year);
    w.PageControl1->SetActivePage(w.TProtokoll);
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-year.png"));
    w.PageControl1->SetActivePage(w.TGrafik);
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-year-graph.png"));
    return 0;
}
