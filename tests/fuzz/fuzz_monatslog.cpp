// A month log read whole, then one record appended to it.
#include "FuzzFiles.h"
#include "MonatsLog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TKostenDatenbank log;
    log.Pfad = FuzzFile(QStringLiteral("Data/2026/Mai.qod"), data, size);
    ReadAllData(log);
    const size_t before = log.Daten.size();
    try {
        AppendData(log, TVerbindung());
    } catch (const std::exception &) {}
    TKostenDatenbank back;
    back.Pfad = log.Pfad;
    ReadAllData(back);
    if (back.Daten.size() != before + 1 && size >= 4 && (size - 4) % VerbindungSize == 0) std::abort();
    return 0;
}
