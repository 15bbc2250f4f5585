#include "evaluation/window/ProtokollModel.h"

#include "evaluation/RowTexts.h"

namespace {
// The costs are stored in cents; the cells show them as stored, the header names the unit.
const char *const headers[ColumnCount] = {
    QT_TRANSLATE_NOOP("TProtokollModel", "Datum"), QT_TRANSLATE_NOOP("TProtokollModel", "Beginn"),
    QT_TRANSLATE_NOOP("TProtokollModel", "Ende"), QT_TRANSLATE_NOOP("TProtokollModel", "Tarif"),
    QT_TRANSLATE_NOOP("TProtokollModel", "Kosten (ct)")};
}

TProtokollModel::TProtokollModel(const TKostenDatenbank &log, QObject *parent) : QAbstractTableModel(parent), m_log(log)
{}

void TProtokollModel::Reload()
{
    beginResetModel();
    m_rows = int(std::min<size_t>(m_log.Daten.size(), size_t(INT_MAX)));
    endResetModel();
}

int TProtokollModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int TProtokollModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TProtokollModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= m_log.Daten.size()) return {};
    return RowTexts(m_log.Daten[size_t(index.row())])[size_t(index.column())];
}

QVariant TProtokollModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return tr(headers[section]);
}
