#pragma once
// The evaluation window: the years and months with a month log, the connections of the month
// chosen, their usage graph, and the month's export and printout.
#include "core/MonatsLog.h"
#include "ui/WindowLife.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;
class TPageControl;
class TProtokollModel;

class TAuswertung : public QDialog
{
    Q_OBJECT
public:
    explicit TAuswertung(QWidget *parent = nullptr);
    ~TAuswertung() override;

    QTreeWidget *TreeView1;
    TPageControl *PageControl1;
    QWidget *TProtokoll, *TGrafik;
    QTreeView *ProtokollList;
    QFrame *Panel1;
    QPushButton *SBExport, *SBPrint;
    QLabel *Werbebanner, *Grafik;

    TKostenDatenbank MonatsLog;   // the window's own, apart from the one being written
    TProtokollModel *Protokoll;
    QString BannerName;   // the picture shown since the last showing

    void FormCreate();
    void FormShow();
    void TreeView1Change();
    void SBExportClick();
    void SBPrintClick();
    void WerbebannerClick();
    void BuildMonthTree();
    void LoadSelectedMonth();
    void ZeichneGrafik();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutControls();
    TInstanceSlot<TAuswertung> m_instance;
};

// The banner of a draw r from 0..4: "AMAMUL1" for 0, "AMADVD1" for 2, "AMAMUL2" otherwise.
QString BannerForDraw(int r);

extern TAuswertung *Auswertung;
