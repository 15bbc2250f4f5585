#pragma once
// The language files the user can choose from, and the month names they give the month logs: a
// month keeps its one log across a change of language, whatever name the log was begun under.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

struct TLanguageFile
{
    QString baseName;   // what Sprache stores: "english" for english.qlf
    QString name;       // what the settings window lists: the file's Name=, else its base name
    QString path;
};

// The language files in ProgramDir() first, then the shipped ones whose base name is not taken
// yet, each folder's by file name. A base name that Sprache cannot hold (more than 255 characters,
// or characters outside Windows-1252) is left out: it could never be chosen again.
std::vector<TLanguageFile> AvailableLanguages();

// The month names (1..12) a language file gives, the built-in one where it gives none.
std::array<QString, 13> LanguageMonthNames(const QString &path);

// For each month 1..12 the names its log may lie under, in the order they are looked for: the
// language table's, the built-in German one, then those of every available language file. A name
// another month has claimed before, or one that is no plain file name, is left out, so no language
// file can make one month read or write another month's log.
std::array<QStringList, 13> KnownMonthNames();
