#pragma once
// The evaluation's page "Vergleich": the connections of the month or year chosen, priced anew under
// every tariff, cheapest first. Pricing a year under many tariffs takes a moment, so it is done
// when the page is seen, not when a month is chosen.
#include "core/MonatsLog.h"

#include <QWidget>
#include <functional>

class QLabel;
class QStandardItemModel;
class QTreeView;

class TComparisonPage : public QWidget
{
    Q_OBJECT
public:
    explicit TComparisonPage(QWidget *parent = nullptr);

    QTreeView *VergleichList;
    QLabel *LVergleich;

    using Source = std::function<std::vector<TVerbindung>()>;
    // The records to compare (none: nothing chosen); priced when the page is next seen.
    void SetSource(Source source);
    // The tariffs or the settings may have changed: priced anew when next seen.
    void Invalidate();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    QStandardItemModel *m_model;
    Source m_source;
    bool m_due = true;
};
