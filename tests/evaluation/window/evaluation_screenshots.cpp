// Writes the pictures of the evaluation window under docs/ (run by scripts/screenshots.sh under
// Xvfb): a month of connections on the list tab and on the graph tab.
#include "core/Language.h"
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
    db.Pfad = dir.file(QStringLiteral("Data/2026/November.qod"));
    QDir().mkpath(QFileInfo(db.Pfad).path());
    const char *const tarife[] = {"Abendtarif", "Wochenende", "Call-by-Call Spät"};
    for (int day = 1; day <= 30; ++day)
        for (int n = 0; n < 1 + day % 3; ++n) {
            TVerbindung v;
            const int hour = 18 + n * 2, minutes = 7 + (day * 13 + n * 29) % 50;
            v.Datum = v.Start = EncodeDateTime(2026, 11, day, hour, 5, 0);
            v.Ende = v.Start + minutes / 1440.0;
            v.Kosten = minutes * (0.0119 + 0.004 * ((day + n) % 3));
            v.Tarif.set(QString::fromUtf8(tarife[(day + n) % 3]));
            AppendData(db, v);
        }
    db.Pfad = dir.file(QStringLiteral("Data/2026/Dezember.qod"));
    AppendData(db, TVerbindung{});

    TAuswertung w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) qWarning("window not exposed");
    QTreeWidgetItem *year = w.TreeView1->topLevelItem(1);
    year->setExpanded(true);
    w.TreeView1->setCurrentItem(year->child(0));
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-list.png"));
    w.PageControl1->SetActivePage(w.TGrafik);
    QTest::qWait(200);
    w.grab().save(out + QStringLiteral("evaluation-graph.png"));
    return 0;
}
