#include "evaluation/window/ComparisonPage.h"

#include "core/SettingsStore.h"
#include "evaluation/TariffComparison.h"
#include "evaluation/Totals.h"

#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>

namespace {
constexpr int LineHeight = 20;

QString differenceText(double cents)
{
    const double rounded = std::nearbyint(cents);
    return (rounded > 0 ? QStringLiteral("+") : QString()) + EuroAmount(rounded);
}

QStandardItem *cell(const QString &text, bool number, bool bold)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

QString stateName() { return Bundesland < 16 ? QString::fromUtf8(Bundeslaender[Bundesland]) : QString(); }
}

TComparisonPage::TComparisonPage(QWidget *parent) : QWidget(parent), m_model(new QStandardItemModel(this))
{
    VergleichList = new QTreeView(this);
    VergleichList->setObjectName(QStringLiteral("VergleichList"));
    VergleichList->setAccessibleName(tr("Vergleich der Tarife"));
    VergleichList->setRootIsDecorated(false);
    VergleichList->setUniformRowHeights(true);
    VergleichList->setModel(m_model);
    LVergleich = new QLabel(this);
    LVergleich->setObjectName(QStringLiteral("LVergleich"));
    LVergleich->setIndent(4);
}

void TComparisonPage::SetSource(Source source)
{
    m_source = std::move(source);
    Invalidate();
}

void TComparisonPage::Invalidate()
{
    m_due = true;
    if (isVisible()) refresh();
}

void TComparisonPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_due) refresh();
}

void TComparisonPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    VergleichList->setGeometry(0, 0, width(), std::max(0, height() - LineHeight));
    LVergleich->setGeometry(0, std::max(0, height() - LineHeight), width(), LineHeight);
}

void TComparisonPage::refresh()
{
    m_due = false;
    m_model->clear();
    m_model->setHorizontalHeaderLabels({QStringLiteral("Tarif"), QStringLiteral("Kosten (€)"),
                                        QStringLiteral("Differenz (€)"), QStringLiteral("Bemerkung")});
    if (!m_source) {
        LVergleich->setText(QStringLiteral("Wählen Sie links einen Monat oder ein Jahr."));
        return;
    }
    const std::vector<TVerbindung> records = m_source();
    const TComparison comparison = CompareTariffs(records, Tarife);
    for (const TTariffTotal &t : CheapestFirst(comparison)) {
        m_model->appendRow({cell(t.name, false, t.mostUsed), cell(EuroAmount(t.cents), true, t.mostUsed),
                            cell(differenceText(t.cents - comparison.logged), true, t.mostUsed),
                            cell(t.mostUsed ? QStringLiteral("am meisten genutzt") : QString(), false, t.mostUsed)});
    }
    const int widths[] = {200, 90, 90, 130};
    for (int c = 0; c < 4; ++c) VergleichList->setColumnWidth(c, widths[c]);
    LVergleich->setText(Tarife.empty()
                            ? QStringLiteral("Es sind keine Tarife angelegt.")
                            : QStringLiteral("Protokolliert: %1 für %2, neu berechnet mit den Feiertagen von %3")
                                  .arg(EuroText(comparison.logged),
                                       records.size() == 1 ? QStringLiteral("1 Verbindung")
                                                           : QStringLiteral("%1 Verbindungen").arg(records.size()),
                                       stateName()));
}
