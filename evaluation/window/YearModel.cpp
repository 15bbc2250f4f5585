#include "evaluation/window/YearModel.h"

namespace {
constexpr int Columns = 4;
const char *const headers[Columns] = {"Monat", "Verbindungen", "Dauer (Std.)", "Kosten (€)"};
}

void TYearModel::SetOverview(TYearOverview overview)
{
    beginResetModel();
    m_overview = std::move(overview);
    endResetModel();
}

int TYearModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_overview.months.size());
}

int TYearModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : Columns; }

QVariant TYearModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_overview.months.size()) return {};
    if (role == Qt::TextAlignmentRole && index.column() > 0) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const TYearMonth &m = m_overview.months[size_t(index.row())];
    switch (index.column()) {
    case 0: return m.name;
    case 1: return QString::number(m.totals.connections);
    case 2: return DurationText(m.totals.seconds);
    default: return EuroAmount(m.totals.cents);
    }
}

QVariant TYearModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns) return {};
    return QString::fromUtf8(headers[section]);
}
