#pragma once
// The four program-wide settings and their file "Settings.dat" (266 bytes).
#include "core/ShortString.h"

#include <QString>
#include <cstdint>

extern std::uint8_t ErsterStart;   // nonzero: the setup wizard is still due
extern std::uint8_t Bundesland;    // federal state 0..15
extern double GesamtLimit;         // overall monthly limit
extern ShortString<255> Sprache;   // base name of the language file

constexpr int SettingsSize = 266;

extern const char *const Bundeslaender[16];

// The four values as a settings file of SettingsSize bytes holds them; the program and
// minutrix-cli read the file's bytes through this one place.
struct TSettingsWerte
{
    std::uint8_t ErsterStart = 0;
    std::uint8_t Bundesland = 0;
    double GesamtLimit = 0;
    ShortString<255> Sprache;
};
TSettingsWerte ParseSettings(const char *image);

QString SettingsPath();
// Missing file: 1, 8, 100.0, "german". A short file fills only the fields it holds.
// A file that cannot be opened or is not a regular file throws Exception("Cannot open file <path>").
void LoadSettings();
// Replaces the file atomically; throws Exception("Cannot create file <path>") on failure.
void SaveSettings();
