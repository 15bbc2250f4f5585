#include "core/Journal.h"

#include "core/Bytes.h"
#include "core/DamagedFiles.h"
#include "core/ProgramDir.h"
#include "core/ReplaceFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Layout: two slots of equal size, a multiple of 4096 bytes. A slot holds "MXJ2", its sequence
// number (uint32), the byte count of its body (uint32), the body and a CRC-32 of all of it; the
// slot with the higher number among the valid ones counts. The body is the entry count (int32),
// then per entry the log's path below the program folder (int32 byte count, UTF-8) and the
// 133-byte record. Earlier versions wrote "MXJ1", the body and a CRC-32 as the whole file.
namespace {
constexpr char Magic[4] = {'M', 'X', 'J', '2'};
constexpr char OldMagic[4] = {'M', 'X', 'J', '1'};
constexpr qsizetype Block = 4096;
constexpr qsizetype DefaultSlot = 4 * Block;   // about a hundred entries
constexpr qsizetype SlotHeader = 12;
constexpr int MaxEntries = 10000;
constexpr int MaxPathBytes = 4096;
constexpr qint64 MaxFileSize = 2 * (qint64(MaxEntries) * (8 + MaxPathBytes + VerbindungSize) + Block);

QString reservedJournal;   // JournalPath() of the run that reserved it

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

void putCrc(QByteArray &out)
{
    char sum[4];
    qToLittleEndian<quint32>(crc32(out.constData(), out.size()), sum);
    out.append(sum, 4);
}

bool crcHolds(const char *p, qsizetype size) { return qFromLittleEndian<quint32>(p + size) == crc32(p, size); }

// Only a month log of the data folder may be named: a journal never makes the program write elsewhere.
bool isMonthLogBelowProgram(const QString &relative)
{
    static const QRegularExpression pattern(QStringLiteral("^Data/[1-9][0-9]{0,3}/[^/\\\\]+\\.qod$"));
    return pattern.match(relative).hasMatch() && !relative.contains(QStringLiteral(".."));
}

QByteArray body(const std::vector<TJournalEintrag> &entries)
{
    QByteArray out;
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
    return out;
}

bool parseBody(const char *p, qsizetype size, std::vector<TJournalEintrag> &entries)
{
    if (size < 4) return false;
    const qint32 count = GetInt32(p);
    if (count < 0 || count > MaxEntries) return false;
    qsizetype at = 4;
    const QString base = ProgramDir();
    std::vector<TJournalEintrag> read;
    for (qint32 i = 0; i < count; ++i) {
        if (size - at < 4) return false;
        const qint32 length = GetInt32(p + at);
        at += 4;
        if (length <= 0 || length > MaxPathBytes || size - at < length + VerbindungSize) return false;
        const QString relative = QString::fromUtf8(p + at, length);
        at += length;
        if (!isMonthLogBelowProgram(relative)) return false;
        read.push_back({base + relative, ReadVerbindung(p + at)});
        at += VerbindungSize;
    }
    if (at != size) return false;
    entries = std::move(read);
    return true;
}

QByteArray slot(quint32 sequence, const std::vector<TJournalEintrag> &entries)
{
    const QByteArray b = body(entries);
    QByteArray out(Magic, 4);
    char n[4];
    qToLittleEndian<quint32>(sequence, n);
    out.append(n, 4);
    putInt(out, qint32(b.size()));
    out += b;
    putCrc(out);
    return out;
}

bool parseSlot(const char *p, qsizetype size, quint32 &sequence, std::vector<TJournalEintrag> &entries)
{
    if (size < SlotHeader + 4 || QByteArray(p, 4) != QByteArray(Magic, 4)) return false;
    const qint32 length = GetInt32(p + 8);
    if (length < 4 || length > size - SlotHeader - 4 || !crcHolds(p, SlotHeader + length)) return false;
    sequence = qFromLittleEndian<quint32>(p + 4);
    return parseBody(p + SlotHeader, length, entries);
}

bool isSlotLayout(qsizetype size) { return size > 0 && size % (2 * Block) == 0; }

// The index of the newest valid slot, -1 when neither is.
int newestSlot(const QByteArray &bytes, quint32 &sequence, std::vector<TJournalEintrag> &entries)
{
    const qsizetype size = bytes.size() / 2;
    int newest = -1;
    for (int i = 0; i < 2; ++i) {
        quint32 n = 0;
        std::vector<TJournalEintrag> e;
        if (parseSlot(bytes.constData() + i * size, size, n, e) && (newest < 0 || n > sequence)) {
            newest = i;
            sequence = n;
            entries = std::move(e);
        }
    }
    return newest;
}

// Overwrites the older slot of an existing journal of this layout; the file keeps its size and
// its blocks. False when there is none, or the entries do not fit.
bool writeInPlace(const QString &path, const std::vector<TJournalEintrag> &entries)
{
    QFile file;
    if (!OpenRegularFile(file, path, QIODevice::ReadWrite | QIODevice::Unbuffered)) return false;
    const qint64 size = file.size();
    if (!isSlotLayout(size) || size > MaxFileSize) return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size) return false;
    quint32 sequence = 0;
    std::vector<TJournalEintrag> current;
    const int newest = newestSlot(bytes, sequence, current);
    const QByteArray data = slot(newest < 0 ? 1 : sequence + 1, entries);
    if (data.size() > size / 2) return false;
    if (!file.seek(newest == 0 ? size / 2 : 0) || file.write(data) != data.size()) return false;
#ifdef Q_OS_UNIX
    // On disk before the next write overwrites the slot this one replaces.
    if (::fdatasync(file.handle()) != 0) return false;
#endif
    return true;
}

