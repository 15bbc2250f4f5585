#include "evaluation/window/Auswertung.h"

#include "core/Exception.h"
#include "core/Language.h"
#include "evaluation/Export.h"
#include "evaluation/Grafik.h"
#include "evaluation/MonthTree.h"
#include "evaluation/Printing.h"
#include "evaluation/Totals.h"
#include "evaluation/YearOverview.h"
#include "evaluation/window/ComparisonPage.h"
#include "evaluation/window/ProtokollModel.h"
#include "evaluation/window/YearModel.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"
#include "ui/Shell.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QResizeEvent>
#include <QTreeView>
#include <QTreeWidget>

TAuswertung *Auswertung = nullptr;

namespace {
constexpr int TreeWidth = 121, PanelHeight = 62, TotalsHeight = 20;
constexpr int PathRole = Qt::UserRole + 1, MonthRole = Qt::UserRole + 2;

// The year node with its months as the tree lists them (built at the program's start).
TYearNode yearOf(const QTreeWidgetItem *node)
{
    TYearNode year{node->text(0).toInt(), {}};
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem *month = node->child(i);
        year.months.push_back({month->data(0, MonthRole).toInt(), month->text(0), month->data(0, PathRole).toString()});
    }
    return year;
}

// The boxes for an export or a printout that would write nothing.
QString notExportedText(const QString &fileName)
{
    return QCoreApplication::translate("TAuswertung",
                                       "„%1“ wurde nicht exportiert: Nur .txt- oder .xls-Dateien können exportiert "
                                       "werden (die Endung klein geschrieben).")
        .arg(QFileInfo(fileName).fileName());
}

QString notPrintedText(const QPagedPaintDevice &device)
{
    return QCoreApplication::translate("TAuswertung",
                                       "Es wurde nichts gedruckt: Die bedruckbare Breite ist %1 mm, gedruckt wird erst "
                                       "ab %2 mm. Wählen Sie ein breiteres Papier oder das Querformat.")
        .arg(PrintableSize(device).width() / 10)
        .arg(MinPrintWidth / 10);
}
}

QString BannerForDraw(int r)
{
    if (r == 0) return QStringLiteral("AMAMUL1");
    if (r == 2) return QStringLiteral("AMADVD1");
    return QStringLiteral("AMAMUL2");
}

TAuswertung::TAuswertung(QWidget *parent) : QDialog(parent), m_instance(Auswertung, this)
{
    setObjectName(QStringLiteral("Auswertung"));
    setWindowTitle(tr("Auswertung"));
    setFont(WindowFont());
    setGeometry(192, 114, 696, 480);
    setMinimumSize(150, 100);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setAccessibleName(tr("Monate"));
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { Guarded([this] { TreeView1Change(); }); });

    PageControl1 = new TPageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TProtokoll = PageControl1->AddPage(QStringLiteral("TProtokoll"), tr("Protokoll"));
    TGrafik = PageControl1->AddPage(QStringLiteral("TGrafik"), tr("Grafik"));
    TVergleich = PageControl1->AddPage(QStringLiteral("TVergleich"), tr("Vergleich"));
    Vergleich = new TComparisonPage(TVergleich);
    Vergleich->setObjectName(QStringLiteral("Vergleich"));

    Protokoll = new TProtokollModel(MonatsLog, this);
    Jahr = new TYearModel(this);
    ProtokollList = new QTreeView(TProtokoll);
    ProtokollList->setObjectName(QStringLiteral("ProtokollList"));
    ProtokollList->setRootIsDecorated(false);
    ProtokollList->setUniformRowHeights(true);   // rows are measured once, not one by one
    showRows(Protokoll, {100, 100, 100, 150, 75});
    ProtokollList->setAccessibleName(tr("Protokoll"));
    ProtokollList->header()->setStretchLastSection(false);
    LSumme = new QLabel(TProtokoll);
    LSumme->setObjectName(QStringLiteral("LSumme"));
    LGrafikSumme = new QLabel(TGrafik);
    LGrafikSumme->setObjectName(QStringLiteral("LGrafikSumme"));
    for (QLabel *l : {LSumme, LGrafikSumme}) l->setIndent(4);

    Panel1 = new QFrame(TProtokoll);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    SBExport = MakeFlatButton(Panel1, "SBExport", 0, 5, 81, 22, QStringLiteral("Exportieren"));
    SBPrint = MakeFlatButton(Panel1, "SBPrint", 0, 30, 81, 22, QStringLiteral("Drucken"));
    connect(SBExport, &QPushButton::clicked, this, [this] { Guarded([this] { SBExportClick(); }); });
    connect(SBPrint, &QPushButton::clicked, this, [this] { Guarded([this] { SBPrintClick(); }); });
    Werbebanner = Place(new QLabel(Panel1), "Werbebanner", 90, 2, 468, 60);
    Werbebanner->setCursor(Qt::PointingHandCursor);
    OnClick(Werbebanner, [this] { WerbebannerClick(); });

    Grafik = new QLabel(TGrafik);
    Grafik->setObjectName(QStringLiteral("Grafik"));
    Grafik->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    layoutControls();
    FormCreate();
    OnShow(this, [this] { Guarded([this] { FormShow(); }); });
}

TAuswertung::~TAuswertung()
{
    // The list reads this window's month log, which goes before the base class hides the window.
    ProtokollList->setModel(nullptr);
}

void TAuswertung::FormCreate()
{
    BuildMonthTree();
    SBExport->setText(B_Export);
    SBPrint->setText(B_Print);
}

