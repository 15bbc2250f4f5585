#pragma once
// The connections of the evaluation window's month log as the rows of its list: texts are made
// only for the rows on screen, so a month of any length opens at once.
#include "core/MonatsLog.h"

#include <QAbstractTableModel>

class TProtokollModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TProtokollModel(const TKostenDatenbank &log, QObject *parent = nullptr);

    // The log's records were replaced: one reset of the whole list.
    void Reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TKostenDatenbank &m_log;
    int m_rows = 0;
};
