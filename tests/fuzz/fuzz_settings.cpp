// The settings file as start-up reads it: the bytes the file holds replace those of the values
// before the load, the rest keep theirs, and the one parser reads the same values from the image.
#include "core/Bytes.h"
#include "core/SettingsStore.h"
#include "tests/fuzz/FuzzFiles.h"

#include <algorithm>
#include <cstring>

namespace {
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
}

FUZZ_TARGET(settings)
{
    FuzzFolder();
    const QByteArray bytes = FuzzBytes(data, size);
    FuzzWrite(SettingsPath(), bytes);

    // The values before the load, as the main window leaves them, and their file image.
    ErsterStart = 1;
    Bundesland = 8;
    GesamtLimit = 30.0;
    Sprache = QStringLiteral("german");
    char image[SettingsSize] = {};
    image[0] = char(ErsterStart);
    image[1] = char(Bundesland);
    PutDouble(image + 2, GesamtLimit);
    Sprache.write(image + 10);
    std::memcpy(image, bytes.constData(), std::min<size_t>(size, SettingsSize));

    LoadSettings();   // throws only when the file cannot be opened, which a regular file can
    const TSettingsWerte w = ParseSettings(image);
    FUZZ_CHECK(ErsterStart == w.ErsterStart && Bundesland == w.Bundesland);
    FUZZ_CHECK(sameBits(GesamtLimit, w.GesamtLimit));
    FUZZ_CHECK(Sprache.bytes == w.Sprache.bytes);
    FUZZ_CHECK(Sprache.value().size() <= 255);
    return 0;
}
