#pragma once
// The evaluation window: the years and months with a month log, the connections of the month
// chosen, their usage graph, and the month's export and printout.
#include "core/MonatsLog.h"
#include "ui/WindowLife.h"

#include <QDialog>
#include <initializer_list>

class QAbstractItemModel;
class QFrame;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;
class TComparisonPage;
class TPageControl;
class TProtokollModel;
class TYearModel;

class TAuswertung : public QDialog
{
    Q_OBJECT
public:
    explicit TAuswertung(QWidget *parent = nullptr);
    ~TAuswertung() override;

    QTreeWidget *TreeView1;
    TPageControl *PageControl1;
    QWidget *TProtokoll, *TGrafik, *TVergleich;
    TComparisonPage *Vergleich;   // fills TVergleich
    QTreeView *ProtokollList;
    QFrame *Panel1;
    QPushButton *SBExport, *SBPrint;
    QLabel *Werbebanner, *Grafik;
    QLabel *LSumme, *LGrafikSumme;   // the totals of the month or year shown, below the list and the graph

    TKostenDatenbank MonatsLog;   // the window's own, apart from the one being written
    TProtokollModel *Protokoll;
    TYearModel *Jahr;     // the list's rows while a year is chosen
    QString BannerName;   // the picture shown since the last showing

    void FormCreate();
    void FormShow();
    void TreeView1Change();
    void SBExportClick();
    void SBPrintClick();
    void WerbebannerClick();
    void BuildMonthTree();
    void LoadSelectedMonth();
    void LoadSelectedYear();
    void ZeichneGrafik();
    bool MonthShown() const { return m_shown == Shown::Month; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Shown { Nothing, Month, Year };
    Shown m_shown = Shown::Nothing;
    void showRows(QAbstractItemModel *model, std::initializer_list<int> widths);
    void showTotals(const QString &line);
    bool refuseWithoutMonth(const QString &what);
    void layoutControls();
    TInstanceSlot<TAuswertung> m_instance;
};

// The banner of a draw r from 0..4: "AMAMUL1" for 0, "AMADVD1" for 2, "AMAMUL2" otherwise.
QString BannerForDraw(int r);

extern TAuswertung *Auswertung;
