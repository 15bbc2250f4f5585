#pragma once
// The four program-wide settings and their file "Settings.dat" (266 bytes).
#include "ShortString.h"

#include <QString>
#include <cstdint>

extern std::uint8_t ErsterStart;   // nonzero: the setup wizard is still due
extern std::uint8_t Bundesland;    // federal state 0..15
extern double GesamtLimit;         // overall monthly limit
extern ShortString<255> Sprache;   // base name of the language file

constexpr int SettingsSize = 266;

extern const char *const Bundeslaender[16];

QString SettingsPath();
// Missing file: 1, 8, 100.0, "german". A short file fills only the fields it holds.
// A file that cannot be opened throws Exception("Cannot open file <path>").
void LoadSettings();
// Replaces the file atomically; throws Exception("Cannot create file <path>") on failure.
void SaveSettings();
