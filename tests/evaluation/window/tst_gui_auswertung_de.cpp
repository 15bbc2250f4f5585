// The evaluation window driven as a user drives it: the month tree, choosing months, the banner,
// export and print through the dialogs' test answers.
#include "core/Language.h"
#include "core/SettingsStore.h"
#include "evaluation/Export.h"
#include "evaluation/window/Auswertung.h"
#include "evaluation/window/ComparisonPage.h"
#include "evaluation/window/ProtokollModel.h"
#include "tests/support/ComparisonCase.h"
#include "tests/support/CoreFakes.h"
#include "tests/support/ShownTexts.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"
#include "ui/Shell.h"
#include "ui/WindowFont.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

namespace {
TVerbindung record(int day, double cost, const char *tarif = "Abend")
{
    TVerbindung v;
    v.Datum = v.Start = EncodeDateTime(2003, 3, day, 20, 0, 0);
    v.Ende = EncodeDateTime(2003, 3, day, 20, 30, 0);
    v.Kosten = cost;
    v.Tarif.set(QLatin1String(tarif));
    return v;
}

struct Fixture
{
    TempProgramDir dir;
    FakeClock clock{EncodeDateTime(2005, 6, 1, 12, 0, 0)};
    ReportRecorder reports;
    std::unique_ptr<TAuswertung> window;

    Fixture()
    {
        MessageBox::SetTestMode(true);
        Shell::SetTestMode(true);
        LoadLanguage(dir.file(QStringLiteral("none.qlf")));   // the built-in texts
        log(2003, "Januar", {record(2, 0.5), record(3, 1.25)});
        log(2003, "März", {record(5, 0.37)});
        QDir().mkpath(dir.file(QStringLiteral("Data/2005")));
        window = std::make_unique<TAuswertung>();
    }
    ~Fixture()
    {
        window.reset();
        Shell::SetTestMode(false);
        MessageBox::SetTestMode(false);
    }
    void log(int year, const char *month, const std::vector<TVerbindung> &records)
    {
        TKostenDatenbank db;
        db.Pfad = dir.file(QStringLiteral("Data/%1/%2.qod").arg(year).arg(QString::fromUtf8(month)));
        QDir().mkpath(QFileInfo(db.Pfad).path());
        for (const TVerbindung &v : records) AppendData(db, v);
    }
    void choose(int year, int month)
    {
        QTreeWidgetItem *y = window->TreeView1->topLevelItem(year);
        window->TreeView1->setCurrentItem(month < 0 ? y : y->child(month));
    }
    QStringList row(int r) const { return rowOf(window->Protokoll, r); }
    static QStringList rowOf(const QAbstractItemModel *model, int r)
    {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c) texts << model->index(r, c).data().toString();
        return texts;
    }
};
}

