#include "core/Journal.h"

#include "core/Bytes.h"
#include "core/ProgramDir.h"
#include "core/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// Layout: "MXJ1", entry count (int32), then per entry the log's path below the program folder
// (int32 byte count, UTF-8) and the 133-byte record; at the end a CRC-32 of everything before it.
namespace {
constexpr char Magic[4] = {'M', 'X', 'J', '1'};
constexpr int MaxEntries = 10000;
constexpr int MaxPathBytes = 4096;

quint32 crc32(const char *data, qsizetype size)
{
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= quint8(data[i]);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putInt(QByteArray &out, qint32 v)
{
    char b[4];
    PutInt32(b, v);
    out.append(b, 4);
}

// Only a month log of the data folder may be named: a journal never makes the program write elsewhere.
bool isMonthLogBelowProgram(const QString &relative)
{
    static const QRegularExpression pattern(QStringLiteral("^Data/[1-9][0-9]{0,3}/[^/\\\\]+\\.qod$"));
    return pattern.match(relative).hasMatch() && !relative.contains(QStringLiteral(".."));
}
}

QString JournalPath() { return ProgramDir() + QStringLiteral("Verbindungen.mxj"); }

QByteArray JournalBytes(const std::vector<TJournalEintrag> &entries)
{
    QByteArray out(Magic, 4);
    putInt(out, qint32(entries.size()));
    const QString base = ProgramDir();
    for (const TJournalEintrag &e : entries) {
        const QString relative = e.LogPfad.startsWith(base) ? e.LogPfad.mid(base.size()) : e.LogPfad;
        const QByteArray path = relative.toUtf8();
        putInt(out, qint32(path.size()));
        out += path;
        char record[VerbindungSize];
        WriteVerbindung(e.Verbindung, record);
        out.append(record, VerbindungSize);
    }
    char sum[4];
    qToLittleEndian<quint32>(crc32(out.constData(), out.size()), sum);
    out.append(sum, 4);
    return out;
}

bool ParseJournal(const QByteArray &bytes, std::vector<TJournalEintrag> &entries)
{
    entries.clear();
    if (bytes.size() < 12 || !bytes.startsWith(QByteArray(Magic, 4))) return false;
    const qsizetype body = bytes.size() - 4;
    if (qFromLittleEndian<quint32>(bytes.constData() + body) != crc32(bytes.constData(), body)) return false;

    const char *p = bytes.constData();
    const qint32 count = GetInt32(p + 4);
    if (count < 0 || count > MaxEntries) return false;
    qsizetype at = 8;
    const QString base = ProgramDir();
    std::vector<TJournalEintrag> read;
    for (qint32 i = 0; i < count; ++i) {
        if (body - at < 4) return false;
        const qint32 length = GetInt32(p + at);
        at += 4;
        if (length <= 0 || length > MaxPathBytes || body - at < length + VerbindungSize) return false;
        const QString relative = QString::fromUtf8(p + at, length);
        at += length;
        if (!isMonthLogBelowProgram(relative)) return false;
        read.push_back({base + relative, ReadVerbindung(p + at)});
        at += VerbindungSize;
    }
    if (at != body) return false;
    entries = std::move(read);
    return true;
}

bool WriteJournal(const std::vector<TJournalEintrag> &entries)
{
    const QString path = JournalPath();
    if (entries.empty()) return !QFileInfo::exists(path) || QFile::remove(path);
    return ReplaceFile(path, JournalBytes(entries));
}

JournalState ReadJournal(std::vector<TJournalEintrag> &entries)
{
    entries.clear();
    const QString path = JournalPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return JournalState::None;

    QByteArray bytes;
    if (info.isFile() && info.size() <= qint64(MaxEntries) * (4 + MaxPathBytes + VerbindungSize)) {
        QFile file;
        if (OpenRegularFile(file, path)) bytes = file.readAll();   // never blocks on a FIFO put there meanwhile
    }
    if (ParseJournal(bytes, entries)) return JournalState::Read;

    // Kept aside for a look, never read again.
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) QFile::remove(path);
    return JournalState::Damaged;
}
