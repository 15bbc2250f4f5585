#include "core/MonatsLog.h"

#include "core/Bytes.h"
#include "core/DamagedFiles.h"
#include "core/ErrorReport.h"
#include "core/Exception.h"
#include "core/Language.h"
#include "core/RecordFile.h"
#include "core/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <stdexcept>

namespace {
constexpr int StartOffset = 8;
constexpr int EndeOffset = 16;
constexpr int KostenOffset = 24;
constexpr int TarifOffset = 32;
static_assert(TarifOffset + ShortString<100>::Size == VerbindungSize);

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw AppendFailure(what, path, reason);
}
}

AppendFailure::AppendFailure(const QString &what, const QString &path, const QString &reason)
    : Exception(what + native(path) + QStringLiteral(": ") + reason), m_path(path), m_reason(reason)
{}

void WriteVerbindung(const TVerbindung &v, char *out)
{
    PutDouble(out, v.Datum);
    PutDouble(out + StartOffset, v.Start);
    PutDouble(out + EndeOffset, v.Ende);
    PutDouble(out + KostenOffset, v.Kosten);
    v.Tarif.write(out + TarifOffset);
}

TVerbindung ReadVerbindung(const char *in)
{
    TVerbindung v;
    v.Datum = GetDouble(in);
    v.Start = GetDouble(in + StartOffset);
    v.Ende = GetDouble(in + EndeOffset);
    v.Kosten = GetDouble(in + KostenOffset);
    v.Tarif.read(in + TarifOffset);
    return v;
}

double CountedCost(const TVerbindung &v)
{
    constexpr double MaxCountedCost = 1e15;
    return std::abs(v.Kosten) <= MaxCountedCost ? v.Kosten : 0.0;   // false for NaN too
}

QString MonthName(int month)
{
    if (month < 1) {
        ReportError(E_MonthToLow);
        return QString();
    }
    // Above 12 the old table lookup read past its end. No caller passes such a month, and the only
    // report text there is says "below 1", so the empty name is returned without a report.
    if (month > 12) return QString();
    return Monate[size_t(month)];
}

namespace {
QByteArray newMonthLog(const char *record)
{
    char header[MonatsLogHeaderSize];
    PutInt32(header, 1);
    return QByteArray(header, MonatsLogHeaderSize) + QByteArray(record, VerbindungSize);
}
}

void AppendData(TKostenDatenbank &log, const TVerbindung &record)
{
    // The caller relies on the month in memory holding the record even when the write fails.
    log.Daten.push_back(record);

    char bytes[VerbindungSize];
    WriteVerbindung(record, bytes);

    // A new month log is written whole beside its place and renamed into it: a full disk or a
    // kill leaves no file, never a torn header that every later read reports.
    const QFileInfo info(log.Pfad);
    if (!info.exists() && !info.isSymLink()) {
        if (CreateWholeFile(log.Pfad, newMonthLog(bytes))) return;
        if (errno != EEXIST) fail(QStringLiteral("Cannot create file "), log.Pfad, qt_error_string(errno));
        // Another instance created it meanwhile: append to theirs.
    }

    QFile file;
    QString why;
    if (!OpenRegularFile(file, log.Pfad, QIODevice::ReadWrite | QIODevice::Unbuffered, &why))
        fail(QStringLiteral("Cannot open file "), log.Pfad, why);

    qint64 end = file.size();
    const qint64 whole = MonatsLogHeaderSize + (end - MonatsLogHeaderSize) / VerbindungSize * VerbindungSize;
    if (end != whole || end < MonatsLogHeaderSize) {
        // A torn header or record, or bytes lost inside (every later record reads shifted): the
        // file as it was is kept before anything of it is cut.
        const QByteArray before = file.readAll();
        if (before.size() != end) fail(QStringLiteral("Cannot read file "), log.Pfad, file.errorString());
        if (end > 0 && !KeepDamagedCopy(log.Pfad, before))
            fail(QStringLiteral("Cannot write file "), log.Pfad, qt_error_string(errno));
    }
    if (end < MonatsLogHeaderSize) {
        // A header torn before whole files were written: replaced the same way, old or new.
        file.close();
        if (!ReplaceFile(log.Pfad, newMonthLog(bytes)))
            fail(QStringLiteral("Cannot write file "), log.Pfad, qt_error_string(errno));
        return;
    }
    if (whole != end) {
        if (!file.resize(whole)) fail(QStringLiteral("Cannot write file "), log.Pfad, file.errorString());
        end = whole;
    }

    if (!file.seek(end) || file.write(bytes, VerbindungSize) != VerbindungSize) {
        const QString reason = file.errorString();
        file.resize(end);   // best effort: do not leave a torn record behind (disk full)
        fail(QStringLiteral("Cannot write file "), log.Pfad, reason);
    }
}

void ReadAllData(TKostenDatenbank &log)
{
    if (!QFileInfo::exists(log.Pfad)) return;
    try {
        if (!ReadRecordFile(log.Pfad, MonatsLogHeaderSize, VerbindungSize, ReadVerbindung, log.Daten))
            throw std::runtime_error("read");
    } catch (...) {
        // Includes bad_alloc for a garbage file of absurd size.
        ReportError(E_UnknownErrorAt + QStringLiteral("ReadAllData"));
    }
}
