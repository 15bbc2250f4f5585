#pragma once
// The months of a year overview as the rows of the evaluation's list.
#include "evaluation/YearOverview.h"

#include <QAbstractTableModel>

class TYearModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetOverview(TYearOverview overview);
    const TYearOverview &Overview() const { return m_overview; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TYearOverview m_overview;
};
