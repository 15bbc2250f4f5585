#pragma once
// Files of whole fixed-size records behind a fixed-size header (the tariffs, the month logs).
#include "core/ReplaceFile.h"

#include <QFile>
#include <vector>

// Reads every whole record of the file at path in one read (record-sized reads made large files
// slow to open). The records are sized first to the count the file's length promises, so a record
// a short read missed stays default. False when the file cannot be opened as a regular one, its
// header is not whole, or a record was missed; a trailing piece of a record is no record.
template <typename Record>
bool ReadRecordFile(const QString &path, qint64 headerSize, qint64 recordSize, Record (*read)(const char *),
                    std::vector<Record> &records)
{
    // A FIFO or other file that is not a regular one reads as unreadable (opening would block).
    QFile file;
    if (!OpenRegularFile(file, path)) return false;
    const qint64 size = file.size();
    if (size < headerSize) return false;
    const qint64 count = (size - headerSize) / recordSize;
    const QByteArray data = file.read(headerSize + count * recordSize);
    if (data.size() < headerSize) return false;
    records.assign(size_t(count), Record{});
    const qint64 whole = (data.size() - headerSize) / recordSize;
    const char *p = data.constData() + headerSize;
    for (qint64 i = 0; i < whole; ++i, p += recordSize) records[size_t(i)] = read(p);
    return whole == count;
}
