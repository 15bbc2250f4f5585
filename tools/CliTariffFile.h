#pragma once
// The tariff store read record by record, without the program's loader (which reports through the
// error dialog and keeps a torn tail silently): a store that is no whole number of records fails.
#include "core/TarifStore.h"

#include <QFile>
#include <vector>

class TariffFile
{
public:
    // Exit status 1 when the file is missing, unreadable or no tariff store.
    explicit TariffFile(const QString &path);

    qint64 count() const { return m_count; }
    TTarif read(qint64 index);
    // INDEX is an argument: one past the end is a usage error, not a broken file.
    TTarif readArgument(int index);
    std::vector<TTarif> readAll();

private:
    QFile m_file;
    qint64 m_count = 0;
};