void TAuswertung::BuildMonthTree()
{
    for (const TYearNode &year : ScanMonthTree()) {
        auto *node = new QTreeWidgetItem(TreeView1, {QString::number(year.year)});
        for (const TMonthNode &month : year.months) {
            auto *child = new QTreeWidgetItem(node, {month.name});
            child->setData(0, PathRole, month.path);
            child->setData(0, MonthRole, month.month);
        }
    }
}

void TAuswertung::TreeView1Change()
{
    const QTreeWidgetItem *node = TreeView1->currentItem();
    if (node && !node->parent())
        LoadSelectedYear();
    else
        LoadSelectedMonth();
}

void TAuswertung::LoadSelectedMonth()
{
    const QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node || !node->parent()) return;   // a year: the list keeps its rows
    MonatsLog.Pfad = node->data(0, PathRole).toString();
    // Emptied first: a log that is gone or unreadable is an empty month, not the one shown before.
    MonatsLog.Daten.clear();
    ReadAllData(MonatsLog);
    m_shown = Shown::Month;
    Protokoll->Reload();
    showRows(Protokoll, {100, 100, 100, 150, 75});
    // The reset leaves no row chosen but keeps the scroll position: each month opens at its first row.
    ProtokollList->scrollToTop();
    showTotals(MonthTotalsLine(MonthTotals(MonatsLog.Daten), node->parent()->text(0).toInt(),
                               node->data(0, MonthRole).toInt()));
    ZeichneGrafik();
    Vergleich->SetSource([this] { return MonatsLog.Daten; });
}

void TAuswertung::LoadSelectedYear()
{
    const QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node || node->parent()) return;
    const TYearNode year = yearOf(node);
    m_shown = Shown::Year;
    Jahr->SetOverview(YearOverview(year));
    showRows(Jahr, {100, 100, 100, 100});
    ProtokollList->scrollToTop();
    showTotals(QStringLiteral("%1: ").arg(year.year) + TotalsText(Jahr->Overview().total));
    const QSize size = Grafik->size();
    Grafik->setPixmap(QPixmap::fromImage(YearChartImage(Jahr->Overview(), size)));
    Vergleich->SetSource([year] { return YearRecords(year); });
}

void TAuswertung::showRows(QAbstractItemModel *model, std::initializer_list<int> widths)
{
    // Widths set only when the rows change their kind: a column the user widened stays so.
    if (ProtokollList->model() == model) return;
    ProtokollList->setModel(model);
    int c = 0;
    for (const int w : widths) ProtokollList->setColumnWidth(c++, w);
}

void TAuswertung::showTotals(const QString &line)
{
    LSumme->setText(line);
    LGrafikSumme->setText(line);
}

void TAuswertung::ZeichneGrafik()
{
    // Drawn once per load at the size the tab has now; resizing keeps the picture.
    const QSize size = Grafik->size();
    Grafik->setPixmap(QPixmap::fromImage(GrafikImage(MonatsLog.Daten, size)));
}

void TAuswertung::FormShow()
{
    Vergleich->Invalidate();   // the tariffs or the state may have changed since the last showing
    BannerName = BannerForDraw(int(QRandomGenerator::global()->bounded(5)));
    QImage picture;
    if (!picture.load(QStringLiteral(":/") + BannerName, "GIF")) {
        Werbebanner->clear();
        throw Exception(QStringLiteral("Das Bild %1 fehlt in den Ressourcen des Programms").arg(BannerName));
    }
    Werbebanner->setPixmap(QPixmap::fromImage(picture));
}

void TAuswertung::WerbebannerClick() { Shell::Open(QStringLiteral(MINUTRIX_BANNER_URL)); }

bool TAuswertung::refuseWithoutMonth(const QString &what)
{
    if (MonthShown()) return false;
    MessageBox::ShowMessage(
        QStringLiteral("Es ist kein Monat gewählt: Wählen Sie links einen Monat, um ihn zu %1.").arg(what));
    return true;
}

void TAuswertung::SBExportClick()
{
    if (refuseWithoutMonth(QStringLiteral("exportieren"))) return;
    const QString fileName = Shell::SaveFileName(this, QStringLiteral("txt"), tr("Textdatei (*.txt)"));
    if (fileName.isEmpty() || Protokoll->rowCount() == 0) return;
    if (!ExportByName(fileName, MonatsLog.Daten)) MessageBox::ShowMessage(notExportedText(fileName));
}

void TAuswertung::SBPrintClick()
{
    if (refuseWithoutMonth(QStringLiteral("drucken"))) return;
    QPrinter printer;
    int copies = 1;
    if (!Shell::Print(this, printer, &copies)) return;
    printer.setCopyCount(1);   // the copies are printed as whole runs of the pages
    if (!PrintMonth(printer, MonatsLog.Daten, copies)) MessageBox::ShowMessage(notPrintedText(printer));
}

void TAuswertung::layoutControls()
{
    TreeView1->setGeometry(0, 0, TreeWidth, height());
    PageControl1->setGeometry(TreeWidth, 0, std::max(0, width() - TreeWidth), height());
    PageControl1->LayoutPages();
    const QSize page = PageControl1->PageRect().size();
    const int listHeight = std::max(0, page.height() - PanelHeight - TotalsHeight);
    ProtokollList->setGeometry(0, 0, page.width(), listHeight);
    LSumme->setGeometry(0, listHeight, page.width(), TotalsHeight);
    Panel1->setGeometry(0, std::max(0, page.height() - PanelHeight), page.width(), PanelHeight);
    // The graph keeps its picture when the window is resized; only its place follows.
    const int graphHeight = std::max(0, page.height() - TotalsHeight);
    Grafik->setGeometry(0, 0, page.width(), graphHeight);
    LGrafikSumme->setGeometry(0, graphHeight, page.width(), TotalsHeight);
    Vergleich->setGeometry(QRect(QPoint(0, 0), page));
}

void TAuswertung::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}
