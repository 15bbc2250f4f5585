// The tariff store as start-up reads it: every whole record is taken, and each one saves back
// byte for byte (the bytes after a name included), whatever the file holds.
#include "core/TarifStore.h"
#include "tests/fuzz/FuzzFiles.h"

FUZZ_TARGET(tarifstore)
{
    FuzzFolder();
    const QByteArray bytes = FuzzBytes(data, size);
    FuzzWrite(TarifPath(), bytes);
    Tarife.assign(1, TTarif{});
    TakeFuzzReports();

    LoadTarife();
    FUZZ_CHECK(TakeFuzzReports() == 0);   // a regular file always loads
    FUZZ_CHECK(Tarife.size() == size / TarifSize);
    for (size_t i = 0; i < Tarife.size(); ++i) {
        FUZZ_CHECK(TarifToBytes(Tarife[i]) == bytes.mid(qsizetype(i) * TarifSize, TarifSize));
        FUZZ_CHECK(Tarife[i].Name.value().size() <= 255);
    }
    return 0;
}
