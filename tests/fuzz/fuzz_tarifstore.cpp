// The tariff store as start-up reads it, then saved back and read again.
#include "FuzzFiles.h"
#include "TarifStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzFile(QStringLiteral("TarifDaten.qtd"), data, size);
    Tarife.clear();
    LoadTarife();
    const std::vector<TTarif> loaded = Tarife;
    SaveTarife();
    LoadTarife();
    if (Tarife.size() != loaded.size()) std::abort();   // what was loaded must survive a save
    return 0;
}
