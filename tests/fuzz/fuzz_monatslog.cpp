// A month log read whole, then one record appended to it: the read takes every whole record
// byte for byte, the append keeps them and puts the new one at 4 + n * 133 whatever was torn,
// after keeping a file that was not whole records aside as it was.
#include "core/Bytes.h"
#include "core/DamagedFiles.h"
#include "core/MonatsLog.h"
#include "tests/fuzz/FuzzFiles.h"

#include <QDir>

FUZZ_TARGET(monatslog)
{
    static const QString path = [] {
        QDir().mkpath(FuzzFolder() + QStringLiteral("Data/2026"));
        return FuzzFolder() + QStringLiteral("Data/2026/Mai.qod");
    }();
    const QByteArray bytes = FuzzBytes(data, size);
    FuzzWrite(path, bytes);
    TakeFuzzReports();

    TKostenDatenbank log;
    log.Pfad = path;
    ReadAllData(log);
    const bool headed = size >= size_t(MonatsLogHeaderSize);
    FUZZ_CHECK(TakeFuzzReports() == (headed ? 0 : 1));   // only a file shorter than its header fails
    const size_t whole = headed ? (size - MonatsLogHeaderSize) / VerbindungSize : 0;
    FUZZ_CHECK(log.Daten.size() == whole);
    char record[VerbindungSize];
    for (size_t i = 0; i < whole; ++i) {
        WriteVerbindung(log.Daten[i], record);
        FUZZ_CHECK(QByteArray(record, VerbindungSize)
                   == bytes.mid(MonatsLogHeaderSize + qsizetype(i) * VerbindungSize, VerbindungSize));
    }

    TVerbindung added;
    added.Kosten = 1.5;
    added.Tarif = QStringLiteral("Fuzz");
    AppendData(log, added);   // throws on failure, which a regular file in its folder never is
    FUZZ_CHECK(log.Daten.size() == whole + 1);

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const qsizetype kept = MonatsLogHeaderSize + qsizetype(whole) * VerbindungSize;
    char header[MonatsLogHeaderSize];
    PutInt32(header, 1);
    FUZZ_CHECK(after.size() == kept + VerbindungSize);
    FUZZ_CHECK(after.left(kept) == (headed ? bytes.left(kept) : QByteArray(header, MonatsLogHeaderSize)));
    WriteVerbindung(added, record);
    FUZZ_CHECK(after.mid(kept) == QByteArray(record, VerbindungSize));

    QFile aside(DamagedName(path, 1));
    const bool cut = size > 0 && qsizetype(size) != kept;
    FUZZ_CHECK(aside.exists() == cut);
    if (cut) {
        FUZZ_CHECK(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes);
        aside.remove();   // the next input finds no copy of this one
    }
    return 0;
}
