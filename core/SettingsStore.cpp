#include "core/SettingsStore.h"

#include "core/Bytes.h"
#include "core/Exception.h"
#include "core/ProgramDir.h"
#include "core/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

std::uint8_t ErsterStart = 0;
std::uint8_t Bundesland = 0;
double GesamtLimit = 0;
ShortString<255> Sprache;

// The windows show them in the language of the windows (the context "Bundeslaender").
const char *const Bundeslaender[16] = {QT_TRANSLATE_NOOP("Bundeslaender", "Baden-Württemberg"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Bayern"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Berlin"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Brandenburg"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Bremen"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Hamburg"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Hessen"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Mecklenburg-Vorpommern"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Niedersachsen"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Nordrhein-Westfalen"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Rheinland-Pfalz"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Saarland"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Sachsen"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Sachsen-Anhalt"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Schleswig-Holstein"),
                                       QT_TRANSLATE_NOOP("Bundeslaender", "Thüringen")};

namespace {
constexpr int ErsterStartOffset = 0;
constexpr int BundeslandOffset = 1;
constexpr int GesamtLimitOffset = 2;
constexpr int SpracheOffset = 10;
static_assert(SpracheOffset + ShortString<255>::Size == SettingsSize);

// The whole file image of the values in memory, Sprache's bytes after its value included.
void writeSettings(char *out)
{
    out[ErsterStartOffset] = char(ErsterStart);
    out[BundeslandOffset] = char(Bundesland);
    PutDouble(out + GesamtLimitOffset, GesamtLimit);
    Sprache.write(out + SpracheOffset);
}

void readSettings(const char *in)
{
    const TSettingsWerte w = ParseSettings(in);
    ErsterStart = w.ErsterStart;
    Bundesland = w.Bundesland;
    GesamtLimit = w.GesamtLimit;
    Sprache = w.Sprache;
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }
}

TSettingsWerte ParseSettings(const char *in)
{
    TSettingsWerte w;
    w.ErsterStart = std::uint8_t(in[ErsterStartOffset]);
    w.Bundesland = std::uint8_t(in[BundeslandOffset]);
    w.GesamtLimit = GetDouble(in + GesamtLimitOffset);
    w.Sprache.read(in + SpracheOffset);
    return w;
}

QString SettingsPath() { return ProgramDir() + QStringLiteral("Settings.dat"); }

void LoadSettings()
{
    const QString path = SettingsPath();
    if (!QFileInfo::exists(path)) {
        ErsterStart = 1;
        Bundesland = 8;
        GesamtLimit = 100.0;
        Sprache = QStringLiteral("german");
        return;
    }

    // A FIFO or other file that is not a regular one reads as unreadable (opening would block the start-up).
    QFile file;
    if (!OpenRegularFile(file, path)) throw Exception(QStringLiteral("Cannot open file ") + native(path));
    const QByteArray data = file.read(SettingsSize);
    if (file.error() != QFileDevice::NoError) throw Exception(QStringLiteral("Cannot read file ") + native(path));

    // A short file overwrites only the bytes it holds, even in the middle of a field: the rest of
    // every value keeps what it had before the load.
    char image[SettingsSize];
    writeSettings(image);
    std::memcpy(image, data.constData(), size_t(data.size()));
    readSettings(image);
}

void SaveSettings()
{
    const QString path = SettingsPath();
    char image[SettingsSize];
    writeSettings(image);

    if (!ReplaceFile(path, QByteArray(image, SettingsSize)))
        throw Exception(QStringLiteral("Cannot create file ") + native(path));
}
