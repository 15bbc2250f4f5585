#include "tools/CliTariffFile.h"

#include "tools/CliSupport.h"

TariffFile::TariffFile(const QString &path) : m_file(path)
{
    RequireRegularFile(path);
    if (!m_file.open(QIODevice::ReadOnly)) FileError(path, QStringLiteral("cannot be read: ") + m_file.errorString());
    const qint64 size = m_file.size();
    if (size % TarifSize != 0)
        FileError(path, QStringLiteral("is not a tariff store: its size %1 is not a multiple of %2 bytes")
                            .arg(size)
                            .arg(TarifSize));
    m_count = size / TarifSize;
}

TTarif TariffFile::read(qint64 index)
{
    QByteArray record;
    if (m_file.seek(index * TarifSize)) record = m_file.read(TarifSize);
    if (record.size() != TarifSize)
        FileError(m_file.fileName(), QStringLiteral("cannot read tariff %1: ").arg(index) + m_file.errorString());
    return ReadTarif(record.constData());
}

TTarif TariffFile::readArgument(int index)
{
    if (index >= m_count)
        UsageError(QStringLiteral("INDEX %1 is out of range: the store holds %2 tariffs").arg(index).arg(m_count));
    return read(index);
}

std::vector<TTarif> TariffFile::readAll()
{
    std::vector<TTarif> tariffs;
    for (qint64 i = 0; i < m_count; ++i) tariffs.push_back(read(i));
    return tariffs;
}