class TestAuswertung : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tree_listsYearsFolderByFolder()
    {
        Fixture f;
        QTreeWidget *tree = f.window->TreeView1;
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("2003"));
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("2005"));
        QCOMPARE(tree->topLevelItem(0)->childCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("März"));
        QCOMPARE(tree->topLevelItem(1)->childCount(), 0);
        QCOMPARE(f.window->SBExport->text(), QStringLiteral("Exportieren"));
    }

    void choosingMonths_listsOnlyTheLastOnesRows()
    {
        Fixture f;
        f.choose(0, 0);
        f.choose(0, 1);
        QCOMPARE(f.window->Protokoll->rowCount(), 1);
        f.choose(0, 0);
        QCOMPARE(f.window->Protokoll->rowCount(), 2);
        QCOMPARE(f.row(1), (QStringList{"03.03.03", "20:00:00", "20:30:00", "Abend", "1,25"}));
        QCOMPARE(f.window->Protokoll->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Beginn"));
        QCOMPARE(f.window->Grafik->pixmap().size(), f.window->Grafik->size());
        // A month whose log went away after the tree was built is empty: the list, graph, export, print.
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QFile::remove(f.dir.file(QStringLiteral("Data/2003/März.qod")));
        f.choose(0, 1);
        QVERIFY(!f.window->ProtokollList->indexAt(QPoint(5, 5)).isValid() && f.window->MonatsLog.Daten.empty());
        // Destroyed while shown (the program's end): the list no longer reads the month log.
        f.choose(0, 0);   // the list's new layout is still due
        f.window.reset();
    }

    void year_itsMonthsTotalAndChart_thenAMonthWithItsTotal()
    {
        Fixture f;
        f.log(2005, "Juni", {record(1, 2361.15)});   // the month of today: what is left of the limit
        f.window = std::make_unique<TAuswertung>();
        GesamtLimit = 100;
        f.choose(0, -1);
        const QAbstractItemModel *rows = f.window->ProtokollList->model();
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(f.rowOf(rows, 0), (QStringList{"Januar", "2", "1:00:00", "0,02"}));   // 0,5 + 1,25 cents
        QCOMPARE(f.window->LSumme->text(), QStringLiteral("2003: 3 Verbindungen, 1:30:00 Std., 0,02 €"));
        QCOMPARE(f.window->LGrafikSumme->text(), f.window->LSumme->text());
        const QImage chart = f.window->Grafik->pixmap().toImage();
        QCOMPARE(chart.size(), f.window->Grafik->size());
        // January's bar stands at (Wc - 30) / 12, March's at three times that.
        const int base = chart.height() - 11;
        QCOMPARE(chart.pixel(qRound((chart.width() - 30) / 12.0), base), qRgb(0, 0, 0));
        QCOMPARE(chart.pixel(qRound((chart.width() - 30) / 12.0 * 2), base), qRgb(255, 255, 255));

        f.choose(0, 1);   // a month gone by: no limit
        QCOMPARE(f.window->LSumme->text(), QStringLiteral("1 Verbindung, 0:30:00 Std., 0,00 €"));
        f.choose(1, 0);
        QCOMPARE(f.window->ProtokollList->model(), f.window->Protokoll);
        QCOMPARE(f.window->Protokoll->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Kosten (ct)"));
        QCOMPARE(f.row(0)[4], QStringLiteral("2361,15"));   // the cells stay in cents
        QCOMPARE(f.window->LSumme->text(),
                 QStringLiteral("1 Verbindung, 0:30:00 Std., 23,61 €; noch 76,39 € bis zum Gesamtlimit"));
    }

    void comparison_cheapestFirstWhenThePageIsSeen()
    {
        Fixture f;
        f.log(2005, "März", ComparisonCase::records());
        f.window = std::make_unique<TAuswertung>();
        Tarife = ComparisonCase::tariffs();
        Bundesland = 8;
        f.window->show();
        f.choose(1, 0);
        const QAbstractItemModel *table = f.window->Vergleich->VergleichList->model();
        QCOMPARE(table->rowCount(), 0);   // not priced while another page is shown
        f.window->PageControl1->SetActivePage(f.window->TVergleich);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(f.rowOf(table, 0), (QStringList{"Null", "0,00", "-0,80", ""}));
        QCOMPARE(f.rowOf(table, 2), (QStringList{"Flat", "1,00", "+0,20", "am meisten genutzt"}));
        QCOMPARE(f.rowOf(table, 3)[0], QStringLiteral("Sonntag teuer"));
        QVERIFY(f.window->Vergleich->LVergleich->text().startsWith("Protokolliert: 0,80 € für 6 Verbindungen"));
        Tarife.pop_back();   // changed while the window was away: priced anew at the next showing
        f.window->hide();
        f.window->show();
        QCOMPARE(table->rowCount(), 3);
        Tarife.clear();
    }

    void keyboard_anotherMonthAfterEndOpensAtTheTop_ctrlTabSwitchesTheTabs()
    {
        Fixture f;
        f.log(2003, "April", std::vector<TVerbindung>(300, record(1, 0.5)));
        f.log(2003, "Mai", std::vector<TVerbindung>(300, record(2, 0.5)));
        f.window = std::make_unique<TAuswertung>();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTreeView *list = f.window->ProtokollList;
        f.choose(0, 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));   // the first row, then End
        QTest::keyClick(list, Qt::Key_End);
        QTRY_VERIFY(list->indexAt(QPoint(5, 5)).row() > 100);
        f.choose(0, 3);
        QVERIFY(list->indexAt(QPoint(5, 5)).row() == 0 && !list->selectionModel()->hasSelection());
        QTest::keyClick(list, Qt::Key_PageDown, Qt::ControlModifier);   // the tabs', not the list's
        QCOMPARE(f.window->PageControl1->ActivePage(), f.window->TGrafik);
        f.window->TreeView1->setFocus();   // outside the tabs; round the end and back
        QTest::keyClick(f.window->TreeView1, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(f.window->TreeView1, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.window->PageControl1->ActivePage(), f.window->TProtokoll);
        QTest::keyClick(f.window->TreeView1, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.window->PageControl1->ActivePage(), f.window->TVergleich);
        UseWindowFontEverywhere();   // as the program starts: the menus, windows of their own, alike
        QCOMPARE(QMenu(f.window.get()).font(), f.window->font());
    }

    void banner_drawsThreeInFiveOfTheSecondAndOpensThePartnerPage()
    {
        QStringList drawn;
        for (int r = 0; r < 5; ++r) drawn << BannerForDraw(r);
        QCOMPARE(drawn, (QStringList{"AMAMUL1", "AMAMUL2", "AMADVD1", "AMAMUL2", "AMAMUL2"}));
        Fixture f;
        f.window->show();
        QCOMPARE(f.window->Werbebanner->pixmap().size(), QSize(468, 60));
        QTest::mouseClick(f.window->Werbebanner, Qt::LeftButton);
        QCOMPARE(Shell::Opened(), QStringList(QStringLiteral(MINUTRIX_BANNER_URL)));
    }

    void export_byTheChosenName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::newRow("txt") << "out.txt" << true;
        QTest::newRow("xls") << "out.xls" << true;
        QTest::newRow("capital extension") << "out.TXT" << false;
        QTest::newRow("other extension") << "mai.csv" << false;
        QTest::newRow("no extension") << "out" << false;
        QTest::newRow("cancelled") << "" << false;
    }
    void export_byTheChosenName()
    {
        QFETCH(QString, name);
        QFETCH(bool, written);
        Fixture f;
        f.choose(0, 0);
        const QString path = name.isEmpty() ? QString() : f.dir.file(name);
        Shell::SetNextFileName(path);
        QTest::mouseClick(f.window->SBExport, Qt::LeftButton);
        QCOMPARE(QFile::exists(f.dir.file(name.isEmpty() ? QStringLiteral("none") : name)), written);
        QCOMPARE(MessageBox::History().size(), int(!written && !name.isEmpty()));   // a refusal says why
        if (name == QLatin1String("out.txt"))
            QCOMPARE(f.dir.read(name).count("\r\n"), 3);   // the header and two connections
    }

    void exportAndPrint_withoutAMonth_sayWhy_data()
    {
        QTest::addColumn<bool>("yearChosen");
        QTest::newRow("nothing chosen") << false;
        QTest::newRow("a year chosen") << true;
    }
    void exportAndPrint_withoutAMonth_sayWhy()
    {
        QFETCH(bool, yearChosen);
        Fixture f;
        if (yearChosen) {   // after a month: the month is no longer shown
            f.choose(0, 0);
            f.choose(0, -1);
        }
        const QString out = f.dir.file(QStringLiteral("out.txt"));
        Shell::SetNextFileName(out);
        QTest::mouseClick(f.window->SBExport, Qt::LeftButton);
        Shell::SetNextPrint(1, f.dir.file(QStringLiteral("out.pdf")));
        QTest::mouseClick(f.window->SBPrint, Qt::LeftButton);
        QVERIFY(!QFile::exists(out) && !QFile::exists(f.dir.file(QStringLiteral("out.pdf"))));
        QCOMPARE(ShownTexts(),
                 (QStringList{"Es ist kein Monat gewählt: Wählen Sie links einen Monat, um ihn zu exportieren.",
                              "Es ist kein Monat gewählt: Wählen Sie links einen Monat, um ihn zu drucken."}));
    }

    void print_copiesAsChosen()
    {
        Fixture f;
        f.choose(0, 0);
        Shell::SetNextPrint(std::nullopt);
        QTest::mouseClick(f.window->SBPrint, Qt::LeftButton);   // cancelled
        const QString pdf = f.dir.file(QStringLiteral("out.pdf"));
        QVERIFY(!QFile::exists(pdf));
        Shell::SetNextPrint(3, pdf);
        QTest::mouseClick(f.window->SBPrint, Qt::LeftButton);
        const QByteArray bytes = f.dir.read(QStringLiteral("out.pdf"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 3);
        QCOMPARE(MessageBox::History().size(), 0);
        Shell::SetNextPrint(1, f.dir.file(QStringLiteral("a5.pdf")), QPageSize(QPageSize::A5));   // too narrow
        QTest::mouseClick(f.window->SBPrint, Qt::LeftButton);
        QVERIFY(!QFile::exists(f.dir.file(QStringLiteral("a5.pdf"))) && MessageBox::History().size() == 1);
    }
};

QTEST_MAIN(TestAuswertung)
#include "tst_gui_auswertung_de.moc"
