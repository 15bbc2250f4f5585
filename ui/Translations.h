#pragma once
// The language of the windows' own texts and of Qt's dialogs. The texts fixed in the windows are
// German in the source; for another language the program's translation of them and Qt's own
// translation are installed, as the language file's Locale= says (core/Language.h).
#include <QString>

// Replaces the translations installed before: Qt's for locale ("de" at start, before any language
// file is read) and the program's own, built into it as ":/i18n/minutrix_<locale>.qm". German
// needs none of the program's; a language without a translation keeps the German texts.
void InstallTranslations(const QString &locale);
// The locale of the translations installed last.
QString TranslationLocale();