// A journal in one folder: in place where it has its space, else as a new file (a first write,
// one that outgrew its space, one of an earlier layout). Unreserved, no entries remove it.
bool writeFile(const QString &path, const std::vector<TJournalEintrag> &entries, bool reserved)
{
    if (entries.empty() && !reserved) return !QFileInfo::exists(path) || QFile::remove(path);
    return writeInPlace(path, entries) || ReplaceFile(path, JournalBytes(entries));
}

bool reservedHere() { return !reservedJournal.isEmpty() && reservedJournal == JournalPath(); }

JournalState readFile(const QString &path, std::vector<TJournalEintrag> &entries)
{
    entries.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return JournalState::None;
    QByteArray bytes;
    if (info.isFile() && info.size() <= MaxFileSize) {
        QFile file;
        if (OpenRegularFile(file, path)) bytes = file.readAll();   // never blocks on a FIFO put there meanwhile
    }
    if (ParseJournal(bytes, entries)) return JournalState::Read;
    // Kept aside for a look, never read again.
    if (!MoveDamagedAside(path)) QFile::remove(path);
    return JournalState::Damaged;
}

// Gives the journal at path its space, keeping the entries it holds. One of this layout has it.
bool reserveAt(const QString &path)
{
    std::vector<TJournalEintrag> entries;
    if (readFile(path, entries) == JournalState::Read) {
        QFile file;
        if (OpenRegularFile(file, path) && isSlotLayout(file.size()) && file.read(4) != QByteArray(OldMagic, 4))
            return true;
    }
    return ReplaceFile(path, JournalBytes(entries));
}

bool sameConnection(const TVerbindung &a, const TVerbindung &b)
{
    return a.Datum == b.Datum && a.Start == b.Start && a.Tarif.sameAs(b.Tarif);
}
}

QString JournalPath() { return ProgramDir() + QStringLiteral("Verbindungen.mxj"); }

QString FallbackJournalPath()
{
    const QString canonical = QFileInfo(ProgramDir()).canonicalFilePath();
    const QByteArray key =
        QCryptographicHash::hash((canonical.isEmpty() ? ProgramDir() : canonical).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return StateDir() + QStringLiteral("Verbindungen-") + QString::fromLatin1(key) + QStringLiteral(".mxj");
}

QByteArray JournalBytes(const std::vector<TJournalEintrag> &entries)
{
    QByteArray out = slot(1, entries);
    const qsizetype slotSize = std::max(DefaultSlot, (out.size() + Block - 1) / Block * Block);
    // Written out, zeros too: the blocks are the file's from now on.
    out.resize(2 * slotSize, '\0');
    return out;
}

bool ParseJournal(const QByteArray &bytes, std::vector<TJournalEintrag> &entries)
{
    entries.clear();
    if (bytes.startsWith(QByteArray(OldMagic, 4))) {
        const qsizetype end = bytes.size() - 4;
        return end >= 8 && crcHolds(bytes.constData(), end) && parseBody(bytes.constData() + 4, end - 4, entries);
    }
    quint32 sequence = 0;
    return isSlotLayout(bytes.size()) && newestSlot(bytes, sequence, entries) >= 0;
}

bool ReserveJournal()
{
    reservedJournal = JournalPath();
    if (reserveAt(JournalPath())) return true;
    QDir().mkpath(StateDir());
    return reserveAt(FallbackJournalPath());
}

void ReleaseJournal()
{
    reservedJournal.clear();
    for (const QString &path : {JournalPath(), FallbackJournalPath()}) {
        std::vector<TJournalEintrag> entries;
        QFile file;
        if (OpenRegularFile(file, path) && file.size() <= MaxFileSize && ParseJournal(file.readAll(), entries)
            && entries.empty())
            QFile::remove(path);
    }
}

bool WriteJournal(const std::vector<TJournalEintrag> &entries)
{
    const bool reserved = reservedHere();
    if (writeFile(JournalPath(), entries, reserved)) {
        const QString fallback = FallbackJournalPath();
        if (QFileInfo::exists(fallback)) QFile::remove(fallback);
        return true;
    }
    // The data folder cannot take it (read-only, or full before the journal had its space).
    QDir().mkpath(StateDir());
    return writeFile(FallbackJournalPath(), entries, reserved);
}

JournalState ReadJournal(std::vector<TJournalEintrag> &entries)
{
    std::vector<TJournalEintrag> fallback;
    const JournalState own = readFile(JournalPath(), entries);
    const JournalState kept = readFile(FallbackJournalPath(), fallback);
    for (const TJournalEintrag &f : fallback) {
        auto same = std::find_if(entries.begin(), entries.end(), [&f](const TJournalEintrag &e) {
            return e.LogPfad == f.LogPfad && sameConnection(e.Verbindung, f.Verbindung);
        });
        if (same == entries.end())
            entries.push_back(f);
        else if (f.Verbindung.Ende > same->Verbindung.Ende)
            *same = f;   // the later state of a connection still being timed
    }
    if (own == JournalState::Read || kept == JournalState::Read) return JournalState::Read;
    return own == JournalState::Damaged || kept == JournalState::Damaged ? JournalState::Damaged : JournalState::None;
}
