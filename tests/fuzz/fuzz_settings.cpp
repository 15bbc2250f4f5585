// The settings file as start-up reads it.
#include "FuzzFiles.h"
#include "SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzFile(QStringLiteral("Settings.dat"), data, size);
    try {
        LoadSettings();
        SaveSettings();
    } catch (const std::exception &) {}
    return 0;
}
